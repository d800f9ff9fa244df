#pragma once
// Version 6.0 (recorded as 605) and the re-encoding of the air-time passwords.
#include <array>
#include <cstdint>

#include "platform/ado/Ado.h"
#include "steps/6x_7x/RellenaNulos.h"

// Widens address and password columns, drops the accounting-link tables, fills null batch
// numbers, dates and some thirty other columns, writes the company identifier and records
// version 605.
void ModificarEstructura60(ado::Connection& cnx, std::int16_t iManejador);

// Replaces every tblCajas.TA_PASSWORD of 1 to 10 characters by its encrypted form from the
// encryption component in the program's folder; records no version. It has no handler:
// any failure (component missing, refused result, failed UPDATE) leaves it, before the
// row concerned changes.
void EncriptaPasswordsTA(ado::Connection& cnx);

// The Null fills of the card-terminal and promotion columns of till movements, the card
// log and its work table, which 6.0 and 6.1 both send.
extern const std::array<RellenoNulo, 6> kRellenosTerminalesTC;
