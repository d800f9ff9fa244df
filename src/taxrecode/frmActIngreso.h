#pragma once
// Taxora's dialog: the engine and its connection (shared with the structure updater,
// conexion/DialogoDeConexion.h), an update button that recodes the tax codes of the
// purchase-document lines and an exit button. The recode run is a group of private
// members in a source file of its own (ActualizarImpuestos.cpp).
#include <string>

#include "conexion/DialogoDeConexion.h"

namespace taxora {

class frmActIngreso : public DialogoDeConexion {
 public:
  frmActIngreso();

  // Events.
  void cmdOpc_Click(int Index);
  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

 private:
  friend struct AccesoPrivadoTaxora;  // lets tests reach the private members

  void AplicarColores();
  void Disena();

  // The recode run (ActualizarImpuestos.cpp).
  void ActualizarImpuestos();
  // The database's version on a connection of the run's own, or nothing after a box that
  // says why it could not be read.
  bool LeeVersion(const std::string& sCadenaConexion, std::int16_t& iVersionActual);
  bool EjecutarImpuestos(const std::string& sCadenaConexion);
  bool ProcesarImpuestos(const std::string& sCadenaConexion);
  void ConcluyeImpuestos(bool bActualizados);
};

// The dialog's caption, at load and after every run.
inline constexpr const char* kCaptionTaxora =
    "ACTUALIZACIÓN DE IMPUESTOS DE COMPRAS en Bases de Datos Norvale Soft ®";
// The title of the dialog's refusals.
inline constexpr const char* kTituloTaxora = "Actualizador Impuestos Compras";

}  // namespace taxora
