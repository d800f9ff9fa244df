#include "platform/qt/ServiciosQt.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/Aspecto.h"
#include "platform/qt/VistaFormulario.h"

namespace qtviews {

namespace {

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
  for (VistaFormulario* vista : VistaFormulario::Abiertas()) vista->Sincroniza();
  QApplication::processEvents();
}

void ServiciosQt::MuestraModal(ui::Formulario& formulario) {
  VistaFormulario vista(formulario, QApplication::activeModalWidget());
  vista.exec();
}

}  // namespace qtviews
