#pragma once
// Version 8.4 and its default-records check.
#include <cstdint>

#include "platform/ado/Ado.h"

// Changes CADENA_ORIGINAL to a long text (MEDIUMTEXT on MySQL), fills columns, runs its default-records check
// when iVersionActual is 840, and records version 840.
void ModificarEstructura84(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);

namespace modVersion84 {
// The default-records check of this version (log label "ModificarEstructura84 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion84
