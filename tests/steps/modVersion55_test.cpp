#include "steps/5x/modVersion55.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kCerrado = prueba::kObjetoCerrado;
constexpr long kSintaxis = -2147217900;
constexpr const char* kEtiqueta = "Error en ActualizaCamposVersion55 :";

const std::vector<std::string> kVersion550 = {
    "SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (550,0);",
    "DELETE FROM tblVersion WHERE VER<>550;"};

constexpr const char* kPaquetes =
    "SELECT DISTINCT COD1_PAQ FROM tblEncPaquetes INNER JOIN tblModificadores ON "
    "tblEncPaquetes.COD1_PAQ= tblModificadores.COD_ART WHERE REC_MODIF<>0";
constexpr const char* kRenglones =
    "SELECT tblRenPaquetes.COD1_PAQ AS PAQPADRE, tblEncPaquetes.COD1_PAQ AS PAQMODIF FROM "
    "tblEncPaquetes INNER JOIN tblRenPaquetes ON tblEncPaquetes.COD1_PAQ= tblRenPaquetes.COD1_ART "
    "WHERE REC_MODIF<>0 AND (MODIF_OPC<>0 OR MODIF_INT<>0 OR MODIF_LISTA<>0)";

std::string Lineas(const std::string& paquete) {
  return "SELECT COD1_ART,MODIF_OPC,MODIF_INT,MODIF_LISTA FROM tblRenPaquetes WHERE COD1_PAQ='" +
         paquete + "';";
}
std::string Cabecera(const std::string& articulo) {
  return "SELECT REC_MODIF FROM tblEncPaquetes WHERE COD1_PAQ='" + articulo + "';";
}
std::string QuitaBandera(const std::string& paquete) {
  return "UPDATE tblEncPaquetes SET REC_MODIF=0 WHERE COD1_PAQ='" + paquete + "';";
}
std::string DejaDeSerModificador(const std::string& paquete) {
  return "DELETE FROM tblModificadores WHERE COD_ART='" + paquete + "';";
}
std::string LimpiaRenglon(const std::string& paquete, const std::string& articulo) {
  return "UPDATE tblRenPaquetes SET MODIF_OPC=0,MODIF_INT=0,MODIF_LISTA=0 WHERE COD1_PAQ='" +
         paquete + "' AND COD1_ART='" + articulo + "';";
}
const std::vector<std::string> kColumnasLineas = {"COD1_ART", "MODIF_OPC", "MODIF_INT",
                                                  "MODIF_LISTA"};

std::vector<std::string> Une(std::initializer_list<std::vector<std::string>> partes) {
  std::vector<std::string> todo;
  for (const auto& parte : partes) todo.insert(todo.end(), parte.begin(), parte.end());
  return todo;
}

// ----------------------------------------------------------- recorded

struct FormaDelDialecto {
  std::int16_t iManejador;
  std::string ampliacion;
};

void PrintTo(const FormaDelDialecto& forma, std::ostream* os) { *os << "code " << forma.iManejador; }

class ModificarEstructura55Grabada : public prueba::RutinaGrabada,
                                     public ::testing::WithParamInterface<FormaDelDialecto> {};

