#include "updater/frmActIngreso.h"

#include "frame/modPrincipal.h"
#include "platform/ado/CadenaDeConexion.h"
#include "platform/odbc/Odbc.h"
#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"
#include "updater/frmDirectorios.h"

namespace {

constexpr ui::Color kColorFondo = 0x00FFFFF5;
constexpr ui::Color kColorBotones = 0x00F5E6D2;
constexpr short kLargoBuffer = 1024;

bool EnBlanco(const std::string& texto) { return vb::Trim(texto).empty(); }

// A value placed in an OLE DB connection string: quoted when a ';' or a leading quote
// would otherwise change where it ends.
std::string ValorOleDb(const std::string& valor) {
  const bool citar = valor.find(';') != std::string::npos ||
                     (!valor.empty() && (valor.front() == '"' || valor.front() == '\''));
  return citar ? "\"" + vb::Replace(valor, "\"", "\"\"") + "\"" : valor;
}

// "DSN=" + name as the ODBC route's connection string, the name brace-quoted when it
// holds characters that would end or break the value.
std::string CadenaOdbc(const std::string& captionDeRuta) {
  const std::string prefijo = "DSN=";
  if (captionDeRuta.rfind(prefijo, 0) != 0) return captionDeRuta;
  return prefijo + ado::CitaValorOdbc(captionDeRuta.substr(prefijo.size()));
}

// Like Label3.Enabled = b; ... for the controls given.
template <class... Controles>
void Habilita(bool habilitado, Controles&... controles) {
  ((controles.Enabled = habilitado), ...);
}

}  // namespace

frmActIngreso::frmActIngreso() { Disena(); }

void frmActIngreso::chkProyecto_Click(int Index) {
  if (Index == 0) HabilitarRegimenYRuta(chkProyecto[0].Value == 1);
}

void frmActIngreso::optTipoBD_Click(int /*Index*/) {
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
  Label1[0].Visible = Label1[1].Visible = mysql;
  txtNomBD.Enabled = txtNomBD.Visible = mysql;
  fmeSqlServer.Enabled = fmeSqlServer.Visible = sqlServer;
}

void frmActIngreso::optAutentication_Click(int Index) {
  Habilita(Index != 0, txtUserNameSql, txtUserPasswordSql);
}

void frmActIngreso::LlenarListaDSN() {
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

void frmActIngreso::ArmarCadenaConexion() {
  mNombreBaseDatos = lblRuta.Tag;
  lblRuta.ToolTipText = lblRuta.Tag;
  if (optTipoBD[0].Value)
    lblEmp.Tag = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + lblRuta.Caption + ";User Id=Admin;Password=";
  else
    lblEmp.Tag = CadenaOdbc(lblRuta.Caption);
  lblEmp.ToolTipText = lblEmp.Tag;
}

bool frmActIngreso::ArmarCadenaSqlServer(std::string& sCadenaConexion) const {
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

void frmActIngreso::cmbDSNList_Click() {
  const std::string nombre = cmbDSNList.Text();
  lblRuta.Caption = "DSN=" + nombre;
  lblRuta.Tag = nombre;
  txtNomBD.Text = nombre;
  txtNomBD_Change();
  ArmarCadenaConexion();
}

void frmActIngreso::txtNomBD_Change() {
  mNombreBaseDatos = txtNomBD.Text;
  lblRuta.Tag = txtNomBD.Text;
}

void frmActIngreso::chkCA_Click() { Habilita(chkCA.Value == 1, cmdRutaImg, txtRutaImagenes); }

void frmActIngreso::cmdRutaImg_Click() {
  {
    frmDirectorios selector;
    selector.Show(ui::vbModal);
  }
  txtRutaImagenes.Text = gDirElegido;
}

void frmActIngreso::cmdOpc_Click(int Index) {
  ui::MousePointer(ui::Puntero::Hourglass);
  mAvisoImpuestos = false;
  if (Index == 0) {
    // Whatever way the run ends, the dialog comes back usable with the default pointer.
    struct AlTerminar {
      frmActIngreso& dialogo;
      ~AlTerminar() {
        dialogo.TerminaCorrida();
        Habilita(true, dialogo.cmdOpc[0], dialogo.cmdOpc[1]);
        ui::MousePointer(ui::Puntero::Default);
      }
    };
    Habilita(false, cmdOpc[0], cmdOpc[1]);
    AlTerminar alTerminar{*this};
    IniciaCorrida();
    EjecutaActualizacion();
  } else {
    Unload();
  }
  ui::MousePointer(ui::Puntero::Default);
}

void frmActIngreso::IniciaCorrida() {
  if (mCorriendo) return;
  mCorriendo = true;
  BloqueaEntradas();
}

void frmActIngreso::TerminaCorrida() {
  if (!mCorriendo) return;
  DesbloqueaEntradas();
  mCorriendo = false;
}

void frmActIngreso::Form_Load() {
  AplicarColores();
  const std::string rutaCatalogo = gRutaApp + "\\EstBDs.mdb";
  if (!win::ExisteArchivo(rutaCatalogo)) {
    ui::MsgBox(std::string("No se encuentra el archivo de estructura...") + vb::vbCrLf +
                   win::RutaLocal(rutaCatalogo),
               ui::Botones::OK, ui::Icono::Critico, "Dorvex.mdb");
    cmdOpc[0].Enabled = false;
    return;
  }
  try {
    if (!LeeVersionDelCatalogo()) {
      ui::MsgBox("No es posible hacer la actualización. Actualice su equipo a versión 5.0 o superior",
                 ui::Botones::OK, ui::Icono::Exclamacion, "Actualizador de Bases de Datos");
      return;
    }
  } catch (const vb::Error& error) {
    // A catalogue that cannot be read gives no target version: nothing can be updated.
    mRsVersion.reset();
    ui::MsgBox(std::string("No es posible leer el archivo de estructura...") + vb::vbCrLf +
                   win::RutaLocal(rutaCatalogo) + vb::vbCrLf + "Error " +
                   std::to_string(error.Number()) + ": " + error.Description(),
               ui::Botones::OK, ui::Icono::Critico, "Dorvex.mdb");
    cmdOpc[0].Enabled = false;
    return;
  }
  LlenarListaDSN();
  cmbRegimen.ListIndex = 0;
}

bool frmActIngreso::LeeVersionDelCatalogo() {
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

void frmActIngreso::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
  if (mCorriendo) {
    Cancel = 1;
    ui::MsgBox("La actualización está en curso. Espere a que termine para cerrar.", ui::Botones::OK,
               ui::Icono::Informacion, "Actualizador");
    return;
  }
  mBaseDatos.reset();
  mRsVersion.reset();
}

void frmActIngreso::AplicarColores() {
  BackColor = kColorFondo;
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &optTipoBD[0], &optTipoBD[1], &optTipoBD[2], &optAutentication[0], &optAutentication[1],
           &chkProyecto[0], &chkProyecto[1], &chkProyecto[2], &chkProyecto[3], &fmeProyecto,
           &fmeSqlServer, &fmeAutenticaSQL, &chkCA, &chkRegDef})
    control->BackColor = kColorFondo;
  for (ui::CommandButton* boton : {&cmdOpc[0], &cmdOpc[1], &cmdBusMdb, &cmdRutaImg})
    boton->BackColor = kColorBotones;
}

void frmActIngreso::HabilitarRegimenYRuta(bool bHabilitar) {
  Habilita(bHabilitar, Label3, cmbRegimen, chkCA, Label2);
  Habilita(chkCA.Enabled && chkCA.Value != 0, cmdRutaImg, txtRutaImagenes);
}
