// The update dialog: its load (catalogue check, target version, data sources, regime),
// the engine and authentication choices and what they show, the connection strings of
// both routes, the database-kind and images-folder controls, the update and exit
// buttons, the lock during a run, and its Qt view offscreen.
#include "updater/frmActIngreso.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <deque>
#include <filesystem>
#include <fstream>

#include "frame/modPrincipal.h"
#include "platform/ado/Ado.h"
#include "platform/odbc/FuentesDePrueba.h"
#include "platform/qt/QtDePrueba.h"
#include "platform/qt/VistaFormulario.h"
#include "platform/ui/Usuario.h"
#include "platform/vb/Conversions.h"
#include "support/CatalogoDePrueba.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "updater/AccesoPrivadoFrmActIngreso.h"
#include "updater/frmDirectorios.h"

namespace {

namespace usuario = ui::usuario;
using Acceso = AccesoPrivadoFrmActIngreso;

constexpr const char* kUsuarioOdbc = "[Caja1]\nDriver=Prueba\n";
constexpr const char* kSistemaOdbc = "[VENTAS]\nDriver=Prueba\n\n[Otra Base]\nDriver=Prueba\n";
const std::vector<std::string> kFuentes = {"Caja1", "VENTAS", "Otra Base"};

std::string VersionDelCatalogo(const std::string& valor) {
  return "DELETE FROM tblVersion; INSERT INTO tblVersion VALUES (" + valor + ");";
}

class DialogoTest : public ::testing::Test {
 protected:
  ~DialogoTest() override { gDirElegido = dirElegidoAnterior_; }

  prueba::ScriptedUi ui_;
  prueba::FuentesDePrueba fuentes_{kUsuarioOdbc, kSistemaOdbc};

 private:
  std::string dirElegidoAnterior_ = gDirElegido;
};

// A dialog loaded beside the reference catalogue (target 9.5.2).
class DialogoCargadoTest : public DialogoTest {
 protected:
  DialogoCargadoTest() { dialogo.Load(); }
  int IndiceDe(const std::string& fuente) const {
    const auto& lista = dialogo.cmbDSNList.List;
    return static_cast<int>(std::find(lista.begin(), lista.end(), fuente) - lista.begin());
  }
  void EligeFuente(const std::string& fuente) {
    usuario::Elige(dialogo.optTipoBD[1]);
    usuario::EligeElemento(dialogo.cmbDSNList, IndiceDe(fuente));
  }

  prueba::ProgramaConCatalogo programa_;
  frmActIngreso dialogo;
};

TEST_F(DialogoTest, WithoutTheCatalogueOnlyTheExitButtonWorks) {
  prueba::CarpetaTemporal carpeta;
  const std::string rutaAnterior = gRutaApp;
  gRutaApp = carpeta.Ruta();
  frmActIngreso dialogo;
  ui_.Responde(ui::Respuesta::OK);
  dialogo.Load();
  gRutaApp = rutaAnterior;

  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt, "No se encuentra el archivo de estructura...\r\n" + carpeta.Ruta() + "/EstBDs.mdb");
  EXPECT_EQ(ui_.cajas[0].icono, ui::Icono::Critico);
  EXPECT_EQ(ui_.cajas[0].titulo, "Dorvex.mdb");
  EXPECT_FALSE(dialogo.cmdOpc[0].Enabled);
  EXPECT_TRUE(dialogo.cmbDSNList.List.empty());
  EXPECT_EQ(dialogo.BackColor, ui::Color{0x00FFFFF5}) << "the colours come before the check";

  usuario::HaceClic(dialogo.cmdOpc[1]);
  EXPECT_FALSE(dialogo.Cargado());
}

TEST_F(DialogoTest, ACatalogueBelow50IsRefusedAndNoSourceIsListed) {
  prueba::ProgramaConCatalogo programa(VersionDelCatalogo("499"));
  frmActIngreso dialogo;
  ui_.Responde(ui::Respuesta::OK);
  dialogo.Load();

  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt,
            "No es posible hacer la actualización. Actualice su equipo a versión 5.0 o superior");
  EXPECT_EQ(ui_.cajas[0].icono, ui::Icono::Exclamacion);
  EXPECT_EQ(ui_.cajas[0].titulo, "Actualizador de Bases de Datos");
  EXPECT_TRUE(dialogo.cmbDSNList.List.empty());
  EXPECT_EQ(dialogo.cmbRegimen.ListIndex, -1);
  EXPECT_TRUE(dialogo.cmdOpc[0].Enabled);
  EXPECT_EQ(Acceso::mVersionEstructura(dialogo), 499);
}

