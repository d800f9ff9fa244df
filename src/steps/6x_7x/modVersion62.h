#pragma once
// Version 6.2.
#include <cstdint>

#include "platform/ado/Ado.h"
#include "steps/MarcoRutina.h"

// Empties tblProveedoresTC and seeds providers 1 and 3 with the columns of
// iVersionDestino (620: code and name; 630: also the site; later: also RESP_PROVTC),
// empties tblTcPromociones, fills null card and till columns, copies the cash concepts'
// codes into their empty CON_CEP, repairs the physical-inventory expiry dates and records
// version 620.
void ModificarEstructura62(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino);

// The cash concepts 'IEFE' and 'RCAJ' of tblAuxCaja whose CON_CEP is empty (not Null) take
// their own code as CON_CEP. One statement, under the routine's handler state; version 6.3
// sends it again.
void CopiaConceptosDeCaja(Rutina& r);
