// Steps 9.1 to 9.5.2 as the ladder runs them: the fixture database at 9.0 is brought in line
// with the catalogue (the reference one), then the routines run one after the
// other.
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion91.h"
#include "steps/8x_9x/modVersion92.h"
#include "steps/8x_9x/modVersion93.h"
#include "steps/8x_9x/modVersion94.h"
#include "steps/8x_9x/modVersion95.h"
#include "support/CatalogoDePrueba.h"

namespace {

using prueba::Filas;

class Pasos91a95 : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(prueba::CatalogoDeReferencia());
  }

  void BaseSincronizada(const std::string& antes = {}) {
    CreaBase("bd/version_900_95x.sql");
    if (!antes.empty()) bd_->EjecutaSql(antes);
    Sincroniza();
  }

  void Asciende() {
    ModificarEstructura91(cnx_, ManejadorMySQL, 900, 952, lbl_);
    ModificarEstructura92(cnx_, ManejadorMySQL, 900, 952);
    ModificarEstructura93(cnx_, ManejadorMySQL, 900, 952);
    ModificarEstructura94(cnx_, ManejadorMySQL, 900, 952);
    ModificarEstructura95(cnx_, ManejadorMySQL, 900, 952);
    ModificarEstructura951(cnx_, ManejadorMySQL, 900, 952);
    ModificarEstructura952(cnx_, ManejadorMySQL, 900, 952);
  }
};

TEST_F(Pasos91a95, FromTheFixtureAt90) {
  BaseSincronizada();
  Asciende();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"952", "0"}}));
}

// A database that lacks tables and columns of 9.1 to 9.5.2 gets them from the
// synchronisation with the catalogue's defaults; the routines then fail nowhere, add the
// rows that were missing, and the new FTP date column ends at its reset value.
TEST_F(Pasos91a95, OnADatabaseWithoutThe9xStructure) {
  BaseSincronizada(
      "DROP TABLE tblStatusDoc; DROP TABLE tblTipoVendedor; DROP TABLE tblProveedoresTC;"
      "DROP TABLE tblFtpConexiones; DROP TABLE tblConceptoIE;"
      "ALTER TABLE tblServiciosElec DROP COLUMN FACTWEB_CONC, DROP COLUMN FACTWEB_CVE;"
      "ALTER TABLE tblCatArticulos DROP COLUMN FEC_CAMBIO, DROP COLUMN IMGBIT_ART, "
      "DROP COLUMN IMP_LOCAL;"
      "ALTER TABLE tblUndCosPreArt DROP COLUMN PCIO_PUNTOS, DROP COLUMN PRE_MAX;"
      "ALTER TABLE tblParametrosGenerales DROP COLUMN TA_FTP;");
  Asciende();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COD_STS FROM tblStatusDoc ORDER BY 1"),
            (Filas{{"11"}, {"12"}, {"13"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVTC FROM tblProveedoresTC ORDER BY 1"),
            (Filas{{"2"}, {"3"}, {"5"}}));
  EXPECT_EQ(Consulta("SELECT DISTINCT FACTWEB_CONC, FACTWEB_CVE FROM tblServiciosElec"),
            (Filas{{"Consumo de alimentos", "90101501"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCatArticulos WHERE "
                     "COD1_ART='QZ_PEDIDO_CARGO_SERV' AND FEC_CAMBIO LIKE '1800-01-01 %'"),
            (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT DISTINCT TA_FTP FROM tblParametrosGenerales"),
            (Filas{{"1800-01-01"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"952"}}));
}

}  // namespace
