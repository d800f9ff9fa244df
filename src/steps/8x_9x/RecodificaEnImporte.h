#pragma once
// The recoding of tblImpuestos.EN_IMPORTE that versions 9.4 and 9.5 send, in this order:
// the old codes 1, 2 and 3 become 0, 1 and 9, and exempt taxes (type 0) take 9. The local
// tax (type 3) keeps 1. A second pass turns the 1s of types 1, 2 and 4 into 0 as well;
// from then on further passes change nothing.
#include <array>

inline constexpr std::array<const char*, 3> kRecodificaEnImporte = {
    "UPDATE tblImpuestos SET EN_IMPORTE=9 WHERE (TIPO_IMP=0) OR (EN_IMPORTE=3);",
    "UPDATE tblImpuestos SET EN_IMPORTE=0 WHERE (TIPO_IMP IN (1,2,4)) AND (EN_IMPORTE=1);",
    "UPDATE tblImpuestos SET EN_IMPORTE=1 WHERE EN_IMPORTE=2;",
};
