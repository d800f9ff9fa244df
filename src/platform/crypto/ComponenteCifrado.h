#pragma once
// The encryption component as the program uses it: the shared library
// "libgradixcifrado.so" in a folder (the program's), loaded when the object is made and
// released when it goes. Its interface is InterfazCifrado.h.
#include <string>

namespace cifrado {

inline constexpr const char* kArchivoComponente = "libgradixcifrado.so";
// The project's own component reads its key from this file, beside the program.
inline constexpr const char* kArchivoClave = "gradixcifrado.key";

// A library that cannot be loaded is reported as a component that cannot be created;
// a missing function as such; a failure that the component reports as an automation
// error with the component's message.
inline constexpr long kErrorSinComponente = 429;
inline constexpr long kErrorSinFuncion = 453;
inline constexpr long kErrorDelComponente = -2147467259;

class Componente {
 public:
  // Loads <carpeta>/libgradixcifrado.so and finds Encriptar and Desencriptar. Raises
  // vb::Error naming the library's path when either cannot be had.
  explicit Componente(std::string carpeta);
  ~Componente();
  Componente(const Componente&) = delete;
  Componente& operator=(const Componente&) = delete;

  // Raise vb::Error kErrorDelComponente with the component's message when it fails.
  std::string Encripta(const std::string& texto) const;
  std::string Desencripta(const std::string& texto) const;

  const std::string& Ruta() const { return ruta_; }

 private:
  using Funcion = int (*)(const char*, const char*, char*, std::size_t);
  std::string Llama(Funcion funcion, const char* nombre, const std::string& texto) const;

  std::string carpeta_;
  std::string ruta_;
  void* biblioteca_ = nullptr;
  Funcion encriptar_ = nullptr;
  Funcion desencriptar_ = nullptr;
};

}  // namespace cifrado