TEST_F(DialogoTest, TheCataloguesFirstThreeDigitsAreTheTargetAndTheDialogIsReady) {
  const std::pair<std::string, std::int16_t> casos[] = {
      {VersionDelCatalogo("952"), 952}, {VersionDelCatalogo("9521"), 952},
      {VersionDelCatalogo("500"), 500}, {"DELETE FROM tblVersion;", 0}};
  for (const auto& [sql, destino] : casos) {
    prueba::ProgramaConCatalogo programa(sql);
    frmActIngreso dialogo;
    dialogo.Load();
    EXPECT_TRUE(ui_.cajas.empty()) << sql;
    EXPECT_EQ(Acceso::mVersionEstructura(dialogo), destino) << sql;
    EXPECT_EQ(dialogo.cmbDSNList.List, kFuentes) << sql;
    EXPECT_EQ(dialogo.cmbRegimen.Text(), "PERSONA MORAL") << sql;
    EXPECT_TRUE(dialogo.cmdOpc[0].Enabled) << sql;
  }
}

TEST_F(DialogoTest, AnUnreadableCatalogueIsReportedAndTheUpdateDisabled) {
  const std::pair<const char*, std::string> casos[] = {
      {"not a catalogue", ""}, {"null version", VersionDelCatalogo("NULL")},
      {"version not a number", VersionDelCatalogo("'v9.5'")}};
  for (const auto& [que, sql] : casos) {
    prueba::ProgramaConCatalogo programa(sql);
    if (sql.empty()) std::ofstream(programa.RutaCatalogo(), std::ios::trunc) << "no es un catálogo";
    frmActIngreso dialogo;
    ui_.Responde(ui::Respuesta::OK);
    dialogo.Load();
    ASSERT_EQ(ui_.cajas.size(), 1u) << que;
    EXPECT_EQ(ui_.cajas[0].prompt.rfind("No es posible leer el archivo de estructura...\r\n" +
                                            programa.RutaCatalogo() + "\r\nError ", 0), 0u)
        << que << ": " << ui_.cajas[0].prompt;
    EXPECT_EQ(ui_.cajas[0].icono, ui::Icono::Critico) << que;
    EXPECT_FALSE(dialogo.cmdOpc[0].Enabled) << que;
    EXPECT_TRUE(dialogo.cmbDSNList.List.empty()) << que;
    ui_.cajas.clear();
  }
}

TEST_F(DialogoCargadoTest, OpensWithNoEngineChosenAndItsInitialStates) {
  for (const auto& opcion : dialogo.optTipoBD) EXPECT_FALSE(opcion.Value);
  EXPECT_FALSE(dialogo.optTipoBD[0].Visible || dialogo.optTipoBD[0].Enabled);
  EXPECT_TRUE(dialogo.lblRuta.Visible);
  EXPECT_FALSE(dialogo.cmbDSNList.Visible || dialogo.txtNomBD.Visible || dialogo.fmeSqlServer.Visible);
  EXPECT_EQ(dialogo.chkProyecto[0].Value, 1);
  EXPECT_TRUE(dialogo.optAutentication[0].Value);
  EXPECT_FALSE(dialogo.txtUserNameSql.Enabled || dialogo.txtUserPasswordSql.Enabled);
  EXPECT_FALSE(dialogo.cmdRutaImg.Enabled);
  EXPECT_TRUE(dialogo.txtRutaImagenes.Enabled);
  EXPECT_EQ(dialogo.chkRegDef.Value, 0);
  EXPECT_EQ(dialogo.Caption, "ACTUALIZACIÓN DE BASES DE DATOS Norvale Soft ®");
  EXPECT_EQ(dialogo.cmdOpc[0].BackColor, ui::Color{0x00F5E6D2});
  EXPECT_EQ(dialogo.chkCA.BackColor, ui::Color{0x00FFFFF5});
  EXPECT_FALSE(dialogo.lblMensaje.BackColor.has_value()) << "labels keep their own colours";
}

