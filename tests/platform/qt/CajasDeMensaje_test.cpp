// Every kind of message box that Gradix and Taxora show, with the longest texts they can
// carry, through the Qt services: each line of the text is on screen whole (it fits the
// text's width or wraps inside it), the box and its text fit the screen, the title has
// room, and the text can be selected. Each box opens centred over the window that opened
// it, wherever that stands, and moved just enough to lie whole on the screen. A few boxes
// are saved as boxes-*.png for a person to look at. Under Xvfb (scripts/test.sh) this is a
// real X display.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <iostream>
#include <string>
#include <vector>

#include "platform/qt/Aspecto.h"
#include "platform/qt/QtDePrueba.h"
#include "platform/qt/ServiciosQt.h"
#include "platform/ui/Services.h"

namespace {

using ui::Botones;
using ui::Icono;

// A path of 200 characters, as gRutaApp deep in a shared folder makes it.
std::string RutaLarga(const std::string& archivo) {
  std::string ruta = "/srv/compartido/Norvale Soft/Sucursal Centro Histórico/actualizador-de-bases-de-datos/";
  ruta += std::string(200 - ruta.size() - archivo.size() - 1, 'x') + "/" + archivo;
  return ruta;
}

const std::string kRutaLog = RutaLarga("Log_20261210-221530.log");
const std::string kRutaCatalogo = RutaLarga("EstBDs.mdb");
// A driver's message of several hundred characters, and the error as the boxes give it.
const std::string kMensajeDeDriver =
    "[ma-3.1.15][10.11.19-MariaDB-0+deb12u1]You have an error in your SQL "
    "syntax; check the manual that corresponds to your MariaDB server version for the right "
    "syntax to use near 'CONSTRAINT FK_tblComprasRen_tblComprasEnc FOREIGN KEY (FOL_DOC, "
    "COD_SUC, COD_ALM) REFERENCES tblComprasEnc (FOL_DOC, COD_SUC, COD_ALM) ON DELETE CASCADE "
    "ON UPDATE CASCADE' at line 1";
const std::string kErrorDeDriver = "Error -2147217900\r\n" + kMensajeDeDriver;
const std::string kConexionPerdida =
    "Error -2147467259\r\n[ma-3.1.15][10.11.19-MariaDB-0+deb12u1]Lost connection to server "
    "during query";
// A row of the record import: the column and value lists have no blank to break at.
std::string ListaDe(const std::string& pieza, int veces) {
  std::string lista;
  for (int i = 0; i < veces; ++i) lista += (i ? "," : "") + pieza + std::to_string(i);
  return lista;
}
const std::string kAgregarA = "Duplicate entry '1-7' for key 'PRIMARY'\r\n\r\nAGREGAR A\r\nTABLA : "
                              "tblArticulosSucursal\r\nCAMPOS : " + ListaDe("COD_CAMPO_", 40) +
                              "\r\nVALORES : " + ListaDe("'Valor de texto ", 40);
const std::string kCincuenta = std::string(50, 'W');  // a SQL Server box filled to its limit
// The demo climb's widest box, about 960 pixels wide.
const std::string kCodigosPorRecodificar =
    "SI MANEJA MOVIMIENTOS DEL MÓDULO DE COMPRAS, ES NECESARIO QUE EJECUTE LA UTILERÍA PARA "
    "ACTUALIZAR LOS CÓDIGOS DE IMPUESTOS.";

struct Caso {
  const char* que;
  std::string texto;
  std::string titulo;
  Botones botones = Botones::OK;
  Icono icono = Icono::Informacion;
  const char* captura = nullptr;  // boxes-<captura>.png
};

const Caso kCasos[] = {
    // Both programs.
    {"catalogue missing", "No se encuentra el archivo de estructura...\r\n" + kRutaCatalogo,
     "Dorvex.mdb", Botones::OK, Icono::Critico, "catalogo"},
    {"catalogue unreadable", "No es posible leer el archivo de estructura...\r\n" + kRutaCatalogo +
     "\r\nError -2147217900: " + kMensajeDeDriver, "Dorvex.mdb", Botones::OK, Icono::Critico},
    {"catalogue below 5.0",
     "No es posible hacer la actualización. Actualice su equipo a versión 5.0 o superior",
     "Actualizador de Bases de Datos", Botones::OK, Icono::Exclamacion},
    {"SQL Server summary", "Nombre de equipo o IP: " + kCincuenta + "\r\nNombre de Base de datos: " +
     kCincuenta + "\r\nNombre de Instancia: " + kCincuenta + "\r\n", "", Botones::OK, Icono::Ninguno,
     "resumen-sqlserver"},
    {"cannot connect", "No es posible conectarse a la base de datos.\r\n" + kConexionPerdida,
     "Actualizador de Bases de Datos", Botones::OK, Icono::Exclamacion, "conexion"},
    {"version unreadable", "No es posible leer la versión de la base de datos en tblVersion.\r\n" +
     kErrorDeDriver, "Actualizador Impuestos Compras", Botones::OK, Icono::Exclamacion},
    {"errors in the log", "Ocurrieron errores durante la actualización, ver el archivo " + kRutaLog,
     "Información", Botones::OK, Icono::Informacion, "log"},
    {"error in an event", "Ocurrió un error:\r\n" + kMensajeDeDriver, "Error 5", Botones::OK,
     Icono::Exclamacion},
    // Gradix.
    {"run under way", "La actualización está en curso. Espere a que termine para cerrar.",
     "Actualizador"},
    {"empty tblVersion",
     "La tabla tblVersion de la base de datos está vacía: no es posible saber a qué versión llegó "
     "la estructura. Registre en ella la última versión que se completó y vuelva a ejecutar la "
     "actualización.", "Actualizador de Bases de Datos", Botones::OK, Icono::Exclamacion},
    {"database below 5.0", "No es posible hacer la actualización. La versión es anterior a la 5.0",
     "Actualizador de Bases de Datos", Botones::OK, Icono::Exclamacion},
    {"already up to date", "La base de datos ya se encuentra actualizada a la versión 9.5.2",
     "Actualizador"},
    {"climb ended", "La base de datos fue actualizada a la versión 9.5.2\r\nHora inicio: "
     "22:15:30\r\nHora fin:     23:48:02", "Actualizador", Botones::OK, Icono::Informacion, "fin"},
    {"regime", "La empresa quedó registrada con régimen \r\nPERSONA FISICA CON ACTIVIDAD "
     "EMPRESARIAL\r\nSi desea modificarlo, ingrese a Norvale Soft - Tablas - Regímenes Fiscales.",
     "Información", Botones::OK, Icono::Exclamacion, "regimen"},
    {"climb stopped", "La base de datos no se actualizó a la versión 9.5.2.\r\nConserva la última "
     "versión que se completó; corrija la causa y vuelva a ejecutar la actualización para "
     "continuar desde ahí.", "Actualizador", Botones::OK, Icono::Exclamacion},
    {"tax codes to recode", kCodigosPorRecodificar, "Actualizador", Botones::OK,
     Icono::Exclamacion},
    {"ladder error", kErrorDeDriver,
     "Error al actualizar a v.9.5.2  a partir de v.5.0.0", Botones::OK, Icono::Exclamacion,
     "escalera"},
    {"synchronisation error", "Error -2147217900:\r\n" + kMensajeDeDriver, "Actualización",
     Botones::OK, Icono::Ninguno},
    {"connection retry", kConexionPerdida.substr(kConexionPerdida.find('[')), "-2147467259",
     Botones::RetryCancel, Icono::Ninguno},
    {"database missing", "La base de datos no existe...", "Base de dato"},
    {"driver errors", kErrorDeDriver, "Error", Botones::OK, Icono::Exclamacion},
    {"record import", kAgregarA, "-2147217873", Botones::AbortRetryIgnore, Icono::Critico,
     "importacion"},
    {"doctor's office updated", "La base de datos de Vudovizivev Azuzo fue actualizada",
     "Actualizador"},
    {"doctor's office not updated",
     "No es posible actualizar estructura de la Base de Datos de Vudovizivev Azuzo",
     "Actualización", Botones::OK, Icono::Exclamacion},
    // Taxora.
    {"recode under way",
     "La actualización de impuestos está en curso. Espere a que termine para cerrar.",
     "Actualizador Impuestos Compras"},
    {"database below 9.1.0",
     "No es posible hacer la actualización. La versión es anterior a la 9.1.0",
     "Actualizador Impuestos Compras", Botones::OK, Icono::Exclamacion, "anterior-910"},
    {"not a suite database",
     "No es posible hacer la actualización. La base de datos no corresponde Norvale Soft Velmar",
     "Actualizador Impuestos Compras", Botones::OK, Icono::Exclamacion},
    {"recode error", kErrorDeDriver, "Error al actualizar impuestos de compras", Botones::OK,
     Icono::Exclamacion},
    {"recode done", "Los impuestos de compras fueron actualizados\r\nHora inicio: 22:15:30\r\n"
     "Hora fin:     23:48:02", "Actualizar impuestos"},
    {"recode failed", "Hubo problema al actualizar impuestos:\r\n" + kRutaLog +
     "\r\nHora inicio: 22:15:30\r\nHora fin:     23:48:02", "Actualizar impuestos", Botones::OK,
     Icono::Critico, "impuestos-fallidos"},
};

// The buttons' words a Spanish-speaking user's desktop shows, in alphabetical order, and
// the answer each gives.
struct Boton {
  const char* texto;
  ui::Respuesta respuesta;
};
std::vector<Boton> BotonesEsperados(Botones botones) {
  using ui::Respuesta;
  switch (botones) {
    case Botones::OK: return {{"Aceptar", Respuesta::OK}};
    case Botones::OKCancel: return {{"Aceptar", Respuesta::OK}, {"Cancelar", Respuesta::Cancel}};
    case Botones::RetryCancel:
      return {{"Cancelar", Respuesta::Cancel}, {"Reintentar", Respuesta::Retry}};
    case Botones::AbortRetryIgnore:
      return {{"Anular", Respuesta::Abort},
              {"Omitir", Respuesta::Ignore},
              {"Reintentar", Respuesta::Retry}};
    case Botones::YesNo: return {{"No", Respuesta::No}, {"Sí", Respuesta::Yes}};
  }
  return {};
}

// A button's words as shown, without the mark of its access key.
QString Palabras(const QAbstractButton& boton) { return QString(boton.text()).remove('&'); }

QStringList TextosDe(const std::vector<Boton>& botones) {
  QStringList textos;
  for (const Boton& boton : botones) textos << QString::fromUtf8(boton.texto);
  return textos;
}

// What a shown box measures, read while it is open.
struct Medida {
  QRect pantalla;               // the screen's available area
  QRect marco;                  // the box with the window manager's frame, on the screen
  QRect caja, texto;            // the box and its text label, in the box's coordinates
  bool parte = false;         // the label wraps its lines
  bool seleccionable = false;
  int anchoDeTitulo = 0;
  QSizeF escrito;             // the laid-out text of the label
  int renglonMasLargo = 0;    // the widest line of the text, unwrapped
  QStringList renglonesLargos;  // lines wider than the label
  QStringList botones;          // the buttons' words, in alphabetical order
};

Medida Mide(QMessageBox& caja) {
  Medida m;
  prueba::EsperaVentanasMostradas();
  caja.grab();  // lays the text out and paints it as the screen shows it
  m.pantalla = caja.screen()->availableGeometry();
  m.marco = caja.frameGeometry();
  m.caja = QRect(QPoint(0, 0), caja.size());
  m.anchoDeTitulo = QFontMetrics(caja.font()).horizontalAdvance(caja.windowTitle());
  for (const QAbstractButton* boton : caja.buttons())
    if (boton->isVisible()) m.botones << Palabras(*boton);
  m.botones.sort();
  auto* texto = caja.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!texto) return m;
  m.texto = texto->geometry();
  m.parte = texto->wordWrap();
  m.seleccionable = texto->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
  const QFontMetrics letras(texto->font());
  for (const QString& renglon : caja.text().split(QLatin1Char('\n'))) {
    const int ancho = letras.horizontalAdvance(renglon);
    m.renglonMasLargo = std::max(m.renglonMasLargo, ancho);
    if (ancho > texto->contentsRect().width()) m.renglonesLargos << renglon;
  }
  if (auto* escrito = texto->findChild<QTextDocument*>())
    m.escrito = QSizeF(escrito->idealWidth(), escrito->size().height());
  return m;
}

