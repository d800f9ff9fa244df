// The reference catalogue and the routines agree: a database built
// from the catalogue alone takes every routine of 8.5 to 9.0 (and a central-administrator
// database the fix-ups of 8.0 and 8.9) without a run-log entry, but for the two columns
// that 8.9 drops and 9.5.2 no longer has.
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion85.h"
#include "steps/8x_9x/modVersion86.h"
#include "steps/8x_9x/modVersion87.h"
#include "steps/8x_9x/modVersion88.h"
#include "steps/8x_9x/modVersion89.h"
#include "steps/8x_9x/modVersion90.h"
#include "support/CatalogoDePrueba.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;

class Catalogo85a90 : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(prueba::CatalogoDeReferencia());
    CreaBase("");
  }
};

TEST_F(Catalogo85a90, MainStoreFrom85To90) {
  prueba::RelojFijo reloj(2020, 5, 6, 7, 8, 9);
  Sincroniza();
  ModificarEstructura85(cnx_, ManejadorMySQL, 840, 952);
  ModificarEstructura86(cnx_, ManejadorMySQL, 840, 952);
  ModificarEstructura863(cnx_, ManejadorMySQL, 840, 952);
  ModificarEstructura87(cnx_, ManejadorMySQL, 840, 952);
  ModificarEstructura88(cnx_, ManejadorMySQL, 840, 952);
  ModificarEstructura89(cnx_, ManejadorMySQL, 840, 952, false, "");
  ModificarEstructura894(cnx_, ManejadorMySQL, 840, 952);
  ModificarEstructura90(cnx_, ManejadorMySQL, 840, 952);

  const std::string soltarColumna = "Error en ModificarEstructura89 :-2147217900";
  EXPECT_EQ(prueba::Encabezados(log_.Contenido()),
            (std::vector<std::string>{soltarColumna, soltarColumna}))
      << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"900"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblPlantillaMenus WHERE ORDEN_MENU IN(216,218)"),
            (Filas{{"6"}}));
}

TEST_F(Catalogo85a90, CentralAdministrator) {
  bool bExisteError = false;
  clsBaseDatos().CrearBaseDeDatos(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(),
                                  bExisteError, lbl_, false, EstructuraAdministrador);
  ASSERT_FALSE(bExisteError);
  ASSERT_TRUE(ui_.cajas.empty()) << ui_.cajas.front().prompt;

  ModificarEstructura80_AC(cnx_, ManejadorMySQL, 890);
  ModificarEstructura89_AC(cnx_, ManejadorMySQL, 890);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_DpDisparador"),
            (Filas{{"3", "0", "01:00:00", "0", "0", "0"}}));
}

}  // namespace
