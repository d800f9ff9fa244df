#pragma once
// Version 7.4.
#include <cstdint>

#include "platform/ado/Ado.h"

// Fills notice, cyclic-count, delivery and web-page columns, repairs ULTIMO_CICLICO,
// grants mnuAlmFisCont and records version 740. iVersionActual is not used.
void ModificarEstructura74(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual);
