#include "conexion/DialogoDeConexion.h"

#include <algorithm>

#include "conexion/CadenasDeConexion.h"
#include "frame/modPrincipal.h"
#include "platform/odbc/Odbc.h"
#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"

namespace {

constexpr short kLargoBuffer = 1024;

bool EnBlanco(const std::string& texto) { return vb::Trim(texto).empty(); }

// Like Label3.Enabled = b; ... for the controls given.
template <class... Controles>
void Habilita(bool habilitado, Controles&... controles) {
  ((controles.Enabled = habilitado), ...);
}

void Ubica(ui::Control& control, long x, long y, long ancho, long alto, int tabIndex) {
  control.Move(ui::Twips(x), ui::Twips(y), ui::Twips(ancho), ui::Twips(alto));
  control.TabIndex = tabIndex;
}

}  // namespace

std::string TextoDeVersion(int iVersion) {
  const std::string digitos = std::to_string(iVersion);
  return vb::Mid(digitos, 1, 1) + "." + vb::Mid(digitos, 2, 1) + "." + vb::Mid(digitos, 3);
}

void DialogoDeConexion::optTipoBD_Click(int /*Index*/) {
  for (ui::Label* carrier : {&lblRuta, &lblEmp}) {
    carrier->Caption.clear();
    carrier->Tag.clear();
    carrier->ToolTipText.clear();
  }
  const bool access = optTipoBD[0].Value;
  const bool mysql = optTipoBD[1].Value;
  const bool sqlServer = optTipoBD[2].Value;
  cmdBusMdb.Enabled = cmdBusMdb.Visible = access;
  lblRuta.Visible = access;
  cmbDSNList.Enabled = cmbDSNList.Visible = mysql;
  // The source chosen before is gone with the carriers: the list shows no choice either,
  // so that what it shows is what a run would use.
  cmbDSNList.ListIndex = -1;
  Label1[0].Visible = Label1[1].Visible = mysql;
  txtNomBD.Enabled = txtNomBD.Visible = mysql;
  fmeSqlServer.Enabled = fmeSqlServer.Visible = sqlServer;
}

void DialogoDeConexion::optAutentication_Click(int Index) {
  Habilita(Index != 0, txtUserNameSql, txtUserPasswordSql);
}

void DialogoDeConexion::LlenarListaDSN() {
  cmbDSNList.Clear();
  odbc::HENV henv = nullptr;
  if (odbc::SQLAllocEnv(henv) == odbc::Fallo) return;
  short rc = odbc::Exito;
  while (rc == odbc::Exito) {
    std::string nombre(kLargoBuffer, ' ');
    std::string descripcion(kLargoBuffer, ' ');
    short largoNombre = 0;
    short largoDescripcion = 0;
    rc = odbc::SQLDataSources(henv, odbc::SiguienteFuente, nombre, kLargoBuffer, largoNombre,
                              descripcion, kLargoBuffer, largoDescripcion);
    nombre = vb::Left(nombre, std::min<short>(largoNombre, kLargoBuffer - 1));
    if (!EnBlanco(nombre)) cmbDSNList.AddItem(nombre);
  }
  odbc::SQLFreeEnv(henv);
}

void DialogoDeConexion::ArmarCadenaConexion() {
  mNombreBaseDatos = lblRuta.Tag;
  lblRuta.ToolTipText = lblRuta.Tag;
  if (optTipoBD[0].Value)
    lblEmp.Tag = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + lblRuta.Caption + ";User Id=Admin;Password=";
  else
    lblEmp.Tag = CadenaOdbc(lblRuta.Caption);
  lblEmp.ToolTipText = lblEmp.Tag;
}

