#pragma once
// Version 6.1 (recorded as 614).
#include <array>
#include <cstdint>

#include "platform/ado/Ado.h"
#include "steps/6x_7x/RellenaNulos.h"

// The card-approval and tip fills that 6.1 sends and 6.2 sends again.
extern const std::array<RellenoNulo, 6> kRellenosAprobacionesTC;

// Widens MAIL_CFD, repairs expiry dates and unit prices, removes card providers 2 and 3
// and every card promotion, ensures the HOST profile and user, and records version 614.
void ModificarEstructura61(ado::Connection& cnx, std::int16_t iManejador);
