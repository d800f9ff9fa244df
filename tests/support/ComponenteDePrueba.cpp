#include "support/ComponenteDePrueba.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/crypto/ComponenteCifrado.h"

namespace prueba {

namespace fs = std::filesystem;

namespace {

const char* Biblioteca(Componente componente) {
  switch (componente) {
    case Componente::Proyecto: return GRADIX_COMPONENTE_PROYECTO;
    case Componente::Prueba: return GRADIX_COMPONENTE_PRUEBA;
    case Componente::SinDesencriptar: return GRADIX_COMPONENTE_SIN_DESENCRIPTAR;
    case Componente::Ninguno: break;
  }
  return nullptr;
}

std::string RutaRegistro(const std::string& carpeta) { return carpeta + "/llamadas.txt"; }

}  // namespace

void CarpetaConComponente::Instala(Componente componente, const std::string& carpeta) {
  const char* biblioteca = Biblioteca(componente);
  if (biblioteca)
    fs::copy_file(biblioteca, carpeta + "/" + cifrado::kArchivoComponente,
                  fs::copy_options::overwrite_existing);
  if (componente == Componente::Proyecto)
    std::ofstream(carpeta + "/" + cifrado::kArchivoClave) << kClaveDePrueba << "\n";
}

CarpetaConComponente::CarpetaConComponente(Componente componente) {
  Instala(componente, Ruta());
}

std::string CarpetaConComponente::RutaClave() const {
  return Ruta() + "/" + cifrado::kArchivoClave;
}

void CarpetaConComponente::EscribeClave(const std::string& contenido) const {
  if (contenido.empty())
    fs::remove(RutaClave());
  else
    std::ofstream(RutaClave(), std::ios::binary) << contenido;
}

RegistroDelComponente::RegistroDelComponente(const char* resultado) {
  setenv("GRADIX_CIFRADO_PRUEBA_LOG", RutaRegistro(carpeta_.Ruta()).c_str(), 1);
  if (resultado)
    setenv("GRADIX_CIFRADO_PRUEBA_RESULTADO", resultado, 1);
  else
    unsetenv("GRADIX_CIFRADO_PRUEBA_RESULTADO");
}

RegistroDelComponente::~RegistroDelComponente() {
  unsetenv("GRADIX_CIFRADO_PRUEBA_LOG");
  unsetenv("GRADIX_CIFRADO_PRUEBA_RESULTADO");
}

std::string RegistroDelComponente::Lineas() const {
  std::ifstream entrada(RutaRegistro(carpeta_.Ruta()));
  std::ostringstream texto;
  texto << entrada.rdbuf();
  return texto.str();
}

}  // namespace prueba
