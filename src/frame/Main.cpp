// Start-up lives apart from the rest of the frame so that programs and tests that use the
// shared routines do not have to provide a dialog.
#include "frame/modPrincipal.h"
#include "platform/win/Sistema.h"

void Main() {
  gRutaApp = win::CarpetaDelPrograma();
  MuestraDialogoPrincipal();
}
