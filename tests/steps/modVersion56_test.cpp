#include "steps/5x/modVersion56.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kEtiqueta = "Error en ActualizaCamposVersion56 :";
constexpr const char* kVersion560 = "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (560,0);";
constexpr const char* kUsuarios = "SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);";

// The run's clock stands at 2024-01-05 09:30:15 while the object lives.
struct RelojFijo : prueba::RelojFijo {
  RelojFijo() : prueba::RelojFijo(2024, 1, 5, 9, 30, 15) {}
};

std::string ConsultaPlantilla(int orden, int modulo, int perfil = 0) {
  return "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=" + std::to_string(orden) +
         ") AND (COD_PERFIL=" + std::to_string(perfil) +
         ") AND (MODULO_EDICION=" + std::to_string(modulo) + ");";
}

std::string Plantilla(int perfil, int orden, const std::string& opcion, const std::string& titulo,
                      int rama, int modulo) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" +
         std::to_string(perfil) + "," + std::to_string(orden) + ",'" + opcion + "','" + titulo +
         "'," + std::to_string(rama) + "," + std::to_string(modulo) + ");";
}

std::string MenuUsuario(const std::string& tabla, const std::string& usuario, int orden,
                        const std::string& opcion) {
  return "INSERT INTO " + tabla + " (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + usuario +
         "'," + std::to_string(orden) + ",'" + opcion + "');";
}

// The statements of one option's grant when profile 0 lacks it in both modules and one
// user, ADMIN, is selected.
std::vector<std::string> Permiso(const std::string& opcion, const std::string& titulo, int rama,
                                 int ordenPV, int ordenFF) {
  return {ConsultaPlantilla(ordenPV, 10),
          ConsultaPlantilla(ordenPV, 10, 1),
          Plantilla(1, ordenPV, opcion, titulo, rama, 10),
          Plantilla(0, ordenPV, opcion, titulo, rama, 10),
          ConsultaPlantilla(ordenFF, 11),
          ConsultaPlantilla(ordenFF, 11, 1),
          Plantilla(1, ordenFF, opcion, titulo, rama, 11),
          Plantilla(0, ordenFF, opcion, titulo, rama, 11),
          kUsuarios,
          MenuUsuario("tblMenusPV", "ADMIN", ordenPV, opcion),
          MenuUsuario("tblMenusFF", "ADMIN", ordenFF, opcion)};
}

// Empty catalogues, no template rows, the users given (ADMIN unless told).
void BaseVacia(prueba::RecordingProvider& db,
               std::vector<std::vector<Variant>> usuarios = {{"ADMIN", 0}}) {
  db.Responde("SELECT * FROM tblCartas;", SinFilas({"COD_CARTA"}));
  db.Responde("SELECT * FROM tblRegimenEmpresa;", SinFilas({"COD_REGIMEN"}));
  db.Responde("SELECT * FROM tblExpedicion;", SinFilas({"COD_EXPED"}));
  for (const auto& [orden, modulo] : {std::pair{46, 10}, {46, 11}, {179, 10}, {181, 11}})
    for (int perfil : {0, 1})
      db.Responde(ConsultaPlantilla(orden, modulo, perfil), SinFilas({"COD_PERFIL"}));
  db.Responde(kUsuarios, {{"COD_USU", "TIP_USU"}, std::move(usuarios)});
}

