#include "steps/6x_7x/modTiempoAire.h"

#include "steps/RutinaNoConstruida.h"

// Stand-ins until the routines of this module are built: each one raises the
// "not built" error, so a run never takes it for a routine that ran.

void ActualizaTiempoAire(ado::Connection& /*cnx*/, std::string /*sRutaImagenes*/,
                         std::int16_t /*iManejador*/, std::int16_t /*iVersionDestino*/) {
  RutinaNoConstruida("ActualizaTiempoAire");
}
