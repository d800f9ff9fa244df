#include "platform/win/Ini.h"

#include <iconv.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"

namespace win {

namespace {

std::optional<std::string> LeeBytes(const std::string& archivo) {
  std::ifstream entrada(RutaLocal(archivo), std::ios::binary);
  if (!entrada) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>());
}

// The text converted from `codificacion` to UTF-8; nothing when it is not valid there.
std::optional<std::string> AUtf8(const std::string& texto, const char* codificacion) {
  iconv_t cd = iconv_open("UTF-8", codificacion);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string salida(texto.size() * 4, '\0');
  char* origen = const_cast<char*>(texto.data());
  std::size_t quedanOrigen = texto.size();
  char* destino = salida.data();
  std::size_t quedanDestino = salida.size();
  const std::size_t r = iconv(cd, &origen, &quedanOrigen, &destino, &quedanDestino);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1)) return std::nullopt;
  salida.resize(salida.size() - quedanDestino);
  return salida;
}

// Files written by the suite on Windows are in the system code page; ours may be UTF-8.
std::string TextoDelArchivo(std::string bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  for (const char* codificacion : {"UTF-8", "CP1252"})
    if (auto texto = AUtf8(bytes, codificacion)) return *texto;
  return AUtf8(bytes, "ISO-8859-1").value_or(bytes);
}

std::string SinBlancos(const std::string& s) {
  const auto inicio = s.find_first_not_of(" \t");
  if (inicio == std::string::npos) return {};
  return s.substr(inicio, s.find_last_not_of(" \t") - inicio + 1);
}

std::string SinComillas(const std::string& valor) {
  const bool entreComillas = valor.size() >= 2 && valor.front() == valor.back() &&
                             (valor.front() == '"' || valor.front() == '\'');
  return entreComillas ? valor.substr(1, valor.size() - 2) : valor;
}

// The name of a section header "[name]", or nothing when the line is not one.
std::optional<std::string> NombreDeSeccion(const std::string& linea) {
  if (linea.empty() || linea.front() != '[') return std::nullopt;
  return SinBlancos(linea.substr(1, linea.find(']') - 1));
}

std::optional<std::string> BuscaValor(const std::string& texto, const std::string& seccion,
                                      const std::string& llave) {
  std::istringstream lineas(texto);
  std::string linea;
  bool enLaSeccion = false;
  bool seccionVista = false;
  while (std::getline(lineas, linea)) {
    if (!linea.empty() && linea.back() == '\r') linea.pop_back();
    linea = SinBlancos(linea);
    if (auto nombre = NombreDeSeccion(linea)) {
      if (seccionVista) return std::nullopt;  // only the first section of the name counts
      enLaSeccion = vb::IgualesSinMayusculas(*nombre, seccion);
      seccionVista = enLaSeccion;
      continue;
    }
    const auto igual = linea.find('=');
    if (!enLaSeccion || igual == std::string::npos) continue;
    if (vb::IgualesSinMayusculas(SinBlancos(linea.substr(0, igual)), llave))
      return SinComillas(SinBlancos(linea.substr(igual + 1)));
  }
  return std::nullopt;
}

// The first `caracteres` characters of a UTF-8 text (never a part of one).
std::string Corta(const std::string& texto, std::size_t caracteres) {
  std::size_t contados = 0;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const bool iniciaCaracter = (static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80;
    if (iniciaCaracter && contados++ == caracteres) return texto.substr(0, i);
  }
  return texto;
}

}  // namespace

std::string GetPrivateProfileString(const std::string& seccion, const std::string& llave,
                                    const std::string& porOmision, std::size_t tamanoBuffer,
                                    const std::string& archivo) {
  if (tamanoBuffer == 0) return {};
  std::optional<std::string> valor;
  if (auto bytes = LeeBytes(archivo)) valor = BuscaValor(TextoDelArchivo(*bytes), seccion, llave);
  const std::string copiado =
      valor ? *valor : porOmision.substr(0, porOmision.find_last_not_of(' ') + 1);
  return Corta(copiado, tamanoBuffer - 1);
}

}  // namespace win