// Where the window that opens the boxes stands; with none, they open over the screen.
enum class Lugar { Ninguno, BordeIzquierdo, Centro, BordeDerecho };

const char* NombreDe(Lugar lugar) {
  switch (lugar) {
    case Lugar::Ninguno: return "no dialog";
    case Lugar::BordeIzquierdo: return "dialog at the left edge";
    case Lugar::Centro: return "dialog at the centre";
    case Lugar::BordeDerecho: return "dialog at the right edge";
  }
  return "";
}

// The window that opens the boxes: a modal dialog of the Gradix dialog's size (at most
// two thirds of a small screen's), centred on the screen from top to bottom and standing
// where `lugar` says from left to right.
class Abridor {
 public:
  explicit Abridor(Lugar lugar) {
    if (lugar == Lugar::Ninguno) return;
    const QRect area = dialogo_.screen()->availableGeometry();
    dialogo_.setFixedSize(std::min(842, area.width() * 2 / 3), std::min(446, area.height() * 2 / 3));
    dialogo_.setWindowModality(Qt::ApplicationModal);
    QRect marco(QPoint(), dialogo_.size());
    marco.moveCenter(area.center());
    if (lugar == Lugar::BordeIzquierdo) marco.moveLeft(area.left());
    if (lugar == Lugar::BordeDerecho) marco.moveRight(area.right());
    dialogo_.move(marco.topLeft());
    dialogo_.show();
    prueba::EsperaVentanasMostradas();
  }
  // What the boxes are centred over: the dialog with its frame, or the screen's available
  // area when there is no dialog.
  QRect Marco() const {
    return dialogo_.isVisible() ? dialogo_.frameGeometry()
                                : dialogo_.screen()->availableGeometry();
  }

