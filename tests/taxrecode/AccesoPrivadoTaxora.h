#pragma once
// Tests reach Taxora's dialog's private members through this one definition of the
// friend that the dialog declares.
#include <cstdint>

#include "taxrecode/frmActIngreso.h"

namespace taxora {
struct AccesoPrivadoTaxora {
  static std::int16_t& mVersionEstructura(frmActIngreso& f) { return f.mVersionEstructura; }
};
}  // namespace taxora
