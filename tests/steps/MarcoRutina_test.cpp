#include "steps/MarcoRutina.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/vb/Text.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Resultado;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using vb::Variant;

constexpr long kSintaxis = -2147217900;
constexpr const char* kCerrado = prueba::kObjetoCerrado;
constexpr const char* kEtiqueta = "Error en RutinaDeMuestra :";

// A routine of the usual shape: a fill, a lookup that guards an insert, a loop over
// users, one more statement and the version row.
void RutinaDeMuestra(ado::Connection& cnx) {
  Rutina r(cnx, "RutinaDeMuestra", ManejadorMySQL);
  r.ArmaManejador();
  r.Ejecuta("UPDATE tblA SET X=0 WHERE X IS NULL;");
  ado::Recordset rs = r.Abre("SELECT * FROM tblB WHERE ID=1;");
  if (r.SinFilas(rs)) r.Ejecuta("INSERT INTO tblB (ID) VALUES (1);");
  r.Cierra(rs);
  ado::Recordset usuarios = r.Abre("SELECT COD FROM tblC;");
  if (r.ConFilas(usuarios))
    r.Recorre(usuarios, [&] {
      r.Ejecuta([&] {
        return "INSERT INTO tblD (COD) VALUES ('" + r.UnePropagandoNulo(Campo(usuarios, "COD")) +
               "');";
      });
    });
  r.Cierra(usuarios);
  r.Ejecuta("UPDATE tblE SET Y=1;");
  r.RegistraVersion(510);
}

struct CasoDelMarco {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> guion;
  std::vector<std::string> sentencias;
  std::string log;
};

const std::vector<std::string> kVersion = {
    "SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (510,0);",
    "DELETE FROM tblVersion WHERE VER<>510;"};

const std::vector<std::string> kAntesDeLaVersion = {
    "UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
    "INSERT INTO tblB (ID) VALUES (1);", "SELECT COD FROM tblC;", "UPDATE tblE SET Y=1;"};

std::vector<std::string> Con(std::vector<std::string> sentencias,
                             const std::vector<std::string>& mas = kVersion) {
  sentencias.insert(sentencias.end(), mas.begin(), mas.end());
  return sentencias;
}

void UsuariosYSinB(prueba::RecordingProvider& db, std::vector<std::vector<Variant>> usuarios) {
  db.Responde("SELECT * FROM tblB WHERE ID=1;", prueba::SinFilas({"ID"}));
  db.Responde("SELECT COD FROM tblC;", {{"COD"}, std::move(usuarios)});
}

