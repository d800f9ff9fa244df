#include "steps/5x/modVersion59.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;

const std::vector<std::string> kVersion590 = {
    "SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (590,0);",
    "DELETE FROM tblVersion WHERE VER<>590;"};

constexpr const char* kPlantilla10 =
    "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=47) AND (COD_PERFIL=0) AND "
    "(MODULO_EDICION=10);";
constexpr const char* kPlantilla11 =
    "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=47) AND (COD_PERFIL=0) AND "
    "(MODULO_EDICION=11);";
constexpr const char* kUsuarios = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<=2;";

std::string MenuUsuario(const std::string& tabla, const std::string& usuario) {
  return "INSERT INTO " + tabla + " (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + usuario +
         "',47,'mnuCarFacServ');";
}

struct ClausulaDelDialecto {
  std::int16_t iManejador;
  std::string clausula;
};

void PrintTo(const ClausulaDelDialecto& c, std::ostream* os) { *os << "code " << c.iManejador; }

class ModificarEstructura59Grabada : public prueba::RutinaGrabada,
                                     public ::testing::WithParamInterface<ClausulaDelDialecto> {};

TEST_P(ModificarEstructura59Grabada, BothTablesGetTheClauseOfTheDialect) {
  ModificarEstructura59(cnx_, GetParam().iManejador);
  std::vector<std::string> esperadas = {"ALTER TABLE tblCatArticulos " + GetParam().clausula,
                                        "ALTER TABLE tblPrecios " + GetParam().clausula};
  esperadas.insert(esperadas.end(), kVersion590.begin(), kVersion590.end());
  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  EXPECT_FALSE(log_.Existe());
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, ModificarEstructura59Grabada,
    ::testing::Values(ClausulaDelDialecto{4, "MODIFY PTO_MAR DECIMAL(13,4) NOT NULL;"},
                      ClausulaDelDialecto{3, "ALTER COLUMN PTO_MAR DECIMAL(13,4) NOT NULL;"},
                      ClausulaDelDialecto{2, "ALTER COLUMN PTO_MAR CURRENCY;"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

class Version59Grabada : public prueba::RutinaGrabada {};

TEST_F(Version59Grabada, ARefusedTypeChangeIsLoggedAndTheVersionStillWritten) {
  db_.Falla("ALTER TABLE tblPrecios MODIFY PTO_MAR DECIMAL(13,4) NOT NULL;", -2147217900,
            "Table 'tblPrecios' doesn't exist");
  ModificarEstructura59(cnx_, ManejadorMySQL);
  EXPECT_EQ(db_.Textos().back(), kVersion590.back());
  EXPECT_EQ(log_.Contenido(), Entrada("Error en ModificarEstructura59 :", -2147217900,
                                      "Table 'tblPrecios' doesn't exist"));
}

// The template row of module 10 is there (whatever option it names), that of module 11 is
// not; each user gets a tblMenusPV and a tblMenusFF row, a Null code none.
TEST_F(Version59Grabada, ActualizaCamposVersion59StatementsInOrder) {
  db_.Responde(kPlantilla10, {{"COD_PERFIL", "NOMBRE_OPCION"}, {{0, "mnuCarFacturas"}}});
  db_.Responde(kPlantilla11, SinFilas({"COD_PERFIL"}));
  db_.Responde(kUsuarios, {{"COD_USU"}, {{"ADMIN"}, {vb::Variant::Null()}, {"D'ANGELO"}}});
  ActualizaCamposVersion59(cnx_);
  std::vector<std::string> esperadas = {
      kPlantilla10,
      kPlantilla11,
      "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
      "ES_RAMA_DE,MODULO_EDICION) VALUES (0,47,'mnuCarFacServ','Facturación de Servicios',40,"
      "11);",
      kUsuarios,
      MenuUsuario("tblMenusPV", "ADMIN"),
      MenuUsuario("tblMenusFF", "ADMIN"),
      MenuUsuario("tblMenusPV", "D''ANGELO"),
      MenuUsuario("tblMenusFF", "D''ANGELO")};
  esperadas.insert(esperadas.end(), kVersion590.begin(), kVersion590.end());
  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  const std::string nulo =
      Entrada("Error en ActualizaCamposVersion59 :", 94, prueba::kNuloNoValido);
  EXPECT_EQ(log_.Contenido(), nulo + nulo);
}

TEST_F(Version59Grabada, UsersThatCannotBeReadGiveNoRowsAndTheVersionIsWritten) {
  db_.Responde(kPlantilla10, SinFilas({"COD_PERFIL"}));
  db_.Responde(kPlantilla11, SinFilas({"COD_PERFIL"}));
  db_.Falla(kUsuarios, -2147217865, "Table 'tblUsuarios' doesn't exist");
  ActualizaCamposVersion59(cnx_);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(
      std::count_if(textos.begin(), textos.end(),
                    [](const std::string& t) { return t.starts_with("INSERT INTO tblMenus"); }),
      0);
  EXPECT_EQ(textos.back(), kVersion590.back());
  // The open, the test for rows, the loop's end test and the close.
  const std::string log = log_.Contenido();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4 * 3) << log;
  EXPECT_THAT(log, ::testing::StartsWith(Entrada("Error en ActualizaCamposVersion59 :", -2147217865,
                                                 "Table 'tblUsuarios' doesn't exist")));
}

// ------------------------------------------------------------ on MariaDB

class Version59 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_580_59x.sql");
  }
  void Ejecuta() {
    ModificarEstructura59(cnx_, ManejadorMySQL);
    ActualizaCamposVersion59(cnx_);
  }
  Filas Menus(const char* tabla) const {
    return Consulta(std::string("SELECT COD_USUARIO, NOMBRE_OPCION FROM ") + tabla +
                    " WHERE ORDEN_MENU=47 ORDER BY COD_USUARIO");
  }
};

