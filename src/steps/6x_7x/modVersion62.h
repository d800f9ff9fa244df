#pragma once
// Version 6.2.
#include <cstdint>

#include "platform/ado/Ado.h"

// Rebuilds the card providers 1 and 3 with the column set of iVersionDestino, empties
// tblTcPromociones, fills null columns and records version 620.
void ModificarEstructura62(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino);
