#include "steps/8x_9x/modVersion91.h"

#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ModificarEstructura91(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                           std::int16_t /*iVersionActual*/,
                           std::int16_t /*iVersionDestino*/, ui::Label& /*lblMensaje*/) {
  RutinaNoConstruida("ModificarEstructura91");
}
