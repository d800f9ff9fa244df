#pragma once
// Tests reach the update dialog's fields and private members through this one
// definition of the friend that the dialog declares. Add members here as tests need them.
#include <cstdint>
#include <string>

#include "updater/frmActIngreso.h"

struct AccesoPrivadoFrmActIngreso {
  static std::int16_t& mVersionEstructura(frmActIngreso& f) { return f.mVersionEstructura; }
  static std::string& mNombreBaseDatos(frmActIngreso& f) { return f.mNombreBaseDatos; }
  static bool& mAvisoImpuestos(frmActIngreso& f) { return f.mAvisoImpuestos; }
  static bool& mAgregaDefault(frmActIngreso& f) { return f.mAgregaDefault; }
};