// Every statement of ActualizaCamposVersion56 on an empty database, with the dialect's
// date and time repair in its place.
std::vector<std::string> Sentencias56(const std::vector<std::string>& reparacion) {
  std::vector<std::string> s = {
      "UPDATE tblArtiProveedor SET ART_PROV='' WHERE (ART_PROV IS NULL);",
      "UPDATE tblArtiProveedor SET ES_PRINCIPAL=0 WHERE (ES_PRINCIPAL IS NULL);",
      "UPDATE tblGruposPVEnc SET COD_CARTA=1 WHERE (COD_CARTA IS NULL) OR (COD_CARTA=0);",
      "UPDATE tblPuntos SET PRINT_TICKET=0 WHERE (PRINT_TICKET IS NULL);",
      "UPDATE tblTiposPago SET CAR_HOT=0 WHERE (CAR_HOT IS NULL);",
      "UPDATE tblTiposPago SET CAR_DET=0 WHERE (CAR_DET IS NULL);",
      "SELECT * FROM tblCartas;",
      "INSERT INTO tblCartas (COD_CARTA,DES_CARTA,ORDEN_CARTA) VALUES (1,'CARTA 1',1);",
      "INSERT INTO tblCartas (COD_CARTA,DES_CARTA,ORDEN_CARTA) VALUES (2,'CARTA 2',2);",
      "INSERT INTO tblCartas (COD_CARTA,DES_CARTA,ORDEN_CARTA) VALUES (3,'CARTA 3',3);",
      "SELECT * FROM tblRegimenEmpresa;",
      "INSERT INTO tblRegimenEmpresa (COD_REGIMEN,DES_REGIMEN,ACTIVO) VALUES (1,'PERSONA "
      "MORAL',0);",
      "INSERT INTO tblRegimenEmpresa (COD_REGIMEN,DES_REGIMEN,ACTIVO) VALUES (2,'PERSONA FÍSICA "
      "RÉGIMEN GENERAL DE LEY',0);",
      "INSERT INTO tblRegimenEmpresa (COD_REGIMEN,DES_REGIMEN,ACTIVO) VALUES (3,'PERSONA FÍSICA "
      "CON ACTIVIDAD EMPRESARIAL RÉGIMEN INTERMEDIO',0);",
      "UPDATE tblRegimenEmpresa SET ACTIVO=1 WHERE COD_REGIMEN=2;",
      "SELECT * FROM tblExpedicion;",
      "INSERT INTO tblExpedicion (COD_EXPED,DES_EXPED) VALUES (1,'MATRIZ');",
      "INSERT INTO tblExpedicion (COD_EXPED,DES_EXPED) VALUES (2,'SUCURSAL');",
      "UPDATE tblEmpresa SET EXPEDICION=1 WHERE (EXPEDICION IS NULL) OR (EXPEDICION=0);",
      "UPDATE tblTiposPago SET PAGO_CFDI=0 WHERE (PAGO_CFDI IS NULL);",
      "UPDATE tblAuxCaja SET CTA_PAGO='' WHERE (CTA_PAGO IS NULL);",
      "UPDATE tblFacturaElectronica SET REGIMENES='' WHERE (REGIMENES IS NULL);",
      "UPDATE tblFacturaElectronica SET COND_PAGO='' WHERE (COND_PAGO IS NULL);",
      "UPDATE tblFacturaElectronica SET METODO_PAGO='' WHERE (METODO_PAGO IS NULL);",
      "UPDATE tblFacturaElectronica SET NUMCTA_PAGO='' WHERE (NUMCTA_PAGO IS NULL);",
      "UPDATE tblFacturaElectronica SET LUGAR_EXPED=0 WHERE (LUGAR_EXPED IS NULL);",
      "UPDATE tblFacturaElectronica SET TIPO_MONEDA='' WHERE (TIPO_MONEDA IS NULL);",
      "UPDATE tblParametrosGenerales SET PROM_TOLERA=0 WHERE (PROM_TOLERA IS NULL);",
      "UPDATE tblOfertas SET PROM_CANT1=0 WHERE (PROM_CANT1 IS NULL);",
      "UPDATE tblOfertas SET PROM_CANT2=0 WHERE (PROM_CANT2 IS NULL);",
      "UPDATE tblOfertas SET ART_COD=1 WHERE (ART_COD IS NULL) OR (ART_COD=0);"};
  s.insert(s.end(), reparacion.begin(), reparacion.end());
  s.push_back("UPDATE tblRenMesas SET PROMO_CANT1=0 WHERE (PROMO_CANT1 IS NULL);");
  s.push_back("UPDATE tblRenMesas SET PROMO_CANT2=0 WHERE (PROMO_CANT2 IS NULL);");
  for (const auto& permiso : {Permiso("mnuCarMas", "Cargo Masivo", 40, 46, 46),
                              Permiso("mnuTabReg", "Regímenes Fiscales", 160, 179, 181)})
    s.insert(s.end(), permiso.begin(), permiso.end());
  s.insert(s.end(), {"SELECT * FROM tblVersion;", kVersion560, "DELETE FROM tblVersion WHERE VER<>560;"});
  return s;
}

struct FormaDelDialecto {
  std::int16_t iManejador;
  std::string ampliacion;               // ModificarEstructura56
  std::vector<std::string> reparacion;  // the table-service date and time repair
};

void PrintTo(const FormaDelDialecto& forma, std::ostream* os) {
  *os << "code " << forma.iManejador;
}

class Version56Grabada : public prueba::RutinaGrabada,
                         public ::testing::WithParamInterface<FormaDelDialecto> {
 protected:
  RelojFijo reloj_;
};

