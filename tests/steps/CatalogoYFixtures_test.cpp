// The fixture databases and the reference catalogue agree: a database at 5.0 (5.1)
// brought in line with the catalogue and then migrated by the 5.1 (5.2) routines gives
// no run-log entry, as the ladder steps run them.
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/5x/modVersion51.h"
#include "steps/5x/modVersion52.h"
#include "support/CatalogoDePrueba.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;

class CatalogoYFixtures : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(prueba::CatalogoDeReferencia());
  }
};

TEST_F(CatalogoYFixtures, Step51FromTheFixtureAt50) {
  CreaBase("bd/version_500.sql");
  Sincroniza();
  ActualizaCamposVersion51(cnx_, "C:\\Velmar", ManejadorMySQL, lbl_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"510"}}));
}

TEST_F(CatalogoYFixtures, Step52FromTheFixtureAt51) {
  CreaBase("bd/version_510.sql");
  ModificarEstructura52(cnx_, ManejadorMySQL);
  Sincroniza();
  ActualizaCamposVersion52(cnx_, "C:\\Velmar", ManejadorMySQL, lbl_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"520"}}));
}

// A database that lacks the 5.1 columns gets them from the catalogue, with the
// catalogue's defaults, so the routine's fills find nothing to fill and fail nowhere.
TEST_F(CatalogoYFixtures, Step51OnTablesWithoutTheNewColumns) {
  CreaBase("");
  bd_->EjecutaSql(
      "CREATE TABLE tblVersion (VER SMALLINT NOT NULL DEFAULT 0, CXC_CENTRAL SMALLINT NOT NULL "
      "DEFAULT 0);"
      "INSERT INTO tblVersion VALUES (500, 0);"
      "CREATE TABLE tblEncPaquetes (COD1_PAQ VARCHAR(20) NOT NULL DEFAULT '');"
      "INSERT INTO tblEncPaquetes VALUES ('PAQ1');");
  Sincroniza();
  ActualizaCamposVersion51(cnx_, "", ManejadorMySQL, lbl_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COD1_PAQ, REC_MODIF FROM tblEncPaquetes"),
            (Filas{{"PAQ1", "0"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblPlantillaMenus WHERE ORDEN_MENU=178"),
            (Filas{{"4"}}));
}

}  // namespace
