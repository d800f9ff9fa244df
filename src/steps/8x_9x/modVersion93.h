#pragma once
// Version 9.3.
#include <cstdint>

#include "platform/ado/Ado.h"

// Drops tblPedidosRest, fills tblEncPedidosRest columns and records version 930.
void ModificarEstructura93(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);
