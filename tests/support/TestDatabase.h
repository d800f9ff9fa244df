#pragma once
// A fresh database on the throwaway MariaDB server (scripts/test-db.sh), for one
// test. Its name comes from the running test and the process id; it is dropped
// when the object goes. Scripts and checks run through the `mariadb` client, so
// they do not depend on the code under test.
//
//   TEST(Sincronizacion, CreaLaTabla) {
//     REQUIERE_SERVIDOR_DE_PRUEBA();
//     prueba::TestDatabase db;
//     db.EjecutaArchivo("bd/version_500.sql");
//     ... run the code with db.CadenaConexion() ...
//     EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (prueba::Filas{{"952"}}));
//   }
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace prueba {

// True when the test server's environment is set (scripts/test.sh always sets it).
bool HayServidorDePrueba();

// Skips the running test when the test server is not there.
#define REQUIERE_SERVIDOR_DE_PRUEBA()                                                    \
  do {                                                                                   \
    if (!::prueba::HayServidorDePrueba())                                                \
      GTEST_SKIP() << "the test server is not running (GRADIX_TEST_DSN is not set: "     \
                      "start it with scripts/test-db.sh and source its test-db.env)";    \
  } while (false)

// Rows of a query as text, NULL written "NULL".
using Filas = std::vector<std::vector<std::string>>;

class TestDatabase {
 public:
  // Creates the database; raises std::runtime_error when the server cannot be reached.
  TestDatabase();
  ~TestDatabase();  // drops the database and puts back ODBCINI if EscribeDsn changed it
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  const std::string& Nombre() const { return nombre_; }
  // "DSN=<GRADIX_TEST_DSN>;DATABASE=<name>"
  std::string CadenaConexion() const;

  // Runs SQL statements (several, each ended by ';') in this database; raises
  // std::runtime_error with the client's message when one fails.
  void EjecutaSql(const std::string& sql) const;
  // The same for a script file; a relative path is taken from tests/fixtures/.
  void EjecutaArchivo(const std::string& ruta) const;
  // The rows of a query in this database.
  Filas Consulta(const std::string& sql) const;

  // Writes a private odbc.ini (the current one plus a data source `dsn` that opens
  // this database) and points ODBCINI at it for this process. Returns "DSN=<dsn>".
  std::string EscribeDsn(const std::string& dsn);

 private:
  std::string nombre_;
  std::string odbcIniPropio_;                   // empty until EscribeDsn runs
  std::optional<std::string> odbcIniAnterior_;  // ODBCINI before it, when it was set
  std::string contenidoOdbcIni_;
};

}  // namespace prueba
