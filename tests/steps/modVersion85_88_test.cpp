// Versions 8.5 to 8.8: the dialect forms as text, the closing option's branches and the
// handler states on the recording provider; each routine's effect on MariaDB. Also, for
// every routine of 8.5 to 9.0 and the central-administrator fix-ups, the log label and
// the place of the default-records check.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion85.h"
#include "steps/8x_9x/modVersion86.h"
#include "steps/8x_9x/modVersion87.h"
#include "steps/8x_9x/modVersion88.h"
#include "steps/8x_9x/modVersion89.h"
#include "steps/8x_9x/modVersion90.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr long kFalla = -2147217900;
constexpr const char* kCerrado = prueba::kObjetoCerrado;

// ------------------------------------------------------------ forms by dialect

using Rutina4 = void (*)(ado::Connection&, std::int16_t, std::int16_t, std::int16_t);

struct Formas {
  const char* nombre;
  Rutina4 rutina;
  std::int16_t iManejador;
  std::vector<std::string> sentencias;
};

void PrintTo(const Formas& caso, std::ostream* os) { *os << caso.nombre; }

class Formas85a88 : public prueba::RutinaGrabada, public ::testing::WithParamInterface<Formas> {};

// SQL Server takes its own clauses and the UPDATE ... FROM join; MS Access takes the
// MySQL clauses and the UPDATE ... FROM join. (MySQL's are checked by their effect.)
TEST_P(Formas85a88, StatementsOfTheDialect) {
  GetParam().rutina(cnx_, GetParam().iManejador, 840, 952);
  EXPECT_THAT(prueba::SinVersion(db_.Textos()), ElementsAreArray(GetParam().sentencias));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

const std::string kUnionFrom =
    "UPDATE tblEncCargosAbonos SET tblEncCargosAbonos.FOL_FACT=tblNotasPorFactura.FOLIO_FACT "
    "FROM tblEncCargosAbonos INNER JOIN tblNotasPorFactura ON "
    "tblEncCargosAbonos.FOL_DOC=tblNotasPorFactura.FOLIO_NV AND "
    "tblEncCargosAbonos.CON_GRL='CCLI' WHERE tblEncCargosAbonos.FOL_FACT='';";

std::vector<std::string> Sentencias88(const std::string& fecha, const std::string& fechaReg) {
  return {"ALTER TABLE tblSveTransacciones " + fecha, "ALTER TABLE tblSveTransacciones " + fechaReg,
          "UPDATE tblEncCargosAbonos SET FOL_FACT='' WHERE FOL_FACT IS NULL;", kUnionFrom,
          "UPDATE tblEncCargosAbonos SET FOL_FACT='' WHERE COD_STS=2;"};
}

std::vector<std::string> Sentencias863(const std::string& clausula) {
  return {"ALTER TABLE tblCierres " + clausula,
          "UPDATE tblParametrosGenerales SET FE_ACTIEPS=1 WHERE (FE_ACTIEPS IS NULL);",
          "UPDATE tblParametrosGenerales SET FE_ACTIEPS=1 WHERE (FE_ACTIEPS=0);"};
}

std::vector<std::string> Sentencias86(const std::string& clausula) {
  return {"ALTER TABLE tblFEPendientes " + clausula,
          "UPDATE tblCatClientes SET ID_CTAPAGO=0 WHERE (ID_CTAPAGO IS NULL);"};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Formas85a88,
    ::testing::Values(Formas{"V86SqlServer", ModificarEstructura86, ManejadorSQLServer,
                             Sentencias86("ALTER COLUMN LISTAEMAIL TEXT;")},
                      Formas{"V86Access", ModificarEstructura86, ManejadorAccess,
                             Sentencias86("MODIFY LISTAEMAIL TEXT NOT NULL;")},
                      Formas{"V863SqlServer", ModificarEstructura863, ManejadorSQLServer,
                             Sentencias863("ALTER COLUMN XML_CIERRE nvarchar(max);")},
                      Formas{"V863Access", ModificarEstructura863, ManejadorAccess,
                             Sentencias863("MODIFY XML_CIERRE LONGTEXT NOT NULL;")},
                      Formas{"V88SqlServer", ModificarEstructura88, ManejadorSQLServer,
                             Sentencias88("ALTER COLUMN FECHA DATETIME;",
                                          "ALTER COLUMN FECHA_REG DATETIME;")},
                      Formas{"V88Access", ModificarEstructura88, ManejadorAccess,
                             Sentencias88("MODIFY FECHA DATETIME NOT NULL;",
                                          "MODIFY FECHA_REG DATETIME NOT NULL;")}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ log labels

struct CasoEtiqueta {
  const char* nombre;
  std::function<void(ado::Connection&)> rutina;
  std::string falla;   // a statement that the engine refuses
  std::string ultima;  // the routine's last statement, sent all the same
};

void PrintTo(const CasoEtiqueta& caso, std::ostream* os) { *os << caso.nombre; }

class Etiquetas85a90 : public prueba::RutinaGrabada,
                       public ::testing::WithParamInterface<CasoEtiqueta> {
 protected:
  prueba::RelojFijo reloj_{2020, 1, 2, 3, 4, 5};
};

// A refused statement is logged once under the routine's own label, and the routine goes
// on to its end.
TEST_P(Etiquetas85a90, RefusedStatementLoggedUnderTheRoutinesLabel) {
  db_.Responde("SELECT ABREVIA FROM tblMonedas WHERE COD_MON=1;", {{"ABREVIA"}, {{"MXN"}}});
  db_.Responde(prueba::EmpiezaCon("SELECT * FROM tblPlantillaMenus"), SinFilas({"COD_PERFIL"}));
  db_.Responde(prueba::EmpiezaCon("SELECT COD_USU FROM"), SinFilas({"COD_USU"}));
  db_.Responde(prueba::EmpiezaCon("SELECT Nombre_Paquete FROM"), SinFilas({"Nombre_Paquete"}));
  db_.Responde("SELECT * FROM tblAC_DpDisparador;",
               {{"EventoPV"}, {{vb::Variant(std::int16_t{3})}}});
  db_.Falla(GetParam().falla, kFalla, "refused");

  GetParam().rutina(cnx_);

  EXPECT_EQ(log_.Contenido(),
            Entrada(std::string("Error en ") + GetParam().nombre + " :", kFalla, "refused"));
  EXPECT_EQ(prueba::SinVersion(db_.Textos()).back(), GetParam().ultima);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Etiquetas85a90,
    ::testing::Values(
        CasoEtiqueta{"ModificarEstructura85",
                     [](ado::Connection& c) { ModificarEstructura85(c, ManejadorMySQL, 840, 952); },
                     "UPDATE tblCatClientes SET ID_CTAPAGO=0 WHERE (ID_CTAPAGO IS NULL);",
                     "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU IN(0,1,2);"},
        CasoEtiqueta{"ModificarEstructura86",
                     [](ado::Connection& c) { ModificarEstructura86(c, ManejadorMySQL, 840, 952); },
                     "ALTER TABLE tblFEPendientes MODIFY LISTAEMAIL TEXT NOT NULL;",
                     "UPDATE tblCatClientes SET ID_CTAPAGO=0 WHERE (ID_CTAPAGO IS NULL);"},
        CasoEtiqueta{
            "ModificarEstructura863",
            [](ado::Connection& c) { ModificarEstructura863(c, ManejadorMySQL, 840, 863); },
            "ALTER TABLE tblCierres MODIFY XML_CIERRE LONGTEXT NOT NULL;",
            "UPDATE tblParametrosGenerales SET FE_ACTIEPS=1 WHERE (FE_ACTIEPS=0);"},
        CasoEtiqueta{"ModificarEstructura87",
                     [](ado::Connection& c) { ModificarEstructura87(c, ManejadorMySQL, 840, 952); },
                     "UPDATE tblConceptos SET CON_AJUSTE=0 WHERE (CON_AJUSTE IS NULL);",
                     "UPDATE tblConceptos SET CON_AJUSTE=0 WHERE (CON_AJUSTE IS NULL);"},
        CasoEtiqueta{"ModificarEstructura88",
                     [](ado::Connection& c) { ModificarEstructura88(c, ManejadorMySQL, 840, 952); },
                     "ALTER TABLE tblSveTransacciones MODIFY FECHA DATETIME NOT NULL;",
                     "UPDATE tblEncCargosAbonos SET FOL_FACT='' WHERE COD_STS=2;"},
        CasoEtiqueta{"ModificarEstructura89",
                     [](ado::Connection& c) {
                       ModificarEstructura89(c, ManejadorMySQL, 840, 952, false, "");
                     },
                     "ALTER TABLE tblParametrosGenerales DROP COLUMN CONX_CXC;",
                     "UPDATE tblGralVentas INNER JOIN tblNotasPorFactura ON "
                     "tblGralVentas.REF_DOC=tblNotasPorFactura.FOLIO_NV SET "
                     "tblGralVentas.FACTWEB_STS=3;"},
        CasoEtiqueta{
            "ModificarEstructura894",
            [](ado::Connection& c) { ModificarEstructura894(c, ManejadorMySQL, 840, 952); },
            "ALTER TABLE tblCDSOConfig MODIFY CDSO_CADENA VARCHAR(10) NOT NULL;",
            "ALTER TABLE tblBitacoraAntibioticos MODIFY NOTAS VARCHAR(254) NOT NULL;"},
        CasoEtiqueta{"ModificarEstructura90",
                     [](ado::Connection& c) { ModificarEstructura90(c, ManejadorMySQL, 840, 952); },
                     "UPDATE tblCajas SET TIPO_ESQUEMA=0 WHERE VEN_CAJ=0 AND TIPO_ESQUEMA IS NULL;",
                     "UPDATE tblServiciosElec SET "
                     "FACTWEB_URL='https://facturacion.velmar.com.mx/FacturarTicket';"},
        CasoEtiqueta{"ModificarEstructura80_AC",
                     [](ado::Connection& c) { ModificarEstructura80_AC(c, ManejadorMySQL, 800); },
                     "ALTER TABLE tblAC_Menus MODIFY Id_Usuario VARCHAR(30) NOT NULL;",
                     "UPDATE tblAC_Dependencias SET BD_Dp='' WHERE (BD_Dp IS NULL);"},
        CasoEtiqueta{"ModificarEstructura89_AC",
                     [](ado::Connection& c) { ModificarEstructura89_AC(c, ManejadorMySQL, 800); },
                     "UPDATE tblAC_Paquetes SET Envio_Recep=4 WHERE Envio_Recep=1;",
                     "UPDATE tblAC_Paquetes SET XML_Contenido='' WHERE XML_Contenido IS NULL;"}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ the default-records check

constexpr const char* kInicioRevision = "SELECT COD_FRP FROM tblFormasPago;";

struct CasoRevision {
  const char* nombre;
  std::function<void(ado::Connection&, std::int16_t iVersionActual)> rutina;
  std::int16_t iVersionActual;
  bool revisa;
  std::string antes;    // the routine's statement just before the check ("" : none)
  std::string despues;  // the routine's statement just after it
};

void PrintTo(const CasoRevision& caso, std::ostream* os) { *os << caso.nombre; }

class Revision85a89 : public prueba::RutinaGrabada,
                      public ::testing::WithParamInterface<CasoRevision> {
 protected:
  prueba::RelojFijo reloj_{2020, 1, 2, 10, 20, 30};
};

// The check runs only on a database already at the step's version, at its place in the
// routine; its failures (here every lookup, none being scripted) carry its own label.
TEST_P(Revision85a89, RunsAtItsVersionOnly) {
  db_.Responde("SELECT ABREVIA FROM tblMonedas WHERE COD_MON=1;", {{"ABREVIA"}, {{"MXN"}}});
  db_.Responde(prueba::EmpiezaCon("SELECT * FROM tblPlantillaMenus"), SinFilas({"COD_PERFIL"}));
  db_.Responde("SELECT COD_USU FROM tblUsuarios WHERE TIP_USU IN(0,1,2);", SinFilas({"COD_USU"}));
  GetParam().rutina(cnx_, GetParam().iVersionActual);

  const std::vector<std::string> textos = db_.Textos();
  const auto revision = std::find(textos.begin(), textos.end(), kInicioRevision);
  const auto despues = std::find(textos.begin(), textos.end(), GetParam().despues);
  ASSERT_NE(despues, textos.end()) << GetParam().despues;
  if (!GetParam().revisa) {
    EXPECT_EQ(revision, textos.end());
    EXPECT_FALSE(log_.Existe()) << log_.Contenido();
    return;
  }
  ASSERT_NE(revision, textos.end());
  if (GetParam().antes.empty())
    EXPECT_EQ(revision, textos.begin());
  else
    EXPECT_EQ(*(revision - 1), GetParam().antes);
  EXPECT_LT(revision, despues);
  const std::string etiqueta = std::string("Error en ModificarEstructura") +
                               std::to_string(GetParam().iVersionActual / 10) +
                               " - Revisar Registros Default :";
  const std::vector<std::string> encabezados = prueba::Encabezados(log_.Contenido());
  ASSERT_FALSE(encabezados.empty());
  for (const std::string& e : encabezados) EXPECT_EQ(e.rfind(etiqueta, 0), 0u) << e;
}

const auto k85 = [](ado::Connection& c, std::int16_t v) {
  ModificarEstructura85(c, ManejadorMySQL, v, 952);
};
const auto k86 = [](ado::Connection& c, std::int16_t v) {
  ModificarEstructura86(c, ManejadorMySQL, v, 952);
};
const auto k87 = [](ado::Connection& c, std::int16_t v) {
  ModificarEstructura87(c, ManejadorMySQL, v, 952);
};
const auto k88 = [](ado::Connection& c, std::int16_t v) {
  ModificarEstructura88(c, ManejadorMySQL, v, 952);
};
const auto k89 = [](ado::Connection& c, std::int16_t v) {
  ModificarEstructura89(c, ManejadorMySQL, v, 952, false, "");
};

const std::string kMoneda85 = "SELECT ABREVIA FROM tblMonedas WHERE COD_MON=1;";
const std::string kCtaPago = "UPDATE tblCatClientes SET ID_CTAPAGO=0 WHERE (ID_CTAPAGO IS NULL);";
const std::string kAjuste = "UPDATE tblConceptos SET CON_AJUSTE=0 WHERE (CON_AJUSTE IS NULL);";
const std::string kFolioNulo = "UPDATE tblEncCargosAbonos SET FOL_FACT='' WHERE FOL_FACT IS NULL;";
const std::string kUnionVentas =
    "UPDATE tblGralVentas INNER JOIN tblNotasPorFactura ON "
    "tblGralVentas.REF_DOC=tblNotasPorFactura.FOLIO_NV SET tblGralVentas.FACTWEB_STS=3;";

INSTANTIATE_TEST_SUITE_P(
    Cases, Revision85a89,
    ::testing::Values(
        CasoRevision{"V85At850", k85, 850, true, "", kMoneda85},
        CasoRevision{"V85At840", k85, 840, false, "", kMoneda85},
        CasoRevision{"V86At860", k86, 860, true,
                     "ALTER TABLE tblFEPendientes MODIFY LISTAEMAIL TEXT NOT NULL;", kCtaPago},
        CasoRevision{"V86At850", k86, 850, false, "", kCtaPago},
        CasoRevision{"V87At870", k87, 870, true, "", kAjuste},
        CasoRevision{"V87At863", k87, 863, false, "", kAjuste},
        CasoRevision{"V88At880", k88, 880, true,
                     "ALTER TABLE tblSveTransacciones MODIFY FECHA_REG DATETIME NOT NULL;",
                     kFolioNulo},
        CasoRevision{"V88At870", k88, 870, false, "", kFolioNulo},
        CasoRevision{
            "V89At890", k89, 890, true,
            "UPDATE tblCostos SET FEC_PEDIM='1800-01-01 10:20:30' WHERE FEC_PEDIM='0000-00-00';",
            kUnionVentas},
        CasoRevision{"V89At880", k89, 880, false, "", kUnionVentas}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ 8.5 on the recording provider

constexpr const char* kMoneda = "SELECT ABREVIA FROM tblMonedas WHERE COD_MON=1;";
constexpr const char* kPlantilla216 =
    "SELECT * FROM tblPlantillaMenus WHERE ORDEN_MENU=216 AND MODULO_EDICION=10 ORDER BY "
    "COD_PERFIL DESC;";
constexpr const char* kPlantilla218 =
    "SELECT * FROM tblPlantillaMenus WHERE ORDEN_MENU=218 AND MODULO_EDICION=11 ORDER BY "
    "COD_PERFIL DESC;";
constexpr const char* kUsuarios = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU IN(0,1,2);";

std::string Plantilla(int perfil, int orden, int modulo) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" +
         std::to_string(perfil) + "," + std::to_string(orden) + ",'mnuSisCierre','Cierre',210," +
         std::to_string(modulo) + ");";
}

class Version85Grabada : public prueba::RutinaGrabada {
 protected:
  Version85Grabada() {
    db_.Responde(kMoneda, {{"ABREVIA"}, {{"MXN"}}});
    db_.Responde(kPlantilla218, {{"COD_PERFIL"}, {{Variant(std::int16_t{1})}}});
    db_.Responde(kUsuarios, SinFilas({"COD_USU"}));
  }
  // The statements sent for the template of module 10.
  std::vector<std::string> Modulo10() const {
    const std::vector<std::string> textos = db_.Textos();
    auto desde = std::find(textos.begin(), textos.end(), kPlantilla216);
    auto hasta = std::find(textos.begin(), textos.end(), kPlantilla218);
    return {desde, hasta};
  }
};

struct CasoPlantilla {
  const char* nombre;
  std::vector<vb::Variant> perfiles;  // COD_PERFIL of the rows returned, highest first
  std::vector<int> insertados;
};

void PrintTo(const CasoPlantilla& caso, std::ostream* os) { *os << caso.nombre; }

class Plantilla85 : public Version85Grabada, public ::testing::WithParamInterface<CasoPlantilla> {};

// Absent: profiles 0, 1 and 2. Only profile 0 has it: 1 and 2. A higher profile has it,
// or the first row's profile is Null: nothing.
TEST_P(Plantilla85, ProfilesInsertedByTheFirstRow) {
  prueba::Resultado filas{{"COD_PERFIL"}, {}};
  for (const auto& perfil : GetParam().perfiles) filas.filas.push_back({perfil});
  db_.Responde(kPlantilla216, filas);

  ModificarEstructura85(cnx_, ManejadorMySQL, 840, 952);

  std::vector<std::string> esperadas = {kPlantilla216};
  for (int perfil : GetParam().insertados) esperadas.push_back(Plantilla(perfil, 216, 10));
  EXPECT_THAT(Modulo10(), ElementsAreArray(esperadas));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Plantilla85,
    ::testing::Values(
        CasoPlantilla{"Absent", {}, {0, 1, 2}},
        CasoPlantilla{"Profile0Only", {Variant(std::int16_t{0})}, {1, 2}},
        CasoPlantilla{"Profiles0And1", {Variant(std::int16_t{1}), Variant(std::int16_t{0})}, {}},
        CasoPlantilla{
            "Profiles0To2",
            {Variant(std::int16_t{2}), Variant(std::int16_t{1}), Variant(std::int16_t{0})},
            {}},
        CasoPlantilla{"NullProfile", {Variant::Null()}, {}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A template lookup that cannot be opened is logged, with its test and its close; the
// failed test holds, so the three inserts are attempted.
TEST_F(Version85Grabada, FailedTemplateLookupAttemptsTheInserts) {
  db_.Falla(kPlantilla216, kFalla, "Table 'tblPlantillaMenus' doesn't exist");

  ModificarEstructura85(cnx_, ManejadorMySQL, 840, 952);

  EXPECT_THAT(Modulo10(), ElementsAreArray({std::string(kPlantilla216), Plantilla(0, 216, 10),
                                            Plantilla(1, 216, 10), Plantilla(2, 216, 10)}));
  const std::string etiqueta = "Error en ModificarEstructura85 :";
  EXPECT_EQ(log_.Contenido(), Entrada(etiqueta, kFalla, "Table 'tblPlantillaMenus' doesn't exist") +
                                  Entrada(etiqueta, 3704, kCerrado) +
                                  Entrada(etiqueta, 3704, kCerrado));
}

// The users' lookup is left to go with the routine, never closed by it: one that cannot be
// opened gives the entries of its open, its test and its loop's end test, and none more.
TEST_F(Version85Grabada, FailedUsersLookupIsNotClosed) {
  db_.Falla(kUsuarios, kFalla, "Table 'tblUsuarios' doesn't exist");

  ModificarEstructura85(cnx_, ManejadorMySQL, 840, 952);

  const std::string etiqueta = "Error en ModificarEstructura85 :";
  const std::string usuarios = Entrada(etiqueta, kFalla, "Table 'tblUsuarios' doesn't exist");
  const std::string log = log_.Contenido();
  const std::size_t desde = log.find(usuarios);
  ASSERT_NE(desde, std::string::npos) << log;
  EXPECT_EQ(log.substr(desde),
            usuarios + Entrada(etiqueta, 3704, kCerrado) + Entrada(etiqueta, 3704, kCerrado));
  EXPECT_EQ(prueba::SinVersion(db_.Textos()).back(), kUsuarios);
}

// The currency is read before the handler is armed: a table that cannot be read stops
// the routine, and nothing of 8.5 is sent.
TEST_F(Version85Grabada, UnreadableCurrencyReachesTheCaller) {
  db_.Falla(kMoneda, kFalla, "Table 'tblMonedas' doesn't exist");

  EXPECT_THROW(ModificarEstructura85(cnx_, ManejadorSQLServer, 840, 952), vb::Error);

  EXPECT_THAT(db_.Textos(), ElementsAreArray({kMoneda}));
  EXPECT_FALSE(log_.Existe());
}

// ------------------------------------------------------------ on MariaDB

class Versiones85a88 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_850_880.sql");
  }
  Filas Version() const { return Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"); }
  Filas Tipo(const std::string& tabla, const std::string& columna) const {
    return Consulta(
        "SELECT COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS WHERE "
        "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='" +
        tabla + "' AND COLUMN_NAME='" + columna + "'");
  }
  Filas Menus85() const {
    Filas filas = Consulta(
        "SELECT COD_PERFIL, ORDEN_MENU, NOMBRE_OPCION, TITULO_OPCION, ES_RAMA_DE, "
        "MODULO_EDICION FROM tblPlantillaMenus ORDER BY MODULO_EDICION, ORDEN_MENU, COD_PERFIL");
    for (const char* tabla : {"tblMenusPV", "tblMenusFF"})
      for (auto& fila : Consulta(std::string("SELECT '") + tabla +
                                 "', COD_USUARIO, ORDEN_MENU, "
                                 "NOMBRE_OPCION FROM " +
                                 tabla + " ORDER BY 2, 3"))
        filas.push_back(fila);
    return filas;
  }
};

TEST_F(Versiones85a88, Version85) {
  ModificarEstructura85(cnx_, ManejadorMySQL, 840, 952);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"850", "0"}}));
  EXPECT_EQ(Consulta("SELECT ID_CTAPAGO FROM tblCatClientes ORDER BY COD_CLI"),
            (Filas{{"0"}, {"3"}}));
  EXPECT_EQ(Consulta("SELECT TIPO_MONEDA FROM tblFacturaElectronica ORDER BY FOLIO"),
            (Filas{{"MXN"}, {"MXN"}, {"USD"}, {"NULL"}}));
  EXPECT_EQ(Consulta("SELECT USO_CFDI FROM tblFacturasEnc ORDER BY FOLIO"),
            (Filas{{"P01"}, {"P01"}, {"G03"}}));
  EXPECT_EQ(Consulta("SELECT IMPINT_REN FROM tblFacturasRen ORDER BY RENGLON"),
            (Filas{{"0.0000"}, {"1.5000"}}));
  // Module 10 had the option for profile 0 only: 1 and 2 added. Module 11 had it for 0
  // and 1: nothing added. Users of kinds 0 to 2 without a row of that order get one (a
  // quote in the code kept); GERENTE's row of order 216 stands for the option; the user
  // of kind 3 and the one without a code get nothing.
  EXPECT_EQ(Menus85(), (Filas{{"0", "210", "mnuSistema", "Sistema", "0", "10"},
                              {"0", "216", "mnuSisCierre", "Cierre", "210", "10"},
                              {"1", "216", "mnuSisCierre", "Cierre", "210", "10"},
                              {"2", "216", "mnuSisCierre", "Cierre", "210", "10"},
                              {"0", "218", "mnuSisCierre", "Cierre", "210", "11"},
                              {"1", "218", "mnuSisCierre", "Cierre", "210", "11"},
                              {"tblMenusPV", "ADMIN", "216", "mnuSisCierre"},
                              {"tblMenusPV", "CAJA1", "216", "mnuSisCierre"},
                              {"tblMenusPV", "GERENTE", "216", "mnuOtraOpcion"},
                              {"tblMenusPV", "O'NEIL", "216", "mnuSisCierre"},
                              {"tblMenusFF", "ADMIN", "218", "mnuSisCierre"},
                              {"tblMenusFF", "CAJA1", "218", "mnuSisCierre"},
                              {"tblMenusFF", "GERENTE", "218", "mnuSisCierre"},
                              {"tblMenusFF", "O'NEIL", "218", "mnuSisCierre"}}));

  // Run again (a climb that stopped after it): nothing more is added.
  const Filas menus = Menus85();
  ModificarEstructura85(cnx_, ManejadorMySQL, 840, 952);
  EXPECT_EQ(Menus85(), menus);
  EXPECT_EQ(Version(), (Filas{{"850", "0"}}));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

struct CasoMoneda {
  const char* nombre;
  const char* preparacion;  // SQL run on the fixture first
  Filas tiposMoneda;        // TIPO_MONEDA of invoices 1 to 4
};

void PrintTo(const CasoMoneda& caso, std::ostream* os) { *os << caso.nombre; }

class Moneda85 : public Versiones85a88, public ::testing::WithParamInterface<CasoMoneda> {};

// The currency text comes from currency 1; "MXN" when it has none. A Null abbreviation
// counts as none instead of stopping the climb; a quote in it goes in whole.
TEST_P(Moneda85, CurrencyText) {
  bd_->EjecutaSql(GetParam().preparacion);
  ModificarEstructura85(cnx_, ManejadorMySQL, 840, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT TIPO_MONEDA FROM tblFacturaElectronica ORDER BY FOLIO"),
            GetParam().tiposMoneda);
  EXPECT_EQ(Version(), (Filas{{"850", "0"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Moneda85,
    ::testing::Values(CasoMoneda{"Mn",
                                 "UPDATE tblMonedas SET ABREVIA='MN' WHERE COD_MON=1;",
                                 {{"MN"}, {"MN"}, {"USD"}, {"NULL"}}},
                      CasoMoneda{"NoCurrency1",
                                 "DELETE FROM tblMonedas WHERE COD_MON=1;",
                                 {{"MXN"}, {"MXN"}, {"USD"}, {"NULL"}}},
                      CasoMoneda{"Empty",
                                 "UPDATE tblMonedas SET ABREVIA='' WHERE COD_MON=1;",
                                 {{"MXN"}, {"MXN"}, {"USD"}, {"NULL"}}},
                      CasoMoneda{"Null",
                                 "UPDATE tblMonedas SET ABREVIA=NULL WHERE COD_MON=1;",
                                 {{"MXN"}, {"MXN"}, {"USD"}, {"NULL"}}},
                      CasoMoneda{"Quote",
                                 "UPDATE tblMonedas SET ABREVIA='M''N\\\\' WHERE COD_MON=1;",
                                 {{"M'N\\"}, {"M'N\\"}, {"USD"}, {"NULL"}}}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Versiones85a88, Versions86And863) {
  ModificarEstructura86(cnx_, ManejadorMySQL, 850, 863);
  EXPECT_EQ(Version(), (Filas{{"860", "0"}}));
  ModificarEstructura863(cnx_, ManejadorMySQL, 850, 863);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"863", "0"}}));
  EXPECT_EQ(Tipo("tblFEPendientes", "LISTAEMAIL"), (Filas{{"text", "NO"}}));
  EXPECT_EQ(Consulta("SELECT LISTAEMAIL FROM tblFEPendientes"),
            (Filas{{"ventas@tienda.mx;conta@tienda.mx"}}));
  EXPECT_EQ(Consulta("SELECT ID_CTAPAGO FROM tblCatClientes ORDER BY COD_CLI"),
            (Filas{{"0"}, {"3"}}));
  EXPECT_EQ(Tipo("tblCierres", "XML_CIERRE"), (Filas{{"longtext", "NO"}}));
  EXPECT_EQ(Consulta("SELECT XML_CIERRE FROM tblCierres"), (Filas{{"<Cierre Folio=\"1\"/>"}}));
  EXPECT_EQ(Consulta("SELECT FE_ACTIEPS FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"1"}, {"1"}, {"2"}}));

  // Run again: the same structure and rows.
  const Filas antes = Consulta("SELECT * FROM tblFEPendientes, tblCierres, tblCatClientes");
  ModificarEstructura86(cnx_, ManejadorMySQL, 850, 863);
  ModificarEstructura863(cnx_, ManejadorMySQL, 850, 863);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblFEPendientes, tblCierres, tblCatClientes"), antes);
  EXPECT_EQ(Tipo("tblCierres", "XML_CIERRE"), (Filas{{"longtext", "NO"}}));
  EXPECT_EQ(Version(), (Filas{{"863", "0"}}));
}

TEST_F(Versiones85a88, Version87) {
  ModificarEstructura87(cnx_, ManejadorMySQL, 860, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"870", "0"}}));
  EXPECT_EQ(Consulta("SELECT CON_AJUSTE FROM tblConceptos ORDER BY COD_CON"),
            (Filas{{"0"}, {"1"}}));
}

TEST_F(Versiones85a88, Version88) {
  const Filas esperadas = {{"NV1", "F1"}, {"NV2", "F2"}, {"NV3", "FX"},
                           {"NV4", ""},   {"NV5", ""},   {"NV6", ""}};
  ModificarEstructura88(cnx_, ManejadorMySQL, 870, 952);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"880", "0"}}));
  EXPECT_EQ(Tipo("tblSveTransacciones", "FECHA"), (Filas{{"datetime", "NO"}}));
  EXPECT_EQ(Tipo("tblSveTransacciones", "FECHA_REG"), (Filas{{"datetime", "NO"}}));
  EXPECT_EQ(Consulta("SELECT FECHA, FECHA_REG FROM tblSveTransacciones"),
            (Filas{{"2019-03-04 00:00:00", "2019-03-05 00:00:00"}}));
  // Concept CCLI, an empty folio and a matching note: the note's invoice; state 2 ends
  // empty; other concepts, charges without a note and folios already set keep theirs.
  EXPECT_EQ(Consulta("SELECT FOL_DOC, FOL_FACT FROM tblEncCargosAbonos ORDER BY FOL_DOC"),
            esperadas);

  ModificarEstructura88(cnx_, ManejadorMySQL, 870, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT FOL_DOC, FOL_FACT FROM tblEncCargosAbonos ORDER BY FOL_DOC"),
            esperadas);
}

}  // namespace
