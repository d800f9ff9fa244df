#pragma once
// Version 5.9 (recorded as 590). Each routine records version 590.
#include <cstdint>

#include "platform/ado/Ado.h"

// Changes PTO_MAR of tblCatArticulos and tblPrecios to a fixed-point type.
void ModificarEstructura59(ado::Connection& cnx, std::int16_t iManejador);

// Grants the menu option mnuCarFacServ to profile 0 and to the users of profiles 0 to 2.
void ActualizaCamposVersion59(ado::Connection& cnx);
