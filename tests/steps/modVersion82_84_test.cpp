#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion82.h"
#include "steps/8x_9x/modVersion83.h"
#include "steps/8x_9x/modVersion84.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::QueContienen;
using prueba::Envio;
using prueba::EmpiezaCon;
using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAre;
using vb::Variant;

constexpr long kFalla = -2147217900;
// The first statement of the default-records check.
constexpr const char* kRevision = "SELECT COD_FRP FROM tblFormasPago;";

using Llamada = std::function<void(ado::Connection&, std::int16_t)>;

class Versiones82a84Grabadas : public prueba::RutinaGrabada {
 protected:
  void SinFilasLasDemas() { db_.Responde(EmpiezaCon("SELECT"), SinFilas({"X"})); }
};

// ------------------------------------------------------------ widenings per engine

struct CasoAmpliacion {
  const char* nombre;
  Llamada rutina;
  std::int16_t iManejador;
  std::vector<std::string> ampliaciones;  // the first statements, unguarded
};

void PrintTo(const CasoAmpliacion& c, std::ostream* os) { *os << c.nombre; }

class Ampliaciones82a84 : public Versiones82a84Grabadas,
                          public ::testing::WithParamInterface<CasoAmpliacion> {};

const Llamada k82 = [](ado::Connection& c, std::int16_t m) { ModificarEstructura82(c, m, 852, 852); };
const Llamada k83 = [](ado::Connection& c, std::int16_t m) { ModificarEstructura83(c, m, 820, 852); };
const Llamada k84 = [](ado::Connection& c, std::int16_t m) { ModificarEstructura84(c, m, 820, 852); };

