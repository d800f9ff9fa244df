// An encryption component for tests, with the interface of the real one. It appends what
// happens to it to the file named by GRADIX_CIFRADO_PRUEBA_LOG ("carga", "Encriptar <text>",
// "descarga", one a line), answers "[cifrado <text>]", or the text of
// GRADIX_CIFRADO_PRUEBA_RESULTADO when that is set, and fails for the text "falla".
// Built without Desencriptar when SIN_DESENCRIPTAR is defined.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/crypto/InterfazCifrado.h"

namespace {

void Anota(const std::string& linea) {
  const char* ruta = std::getenv("GRADIX_CIFRADO_PRUEBA_LOG");
  if (ruta && *ruta) std::ofstream(ruta, std::ios::app) << linea << "\n";
}

struct Registro {
  Registro() { Anota("carga"); }
  ~Registro() { Anota("descarga"); }
} registro;

int Escribe(const std::string& texto, char* salida, size_t capacidad, int codigo) {
  if (texto.size() >= capacidad) return 2;
  std::memcpy(salida, texto.c_str(), texto.size() + 1);
  return codigo;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int Encriptar(const char*, const char* texto,
                                                                 char* salida, size_t capacidad) {
  Anota(std::string("Encriptar ") + texto);
  if (std::strcmp(texto, "falla") == 0) return Escribe("fallo de prueba", salida, capacidad, 1);
  const char* fijo = std::getenv("GRADIX_CIFRADO_PRUEBA_RESULTADO");
  return Escribe(fijo ? fijo : std::string("[cifrado ") + texto + "]", salida, capacidad, 0);
}

#ifndef SIN_DESENCRIPTAR
extern "C" __attribute__((visibility("default"))) int Desencriptar(const char*, const char* texto,
                                                                    char* salida,
                                                                    size_t capacidad) {
  std::string t = texto;
  if (t.rfind("[cifrado ", 0) != 0 || t.back() != ']')
    return Escribe("no es de este componente", salida, capacidad, 1);
  return Escribe(t.substr(9, t.size() - 10), salida, capacidad, 0);
}
#endif
