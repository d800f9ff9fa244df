#pragma once
// Version 7.1 (run by ladder steps 7.2 and 7.3).
#include <cstdint>

#include "platform/ado/Ado.h"

// Fills TOTAL_NV, repairs expiry dates, adds the electronic-services provider and records
// version 710.
void ModificarEstructura71(ado::Connection& cnx, std::int16_t iManejador);
