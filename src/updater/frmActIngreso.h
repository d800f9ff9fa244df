#pragma once
// The update dialog: the engine and its connection (shared with the other program's
// dialog, conexion/DialogoDeConexion.h), the kinds of database to update, the
// default-rows option, the images folder and the company's fiscal regime. Its
// update button starts the update run; the run, the ladder dispatcher, the satellite
// update and the ladder steps are private members of this form, each group in a
// source file of its own.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "conexion/DialogoDeConexion.h"
#include "data/clsBaseDatos.h"
#include "platform/ado/Ado.h"
#include "platform/ui/Controles.h"
#include "platform/ui/Label.h"

class frmActIngreso : public DialogoDeConexion {
 public:
  frmActIngreso();

  // Database kinds: 0 BD Velmar, 1 BD Administrador, 2 BD Dependencia, 3 BD Consultorio.
  ui::Frame fmeProyecto;
  std::array<ui::CheckBox, 4> chkProyecto;
  // Regime, default rows, images folder.
  ui::Label Label3;
  ui::ComboBox cmbRegimen;
  ui::CheckBox chkRegDef;
  ui::CheckBox chkCA;
  ui::Label Label2;
  ui::CommandButton cmdRutaImg;
  ui::TextBox txtRutaImagenes;

  // Events.
  void chkProyecto_Click(int Index);
  void chkCA_Click();
  void cmdRutaImg_Click();
  void cmdOpc_Click(int Index);
  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

 private:
  friend struct AccesoPrivadoFrmActIngreso;  // lets tests reach the private members

  void AplicarColores();
  void HabilitarRegimenYRuta(bool bHabilitar);

  // The update run (EjecutaActualizacion.cpp).
  void EjecutaActualizacion();

  // ---- The run's parts: its end (EjecutaActualizacion.cpp), the ladder dispatcher
  // (ActualizaVersiones.cpp), the satellite update (ActualizaBD.cpp) and the 42 ladder
  // steps (Pasos*.cpp; their common frame, Paso, in PasosMarco.h).
  bool ActualizaLaBase(const std::string& sCadenaConexion, std::int16_t iManejador,
                       int iEstructura);
  void ConcluyeActualizacion(bool bActualizada, int iEstructura);
  void CierraActualizacion();

  // Every ladder step: (sCadenaConexion, iVersionActual, iVersionDestino, iManejador),
  // False when the step failed.
  using FirmaDePaso = bool(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                           std::int16_t iVersionDestino, std::int16_t iManejador);
  struct Peldano {
    std::int16_t V;
    bool bSoloDesdeAbajo;  // taken only below V (steps 5.1 to 5.8), else up to V included
    FirmaDePaso frmActIngreso::*Actualiza;
  };
  static const std::array<Peldano, 42> kEscalera;
  // The structure code of each box of chkProyecto.
  static const std::array<std::uint8_t, 4> kEstructuraDeCaja;

  bool ActualizaVersiones(std::int16_t iVersionDestino, std::int16_t iVersionActual,
                          const std::string& sCadenaConexion, std::int16_t iManejador);
  bool SubeEscalera(bool& bResultado, std::int16_t iVersionDestino, std::int16_t iVersionActual,
                    const std::string& sCadenaConexion, std::int16_t iManejador);
  bool ActualizaBD(std::uint8_t iEstructuraBaseDeDatos, const std::string& sCadenaConexion,
                   std::int16_t iVersionActual, std::int16_t iVersionDestino,
                   std::int16_t iManejador);

  class Paso;
  FirmaDePaso Actualiza50, Actualiza51, Actualiza52, Actualiza53, Actualiza54, Actualiza55,
      Actualiza56, Actualiza57, Actualiza58, Actualiza59, Actualiza593, Actualiza595,
      Actualiza596, Actualiza597, Actualiza598, Actualiza599, Actualiza60, Actualiza61,
      Actualiza62, Actualiza63, Actualiza70, Actualiza72, Actualiza73, Actualiza74,
      Actualiza80, Actualiza81, Actualiza82, Actualiza83, Actualiza84, Actualiza85,
      Actualiza86, Actualiza87, Actualiza88, Actualiza89, Actualiza90, Actualiza91,
      Actualiza92, Actualiza93, Actualiza94, Actualiza95, Actualiza951, Actualiza952;

  // Set by the dispatcher when a step or a satellite update failed, so that the run ends
  // with the failure message and never with the success message.
  bool mFallaEnActualizacion = false;

  // The form's design: controls, captions, places and focus order (frmActIngresoDiseno.cpp).
  void Disena();
  void DisenaMotorYTipos();
  void DisenaRegimenYRuta();
  void ConectaEventos();


  bool mAgregaDefault = false;
  bool mAvisoImpuestos = false;
};
