// Taxora: the purchase-tax code recoder. The program is its dialog: Main records the
// program's folder and shows the dialog modally; the program ends when it closes.
#include <QApplication>
#include <QMessageBox>

#include "frame/modPrincipal.h"
#include "platform/qt/ServiciosQt.h"
#include "taxrecode/frmActIngreso.h"

void MuestraDialogoPrincipal() {
  taxora::frmActIngreso dialogo;
  dialogo.Show(ui::vbModal);
}

int main(int argc, char* argv[]) {
  QApplication aplicacion(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Taxora"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  qtviews::ServiciosQt servicios;
  try {
    Main();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QStringLiteral("Taxora"), QString::fromStdString(error.what()));
    return 1;
  }
  return 0;
}
