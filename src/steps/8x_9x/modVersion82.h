#pragma once
// Version 8.2 and its default-records check.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens PED_IMP, fills columns, gives payment forms 0 and 3 the key 99, clears CFDI_PAGO
// when the target (iDestino, the same value) is 820, runs its default-records check and
// records version 820.
void ModificarEstructura82(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino, std::int16_t iDestino);

namespace modVersion82 {
// The default-records check of this version (log label "ModificarEstructura82 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion82
