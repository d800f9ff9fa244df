#pragma once
// Version 5.5. Each routine records version 550.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens FE_CONTRASENA to 255 characters, drops three tblEmpresa columns, fills MUN_CID
// and resets FE_PAC.
void ModificarEstructura55(ado::Connection& cnx, std::int16_t iManejador);

// Clears the modifier marks of packages that are themselves used as modifiers.
void ActualizaCamposVersion55(ado::Connection& cnx);