TEST_F(Version59, FromADatabaseAt58) {
  Ejecuta();

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"590", "0"}}));
  EXPECT_EQ(
      Consulta("SELECT TABLE_NAME, COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS "
               "WHERE TABLE_SCHEMA=DATABASE() AND COLUMN_NAME='PTO_MAR' ORDER BY 1"),
      (Filas{{"tblcatarticulos", "decimal(13,4)", "NO"}, {"tblprecios", "decimal(13,4)", "NO"}}));
  EXPECT_EQ(
      Consulta("SELECT COD1_ART, PTO_MAR FROM tblCatArticulos ORDER BY COD1_ART"),
      (Filas{{"AZUCAR", "0.0000"}, {"CAFE", "35.5000"}, {"LECHE", "0.0000"}, {"PAN", "12.3457"}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART, LISTA, PTO_MAR FROM tblPrecios ORDER BY 1, 2"),
            (Filas{{"CAFE", "1", "35.5000"}, {"CAFE", "2", "21.8750"}, {"PAN", "1", "12.3457"}}));
  // Module 10 already had order 47 for profile 0 (another option): it stays as it was.
  EXPECT_EQ(Consulta("SELECT MODULO_EDICION, COD_PERFIL, NOMBRE_OPCION, TITULO_OPCION, ES_RAMA_DE "
                     "FROM tblPlantillaMenus WHERE ORDEN_MENU=47 ORDER BY 1, 2"),
            (Filas{{"10", "0", "mnuCarFacturas", "Facturas", "40"},
                   {"11", "0", "mnuCarFacServ", "Facturación de Servicios", "40"}}));
  // Types 0 to 2 and the negative one; not the waiter.
  const Filas usuarios = {{"ADMIN", "mnuCarFacServ"},
                          {"CAJERO1", "mnuCarFacServ"},
                          {"D'ANGELO", "mnuCarFacServ"},
                          {"GERENTE", "mnuCarFacServ"},
                          {"SOPORTE", "mnuCarFacServ"}};
  EXPECT_EQ(Menus("tblMenusPV"), usuarios);
  EXPECT_EQ(Menus("tblMenusFF"), usuarios);
}

// Again at 590: the types are set again, the template rows are found, and every per-user
// row is refused by the table's key, one entry each; nothing else changes.
TEST_F(Version59, SecondRun) {
  Ejecuta();
  const Filas plantilla = Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6");
  const Filas pv = Consulta("SELECT * FROM tblMenusPV ORDER BY 1, 2");
  const Filas ff = Consulta("SELECT * FROM tblMenusFF ORDER BY 1, 2");
  Ejecuta();

  const std::string log = log_.Contenido();
  std::size_t duplicados = 0;
  for (std::size_t i = log.find("Duplicate entry"); i != std::string::npos;
       i = log.find("Duplicate entry", i + 1))
    ++duplicados;
  EXPECT_EQ(duplicados, 10u) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 10 * 3) << log;
  EXPECT_THAT(log, ::testing::StartsWith("\r\nError en ActualizaCamposVersion59 :-2147217873\r\n"));
  EXPECT_EQ(Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6"), plantilla);
  EXPECT_EQ(Consulta("SELECT * FROM tblMenusPV ORDER BY 1, 2"), pv);
  EXPECT_EQ(Consulta("SELECT * FROM tblMenusFF ORDER BY 1, 2"), ff);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"590"}}));
}

}  // namespace
