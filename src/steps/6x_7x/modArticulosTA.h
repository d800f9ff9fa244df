#pragma once
// The service articles that sell the air-time amounts at the point of sale.
#include <cstdint>

#include "platform/ado/Ado.h"

// When air time is enabled (tblParametrosGenerales.TA_ACT), makes every amount of
// tblMontosTA an article of tblCatArticulos whose code is the amount's key, with one
// group row, one 'PZA' unit row and one list-1 price row; the columns written grow with
// iVersionDestino. Every failure is cleared silently: nothing reaches the caller and
// nothing is written to the run log.
void ActualizaArticulosTA(ado::Connection& cnx, std::int16_t iManejador,
                          std::int16_t iVersionDestino);
