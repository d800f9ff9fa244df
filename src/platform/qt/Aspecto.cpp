#include "platform/qt/Aspecto.h"

#include <QApplication>
#include <QStyle>
#include <cmath>
#include <map>

namespace qtviews {

int Pixeles(long twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / ui::kTwipsPorPixel));
}

QColor ColorDe(ui::Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QFont FuenteDeFormulario(const std::string& nombre, double puntos) {
  static const bool sustituida = [] {
    QFont::insertSubstitution("Calibri", "Carlito");
    return true;
  }();
  (void)sustituida;
  QFont fuente(QString::fromStdString(nombre));
  fuente.setPointSizeF(puntos);
  return fuente;
}

QIcon ImagenDe(const std::string& picture) {
  static const std::map<std::string, QStyle::StandardPixmap> imagenes = {
      {"actualizar", QStyle::SP_BrowserReload},
      {"salir", QStyle::SP_DialogCloseButton},
      {"buscar", QStyle::SP_FileDialogContentsView},
      {"carpeta", QStyle::SP_DirOpenIcon}};
  const auto encontrada = imagenes.find(picture);
  if (encontrada == imagenes.end()) return {};
  return QApplication::style()->standardIcon(encontrada->second);
}

QString TextoParaMostrar(const std::string& texto) {
  QString mostrado = QString::fromStdString(texto);
  mostrado.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  mostrado.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return mostrado;
}

}  // namespace qtviews
