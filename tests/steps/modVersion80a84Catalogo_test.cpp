// The reference catalogue and the fixture agree with the routines: a
// database brought in line with the catalogue, as the ladder steps do before their
// routines, goes through 8.0 to 8.4 and the default-records check without a log entry.
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion82.h"
#include "steps/8x_9x/modVersion83.h"
#include "steps/8x_9x/modVersion84.h"
#include "support/CatalogoDePrueba.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;

prueba::SqlDeCatalogo CatalogoHasta84() { return prueba::CatalogoDeReferencia(); }

class Catalogo80a84 : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(CatalogoHasta84());
  }
  void Asciende(std::int16_t iVersionActual) {
    ModificarEstructura80(cnx_, ManejadorMySQL, 952);
    ModificarEstructura81(cnx_, ManejadorMySQL, iVersionActual);
    ModificarEstructura82(cnx_, ManejadorMySQL, 952, 952);
    ModificarEstructura83(cnx_, ManejadorMySQL, iVersionActual, 952);
    ModificarEstructura84(cnx_, ManejadorMySQL, iVersionActual, 952);
  }
};

// A database with nothing but its version row gets every table from the catalogue.
TEST_F(Catalogo80a84, FromTheCatalogueAlone) {
  CreaBase("");
  bd_->EjecutaSql("CREATE TABLE tblVersion (VER SMALLINT NOT NULL DEFAULT 0, CXC_CENTRAL "
                  "SMALLINT NOT NULL DEFAULT 0); INSERT INTO tblVersion VALUES (740, 0);");
  Sincroniza();
  Asciende(740);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"840"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblFormasPago"), (Filas{{"6"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCatArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"1"}}));
  // Columns that the catalogue and the widenings agree on.
  EXPECT_EQ(Consulta("SELECT TABLE_NAME,COLUMN_NAME,CHARACTER_MAXIMUM_LENGTH FROM "
                     "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND COLUMN_NAME IN "
                     "('NOM_CLI','NOM_PROV','SAT_MPAGO','PED_IMP','MAIL_CLI') ORDER BY 1,2"),
            (Filas{{"tblcatclientes", "MAIL_CLI", "100"},
                   {"tblcatclientes", "NOM_CLI", "254"},
                   {"tblcatproveedor", "NOM_PROV", "254"},
                   {"tblcomprasenc", "PED_IMP", "21"},
                   {"tblfacturasenc", "SAT_MPAGO", "100"},
                   {"tblformaspago", "SAT_MPAGO", "50"},
                   {"tblocomenc", "PED_IMP", "21"}}));
}

// The fixture at 7.4 brought in line and climbed, then climbed again from 8.4.
TEST_F(Catalogo80a84, FromTheFixtureAndAgain) {
  CreaBase("bd/version_740_84x.sql");
  Sincroniza();
  Asciende(740);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  Sincroniza();
  ModificarEstructura84(cnx_, ManejadorMySQL, 840, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"840"}}));
}

}  // namespace
