// Taxora's dialog: its load, its design, the recode run through the SQL Server route
// (recorded statements) and through a data source on the test server, the version gate,
// the lock during a run, and its Qt view offscreen.
#include "taxrecode/frmActIngreso.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <functional>
#include <utility>

#include "frame/modPrincipal.h"
#include "platform/odbc/FuentesDePrueba.h"
#include "platform/qt/QtDePrueba.h"
#include "platform/qt/ServiciosQt.h"
#include "platform/qt/VistaFormulario.h"
#include "platform/ui/Usuario.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/EntradasLog.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "taxrecode/AccesoPrivadoTaxora.h"

namespace {

namespace usuario = ui::usuario;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using taxora::frmActIngreso;

constexpr const char* kUsuarioOdbc = "[Caja1]\nDriver=Prueba\n";
constexpr const char* kSistemaOdbc = "[VENTAS]\nDriver=Prueba\n";
constexpr const char* kConsultaVersion = "SELECT VER FROM tblVersion ORDER BY VER DESC;";
constexpr const char* kTitulo = "Actualizador Impuestos Compras";

std::string VersionDelCatalogo(const std::string& valor) {
  return "DELETE FROM tblVersion; INSERT INTO tblVersion VALUES (" + valor + ");";
}

// Every purchase-document table without lines to code.
void SinLineas(prueba::RecordingProvider& db) {
  db.Responde(prueba::Contiene(",GRAVA_IMP1,COD1_IMP,COD2_IMP FROM "), {{"COD1_IMP"}, {}});
}

// Boxes answered OK; alMostrar runs once, when the next box opens.
class UiConPausa : public prueba::UiQueAcepta {
 public:
  ui::Respuesta MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                       const std::string& titulo) override {
    if (auto accion = std::exchange(alMostrar, nullptr)) accion();
    return UiQueAcepta::MsgBox(prompt, botones, icono, titulo);
  }
  std::function<void()> alMostrar;
};

class TaxoraTest : public ::testing::Test {
 protected:
  ~TaxoraTest() override { gRutaLog.clear(); }
  UiConPausa ui_;
  prueba::FuentesDePrueba fuentes_{kUsuarioOdbc, kSistemaOdbc};
};

TEST_F(TaxoraTest, LoadChecksTheCatalogueAndListsTheDataSources) {
  struct Caso {
    const char* que;
    std::optional<std::string> catalogo;  // nothing: no catalogue beside the program
    std::vector<std::string> cajas;
    bool actualizarHabilitado;
    std::vector<std::string> fuentes;
    std::int16_t version;  // the catalogue's, as the dialog keeps it
  };
  const Caso casos[] = {
      {"no catalogue", std::nullopt, {"No se encuentra el archivo de estructura...\r\n"}, false, {}, 0},
      {"catalogue at 4.9.9", VersionDelCatalogo("499"),
       {"No es posible hacer la actualización. Actualice su equipo a versión 5.0 o superior"}, true, {},
       499},
      {"catalogue at 9.5.2", "", {}, true, {"Caja1", "VENTAS"}, 952},
      {"empty tblVersion", "DELETE FROM tblVersion;", {}, true, {"Caja1", "VENTAS"}, 0},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.que);
    prueba::ProgramaConCatalogo programa(caso.catalogo.value_or(""));
    if (!caso.catalogo) std::filesystem::remove(programa.RutaCatalogo());
    ui_.cajas.clear();
    frmActIngreso dialogo;
    dialogo.Load();
    ASSERT_EQ(ui_.cajas.size(), caso.cajas.size());
    if (!caso.cajas.empty()) {
      EXPECT_THAT(ui_.cajas[0].prompt, StartsWith(caso.cajas[0]));
      EXPECT_EQ(ui_.cajas[0].titulo, caso.catalogo ? kTitulo : "Dorvex.mdb");
      if (!caso.catalogo) {
        EXPECT_THAT(ui_.cajas[0].prompt, HasSubstr(programa.RutaCatalogo()));
      }
    }
    EXPECT_EQ(dialogo.cmdOpc[0].Enabled, caso.actualizarHabilitado);
    EXPECT_EQ(dialogo.cmbDSNList.List, caso.fuentes);
    EXPECT_EQ(taxora::AccesoPrivadoTaxora::mVersionEstructura(dialogo), caso.version);
    EXPECT_TRUE(dialogo.cmdOpc[1].Enabled);
  }
}

