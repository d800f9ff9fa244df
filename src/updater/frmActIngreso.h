#pragma once
// The update dialog: the engine and its connection, the kinds of database to update,
// the default-rows option, the images folder and the company's fiscal regime. Its
// update button starts the update run; the run, the ladder dispatcher, the satellite
// update and the ladder steps are private members of this form, each group in a
// source file of its own.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "data/clsBaseDatos.h"
#include "platform/ado/Ado.h"
#include "platform/ui/Controles.h"
#include "platform/ui/Formulario.h"
#include "platform/ui/Label.h"

// An object variable that comes into being on its first use and is released by reset().
template <class T>
class AlUsarse {
 public:
  T* operator->() { return &Objeto(); }
  T& operator*() { return Objeto(); }
  void reset() { objeto_.reset(); }
  bool Existe() const { return objeto_ != nullptr; }

 private:
  T& Objeto() {
    if (!objeto_) objeto_ = std::make_unique<T>();
    return *objeto_;
  }
  std::unique_ptr<T> objeto_;
};

class frmActIngreso : public ui::Formulario {
 public:
  frmActIngreso();

  // Engine.
  std::array<ui::OptionButton, 3> optTipoBD;  // 0 MS Access (never offered), 1 MySQL, 2 SQL Server
  // Database kinds: 0 BD Velmar, 1 BD Administrador, 2 BD Dependencia, 3 BD Consultorio.
  ui::Frame fmeProyecto;
  std::array<ui::CheckBox, 4> chkProyecto;
  std::array<ui::CommandButton, 2> cmdOpc;  // 0 update, 1 exit
  // ODBC route.
  std::array<ui::Label, 2> Label1;  // 0 caption of txtNomBD, 1 "DSN="
  ui::ComboBox cmbDSNList;
  ui::TextBox txtNomBD;
  ui::Label lblRuta;  // carrier: caption "DSN=" + name, tag and tool tip the database name
  ui::Label lblEmp;   // carrier: tag and tool tip the connection string
  ui::CommandButton cmdBusMdb;
  // SQL Server route.
  ui::Frame fmeSqlServer;
  std::map<int, ui::Label> lblDatos;  // 2, 8, 9, 10, 11
  ui::TextBox txtServerName;
  ui::TextBox txtDBName;
  ui::TextBox txtInstanceNameSql;
  ui::Frame fmeAutenticaSQL;
  std::array<ui::OptionButton, 2> optAutentication;  // 0 Windows, 1 SQL Server
  ui::TextBox txtUserNameSql;
  ui::TextBox txtUserPasswordSql;
  // Regime, default rows, images folder, progress.
  ui::Label Label3;
  ui::ComboBox cmbRegimen;
  ui::CheckBox chkRegDef;
  ui::CheckBox chkCA;
  ui::Label Label2;
  ui::CommandButton cmdRutaImg;
  ui::TextBox txtRutaImagenes;
  ui::Label lblMensaje;

  // Events.
  void chkProyecto_Click(int Index);
  void optTipoBD_Click(int Index);
  void optAutentication_Click(int Index);
  void cmbDSNList_Click();
  void txtNomBD_Change();
  void chkCA_Click();
  void cmdRutaImg_Click();
  void cmdOpc_Click(int Index);
  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

  // A run under way: the inputs are disabled and the dialog refuses to close until
  // TerminaCorrida. The update button's handler brackets the run with these.
  void IniciaCorrida();
  void TerminaCorrida();
  bool CorridaEnCurso() const { return mCorriendo; }

  // The SQL Server route's connection string for the chosen authentication, from the
  // server, database, instance, user and password boxes. False, and no string, when a
  // box that the authentication needs is blank.
  bool ArmarCadenaSqlServer(std::string& sCadenaConexion) const;

 private:
  friend struct AccesoPrivadoFrmActIngreso;  // lets tests reach the private members

  void LlenarListaDSN();
  void ArmarCadenaConexion();
  void AplicarColores();
  void HabilitarRegimenYRuta(bool bHabilitar);

  // The update run (EjecutaActualizacion.cpp).
  void EjecutaActualizacion();

  // ---- The run's parts: its end (EjecutaActualizacion.cpp), the ladder dispatcher
  // (ActualizaVersiones.cpp), the satellite update (ActualizaBD.cpp) and the 42 ladder
  // steps (Pasos*.cpp; their common frame, Paso, in PasosMarco.h).
  bool ArmaCadenaDeLaCorrida(std::string& sCadenaConexion);
  bool ActualizaLaBase(const std::string& sCadenaConexion, std::int16_t iManejador,
                       int iEstructura);
  void ConcluyeActualizacion(bool bActualizada, int iEstructura);
  void CierraActualizacion();
  // A version as its digits with points: 952 gives "9.5.2".
  static std::string TextoDeVersion(int iVersion);

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
  void DisenaRutaOdbc();
  void DisenaSqlServer();
  void DisenaRegimenYRuta();
  void ConectaEventos();

  // The load's catalogue reading; false when the catalogue is older than 5.0.
  bool LeeVersionDelCatalogo();

  AlUsarse<clsBaseDatos> mBaseDatos;
  AlUsarse<ado::Recordset> mRsVersion;
  bool mAgregaDefault = false;
  bool mAvisoImpuestos = false;
  std::int16_t mVersionEstructura = 0;
  std::string mNombreBaseDatos;
  bool mCorriendo = false;
};
