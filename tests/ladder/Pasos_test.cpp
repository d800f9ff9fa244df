// The ladder steps: the frame they share, their synchronisation windows and air-time
// conditions, the routines each calls with its arguments, and their own statements.
#include "ladder/EscaleraDePrueba.h"
#include "support/DescripcionesDeError.h"

namespace prueba {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

const std::string kTiempoAire = "ActualizaTiempoAire('C:\\Suite', 4, 952)";

class PasosTest : public EscaleraDePrueba {
 protected:
  PasosTest() { TablasDeLaBase({}); }
  // Whether step V, from iVersionActual, synchronised the main structure.
  bool Sincroniza(std::int16_t V, std::int16_t iVersionActual) {
    dobles::Limpia();
    Paso(V, iVersionActual);
    for (const std::string& entrada : Sincronizaciones())
      if (entrada.rfind("CrearBaseDeDatos(4, 0,", 0) == 0) return true;
    return false;
  }
  bool ReconstruyeTiempoAire(std::int16_t V, std::int16_t iVersionActual,
                             std::int16_t iVersionDestino) {
    dobles::Limpia();
    Paso(V, iVersionActual, iVersionDestino);
    return !dobles::Entradas("ActualizaTiempoAire").empty();
  }
};

TEST_F(PasosTest, EachStepSynchronisesOnlyWithinItsWindow) {
  struct Ventana {
    std::int16_t V;
    std::vector<std::int16_t> dentro, fuera;
  };
  const Ventana ventanas[] = {
      {500, {451, 500}, {450}},      {510, {461}, {460}},           {520, {501}, {500}},
      {530, {511}, {510}},           {540, {0, 539}, {}},           {550, {531}, {530}},
      {560, {541}, {540}},           {570, {551}, {550}},           {580, {561}, {560}},
      {590, {571}, {570}},           {593, {591}, {590}},           {595, {0, 595}, {}},
      {596, {0, 596}, {}},           {597, {596}, {595}},           {598, {597}, {596}},
      {599, {598}, {597}},           {605, {599}, {598}},           {610, {600}, {599}},
      {620, {610}, {609}},           {630, {620}, {619}},           {700, {630}, {629}},
      {720, {701}, {700}},           {730, {711}, {710}},           {740, {721}, {720}},
      {800, {731}, {730}},           {810, {741}, {740}},           {820, {801}, {800}},
      {830, {801}, {800}},           {840, {811}, {810}},           {850, {821}, {820}},
      {860, {841, 859}, {840, 860}}, {870, {860, 869}, {859, 870}}, {880, {870, 879}, {869, 880}},
      {890, {880, 889}, {879, 890}}, {900, {890, 899}, {889, 900}}, {910, {900, 909}, {899, 910}},
      {920, {910, 920}, {909}},      {930, {920, 930}, {919}},      {940, {930, 940}, {929}},
      {950, {940, 950}, {939}},      {951, {950, 951}, {949}},      {952, {951, 952}, {950}},
  };
  for (const Ventana& ventana : ventanas) {
    for (std::int16_t actual : ventana.dentro)
      EXPECT_TRUE(Sincroniza(ventana.V, actual)) << "step " << ventana.V << " at " << actual;
    for (std::int16_t actual : ventana.fuera)
      EXPECT_FALSE(Sincroniza(ventana.V, actual)) << "step " << ventana.V << " at " << actual;
  }
}

TEST_F(PasosTest, TheAirTimeCatalogueIsRebuiltUnderEachStepsCondition) {
  struct Caso {
    std::int16_t V, actual, destino;
    bool reconstruye;
  };
  const Caso casos[] = {
      {500, 500, 952, true},  {510, 500, 952, false}, {580, 570, 952, true},
      {598, 598, 952, true},  {599, 599, 952, true},  {605, 599, 952, false},
      {700, 630, 700, true},  {700, 630, 952, false}, {720, 700, 720, true},
      {720, 700, 730, false}, {730, 730, 952, true},  {740, 729, 952, true},
      {740, 730, 952, false}, {800, 739, 952, true},  {800, 740, 952, false},
      {810, 800, 952, true},  {810, 799, 952, false}, {820, 810, 952, true},
      {820, 809, 952, false}, {830, 820, 952, true},  {830, 819, 952, false},
      {840, 830, 952, true},  {840, 829, 952, false}, {850, 840, 952, true},
      {850, 839, 952, false}, {860, 850, 952, true},  {860, 849, 952, false},
      {870, 860, 952, true},  {870, 859, 952, false}, {880, 870, 952, true},
      {880, 869, 952, false}, {890, 880, 952, true},  {890, 879, 952, false},
      {900, 890, 952, true},  {900, 889, 952, false}, {910, 900, 952, true},
      {910, 899, 952, false}, {920, 910, 952, true},  {920, 909, 952, false},
      {930, 920, 952, true},  {930, 919, 952, false}, {940, 930, 952, true},
      {940, 929, 952, false}, {950, 940, 952, true},  {950, 939, 952, false},
      {951, 951, 952, false}, {952, 952, 952, false},
  };
  for (const Caso& caso : casos)
    EXPECT_EQ(ReconstruyeTiempoAire(caso.V, caso.actual, caso.destino), caso.reconstruye)
        << "step " << caso.V << " at " << caso.actual << " to " << caso.destino;
}

TEST_F(PasosTest, EachStepCallsItsRoutinesInOrderWithTheirArguments) {
  struct Caso {
    std::int16_t V, actual;
    std::vector<std::string> rutinas;
  };
  const std::string ata = kTiempoAire;
  const Caso casos[] = {
      {500, 500, {"ModificarEstructura50(4, 500)", ata}},
      {510, 500, {"ActualizaCamposVersion51('C:\\Suite', 4, lbl)"}},
      {520, 510, {"ModificarEstructura52(4)", "ActualizaCamposVersion52('C:\\Suite', 4, lbl)"}},
      {530, 520, {"ModificarEstructura53(4)", "ActualizaCamposVersion53('C:\\Suite', 4, lbl)"}},
      {540, 530, {"ModificarEstructura54(4)", "ActualizaCamposVersion54()"}},
      {550, 540, {"ModificarEstructura55(4)", "ActualizaCamposVersion55()"}},
      {560, 550, {"ModificarEstructura56(4)", "ActualizaCamposVersion56(4, 1)"}},
      {570, 560, {"ActualizaCamposVersion57(4)"}},
      {580, 570, {"ActualizaCamposVersion58(4)", ata}},
      {590, 580, {"ModificarEstructura59(4)", "ActualizaCamposVersion59()"}},
      {593, 590, {"ModificarEstructura593()"}},
      {595, 593, {"ModificarEstructura595()"}},
      {596, 595, {"ModificarEstructura596(4)"}},
      {597, 596, {"ModificarEstructura597()"}},
      {598, 597, {"ModificarEstructura598()", ata}},
      {599, 598, {"ModificarEstructura599('C:\\\\Suite\\\\XmlCfdi', 4)", ata}},
      {605, 599, {"ModificarEstructura60(4)", "EncriptaPasswordsTA()"}},
      {610, 605, {"ModificarEstructura61(4)"}},
      {620, 610, {"ModificarEstructura62(4, 952)"}},
      {630, 620, {"ModificarEstructura63(4, 952)"}},
      {700, 630, {"ModificarEstructura70(4)"}},
      {720, 700, {"ModificarEstructura71(4)", "ModificarEstructura72(4)"}},
      {730,
       720,
       {"ModificarEstructura71(4)", "ModificarEstructura72(4)", "ModificarEstructura73(4, 720)",
        ata}},
      {740, 730, {"ModificarEstructura74(4, 730)"}},
      {800, 740, {"ModificarEstructura80(4, 952)"}},
      {810, 800, {"ModificarEstructura81(4, 800)", ata}},
      {820, 810, {"ModificarEstructura82(4, 952, 952)", ata}},
      {830, 820, {"ModificarEstructura83(4, 820, 952)", ata}},
      {840, 830, {"ModificarEstructura84(4, 830, 952)", ata}},
      {850, 840, {"ModificarEstructura85(4, 840, 952)", ata}},
      {860, 850, {"ModificarEstructura86(4, 850, 952)", ata}},
      {870, 860, {"ModificarEstructura87(4, 860, 952)", ata}},
      {880, 870, {"ModificarEstructura88(4, 870, 952)", ata}},
      {890,
       880,
       {"ModificarEstructura89(4, 880, 952, False, '')", "ModificarEstructura894(4, 880, 952)",
        ata}},
      {900, 890, {"ModificarEstructura90(4, 890, 952)", ata}},
      {910, 900, {"ModificarEstructura91(4, 900, 952, lbl)", ata}},
      {920, 910, {"ModificarEstructura92(4, 910, 952)", ata}},
      {930, 920, {"ModificarEstructura93(4, 920, 952)", ata}},
      {940, 930, {"ModificarEstructura94(4, 930, 952)", ata}},
      {950, 940, {"ModificarEstructura95(4, 940, 952)", ata}},
      {951, 950, {"ModificarEstructura951(4, 950, 952)"}},
      {952, 951, {"ModificarEstructura952(4, 951, 952)"}},
  };
  for (const Caso& caso : casos) {
    dobles::Limpia();
    EXPECT_TRUE(Paso(caso.V, caso.actual)) << "step " << caso.V;
    EXPECT_EQ(Rutinas(), caso.rutinas) << "step " << caso.V;
    for (const std::string& cadena : dobles::CadenasDeRutinas()) EXPECT_EQ(cadena, kCadena);
  }
  for (const Apertura& apertura : db_.Aperturas()) {
    EXPECT_EQ(apertura.cadena, kCadena);
    EXPECT_EQ(apertura.connectionTimeout, 0);
    EXPECT_EQ(apertura.commandTimeout, 0);
  }
  EXPECT_EQ(db_.ConexionesAbiertas(), 0) << "every step releases its connections";
}

TEST_F(PasosTest, AStepShowsItsVersionWhileItWorksAndWhenItIsDone) {
  EXPECT_TRUE(Paso(550, 540));
  EXPECT_THAT(dobles::Diario(),
              ElementsAre("«Revisando estructura para versión 5.5...»",
                          "CrearBaseDeDatos(4, 0, False)", "ModificarEstructura55(4)",
                          "ActualizaCamposVersion55()", "«Estructura modificada a versión 5.5»"));
  ASSERT_EQ(dobles::Sincronizaciones().size(), 1u);
  EXPECT_EQ(dobles::Sincronizaciones()[0].cadena, kCadena);
  EXPECT_EQ(dobles::Sincronizaciones()[0].nombreBaseDatos, "tienda");
}

TEST_F(PasosTest, TheSynchronisationTakesTheDialectCodeAndOnlyTheCodesItKnows) {
  for (std::int16_t iManejador : {ManejadorAccess, ManejadorSQLServer, ManejadorMySQL}) {
    dobles::Limpia();
    EXPECT_TRUE(Paso(593, 591, 952, iManejador));
    EXPECT_THAT(Sincronizaciones(),
                ElementsAre("CrearBaseDeDatos(" + std::to_string(iManejador) + ", 0, False)"));
  }
  dobles::Limpia();
  EXPECT_TRUE(Paso(593, 591, 952, 7));
  EXPECT_THAT(Sincronizaciones(), IsEmpty());
  EXPECT_THAT(Rutinas(), ElementsAre("ModificarEstructura593()"));
}

TEST_F(PasosTest, AStepWhoseSynchronisationFailsOpensNothingAndRunsNoRoutine) {
  dobles::FallaSincronizacionCon("Revisando estructura para versión 5.5...");
  EXPECT_FALSE(Paso(550, 540));
  EXPECT_THAT(Rutinas(), IsEmpty());
  EXPECT_THAT(db_.Aperturas(), IsEmpty());
  EXPECT_THAT(dobles::Captions(), ElementsAre("Revisando estructura para versión 5.5..."));
}

TEST_F(PasosTest, TheFirstRoutineOf52To54RunsBeforeTheSynchronisationOnItsOwnConnection) {
  EXPECT_TRUE(Paso(520, 510));
  EXPECT_THAT(
      dobles::Diario(),
      ElementsAre("«Revisando estructura para versión 5.2...»", "ModificarEstructura52(4)",
                  "CrearBaseDeDatos(4, 0, False)", "ActualizaCamposVersion52('C:\\Suite', 4, lbl)",
                  "«Estructura modificada a versión 5.2»"));
  EXPECT_EQ(db_.Aperturas().size(), 2u);

  // Its failures are passed over without a trace; the step goes on.
  dobles::Limpia();
  dobles::FallaRutina("ModificarEstructura53", -2147217900, "Unknown table");
  EXPECT_TRUE(Paso(530, 520));
  EXPECT_THAT(Rutinas(), ElementsAre("ModificarEstructura53(4)",
                                     "ActualizaCamposVersion53('C:\\Suite', 4, lbl)"));
  EXPECT_EQ(RunLog(), "");
  EXPECT_TRUE(ui_.cajas.empty());

  // Its connection must open, or the step stops before any routine.
  dobles::Limpia();
  db_.FallaApertura(kCadena, -2147467259, "Can't connect");
  EXPECT_THROW(Paso(540, 530), vb::Error);
  EXPECT_THAT(Rutinas(), IsEmpty());
}

TEST_F(PasosTest, Step50WidensAndFillsAfterTheAirTimeRebuildLoggingEachFailure) {
  struct Caso {
    std::int16_t iManejador;
    std::string clientes, proveedores;
  };
  const Caso casos[] = {
      {ManejadorMySQL, "ALTER TABLE tblCatClientes MODIFY NOM_CLI VARCHAR(100) NOT NULL;",
       "ALTER TABLE tblCatProveedor MODIFY NOM_PROV VARCHAR(100) NOT NULL;"},
      {ManejadorSQLServer, "ALTER TABLE tblCatClientes ALTER COLUMN NOM_CLI VARCHAR(100) NOT NULL;",
       "ALTER TABLE tblCatProveedor ALTER COLUMN NOM_PROV VARCHAR(100) NOT NULL;"},
      {ManejadorAccess, "ALTER TABLE tblCatClientes ALTER COLUMN NOM_CLI TEXT(100);",
       "ALTER TABLE tblCatProveedor ALTER COLUMN NOM_PROV TEXT(100);"},
  };
  for (const Caso& caso : casos) {
    RecordingProvider db;
    EXPECT_TRUE(Paso(500, 500, 952, caso.iManejador));
    EXPECT_THAT(db.Textos(),
                ElementsAre(caso.clientes, caso.proveedores,
                            "UPDATE tblCajas SET TA_USUARIO='' WHERE TA_USUARIO IS NULL;",
                            "UPDATE tblCajas SET TA_PASSWORD='' WHERE TA_PASSWORD IS NULL;",
                            "UPDATE tblCajas SET TA_EQUIPO='' WHERE TA_EQUIPO IS NULL;"));
  }

  RecordingProvider db;
  db.Falla(EmpiezaCon("ALTER TABLE tblCatClientes"), -2147217900,
           "Table 'tienda.tblcatclientes' doesn't exist");
  EXPECT_TRUE(Paso(500, 500));
  EXPECT_EQ(db.Textos().size(), 5u) << "the next statement runs";
  EXPECT_EQ(RunLog(), EntradaDeLog("Error en Actualiza50 :", -2147217900,
                                   "Table 'tienda.tblcatclientes' doesn't exist"));

  RecordingProvider sinTiempoAire;
  dobles::FallaRutina("ActualizaTiempoAire", 3265, prueba::kNoEstaEnLaColeccion);
  EXPECT_THROW(Paso(500, 500), vb::Error);
  EXPECT_THAT(sinTiempoAire.Textos(), IsEmpty()) << "the statements come after the rebuild";
}

TEST_F(PasosTest, Step51DropsTaSaldoBeforeItsRoutineAndPassesOverAMissingColumn) {
  db_.Falla("ALTER TABLE tblParametrosGenerales DROP COLUMN TA_SALDO;", -2147217900,
            "Can't DROP 'TA_SALDO'; check that column/key exists");
  EXPECT_TRUE(Paso(510, 500));
  EXPECT_THAT(db_.Textos(),
              ElementsAre("ALTER TABLE tblParametrosGenerales DROP COLUMN TA_SALDO;"));
  EXPECT_THAT(Rutinas(), ElementsAre("ActualizaCamposVersion51('C:\\Suite', 4, lbl)"));
  EXPECT_EQ(RunLog(), "");
}

TEST_F(PasosTest, Step56PassesTheChosenRegimeAsItsNumber) {
  const std::pair<int, std::string> casos[] = {{-1, "0"}, {0, "1"}, {2, "3"}};
  for (const auto& [indice, regimen] : casos) {
    dobles::Limpia();
    dialogo.cmbRegimen.ListIndex = indice;
    Paso(560, 550);
    EXPECT_THAT(Rutinas(), Contains("ActualizaCamposVersion56(4, " + regimen + ")")) << indice;
  }
}

TEST_F(PasosTest, Step57CopiesTheAirTimeCredentialsAfterItsRoutineAndStopsWhenACopyFails) {
  EXPECT_TRUE(Paso(570, 560));
  EXPECT_THAT(db_.Textos(), ElementsAre("UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO;",
                                        "UPDATE tblCajas SET TA_PASSWORD2 = TA_PASSWORD;"));
  RecordingProvider db;
  db.Falla("UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO;", -2147217900,
           "Unknown column 'TA_USUARIO2'");
  EXPECT_THROW(Paso(570, 560), vb::Error);
  EXPECT_THAT(db.Textos(), ElementsAre("UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO;"));
}

TEST_F(PasosTest, Step599GivesTheXmlFolderInTheDialectsForm) {
  struct Caso {
    std::string raiz;
    std::int16_t iManejador;
    std::string rutina;
  };
  const Caso casos[] = {
      {"C:\\Suite", ManejadorMySQL, "ModificarEstructura599('C:\\\\Suite\\\\XmlCfdi', 4)"},
      {"C:\\Suite", ManejadorSQLServer, "ModificarEstructura599('C:\\Suite\\XmlCfdi', 3)"},
      {"", ManejadorMySQL, "ModificarEstructura599('\\\\XmlCfdi', 4)"},
  };
  for (const Caso& caso : casos) {
    dobles::Limpia();
    dialogo.txtRutaImagenes.Text = caso.raiz;
    Paso(599, 599, 952, caso.iManejador);
    EXPECT_THAT(Rutinas(),
                ElementsAre(caso.rutina, "ActualizaTiempoAire('" + caso.raiz + "', " +
                                             std::to_string(caso.iManejador) + ", 952)"));
  }
}

TEST_F(PasosTest, Step74RebuildsTheAirTimeBetweenTwoCaptionsBelow73) {
  Paso(740, 725);
  EXPECT_THAT(
      dobles::Diario(),
      ElementsAre("«Revisando estructura para versión 7.4...»", "CrearBaseDeDatos(4, 0, False)",
                  "ModificarEstructura74(4, 725)", "«Verificando Empresas de tiempo aire...»",
                  kTiempoAire, "«Verificación de tiempo aire completada»",
                  "«Estructura modificada a versión 7.4»"));
}

TEST_F(PasosTest, Step80DropsTheRemovalsLogBelow80AndSynchronisesTheSatelliteTablesItFinds) {
  RecordingProvider db;
  TablasDeLaBase({});
  db.Responde("SHOW TABLES;", {{"Tables_in_tienda"}, {{"tblAC_Usuarios"}, {"tblDp_Usuarios"}}});
  EXPECT_TRUE(Paso(800, 750));
  EXPECT_EQ(db.Textos().front(), "DROP TABLE tblBitacoraRem;");
  EXPECT_THAT(
      dobles::Diario(),
      ElementsAre("«Revisando estructura para versión 8.0...»", "CrearBaseDeDatos(4, 0, False)",
                  "ModificarEstructura80(4, 952)", "«Revisando estructura para tablas AC...»",
                  "CrearBaseDeDatos(4, 11, True)", "«Completada modificación a tablas AC»",
                  "«Revisando estructura para tablas DP...»", "CrearBaseDeDatos(4, 12, True)",
                  "«Estructura modificada a versión 8.0»"));
}

TEST_F(PasosTest, Step80WithoutSatelliteTables) {
  struct Caso {
    std::int16_t actual, iManejador;
    std::vector<std::string> diario;
    bool borra;
  };
  const Caso casos[] = {
      {800,
       ManejadorMySQL,
       {"«Revisando estructura para versión 8.0...»", "CrearBaseDeDatos(4, 0, False)",
        "ModificarEstructura80(4, 952)", "«Estructura modificada a versión 8.0»"},
       false},
      {730,
       ManejadorMySQL,
       {"«Revisando estructura para versión 8.0...»", "ModificarEstructura80(4, 952)",
        "«Verificando tiempo aire...»", kTiempoAire, "«Verificación de tiempo aire completada»",
        "«Estructura modificada a versión 8.0»"},
       true},
  };
  for (const Caso& caso : casos) {
    RecordingProvider db;
    dobles::Limpia();
    db.Responde("SHOW TABLES;", {{"Tables_in_tienda"}, {{"tblVersion"}}});
    EXPECT_TRUE(Paso(800, caso.actual, 952, caso.iManejador));
    EXPECT_EQ(dobles::Diario(), caso.diario) << caso.actual;
    EXPECT_EQ(db.Textos().front() == "DROP TABLE tblBitacoraRem;", caso.borra) << caso.actual;
  }
}

TEST_F(PasosTest, Step80ChecksForSatelliteTablesOnEveryDialectButSynchronisesThemOnlyOnServers) {
  RecordingProvider db;
  db.Responde("EXEC sp_tables;",
              {{"TABLE_QUALIFIER", "TABLE_OWNER", "TABLE_NAME"},
               {{"tienda", "dbo", "tblAC_Usuarios"}, {"tienda", "dbo", "tblDp_Usuarios"}}});
  EXPECT_TRUE(Paso(800, 800, 952, ManejadorAccess));
  EXPECT_THAT(Sincronizaciones(), ElementsAre("CrearBaseDeDatos(2, 0, False)"));
  EXPECT_THAT(dobles::Captions(), Contains("Revisando estructura para tablas DP..."));

  dobles::Limpia();
  EXPECT_TRUE(Paso(800, 800, 952, ManejadorSQLServer));
  EXPECT_THAT(Sincronizaciones(),
              ElementsAre("CrearBaseDeDatos(3, 0, False)", "CrearBaseDeDatos(3, 11, True)",
                          "CrearBaseDeDatos(3, 12, True)"));
}

TEST_F(PasosTest, Step80FailsWhenASynchronisationFails) {
  // The main one: the table is dropped already, nothing else runs.
  RecordingProvider db;
  dobles::FallaSincronizacionCon("Revisando estructura para versión 8.0...");
  EXPECT_FALSE(Paso(800, 750));
  EXPECT_THAT(db.Textos(), ElementsAre("DROP TABLE tblBitacoraRem;"));
  EXPECT_THAT(Rutinas(), IsEmpty());

  // The administrator tables' one: the branch tables are not looked at.
  dobles::Limpia();
  RecordingProvider conSatelites;
  conSatelites.Responde("SHOW TABLES;",
                        {{"Tables_in_tienda"}, {{"tblAC_Usuarios"}, {"tblDp_Usuarios"}}});
  dobles::FallaSincronizacionCon("Revisando estructura para tablas AC...");
  EXPECT_FALSE(Paso(800, 800));
  EXPECT_THAT(dobles::Captions(), Not(Contains("Revisando estructura para tablas DP...")));
  EXPECT_THAT(dobles::Captions(), Not(Contains("Estructura modificada a versión 8.0")));
}

TEST_F(PasosTest, Step86RunsThe863RoutineAfterItsCaptionWhenTheTargetIs863) {
  Paso(860, 860, 863);
  EXPECT_THAT(
      dobles::Diario(),
      ElementsAre("«Revisando estructura para versión 8.6...»",
                  "ModificarEstructura86(4, 860, 863)", "«Verificando tiempo aire...»",
                  "ActualizaTiempoAire('C:\\Suite', 4, 863)",
                  "«Verificación de tiempo aire completada»",
                  "«Estructura modificada a versión 8.6»", "ModificarEstructura863(4, 860, 863)"));
  dobles::Limpia();
  Paso(860, 860, 952);
  EXPECT_THAT(Rutinas(), Not(Contains("ModificarEstructura863(4, 860, 952)")));
}

TEST_F(PasosTest, Step89FixesTheAdministratorTablesWhenTheMainDatabaseHoldsThem) {
  RecordingProvider db;
  db.Responde("SHOW TABLES;", {{"Tables_in_tienda"}, {{"tblAC_Usuarios"}}});
  Paso(890, 880);
  EXPECT_THAT(Rutinas(), ElementsAre("ModificarEstructura89(4, 880, 952, False, '')",
                                     "ModificarEstructura894(4, 880, 952)", kTiempoAire,
                                     "ModificarEstructura89_AC(4, 880)"));
  dobles::Limpia();
  RecordingProvider sinTablas;
  sinTablas.Responde("SHOW TABLES;", {{"Tables_in_tienda"}, {}});
  Paso(890, 880);
  EXPECT_THAT(Rutinas(), Not(Contains("ModificarEstructura89_AC(4, 880)")));
}

TEST_F(PasosTest, Step90ForcesTheDefaultRowsOnlyWithinItsWindow) {
  const std::pair<std::int16_t, bool> casos[] = {{895, true}, {900, false}, {889, false}};
  for (const auto& [actual, fuerza] : casos) {
    Acceso::mAgregaDefault(dialogo) = false;
    Paso(900, actual);
    EXPECT_EQ(Acceso::mAgregaDefault(dialogo), fuerza) << actual;
  }
}

TEST_F(PasosTest, Step91AsksForThePurchaseTaxUtilityOnlyFromBelow910) {
  const std::pair<std::int16_t, bool> casos[] = {{905, true}, {910, false}};
  for (const auto& [actual, aviso] : casos) {
    Acceso::mAvisoImpuestos(dialogo) = false;
    EXPECT_TRUE(Paso(910, actual));
    EXPECT_EQ(Acceso::mAvisoImpuestos(dialogo), aviso) << actual;
  }
  dobles::FallaSincronizacionCon("Revisando estructura para versión 9.1...");
  EXPECT_FALSE(Paso(910, 905));
  EXPECT_FALSE(Acceso::mAvisoImpuestos(dialogo)) << "a step that failed asks for nothing";
}

}  // namespace
}  // namespace prueba