TEST_P(ModificarEstructura55Grabada, StatementsOfTheDialect) {
  ModificarEstructura55(cnx_, GetParam().iManejador);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Une({{GetParam().ampliacion,
                                     "ALTER TABLE tblEmpresa DROP COLUMN TC_PROV;",
                                     "ALTER TABLE tblEmpresa DROP COLUMN TC_ID;",
                                     "ALTER TABLE tblEmpresa DROP COLUMN DIR2_EMP;",
                                     "UPDATE tblCiudad SET MUN_CID=DES_CID WHERE MUN_CID='';",
                                     "UPDATE tblParametrosGenerales SET FE_PAC=0;"},
                                    kVersion550})));
  EXPECT_FALSE(log_.Existe());
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, ModificarEstructura55Grabada,
    ::testing::Values(
        FormaDelDialecto{
            4, "ALTER TABLE tblParametrosGenerales MODIFY FE_CONTRASENA VARCHAR(255) NOT NULL;"},
        FormaDelDialecto{3,
                         "ALTER TABLE tblParametrosGenerales ALTER COLUMN FE_CONTRASENA "
                         "VARCHAR(255) NOT NULL;"},
        FormaDelDialecto{
            2, "ALTER TABLE tblParametrosGenerales ALTER COLUMN FE_CONTRASENA TEXT(255);"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

// The clean-up's failure rules, one case each: what is sent, what is logged, and whether
// the failure leaves the routine.
struct FallaDeLaLimpieza {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> prepara;
  std::vector<std::string> sentencias;
  std::string log;
  bool llegaAlLlamador = false;
};

void PrintTo(const FallaDeLaLimpieza& caso, std::ostream* os) { *os << caso.nombre; }

class LimpiezaGrabada : public prueba::RutinaGrabada,
                        public ::testing::WithParamInterface<FallaDeLaLimpieza> {};

TEST_P(LimpiezaGrabada, FailureRule) {
  GetParam().prepara(db_);
  db_.Responde(kRenglones, SinFilas({"PAQPADRE", "PAQMODIF"}));
  if (GetParam().llegaAlLlamador)
    EXPECT_THROW(ActualizaCamposVersion55(cnx_), vb::Error);
  else
    EXPECT_NO_THROW(ActualizaCamposVersion55(cnx_));
  EXPECT_THAT(db_.Textos(), ElementsAreArray(GetParam().sentencias));
  EXPECT_EQ(log_.Contenido(), GetParam().log);
}

// P's one line holds article A, a package.
void PaqueteConUnRenglon(prueba::RecordingProvider& db) {
  db.Responde(kPaquetes, {{"COD1_PAQ"}, {{"P"}}});
  db.Responde(Lineas("P"), {kColumnasLineas, {{"A", 0, Variant::Null(), 0}}});
}

INSTANTIATE_TEST_SUITE_P(
    CleanUp, LimpiezaGrabada,
    ::testing::Values(
        // The list that cannot be read leaves the three passes out, with one entry.
        FallaDeLaLimpieza{"ListCannotBeRead",
                          [](auto& db) { db.Falla(kPaquetes, kSintaxis, "no table"); },
                          Une({{kPaquetes}, kVersion550}),
                          Entrada(kEtiqueta, kSintaxis, "no table")},
        // ... and the version row is then not caught either.
        FallaDeLaLimpieza{"ListCannotBeReadNorVersionWritten",
                          [](auto& db) {
                            db.Falla(kPaquetes, kSintaxis, "no table");
                            db.Falla("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (550,0);",
                                     -2147467259, "Lost connection");
                          },
                          {kPaquetes, "SELECT * FROM tblVersion;",
                           "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (550,0);"},
                          Entrada(kEtiqueta, kSintaxis, "no table"),
                          true},
        // P whose lines cannot be read keeps its flag, and stops being a modifier.
        FallaDeLaLimpieza{"LinesCannotBeRead",
                          [](auto& db) {
                            db.Responde(kPaquetes, {{"COD1_PAQ"}, {{"P"}}});
                            db.Falla(Lineas("P"), kSintaxis, "no table");
                          },
                          Une({{kPaquetes, Lineas("P"), kPaquetes, DejaDeSerModificador("P"),
                                kRenglones},
                               kVersion550}),
                          Entrada(kEtiqueta, kSintaxis, "no table") +
                              Entrada(kEtiqueta, 3704, kCerrado) +
                              Entrada(kEtiqueta, 3704, kCerrado) +
                              Entrada(kEtiqueta, 3704, kCerrado)},
        // So does P whose line's article cannot be looked up.
        FallaDeLaLimpieza{"ArticleCannotBeLookedUp",
                          [](auto& db) {
                            PaqueteConUnRenglon(db);
                            db.Falla(Cabecera("A"), kSintaxis, "no table");
                          },
                          Une({{kPaquetes, Lineas("P"), Cabecera("A"), kPaquetes,
                                DejaDeSerModificador("P"), kRenglones},
                               kVersion550}),
                          Entrada(kEtiqueta, kSintaxis, "no table") +
                              Entrada(kEtiqueta, 3704, kCerrado) +
                              Entrada(kEtiqueta, 3704, kCerrado) +
                              Entrada(kEtiqueta, 3704, kCerrado)},
        // A failed reset is logged; the package stays a modifier (pass 2 reads it again).
        FallaDeLaLimpieza{"ResetFails",
                          [](auto& db) {
                            PaqueteConUnRenglon(db);
                            db.Responde(Cabecera("A"), {{"REC_MODIF"}, {{Variant::Null()}}});
                            db.Falla(QuitaBandera("P"), -2147467259, "Lock wait timeout");
                          },
                          Une({{kPaquetes, Lineas("P"), Cabecera("A"), QuitaBandera("P"),
                                kPaquetes, DejaDeSerModificador("P"), kRenglones},
                               kVersion550}),
                          Entrada(kEtiqueta, -2147467259, "Lock wait timeout")},
        // The lines of pass 3 that cannot be read: nothing cleared; the version follows.
        FallaDeLaLimpieza{"FlaggedLinesCannotBeRead",
                          [](auto& db) {
                            db.Responde(kPaquetes, SinFilas({"COD1_PAQ"}));
                            db.Falla(kRenglones, kSintaxis, "no table");
                          },
                          Une({{kPaquetes, kPaquetes, kRenglones}, kVersion550}),
                          Entrada(kEtiqueta, kSintaxis, "no table") +
                              Entrada(kEtiqueta, 3704, kCerrado) +
                              Entrada(kEtiqueta, 3704, kCerrado)}),
    [](const auto& info) { return std::string(info.param.nombre); });

class Limpieza : public prueba::RutinaGrabada {};

// Pass 1 examines the lines in order up to the first that decides; pass 3 clears each
// line it found, once per line found.
TEST_F(Limpieza, LinesUpToTheFirstThatDecides) {
  db_.Responde(kPaquetes, {{"COD1_PAQ"}, {{"P"}, {"Q"}}});
  db_.Responde(Lineas("P"), {kColumnasLineas,
                             {{"CAFE", 0, 0, 0}, {"A", 0, 0, 0}, {"B", 0, 0, 0}, {"PAN", 1, 0, 0}}});
  db_.Responde(Cabecera("CAFE"), SinFilas({"REC_MODIF"}));
  db_.Responde(Cabecera("A"), {{"REC_MODIF"}, {{0}}});
  db_.Responde(Cabecera("B"), {{"REC_MODIF"}, {{-1}}});
  db_.Responde(Lineas("Q"), {kColumnasLineas, {{"PAN", Variant::Null(), 0, 1}, {"X", 0, 0, 0}}});
  db_.Responde(kRenglones, {{"PAQPADRE", "PAQMODIF"}, {{"C1", "P"}, {"C1", "P"}, {"C2", "Q"}}});
  ActualizaCamposVersion55(cnx_);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Une(
                  {{kPaquetes, Lineas("P"), Cabecera("CAFE"), Cabecera("A"), Cabecera("B"),
                    Lineas("Q"), kPaquetes, DejaDeSerModificador("P"), DejaDeSerModificador("Q"),
                    kRenglones, LimpiaRenglon("C1", "P"), LimpiaRenglon("C1", "P"),
                    LimpiaRenglon("C2", "Q")},
                   kVersion550})));
  EXPECT_FALSE(log_.Existe());
}

