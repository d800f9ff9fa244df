#pragma once
// Version 8.8 and its default-records check.
#include <cstdint>

#include "platform/ado/Ado.h"

// Changes two tblSveTransacciones date columns to DATETIME, fills invoice folios of charge
// documents, runs its default-records check when iVersionActual is 880, and records
// version 880.
void ModificarEstructura88(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);

namespace modVersion88 {
// The default-records check of this version (log label "ModificarEstructura88 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion88
