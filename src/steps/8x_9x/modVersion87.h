#pragma once
// Version 8.7 and its default-records check.
#include <cstdint>

#include "platform/ado/Ado.h"

// Fills CON_AJUSTE, runs its default-records check when iVersionActual is 870, and records
// version 870.
void ModificarEstructura87(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);

namespace modVersion87 {
// The default-records check of this version (log label "ModificarEstructura87 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion87
