#pragma once
// The air-time catalogue, rebuilt by many ladder steps from a catalogue fixed in the
// program.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"

// Empties tblEmpresasTA and inserts the nine carriers with their pictures under
// sRutaImagenes, then rebuilds the amounts of tblMontosTA and the air-time articles.
// Records no version; has no error handler, so a failure reaches the caller.
void ActualizaTiempoAire(ado::Connection& cnx, std::string sRutaImagenes,
                         std::int16_t iManejador, std::int16_t iVersionDestino);
