#pragma once
// Version 9.4.
#include <cstdint>

#include "platform/ado/Ado.h"

// Fills columns, grants profile 0 permissions, recodes tblImpuestos.EN_IMPORTE, drops the
// accounting-link tables and records version 940.
void ModificarEstructura94(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);
