// The pieces of statements that differ by dialect: date and time literals, backslashes
// in MySQL texts, MySQL's name of LEN, and the quoting of embedded texts.
#include <string>

#include "data/clsBaseDatos.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"

namespace {

// The date part of a value with the dialect's mask.
std::string Fecha(vb::DateTime valor, std::int16_t iManejador) {
  if (iManejador == ManejadorAccess) return vb::Format(vb::Variant(valor), "YYYY/MM/DD");
  if (iManejador == ManejadorMySQL) return vb::Format(vb::Variant(valor), "YYYY-MM-DD");
  return vb::Format(vb::Variant(valor), "YYYYMMDD");
}

std::string Hora(vb::DateTime valor) { return vb::Format(vb::Variant(valor), "HH:MM:SS"); }

// MS Access encloses date literals in #, the other dialects in quotes.
std::string Delimitado(const std::string& literal, std::int16_t iManejador) {
  const std::string delimitador = iManejador == ManejadorAccess ? "#" : "'";
  return delimitador + literal + delimitador;
}

}  // namespace

// On MySQL a NUL is written as its escape \0: the drivers that take statements as
// UTF-16 end the statement at a NUL character.
std::string TextoSql(const std::string& texto, std::int16_t iManejador) {
  std::string resultado;
  resultado.reserve(texto.size());
  for (const char c : texto) {
    if (c == '\0' && iManejador == ManejadorMySQL) {
      resultado += "\\0";
      continue;
    }
    resultado += c;
    if (c == '\'' || (c == '\\' && iManejador == ManejadorMySQL)) resultado += c;
  }
  return resultado;
}

// Kind 0 writes the date of FecHr, kind 2 that date with the clock's current time (the
// time of FecHr is not used), any other kind the time of FecHr.
std::string clsBaseDatos::GeneraFecHr(std::int16_t iFecHr, vb::DateTime FecHr,
                                      std::int16_t iManejador) {
  if (iFecHr == FecHrFecha) return Delimitado(Fecha(FecHr, iManejador), iManejador);
  if (iFecHr == FecHrFechaHora)
    return Delimitado(Fecha(FecHr, iManejador) + " " + Hora(win::Time()), iManejador);
  return Delimitado(Hora(FecHr), iManejador);
}

// Doubles every backslash of Cadena in place for MySQL (and SQL Server); MS Access texts
// stay as they are. Callers use only the change of Cadena: the result is Cadena itself
// for MS Access and the empty text otherwise.
std::string clsBaseDatos::ConvierteBackSlash(std::string& Cadena, std::int16_t iTipoBD) {
  if (vb::InStr(Cadena, "\\") == 0) return {};
  if (iTipoBD == ManejadorAccess) return Cadena;
  Cadena = vb::Replace(Cadena, "\\", "\\\\");
  return {};
}

// MySQL's name for LEN. Only the upper-case "LEN(" is rewritten, wherever it stands.
void clsBaseDatos::ConvierteLen(std::string& Cadena) {
  Cadena = vb::Replace(Cadena, "LEN(", "LENGTH(");
}