// ------------------------------------------------------------ on MariaDB

class Version55 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_540.sql");
  }
  std::vector<Filas> Paquetes() const {
    return {Consulta("SELECT COD1_PAQ, REC_MODIF FROM tblEncPaquetes ORDER BY COD1_PAQ"),
            Consulta("SELECT COD_PAQ, COD_ART FROM tblModificadores ORDER BY COD_ART, COD_PAQ"),
            Consulta("SELECT COD1_PAQ, COD1_ART, CANTIDAD, MODIF_OPC, MODIF_INT, MODIF_LISTA FROM "
                     "tblRenPaquetes ORDER BY COD1_PAQ, COD1_ART, CANTIDAD")};
  }
  std::size_t Entradas(const std::string& etiqueta) const {
    const std::string log = log_.Contenido();
    const std::string marca = "\r\n" + etiqueta;
    std::size_t n = 0;
    for (auto pos = log.find(marca); pos != std::string::npos; pos = log.find(marca, pos + 1)) ++n;
    return n;
  }
};

TEST_F(Version55, FromADatabaseAt54) {
  const std::vector<Filas> antes = Paquetes();
  ModificarEstructura55(cnx_, ManejadorMySQL);
  ActualizaCamposVersion55(cnx_);

  // The second address line went with 5.4.
  const std::string log = log_.Contenido();
  EXPECT_THAT(log, ::testing::StartsWith("\r\nError en ModificarEstructura55 :-2147217900\r\n"));
  EXPECT_THAT(log, ::testing::HasSubstr("DIR2_EMP"));
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"550", "0"}}));

  EXPECT_EQ(Consulta("SELECT COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS "
                     "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME IN ('tblParametrosGenerales',"
                     "'tblEmpresa') AND COLUMN_NAME IN ('FE_CONTRASENA','TC_PROV','TC_ID')"),
            (Filas{{"FE_CONTRASENA", "varchar(255)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT FE_CONTRASENA, FE_PAC FROM tblParametrosGenerales"),
            (Filas{{"secreta", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_CID, MUN_CID FROM tblCiudad ORDER BY COD_CID"),
            (Filas{{"1", "PUEBLA"}, {"2", "NULL"}, {"3", "ATLIXCO DE LAS FLORES"}}));

  const std::vector<Filas> despues = Paquetes();
  // SOLO, NULOS and PAQ'X had no line that keeps the flag; CONOPC (a flagged line) and
  // CONPAQ (a line holding the flagged BASE) keep it.
  EXPECT_EQ(despues[0], (Filas{{"BASE", "1"},
                               {"COMBO1", "0"},
                               {"COMBO2", "0"},
                               {"CONOPC", "1"},
                               {"CONPAQ", "1"},
                               {"FLAGNULL", "NULL"},
                               {"NULOS", "0"},
                               {"PAQ'X", "0"},
                               {"SINMARCA", "0"},
                               {"SOLO", "0"}}));
  // Those that kept it are modifiers no more.
  EXPECT_EQ(despues[1], (Filas{{"COMBO2", "FLAGNULL"},
                               {"COMBO2", "NULOS"},
                               {"COMBO1", "PAQ'X"},
                               {"COMBO1", "SINMARCA"},
                               {"COMBO1", "SOLO"}}));
  // Lines holding CONOPC or BASE lose their flags (both CONOPC lines of COMBO1); the SOLO
  // line keeps them, as SOLO was reset; lines of other articles are untouched.
  EXPECT_EQ(despues[2], (Filas{{"COMBO1", "CAFE", "1.0000", "0", "0", "1"},
                               {"COMBO1", "CONOPC", "1.0000", "0", "0", "0"},
                               {"COMBO1", "CONOPC", "2.0000", "0", "0", "0"},
                               {"COMBO2", "BASE", "1.0000", "0", "0", "0"},
                               {"COMBO2", "SOLO", "1.0000", "1", "0", "0"},
                               {"CONOPC", "REFRESCO", "1.0000", "1", "0", "0"},
                               {"CONPAQ", "BASE", "1.0000", "NULL", "0", "NULL"},
                               {"CONPAQ", "CAFE", "1.0000", "0", "0", "0"},
                               {"NULOS", "PAN", "1.0000", "NULL", "NULL", "NULL"}}));
  EXPECT_NE(antes, despues);
}

// A second run changes nothing but the version row; ModificarEstructura55 logs the three
// drops of columns that are gone.
TEST_F(Version55, TwiceChangesNothing) {
  ModificarEstructura55(cnx_, ManejadorMySQL);
  ActualizaCamposVersion55(cnx_);
  const std::vector<Filas> antes = Paquetes();
  bd_->EjecutaSql("UPDATE tblVersion SET VER=540;");
  ModificarEstructura55(cnx_, ManejadorMySQL);
  ActualizaCamposVersion55(cnx_);

  EXPECT_EQ(Paquetes(), antes);
  EXPECT_EQ(Entradas("Error en ModificarEstructura55 :"), 4u) << log_.Contenido();
  EXPECT_EQ(Entradas(kEtiqueta), 0u) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"550"}}));
}

