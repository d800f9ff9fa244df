#pragma once
// Version 8.3 and its default-records check.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens MAIL_CLI, seeds the loyalty-points parameters, fills columns, runs its default-
// records check when iVersionActual is 830, and records version 830.
void ModificarEstructura83(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);

namespace modVersion83 {
// The default-records check of this version (log label "ModificarEstructura83 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion83