 private:
  QDialog dialogo_;
};

std::string Texto(const QRect& r) {
  return std::to_string(r.width()) + "x" + std::to_string(r.height()) + " at (" +
         std::to_string(r.x()) + ", " + std::to_string(r.y()) + ")";
}

// The box's frame lies within the screen's available area and, along each axis, is
// centred over `sobre` where it fits; where it does not, it stands against the edge that
// it would cross.
void EsperaCentradaEnPantalla(const QRect& marco, const QRect& sobre, const QRect& area) {
  EXPECT_TRUE(area.contains(marco)) << Texto(marco) << " within " << Texto(area);
  QRect centrado = marco;
  centrado.moveCenter(sobre.center());
  if (centrado.left() < area.left()) EXPECT_EQ(marco.left(), area.left());
  else if (centrado.right() > area.right()) EXPECT_EQ(marco.right(), area.right());
  else EXPECT_EQ(marco.center().x(), sobre.center().x()) << Texto(marco) << " over " << Texto(sobre);
  if (centrado.top() < area.top()) EXPECT_EQ(marco.top(), area.top());
  else if (centrado.bottom() > area.bottom()) EXPECT_EQ(marco.bottom(), area.bottom());
  else EXPECT_EQ(marco.center().y(), sobre.center().y()) << Texto(marco) << " over " << Texto(sobre);
}

