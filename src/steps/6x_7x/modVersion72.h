#pragma once
// Version 7.2.
#include <cstdint>

#include "platform/ado/Ado.h"

// Adds the missing card providers 1 to 4, repairs expiry dates, adds the electronic-
// services provider and records version 720.
void ModificarEstructura72(ado::Connection& cnx, std::int16_t iManejador);
