#pragma once
// A program folder with an encryption component in it, for the tests of the component's
// loader and of the routines that use it.
//
//   prueba::CarpetaConComponente carpeta(prueba::Componente::Prueba);
//   gRutaApp = carpeta.Ruta();
#include <string>

#include "support/CatalogoDePrueba.h"

namespace prueba {

enum class Componente {
  Proyecto,         // the project's own component, with a key file beside it
  Prueba,           // the test component (support/cifrado/ComponenteDePrueba.cpp)
  SinDesencriptar,  // the test component without Desencriptar
  Ninguno,          // no library at all
};

// A 64-digit key for the project's component.
inline constexpr const char* kClaveDePrueba =
    "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";

class CarpetaConComponente {
 public:
  explicit CarpetaConComponente(Componente componente);
  const std::string& Ruta() const { return carpeta_.Ruta(); }
  std::string RutaClave() const;
  // Writes the key file (any text, to test malformed ones); removes it when empty.
  void EscribeClave(const std::string& contenido) const;
  // Copies the component into another folder (beside a catalogue, say).
  static void Instala(Componente componente, const std::string& carpeta);

 private:
  CarpetaTemporal carpeta_;
};

// While it lives, the test component appends its loads, calls and unloads to a file of
// its own, and answers `resultado` when one is given.
class RegistroDelComponente {
 public:
  explicit RegistroDelComponente(const char* resultado = nullptr);
  ~RegistroDelComponente();
  RegistroDelComponente(const RegistroDelComponente&) = delete;
  RegistroDelComponente& operator=(const RegistroDelComponente&) = delete;
  std::string Lineas() const;  // "carga\nEncriptar k\n..."; empty before the first line

 private:
  CarpetaTemporal carpeta_;
};

}  // namespace prueba