TEST_F(DialogoCargadoTest, ChoosingADataSourceFillsTheCarriersAndTheConnectionString) {
  EligeFuente("VENTAS");
  EXPECT_TRUE(dialogo.cmbDSNList.Visible && dialogo.cmbDSNList.Enabled);
  EXPECT_TRUE(dialogo.Label1[0].Visible && dialogo.Label1[1].Visible);
  EXPECT_TRUE(dialogo.txtNomBD.Visible && dialogo.txtNomBD.Enabled);
  EXPECT_FALSE(dialogo.fmeSqlServer.Visible || dialogo.lblRuta.Visible || dialogo.cmdBusMdb.Visible);
  EXPECT_EQ(dialogo.lblRuta.Caption, "DSN=VENTAS");
  EXPECT_EQ(dialogo.lblRuta.ToolTipText, "VENTAS");
  EXPECT_EQ(dialogo.txtNomBD.Text, "VENTAS");
  EXPECT_EQ(Acceso::mNombreBaseDatos(dialogo), "VENTAS");
  EXPECT_EQ(dialogo.lblEmp.Tag, "DSN=VENTAS");
  EXPECT_EQ(dialogo.lblEmp.ToolTipText, "DSN=VENTAS");

  usuario::Escribe(dialogo.txtNomBD, "VENTAS2");
  EXPECT_EQ(Acceso::mNombreBaseDatos(dialogo), "VENTAS2");
  EXPECT_EQ(dialogo.lblRuta.Tag, "VENTAS2");
  EXPECT_EQ(dialogo.lblEmp.Tag, "DSN=VENTAS") << "the connection keeps the data source";
}

TEST_F(DialogoCargadoTest, ADataSourceNameThatWouldBreakTheStringIsQuoted) {
  dialogo.cmbDSNList.AddItem("Caja;Norte");
  EligeFuente("Caja;Norte");
  EXPECT_EQ(dialogo.lblRuta.Caption, "DSN=Caja;Norte");
  EXPECT_EQ(dialogo.lblEmp.Tag, "DSN={Caja;Norte}");
}

TEST_F(DialogoCargadoTest, ChoosingSqlServerDiscardsTheDataSourceAndShowsItsFrame) {
  EligeFuente("VENTAS");
  usuario::Elige(dialogo.optTipoBD[2]);
  for (const ui::Label* carrier : {&dialogo.lblRuta, &dialogo.lblEmp})
    EXPECT_TRUE(carrier->Caption.empty() && carrier->Tag.empty() && carrier->ToolTipText.empty());
  EXPECT_FALSE(dialogo.cmbDSNList.Visible || dialogo.txtNomBD.Visible || dialogo.Label1[1].Visible);
  EXPECT_TRUE(dialogo.fmeSqlServer.Visible && dialogo.fmeSqlServer.Enabled);
  EXPECT_FALSE(dialogo.lblRuta.Visible);
  EXPECT_EQ(dialogo.txtNomBD.Text, "VENTAS") << "the texts stay as they were";
  EXPECT_EQ(dialogo.cmbDSNList.List, kFuentes);
}

TEST_F(DialogoCargadoTest, SqlServerAuthenticationUnlocksUserAndPasswordAndWindowsLocksThem) {
  usuario::Elige(dialogo.optTipoBD[2]);
  usuario::Elige(dialogo.optAutentication[1]);
  EXPECT_TRUE(dialogo.txtUserNameSql.Enabled && dialogo.txtUserPasswordSql.Enabled);
  usuario::Escribe(dialogo.txtUserNameSql, "sa");
  usuario::Escribe(dialogo.txtUserPasswordSql, "clave");
  usuario::Elige(dialogo.optAutentication[0]);
  EXPECT_FALSE(dialogo.txtUserNameSql.Enabled || dialogo.txtUserPasswordSql.Enabled);
  EXPECT_EQ(dialogo.txtUserNameSql.Text, "sa");
  EXPECT_EQ(dialogo.txtUserPasswordSql.Text, "clave");
  EXPECT_EQ(dialogo.txtUserPasswordSql.PasswordChar, '*');
}

