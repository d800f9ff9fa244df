// The Jet provider's entry in ADO's provider table, made when the program starts. The
// build makes every program that links this layer keep this file (see the linker option
// that names kJetRegistrado in src/CMakeLists.txt), so no caller has to refer to it.
#include "platform/ado/Provider.h"
#include "platform/jet/JetProvider.h"

extern "C" {
extern const bool kJetRegistrado;
const bool kJetRegistrado = (ado::RegistraProveedor("Microsoft.Jet.OLEDB", &jet::OpenSession), true);
}
