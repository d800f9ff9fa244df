#pragma once
// Version 9.2.
#include <cstdint>

#include "platform/ado/Ado.h"

// Changes unit key KIT to KT, fills columns, rearranges the card providers, creates or
// refreshes the service-charge article and records version 920.
void ModificarEstructura92(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);