TEST_F(TaxoraTest, TheDialogShowsOnlyTheConnectionControlsInItsFocusOrder) {
  prueba::ProgramaConCatalogo programa;
  frmActIngreso dialogo;
  dialogo.Load();
  EXPECT_EQ(dialogo.Caption, "ACTUALIZACIÓN DE IMPUESTOS DE COMPRAS en Bases de Datos Norvale Soft ®");
  EXPECT_EQ(dialogo.ScaleWidth, 12630);
  EXPECT_EQ(dialogo.ScaleHeight, 4635);
  std::vector<std::string> orden;
  std::vector<ui::Control*> controles = dialogo.Controles();
  std::erase_if(controles, [](ui::Control* c) {
    return dynamic_cast<ui::Label*>(c) || dynamic_cast<ui::Frame*>(c);
  });
  std::sort(controles.begin(), controles.end(),
            [](ui::Control* a, ui::Control* b) { return a->TabIndex < b->TabIndex; });
  for (ui::Control* control : controles) orden.push_back(control->NombreCompleto());
  EXPECT_THAT(orden, ElementsAre("optTipoBD(0)", "optTipoBD(1)", "optTipoBD(2)", "txtServerName",
                                 "txtDBName", "txtInstanceNameSql", "optAutentication(0)",
                                 "optAutentication(1)", "txtUserNameSql", "txtUserPasswordSql",
                                 "cmdBusMdb", "cmbDSNList", "txtNomBD", "cmdOpc(0)", "cmdOpc(1)"));
  EXPECT_EQ(dialogo.cmdOpc[0].ToolTipText, "Actualizar");
  EXPECT_EQ(dialogo.cmdOpc[1].ToolTipText, "Salir");
  EXPECT_EQ(dialogo.BackColor, ui::Color{0x00FFFFF5});
  EXPECT_EQ(dialogo.cmdBusMdb.BackColor, ui::Color{0x00F5E6D2});
  EXPECT_EQ(dialogo.fmeAutenticaSQL.BackColor, ui::Color{0x00FFFFF5});
  for (const auto& opcion : dialogo.optTipoBD) EXPECT_FALSE(opcion.Value);
  EXPECT_FALSE(dialogo.optTipoBD[0].Visible || dialogo.optTipoBD[0].Enabled);
  EXPECT_FALSE(dialogo.cmbDSNList.Visible || dialogo.fmeSqlServer.Visible || dialogo.lblEmp.Visible);
}

// A loaded dialog whose runs go to recorded statements.
class TaxoraGrabadoTest : public TaxoraTest {
 protected:
  TaxoraGrabadoTest() {
    db_.DejaPasar(prueba::Contiene("Microsoft.Jet.OLEDB"));
    dialogo.Load();
  }
  void EligeSqlServer(int autenticacion, const char* servidor, const char* base,
                      const char* instancia, const char* usuarioSql = "", const char* clave = "") {
    usuario::Elige(dialogo.optTipoBD[2]);
    usuario::Elige(dialogo.optAutentication[autenticacion]);
    dialogo.txtServerName.Text = servidor;
    dialogo.txtDBName.Text = base;
    dialogo.txtInstanceNameSql.Text = instancia;
    dialogo.txtUserNameSql.Text = usuarioSql;
    dialogo.txtUserPasswordSql.Text = clave;
  }
  std::vector<std::string> Cajas() const {
    std::vector<std::string> cajas;
    for (const prueba::Caja& caja : ui_.cajas) cajas.push_back(caja.prompt);
    return cajas;
  }

  prueba::ProgramaConCatalogo programa_;
  prueba::RecordingProvider db_;
  frmActIngreso dialogo;
};

