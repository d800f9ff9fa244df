#include "platform/qt/ServiciosQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <utility>

#include "platform/qt/Aspecto.h"
#include "platform/qt/VistaFormulario.h"

namespace qtviews {

namespace {

// Room for the window frame's icon and buttons beside the title, and a little beside the
// longest line of the text.
constexpr int kMarcoDeTitulo = 140;
constexpr int kHolguraDeTexto = 8;

QMessageBox::StandardButtons BotonesDe(ui::Botones botones) {
  switch (botones) {
    case ui::Botones::OK: return QMessageBox::Ok;
    case ui::Botones::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::Botones::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case ui::Botones::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case ui::Botones::YesNo: return QMessageBox::Yes | QMessageBox::No;
  }
  return QMessageBox::Ok;
}

// The buttons' words as a Spanish-speaking user's desktop shows them; as there, every
// answer but Aceptar and Cancelar has an access key (Alt and the underlined letter).
QString TextoDeBoton(QMessageBox::StandardButton boton) {
  switch (boton) {
    case QMessageBox::Ok: return QStringLiteral("Aceptar");
    case QMessageBox::Cancel: return QStringLiteral("Cancelar");
    case QMessageBox::Retry: return QStringLiteral("&Reintentar");
    case QMessageBox::Ignore: return QStringLiteral("&Omitir");
    case QMessageBox::Abort: return QStringLiteral("&Anular");
    case QMessageBox::Yes: return QStringLiteral("&Sí");
    case QMessageBox::No: return QStringLiteral("&No");
    default: return {};
  }
}

QMessageBox::Icon IconoDe(ui::Icono icono) {
  switch (icono) {
    case ui::Icono::Ninguno: return QMessageBox::NoIcon;
    case ui::Icono::Informacion: return QMessageBox::Information;
    case ui::Icono::Exclamacion: return QMessageBox::Warning;
    case ui::Icono::Critico: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

ui::Respuesta RespuestaDe(int boton) {
  switch (boton) {
    case QMessageBox::Cancel: return ui::Respuesta::Cancel;
    case QMessageBox::Retry: return ui::Respuesta::Retry;
    case QMessageBox::Abort: return ui::Respuesta::Abort;
    case QMessageBox::Ignore: return ui::Respuesta::Ignore;
    case QMessageBox::Yes: return ui::Respuesta::Yes;
    case QMessageBox::No: return ui::Respuesta::No;
    default: return ui::Respuesta::OK;
  }
}

// A message box that shows its whole text and its title. Qt sizes a box for its text up
// to a fixed width and then wraps only between words: a path, a driver's message or a
// list of values with no blank in it runs past the edge and is cut, and the title, which
// the window manager draws, is not counted. This box is as wide as its longest line or its
// title, up to most of the screen's width; longer lines wrap between words, and a word
// longer than the box wraps where it reaches the edge. The box sizes itself when it shows,
// after Qt, and on every layout request while it is open, in Qt's stead: Qt would first
// give it Qt's size again, and the window manager would be asked for both sizes in turn.
//
// Qt centres a box over its window when it shows, at the size Qt gave it, before this box
// takes its own. So the box places itself once it has its size: centred over the window
// that opened it (over the screen when none did), moved just enough to lie whole within
// the screen's available area, before the window manager maps it. Sized again later, it
// keeps the place the user may have moved it to, unless that would cut it off the screen.
class CajaDeMensaje : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  bool event(QEvent* evento) override {
    if (evento->type() != QEvent::LayoutRequest || !isVisible()) return QMessageBox::event(evento);
    const bool atendido = QDialog::event(evento);  // past QMessageBox's sizing
    if (Ajusta()) Coloca(frameGeometry(), MargenesDelMarco(*this));
    return atendido;
  }

  void showEvent(QShowEvent* evento) override {
    QMessageBox::showEvent(evento);
    Ajusta();
    ColocaAlCentro();
  }

  // The label lays its text out afresh, between words only, after every resize: the
  // breaking inside long words is put back before it paints.
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::Paint)
      if (auto* texto = qobject_cast<QLabel*>(objeto)) ParteTambienPalabras(*texto);
    return QMessageBox::eventFilter(objeto, evento);
  }

 private:
  // The screen of the window that opened the box, or the box's own.
  QScreen* Pantalla() const { return parentWidget() ? parentWidget()->screen() : screen(); }

  // Before the box is mapped its frame is not known yet: the window manager is taken to
  // frame it as it framed the window that opened it.
  void ColocaAlCentro() {
    const QWidget* abridor = parentWidget();
    const QMargins margenes = abridor ? MargenesDelMarco(*abridor) : QMargins();
    QRect marco = QRect(QPoint(0, 0), size()).marginsAdded(margenes);
    marco.moveCenter(abridor ? abridor->frameGeometry().center()
                             : Pantalla()->availableGeometry().center());
    Coloca(marco, margenes);
  }

