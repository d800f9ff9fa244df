#include "platform/qt/Aplicacion.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "platform/qt/ServiciosQt.h"

namespace qtviews {

void PreparaAplicacion(const QString& nombre) {
  QApplication::setApplicationName(nombre);
  QApplication::setStyle(QStringLiteral("Fusion"));
  TraduceQtAlEspanol();
}

bool TraduceQtAlEspanol(const QString& carpeta) {
  auto* traduccion = new QTranslator(QCoreApplication::instance());
  const QString donde =
      carpeta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : carpeta;
  // Mexican Spanish where there is such a file, the Spanish one otherwise.
  if (traduccion->load(QLocale(QLocale::Spanish, QLocale::Mexico), QStringLiteral("qtbase"),
                       QStringLiteral("_"), donde) &&
      QCoreApplication::installTranslator(traduccion))
    return true;
  delete traduccion;
  return false;
}

int EjecutaPrograma(int argc, char* argv[], const char* nombre, void (*programa)()) {
  QApplication aplicacion(argc, argv);
  PreparaAplicacion(QString::fromUtf8(nombre));
  ServiciosQt servicios;
  try {
    programa();
  } catch (const std::exception& error) {
    ui::MsgBox(error.what(), ui::Botones::OK, ui::Icono::Critico, nombre);
    return 1;
  }
  return 0;
}

}  // namespace qtviews
