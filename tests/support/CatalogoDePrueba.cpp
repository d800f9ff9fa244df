#include "support/CatalogoDePrueba.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace prueba {

namespace fs = std::filesystem;

std::string LeeFixture(const std::string& ruta) {
  const fs::path completa =
      fs::path(ruta).is_absolute() ? fs::path(ruta) : fs::path(GRADIX_FIXTURES_DIR) / ruta;
  std::ifstream archivo(completa, std::ios::binary);
  if (!archivo) throw std::runtime_error("cannot read the fixture " + completa.string());
  std::ostringstream texto;
  texto << archivo.rdbuf();
  return texto.str();
}

SqlDeCatalogo CatalogoDeReferencia(const std::string& porNombre, const std::string& despues) {
  return {LeeFixture("catalogo/referencia.sql") + "\n" + porNombre + "\n" +
          LeeFixture("catalogo/numera.sql") + "\n" + despues};
}

SqlDeCatalogo CatalogoConTablas(const std::vector<std::string>& tablas,
                                const std::string& despues) {
  std::string lista;
  for (const std::string& tabla : tablas)
    lista += (lista.empty() ? "lower('" : ",lower('") + tabla + "')";
  std::string filtro = "DELETE FROM Tabla WHERE lower(NOMBRE) NOT IN (" + lista + ");\n";
  for (const char* filas : {"Campo", "Indice", "Defecto"})
    filtro += std::string("DELETE FROM ") + filas +
              " WHERE lower(TABLA) NOT IN (SELECT lower(NOMBRE) FROM Tabla);\n";
  return CatalogoDeReferencia(filtro, despues);
}

void CreaBaseSqlite(const std::string& ruta, const std::string& sql) {
  fs::remove(ruta);
  sqlite3* db = nullptr;
  if (sqlite3_open(ruta.c_str(), &db) != SQLITE_OK) {
    const std::string mensaje = sqlite3_errmsg(db);
    sqlite3_close(db);
    throw std::runtime_error("cannot create " + ruta + ": " + mensaje);
  }
  char* error = nullptr;
  // A throwaway file: no journal and no waiting for the disk.
  const std::string script = "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;\n" + sql;
  const int resultado = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
  const std::string mensaje = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (resultado != SQLITE_OK)
    throw std::runtime_error("the catalogue script failed on " + ruta + ": " + mensaje);
}

std::string CadenaJet(const std::string& ruta) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + ruta + ";Persist Security Info=False";
}

void EsperaSoloLectura(ado::Connection& cnx, const std::string& sql) {
  try {
    cnx.Execute(sql);
    ADD_FAILURE() << sql << " was accepted";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number(), ado::adErrUnspecified) << sql;
    EXPECT_THAT(e.Description(), ::testing::HasSubstr("sólo lectura")) << sql;
  }
}

CarpetaTemporal::CarpetaTemporal() {
  const fs::path base = fs::path(GRADIX_TEST_BUILD_DIR) / "tmp";
  fs::create_directories(base);
  std::string plantilla = (base / "prueba-XXXXXX").string();
  if (!mkdtemp(plantilla.data()))
    throw std::runtime_error("cannot create a temporary folder under " + base.string());
  ruta_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
  std::error_code ec;
  fs::remove_all(ruta_, ec);
}

}  // namespace prueba