TEST_F(TaxoraGrabadoTest, WithoutAnEngineOrADataSourceTheButtonDoesNothingVisible) {
  dialogo.lblMensaje.Caption = "anterior";
  usuario::HaceClic(dialogo.cmdOpc[0]);
  usuario::Elige(dialogo.optTipoBD[1]);
  usuario::HaceClic(dialogo.cmdOpc[0]);
  EXPECT_TRUE(ui_.cajas.empty());
  EXPECT_TRUE(db_.Aperturas().empty());
  EXPECT_EQ(dialogo.lblMensaje.Caption, "");
  EXPECT_TRUE(dialogo.cmdOpc[0].Enabled && dialogo.cmdOpc[1].Enabled);
  EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
}

TEST_F(TaxoraGrabadoTest, TheSqlServerRouteShowsItsSummaryAndOpensItsStringTwice) {
  struct Caso {
    const char* que;
    int autenticacion;
    const char *servidor, *base, *instancia, *usuarioSql, *clave;
    const char* cadena;  // nullptr: the run ends silently after the summary
  };
  const Caso casos[] = {
      {"Windows", 0, " SRV01", "Ventas ", "SQLEXPRESS", "", "",
       "Provider=SQLOLEDB.1; Integrated Security=SSPI; Persist Security Info=False; "
       "Initial Catalog=Ventas; Data Source=SRV01\\SQLEXPRESS"},
      {"SQL Server, no instance", 1, "SRV01", "Ventas", "", " sa ", " clave ",
       "Provider=SQLOLEDB.1; Password= clave ; Persist Security Info=True; User ID=sa; "
       "Initial Catalog=Ventas; Data Source=SRV01\\"},
      {"Windows, no instance", 0, "SRV01", "Ventas", " ", "", "", nullptr},
      {"password of blanks", 1, "SRV01", "Ventas", "", "sa", "  ", nullptr},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.que);
    prueba::RecordingProvider db;
    db.DejaPasar(prueba::Contiene("Microsoft.Jet.OLEDB"));
    db.Responde(kConsultaVersion, {{"VER"}, {{"952"}}});
    SinLineas(db);
    ui_.cajas.clear();
    EligeSqlServer(caso.autenticacion, caso.servidor, caso.base, caso.instancia, caso.usuarioSql,
                   caso.clave);
    usuario::HaceClic(dialogo.cmdOpc[0]);
    ASSERT_FALSE(ui_.cajas.empty());
    EXPECT_EQ(ui_.cajas[0].prompt, std::string("Nombre de equipo o IP: ") + caso.servidor +
                                       "\r\nNombre de Base de datos: " + caso.base +
                                       "\r\nNombre de Instancia: " + caso.instancia + "\r\n");
    if (!caso.cadena) {
      EXPECT_EQ(ui_.cajas.size(), 1u);
      EXPECT_TRUE(db.Aperturas().empty());
      continue;
    }
    ASSERT_EQ(db.Aperturas().size(), 2u) << "the version's connection, then the recode's";
    for (const prueba::Apertura& apertura : db.Aperturas()) {
      EXPECT_EQ(apertura.cadena, caso.cadena);
      EXPECT_EQ(apertura.connectionTimeout, 0);
      EXPECT_EQ(apertura.commandTimeout, 0);
      EXPECT_TRUE(apertura.cerrada);
    }
    EXPECT_EQ(Cajas().at(1).rfind("Los impuestos de compras fueron actualizados\r\nHora inicio: ", 0), 0u);
  }
}

