#include "taxrecode/frmActIngreso.h"

#include "platform/ui/Services.h"

namespace taxora {

namespace {

constexpr ui::Color kColorFondo = 0x00FFFFF5;
constexpr ui::Color kColorBotones = 0x00F5E6D2;

// Focus order: engine options, the SQL Server fields and authentication, the MS Access
// button, the data-source list and name box, the two buttons.
enum Tabulacion {
  kTabAccess, kTabMySql, kTabSqlServer, kTabServidor, kTabBaseSql, kTabInstancia, kTabWindows,
  kTabAutSql, kTabUsuario, kTabContrasena, kTabBusMdb, kTabDsn, kTabNomBD, kTabActualizar,
  kTabSalir, kTabNinguno
};

}  // namespace

frmActIngreso::frmActIngreso() { Disena(); }

void frmActIngreso::Disena() {
  Caption = kCaptionTaxora;
  FontName = "Calibri";
  FontSize = 12;
  ScaleWidth = ui::Twips(842);
  ScaleHeight = ui::Twips(309);
  DisenaMotores(kTabAccess);
  DisenaBotones(kTabActualizar);
  DisenaRutaOdbc(kTabBusMdb, kTabNinguno);
  DisenaSqlServer(kTabServidor, kTabNinguno);
  // A shorter dialog: the SQL Server frame rises so that the progress line below it has
  // room for its three lines (the entry text, a blank line and the pass).
  fmeSqlServer.Move(ui::Twips(16), ui::Twips(84), ui::Twips(810), ui::Twips(144));
  Agrega(lblMensaje, "lblMensaje");
  lblMensaje.Move(ui::Twips(16), ui::Twips(230), ui::Twips(810), ui::Twips(76));
  lblMensaje.TabIndex = kTabNinguno;
  ConectaEventosDeConexion();
  for (int i = 0; i < 2; ++i) cmdOpc[i].alHacerClic = [this, i] { cmdOpc_Click(i); };
}

void frmActIngreso::Form_Load() {
  AplicarColores();
  if (RevisaCatalogo(kTituloTaxora)) LlenarListaDSN();
}

void frmActIngreso::cmdOpc_Click(int Index) {
  ui::MousePointer(ui::Puntero::Hourglass);
  if (Index == 0) {
    // Whatever way the run ends, the dialog comes back usable with the default pointer.
    struct AlTerminar {
      frmActIngreso& dialogo;
      ~AlTerminar() {
        dialogo.TerminaCorrida();
        dialogo.cmdOpc[0].Enabled = dialogo.cmdOpc[1].Enabled = true;
        ui::MousePointer(ui::Puntero::Default);
      }
    };
    cmdOpc[0].Enabled = cmdOpc[1].Enabled = false;
    AlTerminar alTerminar{*this};
    IniciaCorrida();
    ActualizarImpuestos();
  } else {
    Unload();
  }
  ui::MousePointer(ui::Puntero::Default);
}

void frmActIngreso::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
  if (CorridaEnCurso()) {
    Cancel = 1;
    ui::MsgBox("La actualización de impuestos está en curso. Espere a que termine para cerrar.",
               ui::Botones::OK, ui::Icono::Informacion, kTituloTaxora);
    return;
  }
  mBaseDatos.reset();
  mRsVersion.reset();
}

void frmActIngreso::AplicarColores() {
  BackColor = kColorFondo;
  for (int i = 0; i <= 2; ++i) {
    optTipoBD[i].BackColor = kColorFondo;
    if (i > 1) continue;
    optAutentication[i].BackColor = kColorFondo;
    cmdOpc[i].BackColor = kColorBotones;
  }
  fmeSqlServer.BackColor = fmeAutenticaSQL.BackColor = kColorFondo;
  cmdBusMdb.BackColor = kColorBotones;
}

}  // namespace taxora
