// The dispatcher: which rungs a run takes, how the ticked kinds follow one another, and
// how a failure stops the climb.
#include <algorithm>

#include "ladder/EscaleraDePrueba.h"

namespace prueba {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::vector<std::string> kTodosLosPasos = {
    "5.0",   "5.1",   "5.2",   "5.3",   "5.4",   "5.5", "5.6", "5.7",   "5.8",  "5.9.0", "5.9.3",
    "5.9.5", "5.9.6", "5.9.7", "5.9.8", "5.9.9", "6.0", "6.1", "6.2",   "6.3",  "7.0",   "7.2",
    "7.3",   "7.4",   "8.0",   "8.1",   "8.2",   "8.3", "8.4", "8.5",   "8.6",  "8.7",   "8.8",
    "8.9",   "9.0",   "9.1",   "9.2",   "9.3",   "9.4", "9.5", "9.5.1", "9.5.2"};

// The steps from `primero` to `ultimo`, both included, in ladder order.
std::vector<std::string> Pasos(const std::string& primero, const std::string& ultimo = "9.5.2") {
  const auto desde = std::find(kTodosLosPasos.begin(), kTodosLosPasos.end(), primero);
  const auto hasta = std::find(kTodosLosPasos.begin(), kTodosLosPasos.end(), ultimo);
  return {desde, hasta + 1};
}

class ActualizaVersionesTest : public EscaleraDePrueba {};

TEST_F(ActualizaVersionesTest, TheLadderHas42RungsInVersionOrder) {
  const std::vector<std::int16_t> peldanos = Acceso::Peldanos();
  EXPECT_EQ(peldanos.size(), 42u);
  EXPECT_TRUE(std::is_sorted(peldanos.begin(), peldanos.end()));
  EXPECT_EQ(std::count(peldanos.begin(), peldanos.end(), 605), 1) << "6.0 stands at 605";
  EXPECT_EQ(std::count(peldanos.begin(), peldanos.end(), 710), 0) << "no rung for 7.1";
}

TEST_F(ActualizaVersionesTest, TakesTheStepsBetweenTheCurrentVersionAndTheTarget) {
  struct Caso {
    std::int16_t actual, destino;
    std::vector<std::string> pasos;
  };
  const Caso casos[] = {
      {500, 952, kTodosLosPasos},
      {520, 952, Pasos("5.3")},  // 5.1 to 5.8 are taken only from below
      {580, 600, Pasos("5.9.0", "5.9.9")},
      {596, 952, Pasos("5.9.6")},  // from 5.9.0 on a step at its own version runs again
      {599, 952, Pasos("5.9.9")},
      {605, 952, Pasos("6.0")},
      {614, 700, {"6.2", "6.3", "7.0"}},  // 6.1 records 614, above its rung
      {850, 863, {"8.5", "8.6"}},
      {863, 952, Pasos("8.7")},
      {952, 952, {"9.5.2"}},
      {510, 510, {}},  // the run's case of a database at 5.2 facing a 5.1 catalogue
  };
  for (const Caso& caso : casos) {
    dobles::Limpia();
    TablasDeLaBase({});
    const bool resultado = Escalera(caso.actual, caso.destino);
    EXPECT_EQ(PasosTomados(), caso.pasos) << caso.actual << " -> " << caso.destino;
    EXPECT_EQ(resultado, !caso.pasos.empty()) << caso.actual << " -> " << caso.destino;
  }
}

TEST_F(ActualizaVersionesTest, TheTickedKindsFollowTheLadderWithTheSameConnectionAndVersions) {
  Marca({0, 1, 2, 3});
  EXPECT_TRUE(Escalera(951, 952));
  EXPECT_THAT(PasosTomados(), ElementsAre("9.5.1", "9.5.2", "9.5.1", "9.5.1", "9.5.1"));
  EXPECT_THAT(Sincronizaciones(),
              ElementsAre("CrearBaseDeDatos(4, 0, False)", "CrearBaseDeDatos(4, 0, False)",
                          "CrearBaseDeDatos(4, 11, False)", "CrearBaseDeDatos(4, 12, False)",
                          "CrearBaseDeDatos(4, 10, False)"));
  for (const auto& sincronizacion : dobles::Sincronizaciones()) {
    EXPECT_EQ(sincronizacion.cadena, kCadena);
    EXPECT_EQ(sincronizacion.nombreBaseDatos, "tienda");
  }
}

TEST_F(ActualizaVersionesTest, WithNoBoxTickedNothingRuns) {
  Marca({});
  EXPECT_FALSE(Escalera(500));
  EXPECT_THAT(dobles::Diario(), IsEmpty());
  EXPECT_TRUE(ui_.cajas.empty());
}

TEST_F(ActualizaVersionesTest, TheDefaultRowsOptionIsReadAfreshOnEveryRun) {
  Marca({0, 3});
  dialogo.chkRegDef.Value = 0;
  TablasDeLaBase({});
  Escalera(895);  // step 9.0 forces the default rows within its window
  EXPECT_THAT(Sincronizaciones(),
              ElementsAre("CrearBaseDeDatos(4, 0, True)", "CrearBaseDeDatos(4, 10, True)"))
      << "the satellite update after the ladder keeps the forced option";

  dobles::Limpia();
  Escalera(900);
  EXPECT_THAT(Sincronizaciones(),
              ElementsAre("CrearBaseDeDatos(4, 0, False)", "CrearBaseDeDatos(4, 10, False)"));

  dobles::Limpia();
  dialogo.chkRegDef.Value = 1;
  Escalera(952);
  EXPECT_THAT(Sincronizaciones(),
              ElementsAre("CrearBaseDeDatos(4, 0, True)", "CrearBaseDeDatos(4, 10, True)"));
}

TEST_F(ActualizaVersionesTest, AFailedSynchronisationStopsTheClimbAndSkipsTheOtherKinds) {
  Marca({0, 3});
  dobles::FallaSincronizacionCon("Revisando estructura para versión 5.3...");
  EXPECT_FALSE(Escalera(520));
  EXPECT_THAT(PasosTomados(), ElementsAre("5.3"));
  EXPECT_THAT(Rutinas(), ElementsAre("ModificarEstructura53(4)"))
      << "5.3's first routine runs before the synchronisation; nothing after it";
  EXPECT_TRUE(ui_.cajas.empty()) << "the synchronisation reports its own failures";
  EXPECT_THAT(Sincronizaciones(), ElementsAre("CrearBaseDeDatos(4, 0, False)"));
  EXPECT_EQ(RunLog(), EntradaDeLog("Error en el paso 5.3.0 al actualizar a v.9.5.2  a partir "
                                   "de v.5.2.0 :",
                                   0,
                                   "La revisión de la estructura no se completó; las rutinas del "
                                   "paso no se ejecutaron."))
      << "the log records why the climb stopped";
}

TEST_F(ActualizaVersionesTest, AnErrorThatLeavesAStepStopsTheClimbWithItsBox) {
  struct Caso {
    std::string rutina;
    std::int16_t actual;
    std::string titulo;
    std::vector<std::string> pasos;
    std::string paso;  // the failing rung, as the log names it
  };
  const Caso casos[] = {
      {"ModificarEstructura91",
       900,
       "Error al actualizar a v.9.5.2  a partir de v.9.0.0",
       {"9.0", "9.1"},
       "9.1.0"},
      {"ModificarEstructura50",
       500,
       "Error al actualizar a v.9.5.2  a partir de v.5.0.0",
       {"5.0"},
       "5.0.0"},
      // The rung passed is the rung before the failing one, whether its step ran or not.
      {"ModificarEstructura55",
       520,
       "Error al actualizar a v.9.5.2  a partir de v.5.4.0",
       {"5.3", "5.4", "5.5"},
       "5.5.0"},
  };
  for (const Caso& caso : casos) {
    dobles::Limpia();
    ui_.cajas.clear();
    Marca({0, 3});
    dobles::FallaRutina(caso.rutina, -2147217900, "Table 'tienda.tblX' doesn't exist");
    ui_.Responde(ui::Respuesta::OK);
    EXPECT_FALSE(Escalera(caso.actual)) << caso.rutina;
    ASSERT_EQ(ui_.cajas.size(), 1u) << caso.rutina;
    EXPECT_EQ(ui_.cajas[0].prompt, "Error -2147217900\r\nTable 'tienda.tblX' doesn't exist");
    EXPECT_EQ(ui_.cajas[0].icono, ui::Icono::Exclamacion);
    EXPECT_EQ(ui_.cajas[0].titulo, caso.titulo);
    EXPECT_EQ(PasosTomados(), caso.pasos) << "no later step and no satellite update";
    EXPECT_EQ(dobles::Captions().back(),
              "Revisando estructura para versión " + caso.pasos.back() + "...")
        << "the failing step shows no closing caption";
    EXPECT_THAT(RunLog(), ::testing::EndsWith(EntradaDeLog(
                              "Error en el paso " + caso.paso + " al actualizar a v.9.5.2  a "
                              "partir de v." + caso.titulo.substr(caso.titulo.size() - 5) + " :",
                              -2147217900, "Table 'tienda.tblX' doesn't exist")))
        << "the error that stopped the climb is the log's last entry";
  }
}

TEST_F(ActualizaVersionesTest, ALostConnectionStopsTheClimbEvenWhereFailuresArePassedOver) {
  // The 5.3 and 5.4 steps pass over the failures of their first routine, but not this one.
  dobles::PierdeConexionEn("ModificarEstructura54");
  ui_.Responde(ui::Respuesta::OK);
  EXPECT_FALSE(Escalera(530));
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt,
            "Error -2147467259\r\nLost connection to server during query");
  EXPECT_EQ(ui_.cajas[0].titulo, "Error al actualizar a v.9.5.2  a partir de v.5.3.0");
  EXPECT_THAT(Rutinas(), ElementsAre("ModificarEstructura54(4)"));
}

TEST_F(ActualizaVersionesTest, AStepWhoseConnectionCannotBeOpenedRunsNoRoutine) {
  db_.FallaApertura(kCadena, -2147467259, "[MariaDB] Can't connect to server", kSiempre);
  ui_.Responde(ui::Respuesta::OK);
  EXPECT_FALSE(Escalera(593));
  EXPECT_THAT(Rutinas(), IsEmpty());
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt, "Error -2147467259\r\n[MariaDB] Can't connect to server");
  EXPECT_EQ(ui_.cajas[0].titulo, "Error al actualizar a v.9.5.2  a partir de v.5.9.0");
}

TEST_F(ActualizaVersionesTest, ASatelliteThatFailsMakesTheRunFailEvenWhenALaterOneSucceeds) {
  Marca({1, 2});
  dobles::FallaSincronizacion(
      [](const std::string&, int iEstructura) { return iEstructura == EstructuraAdministrador; });
  EXPECT_FALSE(Escalera(952));
  EXPECT_THAT(Sincronizaciones(),
              ElementsAre("CrearBaseDeDatos(4, 11, False)", "CrearBaseDeDatos(4, 12, False)"))
      << "the other kinds are still updated";
}

}  // namespace
}  // namespace prueba