TEST_F(TaxoraGrabadoTest, TheVersionDecidesWhetherTheRecodeRuns) {
  struct Caso {
    const char* que;
    std::function<void(prueba::RecordingProvider&)> prepara;
    std::string caja;  // the box of a refusal; empty when the recode runs
  };
  const std::string anterior = "No es posible hacer la actualización. La versión es anterior a la 9.1.0";
  const auto versiones = [](std::vector<std::string> filas) {
    return [filas](prueba::RecordingProvider& db) {
      prueba::Resultado r{{"VER"}, {}};
      for (const std::string& fila : filas) r.filas.push_back({fila});
      db.Responde(kConsultaVersion, r);
    };
  };
  const Caso casos[] = {
      {"910 and 905", versiones({"910", "905"}), ""},
      {"909 and 908", versiones({"909", "908"}), anterior},
      {"a single 9520", versiones({"9520"}), ""},
      {"empty tblVersion", versiones({}), anterior},
      {"no tblVersion",
       [](prueba::RecordingProvider& db) {
         db.Falla(kConsultaVersion, -2147217865, "Table 'tblVersion' doesn't exist");
       },
       "No es posible hacer la actualización. La base de datos no corresponde Norvale Soft Velmar"},
      {"a VER that is not a version", versiones({"v9.1"}),
       "No es posible leer la versión de la base de datos en tblVersion.\r\nError 13"},
      {"a database that cannot be reached",
       [](prueba::RecordingProvider& db) {
         db.FallaApertura(prueba::EmpiezaCon("Provider=SQLOLEDB"), -2147467259, "Login failed");
       },
       "No es posible conectarse a la base de datos.\r\nError -2147467259\r\nLogin failed"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.que);
    prueba::RecordingProvider db;
    db.DejaPasar(prueba::Contiene("Microsoft.Jet.OLEDB"));
    caso.prepara(db);
    SinLineas(db);
    ui_.cajas.clear();
    gRutaLog.clear();
    EligeSqlServer(0, "SRV01", "Ventas", "SQLEXPRESS");
    usuario::HaceClic(dialogo.cmdOpc[0]);
    const std::vector<std::string> cajas = Cajas();
    ASSERT_GE(cajas.size(), 2u);
    const std::vector<std::string> textos = db.Textos();
    const bool recodifica = std::any_of(textos.begin(), textos.end(), [](const std::string& s) {
      return s.rfind("SELECT IMP1_ART", 0) == 0;
    });
    EXPECT_EQ(recodifica, caso.caja.empty());
    if (caso.caja.empty()) continue;
    EXPECT_EQ(cajas.size(), 2u);
    EXPECT_THAT(cajas[1], StartsWith(caso.caja));
    EXPECT_EQ(ui_.cajas[1].titulo, kTitulo);
    EXPECT_EQ(ui_.cajas[1].icono, ui::Icono::Exclamacion);
    EXPECT_TRUE(dialogo.cmdOpc[0].Enabled) << "the dialog stays usable";
    EXPECT_EQ(db.ConexionesAbiertas(), 0);
  }
}

TEST_F(TaxoraGrabadoTest, AFailedRecodeShowsTheFailureAndNamesTheLog) {
  db_.Responde(kConsultaVersion, {{"VER"}, {{"910"}}});
  db_.Falla(prueba::EmpiezaCon("SELECT REN_IMP1"), -2147217900, "Unknown column 'REN_IMP1'");
  SinLineas(db_);
  EligeSqlServer(0, "SRV01", "Ventas", "SQLEXPRESS");
  usuario::HaceClic(dialogo.cmdOpc[0]);

  const std::vector<std::string> cajas = Cajas();
  ASSERT_EQ(cajas.size(), 3u);
  EXPECT_THAT(cajas[1], StartsWith("Hubo problema al actualizar impuestos:\r\n" + programa_.Carpeta() + "/Log_"));
  EXPECT_THAT(cajas[1], HasSubstr("\r\nHora inicio: "));
  EXPECT_THAT(cajas[1], HasSubstr("\r\nHora fin:     "));
  EXPECT_EQ(ui_.cajas[1].icono, ui::Icono::Critico);
  EXPECT_EQ(ui_.cajas[1].titulo, "Actualizar impuestos");
  EXPECT_EQ(cajas[2], "Ocurrieron errores durante la actualización, ver el archivo " +
                          win::RutaLocal(gRutaLog));
  EXPECT_EQ(prueba::Encabezados(prueba::LeeFixture(win::RutaLocal(gRutaLog))),
            std::vector<std::string>{"Error al Agregar Impuestos de Compras :-2147217900"});
  EXPECT_EQ(dialogo.lblMensaje.Caption, "");
  EXPECT_EQ(dialogo.Caption, "ACTUALIZACIÓN DE IMPUESTOS DE COMPRAS en Bases de Datos Norvale Soft ®");
}

