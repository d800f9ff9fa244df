// The update run, driven through the dialog's update button: the version it reads, the
// log it names, the gates it applies and the messages it ends with.
#include "frame/modPrincipal.h"
#include "ladder/EscaleraDePrueba.h"
#include "platform/odbc/FuentesDePrueba.h"
#include "platform/ui/Usuario.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "support/DescripcionesDeError.h"

namespace prueba {
namespace {

namespace usuario = ui::usuario;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kConsultaVersion = "SELECT VER FROM tblVersion ORDER BY VER DESC;";
constexpr const char* kExito =
    "La base de datos fue actualizada a la versión 9.5.2\r\nHora inicio: 14:07:09\r\n"
    "Hora fin:     14:07:09";
constexpr const char* kRegimen =
    "La empresa quedó registrada con régimen \r\nPERSONA MORAL\r\n"
    "Si desea modificarlo, ingrese a Norvale Soft - Tablas - Regímenes Fiscales.";
constexpr const char* kAvisoImpuestos =
    "SI MANEJA MOVIMIENTOS DEL MÓDULO DE COMPRAS, ES NECESARIO QUE EJECUTE LA UTILERÍA PARA "
    "ACTUALIZAR LOS CÓDIGOS DE IMPUESTOS.";
constexpr const char* kFracaso =
    "La base de datos no se actualizó a la versión 9.5.2.\r\nConserva la última versión que "
    "se completó; corrija la causa y vuelva a ejecutar la actualización para continuar desde "
    "ahí.";

vb::DateTime Momento(int anio, int mes, int dia, int hora, int minuto, int segundo) {
  return {vb::DateSerial(anio, mes, dia).serial + vb::TimeSerial(hora, minuto, segundo).serial};
}

// The dialog loaded beside the reference catalogue (target 9.5.2), MySQL chosen with the
// data source "Tienda", the clock at 2024-03-05 14:07:09.
class EjecutaActualizacionTest : public EscaleraDePrueba {
 protected:
  EjecutaActualizacionTest() {
    db_.DejaPasar(Contiene("Microsoft.Jet.OLEDB"));
    TablasDeLaBase({});
    FijaReloj(Momento(2024, 3, 5, 14, 7, 9));
    dialogo.Load();
    usuario::Elige(dialogo.optTipoBD[1]);
    usuario::EligeElemento(dialogo.cmbDSNList, 0);
  }
  ~EjecutaActualizacionTest() override { win::EstableceReloj({}); }

  static void FijaReloj(vb::DateTime momento) {
    win::EstableceReloj([momento] { return momento; });
  }
  void VersionDeLaBase(std::vector<vb::Variant> versiones) {
    Resultado resultado{{"VER"}, {}};
    for (const vb::Variant& version : versiones) resultado.filas.push_back({version});
    db_.Responde(kConsultaVersion, resultado);
  }
  // Clicks the update button, answering `cajas` boxes; the boxes shown.
  std::vector<Caja> Actualiza(int cajas = 0) {
    ui_.cajas.clear();
    dobles::Diario().clear();
    dobles::Sincronizaciones().clear();
    for (int i = 0; i < cajas; ++i) ui_.Responde(ui::Respuesta::OK);
    usuario::HaceClic(dialogo.cmdOpc[0]);
    return ui_.cajas;
  }
  void MarcaCajas(std::initializer_list<int> cajas) {
    for (int caja = 0; caja < 4; ++caja) usuario::Marca(dialogo.chkProyecto[caja], 0);
    for (int caja : cajas) usuario::Marca(dialogo.chkProyecto[caja], 1);
  }
  static std::vector<std::string> Textos(const std::vector<Caja>& cajas) {
    std::vector<std::string> textos;
    for (const Caja& caja : cajas) textos.push_back(caja.prompt);
    return textos;
  }