  // Places the box so that its frame, `marco` with the window manager's `margenes` around
  // the box, lies whole within the screen's available area, moved as little as it can be.
  void Coloca(QRect marco, const QMargins& margenes) {
    const QRect area = Pantalla()->availableGeometry();
    marco.moveLeft(std::max(area.left(), std::min(marco.left(), area.right() - marco.width() + 1)));
    marco.moveTop(std::max(area.top(), std::min(marco.top(), area.bottom() - marco.height() + 1)));
    const QPoint esquina = marco.topLeft() + QPoint(margenes.left(), margenes.top());
    if (esquina != geometry().topLeft()) setGeometry(QRect(esquina, size()));
  }

  // What the window manager's frame adds around a window on each side; none without one.
  static QMargins MargenesDelMarco(const QWidget& ventana) {
    const QRect dentro = ventana.geometry(), fuera = ventana.frameGeometry();
    return {dentro.left() - fuera.left(), dentro.top() - fuera.top(),
            fuera.right() - dentro.right(), fuera.bottom() - dentro.bottom()};
  }

  // Sizes the box for its text and title; true when the size differs from the last one.
  bool Ajusta() {
    auto* texto = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    QLayout* rejilla = layout();
    if (!texto || !rejilla) return false;
    const int limite = Pantalla()->availableGeometry().width() * 9 / 10;
    texto->setWordWrap(true);
    texto->installEventFilter(this);
    // The text column is as wide as the longest line, less what the box cannot spare.
    const QFontMetrics letras(texto->font());
    int renglon = 0;
    for (const QString& linea : text().split(QLatin1Char('\n')))
      renglon = std::max(renglon, letras.horizontalAdvance(linea));
    texto->setMinimumWidth(renglon + kHolguraDeTexto);
    const int exceso = rejilla->totalMinimumSize().width() - limite;
    if (exceso > 0) texto->setMinimumWidth(std::max(renglon + kHolguraDeTexto - exceso, 0));
    QFont fuenteDeTitulo = font();
    fuenteDeTitulo.setBold(true);
    const int titulo = QFontMetrics(fuenteDeTitulo).horizontalAdvance(windowTitle()) + kMarcoDeTitulo;
    const int ancho = std::min(std::max(rejilla->totalMinimumSize().width(), titulo), limite);
    // The heights: after the resizes above, which make the label wrap between words only.
    ParteTambienPalabras(*texto);
    rejilla->invalidate();
    const QSize tamano(ancho, rejilla->hasHeightForWidth() ? rejilla->totalHeightForWidth(ancho)
                                                           : rejilla->totalMinimumSize().height());
    setFixedSize(tamano);
    rejilla->activate();  // lays the text out at that size, even where the size is unchanged
    QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    return std::exchange(tamano_, tamano) != tamano;
  }

  // Wraps the label's text between words and, for a word longer than a line, inside it.
  static void ParteTambienPalabras(QLabel& texto) {
    texto.heightForWidth(texto.width());  // lets the label lay its text out first
    auto* documento = texto.findChild<QTextDocument*>();
    if (!documento) return;
    QTextOption opcion = documento->defaultTextOption();
    if (opcion.wrapMode() != QTextOption::WordWrap) return;
    opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    documento->setDefaultTextOption(opcion);
  }

  QSize tamano_;  // the size the box last gave itself
};

}  // namespace

ServiciosQt::ServiciosQt() {
  ui::Instala(this);
  ui::InstalaPresentador(this);
}

ServiciosQt::~ServiciosQt() {
  MousePointer(ui::Puntero::Default);
  ui::InstalaPresentador(nullptr);
  ui::Instala(nullptr);
}

ui::Respuesta ServiciosQt::MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                                  const std::string& titulo) {
  // A box without a title of its own carries the program's name.
  const QString encabezado = titulo.empty() ? QApplication::applicationDisplayName()
                                            : TextoParaMostrar(titulo);
  CajaDeMensaje caja(IconoDe(icono), encabezado, TextoParaMostrar(prompt), BotonesDe(botones),
                   QApplication::activeModalWidget());
  // What the forms hold now shows behind the box: a progress line cleared just before it
  // must not stand under it while the box waits.
  VistaFormulario::SincronizaAbiertas();
  caja.setTextFormat(Qt::PlainText);
  // The text can be selected and copied (an error to report, a log's path).
  caja.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  for (QAbstractButton* boton : caja.buttons())
    boton->setText(TextoDeBoton(caja.standardButton(boton)));
  if (botones == ui::Botones::RetryCancel) caja.setEscapeButton(QMessageBox::Cancel);
  return RespuestaDe(caja.exec());
}

void ServiciosQt::MousePointer(ui::Puntero puntero) {
  if (puntero == puntero_) return;
  if (puntero == ui::Puntero::Hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
  puntero_ = puntero;
}

void ServiciosQt::DoEvents() {
  VistaFormulario::SincronizaAbiertas();
  QApplication::processEvents();
}

void ServiciosQt::MuestraModal(ui::Formulario& formulario) {
  VistaFormulario vista(formulario, QApplication::activeModalWidget());
  vista.exec();
}

}  // namespace qtviews