TEST_F(TaxoraGrabadoTest, ARecodeConnectionThatCannotBeOpenedIsReportedAsItIs) {
  db_.Responde(kConsultaVersion, {{"VER"}, {{"910"}}});
  int aperturas = 0;
  db_.FallaApertura([&aperturas](const std::string&) { return ++aperturas == 2; }, -2147467259,
                    "Server has gone away");
  EligeSqlServer(0, "SRV01", "Ventas", "SQLEXPRESS");
  usuario::HaceClic(dialogo.cmdOpc[0]);

  const std::vector<std::string> cajas = Cajas();
  ASSERT_EQ(cajas.size(), 3u) << "no notice: nothing was logged";
  EXPECT_EQ(cajas[1], "Error -2147467259\r\nServer has gone away");
  EXPECT_EQ(ui_.cajas[1].titulo, "Error al actualizar impuestos de compras");
  EXPECT_THAT(cajas[2], StartsWith("Hubo problema al actualizar impuestos:"));
  EXPECT_FALSE(std::filesystem::exists(win::RutaLocal(gRutaLog)));
  EXPECT_EQ(db_.Textos(), std::vector<std::string>{kConsultaVersion}) << "no statement is sent";
}

TEST_F(TaxoraGrabadoTest, DuringARunTheInputsAreDisabledAndClosingIsRefused) {
  db_.Responde(kConsultaVersion, {{"VER"}, {{"910"}}});
  EligeSqlServer(0, "SRV01", "Ventas", "SQLEXPRESS");
  bool corriendo = false, cerrada = true;
  std::vector<std::string> habilitadas;
  ui_.alMostrar = [&] {
    corriendo = dialogo.CorridaEnCurso();
    for (ui::Control* control : dialogo.Controles())
      if (!dynamic_cast<ui::Label*>(control) && !dynamic_cast<ui::Frame*>(control) && control->Enabled)
        habilitadas.push_back(control->NombreCompleto());
    cerrada = usuario::CierraVentana(dialogo);
  };
  usuario::HaceClic(dialogo.cmdOpc[0]);
  EXPECT_TRUE(corriendo);
  EXPECT_THAT(habilitadas, ::testing::IsEmpty());
  EXPECT_FALSE(cerrada);
  EXPECT_EQ(ui_.cajas[0].prompt,
            "La actualización de impuestos está en curso. Espere a que termine para cerrar.");
  EXPECT_TRUE(dialogo.cmdOpc[0].Enabled && dialogo.txtServerName.Enabled);
  usuario::HaceClic(dialogo.cmdOpc[1]);
  EXPECT_FALSE(dialogo.Cargado()) << "after the run the exit button closes the dialog";
}

// The fixture database at 9.1, recoded through a data source chosen in the dialog.
class TaxoraEnMariaDbTest : public ::testing::Test {
 protected:
  ~TaxoraEnMariaDbTest() override { gRutaLog.clear(); }
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    db_.emplace();
    db_->EjecutaArchivo("bd/impuestos_compras_910.sql");
    db_->EscribeDsn("Compras Prueba");
    programa_.emplace();
    dialogo_.emplace();
    dialogo_->Load();
    usuario::Elige(dialogo_->optTipoBD[1]);
    const auto& lista = dialogo_->cmbDSNList.List;
    const auto fuente = std::find(lista.begin(), lista.end(), "Compras Prueba");
    ASSERT_NE(fuente, lista.end());
    usuario::EligeElemento(dialogo_->cmbDSNList, static_cast<int>(fuente - lista.begin()));
  }
  prueba::Filas Codigos() const {
    prueba::Filas filas;
    for (const char* tabla : {"tblComprasRen", "tblCotizacionesRen", "tblOCOMRen", "tblDevolucionRen"})
      for (auto fila : db_->Consulta(std::string("SELECT REN, COD1_IMP, COD2_IMP FROM ") + tabla + " ORDER BY REN")) {
        fila.insert(fila.begin(), tabla);
        filas.push_back(fila);
      }
    return filas;
  }

  UiConPausa ui_;
  std::optional<prueba::TestDatabase> db_;
  std::optional<prueba::ProgramaConCatalogo> programa_;
  std::optional<frmActIngreso> dialogo_;
};

