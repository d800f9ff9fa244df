// Steps 5.6 to 5.8 as the ladder runs them: the fixture database of the version below is
// brought in line with the catalogue (the reference one), then the
// step's routines run on it.
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "steps/5x/modVersion56.h"
#include "steps/5x/modVersion57.h"
#include "steps/5x/modVersion58.h"
#include "support/CatalogoDePrueba.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;

class Pasos56a58 : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(prueba::CatalogoDeReferencia());
  }
  ~Pasos56a58() override { win::EstableceReloj({}); }

  // The fixture, then the synchronisation on a connection of its own.
  void BaseSincronizada(const std::string& fixture, const std::string& antes = {}) {
    CreaBase(fixture);
    if (!antes.empty()) bd_->EjecutaSql(antes);
    Sincroniza();
  }
};

TEST_F(Pasos56a58, Step56) {
  BaseSincronizada("bd/version_550.sql");
  ModificarEstructura56(cnx_, ManejadorMySQL);
  ActualizaCamposVersion56(cnx_, ManejadorMySQL, 1);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"560"}}));
}

// A database without the 5.6 catalogues and order dates gets them from the
// synchronisation: the catalogues are seeded, and the dates the new column gives the
// existing lines ('0000-00-00' on MySQL) are repaired.
TEST_F(Pasos56a58, Step56OnADatabaseWithoutThe56Structure) {
  win::EstableceReloj([] { return vb::DateSerial(2024, 3, 1); });
  BaseSincronizada("bd/version_550.sql",
                   "DROP TABLE tblCartas; DROP TABLE tblRegimenEmpresa; DROP TABLE tblExpedicion;"
                   "ALTER TABLE tblRenMesas DROP COLUMN FECHA_COM;");
  ModificarEstructura56(cnx_, ManejadorMySQL);
  ActualizaCamposVersion56(cnx_, ManejadorMySQL, 3);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCartas"), (Filas{{"3"}}));
  EXPECT_EQ(Consulta("SELECT COD_REGIMEN FROM tblRegimenEmpresa WHERE ACTIVO=1"), (Filas{{"3"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblExpedicion"), (Filas{{"2"}}));
  EXPECT_EQ(Consulta("SELECT DISTINCT FECHA_COM FROM tblRenMesas"), (Filas{{"2024-03-01"}}));
}

TEST_F(Pasos56a58, Step57) {
  BaseSincronizada("bd/version_560.sql");
  ActualizaCamposVersion57(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"570"}}));
}

// On MySQL the synchronisation drops every key the catalogue does not list, so the
// routine finds idxFOLIO_NV gone: one entry. The headers without folio or warehouse
// give theirs.
TEST_F(Pasos56a58, Step58) {
  BaseSincronizada("bd/version_570.sql");
  ActualizaCamposVersion58(cnx_, ManejadorMySQL);
  const std::string log = log_.Contenido();
  EXPECT_EQ(log.rfind("\r\nError en ActualizaCamposVersion58 :-2147217900\r\n", 0), 0u) << log;
  EXPECT_NE(log.find("idxFOLIO_NV"), std::string::npos) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 9) << log;
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"580", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_ALM FROM tblComprasRen WHERE FOL_DOC='C001' ORDER BY RENGLON"),
            (Filas{{"01"}, {"01"}, {"02"}}));
}

// The warehouse copy's UPDATE, one per purchase header, finds its lines through the key
// the synchronisation gives tblComprasRen, not by reading every line.
TEST_F(Pasos56a58, Step58FindsEachHeadersLinesByTheirKey) {
  BaseSincronizada("bd/version_570.sql");
  const Filas plan = Consulta(
      "EXPLAIN UPDATE tblComprasRen SET COD_ALM='01' WHERE (FOL_DOC='C001') AND ((COD_ALM IS "
      "NULL) OR (LENGTH(COD_ALM)=0))");
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_NE(std::find(plan[0].begin(), plan[0].end(), "PK_ComprasRen"), plan[0].end());
}

}  // namespace
