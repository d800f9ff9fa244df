#pragma once
// What the ladder's tests share: the dialog with the doubles' journal bound to its
// repaints, a recording database reached as "DSN=Tienda", scripted message boxes and a
// run log in a folder of the test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "ladder/DoblesDeRutinas.h"
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"
#include "updater/AccesoPrivadoFrmActIngreso.h"
#include "updater/frmActIngreso.h"

namespace prueba {

using Acceso = AccesoPrivadoFrmActIngreso;
namespace dobles = prueba::dobles;

inline constexpr const char* kCadena = "DSN=Tienda";
inline constexpr const char* kRaizImagenes = "C:\\Suite";

class EscaleraDePrueba : public ::testing::Test {
 protected:
  EscaleraDePrueba();
  ~EscaleraDePrueba() override;

  // The step of rung V, on MySQL unless told.
  bool Paso(std::int16_t V, std::int16_t iVersionActual, std::int16_t iVersionDestino = 952,
            std::int16_t iManejador = ManejadorMySQL);
  // The dispatcher with the boxes as the dialog has them.
  bool Escalera(std::int16_t iVersionActual, std::int16_t iVersionDestino = 952,
                std::int16_t iManejador = ManejadorMySQL);
  bool Satelite(std::uint8_t iEstructura, std::int16_t iVersionActual,
                std::int16_t iVersionDestino = 952, std::int16_t iManejador = ManejadorMySQL);
  // Ticks exactly the boxes given.
  void Marca(std::initializer_list<int> cajas);

  // The tables that the table checks of steps 8.0 and 8.9 find (call once per test).
  void TablasDeLaBase(const std::vector<std::string>& tablas);

  // The journal without captions and synchronisations: the routines called.
  static std::vector<std::string> Rutinas();
  // The versions of the steps taken, from their opening captions.
  static std::vector<std::string> PasosTomados();
  // The synchronisation entries of the journal.
  static std::vector<std::string> Sincronizaciones() {
    return dobles::Entradas("CrearBaseDeDatos");
  }

  std::string RunLog() const;  // empty when the file does not exist
  static std::string EntradaDeLog(const std::string& etiqueta, long numero,
                                  const std::string& descripcion);

  ScriptedUi ui_;
  RecordingProvider db_;
  CarpetaTemporal carpeta_;
  frmActIngreso dialogo;

 private:
  std::string rutaLogAnterior_;
};

}  // namespace prueba
