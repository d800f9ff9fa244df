#include "platform/ado/JuegoDeCaracteres.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <stdexcept>

#include "platform/ado/Utf16.h"
#include "platform/vb/Text.h"

namespace ado {

std::optional<std::string> JuegoIconvDeMySql(const std::string& juegoMySql) {
  static const std::map<std::string, std::string> kJuegos = {
      {"utf8", "UTF-8"},        {"utf8mb3", "UTF-8"},     {"utf8mb4", "UTF-8"},
      {"latin1", "CP1252"},     {"latin2", "ISO-8859-2"}, {"latin5", "ISO-8859-9"},
      {"latin7", "ISO-8859-13"}, {"greek", "ISO-8859-7"}, {"hebrew", "ISO-8859-8"},
      {"cp1250", "CP1250"},     {"cp1251", "CP1251"},     {"cp1256", "CP1256"},
      {"cp1257", "CP1257"},     {"cp850", "CP850"},       {"cp852", "CP852"},
      {"cp866", "CP866"},       {"koi8r", "KOI8-R"},      {"koi8u", "KOI8-U"},
      {"ascii", "CP1252"},      {"ucs2", "UCS-2BE"},      {"utf16", "UTF-16BE"},
      {"utf16le", "UTF-16LE"},  {"utf32", "UTF-32BE"}};
  const auto juego = kJuegos.find(vb::LCase(juegoMySql));
  if (juego == kJuegos.end()) return std::nullopt;
  return juego->second;
}

std::string AUtf8(const std::string& bytes, const std::string& juego) {
  if (juego == "UTF-8") return bytes;
  const iconv_t cd = iconv_open("UTF-8", juego.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error("No se puede convertir el juego de caracteres " + juego +
                             " a UTF-8");
  std::string salida;
  std::string pieza(4 * bytes.size() + 16, '\0');
  char* entrada = const_cast<char*>(bytes.data());
  std::size_t quedan = bytes.size();
  while (quedan > 0) {
    char* destino = pieza.data();
    std::size_t libre = pieza.size();
    const std::size_t rc = iconv(cd, &entrada, &quedan, &destino, &libre);
    salida.append(pieza.data(), pieza.size() - libre);
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // Undefined or cut short: the byte as the Latin-1 letter of its value.
    salida += Utf16AUtf8(std::u16string(1, static_cast<char16_t>(static_cast<unsigned char>(*entrada))));
    ++entrada;
    --quedan;
  }
  iconv_close(cd);
  return salida;
}

}  // namespace ado
