#include "steps/5x/modVersion52.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::vector<std::string> kVersion520 = {
    "SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (520,0);",
    "DELETE FROM tblVersion WHERE VER<>520;"};

struct FormaDelDialecto {
  std::int16_t iManejador;
  std::vector<std::string> sentencias;
};

void PrintTo(const FormaDelDialecto& forma, std::ostream* os) { *os << "code " << forma.iManejador; }

class ModificarEstructura52Grabada : public prueba::RutinaGrabada,
                                     public ::testing::WithParamInterface<FormaDelDialecto> {};

TEST_P(ModificarEstructura52Grabada, StatementsOfTheDialect) {
  ModificarEstructura52(cnx_, GetParam().iManejador);
  std::vector<std::string> esperadas = GetParam().sentencias;
  esperadas.insert(esperadas.end(), kVersion520.begin(), kVersion520.end());
  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  EXPECT_FALSE(log_.Existe());
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, ModificarEstructura52Grabada,
    ::testing::Values(
        FormaDelDialecto{
            4,
            {"DROP TABLE IF EXISTS tblListasSeleccionables;",
             "DROP TABLE IF EXISTS tblModificadores;",
             "ALTER TABLE tblFacturaElectronica DROP COLUMN RUTA_PDF;",
             "ALTER TABLE tblFacturaElectronica MODIFY FOLIO_FISCAL VARCHAR(17) NOT NULL;",
             "ALTER TABLE tblCajas MODIFY TA_PASSWORD VARCHAR(10) NOT NULL;"}},
        FormaDelDialecto{3,
                         {"DROP TABLE tblListasSeleccionables;", "DROP TABLE tblModificadores;",
                          "ALTER TABLE tblFacturaElectronica DROP COLUMN RUTA_PDF;",
                          "ALTER TABLE tblFacturaElectronica ALTER COLUMN FOLIO_FISCAL VARCHAR(17) "
                          "NOT NULL;",
                          "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD VARCHAR(10) NOT NULL;"}},
        FormaDelDialecto{2,
                         {"DROP TABLE tblListasSeleccionables;", "DROP TABLE tblModificadores;",
                          "ALTER TABLE tblFacturaElectronica DROP COLUMN RUTA_PDF;",
                          "ALTER TABLE tblFacturaElectronica ALTER COLUMN FOLIO_FISCAL TEXT(17);",
                          "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD TEXT(10);"}}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

// On SQL Server a table that is already gone makes its drop fail; the rest still runs.
class Version52Grabada : public prueba::RutinaGrabada {};

TEST_F(Version52Grabada, ModificarEstructura52WithoutTheTableOnSqlServer) {
  db_.Falla("DROP TABLE tblListasSeleccionables;", -2147217865,
            "Cannot drop the table 'tblListasSeleccionables', because it does not exist");
  ModificarEstructura52(cnx_, ManejadorSQLServer);
  EXPECT_EQ(db_.Textos().size(), 5u + kVersion520.size());
  EXPECT_EQ(log_.Contenido(),
            Entrada("Error en ModificarEstructura52 :", -2147217865,
                    "Cannot drop the table 'tblListasSeleccionables', because it does not exist"));
}

TEST_F(Version52Grabada, ActualizaCamposVersion52FillsEachColumnByItsOwnTest) {
  ui::Label lbl;
  db_.Falla("UPDATE tblCatAlmacenes SET PROT_MAX=0 WHERE PROT_MAX IS NULL;", -2147217900,
            "Unknown column 'PROT_MAX'");
  ActualizaCamposVersion52(cnx_, "C:\\Velmar", ManejadorSQLServer, lbl);
  std::vector<std::string> esperadas = {
      "UPDATE tblParametrosGenerales SET ACT_PRECOM=0 WHERE ACT_PRECOM IS NULL;",
      "UPDATE tblParametrosGenerales SET UND_PRECOM=0 WHERE UND_PRECOM IS NULL;",
      "UPDATE tblParametrosGenerales SET PREXLISTA=0 WHERE PREXLISTA IS NULL;",
      "UPDATE tblCajas SET LIMITE_ALERTA=0 WHERE LIMITE_ALERTA IS NULL;",
      "UPDATE tblCatAlmacenes SET PROT_MAX=0 WHERE PROT_MAX IS NULL;",
      "UPDATE tblEncPaquetes SET REC_MODIF=0 WHERE REC_MODIF IS NULL;",
      "UPDATE tblRenPaquetes SET MODIF_OPC=0 WHERE MODIF_OPC IS NULL;",
      "UPDATE tblRenPaquetes SET MODIF_INT=0 WHERE MODIF_INT IS NULL;",
      "UPDATE tblRenPaquetes SET MODIF_LISTA=0 WHERE MODIF_LISTA IS NULL;"};
  esperadas.insert(esperadas.end(), kVersion520.begin(), kVersion520.end());
  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  EXPECT_EQ(log_.Contenido(), Entrada("Error en ActualizaCamposVersion52 :", -2147217900,
                                      "Unknown column 'PROT_MAX'"));
}

// ------------------------------------------------------------ on MariaDB

class Version52 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_510.sql");
  }
  Filas Columna(const char* tabla, const char* columna) const {
    return Consulta(std::string("SELECT COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS "
                                "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME='") +
                    tabla + "' AND COLUMN_NAME='" + columna + "'");
  }
};

