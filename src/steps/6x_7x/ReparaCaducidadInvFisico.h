#pragma once
// The expiry dates of physical-inventory lines: a line without one (Null, or on MySQL the
// zero date '0000-00-00') gets 1800-01-01, the date that stands for "no expiry".
#include <cstdint>

#include "steps/MarcoRutina.h"

// "UPDATE tblRenInvFisico SET FEC_CAD=<1800-01-01> WHERE (FEC_CAD IS NULL);" and, only when
// iManejador is 4 (MySQL), the same with " WHERE (FEC_CAD='0000-00-00');". The date is
// written "#1800/01/01#" for 2 (MS Access), "'1800-01-01'" otherwise. Each statement runs
// under the routine's current handler state.
void ReparaCaducidadInvFisico(Rutina& r, std::int16_t iManejador);
