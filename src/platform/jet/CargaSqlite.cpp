#include "platform/jet/CargaSqlite.h"

#include "platform/jet/ErroresJet.h"

namespace jet {

namespace {

std::string TextoDeColumna(sqlite3_stmt* sentencia, int columna) {
  const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(sentencia, columna));
  return texto ? texto : "";
}

std::vector<std::string> Tablas(const BaseEnMemoria& base) {
  Sentencia consulta = base.Prepara(
      "SELECT name FROM origen.sqlite_schema WHERE type='table' AND name NOT LIKE 'sqlite\\_%' "
      "ESCAPE '\\' ORDER BY rowid");
  std::vector<std::string> tablas;
  int paso = SQLITE_ROW;
  while ((paso = sqlite3_step(consulta.get())) == SQLITE_ROW)
    tablas.push_back(TextoDeColumna(consulta.get(), 0));
  if (paso != SQLITE_DONE) FallaDeSentencia(paso, sqlite3_errmsg(base.Conexion()));
  return tablas;
}

std::vector<ColumnaNueva> Columnas(const BaseEnMemoria& base, const std::string& tabla) {
  Sentencia consulta =
      base.Prepara("SELECT name, type FROM pragma_table_info(?1, 'origen') ORDER BY cid");
  sqlite3_bind_text(consulta.get(), 1, tabla.c_str(), -1, SQLITE_TRANSIENT);
  std::vector<ColumnaNueva> columnas;
  while (sqlite3_step(consulta.get()) == SQLITE_ROW)
    columnas.push_back({TextoDeColumna(consulta.get(), 0), TextoDeColumna(consulta.get(), 1)});
  return columnas;
}

void CopiaTablas(const BaseEnMemoria& destino) {
  for (const std::string& tabla : Tablas(destino)) {
    destino.CreaTabla(tabla, Columnas(destino, tabla));
    destino.Ejecuta("INSERT INTO main." + IdentificadorSql(tabla) + " SELECT * FROM origen." +
                    IdentificadorSql(tabla));
  }
}

}  // namespace

// A URI with the mode, in which the path's characters that mean something in a URI are
// escaped.
std::string UriSqlite(const std::string& ruta, const std::string& modo) {
  std::string uri = "file:";
  for (char c : ruta) {
    if (c == '%' || c == '?' || c == '#') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto b = static_cast<unsigned char>(c);
      uri += {'%', kHex[b >> 4], kHex[b & 15]};
    } else {
      uri += c;
    }
  }
  return uri + "?mode=" + modo;
}

// The file is attached read-only.
void CargaArchivoSqlite(const std::string& ruta, const BaseEnMemoria& destino) {
  Sentencia adjunta = destino.Prepara("ATTACH DATABASE ?1 AS origen");
  const std::string uri = UriSqlite(ruta, "ro");
  sqlite3_bind_text(adjunta.get(), 1, uri.c_str(), -1, SQLITE_TRANSIENT);
  if (sqlite3_step(adjunta.get()) != SQLITE_DONE) {
    const int codigo = sqlite3_errcode(destino.Conexion());
    FallaJet(ado::adErrUnspecified,
             codigo == SQLITE_CORRUPT || codigo == SQLITE_NOTADB
                 ? "El archivo de base de datos '" + ruta + "' está dañado."
                 : "No se puede abrir el archivo '" + ruta + "': " +
                       UltimoMensaje(destino.Conexion()));
  }
  try {
    CopiaTablas(destino);
  } catch (const ado::ProviderError& e) {
    FallaJet(ado::adErrUnspecified,
             "El archivo de base de datos '" + ruta + "' está dañado: " + e.Description());
  }
  destino.Ejecuta("DETACH DATABASE origen");
}

}  // namespace jet