// Without tblModificadores the list cannot be read: no pass runs, that failure is logged
// once, and the version is recorded.
TEST_F(Version55, WithoutTheModifiersTable) {
  const std::vector<Filas> antes = Paquetes();
  bd_->EjecutaSql("DROP TABLE tblModificadores;");
  ActualizaCamposVersion55(cnx_);
  EXPECT_EQ(Entradas(kEtiqueta), 1u) << log_.Contenido();
  EXPECT_THAT(log_.Contenido(), ::testing::HasSubstr("tblmodificadores' doesn't exist"));
  bd_->EjecutaSql("CREATE TABLE tblModificadores (COD_PAQ VARCHAR(20), COD_ART VARCHAR(20));");
  const std::vector<Filas> despues = Paquetes();
  EXPECT_EQ(despues[0], antes[0]);
  EXPECT_EQ(despues[2], antes[2]) << "pass 3 is left out too";
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"550"}}));
}

// Without tblRenPaquetes no package's lines can be read: every listed package keeps its
// flag and stops being a modifier; pass 3 cannot read its lines; the version follows.
TEST_F(Version55, WithoutThePackageLines) {
  bd_->EjecutaSql("DROP TABLE tblRenPaquetes;");
  ActualizaCamposVersion55(cnx_);
  EXPECT_EQ(Consulta("SELECT COD1_PAQ FROM tblEncPaquetes WHERE REC_MODIF<>0 ORDER BY COD1_PAQ"),
            (Filas{{"BASE"}, {"CONOPC"}, {"CONPAQ"}, {"NULOS"}, {"PAQ'X"}, {"SOLO"}}));
  EXPECT_EQ(Consulta("SELECT COD_ART FROM tblModificadores ORDER BY COD_ART"),
            (Filas{{"FLAGNULL"}, {"SINMARCA"}}));
  // Five packages' lines (open, test, first line, close) and pass 3 (open, end test, close).
  EXPECT_EQ(Entradas(kEtiqueta), 5u * 4 + 3) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"550"}}));
}

}  // namespace
