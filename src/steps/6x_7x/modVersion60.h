#pragma once
// Version 6.0 (recorded as 605) and the re-encoding of the air-time passwords.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens address and password columns, drops the accounting-link tables, fills null batch
// numbers, dates and some thirty other columns, writes the company identifier and records
// version 605.
void ModificarEstructura60(ado::Connection& cnx, std::int16_t iManejador);

// Replaces every tblCajas.TA_PASSWORD of 1 to 10 characters by its encrypted form from the
// outside encryption component; records no version.
void EncriptaPasswordsTA(ado::Connection& cnx);
