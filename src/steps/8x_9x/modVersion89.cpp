#include "steps/8x_9x/modVersion89.h"

#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ModificarEstructura89(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                           std::int16_t /*iVersionActual*/,
                           std::int16_t /*iVersionDestino*/, bool /*bCodigoBarra*/,
                           const std::string& /*sRutaIni*/) {
  RutinaNoConstruida("ModificarEstructura89");
}

void ModificarEstructura894(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                            std::int16_t /*iVersionActual*/,
                            std::int16_t /*iVersionDestino*/) {
  RutinaNoConstruida("ModificarEstructura894");
}

void ModificarEstructura89_AC(ado::Connection& /*cnx*/, std::int16_t /*iManejador*/,
                              std::int16_t /*iVersionActual*/) {
  RutinaNoConstruida("ModificarEstructura89_AC");
}

void modVersion89::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision89);
}
