// The Qt view of a form, offscreen: widgets built from the design, the model's state
// carried onto them, the user's actions carried back to the model's events, closing
// through the form, and the services (boxes, pointer, DoEvents, modal showing).
#include "platform/qt/VistaFormulario.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/QtDePrueba.h"
#include "platform/qt/ServiciosQt.h"
#include "platform/ui/Controles.h"
#include "platform/ui/Label.h"
#include "platform/vb/Error.h"

namespace {

class FormaVista : public ui::Formulario {
 public:
  FormaVista() {
    Caption = "Forma de prueba";
    ScaleWidth = 6000;
    ScaleHeight = 3000;
    BackColor = 0x00FFFFF5;
    Agrega(marco, "marco");
    marco.Caption = "Autenticación";
    marco.Move(150, 150, 3000, 1500);
    Agrega(opcion[0], "opcion", 0, &marco);
    Agrega(opcion[1], "opcion", 1, &marco);
    opcion[0].Caption = "Windows";
    opcion[0].Move(150, 300, 1500, 390);
    opcion[1].Caption = "SQL Server";
    opcion[1].Move(150, 750, 1500, 390);
    Agrega(clave, "clave");
    clave.PasswordChar = '*';
    clave.MaxLength = 50;
    clave.Move(3300, 150, 2400, 450);
    Agrega(casilla, "casilla");
    casilla.Caption = "Agregar registros default";
    casilla.Move(3300, 750, 2400, 390);
    Agrega(lista, "lista");
    lista.Move(3300, 1200, 2400, 450);
    Agrega(boton, "boton");
    boton.Picture = "salir";
    boton.ToolTipText = "Salir";
    boton.BackColor = 0x00F5E6D2;
    boton.Move(150, 1800, 975, 975);
    Agrega(mensaje, "mensaje");
    mensaje.Move(1500, 1800, 4200, 1000);
    for (int i = 0; i < 2; ++i) opcion[i].alHacerClic = [this, i] { eventos.push_back("opcion" + std::to_string(i)); };
    clave.alCambiar = [this] { eventos.push_back("clave=" + clave.Text); };
    casilla.alHacerClic = [this] { eventos.push_back("casilla=" + std::to_string(casilla.Value)); };
    lista.alHacerClic = [this] { eventos.push_back("lista=" + lista.Text()); };
    boton.alHacerClic = [this] {
      eventos.push_back("boton");
      if (alPulsar) alPulsar();
    };
  }
  void Form_QueryUnload(int& Cancel, int) override {
    eventos.push_back("cerrar");
    if (rehusa) Cancel = 1;
  }