TEST_F(DialogoCargadoTest, TheSqlServerConnectionStringFollowsTheAuthentication) {
  struct Caso {
    const char* que;
    int autenticacion;
    const char *servidor, *base, *instancia, *usuario, *clave;
    const char* cadena;  // nullptr: a needed box is blank
  };
  const Caso casos[] = {
      {"Windows", 0, " SRV01 ", " Ventas ", "SQLEXPRESS", "", "",
       "Provider=SQLOLEDB.1; Integrated Security=SSPI; Persist Security Info=False; Initial Catalog=Ventas; "
       "Data Source=SRV01\\SQLEXPRESS"},
      {"SQL Server", 1, "10.0.0.5", "Ventas", "SQLEXPRESS", " sa ", "s3creta",
       "Provider=SQLOLEDB.1; Password=s3creta; Persist Security Info=True; User ID=sa; Initial Catalog=Ventas; "
       "Data Source=10.0.0.5\\SQLEXPRESS"},
      {"SQL Server without instance", 1, "SRV01", "Ventas", "", "sa", " con blancos ",
       "Provider=SQLOLEDB.1; Password= con blancos ; Persist Security Info=True; User ID=sa; "
       "Initial Catalog=Ventas; Data Source=SRV01\\"},
      {"password holding ';'", 1, "SRV01", "Ventas", "", "sa", "a;b\"c",
       "Provider=SQLOLEDB.1; Password=\"a;b\"\"c\"; Persist Security Info=True; User ID=sa; "
       "Initial Catalog=Ventas; Data Source=SRV01\\"},
      {"no database", 0, "SRV01", "  ", "SQLEXPRESS", "", "", nullptr},
      {"no server", 1, "", "Ventas", "", "sa", "x", nullptr},
      {"Windows without instance", 0, "SRV01", "Ventas", " ", "", "", nullptr},
      {"password of blanks", 1, "SRV01", "Ventas", "", "sa", "   ", nullptr},
      {"no user", 1, "SRV01", "Ventas", "", "", "x", nullptr},
  };
  usuario::Elige(dialogo.optTipoBD[2]);
  for (const Caso& caso : casos) {
    usuario::Elige(dialogo.optAutentication[caso.autenticacion]);
    dialogo.txtServerName.Text = caso.servidor;
    dialogo.txtDBName.Text = caso.base;
    dialogo.txtInstanceNameSql.Text = caso.instancia;
    dialogo.txtUserNameSql.Text = caso.usuario;
    dialogo.txtUserPasswordSql.Text = caso.clave;
    std::string cadena = "sin tocar";
    const bool armada = dialogo.ArmarCadenaSqlServer(cadena);
    EXPECT_EQ(armada, caso.cadena != nullptr) << caso.que;
    EXPECT_EQ(cadena, caso.cadena ? caso.cadena : "sin tocar") << caso.que;
  }
}

TEST_F(DialogoCargadoTest, BoxZeroGovernsTheRegimeAndImagesControls) {
  ui::Control* regimen[] = {&dialogo.Label3, &dialogo.cmbRegimen, &dialogo.chkCA, &dialogo.Label2};
  usuario::Marca(dialogo.chkProyecto[0], 0);
  for (ui::Control* control : regimen) EXPECT_FALSE(control->Enabled) << control->Name;
  EXPECT_FALSE(dialogo.cmdRutaImg.Enabled || dialogo.txtRutaImagenes.Enabled);

  usuario::Marca(dialogo.chkProyecto[0], 1);
  for (ui::Control* control : regimen) EXPECT_TRUE(control->Enabled) << control->Name;
  EXPECT_FALSE(dialogo.cmdRutaImg.Enabled || dialogo.txtRutaImagenes.Enabled) << "chkCA is not ticked";

  usuario::Marca(dialogo.chkCA, 1);
  EXPECT_TRUE(dialogo.cmdRutaImg.Enabled && dialogo.txtRutaImagenes.Enabled);
  usuario::Marca(dialogo.chkProyecto[0], 0);
  usuario::Marca(dialogo.chkProyecto[0], 1);
  EXPECT_TRUE(dialogo.cmdRutaImg.Enabled && dialogo.txtRutaImagenes.Enabled);
  usuario::Marca(dialogo.chkProyecto[2], 1);
  EXPECT_TRUE(dialogo.cmbRegimen.Enabled) << "the other boxes change nothing at once";
  usuario::Marca(dialogo.chkCA, 0);
  EXPECT_FALSE(dialogo.cmdRutaImg.Enabled || dialogo.txtRutaImagenes.Enabled);
}

