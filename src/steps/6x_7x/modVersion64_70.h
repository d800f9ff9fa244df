#pragma once
// Version 7.0 and the central-administrator fix-ups of a database found at 5.0.
#include <cstdint>

#include "platform/ado/Ado.h"

// Adds card provider 2 and its promotions, widens DES1_PAQ, adds the electronic-services
// and electronic-money providers, fills columns and records version 700.
void ModificarEstructura70(ado::Connection& cnx, std::int16_t iManejador);

// Repairs the tblAC_ tables of a central-administrator database at 5.0; records no version
// and lets no failure out.
void ModificarEstructura70_AC(ado::Connection& cnx, std::int16_t iManejador);
