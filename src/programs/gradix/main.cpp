// Gradix: the structure updater. The program is its update dialog: Main records the
// program's folder and shows the dialog modally; the program ends when it closes.
#include "frame/modPrincipal.h"
#include "platform/qt/Aplicacion.h"
#include "updater/frmActIngreso.h"

void MuestraDialogoPrincipal() {
  frmActIngreso dialogo;
  dialogo.Show(ui::vbModal);
}

int main(int argc, char* argv[]) { return qtviews::EjecutaPrograma(argc, argv, "Gradix", Main); }
