#include "steps/8x_9x/modVersion86.h"

#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ModificarEstructura86(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                           std::int16_t /*iVersionActual*/,
                           std::int16_t /*iVersionDestino*/) {
  RutinaNoConstruida("ModificarEstructura86");
}

void ModificarEstructura863(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                            std::int16_t /*iVersionActual*/,
                            std::int16_t /*iVersionDestino*/) {
  RutinaNoConstruida("ModificarEstructura863");
}

void modVersion86::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision86);
}