class CajasDeMensajeTest : public ::testing::Test {
 protected:
  CajasDeMensajeTest() { prueba::AplicacionQt(); }
  qtviews::ServiciosQt servicios_;
};

TEST_F(CajasDeMensajeTest, EveryBoxShowsItsWholeTextAndTitleOnTheScreenOverItsDialog) {
  std::cout << "box: width x height / text label width / widest line / lines wider than the label\n";
  for (const Lugar lugar :
       {Lugar::Ninguno, Lugar::BordeIzquierdo, Lugar::Centro, Lugar::BordeDerecho}) {
    const Abridor abridor(lugar);
    for (const Caso& caso : kCasos) {
      SCOPED_TRACE(std::string(caso.que) + ", " + NombreDe(lugar));
      Medida m;
      QString mostrado;
      prueba::AlAparecerCaja([&](QMessageBox& caja) {
        m = Mide(caja);
        mostrado = caja.text();
        if (caso.captura && lugar == Lugar::Centro) {
          EXPECT_TRUE(prueba::GuardaCaptura(caja, std::string("boxes-") + caso.captura + ".png"));
        }
        caja.buttons().first()->click();
      });
      ui::MsgBox(caso.texto, caso.botones, caso.icono, caso.titulo);
      if (lugar == Lugar::Centro)
        std::cout << caso.que << ": " << m.caja.width() << " x " << m.caja.height() << " / "
                  << m.texto.width() << " / " << m.renglonMasLargo << " / "
                  << m.renglonesLargos.size() << "\n";

      EXPECT_EQ(mostrado, qtviews::TextoParaMostrar(caso.texto));
      EXPECT_EQ(m.botones, TextosDe(BotonesEsperados(caso.botones)));
      EXPECT_TRUE(m.seleccionable);
      EXPECT_LE(m.caja.width(), m.pantalla.width());
      EXPECT_LE(m.caja.height(), m.pantalla.height());
      EXPECT_TRUE(m.caja.contains(m.texto)) << "the text lies inside the box";
      EXPECT_GE(m.caja.width(), m.anchoDeTitulo) << "room for the title";
      // A line wider than the label is wrapped inside it, and what the label lays out, lines
      // wrapped and all, fits its width and its height: nothing runs past an edge.
      EXPECT_TRUE(m.renglonesLargos.isEmpty() || m.parte) << m.renglonesLargos.first().toStdString();
      EXPECT_LE(m.escrito.width(), m.texto.width());
      EXPECT_LE(m.escrito.height(), m.texto.height());
      EsperaCentradaEnPantalla(m.marco, abridor.Marco(), m.pantalla);
    }
  }
}

