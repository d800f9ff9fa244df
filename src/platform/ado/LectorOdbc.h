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

// How text columns are fetched. Ancha: as UTF-16 (SQL_C_WCHAR), the lengths taken from
// the driver's terminators. BytesUtf8: as the bytes the server sends (SQL_C_BINARY), for
// connections whose results come in UTF-8; the only way a NUL inside a text gets through
// a driver that converts to UTF-16 up to the first NUL.
enum class LecturaDeTexto { Ancha, BytesUtf8 };

// The statement's current result: columns and rows, or hasResult false (with the
// affected row count) when it has no columns.
RowSet LeeResultado(SQLHSTMT sentencia, const std::string& origen,
                    LecturaDeTexto texto = LecturaDeTexto::Ancha);

// The ADO type nearest to an ODBC SQL type.
DataTypeEnum TipoAdoDeSql(SQLSMALLINT tipoSql);

// The Date serial (days since 1899-12-30, time as the fraction) of a calendar date
// and a time of day.
vb::DateTime SerialDeFechaHora(int anio, int mes, int dia, int hora, int minuto, int segundo);

}  // namespace ado
