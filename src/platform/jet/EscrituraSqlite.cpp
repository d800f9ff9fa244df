#include "platform/jet/EscrituraSqlite.h"

#include "platform/jet/CargaSqlite.h"
#include "platform/jet/ErroresJet.h"

namespace jet {

namespace {

// The file's name inside the copy's connection while it is written to.
constexpr const char* kArchivo = "archivo_jet";

int Anota(void* datos, int accion, const char* tabla, const char*, const char* base,
          const char*) {
  auto& efectos = *static_cast<Efectos*>(datos);
  switch (accion) {
    case SQLITE_READ: case SQLITE_SELECT: case SQLITE_FUNCTION: case SQLITE_RECURSIVE:
      break;
    case SQLITE_INSERT: case SQLITE_UPDATE: case SQLITE_DELETE:
      // Writes to SQLite's own tables (sqlite_schema, ...) are changes of structure.
      if (tabla && base && std::string(base) == "main" &&
          std::string(tabla).rfind("sqlite_", 0) != 0)
        efectos.tablasEscritas.insert(tabla);
      else
        efectos.otrosCambios = true;
      break;
    default:
      efectos.otrosCambios = true;
  }
  return SQLITE_OK;
}

// A savepoint, so that a change also nests in a transaction the session has begun.
constexpr const char* kInicio = "SAVEPOINT escritura_jet";
constexpr const char* kFin = "RELEASE escritura_jet";

// Undoes the change after a failure; the failure itself is what is reported.
void Deshace(const BaseEnMemoria& base) {
  sqlite3_exec(base.Conexion(), "ROLLBACK TO escritura_jet; RELEASE escritura_jet", nullptr,
               nullptr, nullptr);
}

// Runs the statement to its end and returns the rows it changed. It is reset before its
// failure is raised, so that nothing is left in progress when the change is undone.
long Corre(const BaseEnMemoria& base, sqlite3_stmt* sentencia) {
  const int paso = sqlite3_step(sentencia);
  const int codigo = sqlite3_extended_errcode(base.Conexion());
  const std::string mensaje = sqlite3_errmsg(base.Conexion());
  const long filas = sqlite3_changes(base.Conexion());
  sqlite3_reset(sentencia);
  if (paso != SQLITE_DONE) FallaDeSentencia(codigo, mensaje);
  return filas;
}

}  // namespace

Sentencia PreparaAnotando(const BaseEnMemoria& base, const std::string& sql, std::string* resto,
                          Efectos& efectos) {
  sqlite3_set_authorizer(base.Conexion(), Anota, &efectos);
  try {
    Sentencia sentencia = base.Prepara(sql, resto);
    sqlite3_set_authorizer(base.Conexion(), nullptr, nullptr);
    return sentencia;
  } catch (...) {
    sqlite3_set_authorizer(base.Conexion(), nullptr, nullptr);
    throw;
  }
}

void EscrituraSqlite::AdjuntaArchivo(const BaseEnMemoria& base) {
  if (adjunto_) return;
  Sentencia adjunta = base.Prepara(std::string("ATTACH DATABASE ?1 AS ") + kArchivo);
  const std::string uri = UriSqlite(ruta_, "rw");
  sqlite3_bind_text(adjunta.get(), 1, uri.c_str(), -1, SQLITE_TRANSIENT);
  if (sqlite3_step(adjunta.get()) != SQLITE_DONE)
    FallaJet(ado::adErrUnspecified, "No se puede escribir en el archivo '" + ruta_ +
                                        "': " + UltimoMensaje(base.Conexion()));
  adjunto_ = true;
}

long EscrituraSqlite::Ejecuta(const BaseEnMemoria& base, sqlite3_stmt* sentencia,
                              const Efectos& efectos) {
  AdjuntaArchivo(base);
  base.Ejecuta(kInicio);
  try {
    const long filas = Corre(base, sentencia);
    for (const std::string& tabla : efectos.tablasEscritas) {
      const std::string enArchivo = std::string(kArchivo) + "." + IdentificadorSql(tabla);
      base.Ejecuta("DELETE FROM " + enArchivo + "; INSERT INTO " + enArchivo +
                   " SELECT * FROM main." + IdentificadorSql(tabla));
    }
    base.Ejecuta(kFin);
    return filas;
  } catch (...) {
    Deshace(base);
    throw;
  }
}

}  // namespace jet
