#include "steps/8x_9x/modVersion82.h"

#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ModificarEstructura82(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                           std::int16_t /*iVersionDestino*/, std::int16_t /*iDestino*/) {
  RutinaNoConstruida("ModificarEstructura82");
}

void modVersion82::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision82);
}
