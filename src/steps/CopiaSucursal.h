#pragma once
// The branch code of till movements and cash cuts, filled in by more than one version.
#include <cstdint>

#include "steps/MarcoRutina.h"

// Rows of tblAuxCaja and tblCortes without a branch code (Null or empty) get the branch of
// the general parameters' first row, or the empty text when it has none. Every statement
// runs under the routine's handler state: the lookup, then one UPDATE per table.
void CopiaSucursal(Rutina& r, std::int16_t iManejador);
