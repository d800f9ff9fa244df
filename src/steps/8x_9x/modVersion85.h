#pragma once
// Version 8.5 and its default-records check.
#include <cstdint>

#include "platform/ado/Ado.h"

// Writes the currency abbreviation into the electronic invoices, fills columns, grants
// mnuSisCierre, runs its default-records check when iVersionActual is 850, and records
// version 850.
void ModificarEstructura85(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);

namespace modVersion85 {
// The default-records check of this version (log label "ModificarEstructura85 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion85
