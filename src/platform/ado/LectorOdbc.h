#pragma once
// Reads the current result of an executed ODBC statement whole into a RowSet, each
// value as the Variant kind the language would see through ADO:
//   TINYINT/SMALLINT -> Integer, INTEGER -> Long, BIGINT -> Long (Double when it
//   does not fit), DECIMAL/NUMERIC -> Currency (scale <= 4 and it fits; else Double),
//   REAL/FLOAT/DOUBLE -> Double, BIT -> Boolean, DATE/TIME/DATETIME -> Date,
//   text -> String (UTF-8), binary -> String of the bytes, NULL -> Null.
#include <sql.h>

#include <string>

#include "platform/ado/Provider.h"

namespace ado {

// The statement's current result: columns and rows, or hasResult false (with the
// affected row count) when it has no columns.
RowSet LeeResultado(SQLHSTMT sentencia, const std::string& origen);

// The ADO type nearest to an ODBC SQL type.
DataTypeEnum TipoAdoDeSql(SQLSMALLINT tipoSql);

// The Date serial (days since 1899-12-30, time as the fraction) of a calendar date
// and a time of day.
vb::DateTime SerialDeFechaHora(int anio, int mes, int dia, int hora, int minuto, int segundo);

}  // namespace ado
