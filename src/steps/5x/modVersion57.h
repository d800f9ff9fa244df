#pragma once
// Version 5.7.
#include <cstdint>

#include "platform/ado/Ado.h"

// Fills null payment and invoice columns, copies the air-time user and password into the
// empty second pair, sets the air-time service address, copies the branch code and records
// version 570.
void ActualizaCamposVersion57(ado::Connection& cnx, std::int16_t iManejador);
