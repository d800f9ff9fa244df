#include "steps/5x/modVersion53.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kCerrado = prueba::kObjetoCerrado;
constexpr long kSintaxis = -2147217900;

const std::vector<std::string> kVersion530 = {
    "SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (530,0);",
    "DELETE FROM tblVersion WHERE VER<>530;"};

const std::vector<std::string> kTablas = {"tblModificadores", "tblListasSeleccionables",
                                          "tblModifComanda"};

std::string PorNombre(int perfil) {
  return "SELECT * FROM tblPlantillaMenus WHERE (COD_PERFIL=" + std::to_string(perfil) +
         ") AND (MODULO_EDICION=11) AND (NOMBRE_OPCION='mnuCatModif') ORDER BY ORDEN_MENU;";
}
std::string Plantilla(const std::string& perfil) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" +
         perfil + ",146,'mnuCatModif','Modificadores',140,11);";
}
constexpr const char* kPerfilesConPaquetes =
    "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE (COD_PERFIL>1) AND (MODULO_EDICION=11) AND "
    "(NOMBRE_OPCION='mnuCatPaq') ORDER BY ORDEN_MENU;";
constexpr const char* kUsuarios = "SELECT * FROM tblUsuarios WHERE (ESTATUS < 8) ORDER BY COD_USU;";
std::string PerfilTiene(const std::string& perfil) {
  return "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE COD_PERFIL=" + perfil +
         " AND (ORDEN_MENU=146) AND (NOMBRE_OPCION='mnuCatModif') ;";
}
std::string UsuarioTiene(const std::string& usuario) {
  return "SELECT COD_USUARIO FROM tblMenusFF WHERE COD_USUARIO='" + usuario +
         "' AND (ORDEN_MENU=146) AND (NOMBRE_OPCION='mnuCatModif') ;";
}
std::string MenuUsuario(const std::string& usuario) {
  return "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + usuario +
         "',146,'mnuCatModif');";
}

std::vector<std::string> Une(std::initializer_list<std::vector<std::string>> partes) {
  std::vector<std::string> todo;
  for (const auto& parte : partes) todo.insert(todo.end(), parte.begin(), parte.end());
  return todo;
}

// ----------------------------------------------------------- recorded

class Version53Grabada : public prueba::RutinaGrabada {
 protected:
  // Every table holds rows; profiles 0 and 1 have the option; no profile holds the
  // packages' option; ANA (profile 0) and BETO (profile 1) lack their row. A statement
  // answered before takes that answer first.
  void Base() {
    for (const std::string& tabla : kTablas)
      db_.Responde("SELECT * FROM " + tabla + ";", {{"X"}, {{1}}});
    db_.Responde(PorNombre(0), {{"COD_PERFIL"}, {{0}}});
    db_.Responde(PorNombre(1), {{"COD_PERFIL"}, {{1}}});
    db_.Responde(kPerfilesConPaquetes, SinFilas({"COD_PERFIL"}));
    db_.Responde(kUsuarios, {{"COD_USU", "TIP_USU"}, {{"ANA", 0}, {"BETO", 1}}});
    db_.Responde(PerfilTiene("0"), {{"COD_PERFIL"}, {{0}}});
    db_.Responde(PerfilTiene("1"), {{"COD_PERFIL"}, {{1}}});
    db_.Responde(prueba::EmpiezaCon("SELECT COD_USUARIO FROM tblMenusFF"),
                 SinFilas({"COD_USUARIO"}));
  }
  std::vector<std::string> Busquedas() const {
    return {"SELECT * FROM tblModificadores;", "SELECT * FROM tblListasSeleccionables;",
            "SELECT * FROM tblModifComanda;"};
  }
};

struct FormaDelDialecto {
  std::int16_t iManejador;
  std::string separador;  // between DROP TABLE and the table's name
  std::string condicion;  // ActualizaCamposVersion53's test for an empty branch code
};

void PrintTo(const FormaDelDialecto& forma, std::ostream* os) { *os << "code " << forma.iManejador; }

class Version53PorDialecto : public Version53Grabada,
                             public ::testing::WithParamInterface<FormaDelDialecto> {};

