#include "platform/jet/TiposJet.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"

namespace jet {

namespace {

bool Contiene(const std::string& texto, std::initializer_list<const char*> partes) {
  for (const char* parte : partes)
    if (texto.find(parte) != std::string::npos) return true;
  return false;
}

std::string Texto(sqlite3_stmt* sentencia, int columna) {
  const auto* datos = reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna));
  return datos ? std::string(datos, sqlite3_column_bytes(sentencia, columna)) : std::string();
}

std::string Bytes(sqlite3_stmt* sentencia, int columna) {
  const auto* datos = static_cast<const char*>(sqlite3_column_blob(sentencia, columna));
  return datos ? std::string(datos, sqlite3_column_bytes(sentencia, columna)) : std::string();
}

bool EsEntero(sqlite3_stmt* sentencia, int columna) {
  return sqlite3_column_type(sentencia, columna) == SQLITE_INTEGER;
}

// Whole numbers keep the smallest of the language's integer kinds that holds them.
vb::Variant Entero(std::int64_t valor, bool admiteInteger) {
  if (admiteInteger && valor >= std::numeric_limits<std::int16_t>::min() &&
      valor <= std::numeric_limits<std::int16_t>::max())
    return static_cast<std::int16_t>(valor);
  if (valor >= std::numeric_limits<std::int32_t>::min() &&
      valor <= std::numeric_limits<std::int32_t>::max())
    return static_cast<std::int32_t>(valor);
  return static_cast<double>(valor);
}

vb::Variant Numero(sqlite3_stmt* sentencia, int columna, bool admiteInteger) {
  switch (sqlite3_column_type(sentencia, columna)) {
    case SQLITE_INTEGER: return Entero(sqlite3_column_int64(sentencia, columna), admiteInteger);
    case SQLITE_FLOAT: return sqlite3_column_double(sentencia, columna);
    default: return Texto(sentencia, columna);
  }
}

vb::Variant SiNo(sqlite3_stmt* sentencia, int columna) {
  if (sqlite3_column_type(sentencia, columna) == SQLITE_TEXT)
    return vb::CBool(vb::Variant(Texto(sentencia, columna)));
  return sqlite3_column_double(sentencia, columna) != 0;
}

vb::Variant Moneda(sqlite3_stmt* sentencia, int columna) {
  if (sqlite3_column_type(sentencia, columna) == SQLITE_TEXT)
    return vb::CCur(vb::Variant(Texto(sentencia, columna)));
  return vb::Currency{std::llround(sqlite3_column_double(sentencia, columna) * 10000.0)};
}

vb::Variant Doble(sqlite3_stmt* sentencia, int columna) {
  if (sqlite3_column_type(sentencia, columna) == SQLITE_TEXT)
    return vb::CDbl(vb::Variant(Texto(sentencia, columna)));
  return sqlite3_column_double(sentencia, columna);
}

// Jet keeps dates as the day count the language uses; catalogues written as SQL may
// hold them as text, which is read as the language reads a date.
vb::Variant Fecha(sqlite3_stmt* sentencia, int columna) {
  if (sqlite3_column_type(sentencia, columna) != SQLITE_TEXT)
    return vb::DateTime{sqlite3_column_double(sentencia, columna)};
  const vb::Variant texto(Texto(sentencia, columna));
  return vb::IsDate(texto) ? vb::Variant(vb::CDate(texto)) : texto;
}

}  // namespace

ado::DataTypeEnum TipoAdoDeclarado(std::string_view tipoDeclarado) {
  const std::string tipo = vb::UCase(std::string(tipoDeclarado));
  if (tipo.empty()) return ado::adVariant;
  if (Contiene(tipo, {"BOOL", "YESNO"}) || tipo == "BIT") return ado::adBoolean;
  if (Contiene(tipo, {"GUID", "UNIQUEIDENTIFIER"})) return ado::adGUID;
  if (Contiene(tipo, {"LONGTEXT", "MEMO", "CLOB"})) return ado::adLongVarWChar;
  if (Contiene(tipo, {"CHAR", "TEXT"})) return ado::adVarWChar;
  if (Contiene(tipo, {"LONGBINARY", "BLOB"})) return ado::adLongVarBinary;
  if (Contiene(tipo, {"BINARY"})) return ado::adVarBinary;
  if (Contiene(tipo, {"BYTE", "TINYINT"})) return adUnsignedTinyInt;
  if (Contiene(tipo, {"SMALLINT", "SHORT"})) return ado::adSmallInt;
  if (Contiene(tipo, {"CURRENCY", "MONEY"})) return ado::adCurrency;
  if (Contiene(tipo, {"DEC", "NUMERIC"})) return ado::adNumeric;
  if (Contiene(tipo, {"SINGLE"})) return ado::adSingle;
  if (Contiene(tipo, {"REAL", "FLOA", "DOUB"})) return ado::adDouble;
  if (Contiene(tipo, {"DATE", "TIME"})) return ado::adDate;
  if (Contiene(tipo, {"INT", "LONG", "COUNTER"})) return ado::adInteger;
  return ado::adVariant;
}

bool EsTipoTexto(std::string_view tipoDeclarado) {
  switch (TipoAdoDeclarado(tipoDeclarado)) {
    case ado::adGUID:
    case ado::adLongVarWChar:
    case ado::adVarWChar: return true;
    default: return false;
  }
}

vb::Variant ValorDeColumna(sqlite3_stmt* sentencia, int columna, ado::DataTypeEnum tipo) {
  if (sqlite3_column_type(sentencia, columna) == SQLITE_NULL) return vb::Variant::Null();
  switch (tipo) {
    case ado::adBoolean: return SiNo(sentencia, columna);
    case adUnsignedTinyInt:
    case ado::adSmallInt: return Numero(sentencia, columna, true);
    case ado::adInteger: return Numero(sentencia, columna, false);
    case ado::adCurrency: return Moneda(sentencia, columna);
    case ado::adSingle:
    case ado::adDouble:
    case ado::adNumeric: return Doble(sentencia, columna);
    case ado::adDate: return Fecha(sentencia, columna);
    case ado::adVarBinary:
    case ado::adLongVarBinary: return Bytes(sentencia, columna);
    case ado::adVariant:
      if (EsEntero(sentencia, columna)) return Numero(sentencia, columna, false);
      if (sqlite3_column_type(sentencia, columna) == SQLITE_FLOAT)
        return sqlite3_column_double(sentencia, columna);
      return Texto(sentencia, columna);
    default: return Texto(sentencia, columna);
  }
}

ado::DataTypeEnum TipoAdoDeValor(sqlite3_stmt* sentencia, int columna) {
  switch (sqlite3_column_type(sentencia, columna)) {
    case SQLITE_INTEGER: return ado::adInteger;
    case SQLITE_FLOAT: return ado::adDouble;
    case SQLITE_TEXT: return ado::adVarWChar;
    case SQLITE_BLOB: return ado::adLongVarBinary;
    default: return ado::adVariant;
  }
}

}  // namespace jet