TEST_P(Version56Grabada, StatementsOfTheDialect) {
  BaseVacia(db_);
  ModificarEstructura56(cnx_, GetParam().iManejador);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray({GetParam().ampliacion, std::string("SELECT * FROM tblVersion;"),
                                std::string(kVersion560),
                                std::string("DELETE FROM tblVersion WHERE VER<>560;")}));

  const std::size_t antes = db_.Textos().size();
  ActualizaCamposVersion56(cnx_, GetParam().iManejador, 2);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_THAT(std::vector<std::string>(textos.begin() + static_cast<long>(antes), textos.end()),
              ElementsAreArray(Sentencias56(GetParam().reparacion)));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, Version56Grabada,
    ::testing::Values(
        FormaDelDialecto{
            4,
            "ALTER TABLE tblCajas MODIFY TA_PASSWORD VARCHAR(40) NOT NULL;",
            {"UPDATE tblRenMesas SET FECHA_COM='2024-01-05' WHERE FECHA_COM IS NULL;",
             "UPDATE tblRenMesas SET FECHA_COM='2024-01-05' WHERE FECHA_COM='0000-00-00';",
             "UPDATE tblRenMesas SET HORA_COM='09:30:15' WHERE (HORA_COM IS NULL);"}},
        FormaDelDialecto{3,
                         "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD VARCHAR(40) NOT NULL;",
                         {"UPDATE tblRenMesas SET FECHA_COM='20240105' WHERE FECHA_COM IS NULL;",
                          "UPDATE tblRenMesas SET HORA_COM='09:30:15' WHERE (HORA_COM IS NULL);"}},
        FormaDelDialecto{2,
                         "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD TEXT(40);",
                         {"UPDATE tblRenMesas SET FECHA_COM=#2024/01/05# WHERE FECHA_COM IS NULL;",
                          "UPDATE tblRenMesas SET HORA_COM=#09:30:15# WHERE (HORA_COM IS NULL);"}}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

// ------------------------------------------------------------ handler states

constexpr long kFalla = -2147217900;

struct CasoDeFalla {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> guion;  // answers before BaseVacia's
  bool llegaAlLlamador;                                   // the failure leaves the routine
  int entradas;                                           // run-log entries
};

void PrintTo(const CasoDeFalla& caso, std::ostream* os) { *os << caso.nombre; }

void FallaUna(prueba::RecordingProvider& db, const std::string& sentencia) {
  db.Falla(sentencia, kFalla, "refused: " + sentencia, 1);
}

std::vector<CasoDeFalla> CasosDeFalla() {
  return {
      {"AFillIsLoggedAndSkipped",
       [](auto& db) {
         FallaUna(db, "UPDATE tblPuntos SET PRINT_TICKET=0 WHERE (PRINT_TICKET IS NULL);");
       },
       false, 1},
      // The open is logged; the test on the unopened recordset then fails unhandled.
      {"ACatalogueThatCannotBeReadStops",
       [](auto& db) { FallaUna(db, "SELECT * FROM tblCartas;"); }, true, 1},
      {"ASeedInsertStops",
       [](auto& db) {
         FallaUna(db, "INSERT INTO tblExpedicion (COD_EXPED,DES_EXPED) VALUES (1,'MATRIZ');");
       },
       true, 0},
      {"ARegimeDescriptionStops",
       [](auto& db) {
         db.Responde("SELECT * FROM tblRegimenEmpresa;", {{"COD_REGIMEN"}, {{1}}});
         FallaUna(db,
                  "UPDATE tblRegimenEmpresa SET DES_REGIMEN='PERSONA MORAL' WHERE COD_REGIMEN=1;");
       },
       true, 0},
      {"TheActivationIsLoggedAndSkipped",
       [](auto& db) { FallaUna(db, "UPDATE tblRegimenEmpresa SET ACTIVO=1 WHERE COD_REGIMEN=2;"); },
       false, 1},
      {"TheTimeRepairIsLoggedAndSkipped",
       [](auto& db) {
         FallaUna(db, "UPDATE tblRenMesas SET HORA_COM='09:30:15' WHERE (HORA_COM IS NULL);");
       },
       false, 1},
      {"ATemplateLookupStopsWithoutAnEntry",
       [](auto& db) { FallaUna(db, ConsultaPlantilla(181, 11)); }, true, 0},
      {"ATemplateInsertIsLoggedAndSkipped",
       [](auto& db) { FallaUna(db, Plantilla(1, 46, "mnuCarMas", "Cargo Masivo", 40, 11)); }, false,
       1},
      {"TheUserSelectionStopsWithoutAnEntry", [](auto& db) { FallaUna(db, kUsuarios); }, true, 0},
      {"AUserRowIsLoggedAndSkipped",
       [](auto& db) { FallaUna(db, MenuUsuario("tblMenusFF", "ADMIN", 181, "mnuTabReg")); }, false,
       1},
  };
}

class Version56Reloj : public prueba::RutinaGrabada {
 protected:
  RelojFijo reloj_;
};

class Version56Fallas : public Version56Reloj, public ::testing::WithParamInterface<CasoDeFalla> {};

TEST_P(Version56Fallas, HandlerStateOfEachStretch) {
  GetParam().guion(db_);
  BaseVacia(db_);
  if (GetParam().llegaAlLlamador)
    EXPECT_THROW(ActualizaCamposVersion56(cnx_, ManejadorSQLServer, 2), vb::Error);
  else
    EXPECT_NO_THROW(ActualizaCamposVersion56(cnx_, ManejadorSQLServer, 2));

  const std::string log = log_.Contenido();
  int entradas = 0;
  for (std::size_t i = log.find(kEtiqueta); i != std::string::npos; i = log.find(kEtiqueta, i + 1))
    ++entradas;
  EXPECT_EQ(entradas, GetParam().entradas) << log;
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(std::find(textos.begin(), textos.end(), kVersion560) != textos.end(),
            !GetParam().llegaAlLlamador)
      << "the version row is written only when the routine runs to its end";
}

INSTANTIATE_TEST_SUITE_P(Cases, Version56Fallas, ::testing::ValuesIn(CasosDeFalla()),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A user without a code gets neither row (two entries per option); the next user gets
// both, with the quote of the code doubled.
TEST_F(Version56Reloj, AUserWithoutACode) {
  BaseVacia(db_, {{Variant::Null(), 0}, {Variant("D'ANGELO"), 1}});
  ActualizaCamposVersion56(cnx_, ManejadorMySQL, 1);
  std::vector<std::string> filasDeUsuario;
  for (const std::string& texto : db_.Textos())
    if (texto.find("INSERT INTO tblMenus") == 0) filasDeUsuario.push_back(texto);
  EXPECT_THAT(filasDeUsuario,
              ElementsAreArray({MenuUsuario("tblMenusPV", "D''ANGELO", 46, "mnuCarMas"),
                                MenuUsuario("tblMenusFF", "D''ANGELO", 46, "mnuCarMas"),
                                MenuUsuario("tblMenusPV", "D''ANGELO", 179, "mnuTabReg"),
                                MenuUsuario("tblMenusFF", "D''ANGELO", 181, "mnuTabReg")}));
  const std::string nulo = Entrada(kEtiqueta, 94, prueba::kNuloNoValido);
  EXPECT_EQ(log_.Contenido(), nulo + nulo + nulo + nulo);
}

// ------------------------------------------------------------ on MariaDB

class Version56 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_550.sql");
  }
  Filas Regimenes() const {
    return Consulta(
        "SELECT COD_REGIMEN, DES_REGIMEN, ACTIVO FROM tblRegimenEmpresa "
        "ORDER BY COD_REGIMEN");
  }
  RelojFijo reloj_;
};

