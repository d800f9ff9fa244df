#pragma once
// Version 6.1 (recorded as 614).
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens MAIL_CFD, repairs expiry dates and unit prices, removes card providers 2 and 3
// and every card promotion, ensures the HOST profile and user, and records version 614.
void ModificarEstructura61(ado::Connection& cnx, std::int16_t iManejador);
