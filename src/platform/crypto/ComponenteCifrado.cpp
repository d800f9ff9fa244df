#include "platform/crypto/ComponenteCifrado.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/crypto/InterfazCifrado.h"
#include "platform/vb/Error.h"
#include "platform/win/Sistema.h"

namespace cifrado {

namespace {

constexpr std::size_t kCapacidad = 4096;

// Why the library at `ruta` could not be loaded: the file's own failure when it cannot be
// read, otherwise what the system's loader found wrong with it.
std::string MotivoSinCarga(const std::string& ruta) {
  if (access(ruta.c_str(), R_OK) != 0) return win::MotivoDeFalla(errno);
  const char* detalle = dlerror();
  return std::string("no es una biblioteca que este equipo pueda cargar, o le falta una "
                     "biblioteca de la que depende (detalle del sistema: ") +
         (detalle ? detalle : "") + ")";
}

}  // namespace

Componente::Componente(std::string carpeta)
    : carpeta_(std::move(carpeta)), ruta_(carpeta_ + "/" + kArchivoComponente) {
  biblioteca_ = dlopen(ruta_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!biblioteca_)
    vb::Raise(kErrorSinComponente,
              "No se puede cargar el componente de cifrado " + ruta_ + ": " + MotivoSinCarga(ruta_),
              "Encriptar");
  encriptar_ = reinterpret_cast<Funcion>(dlsym(biblioteca_, "Encriptar"));
  desencriptar_ = reinterpret_cast<Funcion>(dlsym(biblioteca_, "Desencriptar"));
  const char* falta = !encriptar_ ? "Encriptar" : !desencriptar_ ? "Desencriptar" : nullptr;
  if (falta) {
    dlclose(biblioteca_);
    vb::Raise(kErrorSinFuncion,
              "El componente de cifrado " + ruta_ + " no ofrece la función " + falta, falta);
  }
}

Componente::~Componente() { dlclose(biblioteca_); }

std::string Componente::Encripta(const std::string& texto) const {
  return Llama(encriptar_, "Encriptar", texto);
}

std::string Componente::Desencripta(const std::string& texto) const {
  return Llama(desencriptar_, "Desencriptar", texto);
}

std::string Componente::Llama(Funcion funcion, const char* nombre,
                              const std::string& texto) const {
  std::vector<char> salida(kCapacidad, '\0');
  const int resultado = funcion(carpeta_.c_str(), texto.c_str(), salida.data(), salida.size());
  salida.back() = '\0';  // whatever the component wrote, the text ends inside the buffer
  if (resultado != 0)
    vb::Raise(kErrorDelComponente,
              std::string(nombre) + " (" + ruta_ + "): " + std::string(salida.data()), nombre);
  return std::string(salida.data());
}

}  // namespace cifrado