// Empty tables are dropped, IF EXISTS only on MySQL; the grant adds the template rows of
// the profiles that hold the packages' option and the rows of the users of those profiles.
TEST_P(Version53PorDialecto, ModificarEstructura53) {
  for (const std::string& tabla : kTablas)
    db_.Responde("SELECT * FROM " + tabla + ";", SinFilas({"X"}));
  db_.Responde(PorNombre(1), SinFilas({"COD_PERFIL"}));
  db_.Responde(kPerfilesConPaquetes, {{"COD_PERFIL"}, {{2}, {5}}});
  db_.Falla(Plantilla("5"), -2147217873, "Duplicate entry '5-11-146' for key 'PK_PlantillaMenus'");
  Base();

  ModificarEstructura53(cnx_, GetParam().iManejador);

  const std::string& sep = GetParam().separador;
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Une(
                  {{"SELECT * FROM tblModificadores;", "DROP TABLE" + sep + "tblModificadores;",
                    "SELECT * FROM tblListasSeleccionables;",
                    "DROP TABLE" + sep + "tblListasSeleccionables;",
                    "SELECT * FROM tblModifComanda;", "DROP TABLE" + sep + "tblModifComanda;",
                    PorNombre(0), PorNombre(1), Plantilla("1"), kPerfilesConPaquetes,
                    Plantilla("2"), Plantilla("5"), kUsuarios, PerfilTiene("0"),
                    UsuarioTiene("ANA"), MenuUsuario("ANA"), PerfilTiene("1"),
                    UsuarioTiene("BETO"), MenuUsuario("BETO")},
                   kVersion530})));
  EXPECT_FALSE(log_.Existe()) << "a refused duplicate of the template is no failure";
  EXPECT_EQ(db_.Ejecuciones()[6].opciones, ado::adCmdText);
}

TEST_P(Version53PorDialecto, ActualizaCamposVersion53) {
  db_.Responde("SELECT COD_SUCU FROM tblParametrosGenerales;", {{"COD_SUCU"}, {{"SUR'1"}}});
  ui::Label lbl;
  ActualizaCamposVersion53(cnx_, "C:\\Velmar", GetParam().iManejador, lbl);
  const std::string& cond = GetParam().condicion;
  EXPECT_THAT(
      db_.Textos(),
      ElementsAreArray(Une(
          {{"SELECT COD_SUCU FROM tblParametrosGenerales;",
            "UPDATE tblAuxCaja SET COD_SUCU='SUR''1' WHERE (COD_SUCU IS NULL) OR (" + cond + ");",
            "UPDATE tblCortes SET COD_SUCU='SUR''1' WHERE (COD_SUCU IS NULL) OR (" + cond + ");",
            "UPDATE tblParametrosGenerales SET TC_URL='' WHERE TC_URL IS NULL;",
            "UPDATE tblParametrosGenerales SET CONX_AC='' WHERE CONX_AC IS NULL;",
            "UPDATE tblParametrosGenerales SET BD_AC='' WHERE BD_AC IS NULL;",
            "UPDATE tblParametrosGenerales SET CONX_DP='' WHERE CONX_DP IS NULL;",
            "UPDATE tblParametrosGenerales SET BD_DP='' WHERE BD_DP IS NULL;",
            "UPDATE tblParametrosGenerales SET ACT_CIN=0 WHERE ACT_CIN IS NULL;",
            "UPDATE tblParametrosGenerales SET CONX_CIN='' WHERE CONX_CIN IS NULL;",
            "UPDATE tblParametrosGenerales SET OBLIGA_BASC=0 WHERE OBLIGA_BASC IS NULL;"},
           kVersion530})));
  EXPECT_FALSE(log_.Existe());
}