std::vector<CasoDelMarco> CasosDelMarco() {
  return {
      {"NothingFails",
       [](auto& db) {
         UsuariosYSinB(db, {{"U1"}, {"U2"}});
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "INSERT INTO tblB (ID) VALUES (1);", "SELECT COD FROM tblC;",
            "INSERT INTO tblD (COD) VALUES ('U1');", "INSERT INTO tblD (COD) VALUES ('U2');",
            "UPDATE tblE SET Y=1;"}),
       ""},
      {"AFailingStatementIsLoggedAndTheNextRuns",
       [](auto& db) {
         UsuariosYSinB(db, {});
         db.Falla("UPDATE tblA SET X=0 WHERE X IS NULL;", kSintaxis, "Table 'tblA' doesn't exist");
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "INSERT INTO tblB (ID) VALUES (1);", "SELECT COD FROM tblC;", "UPDATE tblE SET Y=1;"}),
       Entrada(kEtiqueta, kSintaxis, "Table 'tblA' doesn't exist")},
      {"APresentRowSkipsTheInsert",
       [](auto& db) {
         db.Responde("SELECT * FROM tblB WHERE ID=1;", {{"ID"}, {{1}}});
         db.Responde("SELECT COD FROM tblC;", prueba::SinFilas({"COD"}));
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "SELECT COD FROM tblC;", "UPDATE tblE SET Y=1;"}),
       ""},
      {"ALookupThatCannotOpenMakesItsTestHold",
       [](auto& db) {
         db.Falla("SELECT * FROM tblB WHERE ID=1;", kSintaxis, "Table 'tblB' doesn't exist");
         db.Responde("SELECT COD FROM tblC;", prueba::SinFilas({"COD"}));
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "INSERT INTO tblB (ID) VALUES (1);", "SELECT COD FROM tblC;", "UPDATE tblE SET Y=1;"}),
       Entrada(kEtiqueta, kSintaxis, "Table 'tblB' doesn't exist") +
           Entrada(kEtiqueta, 3704, kCerrado) + Entrada(kEtiqueta, 3704, kCerrado)},
      {"ALoopOverALookupThatCannotOpenEnds",
       [](auto& db) {
         db.Responde("SELECT * FROM tblB WHERE ID=1;", {{"ID"}, {{1}}});
         db.Falla("SELECT COD FROM tblC;", -2147467259, "Lost connection");
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "SELECT COD FROM tblC;", "UPDATE tblE SET Y=1;"}),
       Entrada(kEtiqueta, -2147467259, "Lost connection") + Entrada(kEtiqueta, 3704, kCerrado) +
           Entrada(kEtiqueta, 3704, kCerrado) + Entrada(kEtiqueta, 3704, kCerrado)},
      {"ANullJoinedIsNotSentAndTheLoopGoesOn",
       [](auto& db) {
         UsuariosYSinB(db, {{Variant::Null()}, {"U2"}});
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "INSERT INTO tblB (ID) VALUES (1);", "SELECT COD FROM tblC;",
            "INSERT INTO tblD (COD) VALUES ('U2');", "UPDATE tblE SET Y=1;"}),
       Entrada(kEtiqueta, 94, prueba::kNuloNoValido)},
      {"AQuoteInAValueReadIsDoubled",
       [](auto& db) {
         UsuariosYSinB(db, {{"O'BRIEN"}, {"C:\\X"}});
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "INSERT INTO tblB (ID) VALUES (1);", "SELECT COD FROM tblC;",
            "INSERT INTO tblD (COD) VALUES ('O''BRIEN');",
            "INSERT INTO tblD (COD) VALUES ('C:\\\\X');", "UPDATE tblE SET Y=1;"}),
       ""},
      {"AFailureInTheLoopGoesOnWithTheNextRow",
       [](auto& db) {
         UsuariosYSinB(db, {{"U1"}, {"U2"}});
         db.Falla("INSERT INTO tblD (COD) VALUES ('U1');", -2147217873, "Duplicate entry 'U1'");
       },
       Con({"UPDATE tblA SET X=0 WHERE X IS NULL;", "SELECT * FROM tblB WHERE ID=1;",
            "INSERT INTO tblB (ID) VALUES (1);", "SELECT COD FROM tblC;",
            "INSERT INTO tblD (COD) VALUES ('U1');", "INSERT INTO tblD (COD) VALUES ('U2');",
            "UPDATE tblE SET Y=1;"}),
       Entrada(kEtiqueta, -2147217873, "Duplicate entry 'U1'")},
      {"AVersionInsertThatFailsLeavesThePreviousRows",
       [](auto& db) {
         UsuariosYSinB(db, {});
         db.Responde("SELECT * FROM tblVersion;",
                     {{"VER", "CXC_CENTRAL"}, {{500, 0}, {Variant("501"), Variant::Null()}}});
         db.Falla("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (510,0);", kSintaxis,
                  "Unknown column 'CXC_CENTRAL'");
       },
       Con(kAntesDeLaVersion,
           {"SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (510,0);"}),
       Entrada(kEtiqueta, kSintaxis, "Unknown column 'CXC_CENTRAL'")},
      {"AFailingCleanUpLeavesTheNewVersionTheHighest",
       [](auto& db) {
         UsuariosYSinB(db, {});
         db.Responde("SELECT * FROM tblVersion;", {{"VER"}, {{500}}});
         db.Falla("DELETE FROM tblVersion WHERE VER<>510;", kSintaxis, "DELETE denied");
       },
       Con(kAntesDeLaVersion), Entrada(kEtiqueta, kSintaxis, "DELETE denied")},
      {"AHigherVersionRecordedStays",
       [](auto& db) {
         UsuariosYSinB(db, {});
         db.Responde("SELECT * FROM tblVersion;", {{"VER"}, {{500}, {5201}}});
       },
       Con(kAntesDeLaVersion, {"SELECT * FROM tblVersion;"}), ""},
      {"TheSameVersionRecordedLosesOnlyTheOtherRows",
       [](auto& db) {
         UsuariosYSinB(db, {});
         db.Responde("SELECT * FROM tblVersion;", {{"VER"}, {{500}, {510}}});
       },
       Con(kAntesDeLaVersion,
           {"SELECT * FROM tblVersion;", "DELETE FROM tblVersion WHERE VER<>510;"}),
       ""},
      {"TheSameVersionAloneIsLeftAsItIs",
       [](auto& db) {
         UsuariosYSinB(db, {});
         db.Responde("SELECT * FROM tblVersion;", {{"VER"}, {{510}}});
       },
       Con(kAntesDeLaVersion, {"SELECT * FROM tblVersion;"}), ""},
      {"AnEmptyTableGetsTheRowAlone",
       [](auto& db) {
         UsuariosYSinB(db, {});
         db.Responde("SELECT * FROM tblVersion;", prueba::SinFilas({"VER"}));
       },
       Con(kAntesDeLaVersion,
           {"SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (510,0);"}),
       ""},
  };
}

