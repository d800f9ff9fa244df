#pragma once
// The Qt application of a program: its name, the look of its dialogs and Qt's own texts
// (a text field's context menu and the like) in Spanish, and the run of the program
// under it.
#include <QString>

namespace qtviews {

// Names the application, gives it the dialogs' style and Qt's texts in Spanish. A
// QApplication must exist.
void PreparaAplicacion(const QString& nombre);

// Installs the Spanish translation of Qt's own texts from `carpeta` (Qt's translations
// folder when empty). False when it is not there: Qt then keeps its built-in texts.
bool TraduceQtAlEspanol(const QString& carpeta = {});

// Runs `programa` as the program `nombre`: the application, the message-box and form
// services, and a box for a failure that escapes it. Returns the process's exit code.
int EjecutaPrograma(int argc, char* argv[], const char* nombre, void (*programa)());

}  // namespace qtviews
