#pragma once
// Version 7.0 and the central-administrator fix-ups of a database found at 5.0.
#include <cstdint>

#include "platform/ado/Ado.h"

// Adds card provider 2 and its promotions, widens DES1_PAQ, adds the electronic-services
// and electronic-money providers, fills columns and records version 700.
void ModificarEstructura70(ado::Connection& cnx, std::int16_t iManejador);

// Repairs the tblAC_ tables of a central-administrator database at 5.0: widens the user
// ids and the password, dates the undated packages from their names (a name that is Null
// or too short to hold a date leaves its package undated), fills Null package and branch
// settings, makes sure the trigger table has its settings and resets the service account.
// Records no version; every failure is skipped without a log entry, so none leaves.
void ModificarEstructura70_AC(ado::Connection& cnx, std::int16_t iManejador);
