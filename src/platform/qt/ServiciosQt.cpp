#include "platform/qt/ServiciosQt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

#include "platform/qt/Aspecto.h"
#include "platform/qt/VistaFormulario.h"

namespace qtviews {

namespace {

// Room for the window frame's icon and buttons beside the title, and a little beside the
// longest word of the text.
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

// A message box sizes itself by its text alone, so a long title is cut off and a word longer
// than its lines (a path) breaks in the middle. The text is given room for its longest word
// and the box for its title, up to most of the screen's width; prose still wraps between
// words.
void EnsanchaParaTituloYLineas(QMessageBox& caja) {
  const QFontMetrics letras(caja.font());
  const int limite = caja.screen() ? caja.screen()->availableGeometry().width() * 9 / 10 : 1000;
  int palabraMasLarga = 0;
  for (const QString& palabra : caja.text().split(QRegularExpression("\\s+")))
    palabraMasLarga = std::max(palabraMasLarga, letras.horizontalAdvance(palabra));
  if (auto* texto = caja.findChild<QLabel*>("qt_msgbox_label"))
    texto->setMinimumWidth(std::min(palabraMasLarga + kHolguraDeTexto, limite));
  auto* rejilla = qobject_cast<QGridLayout*>(caja.layout());
  const int titulo = letras.horizontalAdvance(caja.windowTitle()) + kMarcoDeTitulo;
  if (rejilla)
    rejilla->addItem(new QSpacerItem(std::min(titulo, limite), 0, QSizePolicy::Minimum,
                                     QSizePolicy::Fixed),
                     rejilla->rowCount(), 0, 1, rejilla->columnCount());
}

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
  QMessageBox caja(IconoDe(icono), encabezado, TextoParaMostrar(prompt), BotonesDe(botones),
                   QApplication::activeModalWidget());
  caja.setTextFormat(Qt::PlainText);
  // The text can be selected and copied (an error to report, a log's path).
  caja.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  if (botones == ui::Botones::RetryCancel) caja.setEscapeButton(QMessageBox::Cancel);
  EnsanchaParaTituloYLineas(caja);
  return RespuestaDe(caja.exec());
}

void ServiciosQt::MousePointer(ui::Puntero puntero) {
  if (puntero == puntero_) return;
  if (puntero == ui::Puntero::Hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
  puntero_ = puntero;
}

void ServiciosQt::DoEvents() {
  for (VistaFormulario* vista : VistaFormulario::Abiertas()) vista->Sincroniza();
  QApplication::processEvents();
}

void ServiciosQt::MuestraModal(ui::Formulario& formulario) {
  VistaFormulario vista(formulario, QApplication::activeModalWidget());
  vista.exec();
}

}  // namespace qtviews
