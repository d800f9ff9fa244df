#pragma once
// Tests reach the update dialog's fields and private members through this one
// definition of the friend that the dialog declares. Add members here as tests need them.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "updater/frmActIngreso.h"

struct AccesoPrivadoFrmActIngreso {
  static std::int16_t& mVersionEstructura(frmActIngreso& f) { return f.mVersionEstructura; }
  static std::string& mNombreBaseDatos(frmActIngreso& f) { return f.mNombreBaseDatos; }
  static bool& mAvisoImpuestos(frmActIngreso& f) { return f.mAvisoImpuestos; }
  static bool& mAgregaDefault(frmActIngreso& f) { return f.mAgregaDefault; }

  // The ladder, its steps and the satellite update.
  static bool ActualizaVersiones(frmActIngreso& f, std::int16_t iVersionDestino,
                                 std::int16_t iVersionActual, const std::string& sCadenaConexion,
                                 std::int16_t iManejador) {
    return f.ActualizaVersiones(iVersionDestino, iVersionActual, sCadenaConexion, iManejador);
  }
  static bool ActualizaBD(frmActIngreso& f, std::uint8_t iEstructuraBaseDeDatos,
                          const std::string& sCadenaConexion, std::int16_t iVersionActual,
                          std::int16_t iVersionDestino, std::int16_t iManejador) {
    return f.ActualizaBD(iEstructuraBaseDeDatos, sCadenaConexion, iVersionActual, iVersionDestino,
                         iManejador);
  }
  // The versions of the ladder's rungs, in order.
  static std::vector<std::int16_t> Peldanos() {
    std::vector<std::int16_t> peldanos;
    for (const auto& peldano : frmActIngreso::kEscalera) peldanos.push_back(peldano.V);
    return peldanos;
  }
  // The step of the rung whose version is V.
  static bool Paso(frmActIngreso& f, std::int16_t V, const std::string& sCadenaConexion,
                   std::int16_t iVersionActual, std::int16_t iVersionDestino,
                   std::int16_t iManejador) {
    for (const auto& peldano : frmActIngreso::kEscalera)
      if (peldano.V == V)
        return (f.*peldano.Actualiza)(sCadenaConexion, iVersionActual, iVersionDestino, iManejador);
    throw std::invalid_argument("no rung " + std::to_string(V));
  }
};
