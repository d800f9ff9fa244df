#pragma once
// Versions 8.6 and 8.6.3, and the default-records check of 8.6.
#include <cstdint>

#include "platform/ado/Ado.h"

// Changes tblFEPendientes.LISTAEMAIL to a text type, runs its default-records check when
// iVersionActual is 860, fills ID_CTAPAGO and records version 860.
void ModificarEstructura86(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);

// Changes tblCierres.XML_CIERRE to a long text type, sets FE_ACTIEPS and records version
// 863. The versions are not used.
void ModificarEstructura863(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino);

namespace modVersion86 {
// The default-records check of this version (log label "ModificarEstructura86 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion86