bool DialogoDeConexion::ArmarCadenaSqlServer(std::string& sCadenaConexion) const {
  if (EnBlanco(txtDBName.Text) || EnBlanco(txtServerName.Text)) return false;
  const std::string baseDeDatos = ValorOleDb(vb::Trim(txtDBName.Text));
  const std::string origen = ValorOleDb(vb::Trim(txtServerName.Text) + "\\" + vb::Trim(txtInstanceNameSql.Text));
  if (optAutentication[0].Value) {
    if (EnBlanco(txtInstanceNameSql.Text)) return false;
    sCadenaConexion = "Provider=SQLOLEDB.1; Integrated Security=SSPI; Persist Security Info=False; "
                      "Initial Catalog=" + baseDeDatos + "; Data Source=" + origen;
    return true;
  }
  if (EnBlanco(txtUserPasswordSql.Text) || EnBlanco(txtUserNameSql.Text)) return false;
  sCadenaConexion = "Provider=SQLOLEDB.1; Password=" + ValorOleDb(txtUserPasswordSql.Text) +
                    "; Persist Security Info=True; User ID=" + ValorOleDb(vb::Trim(txtUserNameSql.Text)) +
                    "; Initial Catalog=" + baseDeDatos + "; Data Source=" + origen;
  return true;
}

void DialogoDeConexion::cmbDSNList_Click() {
  const std::string nombre = cmbDSNList.Text();
  lblRuta.Caption = "DSN=" + nombre;
  lblRuta.Tag = nombre;
  txtNomBD.Text = nombre;
  txtNomBD_Change();
  ArmarCadenaConexion();
}

void DialogoDeConexion::txtNomBD_Change() {
  mNombreBaseDatos = txtNomBD.Text;
  lblRuta.Tag = txtNomBD.Text;
}

bool DialogoDeConexion::ArmaCadenaDeLaCorrida(std::string& sCadenaConexion) {
  if (!optTipoBD[2].Value) {
    if (lblRuta.Caption.empty()) return false;
    sCadenaConexion = lblEmp.Tag;
    return true;
  }
  ui::MsgBox("Nombre de equipo o IP: " + txtServerName.Text + vb::vbCrLf +
             "Nombre de Base de datos: " + txtDBName.Text + vb::vbCrLf +
             "Nombre de Instancia: " + txtInstanceNameSql.Text + vb::vbCrLf);
  if (!ArmarCadenaSqlServer(sCadenaConexion)) return false;
  mNombreBaseDatos = txtDBName.Text;
  return true;
}

void DialogoDeConexion::IniciaCorrida() {
  if (mCorriendo) return;
  mCorriendo = true;
  BloqueaEntradas();
}

void DialogoDeConexion::TerminaCorrida() {
  if (!mCorriendo) return;
  DesbloqueaEntradas();
  mCorriendo = false;
}

bool DialogoDeConexion::RevisaCatalogo(const std::string& sTituloDeVersion) {
  const std::string rutaCatalogo = gRutaApp + "\\EstBDs.mdb";
  if (!win::ExisteArchivo(rutaCatalogo)) {
    ui::MsgBox(std::string("No se encuentra el archivo de estructura...") + vb::vbCrLf +
                   win::RutaLocal(rutaCatalogo),
               ui::Botones::OK, ui::Icono::Critico, "Dorvex.mdb");
    cmdOpc[0].Enabled = false;
    return false;
  }
  try {
    if (!LeeVersionDelCatalogo()) {
      ui::MsgBox("No es posible hacer la actualización. Actualice su equipo a versión 5.0 o superior",
                 ui::Botones::OK, ui::Icono::Exclamacion, sTituloDeVersion);
      return false;
    }
  } catch (const vb::Error& error) {
    // A catalogue that cannot be read gives no target version: nothing can be updated.
    mRsVersion.reset();
    ui::MsgBox(std::string("No es posible leer el archivo de estructura...") + vb::vbCrLf +
                   win::RutaLocal(rutaCatalogo) + vb::vbCrLf + "Error " +
                   std::to_string(error.Number()) + ": " + error.Description(),
               ui::Botones::OK, ui::Icono::Critico, "Dorvex.mdb");
    cmdOpc[0].Enabled = false;
    return false;
  }
  return true;
}

