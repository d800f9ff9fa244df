#include "platform/jet/JetProvider.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

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
             "No se puede abrir el archivo '" + ruta + "': " + win::MotivoDeFalla(errno) + ".");
  std::string cabecera(sizeof kCabeceraSqlite, '\0');
  archivo.read(cabecera.data(), static_cast<std::streamsize>(cabecera.size()));
  cabecera.resize(static_cast<std::size_t>(archivo.gcount()));
  return cabecera;
}

bool EsSqlite(const std::string& cabecera) {
  return cabecera == std::string(kCabeceraSqlite, sizeof kCabeceraSqlite);
}

// The lookups the structure synchronisation sends by the thousand: by table number, by
// table, field number, field and index; without an index each one reads its whole
// table. The columns after the first keep the order in which the default-value joins give
// their rows: that of the indexes SQLite builds for itself while none exists.
struct IndiceDelCatalogo {
  const char* tabla;
  std::vector<const char*> columnas;
};
const IndiceDelCatalogo kIndicesDelCatalogo[] = {
    {"tblTablas", {"NUMERO"}},
    {"tblCamposTabla", {"TABLA", "NUMERO"}},
    {"tblCamposTabla", {"NUMERO"}},
    {"tblDefaultCampos", {"CAMPO", "REGISTRO", "VALOR"}},
    {"tblIndices", {"TABLA"}},
    {"tblCamposIndice", {"INDICE"}}};

bool TieneColumna(const BaseEnMemoria& base, const char* tabla, const char* columna) {
  Sentencia consulta =
      base.Prepara("SELECT 1 FROM pragma_table_info(?1) WHERE name=?2 COLLATE NOCASE");
  sqlite3_bind_text(consulta.get(), 1, tabla, -1, SQLITE_STATIC);
  sqlite3_bind_text(consulta.get(), 2, columna, -1, SQLITE_STATIC);
  return sqlite3_step(consulta.get()) == SQLITE_ROW;
}

// The index's columns as a list, or nothing when the copy lacks one of them.
std::string ColumnasDelIndice(const BaseEnMemoria& base, const IndiceDelCatalogo& indice) {
  std::string lista;
  for (const char* columna : indice.columnas) {
    if (!TieneColumna(base, indice.tabla, columna)) return {};
    lista += (lista.empty() ? "" : ",") + IdentificadorSql(columna);
  }
  return lista;
}

// Only the copy gets them: the file stays as it is.
void IndexaCatalogo(const BaseEnMemoria& base) {
  for (const IndiceDelCatalogo& indice : kIndicesDelCatalogo) {
    const std::string columnas = ColumnasDelIndice(base, indice);
    if (columnas.empty()) continue;
    const std::string nombre = std::string("ix_") + indice.tabla + "_" + indice.columnas.front();
    base.Ejecuta("CREATE INDEX " + IdentificadorSql(nombre) + " ON " +
                 IdentificadorSql(indice.tabla) + " (" + columnas + ")");
  }
}

}  // namespace

std::unique_ptr<ado::Session> OpenSession(const ado::OpenRequest& request) {
  const std::string ruta = RutaDelArchivo(request.connectionString);
  auto base = std::make_unique<BaseEnMemoria>();
  if (!EsSqlite(Cabecera(ruta))) {
    CargaArchivoJet(ruta, *base);
    IndexaCatalogo(*base);
    return std::make_unique<SesionJet>(ruta, std::move(base));
  }
  CargaArchivoSqlite(ruta, *base);
  IndexaCatalogo(*base);
  return std::make_unique<SesionJet>(ruta, std::move(base),
                                     std::make_unique<EscrituraSqlite>(ruta));
}

}  // namespace jet
