#include "updater/frmActIngreso.h"

#include "frame/modPrincipal.h"
#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"
#include "updater/frmDirectorios.h"

namespace {

constexpr ui::Color kColorFondo = 0x00FFFFF5;
constexpr ui::Color kColorBotones = 0x00F5E6D2;

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

void frmActIngreso::Form_Load() {
  AplicarColores();
  if (!RevisaCatalogo("Actualizador de Bases de Datos")) return;
  LlenarListaDSN();
  cmbRegimen.ListIndex = 0;
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