bool DialogoDeConexion::LeeVersionDelCatalogo() {
  ado::Connection cnxEstBDs;
  mBaseDatos->AbreEstBDs(cnxEstBDs);
  mRsVersion->Open("SELECT VER FROM tblVersion;", cnxEstBDs, ado::adOpenForwardOnly, ado::adLockReadOnly,
                   ado::adCmdText);
  const bool hayFilas = !(mRsVersion->BOF() && mRsVersion->Eof());
  if (hayFilas) mVersionEstructura = vb::CInt(vb::Left(vb::CStr(mRsVersion->Fields("VER").Value()), 3));
  if (!hayFilas || mVersionEstructura >= 500) {
    mRsVersion->Close();
    cnxEstBDs.Close();
    return true;
  }
  ui::MousePointer(ui::Puntero::Default);
  try {
    cnxEstBDs.Close();
  } catch (const vb::Error&) {
  }
  mRsVersion.reset();
  return false;
}

// ---- Design: places in pixels at 96 dpi.

void DialogoDeConexion::DisenaMotores(int tabPrimero) {
  const char* motores[] = {"Base de Datos en MS Access ® 2000", "Base de Datos en MySQL ®",
                           "Base de Datos en SQL Server ®"};
  const long filaDeMotor[] = {76, 16, 46};  // the hidden MS Access option goes last
  for (int i = 0; i < 3; ++i) {
    Agrega(optTipoBD[i], "optTipoBD", i);
    optTipoBD[i].Caption = motores[i];
    Ubica(optTipoBD[i], 16, filaDeMotor[i], 330, 26, tabPrimero + i);
  }
  optTipoBD[0].Visible = optTipoBD[0].Enabled = false;
}

void DialogoDeConexion::DisenaBotones(int tabPrimero) {
  const char* ayudas[] = {"Actualizar", "Salir"};
  const char* imagenes[] = {"actualizar", "salir"};
  for (int i = 0; i < 2; ++i) {
    Agrega(cmdOpc[i], "cmdOpc", i);
    cmdOpc[i].ToolTipText = ayudas[i];
    cmdOpc[i].Picture = imagenes[i];
    Ubica(cmdOpc[i], 688 + 73 * i, 12, 65, 65, tabPrimero + i);
  }
}

void DialogoDeConexion::DisenaRutaOdbc(int tabBusMdb, int tabNinguno) {
  const int tabDsn = tabBusMdb + 1;
  const int tabNomBD = tabBusMdb + 2;
  Agrega(Label1[1], "Label1", 1);
  Label1[1].Caption = "DSN=";
  Ubica(Label1[1], 16, 128, 48, 26, tabNinguno);
  Agrega(cmbDSNList, "cmbDSNList");
  Ubica(cmbDSNList, 66, 124, 300, 30, tabDsn);
  Agrega(Label1[0], "Label1", 0);
  Label1[0].Caption = "Nombre de Base de Datos";
  Ubica(Label1[0], 420, 128, 185, 26, tabNinguno);
  Agrega(txtNomBD, "txtNomBD");
  Ubica(txtNomBD, 606, 124, 220, 30, tabNomBD);
  for (ui::Control* control : std::initializer_list<ui::Control*>{&Label1[1], &cmbDSNList, &Label1[0], &txtNomBD})
    control->Visible = false;
  txtNomBD.Enabled = false;

  Agrega(lblRuta, "lblRuta");
  Ubica(lblRuta, 16, 128, 350, 26, tabNinguno);
  Agrega(lblEmp, "lblEmp");
  Ubica(lblEmp, 16, 160, 350, 26, tabNinguno);
  lblEmp.Visible = false;
  Agrega(cmdBusMdb, "cmdBusMdb");
  cmdBusMdb.ToolTipText = "Buscar BD en Access";
  cmdBusMdb.Picture = "buscar";
  Ubica(cmdBusMdb, 372, 123, 32, 32, tabBusMdb);
  cmdBusMdb.Visible = cmdBusMdb.Enabled = false;
}

