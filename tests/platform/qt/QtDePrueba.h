#pragma once
// Qt for tests: one application per test program, prepared as the programs prepare theirs
// (offscreen unless a display is set), an answerer for the message boxes that a step under
// test opens, and screenshots into the build folder.
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <string>

#include "platform/qt/Aplicacion.h"

namespace prueba {

inline QApplication& AplicacionQt() {
  static int argc = 1;
  static char nombre[] = "gradix-tests";
  static char* argv[] = {nombre, nullptr};
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: Qt's own globals may be gone by the time statics are torn down.
  static QApplication* aplicacion = new QApplication(argc, argv);
  static const bool preparada = [] {
    qtviews::PreparaAplicacion(QStringLiteral("Gradix"));
    return true;
  }();
  (void)preparada;
  return *aplicacion;
}

// The next message box that opens is handed to `responde` (which must close it), from
// inside the box's own event loop.
inline void AlAparecerCaja(std::function<void(QMessageBox&)> responde) {
  auto* vigia = new QTimer(&AplicacionQt());
  vigia->setInterval(0);
  QObject::connect(vigia, &QTimer::timeout, vigia, [vigia, responde = std::move(responde)] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!caja) return;
    vigia->stop();
    vigia->deleteLater();
    responde(*caja);
  });
  vigia->start();
}

inline QString RutaDeCaptura(const std::string& nombre) {
  return QString::fromStdString(std::string(GRADIX_TEST_BUILD_DIR) + "/" + nombre);
}

// Saves what `widget` shows as GRADIX_TEST_BUILD_DIR/nombre; true when written.
inline bool GuardaCaptura(QWidget& widget, const std::string& nombre) {
  return widget.grab().save(RutaDeCaptura(nombre));
}

// Runs Qt's events until every window shown is mapped and exposed on the screen, for two
// seconds at most.
inline void EsperaVentanasMostradas() {
  const auto mostradas = [] {
    for (const QWidget* ventana : QApplication::topLevelWidgets())
      if (ventana->isVisible() && !ventana->windowHandle()->isExposed()) return false;
    return true;
  };
  const QDeadlineTimer limite(2000);
  QTimer::singleShot(2000, [] {});  // wakes the wait below at the limit
  while (!mostradas() && !limite.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Saves the whole screen that `widget` stands on, every window on it, the same way.
inline bool GuardaCapturaDePantalla(QWidget& widget, const std::string& nombre) {
  EsperaVentanasMostradas();
  return widget.screen()->grabWindow(0).save(RutaDeCaptura(nombre));
}

}  // namespace prueba