TEST(DialogoConServidorTest, TheChosenDataSourceOpensItsDatabase) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::ScriptedUi ui;
  prueba::TestDatabase db;
  db.EjecutaSql("CREATE TABLE tblVersion (VER SMALLINT, CXC_CENTRAL SMALLINT);"
                "INSERT INTO tblVersion VALUES (500, 0);");
  db.EscribeDsn("Velmar Prueba");
  prueba::ProgramaConCatalogo programa;
  frmActIngreso dialogo;
  dialogo.Load();
  usuario::Elige(dialogo.optTipoBD[1]);
  const auto& lista = dialogo.cmbDSNList.List;
  const auto fuente = std::find(lista.begin(), lista.end(), "Velmar Prueba");
  ASSERT_NE(fuente, lista.end()) << "the data source is listed";
  usuario::EligeElemento(dialogo.cmbDSNList, static_cast<int>(fuente - lista.begin()));

  ado::Connection cnx;
  cnx.Open(dialogo.lblEmp.Tag);
  ado::Recordset version = cnx.Execute("SELECT VER FROM tblVersion;");
  EXPECT_EQ(vb::CStr(version.Fields("VER").Value()), "500");
}

// Shows the folder picker by running the next scripted user step on it.
class SelectorGuionado : public ui::Presentador {
 public:
  SelectorGuionado() { ui::InstalaPresentador(this); }
  ~SelectorGuionado() override {
    ui::InstalaPresentador(nullptr);
    EXPECT_TRUE(pasos.empty()) << "a scripted picker was never shown";
  }
  void MuestraModal(ui::Formulario& formulario) override {
    auto* selector = dynamic_cast<frmDirectorios*>(&formulario);
    ASSERT_NE(selector, nullptr);
    ASSERT_FALSE(pasos.empty()) << "unexpected folder picker";
    pasos.front()(*selector);
    pasos.pop_front();
    EXPECT_FALSE(selector->Cargado()) << "the picker was left open";
  }
  std::deque<std::function<void(frmDirectorios&)>> pasos;
};

TEST_F(DialogoCargadoTest, BrowsingPutsTheLastAcceptedFolderIntoTheImagesBox) {
  prueba::CarpetaTemporal suite;
  std::filesystem::create_directories(suite.Ruta() + "/Imagenes");
  gDirElegido.clear();
  SelectorGuionado selector;
  std::string inicio;
  selector.pasos = {
      [](frmDirectorios& s) { usuario::HaceClic(s.cmdCancel); },
      [&](frmDirectorios& s) {
        usuario::AbreCarpeta(s.dirLista, suite.Ruta() + "/Imagenes");
        usuario::HaceClic(s.cmdAcepta);
      },
      [&](frmDirectorios& s) {
        inicio = s.dirLista.Path();
        usuario::CierraVentana(s);
      }};
  usuario::Marca(dialogo.chkCA, 1);
  usuario::Escribe(dialogo.txtRutaImagenes, "/escrita/a/mano");
  usuario::HaceClic(dialogo.cmdRutaImg);
  EXPECT_EQ(dialogo.txtRutaImagenes.Text, "") << "nothing accepted yet in this process";

  usuario::HaceClic(dialogo.cmdRutaImg);
  EXPECT_EQ(dialogo.txtRutaImagenes.Text, suite.Ruta() + "/Imagenes");

  usuario::Escribe(dialogo.txtRutaImagenes, "/otra");
  usuario::HaceClic(dialogo.cmdRutaImg);
  EXPECT_EQ(inicio, suite.Ruta() + "/Imagenes") << "the picker starts at the accepted folder";
  EXPECT_EQ(dialogo.txtRutaImagenes.Text, suite.Ruta() + "/Imagenes");
}