// Only code 4 takes the MySQL words; an unknown code takes the others'.
INSTANTIATE_TEST_SUITE_P(
    Dialects, Version53PorDialecto,
    ::testing::Values(FormaDelDialecto{4, " IF EXISTS ", "LENGTH(COD_SUCU)=0"},
                      FormaDelDialecto{3, " ", "LEN(COD_SUCU)=0"},
                      FormaDelDialecto{2, " ", "LEN(COD_SUCU)=0"},
                      FormaDelDialecto{0, " ", "LEN(COD_SUCU)=0"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

// A table that cannot be read counts as holding rows: three entries and no drop.
TEST_F(Version53Grabada, ATableThatCannotBeReadStays) {
  db_.Responde("SELECT * FROM tblModificadores;", SinFilas({"X"}));
  Base();
  db_.Falla("SELECT * FROM tblModifComanda;", kSintaxis, "Table 'tblModifComanda' doesn't exist");
  ModificarEstructura53(cnx_, ManejadorMySQL);
  const auto textos = db_.Textos();
  EXPECT_EQ(std::count_if(textos.begin(), textos.end(),
                          [](const std::string& s) { return s.starts_with("DROP"); }),
            1);
  EXPECT_THAT(textos, ::testing::Contains("DROP TABLE IF EXISTS tblModificadores;"));
  const std::string etiqueta = "Error en ModificarEstructura53 :";
  EXPECT_EQ(log_.Contenido(), Entrada(etiqueta, kSintaxis, "Table 'tblModifComanda' doesn't exist") +
                                  Entrada(etiqueta, 3704, kCerrado) +
                                  Entrada(etiqueta, 3704, kCerrado));
  EXPECT_EQ(textos.back(), kVersion530.back());
}

// Where a failure of the grant leads. A user the grant cannot handle gets one entry under
// the grant's label and the next user is taken; any other failure is not logged, and one
// that reaches ModificarEstructura53 ends it before its version row.
constexpr const char* kEtiquetaPermiso = "Error en AgregaMenuModificadores :";

struct FallaDelPermiso {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> prepara;
  std::vector<std::string> permiso;  // the grant's statements
  bool llegaAlLlamador;
  std::string log;
};

void PrintTo(const FallaDelPermiso& caso, std::ostream* os) { *os << caso.nombre; }

class FallasDelPermiso : public Version53Grabada,
                         public ::testing::WithParamInterface<FallaDelPermiso> {};

TEST_P(FallasDelPermiso, EndQuietlyPassOverTheUserOrReachTheCaller) {
  GetParam().prepara(db_);
  Base();
  if (GetParam().llegaAlLlamador)
    EXPECT_THROW(ModificarEstructura53(cnx_, ManejadorSQLServer), vb::Error);
  else
    EXPECT_NO_THROW(ModificarEstructura53(cnx_, ManejadorSQLServer));
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Une({Busquedas(), GetParam().permiso,
                                    GetParam().llegaAlLlamador ? std::vector<std::string>{}
                                                               : kVersion530})));
  EXPECT_EQ(log_.Contenido(), GetParam().log);
}

const std::vector<std::string> kHastaUsuarios = {PorNombre(0), PorNombre(1), kPerfilesConPaquetes,
                                                 kUsuarios};
const std::vector<std::string> kBeto = {PerfilTiene("1"), UsuarioTiene("BETO"),
                                        MenuUsuario("BETO")};

INSTANTIATE_TEST_SUITE_P(
    Grant, FallasDelPermiso,
    ::testing::Values(
        FallaDelPermiso{"TemplateLookup",
                        [](auto& db) { db.Falla(PorNombre(0), kSintaxis, "no table"); },
                        {PorNombre(0)},
                        false,
                        ""},
        FallaDelPermiso{
            "ProfilesWithPackages",
            [](auto& db) { db.Falla(kPerfilesConPaquetes, kSintaxis, "no table"); },
            {PorNombre(0), PorNombre(1), kPerfilesConPaquetes},
            false,
            ""},
        FallaDelPermiso{"UserQueryWithoutProfileRows",
                        [](auto& db) { db.Falla(kUsuarios, kSintaxis, "no table"); },
                        kHastaUsuarios,
                        false,
                        ""},
        // After profile rows the users' stage starts once more, and then nothing is caught.
        FallaDelPermiso{"UserQueryAfterProfileRows",
                        [](auto& db) {
                          db.Responde(kPerfilesConPaquetes, {{"COD_PERFIL"}, {{2}}});
                          db.Falla(kUsuarios, kSintaxis, "no table");
                        },
                        {PorNombre(0), PorNombre(1), kPerfilesConPaquetes, Plantilla("2"),
                         kUsuarios, kUsuarios},
                        true,
                        ""},
        FallaDelPermiso{"AUserWithoutACode",
                        [](auto& db) {
                          db.Responde(kPerfilesConPaquetes, {{"COD_PERFIL"}, {{2}}});
                          db.Responde(kUsuarios, {{"COD_USU", "TIP_USU"},
                                                  {{Variant::Null(), 0}, {"BETO", 1}}});
                        },
                        Une({{PorNombre(0), PorNombre(1), kPerfilesConPaquetes, Plantilla("2"),
                              kUsuarios},
                             kBeto}),
                        false,
                        Entrada(kEtiquetaPermiso, 94, prueba::kNuloNoValido)},
        FallaDelPermiso{"AUserWithoutAProfile",
                        [](auto& db) {
                          db.Responde(kUsuarios, {{"COD_USU", "TIP_USU"},
                                                  {{"ANA", Variant::Null()}, {"BETO", 1}}});
                          db.Falla(PerfilTiene(""), kSintaxis, "syntax error near 'AND'");
                        },
                        Une({kHastaUsuarios, {PerfilTiene("")}, kBeto}),
                        false,
                        Entrada(kEtiquetaPermiso, kSintaxis, "syntax error near 'AND'")},
        FallaDelPermiso{"UserRowLookup",
                        [](auto& db) { db.Falla(UsuarioTiene("ANA"), kSintaxis, "no table"); },
                        Une({kHastaUsuarios, {PerfilTiene("0"), UsuarioTiene("ANA")}, kBeto}),
                        false,
                        Entrada(kEtiquetaPermiso, kSintaxis, "no table")},
        FallaDelPermiso{
            "UserRowInsert",
            [](auto& db) { db.Falla(MenuUsuario("ANA"), -2147217873, "Duplicate entry"); },
            Une({kHastaUsuarios, {PerfilTiene("0"), UsuarioTiene("ANA"), MenuUsuario("ANA")},
                 kBeto}),
            false,
            Entrada(kEtiquetaPermiso, -2147217873, "Duplicate entry")}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A connection lost at a user is no failure of that user: it reaches the step.
TEST_F(Version53Grabada, ALostConnectionAtAUserStopsTheGrant) {
  db_.PierdeConexion(UsuarioTiene("ANA"));
  Base();
  EXPECT_THROW(ModificarEstructura53(cnx_, ManejadorSQLServer), vb::Error);
  EXPECT_EQ(db_.Textos().back(), UsuarioTiene("ANA"));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// The branch code read: a Null gives one entry and the empty code, no row the empty code.
struct CodigoDeSucursal {
  const char* nombre;
  std::vector<std::vector<Variant>> filas;
  std::string log;
};

void PrintTo(const CodigoDeSucursal& caso, std::ostream* os) { *os << caso.nombre; }

class SucursalDeLosParametros : public prueba::RutinaGrabada,
                                public ::testing::WithParamInterface<CodigoDeSucursal> {};

TEST_P(SucursalDeLosParametros, FillsTheEmptyCode) {
  db_.Responde("SELECT COD_SUCU FROM tblParametrosGenerales;", {{"COD_SUCU"}, GetParam().filas});
  ui::Label lbl;
  ActualizaCamposVersion53(cnx_, "", ManejadorMySQL, lbl);
  EXPECT_EQ(db_.Textos()[1],
            "UPDATE tblAuxCaja SET COD_SUCU='' WHERE (COD_SUCU IS NULL) OR (LENGTH(COD_SUCU)=0);");
  EXPECT_EQ(log_.Contenido(), GetParam().log);
  EXPECT_EQ(db_.Textos().back(), kVersion530.back());
}

INSTANTIATE_TEST_SUITE_P(
    BranchCode, SucursalDeLosParametros,
    ::testing::Values(
        CodigoDeSucursal{"Null",
                         {{Variant::Null()}},
                         Entrada("Error en ActualizaCamposVersion53 :", 94, prueba::kNuloNoValido)},
        CodigoDeSucursal{"NoRow", {}, ""}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ on MariaDB

class Version53 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_520.sql");
  }
  Filas Tablas() const {
    return Consulta(
        "SELECT LOWER(TABLE_NAME) FROM information_schema.TABLES WHERE TABLE_SCHEMA=DATABASE() "
        "AND LOWER(TABLE_NAME) IN ('tblmodificadores','tbllistasseleccionables',"
        "'tblmodifcomanda') ORDER BY 1");
  }
  Filas Plantilla146() const {
    return Consulta(
        "SELECT COD_PERFIL, TITULO_OPCION, ES_RAMA_DE FROM tblPlantillaMenus WHERE "
        "NOMBRE_OPCION='mnuCatModif' AND ORDEN_MENU=146 AND MODULO_EDICION=11 ORDER BY "
        "COD_PERFIL");
  }
  Filas MenusFF() const {
    return Consulta("SELECT COD_USUARIO, ORDEN_MENU, NOMBRE_OPCION FROM tblMenusFF ORDER BY "
                    "COD_USUARIO, ORDEN_MENU");
  }
};

TEST_F(Version53, FromADatabaseAt52) {
  ModificarEstructura53(cnx_, ManejadorMySQL);
  ActualizaCamposVersion53(cnx_, "C:\\Velmar", ManejadorMySQL, lbl_);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"530", "0"}}));
  EXPECT_EQ(Tablas(), (Filas{{"tbllistasseleccionables"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblListasSeleccionables"), (Filas{{"2"}}));
  // Profile 1 by its own lookup; 2 and 5 for holding the packages' option in module 11;
  // 0 and 3 had it; 4 holds no packages.
  EXPECT_EQ(Plantilla146(), (Filas{{"0", "Modificadores", "140"},
                                   {"1", "Modificadores", "140"},
                                   {"2", "Modificadores", "140"},
                                   {"3", "Modificadores", "140"},
                                   {"5", "Modificadores", "140"}}));
  // BAJA is on leave, MESERO's profile lacks the option, SUPER had the row.
  EXPECT_EQ(MenusFF(), (Filas{{"ADMIN", "140", "mnuCatalogos"},
                              {"ADMIN", "146", "mnuCatModif"},
                              {"CAJERO", "146", "mnuCatModif"},
                              {"GERENTE", "146", "mnuCatModif"},
                              {"SUPER", "146", "mnuCatModif"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, COD_SUCU FROM tblAuxCaja ORDER BY FOLIO"),
            (Filas{{"1", "MATRIZ"}, {"2", "MATRIZ"}, {"3", "NORTE"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, COD_SUCU FROM tblCortes ORDER BY FOLIO"),
            (Filas{{"1", "MATRIZ"}, {"2", "NORTE"}, {"3", "MATRIZ"}}));
  EXPECT_EQ(Consulta("SELECT TC_URL, CONX_AC, BD_AC, CONX_DP, BD_DP, ACT_CIN, CONX_CIN, "
                     "OBLIGA_BASC FROM tblParametrosGenerales"),
            (Filas{{"", "DSN=Central", "", "", "dependencia", "0", "", "1"}}));
}

// Again on the same database: the tables that are gone give three entries each and stay
// gone; the grant adds nothing; the version row is written again.
TEST_F(Version53, ModificarEstructura53Twice) {
  ModificarEstructura53(cnx_, ManejadorMySQL);
  const Filas plantilla = Plantilla146();
  const Filas menus = MenusFF();
  ModificarEstructura53(cnx_, ManejadorMySQL);

  const std::string log = log_.Contenido();
  const std::string etiqueta = "\r\nError en ModificarEstructura53 :";
  std::size_t entradas = 0;
  for (auto pos = log.find(etiqueta); pos != std::string::npos; pos = log.find(etiqueta, pos + 1))
    ++entradas;
  EXPECT_EQ(entradas, 6u) << log;
  // The server names the tables in lower case.
  EXPECT_THAT(log, ::testing::HasSubstr("tblmodificadores' doesn't exist"));
  EXPECT_THAT(log, ::testing::HasSubstr("tblmodifcomanda' doesn't exist"));
  EXPECT_EQ(Tablas(), (Filas{{"tbllistasseleccionables"}}));
  EXPECT_EQ(Plantilla146(), plantilla);
  EXPECT_EQ(MenusFF(), menus);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"530"}}));
}

// A user the grant cannot handle gets one entry under the grant's label and the grant goes
// on with the next user; ModificarEstructura53 then records its version.
int EntradasDelPermiso(const std::string& log) {
  int entradas = 0;
  const std::string etiqueta = "\r\nError en AgregaMenuModificadores :";
  for (auto pos = log.find(etiqueta); pos != std::string::npos; pos = log.find(etiqueta, pos + 1))
    ++entradas;
  return entradas;
}

TEST_F(Version53, AUserWithoutAProfileIsLoggedAndTheUsersAfterItGetTheirRow) {
  bd_->EjecutaSql(
      "ALTER TABLE tblUsuarios MODIFY TIP_USU SMALLINT NULL;"
      "INSERT INTO tblUsuarios (COD_USU, NOM_USU, TIP_USU, ESTATUS) VALUES "
      "('AAA', 'SIN PERFIL', NULL, 1);");
  ModificarEstructura53(cnx_, ManejadorMySQL);
  EXPECT_EQ(EntradasDelPermiso(log_.Contenido()), 1) << log_.Contenido();
  EXPECT_EQ(MenusFF(), (Filas{{"ADMIN", "140", "mnuCatalogos"},
                              {"ADMIN", "146", "mnuCatModif"},
                              {"CAJERO", "146", "mnuCatModif"},
                              {"GERENTE", "146", "mnuCatModif"},
                              {"SUPER", "146", "mnuCatModif"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"530"}}));
}

// Without tblMenusFF every active user's own lookup fails: one entry each.
TEST_F(Version53, WithoutThePerUserMenuTableEachUserIsLogged) {
  bd_->EjecutaSql("DROP TABLE tblMenusFF;");
  ModificarEstructura53(cnx_, ManejadorMySQL);
  const std::string log = log_.Contenido();
  EXPECT_EQ(EntradasDelPermiso(log), 5) << log;
  EXPECT_THAT(log, ::testing::HasSubstr("tblmenusff' doesn't exist"));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"530"}}));
  EXPECT_EQ(Tablas(), (Filas{{"tbllistasseleccionables"}}));
  EXPECT_EQ(Plantilla146().size(), 5u);
}

}  // namespace
