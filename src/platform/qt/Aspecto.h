#pragma once
// How the forms' design turns into Qt: twips to pixels, the forms' colour values, the
// forms' font (Carlito stands in where Calibri is missing, with the same metrics), the
// pictures of the picture buttons, and texts with CR/CRLF line breaks.
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>
#include <string>

#include "platform/ui/Control.h"

namespace qtviews {

int Pixeles(long twips);
QColor ColorDe(ui::Color color);  // &H00BBGGRR
QFont FuenteDeFormulario(const std::string& nombre, double puntos);
// The picture of a picture button by its name in the form's design.
QIcon ImagenDe(const std::string& picture);
// A text of the forms as the screen shows it: CR LF and lone CR become line breaks.
QString TextoParaMostrar(const std::string& texto);

}  // namespace qtviews
