#include "steps/8x_9x/modVersion85.h"

#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ModificarEstructura85(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                           std::int16_t /*iVersionActual*/,
                           std::int16_t /*iVersionDestino*/) {
  RutinaNoConstruida("ModificarEstructura85");
}

void modVersion85::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision85);
}