  ProgramaConCatalogo programa_;
  FuentesDePrueba fuentes_{"[Tienda]\nDriver=Prueba\n", ""};
};

TEST_F(EjecutaActualizacionTest, TheCurrentVersionIsTheGreatestVerCutToThreeDigits) {
  struct Caso {
    std::vector<vb::Variant> versiones;
    std::string primerPaso;
    std::vector<std::string> mensajes;
  };
  const Caso casos[] = {
      {{std::int16_t{599}, std::int16_t{600}, std::int16_t{593}},
       "6.0",
       {kExito, kRegimen, kAvisoImpuestos}},
      {{std::int16_t{9521}}, "9.5.2", {kExito, kRegimen}},
      {{std::string("8634")}, "8.7", {kExito, kRegimen, kAvisoImpuestos}},
  };
  for (const Caso& caso : casos) {
    VersionDeLaBase(caso.versiones);
    EXPECT_EQ(Textos(Actualiza(static_cast<int>(caso.mensajes.size()))), caso.mensajes);
    ASSERT_FALSE(PasosTomados().empty());
    EXPECT_EQ(PasosTomados().front(), caso.primerPaso);
  }
}

TEST_F(EjecutaActualizacionTest, WhenTblVersionCannotBeReadTheKindGivesTheVersion) {
  db_.Falla(kConsultaVersion, -2147217865, "Table 'tienda.tblversion' doesn't exist");
  struct Caso {
    std::initializer_list<int> cajas;
    std::vector<std::string> pasos;
    int mensajes;
  };
  const Caso casos[] = {
      {{0}, {"9.5", "9.5.1", "9.5.2"}, 2},  // the target minus 10: 942
      {{2}, {"9.4.2"}, 1},
      {{3}, {"5.0.0"}, 1},
      {{1}, {"6.3.0"}, 1},
      {{}, {}, 0},
  };
  for (const Caso& caso : casos) {
    MarcaCajas(caso.cajas);
    EXPECT_EQ(Actualiza(caso.mensajes).size(), static_cast<std::size_t>(caso.mensajes));
    EXPECT_EQ(PasosTomados(), caso.pasos);
  }
}

TEST_F(EjecutaActualizacionTest, EachRunNamesItsLogInTheProgramFolderFromTheClock) {
  VersionDeLaBase({std::int16_t{952}});
  Actualiza(2);
  EXPECT_EQ(gRutaLog, gRutaApp + "\\Log_20240305-140709.log");
  FijaReloj(Momento(2024, 12, 31, 23, 59, 58));
  Actualiza(2);
  EXPECT_EQ(gRutaLog, gRutaApp + "\\Log_20241231-235958.log");
  EXPECT_FALSE(win::ExisteArchivo(gRutaLog)) << "a run without failures leaves no log";
}

// Below 5.0, and an empty tblVersion (which tells no version at all: taking it for one older
// than 5.0 would refuse a database for ever after its version row was lost).
TEST_F(EjecutaActualizacionTest, ADatabaseBelow50OrWithoutVersionRowIsRefused) {
  const std::pair<std::vector<vb::Variant>, std::string> casos[] = {
      {{std::int16_t{499}}, "No es posible hacer la actualización. La versión es anterior a la 5.0"},
      {{std::int16_t{0}}, "No es posible hacer la actualización. La versión es anterior a la 5.0"},
      {{},
       "La tabla tblVersion de la base de datos está vacía: no es posible saber a qué versión "
       "llegó la estructura. Registre en ella la última versión que se completó y vuelva a "
       "ejecutar la actualización."}};
  for (const auto& [versiones, aviso] : casos) {
    VersionDeLaBase(versiones);
    const std::vector<Caja> cajas = Actualiza(1);
    ASSERT_EQ(cajas.size(), 1u);
    EXPECT_EQ(cajas[0].prompt, aviso);
    EXPECT_EQ(cajas[0].icono, ui::Icono::Exclamacion);
    EXPECT_EQ(cajas[0].titulo, "Actualizador de Bases de Datos");
    EXPECT_THAT(dobles::Diario(), ElementsAre("«»")) << "only the repaint at the start";
  }
}

TEST_F(EjecutaActualizacionTest, ADatabaseAboveTheTargetIsReportedAsUpdatedAndLeftAlone) {
  VersionDeLaBase({std::int16_t{953}});
  const std::vector<Caja> cajas = Actualiza(1);
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].prompt, "La base de datos ya se encuentra actualizada a la versión 9.5.2");
  EXPECT_EQ(cajas[0].icono, ui::Icono::Informacion);
  EXPECT_EQ(cajas[0].titulo, "Actualizador");
  EXPECT_THAT(PasosTomados(), IsEmpty());
  EXPECT_THAT(db_.Textos(), ElementsAre(kConsultaVersion));
}

