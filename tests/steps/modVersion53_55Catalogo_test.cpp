// The fixture databases at 5.2, 5.3 and 5.4 and the reference catalogue
// agree: each step's routines and its synchronisation, in the step's order, leave the
// run log empty but for what the step's own history provokes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/5x/modVersion53.h"
#include "steps/5x/modVersion54.h"
#include "steps/5x/modVersion55.h"
#include "support/CatalogoDePrueba.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;

class Pasos53a55 : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(prueba::CatalogoDeReferencia());
  }
};

// The empty modifier table that 5.3 drops comes back with the synchronisation.
TEST_F(Pasos53a55, Step53FromTheFixtureAt52) {
  CreaBase("bd/version_520.sql");
  ModificarEstructura53(cnx_, ManejadorMySQL);
  Sincroniza();
  ActualizaCamposVersion53(cnx_, "C:\\Velmar", ManejadorMySQL, lbl_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"530"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblModificadores"), (Filas{{"0"}}));
}

TEST_F(Pasos53a55, Step54FromTheFixtureAt53) {
  CreaBase("bd/version_530.sql");
  ModificarEstructura54(cnx_, ManejadorMySQL);
  Sincroniza();
  ActualizaCamposVersion54(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"540"}}));
}

// 5.5 drops the second address line again, which 5.4 took already: its one entry.
TEST_F(Pasos53a55, Step55FromTheFixtureAt54) {
  CreaBase("bd/version_540.sql");
  Sincroniza();
  ModificarEstructura55(cnx_, ManejadorMySQL);
  ActualizaCamposVersion55(cnx_);
  const std::string log = log_.Contenido();
  EXPECT_THAT(log, ::testing::StartsWith("\r\nError en ModificarEstructura55 :"));
  EXPECT_THAT(log, ::testing::HasSubstr("DIR2_EMP"));
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"550"}}));
}

}  // namespace