// Each button of each kind of box gives the answer it gave with Qt's English words: the
// record import's Anular, Reintentar and Omitir stop, retry and skip as before.
TEST_F(CajasDeMensajeTest, EachSpanishButtonGivesItsAnswer) {
  for (const Botones botones : {Botones::OK, Botones::OKCancel, Botones::RetryCancel,
                                Botones::AbortRetryIgnore, Botones::YesNo}) {
    for (const Boton& esperado : BotonesEsperados(botones)) {
      SCOPED_TRACE(esperado.texto);
      bool pulsado = false;
      prueba::AlAparecerCaja([&](QMessageBox& caja) {
        for (QAbstractButton* boton : caja.buttons())
          if (Palabras(*boton) == QString::fromUtf8(esperado.texto)) {
            pulsado = true;
            boton->click();
            return;
          }
        caja.buttons().first()->click();
      });
      const ui::Respuesta respuesta = ui::MsgBox("¿Continuar?", botones, Icono::Ninguno, "Prueba");
      EXPECT_TRUE(pulsado);
      EXPECT_EQ(respuesta, esperado.respuesta);
    }
  }
}

// A box of a short text is as narrow as its text and title allow; a long one wraps at
// most of the screen's width, not at the width of a much shorter line.
TEST_F(CajasDeMensajeTest, ABoxIsAsWideAsItsLongestLineUpToMostOfTheScreen) {
  struct Ancho {
    int caja = 0, renglon = 0, pantalla = 0;
  };
  const auto anchoDe = [](const std::string& texto) {
    Ancho a;
    prueba::AlAparecerCaja([&](QMessageBox& caja) {
      const Medida m = Mide(caja);
      a = {m.caja.width(), m.renglonMasLargo, m.pantalla.width()};
      caja.accept();
    });
    ui::MsgBox(texto, Botones::OK, Icono::Informacion, "Información");
    return a;
  };
  const Ancho corto = anchoDe("La base de datos no existe...");
  EXPECT_LT(corto.caja, corto.renglon + 200) << "no wider than the line, its icon and margins";
  const Ancho largo = anchoDe(std::string(400, 'a') + " " + std::string(400, 'b'));
  EXPECT_GE(largo.caja, largo.pantalla * 8 / 10);
}