TEST_F(EjecutaActualizacionTest, ADatabaseAt52FacingA51CatalogueGoesThroughTheLadderAs51) {
  Acceso::mVersionEstructura(dialogo) = 510;
  VersionDeLaBase({std::int16_t{520}});
  EXPECT_THAT(Actualiza(0), IsEmpty()) << "no step of the main kind applies";
  EXPECT_THAT(PasosTomados(), IsEmpty());

  MarcaCajas({0, 3});
  const std::vector<Caja> cajas = Actualiza(2);
  EXPECT_THAT(PasosTomados(), ElementsAre("5.1.0"));
  ASSERT_EQ(cajas.size(), 2u);
  EXPECT_EQ(cajas[0].prompt.rfind("La base de datos fue actualizada a la versión 5.1.0\r\n", 0),
            0u);
}

TEST_F(EjecutaActualizacionTest, ASuccessfulRunGivesTheTargetTheTimesAndTheRegime) {
  VersionDeLaBase({std::int16_t{952}});
  const std::vector<Caja> cajas = Actualiza(2);
  ASSERT_EQ(cajas.size(), 2u);
  EXPECT_EQ(cajas[0].prompt, kExito);
  EXPECT_EQ(cajas[0].icono, ui::Icono::Informacion);
  EXPECT_EQ(cajas[0].titulo, "Actualizador");
  EXPECT_EQ(cajas[1].prompt, kRegimen);
  EXPECT_EQ(cajas[1].icono, ui::Icono::Exclamacion);
  EXPECT_EQ(cajas[1].titulo, "Información");
  EXPECT_EQ(dialogo.lblMensaje.Caption, "");
  EXPECT_EQ(dialogo.Caption, "Actualización de Bases de Datos Norvale Soft ®");

  MarcaCajas({3});
  VersionDeLaBase({std::int16_t{952}});
  EXPECT_THAT(Textos(Actualiza(1)), ElementsAre(kExito)) << "the regime concerns the main kind";
}

TEST_F(EjecutaActualizacionTest, AFailedRunEndsWithTheFailureMessageNeverTheSuccessMessage) {
  VersionDeLaBase({std::int16_t{900}});
  dobles::FallaRutina("ModificarEstructura91", -2147217900, "Unknown column 'FACTWEB_URL'");
  ui_.Responde(ui::Respuesta::OK);
  const std::string avisoDelLog = "Ocurrieron errores durante la actualización, ver el archivo " +
                                  programa_.Carpeta() + "/Log_20240305-140709.log";
  const std::vector<Caja> cajas = Actualiza(2);
  ASSERT_EQ(cajas.size(), 3u);
  EXPECT_EQ(cajas[0].titulo, "Error al actualizar a v.9.5.2  a partir de v.9.0.0");
  EXPECT_EQ(cajas[1].prompt, kFracaso);
  EXPECT_EQ(cajas[1].icono, ui::Icono::Exclamacion);
  EXPECT_EQ(cajas[1].titulo, "Actualizador");
  EXPECT_EQ(cajas[2].prompt, avisoDelLog) << "the stopping error is in the log";

  dobles::Limpia();
  VersionDeLaBase({std::int16_t{900}});
  dobles::FallaSincronizacionCon("Revisando estructura para versión 9.1...");
  EXPECT_THAT(Textos(Actualiza(2)), ElementsAre(kFracaso, avisoDelLog));
}

TEST_F(EjecutaActualizacionTest, TheRunClosesWithThePurchaseTaxNoticeAndTheLogNotice) {
  MarcaCajas({0, 1});
  VersionDeLaBase({std::int16_t{905}});
  db_.Falla("DROP INDEX idxIdPerfil_IdOpcion ON tblAC_PlantillaMenus;", -2147217900,
            "Can't DROP 'idxIdPerfil_IdOpcion'");
  const std::vector<Caja> cajas = Actualiza(4);
  const std::string rutaLog = programa_.Carpeta() + "/Log_20240305-140709.log";
  ASSERT_EQ(cajas.size(), 4u);
  EXPECT_EQ(cajas[0].prompt, kExito);
  EXPECT_EQ(cajas[1].prompt, kRegimen);
  EXPECT_EQ(cajas[2].prompt, kAvisoImpuestos);
  EXPECT_EQ(cajas[2].icono, ui::Icono::Exclamacion);
  EXPECT_EQ(cajas[2].titulo, "Actualizador");
  EXPECT_EQ(cajas[3].prompt,
            "Ocurrieron errores durante la actualización, ver el archivo " + rutaLog);
  EXPECT_EQ(cajas[3].icono, ui::Icono::Informacion);
  EXPECT_EQ(cajas[3].titulo, "Información");
  EXPECT_TRUE(win::ExisteArchivo(rutaLog));
}

