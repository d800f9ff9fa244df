#pragma once
// Version 7.3.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens the interior-number columns, marks returns and the batch-expiry setting by
// whether iVersionActual is below 730, fills columns and records version 730.
void ModificarEstructura73(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual);