TEST_F(TaxoraEnMariaDbTest, TheLinesGetTheirCodesAndASecondRunChangesNothing) {
  const prueba::Filas esperados = {
      {"tblComprasRen", "1", "1", "0"}, {"tblComprasRen", "2", "1", "0"},
      {"tblComprasRen", "3", "4", "5"}, {"tblComprasRen", "4", "9", "3"},
      {"tblComprasRen", "5", "6", "0"}, {"tblComprasRen", "6", "0", "0"},
      {"tblComprasRen", "7", "0", "0"}, {"tblComprasRen", "8", "0", "0"},
      {"tblComprasRen", "9", "1", "0"},
      {"tblCotizacionesRen", "1", "0", "0"}, {"tblCotizacionesRen", "2", "2", "3"},
      {"tblCotizacionesRen", "3", "1", "7"},
      {"tblOCOMRen", "1", "4", "0"}, {"tblOCOMRen", "2", "1", "6"},
      {"tblDevolucionRen", "1", "1", "5"}, {"tblDevolucionRen", "2", "5", "0"}};
  for (int corrida = 1; corrida <= 2; ++corrida) {
    SCOPED_TRACE(corrida);
    ui_.cajas.clear();
    usuario::HaceClic(dialogo_->cmdOpc[0]);
    ASSERT_EQ(ui_.cajas.size(), 1u) << ui_.cajas.back().prompt << " / " << ui_.cajas.front().prompt;
    EXPECT_THAT(ui_.cajas[0].prompt, StartsWith("Los impuestos de compras fueron actualizados\r\nHora inicio: "));
    EXPECT_EQ(ui_.cajas[0].icono, ui::Icono::Informacion);
    EXPECT_EQ(Codigos(), esperados);
  }
  EXPECT_FALSE(std::filesystem::exists(win::RutaLocal(gRutaLog)));
  EXPECT_EQ(db_->Consulta("SELECT VER FROM tblVersion ORDER BY VER"), (prueba::Filas{{"900"}, {"910"}}))
      << "the version is never written";
}

TEST_F(TaxoraEnMariaDbTest, ADatabaseBelow91IsRefusedUntouched) {
  db_->EjecutaSql("DELETE FROM tblVersion WHERE VER=910; INSERT INTO tblVersion VALUES (905, 0);");
  const prueba::Filas antes = Codigos();
  usuario::HaceClic(dialogo_->cmdOpc[0]);
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt, "No es posible hacer la actualización. La versión es anterior a la 9.1.0");
  EXPECT_EQ(Codigos(), antes);
}

TEST_F(TaxoraEnMariaDbTest, TheQtViewShowsTheDialog) {
  prueba::AplicacionQt();
  qtviews::VistaFormulario vista(*dialogo_);
  vista.show();
  auto* fuentes = vista.findChild<QComboBox*>("cmbDSNList");
  ASSERT_NE(fuentes, nullptr);
  EXPECT_TRUE(fuentes->isVisible());
  EXPECT_TRUE(vista.findChild<QWidget*>("optTipoBD(0)")->isHidden());
  EXPECT_EQ(vista.findChild<QWidget*>("chkProyecto(0)"), nullptr);
  dialogo_->lblMensaje.Caption =
      "Actualizando impuestos...\r\n\r\nActualizar impuestos en recepciones (Compras)...";
  dialogo_->lblMensaje.Refresh();
  EXPECT_TRUE(prueba::GuardaCaptura(vista, "taxora-dialog.png"));
  vista.findChild<QRadioButton*>("optTipoBD(2)")->click();
  EXPECT_TRUE(prueba::GuardaCaptura(vista, "taxora-dialog-sqlserver.png"));
}

// On screen, the end box of a recode stands over an empty progress line, not over the
// recode's last caption.
TEST_F(TaxoraEnMariaDbTest, TheEndBoxShowsOverAnEmptyProgressLine) {
  prueba::AplicacionQt();
  qtviews::ServiciosQt servicios;
  qtviews::VistaFormulario vista(*dialogo_);
  vista.show();
  auto* mensaje = vista.findChild<QLabel*>("lblMensaje");
  ASSERT_NE(mensaje, nullptr);
  QString caja, detras = "sin leer";
  prueba::AlAparecerCaja([&](QMessageBox& abierta) {
    caja = abierta.text();
    detras = mensaje->text();
    abierta.accept();
  });
  vista.findChild<QPushButton*>("cmdOpc(0)")->click();
  EXPECT_TRUE(caja.startsWith("Los impuestos de compras fueron actualizados"));
  EXPECT_EQ(detras.toStdString(), "");
}

}  // namespace
