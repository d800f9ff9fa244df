#pragma once
// Version 6.3.
#include <cstdint>

#include "platform/ado/Ado.h"

// Copies concept codes into CON_CEP, adds card provider 4 when missing, fills null columns
// and records version 630.
void ModificarEstructura63(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino);