TEST_F(EjecutaActualizacionTest, AnUnreachableDatabaseOrAnUnreadableVersionIsReported) {
  struct Caso {
    std::function<void()> prepara;
    std::string aviso;
  };
  const Caso casos[] = {
      {[&] { db_.FallaApertura(kCadena, -2147467259, "Can't connect to MySQL server"); },
       "No es posible conectarse a la base de datos.\r\nError -2147467259\r\nCan't connect to "
       "MySQL server"},
      {[&] { VersionDeLaBase({vb::Variant::Null()}); },
       "No es posible leer la versión de la base de datos en tblVersion.\r\nError 94\r\n" +
           std::string(prueba::kNuloNoValido)},
      {[&] { VersionDeLaBase({std::string("cinco")}); },
       "No es posible leer la versión de la base de datos en tblVersion.\r\nError 13\r\n" +
           std::string(prueba::kTipoNoEsperado)},
  };
  const std::string rutaLogAnterior = gRutaLog;
  for (const Caso& caso : casos) {
    caso.prepara();
    const std::vector<Caja> cajas = Actualiza(1);
    ASSERT_EQ(cajas.size(), 1u);
    EXPECT_EQ(cajas[0].prompt, caso.aviso);
    EXPECT_EQ(cajas[0].titulo, "Actualizador de Bases de Datos");
    EXPECT_THAT(PasosTomados(), IsEmpty());
    EXPECT_EQ(gRutaLog, rutaLogAnterior);
    EXPECT_TRUE(dialogo.cmdOpc[0].Enabled) << "the dialog stays usable";
    EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
  }
}

TEST_F(EjecutaActualizacionTest, TheSqlServerRouteSummarisesItsDataAndEndsQuietlyWhenOneIsMissing) {
  usuario::Elige(dialogo.optTipoBD[2]);
  usuario::Escribe(dialogo.txtServerName, "srv");
  usuario::Escribe(dialogo.txtDBName, " Ventas ");
  usuario::Escribe(dialogo.txtInstanceNameSql, "inst");
  VersionDeLaBase({std::int16_t{952}});
  const std::vector<Caja> cajas = Actualiza(3);
  ASSERT_EQ(cajas.size(), 3u);
  EXPECT_EQ(cajas[0].prompt,
            "Nombre de equipo o IP: srv\r\nNombre de Base de datos:  Ventas \r\nNombre de "
            "Instancia: inst\r\n");
  EXPECT_EQ(cajas[0].icono, ui::Icono::Ninguno);
  EXPECT_EQ(db_.Aperturas().at(1).cadena,
            "Provider=SQLOLEDB.1; Integrated Security=SSPI; Persist Security Info=False; "
            "Initial Catalog=Ventas; Data Source=srv\\inst");
  EXPECT_THAT(Sincronizaciones(), ElementsAre("CrearBaseDeDatos(3, 0, False)"));
  EXPECT_EQ(dobles::Sincronizaciones().at(0).nombreBaseDatos, " Ventas ");

  const std::size_t aperturas = db_.Aperturas().size();
  usuario::Escribe(dialogo.txtDBName, "  ");
  EXPECT_EQ(Actualiza(1).size(), 1u) << "only the summary";
  EXPECT_EQ(db_.Aperturas().size(), aperturas);
}

TEST_F(EjecutaActualizacionTest,
       WithoutADataSourceNothingHappensAndWithoutADatabaseNameOnlyTheEnd) {
  usuario::Escribe(dialogo.txtNomBD, "");
  EXPECT_THAT(Actualiza(0), IsEmpty());
  EXPECT_THAT(db_.Aperturas(), IsEmpty());
  EXPECT_EQ(dialogo.Caption, "Actualización de Bases de Datos Norvale Soft ®");

  usuario::Elige(dialogo.optTipoBD[1]);  // forgets the data source
  EXPECT_THAT(Actualiza(0), IsEmpty());
  EXPECT_THAT(dobles::Diario(), IsEmpty()) << "not even a repaint";
}

}  // namespace
}  // namespace prueba