  ui::Frame marco;
  std::array<ui::OptionButton, 2> opcion;
  ui::TextBox clave;
  ui::CheckBox casilla;
  ui::ComboBox lista;
  ui::CommandButton boton;
  ui::Label mensaje;
  std::vector<std::string> eventos;
  std::function<void()> alPulsar;
  bool rehusa = false;
};

template <class W>
W* Hijo(QWidget& vista, const char* nombre) {
  W* widget = vista.findChild<W*>(QString::fromLatin1(nombre));
  EXPECT_NE(widget, nullptr) << nombre;
  return widget;
}

class VistaFormularioTest : public ::testing::Test {
 protected:
  VistaFormularioTest() { prueba::AplicacionQt(); }
  FormaVista forma;
};

TEST_F(VistaFormularioTest, BuildsTheWidgetsOfTheDesign) {
  forma.Load();
  qtviews::VistaFormulario vista(forma);
  EXPECT_EQ(vista.windowTitle(), "Forma de prueba");
  EXPECT_EQ(vista.size(), QSize(400, 200)) << "twips at 15 per pixel";
  EXPECT_TRUE(QFontInfo(vista.font()).family() == "Carlito" || QFontInfo(vista.font()).family() == "Calibri");
  EXPECT_EQ(vista.font().pointSizeF(), 12);
  EXPECT_EQ(vista.palette().color(QPalette::Window), QColor(245, 255, 255));

  auto* marco = Hijo<QGroupBox>(vista, "marco");
  auto* windows = Hijo<QRadioButton>(vista, "opcion(0)");
  ASSERT_TRUE(marco && windows);
  EXPECT_EQ(windows->parentWidget(), marco);
  EXPECT_EQ(windows->geometry(), QRect(10, 20, 100, 26));
  EXPECT_EQ(marco->title(), "Autenticación");
  auto* boton = Hijo<QPushButton>(vista, "boton");
  ASSERT_TRUE(boton);
  EXPECT_EQ(boton->toolTip(), "Salir");
  EXPECT_FALSE(boton->icon().isNull());
  EXPECT_FALSE(boton->autoDefault()) << "Enter in a box must not press the button";
  EXPECT_EQ(boton->palette().color(QPalette::Button), QColor(210, 230, 245));
  EXPECT_EQ(Hijo<QLineEdit>(vista, "clave")->echoMode(), QLineEdit::Password);
  EXPECT_EQ(Hijo<QLineEdit>(vista, "clave")->maxLength(), 50);
}

TEST_F(VistaFormularioTest, CarriesTheModelsStateOntoTheWidgets) {
  qtviews::VistaFormulario vista(forma);
  forma.mensaje.Caption = "Revisando estructura\r\n\r\ntblVersion";
  forma.opcion[1].Value = true;
  forma.casilla.Value = 1;
  forma.lista.AddItem("VENTAS");
  forma.lista.AddItem("CAJA");
  forma.lista.ListIndex = 1;
  forma.clave.Text = "secreto";
  forma.marco.Enabled = false;
  forma.boton.Visible = false;
  vista.Sincroniza();

  EXPECT_EQ(Hijo<QLabel>(vista, "mensaje")->text(), "Revisando estructura\n\ntblVersion");
  EXPECT_TRUE(Hijo<QRadioButton>(vista, "opcion(1)")->isChecked());
  EXPECT_TRUE(Hijo<QCheckBox>(vista, "casilla")->isChecked());
  EXPECT_EQ(Hijo<QComboBox>(vista, "lista")->currentText(), "CAJA");
  EXPECT_EQ(Hijo<QLineEdit>(vista, "clave")->text(), "secreto");
  EXPECT_FALSE(Hijo<QRadioButton>(vista, "opcion(1)")->isEnabled()) << "its frame is disabled";
  EXPECT_TRUE(Hijo<QPushButton>(vista, "boton")->isHidden());

  forma.opcion[1].Value = false;  // the model may leave a group with no choice
  forma.lista.Clear();
  vista.Sincroniza();
  EXPECT_FALSE(Hijo<QRadioButton>(vista, "opcion(1)")->isChecked());
  EXPECT_EQ(Hijo<QComboBox>(vista, "lista")->count(), 0);
  EXPECT_TRUE(forma.eventos.empty()) << "carrying state onto the widgets fires no event";
}

TEST_F(VistaFormularioTest, CarriesWhatTheUserDoesToTheModelsEvents) {
  forma.lista.AddItem("VENTAS");
  qtviews::VistaFormulario vista(forma);
  Hijo<QRadioButton>(vista, "opcion(1)")->click();
  Hijo<QRadioButton>(vista, "opcion(0)")->click();
  emit Hijo<QLineEdit>(vista, "clave")->textEdited("abc");
  Hijo<QCheckBox>(vista, "casilla")->click();
  emit Hijo<QComboBox>(vista, "lista")->activated(0);
  Hijo<QPushButton>(vista, "boton")->click();

  EXPECT_EQ(forma.eventos, (std::vector<std::string>{"opcion1", "opcion0", "clave=abc", "casilla=1",
                                                     "lista=VENTAS", "boton"}));
  EXPECT_TRUE(forma.opcion[0].Value);
  EXPECT_FALSE(forma.opcion[1].Value);
  EXPECT_EQ(forma.clave.Text, "abc");
}

TEST_F(VistaFormularioTest, ClosingTheWindowAsksTheForm) {
  forma.Load();
  qtviews::VistaFormulario vista(forma);
  vista.show();
  forma.rehusa = true;
  EXPECT_FALSE(vista.close());
  EXPECT_TRUE(vista.isVisible());
  EXPECT_TRUE(forma.Cargado());

  forma.rehusa = false;
  EXPECT_TRUE(vista.close());
  EXPECT_FALSE(forma.Cargado());
  EXPECT_EQ(forma.eventos, (std::vector<std::string>{"cerrar", "cerrar"}));
}

// Escape never closes a form by itself: it presses the form's cancel button when there is
// one the user can reach, and does nothing otherwise; the close box still closes.
TEST_F(VistaFormularioTest, EscapePressesTheCancelButtonAndOtherwiseLeavesTheFormOpen) {
  struct Caso {
    const char* que;
    bool cancela;  // the button answers Escape
    bool visible;
    std::vector<std::string> eventos;
  };
  const Caso casos[] = {{"no cancel button", false, true, {}},
                        {"a cancel button", true, true, {"boton"}},
                        {"a hidden cancel button", true, false, {}}};
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.que);
    FormaVista forma;
    forma.Load();
    forma.boton.Cancel = caso.cancela;
    forma.boton.Visible = caso.visible;
    qtviews::VistaFormulario vista(forma);
    vista.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&vista, &escape);
    EXPECT_TRUE(vista.isVisible());
    EXPECT_TRUE(forma.Cargado());
    EXPECT_EQ(forma.eventos, caso.eventos);
    EXPECT_TRUE(vista.close());
    EXPECT_FALSE(forma.Cargado());
  }
}

