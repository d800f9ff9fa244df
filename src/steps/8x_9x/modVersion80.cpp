#include "steps/8x_9x/modVersion80.h"

#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ModificarEstructura80(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                           std::int16_t /*iVersionDestino*/) {
  RutinaNoConstruida("ModificarEstructura80");
}

void ModificarEstructura81(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                           std::int16_t /*iVersionActual*/) {
  RutinaNoConstruida("ModificarEstructura81");
}
