// Taxora: the purchase-tax code recoder. The program is its dialog: Main records the
// program's folder and shows the dialog modally; the program ends when it closes.
#include "frame/modPrincipal.h"
#include "platform/qt/Aplicacion.h"
#include "taxrecode/frmActIngreso.h"

void MuestraDialogoPrincipal() {
  taxora::frmActIngreso dialogo;
  dialogo.Show(ui::vbModal);
}

int main(int argc, char* argv[]) { return qtviews::EjecutaPrograma(argc, argv, "Taxora", Main); }