// Services whose next box first lets the test act, as a user could while a run waits.
class UiConPausa : public prueba::ScriptedUi {
 public:
  ui::Respuesta MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                       const std::string& titulo) override {
    if (auto accion = std::exchange(alMostrar, nullptr)) accion();
    return ScriptedUi::MsgBox(prompt, botones, icono, titulo);
  }
  std::function<void()> alMostrar;
};

class DialogoEnCorridaTest : public ::testing::Test {
 protected:
  DialogoEnCorridaTest() {
    dialogo.Load();
    usuario::Elige(dialogo.optTipoBD[2]);  // the SQL Server route speaks at the start of a run
  }
  std::vector<ui::Control*> Entradas() {
    std::vector<ui::Control*> entradas;
    for (ui::Control* control : dialogo.Controles())
      if (!dynamic_cast<ui::Label*>(control) && !dynamic_cast<ui::Frame*>(control)) entradas.push_back(control);
    return entradas;
  }
  std::map<ui::Control*, bool> EstadoDeEntradas() {
    std::map<ui::Control*, bool> estado;
    for (ui::Control* control : Entradas()) estado[control] = control->Enabled;
    return estado;
  }

  UiConPausa ui_;
  prueba::FuentesDePrueba fuentes_{kUsuarioOdbc, kSistemaOdbc};
  prueba::ProgramaConCatalogo programa_;
  frmActIngreso dialogo;
};

TEST_F(DialogoEnCorridaTest, DuringARunTheInputsAreDisabledAndClosingIsRefused) {
  const auto antes = EstadoDeEntradas();
  std::vector<std::string> habilitadas;
  bool corriendo = false;
  bool cerrada = true;
  ui_.alMostrar = [&] {
    corriendo = dialogo.CorridaEnCurso();
    for (ui::Control* control : Entradas())
      if (control->Enabled) habilitadas.push_back(control->NombreCompleto());
    cerrada = usuario::CierraVentana(dialogo);
  };
  ui_.Responde(ui::Respuesta::OK);  // the refusal
  ui_.Responde(ui::Respuesta::OK);  // the run's own first box
  usuario::HaceClic(dialogo.cmdOpc[0]);

  EXPECT_TRUE(corriendo);
  EXPECT_TRUE(habilitadas.empty()) << habilitadas.front();
  EXPECT_FALSE(cerrada);
  ASSERT_GE(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt, "La actualización está en curso. Espere a que termine para cerrar.");
  EXPECT_TRUE(dialogo.Cargado());
  EXPECT_FALSE(dialogo.CorridaEnCurso());
  EXPECT_EQ(EstadoDeEntradas(), antes) << "each input is back as it was";
  EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
  EXPECT_TRUE(usuario::CierraVentana(dialogo)) << "after the run the dialog closes";
}

TEST_F(DialogoEnCorridaTest, ARunThatFailsStillGivesTheDialogBack) {
  const auto antes = EstadoDeEntradas();
  ui_.alMostrar = [] { vb::Raise(vb::err::InvalidProcedureCall, "fallo a mitad de la corrida"); };
  EXPECT_THROW(usuario::HaceClic(dialogo.cmdOpc[0]), vb::Error);
  EXPECT_FALSE(dialogo.CorridaEnCurso());
  EXPECT_EQ(EstadoDeEntradas(), antes);
  EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
}

TEST_F(DialogoEnCorridaTest, TheExitButtonClosesTheDialog) {
  usuario::HaceClic(dialogo.cmdOpc[1]);
  EXPECT_FALSE(dialogo.Cargado());
  EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
}

// Every visible widget lies inside its parent, so nothing of the design is cut off.
void EsperaQueTodoQuepa(const QWidget& raiz) {
  for (const QWidget* widget : raiz.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (widget->isHidden() || widget->objectName().isEmpty()) continue;
    EXPECT_TRUE(QRect(QPoint(0, 0), raiz.size()).contains(widget->geometry()))
        << widget->objectName().toStdString() << " leaves " << raiz.objectName().toStdString();
    EsperaQueTodoQuepa(*widget);
  }
}

