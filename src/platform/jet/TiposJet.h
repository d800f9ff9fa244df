#pragma once
// Column types of the in-memory copy of a Jet file: the declared type of each column
// decides how ADO reports it and how its stored values come back as Variants.
#include <sqlite3.h>

#include <string_view>

#include "platform/ado/Provider.h"
#include "platform/vb/Variant.h"

namespace jet {

// Jet's Byte, which ADO reports as adUnsignedTinyInt.
inline constexpr auto adUnsignedTinyInt = static_cast<ado::DataTypeEnum>(17);

// The ADO type of a declared column type (Jet's names and the usual SQL ones: YESNO,
// BOOLEAN, BIT, SMALLINT, INTEGER, CURRENCY, DATETIME, VARCHAR(n), LONGTEXT, ...);
// adVariant when nothing is declared.
ado::DataTypeEnum TipoAdoDeclarado(std::string_view tipoDeclarado);

// Columns whose values are compared as text, without regard to case, as Jet does.
bool EsTipoTexto(std::string_view tipoDeclarado);

// The value of column `columna` of the current row. Null stays Null; a yes/no column
// gives a Boolean, an integer column an Integer or a Long, a date a Date, text a String.
vb::Variant ValorDeColumna(sqlite3_stmt* sentencia, int columna, ado::DataTypeEnum tipo);

// The ADO type of a computed column (no declared type), from the value it holds.
ado::DataTypeEnum TipoAdoDeValor(sqlite3_stmt* sentencia, int columna);

}  // namespace jet