// Each widening is sent as written; when the engine refuses the first, nothing else is
// sent, nothing is logged and the failure goes to the caller.
TEST_P(Ampliaciones82a84, FormsAndUnguardedFailure) {
  const CasoAmpliacion& c = GetParam();
  SinFilasLasDemas();
  c.rutina(cnx_, c.iManejador);
  const std::vector<std::string> textos = db_.Textos();
  ASSERT_GE(textos.size(), c.ampliaciones.size());
  EXPECT_EQ(std::vector<std::string>(textos.begin(), textos.begin() + static_cast<long>(c.ampliaciones.size())),
            c.ampliaciones);

  prueba::RecordingProvider otra;
  ado::Connection cnx;
  cnx.Open("DSN=Grabada");
  otra.Falla(c.ampliaciones.front(), kFalla, "no table");
  EXPECT_THROW(c.rutina(cnx, c.iManejador), vb::Error);
  EXPECT_THAT(otra.Textos(), ElementsAre(c.ampliaciones.front()));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Table, Ampliaciones82a84,
    ::testing::Values(
        CasoAmpliacion{"v82_SQLServer", k82, ManejadorSQLServer,
                       {"ALTER TABLE tblComprasEnc ALTER COLUMN PED_IMP VARCHAR(21) NOT NULL;",
                        "ALTER TABLE tblOCOMEnc ALTER COLUMN PED_IMP VARCHAR(21) NOT NULL;"}},
        CasoAmpliacion{"v82_Access", k82, ManejadorAccess,
                       {"ALTER TABLE tblComprasEnc ALTER COLUMN PED_IMP TEXT(21);",
                        "ALTER TABLE tblOCOMEnc ALTER COLUMN PED_IMP TEXT(21);"}},
        CasoAmpliacion{"v83_SQLServer", k83, ManejadorSQLServer,
                       {"ALTER TABLE tblCatClientes ALTER COLUMN MAIL_CLI VARCHAR(100) NOT NULL;"}},
        CasoAmpliacion{"v83_Access", k83, ManejadorAccess,
                       {"ALTER TABLE tblCatClientes ALTER COLUMN MAIL_CLI TEXT(100);"}},
        CasoAmpliacion{"v84_MySQL", k84, ManejadorMySQL,
                       {"ALTER TABLE tblFacturaElectronica MODIFY CADENA_ORIGINAL MEDIUMTEXT;"}},
        CasoAmpliacion{"v84_SQLServer", k84, ManejadorSQLServer,
                       {"ALTER TABLE tblFacturaElectronica ALTER COLUMN CADENA_ORIGINAL VARCHAR(MAX);"}},
        CasoAmpliacion{"v84_Access", k84, ManejadorAccess,
                       {"ALTER TABLE tblFacturaElectronica ALTER COLUMN CADENA_ORIGINAL MEMO;"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ which version runs the check

struct CasoRevision {
  const char* nombre;
  std::int16_t iVersionActual;
  std::vector<int> revisan;  // the versions whose routine runs the check
};

void PrintTo(const CasoRevision& c, std::ostream* os) { *os << c.nombre; }

class QuienRevisa : public Versiones82a84Grabadas,
                    public ::testing::WithParamInterface<CasoRevision> {};

// The routines of the steps a database climbs, from the version it starts at (the ladder
// retakes the step of the version it is at): 8.2 always checks, 8.3 and 8.4 only for a
// database that was at their own version.
TEST_P(QuienRevisa, CheckRunsOnceFromTheRightVersion) {
  const CasoRevision& c = GetParam();
  SinFilasLasDemas();
  std::vector<int> revisan;
  const std::vector<std::pair<int, std::function<void()>>> rutinas = {
      {820, [&] { ModificarEstructura82(cnx_, ManejadorMySQL, 852, 852); }},
      {830, [&] { ModificarEstructura83(cnx_, ManejadorMySQL, c.iVersionActual, 852); }},
      {840, [&] { ModificarEstructura84(cnx_, ManejadorMySQL, c.iVersionActual, 852); }}};
  for (const auto& [version, rutina] : rutinas) {
    if (c.iVersionActual > version) continue;
    const std::size_t antes = QueContienen(db_.Textos(), kRevision).size();
    rutina();
    if (QueContienen(db_.Textos(), kRevision).size() > antes) revisan.push_back(version);
  }
  EXPECT_EQ(revisan, c.revisan);
}

INSTANTIATE_TEST_SUITE_P(Table, QuienRevisa,
                         ::testing::Values(CasoRevision{"From810", 810, {820}},
                                           CasoRevision{"From820", 820, {820}},
                                           CasoRevision{"From830", 830, {830}},
                                           CasoRevision{"From840", 840, {840}}),
                         [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ 8.2 to 8.4 as text

// Only a run whose target is exactly 8.2 resets CFDI_PAGO.
TEST_F(Versiones82a84Grabadas, CfdiPaymentResetOnlyForTarget820) {
  SinFilasLasDemas();
  ModificarEstructura82(cnx_, ManejadorMySQL, 821, 821);
  EXPECT_TRUE(QueContienen(db_.Textos(), "CFDI_PAGO").empty());
  ModificarEstructura82(cnx_, ManejadorMySQL, 820, 820);
  EXPECT_THAT(QueContienen(db_.Textos(), "CFDI_PAGO"),
              ElementsAre("UPDATE tblConceptos SET CFDI_PAGO=0;"));
}

// A failure inside the check carries the check's label; the routine goes on and records
// its version. The routine's own failures carry its label.
TEST_F(Versiones82a84Grabadas, FailuresInsideTheCheckCarryItsLabel) {
  db_.Falla("UPDATE tblCostos SET NUM_PEDIM='' WHERE (NUM_PEDIM IS NULL);", kFalla, "no table");
  db_.Falla("UPDATE tblFormasPago SET CLAVE_SAT='01' WHERE (CLAVE_SAT='1');", kFalla, "refused");
  SinFilasLasDemas();
  ModificarEstructura82(cnx_, ManejadorSQLServer, 852, 852);
  EXPECT_EQ(log_.Contenido(),
            Entrada("Error en ModificarEstructura82 :", kFalla, "no table") +
                Entrada("Error en ModificarEstructura82 - Revisar Registros Default :", kFalla,
                        "refused"));
  EXPECT_TRUE(Envio(db_.Textos(), "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (820,0);"));
}

// Failed lookups of 8.3 lead into the statements they guard; an unreadable or Null first
// ACTIVO does not switch the points on.
struct CasoPuntos {
  const char* nombre;
  bool fallaParametros, fallaPuntos;
  std::vector<std::vector<Variant>> puntos;
  bool inserta, activa;
};

void PrintTo(const CasoPuntos& c, std::ostream* os) { *os << c.nombre; }

class Puntos83 : public Versiones82a84Grabadas, public ::testing::WithParamInterface<CasoPuntos> {};

TEST_P(Puntos83, ParametersRowAndSwitch) {
  const CasoPuntos& c = GetParam();
  if (c.fallaParametros) db_.Falla("SELECT * FROM tblParamPuntos;", kFalla, "no table");
  if (c.fallaPuntos) db_.Falla("SELECT ACTIVO FROM tblPuntos;", kFalla, "no table");
  db_.Responde("SELECT ACTIVO FROM tblPuntos;", {{"ACTIVO"}, c.puntos});
  SinFilasLasDemas();
  ModificarEstructura83(cnx_, ManejadorMySQL, 820, 852);
  EXPECT_EQ(Envio(db_.Textos(), "INSERT INTO tblParamPuntos (PTO_ACTIVO,EN_LINEA,URL_PUNTOS) VALUES (0,0,'');"),
            c.inserta);
  EXPECT_EQ(Envio(db_.Textos(), "UPDATE tblParamPuntos SET PTO_ACTIVO=1;"), c.activa);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Puntos83,
    ::testing::Values(
        CasoPuntos{"FirstActive", false, false, {{Variant(std::int16_t(1))}, {Variant(std::int16_t(0))}}, true, true},
        CasoPuntos{"FirstInactive", false, false, {{Variant(std::int16_t(0))}, {Variant(std::int16_t(1))}}, true, false},
        CasoPuntos{"FirstNull", false, false, {{Variant::Null()}}, true, false},
        CasoPuntos{"NoRows", false, false, {}, true, false},
        CasoPuntos{"LookupsFail", true, true, {}, true, true}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ on MariaDB

class Versiones82a84 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_740_84x.sql");
    ModificarEstructura80(cnx_, ManejadorMySQL, 852);
    ModificarEstructura81(cnx_, ManejadorMySQL, 740);
  }
  Filas Columna(const char* nombre) const {
    return Consulta(std::string("SELECT TABLE_NAME,DATA_TYPE,CHARACTER_MAXIMUM_LENGTH,IS_NULLABLE "
                                "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND "
                                "COLUMN_NAME='") + nombre + "' ORDER BY 1");
  }
};

// A database at 8.1 climbs to 8.4: each version's changes, its version row, the check run
// once (from 8.2); a second pass from 8.4 (the ladder retakes step 8.4) runs 8.4's check,
// which finds nothing left to add.
TEST_F(Versiones82a84, ClimbFrom81To84) {
  ModificarEstructura82(cnx_, ManejadorMySQL, 852, 852);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"820"}}));
  EXPECT_EQ(Columna("PED_IMP"), (Filas{{"tblcomprasenc", "varchar", "21", "NO"},
                                       {"tblocomenc", "varchar", "21", "NO"}}));
  EXPECT_EQ(Consulta("SELECT BANCO_ORDEN FROM tblAuxCaja"), (Filas{{""}}));
  EXPECT_EQ(Consulta("SELECT NUM_PEDIM FROM tblCostos"), (Filas{{""}}));
  EXPECT_EQ(Consulta("SELECT COD_FRP,SAT_MPAGO,CLAVE_SAT FROM tblFormasPago WHERE COD_PAG IN(0,3) ORDER BY 1"),
            (Filas{{"3", "Por definir", "99"}, {"5", "Por definir", "99"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblConceptos ORDER BY 1"), (Filas{{"1", "0"}, {"2", "1"}}));
  EXPECT_EQ(Consulta("SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST'"), (Filas{{"5"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVTC FROM tblProveedoresTC ORDER BY 1"),
            (Filas{{"1"}, {"2"}, {"3"}, {"4"}}));

  ModificarEstructura83(cnx_, ManejadorMySQL, 810, 852);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"830"}}));
  EXPECT_EQ(Columna("MAIL_CLI"), (Filas{{"tblcatclientes", "varchar", "100", "NO"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblParamPuntos"), (Filas{{"1", "0", ""}}));
  EXPECT_EQ(Consulta("SELECT NOMBRE_OPCION,TITULO_OPCION FROM tblPlantillaMenus ORDER BY 1"),
            (Filas{{"mnuFileOpe", "Empresa"}, {"mnuFileSalir", "Salir"}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART,PCIO_PUNTOS FROM tblUndCosPreArt ORDER BY 1"),
            (Filas{{"CAFE", "0.0000"}, {"DEPURADO", "0.0000"}, {"QZ_CFDI33_VELMAR_SAT", "0.0000"},
                   {"VTADIA", "3.0000"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblTiposPago ORDER BY 1"), (Filas{{"1", "0"}, {"2", "0"}}));

  bd_->EjecutaSql("UPDATE tblTiposPago SET PAGO_CFDI=1;");
  ModificarEstructura84(cnx_, ManejadorMySQL, 810, 852);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"840"}}));
  EXPECT_EQ(Columna("CADENA_ORIGINAL"), (Filas{{"tblfacturaelectronica", "mediumtext", "16777215", "YES"}}));
  EXPECT_EQ(Consulta("SELECT CADENA_ORIGINAL FROM tblFacturaElectronica"), (Filas{{"||3.2|A|1||"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblVentaEnEspera"), (Filas{{"1", "", "0.0000", "0"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblTiposPago ORDER BY 1"), (Filas{{"1", "0"}, {"2", "0"}}));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();

  // The second pass: the check of 8.4 runs and adds nothing; provider 2 removed by hand
  // comes back.
  bd_->EjecutaSql("DELETE FROM tblProveedoresTC WHERE COD_PROVTC=2;");
  ModificarEstructura84(cnx_, ManejadorMySQL, 840, 852);
  EXPECT_EQ(Consulta("SELECT COD_PROVTC FROM tblProveedoresTC ORDER BY 1"),
            (Filas{{"1"}, {"2"}, {"3"}, {"4"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCatArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"840"}}));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// A run whose target is 8.2 resets CFDI_PAGO everywhere and gives the unit row without
// PCIO_PUNTOS.
TEST_F(Versiones82a84, Target820) {
  bd_->EjecutaSql("DELETE FROM tblUndCosPreArt WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT';"
                  "ALTER TABLE tblUndCosPreArt DROP COLUMN PCIO_PUNTOS;");
  ModificarEstructura82(cnx_, ManejadorMySQL, 820, 820);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblConceptos ORDER BY 1"), (Filas{{"1", "0"}, {"2", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_UND FROM tblUndCosPreArt WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"ACT"}}));
}

}  // namespace
