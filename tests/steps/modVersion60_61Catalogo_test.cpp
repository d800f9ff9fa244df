// The 5.9.9 fixture and the reference catalogue agree: brought in line
// with the climb's catalogue, the database goes through both routines without a run-log
// entry, as ladder steps 6.0 and 6.1 run them.
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/6x_7x/modVersion60.h"
#include "steps/6x_7x/modVersion61.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;

prueba::SqlDeCatalogo CatalogoA614() {
  return prueba::CatalogoDeReferencia({}, "UPDATE tblVersion SET VER = 614;");
}

class Version60y61ConCatalogo : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(CatalogoA614());
  }
};

TEST_F(Version60y61ConCatalogo, TheFixtureAt599ClimbsWithoutALogEntry) {
  CreaBase("bd/version_599.sql");
  Sincroniza();
  ModificarEstructura60(cnx_, ManejadorMySQL);
  Sincroniza();
  ModificarEstructura61(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"614"}}));
}

// A database that lacks the tables of 6.0 and 6.1 gets them from the catalogue, and
// both routines run through on it without a failure.
TEST_F(Version60y61ConCatalogo, AnEmptyDatabaseGetsWhatTheRoutinesTouch) {
  CreaBase("");
  bd_->EjecutaSql(
      "CREATE TABLE tblVersion (VER SMALLINT NOT NULL DEFAULT 0, CXC_CENTRAL SMALLINT NOT NULL "
      "DEFAULT 0);"
      "INSERT INTO tblVersion VALUES (599, 0);"
      "CREATE TABLE tblRenMesas (MESA VARCHAR(10) NOT NULL DEFAULT '', COD2_ART VARCHAR(20));");
  Sincroniza();
  ModificarEstructura60(cnx_, ManejadorMySQL);
  ModificarEstructura61(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblIdEmpresa"), (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT TIP_USU FROM tblUsuarios WHERE COD_USU='HOST'"), (Filas{{"6"}}));
}

}  // namespace