// The demo climb's widest box over the dialog against the screen's right edge, where half
// of it is wider than the room right of the dialog's centre: it opens whole against the
// edge, its button on the screen. boxes-al-borde-derecho.png shows the screen.
TEST_F(CajasDeMensajeTest, AWideBoxOverADialogAtTheRightEdgeOpensWholeAgainstTheEdge) {
  const Abridor abridor(Lugar::BordeDerecho);
  Medida m;
  std::vector<QRect> botones;
  prueba::AlAparecerCaja([&](QMessageBox& caja) {
    m = Mide(caja);
    for (const QAbstractButton* boton : caja.buttons())
      botones.emplace_back(boton->mapToGlobal(QPoint(0, 0)), boton->size());
    EXPECT_TRUE(prueba::GuardaCapturaDePantalla(caja, "boxes-al-borde-derecho.png"));
    caja.buttons().first()->click();
  });
  ui::MsgBox(kCodigosPorRecodificar, Botones::OK, Icono::Exclamacion, "Actualizador");

  ASSERT_GT(m.marco.width() / 2, m.pantalla.right() - abridor.Marco().center().x())
      << "the box does not fit centred over the dialog";
  EXPECT_EQ(m.marco.right(), m.pantalla.right()) << Texto(m.marco);
  EXPECT_TRUE(m.pantalla.contains(m.marco)) << Texto(m.marco);
  ASSERT_EQ(botones.size(), 1u);
  EXPECT_TRUE(m.pantalla.contains(botones.front())) << Texto(botones.front());
}

// A box that sizes itself again while it is open (here its text changes) stays whole on
// the screen, and where it still fits, it stays where the user moved it.
TEST_F(CajasDeMensajeTest, ABoxThatSizesItselfAgainStaysOnTheScreenWhereTheUserMovedIt) {
  const Abridor abridor(Lugar::Centro);
  struct Cambio {
    const char* que;
    std::string texto;
    bool alBorde;  // it grows past the screen's right edge from where the user put it
  };
  const Cambio cambios[] = {
      {"grows past the edge", kCodigosPorRecodificar, true},
      {"still fits", "La base de datos no existe.", false},
  };
  for (const Cambio& cambio : cambios) {
    SCOPED_TRACE(cambio.que);
    QRect puesto, marco, area;
    prueba::AlAparecerCaja([&](QMessageBox& caja) {
      prueba::EsperaVentanasMostradas();
      area = caja.screen()->availableGeometry();
      // The user drags the box near the screen's top right corner.
      caja.move(area.right() - caja.frameGeometry().width() - 40, area.top() + 10);
      puesto = caja.frameGeometry();
      // QMessageBox sizes itself its own way on a new text; the layout request is the one
      // that a change of font or style would bring.
      caja.setText(QString::fromStdString(cambio.texto));
      QCoreApplication::postEvent(&caja, new QEvent(QEvent::LayoutRequest));
      QApplication::processEvents();
      marco = caja.frameGeometry();
      caja.buttons().first()->click();
    });
    ui::MsgBox("La base de datos no existe...", Botones::OK, Icono::Informacion, "Base de dato");

    EXPECT_TRUE(area.contains(marco)) << Texto(marco);
    EXPECT_EQ(marco.top(), puesto.top());
    if (cambio.alBorde) {
      EXPECT_GT(marco.width(), puesto.width() + 40);
      EXPECT_EQ(marco.right(), area.right());
    } else {
      EXPECT_EQ(marco.topLeft(), puesto.topLeft()) << "where the user put it";
    }
  }
}

}  // namespace