void DialogoDeConexion::DisenaSqlServer(int tabServidor, int tabNinguno) {
  Agrega(fmeSqlServer, "fmeSqlServer");
  Ubica(fmeSqlServer, 16, 112, 810, 144, tabNinguno);
  fmeSqlServer.Visible = fmeSqlServer.Enabled = false;
  struct Fila {
    int indice;
    const char* caption;
    const char* ayuda;
    ui::TextBox* caja;
  };
  const Fila filas[] = {
      {2, "Nombre de equipo o IP", "Nombre del equipo o IP donde reside la base de datos Sql", &txtServerName},
      {8, "Nombre de Base de Datos", "Nombre de la base de datos Sql", &txtDBName},
      {11, "Nombre de Instancia Sql", "Nombre de la instancia Sql al cual se va a tratar de conectar  ",
       &txtInstanceNameSql}};
  const char* nombres[] = {"txtServerName", "txtDBName", "txtInstanceNameSql"};
  for (int i = 0; i < 3; ++i) {
    ui::Label& etiqueta = lblDatos[filas[i].indice];
    Agrega(etiqueta, "lblDatos", filas[i].indice, &fmeSqlServer);
    etiqueta.Caption = filas[i].caption;
    etiqueta.ToolTipText = filas[i].ayuda;
    Ubica(etiqueta, 12, 22 + 38 * i, 190, 26, tabNinguno);
    Agrega(*filas[i].caja, nombres[i], -1, &fmeSqlServer);
    filas[i].caja->MaxLength = 50;
    Ubica(*filas[i].caja, 204, 18 + 38 * i, 200, 30, tabServidor + i);
  }

  Agrega(fmeAutenticaSQL, "fmeAutenticaSQL", -1, &fmeSqlServer);
  fmeAutenticaSQL.Caption = "Autenticación";
  Ubica(fmeAutenticaSQL, 420, 6, 380, 130, tabNinguno);
  const char* autenticaciones[] = {"Windows", "SQL Server"};
  const char* ayudas[] = {"Autenticacion basada en seguridad Windows", "Autenticación basada en seguridad SQL Server"};
  for (int i = 0; i < 2; ++i) {
    Agrega(optAutentication[i], "optAutentication", i, &fmeAutenticaSQL);
    optAutentication[i].Caption = autenticaciones[i];
    optAutentication[i].ToolTipText = ayudas[i];
    Ubica(optAutentication[i], 12 + 130 * i, 28, 124, 26, tabServidor + 3 + i);
  }
  optAutentication[0].Value = true;
  const char* credenciales[] = {"Usuario", "Contraseña"};
  ui::TextBox* cajas[] = {&txtUserNameSql, &txtUserPasswordSql};
  const char* nombresDeCaja[] = {"txtUserNameSql", "txtUserPasswordSql"};
  for (int i = 0; i < 2; ++i) {
    ui::Label& etiqueta = lblDatos[9 + i];
    Agrega(etiqueta, "lblDatos", 9 + i, &fmeAutenticaSQL);
    etiqueta.Caption = credenciales[i];
    etiqueta.ToolTipText = "Usuario que tiene acceso a la base de datos Sql";
    Ubica(etiqueta, 12, 62 + 34 * i, 96, 26, tabNinguno);
    Agrega(*cajas[i], nombresDeCaja[i], -1, &fmeAutenticaSQL);
    cajas[i]->MaxLength = 50;
    cajas[i]->Enabled = false;
    Ubica(*cajas[i], 110, 60 + 34 * i, 258, 30, tabServidor + 5 + i);
  }
  txtUserPasswordSql.PasswordChar = '*';
}

void DialogoDeConexion::ConectaEventosDeConexion() {
  for (int i = 0; i < 3; ++i) optTipoBD[i].alHacerClic = [this, i] { optTipoBD_Click(i); };
  for (int i = 0; i < 2; ++i)
    optAutentication[i].alHacerClic = [this, i] { optAutentication_Click(i); };
  cmbDSNList.alHacerClic = [this] { cmbDSNList_Click(); };
  txtNomBD.alCambiar = [this] { txtNomBD_Change(); };
}
