#pragma once
// Version 8.0 and 8.1, and the central-administrator fix-up of 8.0.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens five columns, fills the CFDI 3.3 keys, adds the unit ACT, creates the public-
// sales invoice article when it is missing, switches FE_VERSION to 33 from 2018 on and
// records version 800.
void ModificarEstructura80(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino);

// Repairs the tblAC_ tables (user columns, package dates and the default
// tblAC_DpDisparador row from 7.0 on) and fills IP_Dp and BD_Dp; records no version.
void ModificarEstructura80_AC(ado::Connection& cnx, std::int16_t iManejador,
                              std::int16_t iVersionActual);

// Widens PEDIMENTO, fills payment-complement columns, sets the CFDI tax keys, clears the
// loyalty tokens and records version 810. iVersionActual is not used.
void ModificarEstructura81(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual);
