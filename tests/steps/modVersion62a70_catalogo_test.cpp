// Steps 6.2 to 7.0 as the ladder runs them: the fixture database of the version below is
// brought in line with the catalogue (the reference one), then
// the step's routine runs on it; the same for the central-administrator database at 5.0
// and its fix-ups.
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/6x_7x/modVersion62.h"
#include "steps/6x_7x/modVersion63.h"
#include "steps/6x_7x/modVersion64_70.h"
#include "support/CatalogoDePrueba.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;

class Pasos62a70 : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(prueba::CatalogoDeReferencia());
  }
};

TEST_F(Pasos62a70, FromTheFixtureAt61To70) {
  CreaBase("bd/version_614.sql");
  Sincroniza();
  ModificarEstructura62(cnx_, ManejadorMySQL, 952);
  Sincroniza();
  ModificarEstructura63(cnx_, ManejadorMySQL, 952);
  Sincroniza();
  ModificarEstructura70(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"700"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVTC FROM tblProveedoresTC ORDER BY 1"),
            (Filas{{"1"}, {"2"}, {"3"}, {"4"}}));
}

// Tables that lack the columns of 6.2 to 7.0 get them from the catalogue, with its
// defaults, so no fill fails.
TEST_F(Pasos62a70, TablesWithoutTheNewColumns) {
  CreaBase("bd/version_614.sql");
  bd_->EjecutaSql(
      "ALTER TABLE tblAuxCaja DROP COLUMN CON_CEP, DROP COLUMN COD_TERMINAL, DROP COLUMN "
      "COD_TCPROMO;"
      "ALTER TABLE tblFormasPago DROP COLUMN SAT_MPAGO, DROP COLUMN CAR_MAX;"
      "ALTER TABLE tblParametrosGenerales DROP COLUMN PSE_CODPROV, DROP COLUMN ME_CODPROV;"
      "DROP TABLE tblServiciosME; DROP TABLE tblTCTerminales;");
  Sincroniza();
  ModificarEstructura62(cnx_, ManejadorMySQL, 952);
  ModificarEstructura63(cnx_, ManejadorMySQL, 952);
  ModificarEstructura70(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"700"}}));
  EXPECT_EQ(Consulta("SELECT SAT_MPAGO FROM tblFormasPago ORDER BY COD_FRP"),
            (Filas{{"EFECTIVO"}, {"TARJETA"}, {"CHEQUE"}}));
}

// The administrator kind's synchronisation, then its fix-ups: nothing fails (the reset
// names a password column this catalogue does not have, and is skipped unseen).
TEST_F(Pasos62a70, AdministratorAt50) {
  CreaBase("bd/administrador_500.sql");
  bool bExisteError = false;
  clsBaseDatos().CrearBaseDeDatos(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(),
                                  bExisteError, lbl_, false, EstructuraAdministrador);
  ASSERT_FALSE(bExisteError);
  ModificarEstructura70_AC(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_DpDisparador"),
            (Filas{{"3", "0", "01:00:00", "0", "0", "0"}}));
  EXPECT_EQ(Consulta("SELECT Id_Paquete FROM tblAC_Paquetes WHERE Fecha_Crea IS NULL ORDER BY 1"),
            (Filas{{"2"}, {"3"}}));
}

}  // namespace