TEST_F(VistaFormularioTest, LabelRefreshAndDoEventsRepaintDuringLongWork) {
  qtviews::ServiciosQt servicios;
  qtviews::VistaFormulario vista(forma);
  auto* mensaje = Hijo<QLabel>(vista, "mensaje");
  forma.mensaje.Caption = "Revisando estructura para versión 5.0...";
  forma.mensaje.Refresh();
  EXPECT_EQ(mensaje->text(), "Revisando estructura para versión 5.0...");

  forma.mensaje.Caption = "Base de datos generada...";
  forma.casilla.Enabled = false;
  ui::DoEvents();
  EXPECT_EQ(mensaje->text(), "Base de datos generada...");
  EXPECT_FALSE(Hijo<QCheckBox>(vista, "casilla")->isEnabled());

  // A box waits for the user: what the form holds shows behind it, the cleared line too.
  forma.mensaje.Caption.clear();
  QString detras = "sin leer";
  prueba::AlAparecerCaja([&](QMessageBox& caja) {
    detras = mensaje->text();
    caja.accept();
  });
  ui::MsgBox("Proceso terminado", ui::Botones::OK, ui::Icono::Informacion, "Información");
  EXPECT_EQ(detras.toStdString(), "");
}

TEST_F(VistaFormularioTest, MessageBoxesShowLineBreaksAndReturnTheAnswer) {
  qtviews::ServiciosQt servicios;
  struct Caso {
    std::string titulo;
    ui::Icono icono;
    QString tituloMostrado;
    QMessageBox::Icon iconoMostrado;
  };
  const Caso casos[] = {{"Actualización", ui::Icono::Exclamacion, "Actualización", QMessageBox::Warning},
                        {"", ui::Icono::Ninguno, "Gradix", QMessageBox::NoIcon}};
  for (const Caso& caso : casos) {
    QString texto, titulo;
    QMessageBox::Icon icono{};
    prueba::AlAparecerCaja([&](QMessageBox& caja) {
      texto = caja.text();
      titulo = caja.windowTitle();
      icono = caja.icon();
      caja.button(QMessageBox::Retry)->click();
    });
    const ui::Respuesta respuesta = ui::MsgBox("No se pudo conectar\r\nReintentar?\rFin", ui::Botones::RetryCancel,
                                               caso.icono, caso.titulo);
    EXPECT_EQ(respuesta, ui::Respuesta::Retry);
    EXPECT_EQ(texto, "No se pudo conectar\nReintentar?\nFin");
    EXPECT_EQ(titulo, caso.tituloMostrado);
    EXPECT_EQ(icono, caso.iconoMostrado);
  }
}

TEST_F(VistaFormularioTest, ShowRunsTheWindowModallyUntilTheFormUnloads) {
  qtviews::ServiciosQt servicios;
  forma.alPulsar = [this] { forma.Unload(); };
  QTimer::singleShot(0, [] {
    auto* vista = dynamic_cast<qtviews::VistaFormulario*>(QApplication::activeModalWidget());
    ASSERT_NE(vista, nullptr);
    vista->findChild<QPushButton*>("boton")->click();
  });
  forma.Show(ui::vbModal);
  EXPECT_FALSE(forma.Cargado());
  EXPECT_EQ(forma.eventos, (std::vector<std::string>{"boton", "cerrar"}));
  EXPECT_TRUE(qtviews::VistaFormulario::Abiertas().empty());
}

TEST_F(VistaFormularioTest, AnErrorThatEscapesAnEventIsShownAndTheWindowGoesOn) {
  qtviews::ServiciosQt servicios;
  qtviews::VistaFormulario vista(forma);
  forma.alPulsar = [] { vb::Raise(5, "Procedimiento no válido"); };
  QString texto, titulo;
  prueba::AlAparecerCaja([&](QMessageBox& caja) {
    texto = caja.text();
    titulo = caja.windowTitle();
    caja.accept();
  });
  Hijo<QPushButton>(vista, "boton")->click();
  EXPECT_EQ(titulo, "Error 5");
  EXPECT_EQ(texto, "Ocurrió un error:\nProcedimiento no válido");
  Hijo<QCheckBox>(vista, "casilla")->click();
  EXPECT_EQ(forma.eventos.back(), "casilla=1");
}

TEST_F(VistaFormularioTest, TheHourglassIsQtsWaitCursor) {
  qtviews::ServiciosQt servicios;
  ui::MousePointer(ui::Puntero::Hourglass);
  ui::MousePointer(ui::Puntero::Hourglass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui::MousePointer(ui::Puntero::Default);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "one restore undoes the one override";
}

}  // namespace
