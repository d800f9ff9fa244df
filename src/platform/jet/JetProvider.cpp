#include "platform/jet/JetProvider.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/ado/CadenaDeConexion.h"
#include "platform/jet/CargaMdb.h"
#include "platform/jet/CargaSqlite.h"
#include "platform/jet/ErroresJet.h"
#include "platform/jet/SesionJet.h"
#include "platform/win/Sistema.h"

namespace jet {

namespace {

std::string RutaDelArchivo(const std::string& cadena) {
  const std::string origen = ado::ValorDeCadena(cadena, "Data Source");
  if (origen.empty())
    FallaJet(ado::adErrUnspecified,
             "La cadena de conexión no indica el archivo de base de datos (Data Source).");
  return win::RutaLocal(origen);
}

// The first bytes of the file, which tell its format.
std::string Cabecera(const std::string& ruta) {
  std::error_code ec;
  if (!std::filesystem::exists(ruta, ec))
    FallaJet(ado::adErrUnspecified, "No se encuentra el archivo '" + ruta + "'.");
  if (std::filesystem::is_directory(ruta, ec))
    FallaJet(ado::adErrUnspecified, "'" + ruta + "' no es un archivo de base de datos.");
  std::ifstream archivo(ruta, std::ios::binary);
  if (!archivo)
    FallaJet(ado::adErrUnspecified,
             "No se puede abrir el archivo '" + ruta + "': " + std::strerror(errno) + ".");
  std::string cabecera(sizeof kCabeceraSqlite, '\0');
  archivo.read(cabecera.data(), static_cast<std::streamsize>(cabecera.size()));
  cabecera.resize(static_cast<std::size_t>(archivo.gcount()));
  return cabecera;
}

bool EsSqlite(const std::string& cabecera) {
  return cabecera == std::string(kCabeceraSqlite, sizeof kCabeceraSqlite);
}

}  // namespace

std::unique_ptr<ado::Session> OpenSession(const ado::OpenRequest& request) {
  const std::string ruta = RutaDelArchivo(request.connectionString);
  auto base = std::make_unique<BaseEnMemoria>();
  if (!EsSqlite(Cabecera(ruta))) {
    CargaArchivoJet(ruta, *base);
    return std::make_unique<SesionJet>(ruta, std::move(base));
  }
  CargaArchivoSqlite(ruta, *base);
  return std::make_unique<SesionJet>(ruta, std::move(base),
                                     std::make_unique<EscrituraSqlite>(ruta));
}

}  // namespace jet
