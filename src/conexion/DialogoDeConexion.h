#pragma once
// What both programs' dialogs share: the engine options, the ODBC data-source row, the
// SQL Server frame with its authentication, the two picture buttons and the progress
// line, with the handlers of the engine, data-source and SQL Server controls, the
// run's connection string and the bracketing of a run (inputs disabled, closing refused).
#include <array>
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

class DialogoDeConexion : public ui::Formulario {
 public:
  // Engine.
  std::array<ui::OptionButton, 3> optTipoBD;  // 0 MS Access (never offered), 1 MySQL, 2 SQL Server
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
  // Progress.
  ui::Label lblMensaje;

  // Events.
  void optTipoBD_Click(int Index);
  void optAutentication_Click(int Index);
  void cmbDSNList_Click();
  void txtNomBD_Change();

  // A run under way: the inputs are disabled and the dialog refuses to close until
  // TerminaCorrida. The update button's handler brackets the run with these.
  void IniciaCorrida();
  void TerminaCorrida();
  bool CorridaEnCurso() const { return mCorriendo; }

  // The SQL Server route's connection string for the chosen authentication, from the
  // server, database, instance, user and password boxes. False, and no string, when a
  // box that the authentication needs is blank.
  bool ArmarCadenaSqlServer(std::string& sCadenaConexion) const;

 protected:
  DialogoDeConexion() = default;

  void LlenarListaDSN();
  void ArmarCadenaConexion();

  // The run's connection string from the chosen route: the data source's, or, for SQL
  // Server, after the summary box of the server, database and instance, the one
  // ArmarCadenaSqlServer builds. False, and no string, when the route lacks what it needs.
  bool ArmaCadenaDeLaCorrida(std::string& sCadenaConexion);

  // The load's check of the structure catalogue EstBDs.mdb in the program folder: a
  // missing or unreadable catalogue is reported and disables the update button; one older
  // than 5.0 is reported with a box of the given title. True when the catalogue is usable
  // and the data-source list is to be filled.
  bool RevisaCatalogo(const std::string& sTituloDeVersion);
  // The load's catalogue reading; false when the catalogue is older than 5.0.
  bool LeeVersionDelCatalogo();

  // The shared controls' design. Each part takes the tab index of its first focusable
  // control (the others follow in order) and the tab index of controls that take no focus.
  void DisenaMotores(int tabPrimero);
  void DisenaBotones(int tabPrimero);
  void DisenaRutaOdbc(int tabBusMdb, int tabNinguno);
  void DisenaSqlServer(int tabServidor, int tabNinguno);
  void ConectaEventosDeConexion();

  AlUsarse<clsBaseDatos> mBaseDatos;
  AlUsarse<ado::Recordset> mRsVersion;
  std::int16_t mVersionEstructura = 0;
  std::string mNombreBaseDatos;
  bool mCorriendo = false;
};

// A version as its digits with points: 952 gives "9.5.2".
std::string TextoDeVersion(int iVersion);
