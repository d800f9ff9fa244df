#pragma once
// Reads the current result of an executed ODBC statement whole into a RowSet, each
// value as the Variant kind the language would see through ADO:
//   TINYINT/SMALLINT -> Integer, INTEGER -> Long, BIGINT -> Long (Double when it
//   does not fit), DECIMAL/NUMERIC -> Currency (scale <= 4 and it fits; else Double),
//   REAL/FLOAT/DOUBLE -> Double, BIT -> Boolean, DATE/TIME/DATETIME -> Date,
//   text -> String (UTF-8, whole, whatever characters it holds), binary -> String of the bytes, NULL -> Null.
#include <sql.h>

#include <string>

#include "platform/ado/Provider.h"

namespace ado {

// How text columns are fetched. With no byte set: as UTF-16 (SQL_C_WCHAR), each piece
// measured by the driver's terminator. With one (an iconv name): as the bytes the server
// sends (SQL_C_BINARY), in that set, turned into UTF-8; MySQL's driver cuts its UTF-16
// texts at a NUL and, outside UTF-8, short, so on MySQL this is how texts come whole.
struct LecturaDeTexto {
  std::string juegoDeBytes;
};

// The statement's current result: columns and rows, or hasResult false (with the
// affected row count) when it has no columns.
RowSet LeeResultado(SQLHSTMT sentencia, const std::string& origen,
                    const LecturaDeTexto& texto = {});

// The ADO type nearest to an ODBC SQL type.
DataTypeEnum TipoAdoDeSql(SQLSMALLINT tipoSql);

// The Date serial (days since 1899-12-30, time as the fraction) of a calendar date
// and a time of day.
vb::DateTime SerialDeFechaHora(int anio, int mes, int dia, int hora, int minuto, int segundo);

}  // namespace ado