TEST_F(DialogoCargadoTest, TheQtViewShowsTheDialogWithTheMySqlRoute) {
  prueba::AplicacionQt();
  qtviews::VistaFormulario vista(dialogo);
  vista.show();
  auto* mysql = vista.findChild<QRadioButton*>("optTipoBD(1)");
  ASSERT_NE(mysql, nullptr);
  EXPECT_EQ(vista.focusWidget(), mysql) << "the focus starts on the MySQL option";
  EXPECT_TRUE(vista.findChild<QWidget*>("optTipoBD(0)")->isHidden());

  mysql->click();
  auto* fuentes = vista.findChild<QComboBox*>("cmbDSNList");
  ASSERT_NE(fuentes, nullptr);
  EXPECT_TRUE(fuentes->isVisible());
  emit fuentes->activated(IndiceDe("VENTAS"));
  EXPECT_EQ(dialogo.lblEmp.Tag, "DSN=VENTAS");
  dialogo.lblMensaje.Caption = "Revisando estructura para versión 5.0...";
  dialogo.lblMensaje.Refresh();

  EsperaQueTodoQuepa(vista);
  EXPECT_TRUE(prueba::GuardaCaptura(vista, "gradix-dialog.png"));
  vista.findChild<QRadioButton*>("optTipoBD(2)")->click();
  EsperaQueTodoQuepa(vista);
  EXPECT_TRUE(prueba::GuardaCaptura(vista, "gradix-dialog-sqlserver.png"));

  // Back to MySQL: the source chosen before is gone, and the list shows no choice either.
  mysql->click();
  EXPECT_EQ(fuentes->currentIndex(), -1);
  EXPECT_EQ(fuentes->currentText(), "");
  EXPECT_EQ(dialogo.lblEmp.Tag, "");
  emit fuentes->activated(IndiceDe("VENTAS"));
  EXPECT_EQ(fuentes->currentText(), "VENTAS");
  EXPECT_EQ(dialogo.lblEmp.Tag, "DSN=VENTAS");

  // Screen readers: the picture buttons by their tool tips, the credentials by their labels.
  const std::pair<const char*, QString> nombres[] = {{"cmdOpc(0)", "Actualizar"},
                                                     {"cmdOpc(1)", "Salir"},
                                                     {"txtUserNameSql", "Usuario"},
                                                     {"txtUserPasswordSql", "Contraseña"}};
  for (const auto& [widget, nombre] : nombres)
    EXPECT_EQ(vista.findChild<QWidget*>(widget)->accessibleName(), nombre) << widget;
}

// Qt's own texts are Spanish too: a right click in "Nombre de Base de Datos" opens the text
// field's menu in the words of a Spanish desktop.
TEST_F(DialogoCargadoTest, ATextFieldsContextMenuIsInSpanish) {
  prueba::AplicacionQt();
  qtviews::VistaFormulario vista(dialogo);
  vista.show();
  vista.findChild<QRadioButton*>("optTipoBD(1)")->click();
  emit vista.findChild<QComboBox*>("cmbDSNList")->activated(IndiceDe("VENTAS"));
  auto* nombre = vista.findChild<QLineEdit*>("txtNomBD");
  ASSERT_NE(nombre, nullptr);
  ASSERT_TRUE(nombre->isVisible());
  nombre->selectAll();

  const QPoint punto = nombre->rect().center();
  QContextMenuEvent clicDerecho(QContextMenuEvent::Mouse, punto, nombre->mapToGlobal(punto));
  QApplication::sendEvent(nombre, &clicDerecho);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QStringList opciones;
  for (const QAction* accion : menu->actions())
    if (!accion->isSeparator()) opciones << accion->text().section('\t', 0, 0).remove('&');
  EXPECT_TRUE(prueba::GuardaCaptura(*menu, "gradix-dialog-menu.png"));
  menu->close();
  EXPECT_EQ(opciones, (QStringList{"Deshacer", "Rehacer", "Cortar", "Copiar", "Pegar", "Borrar",
                                   "Seleccionar todo"}));
}

}  // namespace