TEST_F(Version56, FromADatabaseAt55) {
  ModificarEstructura56(cnx_, ManejadorMySQL);
  ActualizaCamposVersion56(cnx_, ManejadorMySQL, 2);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"560", "0"}}));
  EXPECT_EQ(Consulta("SELECT COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS WHERE "
                     "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='tblCajas' AND "
                     "COLUMN_NAME='TA_PASSWORD'"),
            (Filas{{"varchar(40)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT TA_PASSWORD FROM tblCajas ORDER BY COD_CAJA"),
            (Filas{{"clave01"}, {""}}));

  // Nulls are filled; a stored 0 or empty text stays, except for the three columns
  // filled when 0 as well.
  EXPECT_EQ(Consulta("SELECT ART_PROV, ES_PRINCIPAL FROM tblArtiProveedor ORDER BY COD_PROV, "
                     "COD1_ART"),
            (Filas{{"", "0"}, {"PAN-77", "1"}, {"", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_CARTA FROM tblGruposPVEnc ORDER BY COD_GRUPO"),
            (Filas{{"1"}, {"1"}, {"2"}}));
  EXPECT_EQ(Consulta("SELECT PRINT_TICKET FROM tblPuntos ORDER BY COD_PUNTO"),
            (Filas{{"0"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT CAR_HOT, CAR_DET, PAGO_CFDI FROM tblTiposPago ORDER BY COD_TIPO"),
            (Filas{{"0", "0", "0"}, {"1", "0", "3"}}));
  EXPECT_EQ(Consulta("SELECT EXPEDICION FROM tblEmpresa"), (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT CTA_PAGO FROM tblAuxCaja ORDER BY FOLIO"), (Filas{{""}, {"4321"}}));
  EXPECT_EQ(Consulta("SELECT REGIMENES, COND_PAGO, METODO_PAGO, NUMCTA_PAGO, LUGAR_EXPED, "
                     "TIPO_MONEDA FROM tblFacturaElectronica ORDER BY FOLIO"),
            (Filas{{"", "", "", "", "0", ""},
                   {"PERSONA MORAL", "CONTADO", "EFECTIVO", "1234", "2", "MXN"}}));
  EXPECT_EQ(Consulta("SELECT PROM_TOLERA FROM tblParametrosGenerales"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT PROM_CANT1, PROM_CANT2, ART_COD FROM tblOfertas ORDER BY COD_OFERTA"),
            (Filas{{"0", "0", "1"}, {"2", "1", "1"}, {"3", "0", "2"}}));

  // Seeds.
  EXPECT_EQ(Consulta("SELECT COD_CARTA, DES_CARTA, ORDEN_CARTA FROM tblCartas ORDER BY COD_CARTA"),
            (Filas{{"1", "CARTA 1", "1"}, {"2", "CARTA 2", "2"}, {"3", "CARTA 3", "3"}}));
  EXPECT_EQ(Regimenes(),
            (Filas{{"1", "PERSONA MORAL", "0"},
                   {"2", "PERSONA FÍSICA RÉGIMEN GENERAL DE LEY", "1"},
                   {"3", "PERSONA FÍSICA CON ACTIVIDAD EMPRESARIAL RÉGIMEN INTERMEDIO", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_EXPED, DES_EXPED FROM tblExpedicion ORDER BY COD_EXPED"),
            (Filas{{"1", "MATRIZ"}, {"2", "SUCURSAL"}}));

  // Null and zero dates get the day of the run, Null times its time.
  EXPECT_EQ(Consulta("SELECT FECHA_COM, HORA_COM, PROMO_CANT1, PROMO_CANT2 FROM tblRenMesas "
                     "ORDER BY MESA, RENGLON"),
            (Filas{{"2023-11-20", "14:05:00", "1", "0"},
                   {"2024-01-05", "09:30:15", "0", "0"},
                   {"2024-01-05", "20:15:00", "0", "2"}}));

  // Module 10 already gives 'mnuTabReg' to profile 0, so profile 1 gets nothing there.
  EXPECT_EQ(Consulta("SELECT MODULO_EDICION, ORDEN_MENU, COD_PERFIL, NOMBRE_OPCION, "
                     "TITULO_OPCION, ES_RAMA_DE FROM tblPlantillaMenus WHERE NOMBRE_OPCION IN "
                     "('mnuCarMas','mnuTabReg') ORDER BY 1, 2, 3"),
            (Filas{{"10", "46", "0", "mnuCarMas", "Cargo Masivo", "40"},
                   {"10", "46", "1", "mnuCarMas", "Cargo Masivo", "40"},
                   {"10", "179", "0", "mnuTabReg", "Regímenes Fiscales", "160"},
                   {"11", "46", "0", "mnuCarMas", "Cargo Masivo", "40"},
                   {"11", "46", "1", "mnuCarMas", "Cargo Masivo", "40"},
                   {"11", "181", "0", "mnuTabReg", "Regímenes Fiscales", "160"},
                   {"11", "181", "1", "mnuTabReg", "Regímenes Fiscales", "160"}}));
  // Users of profiles 0 and 1 only; the code with a quote is stored as it is.
  const Filas filasDeUsuario = {{"ADMIN", "46", "mnuCarMas"}, {"D'ANGELO", "46", "mnuCarMas"}};
  EXPECT_EQ(Consulta("SELECT COD_USUARIO, ORDEN_MENU, NOMBRE_OPCION FROM tblMenusFF WHERE "
                     "ORDEN_MENU=46 ORDER BY 1"),
            filasDeUsuario);
  EXPECT_EQ(Consulta("SELECT COD_USUARIO, ORDEN_MENU, NOMBRE_OPCION FROM tblMenusPV WHERE "
                     "ORDEN_MENU=46 ORDER BY 1"),
            filasDeUsuario);
  EXPECT_EQ(Consulta("SELECT COD_USUARIO FROM tblMenusPV WHERE ORDEN_MENU=179 AND "
                     "NOMBRE_OPCION='mnuTabReg' ORDER BY 1"),
            (Filas{{"ADMIN"}, {"D'ANGELO"}}));
  EXPECT_EQ(Consulta("SELECT COD_USUARIO FROM tblMenusFF WHERE ORDEN_MENU=181 AND "
                     "NOMBRE_OPCION='mnuTabReg' ORDER BY 1"),
            (Filas{{"ADMIN"}, {"D'ANGELO"}}));
}

struct CasoDeRegimen {
  const char* nombre;
  const char* filas;  // rows of tblRegimenEmpresa before the run, if any
  std::uint8_t iRegimen;
  Filas despues;
};

void PrintTo(const CasoDeRegimen& caso, std::ostream* os) { *os << caso.nombre; }

class Version56Regimen : public Version56, public ::testing::WithParamInterface<CasoDeRegimen> {};

// The chosen regime is set active; nothing clears the others.
TEST_P(Version56Regimen, Activation) {
  if (*GetParam().filas)
    bd_->EjecutaSql(std::string("INSERT INTO tblRegimenEmpresa (COD_REGIMEN, DES_REGIMEN, "
                                "ACTIVO) VALUES ") +
                    GetParam().filas + ";");
  ActualizaCamposVersion56(cnx_, ManejadorMySQL, GetParam().iRegimen);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Regimenes(), GetParam().despues);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Version56Regimen,
    ::testing::Values(
        CasoDeRegimen{"NothingChosenOnAnEmptyTable",
                      "",
                      0,
                      {{"1", "PERSONA MORAL", "0"},
                       {"2", "PERSONA FÍSICA RÉGIMEN GENERAL DE LEY", "0"},
                       {"3", "PERSONA FÍSICA CON ACTIVIDAD EMPRESARIAL RÉGIMEN INTERMEDIO", "0"}}},
        CasoDeRegimen{"ExistingRowsKeepTheirActiveFlagAndGetTheirDescriptions",
                      "(1, 'MORAL', 1), (3, 'INTERMEDIO', 0), (7, 'OTRO', 0)",
                      3,
                      {{"1", "PERSONA MORAL", "1"},
                       {"3", "PERSONA FÍSICA CON ACTIVIDAD EMPRESARIAL RÉGIMEN INTERMEDIO", "1"},
                       {"7", "OTRO", "0"}}},
        CasoDeRegimen{
            "ACodeThatNoRowHas", "(1, 'PERSONA MORAL', 0)", 2, {{"1", "PERSONA MORAL", "0"}}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Run again: the seeds and templates are found, the fills find nothing, and each
// per-user row is refused by the table's key (2 users, 2 options, 2 tables).
TEST_F(Version56, SecondRun) {
  ModificarEstructura56(cnx_, ManejadorMySQL);
  ActualizaCamposVersion56(cnx_, ManejadorMySQL, 1);
  const Filas plantilla = Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6");
  const Filas mesas = Consulta("SELECT * FROM tblRenMesas ORDER BY MESA, RENGLON");
  ModificarEstructura56(cnx_, ManejadorMySQL);
  ActualizaCamposVersion56(cnx_, ManejadorMySQL, 1);

  const std::string log = log_.Contenido();
  const std::string duplicado = std::string(kEtiqueta) + "-2147217873\r\n";
  std::size_t entradas = 0;
  for (std::size_t i = log.find(duplicado); i != std::string::npos; i = log.find(duplicado, i + 1))
    ++entradas;
  EXPECT_EQ(entradas, 8u) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 24) << log;
  EXPECT_THAT(log, ::testing::HasSubstr("Duplicate entry 'D'ANGELO-181' for key 'PK_MenusFF'"));
  EXPECT_EQ(Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6"), plantilla);
  EXPECT_EQ(Consulta("SELECT * FROM tblRenMesas ORDER BY MESA, RENGLON"), mesas);
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCartas"), (Filas{{"3"}}));
  EXPECT_EQ(Regimenes()[0], (std::vector<std::string>{"1", "PERSONA MORAL", "1"}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"560"}}));
}

}  // namespace
