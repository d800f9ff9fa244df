#pragma once
// Version 9.0.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens MED_RECETA, fills columns, grants profile 0 three purchase permissions, sets the
// till scheme and the web-invoicing endpoint, and records version 900.
void ModificarEstructura90(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);
