#pragma once
// The electronic-services provider and the provider code of the general parameters,
// settled in the same way by every version from 7.0 to 7.4.
#include "steps/MarcoRutina.h"

// Adds electronic-services provider 1 ('Multicom®') when missing, fills a Null
// PSE_CODPROV with 0 and, when the first parameters row has CNX_PSE "PSE_DEFINIDO"
// (exact letter case) and PSE_CODPROV 0, sets PSE_CODPROV to 1 in every row. Every
// statement runs under the routine's handler state. The provider code is set only when
// that row was really read and matched: a row that cannot be read or tested leaves the
// parameters as they are.
void AseguraServiciosElectronicos(Rutina& r);