void PrintTo(const CasoDelMarco& caso, std::ostream* os) { *os << caso.nombre; }

class ReglasDelMarco : public prueba::RutinaGrabada,
                       public ::testing::WithParamInterface<CasoDelMarco> {};

TEST_P(ReglasDelMarco, StatementsAndLogEntries) {
  const CasoDelMarco& caso = GetParam();
  caso.guion(db_);
  RutinaDeMuestra(cnx_);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(caso.sentencias));
  EXPECT_EQ(log_.Contenido(), caso.log);
  EXPECT_EQ(log_.Existe(), !caso.log.empty()) << "the log exists only when an entry was written";
}

INSTANTIATE_TEST_SUITE_P(Cases, ReglasDelMarco, ::testing::ValuesIn(CasosDelMarco()),
                         [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ handler states

class MarcoRutina : public prueba::RutinaGrabada {};

struct CasoDeEstado {
  const char* nombre;
  std::function<void(Rutina&)> pone;
  bool llegaAlLlamador;
  bool escribeEntrada;
};

void PrintTo(const CasoDeEstado& caso, std::ostream* os) { *os << caso.nombre; }

class EstadosDelManejador : public prueba::RutinaGrabada,
                            public ::testing::WithParamInterface<CasoDeEstado> {};

TEST_P(EstadosDelManejador, DecideWhatAFailureDoes) {
  const CasoDeEstado& caso = GetParam();
  db_.Falla("S1;", 1234, "No se pudo");
  Rutina r(cnx_, "Prueba", ManejadorMySQL);
  caso.pone(r);
  bool siguio = false;
  auto rutina = [&] {
    r.Ejecuta("S1;");
    r.Ejecuta("S2;");
    siguio = true;
  };
  if (caso.llegaAlLlamador) {
    try {
      rutina();
      ADD_FAILURE() << "the failure should have reached the caller";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.Number(), 1234);
      EXPECT_EQ(e.Description(), "No se pudo");
    }
    EXPECT_THAT(db_.Textos(), ElementsAre("S1;"));
  } else {
    rutina();
    EXPECT_TRUE(siguio);
    EXPECT_THAT(db_.Textos(), ElementsAre("S1;", "S2;"));
  }
  EXPECT_EQ(log_.Contenido(),
            caso.escribeEntrada ? Entrada("Error en Prueba :", 1234, "No se pudo") : "");
}

INSTANTIATE_TEST_SUITE_P(
    States, EstadosDelManejador,
    ::testing::Values(CasoDeEstado{"NotArmedYet", [](Rutina&) {}, true, false},
                      CasoDeEstado{"Armed", [](Rutina& r) { r.ArmaManejador(); }, false, true},
                      CasoDeEstado{"OffAfterArming",
                                   [](Rutina& r) {
                                     r.ArmaManejador();
                                     r.SinManejador();
                                   },
                                   true, false},
                      CasoDeEstado{"Silent", [](Rutina& r) { r.Silencioso(); }, false, false}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(MarcoRutina, AFailingTestWithoutHandlerReachesTheCaller) {
  Rutina r(cnx_, "Prueba");
  ado::Recordset cerrado;
  EXPECT_THROW(r.SinFilas(cerrado), vb::Error);
  r.Silencioso();
  EXPECT_TRUE(r.SinFilas(cerrado)) << "silent: the failing test holds too";
  EXPECT_TRUE(r.ConFilas(cerrado));
  EXPECT_FALSE(log_.Existe());
}

TEST_F(MarcoRutina, AFailingTestEntersItsBlockAndNotTheElse) {
  Rutina r(cnx_, "Prueba");
  r.ArmaManejador();
  std::string rama;
  if (r.Si([]() -> bool { vb::Raise(13); }))
    rama = "si";
  else
    rama = "no";
  EXPECT_EQ(rama, "si");
  EXPECT_EQ(log_.Contenido(), Entrada("Error en Prueba :", 13, prueba::kTipoNoEsperado));
}

TEST_F(MarcoRutina, AFailureWithoutHandlerInALoopEndsTheRoutine) {
  db_.Responde("SELECT COD FROM tblC;", {{"COD"}, {{"U1"}, {"U2"}}});
  db_.Falla("INSERT U1;", 7, "falla");
  Rutina r(cnx_, "Prueba");
  ado::Recordset rs = r.Abre("SELECT COD FROM tblC;");
  EXPECT_THROW(
      r.Recorre(rs, [&] { r.Ejecuta([&] { return "INSERT " + r.Une(Campo(rs, "COD")) + ";"; }); }),
      vb::Error);
  EXPECT_THAT(db_.Textos(), ElementsAre("SELECT COD FROM tblC;", "INSERT U1;"));
}

TEST_F(MarcoRutina, ANullReadIntoAVariableLeavesItAsItWas) {
  db_.Responde("SELECT COD_SUCU, NUM FROM tblP;",
               {{"COD_SUCU", "NUM"}, {{Variant::Null(), Variant("12")}}});
  Rutina r(cnx_, "Prueba");
  r.ArmaManejador();
  ado::Recordset rs = r.Abre("SELECT COD_SUCU, NUM FROM tblP;");
  std::string sSucursal = "previo";
  std::int16_t iNumero = 0;
  EXPECT_FALSE(r.Lee(sSucursal, rs, "COD_SUCU"));
  EXPECT_TRUE(r.Lee(iNumero, rs, "NUM"));
  EXPECT_EQ(sSucursal, "previo");
  EXPECT_EQ(iNumero, 12);
  EXPECT_EQ(log_.Contenido(), Entrada("Error en Prueba :", 94, prueba::kNuloNoValido));
}

// What a routine meets on a shop's data, and what its run-log entry says: the number the
// log and its readers rely on, and our layers' description of it, in Spanish.
TEST_F(MarcoRutina, TheErrorsOfOurLayersAreLoggedWithTheirNumberAndASpanishDescription) {
  db_.Responde("SELECT COD FROM tblC;", {{"COD"}, {{"U1"}}});
  db_.Responde("SELECT COD FROM tblVacia;", prueba::SinFilas({"COD"}));
  struct Caso {
    const char* que;
    std::function<void(ado::Recordset& filas, ado::Recordset& vacia)> falla;
    long numero;
    std::string descripcion;
  };
  const Caso casos[] = {
      {"a value too large for a byte", [](auto&, auto&) { vb::CByte(Variant(300)); }, 6,
       prueba::kDesbordamiento},
      {"a text that is no number", [](auto&, auto&) { vb::CInt(Variant("siete")); }, 13,
       prueba::kTipoNoEsperado},
      {"a Null read as text", [](auto&, auto&) { vb::CStr(Variant::Null()); }, 94,
       prueba::kNuloNoValido},
      {"a text position before the first", [](auto&, auto&) { vb::Mid("abc", 0); }, 5,
       "Argumento no válido para la operación"},
      {"a lookup that is closed", [](auto&, auto&) { ado::Recordset().MoveNext(); }, 3704,
       prueba::kObjetoCerrado},
      {"a lookup opened twice",
       [&](auto& filas, auto&) { filas.Open("SELECT COD FROM tblC;", cnx_); }, 3705,
       "No se puede realizar la operación: el objeto ya está abierto."},
      {"a field the row lacks", [](auto& filas, auto&) { filas.Fields("NO_EXISTE"); }, 3265,
       prueba::kNoEstaEnLaColeccion},
      {"the first row of an empty lookup", [](auto&, auto& vacia) { vacia.MoveFirst(); }, 3021,
       "No hay un registro actual: el recorrido está antes del primer registro o después del "
       "último (BOF o EOF), o el registro fue eliminado."},
      {"a filter that is not Field='text'", [](auto& filas, auto&) { filas.Filter("COD=U1"); },
       3001,
       "Los argumentos no son del tipo debido, están fuera del intervalo aceptado o se "
       "contradicen entre sí. Filtro no válido: COD=U1"},
      {"a connection that is closed",
       [](auto&, auto&) { ado::Connection().Execute("UPDATE tblA SET X=0;"); }, 3709,
       "La conexión no puede usarse para esta operación: está cerrada o no es válida en este "
       "contexto."},
  };
  for (const Caso& caso : casos) {
    std::filesystem::remove(log_.RutaLocal());
    Rutina r(cnx_, "Prueba");
    r.ArmaManejador();
    ado::Recordset filas = r.Abre("SELECT COD FROM tblC;");
    ado::Recordset vacia = r.Abre("SELECT COD FROM tblVacia;");
    r.Paso([&] { caso.falla(filas, vacia); });
    EXPECT_EQ(log_.Contenido(), Entrada("Error en Prueba :", caso.numero, caso.descripcion))
        << caso.que;
  }
}

TEST_F(MarcoRutina, AValueJoinedAsTextAddsNothingForANull) {
  Rutina r(cnx_, "Prueba", ManejadorSQLServer);
  EXPECT_EQ(r.Une(Variant::Null()), "");
  EXPECT_EQ(r.Une(Variant("C:\\O'Hara")), "C:\\O''Hara") << "SQL Server keeps backslashes";
  EXPECT_EQ(r.Une(Variant(7)), "7");
  EXPECT_THROW(r.UnePropagandoNulo(Variant::Null()), vb::Error);
}

TEST_F(MarcoRutina, TheQuotingDialectComesFromTheConnectionWhenNotGiven) {
  struct Caso {
    const char* cadena;
    const char* esperado;
  };
  for (const Caso& c :
       {Caso{"DSN=Velmar", "a\\\\b''c"}, Caso{"Provider=SQLOLEDB.1;Data Source=srv", "a\\b''c"},
        Caso{"provider=microsoft.jet.oledb.4.0;Data Source=x.mdb", "a\\b''c"}}) {
    ado::Connection cnx;
    cnx.ConnectionString = c.cadena;
    EXPECT_EQ(Rutina(cnx, "Prueba").Une(Variant("a\\b'c")), c.esperado) << c.cadena;
  }
}

TEST_F(MarcoRutina, EjecutaSiFaltaRunsOnlyWhenTheRowIsMissing) {
  db_.Responde("SELECT * FROM tblX WHERE ID=1;", prueba::SinFilas({"ID"}));
  db_.Responde("SELECT * FROM tblX WHERE ID=2;", {{"ID"}, {{2}}});
  Rutina r(cnx_, "Prueba");
  r.ArmaManejador();
  r.EjecutaSiFalta("SELECT * FROM tblX WHERE ID=1;", "INSERT 1;");
  r.EjecutaSiFalta("SELECT * FROM tblX WHERE ID=2;", "INSERT 2;");
  EXPECT_THAT(db_.Textos(), ElementsAre("SELECT * FROM tblX WHERE ID=1;", "INSERT 1;",
                                        "SELECT * FROM tblX WHERE ID=2;"));
}

TEST_F(MarcoRutina, IntentaLeavesTheBlockAtItsFirstFailureUnlogged) {
  db_.Falla("S2;", 5, "corte");
  Rutina r(cnx_, "Prueba");
  r.ArmaManejador();
  const std::optional<vb::Error> falla = r.Intenta([&] {
    r.Ejecuta("S1;");
    r.Ejecuta("S2;");
    r.Ejecuta("S3;");
  });
  ASSERT_TRUE(falla.has_value());
  EXPECT_EQ(falla->Number(), 5);
  EXPECT_EQ(r.EstadoManejador(), Rutina::Manejador::Armado);
  EXPECT_FALSE(r.Intenta([&] { r.Ejecuta("S4;"); }).has_value());
  EXPECT_THAT(db_.Textos(), ElementsAre("S1;", "S2;", "S4;"));
  EXPECT_FALSE(log_.Existe());
}

TEST_F(MarcoRutina, ALabelOutsideThePattern) {
  db_.Falla("S1;", -2147217900, "x");
  Rutina r = Rutina::ConEtiqueta(
      cnx_, "Error en ModificarEstructura91... Vudovizivev Azuzo: ", ManejadorMySQL);
  r.ArmaManejador();
  r.Ejecuta("S1;");
  EXPECT_EQ(log_.Contenido(),
            Entrada("Error en ModificarEstructura91... Vudovizivev Azuzo: ", -2147217900, "x"));
}

// A lost connection is not one statement's failure: whatever the handler state, it leaves
// the routine (and so its step), unlogged, instead of every later statement being logged and
// skipped and the step passing for done.
TEST_F(MarcoRutina, ALostConnectionLeavesTheRoutineWhateverTheHandler) {
  db_.PierdeConexion("S2;");
  for (const auto estado : {Rutina::Manejador::Armado, Rutina::Manejador::Silencioso}) {
    Rutina r(cnx_, "Prueba");
    r.EstadoManejador(estado);
    EXPECT_THROW(
        {
          r.Ejecuta("S1;");
          r.Ejecuta("S2;");
          r.Ejecuta("S3;");
        },
        vb::Error);
    EXPECT_THROW(r.Intenta([&] { r.Ejecuta("S2;"); }), vb::Error);
  }
  EXPECT_THAT(db_.Textos(), ElementsAre("S1;", "S2;", "S2;", "S1;", "S2;", "S2;"));
  EXPECT_FALSE(log_.Existe());
}

// ------------------------------------------------------------ the version row

TEST_F(MarcoRutina, AVersionRowWithoutHandlerLeavesTheRowsAndReachesTheCaller) {
  db_.Responde("SELECT * FROM tblVersion;", {{"VER", "CXC_CENTRAL"}, {{570, 0}}});
  db_.Falla("INSERT INTO tblVersion (VER) VALUES (580);", kSintaxis, "denied");
  Rutina r(cnx_, "Prueba");
  EXPECT_THROW(r.RegistraVersion(580, "INSERT INTO tblVersion (VER) VALUES (580);"), vb::Error);
  EXPECT_THAT(db_.Textos(), ElementsAre("SELECT * FROM tblVersion;",
                                        "INSERT INTO tblVersion (VER) VALUES (580);"));
  EXPECT_FALSE(log_.Existe());
}

TEST_F(MarcoRutina, AVersionTableThatCannotBeReadFirstIsWrittenAllTheSame) {
  db_.Falla("SELECT * FROM tblVersion;", kSintaxis, "no table");
  Rutina r(cnx_, "Prueba");
  r.ArmaManejador();
  r.RegistraVersion(520);
  EXPECT_THAT(db_.Textos(),
              ElementsAre("SELECT * FROM tblVersion;",
                          "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (520,0);",
                          "DELETE FROM tblVersion WHERE VER<>520;"));
  EXPECT_FALSE(log_.Existe()) << "the frame's own read of the rows writes no entry";
}

// Inside a ladder step the row waits for the step's end, and then the highest version
// recorded is written under the label and handler state of the routine that recorded it.
TEST_F(MarcoRutina, InsideAStepTheVersionWaitsForTheStepsEnd) {
  db_.Falla("DELETE FROM tblVersion WHERE VER<>720;", kSintaxis, "denied");
  {
    VersionDelPaso paso;
    Rutina r71(cnx_, "ModificarEstructura71", ManejadorMySQL);
    r71.ArmaManejador();
    r71.RegistraVersion(710);
    Rutina r72(cnx_, "ModificarEstructura72", ManejadorMySQL);
    r72.Silencioso();
    r72.RegistraVersion(720);
    r72.ArmaManejador();
    r71.RegistraVersion(710);
    EXPECT_THAT(db_.Textos(), ElementsAre());
    paso.Escribe(cnx_);
  }
  EXPECT_THAT(db_.Textos(), ElementsAre("SELECT * FROM tblVersion;",
                                        "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (720,0);",
                                        "DELETE FROM tblVersion WHERE VER<>720;"));
  EXPECT_FALSE(log_.Existe()) << "720 was recorded with failures passed over silently";
}

TEST_F(MarcoRutina, AStepCutShortWritesNoVersion) {
  {
    VersionDelPaso paso;
    Rutina r(cnx_, "Prueba", ManejadorMySQL);
    r.RegistraVersion(560);
  }
  Rutina r(cnx_, "Prueba", ManejadorMySQL);
  r.Ejecuta("S1;");
  EXPECT_THAT(db_.Textos(), ElementsAre("S1;"));
}

// Once the step's version is written, a routine that runs after it (8.6.3 after 8.6)
// writes its own at once; and a routine whose later statements may stop the step writes
// its version at once with what the step had noted before.
TEST_F(MarcoRutina, AfterTheStepsVersionIsWrittenAVersionIsWrittenAtOnce) {
  VersionDelPaso paso;
  Rutina r86(cnx_, "ModificarEstructura86", ManejadorMySQL);
  r86.RegistraVersion(860);
  paso.Escribe(cnx_);
  Rutina r863(cnx_, "ModificarEstructura863", ManejadorMySQL);
  r863.RegistraVersion(863);
  EXPECT_FALSE(paso.HayVersion());
  EXPECT_NO_THROW(paso.CompruebaEscrita());
  EXPECT_THAT(db_.Textos(), ElementsAre("SELECT * FROM tblVersion;",
                                        "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (860,0);",
                                        "DELETE FROM tblVersion WHERE VER<>860;",
                                        "SELECT * FROM tblVersion;",
                                        "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (863,0);",
                                        "DELETE FROM tblVersion WHERE VER<>863;"));
}

TEST_F(MarcoRutina, AVersionRecordedNowIsWrittenInsideAStep) {
  VersionDelPaso paso;
  Rutina r(cnx_, "ModificarEstructura952", ManejadorMySQL);
  r.RegistraVersionAhora(952);
  EXPECT_THAT(db_.Textos(), Contains("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (952,0);"));
  EXPECT_NO_THROW(paso.CompruebaEscrita());
}

// A step that reports success with its version still waiting is a fault of the step:
// error 51 names the version, so the climb stops rather than pass it over.
TEST_F(MarcoRutina, AVersionLeftWaitingIsAnError) {
  VersionDelPaso paso;
  Rutina r(cnx_, "Prueba", ManejadorMySQL);
  r.RegistraVersion(870);
  try {
    paso.CompruebaEscrita();
    ADD_FAILURE() << "no error";
  } catch (const vb::Error& error) {
    EXPECT_EQ(error.Number(), 51);
    EXPECT_THAT(error.Description(), HasSubstr("870"));
  }
  EXPECT_THAT(db_.Textos(), ElementsAre());
}

// An old database whose tblVersion lacks CXC_CENTRAL: the INSERT fails and the database
// keeps the version it had.
TEST(MarcoRutinaEnMariaDB, AVersionThatCannotBeInsertedLeavesTheTableAsItWas) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::RunLogDePrueba log;
  prueba::TestDatabase bd;
  bd.EjecutaSql(
      "CREATE TABLE tblVersion (VER SMALLINT NOT NULL);"
      "INSERT INTO tblVersion (VER) VALUES (500);");
  ado::Connection cnx;
  cnx.Open(bd.CadenaConexion());
  Rutina r(cnx, "Prueba", ManejadorMySQL);
  r.ArmaManejador();
  r.RegistraVersion(510);
  EXPECT_EQ(bd.Consulta("SELECT VER FROM tblVersion"), (prueba::Filas{{"500"}}));
  EXPECT_THAT(log.Contenido(), ::testing::StartsWith("\r\nError en Prueba :-2147217900\r\n"));
  EXPECT_THAT(log.Contenido(), ::testing::HasSubstr("CXC_CENTRAL"));
}

// ------------------------------------------------------------ the run log

TEST_F(MarcoRutina, TheLogIsAppendedAndClosedAfterEachEntry) {
  std::ofstream(log_.RutaLocal(), std::ios::binary) << "previo\r\n";
  db_.Falla(prueba::EmpiezaCon("S"), 3, "tres");
  Rutina r(cnx_, "Prueba");
  r.ArmaManejador();
  r.Ejecuta("S1;");
  EXPECT_EQ(log_.Contenido(), "previo\r\n" + Entrada("Error en Prueba :", 3, "tres"));
  // A file still held open would take the next entry after its removal.
  std::filesystem::remove(log_.RutaLocal());
  r.Ejecuta("S2;");
  EXPECT_EQ(log_.Contenido(), Entrada("Error en Prueba :", 3, "tres"));
}

TEST_F(MarcoRutina, ALogThatCannotBeWrittenReachesTheCaller) {
  for (const std::string& ruta : {std::string(), log_.Carpeta() + "\\no-existe\\Log.log"}) {
    gRutaLog = ruta;
    db_.Falla("S1;", 3, "tres");
    Rutina r(cnx_, "Prueba");
    r.ArmaManejador();
    try {
      r.Ejecuta("S1;");
      r.Ejecuta("S2;");
      ADD_FAILURE() << "the log failure should have reached the caller for '" << ruta << "'";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.Number(), 75) << ruta;
      EXPECT_EQ(e.Description(), "No se puede acceder a la ruta o al archivo: '" + ruta + "'");
    }
  }
  EXPECT_THAT(db_.Textos(), ElementsAre("S1;", "S1;"));
}

}  // namespace