TEST_F(Version52, FromADatabaseAt51) {
  ModificarEstructura52(cnx_, ManejadorMySQL);
  ActualizaCamposVersion52(cnx_, "C:\\Velmar", ManejadorMySQL, lbl_);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"520", "0"}}));
  EXPECT_EQ(
      Consulta("SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA=DATABASE() "
               "AND TABLE_NAME IN ('tblListasSeleccionables','tblModificadores')"),
      Filas{});
  EXPECT_EQ(Columna("tblFacturaElectronica", "RUTA_PDF"), Filas{});
  EXPECT_EQ(Columna("tblFacturaElectronica", "FOLIO_FISCAL"), (Filas{{"varchar(17)", "NO"}}));
  EXPECT_EQ(Columna("tblCajas", "TA_PASSWORD"), (Filas{{"varchar(10)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, FOLIO_FISCAL FROM tblFacturaElectronica ORDER BY FOLIO"),
            (Filas{{"1", "1234567890"}, {"2", "123456789012345"}}));
  EXPECT_EQ(Consulta("SELECT COD_CAJA, TA_PASSWORD, LIMITE_ALERTA FROM tblCajas ORDER BY COD_CAJA"),
            (Filas{{"1", "clave01", "0"}, {"2", "", "5"}}));
  EXPECT_EQ(Consulta("SELECT ACT_PRECOM, UND_PRECOM, PREXLISTA FROM tblParametrosGenerales"),
            (Filas{{"0", "1", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_ALM, PROT_MAX FROM tblCatAlmacenes ORDER BY COD_ALM"),
            (Filas{{"01", "0"}, {"02", "3"}}));
  EXPECT_EQ(Consulta("SELECT COD1_PAQ, REC_MODIF FROM tblEncPaquetes ORDER BY COD1_PAQ"),
            (Filas{{"PAQCEN", "0"}, {"PAQCOM", "1"}, {"PAQDES", "0"}}));
  // Each flag by its own null test: a set MODIF_INT stays.
  EXPECT_EQ(
      Consulta("SELECT COD1_ART, MODIF_OPC, MODIF_INT, MODIF_LISTA FROM tblRenPaquetes "
               "ORDER BY COD1_ART"),
      (Filas{{"CAFE", "0", "0", "0"}, {"REFRESCO", "1", "0", "0"}, {"TAMAL", "0", "1", "0"}}));
}

// Run again: only the drop of the column that is gone fails; the tables' drops do not
// fail on MySQL, the widenings run again and the version row is rewritten.
TEST_F(Version52, ModificarEstructura52Twice) {
  ModificarEstructura52(cnx_, ManejadorMySQL);
  ModificarEstructura52(cnx_, ManejadorMySQL);
  const std::string log = log_.Contenido();
  EXPECT_THAT(log, ::testing::StartsWith("\r\nError en ModificarEstructura52 :-2147217900\r\n"));
  EXPECT_THAT(log, ::testing::HasSubstr("RUTA_PDF"));
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"520"}}));
}

}  // namespace
