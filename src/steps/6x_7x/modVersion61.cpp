#include "steps/6x_7x/modVersion61.h"

#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ModificarEstructura61(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/) {
  RutinaNoConstruida("ModificarEstructura61");
}
