// The design of the update dialog: every control with its caption, tool tip, initial
// state, place (in pixels at 96 dpi) and focus order, and the wiring of the controls'
// events to the form's handlers.
#include "updater/frmActIngreso.h"

namespace {

void Ubica(ui::Control& control, long x, long y, long ancho, long alto, int tabIndex) {
  control.Move(ui::Twips(x), ui::Twips(y), ui::Twips(ancho), ui::Twips(alto));
  control.TabIndex = tabIndex;
}

// Focus order: engine options, box 0, the SQL Server fields and authentication, the
// MS Access button, the MySQL list and name box, the regime list, the default-rows box,
// the images controls, the two buttons, and last boxes 1 to 3.
enum Tabulacion {
  kTabAccess, kTabMySql, kTabSqlServer, kTabVelmar, kTabServidor, kTabBaseSql, kTabInstancia,
  kTabWindows, kTabAutSql, kTabUsuario, kTabContrasena, kTabBusMdb, kTabDsn, kTabNomBD,
  kTabRegimen, kTabRegDef, kTabCA, kTabRutaImg, kTabRutaImagenes, kTabActualizar, kTabSalir,
  kTabAdministrador, kTabDependencia, kTabConsultorio, kTabNinguno
};

}  // namespace

void frmActIngreso::Disena() {
  Caption = "ACTUALIZACIÓN DE BASES DE DATOS Norvale Soft ®";
  FontName = "Calibri";
  FontSize = 12;
  ScaleWidth = ui::Twips(842);
  ScaleHeight = ui::Twips(446);
  DisenaMotorYTipos();
  DisenaRutaOdbc(kTabBusMdb, kTabNinguno);
  DisenaSqlServer(kTabServidor, kTabNinguno);
  DisenaRegimenYRuta();
  ConectaEventos();
}

void frmActIngreso::DisenaMotorYTipos() {
  DisenaMotores(kTabAccess);

  Agrega(fmeProyecto, "fmeProyecto");
  Ubica(fmeProyecto, 356, 8, 318, 96, kTabNinguno);
  const char* tipos[] = {"BD Velmar", "BD Administrador", "BD Dependencia", "BD Consultorio"};
  const int tabDeTipo[] = {kTabVelmar, kTabAdministrador, kTabDependencia, kTabConsultorio};
  for (int i = 0; i < 4; ++i) {
    Agrega(chkProyecto[i], "chkProyecto", i, &fmeProyecto);
    chkProyecto[i].Caption = tipos[i];
    Ubica(chkProyecto[i], i % 2 == 0 ? 12 : 162, i < 2 ? 18 : 56, 148, 26, tabDeTipo[i]);
  }
  chkProyecto[0].Value = 1;

  DisenaBotones(kTabActualizar);
}

void frmActIngreso::DisenaRegimenYRuta() {
  Agrega(Label3, "Label3");
  Label3.Caption = "Régimen fiscal de la empresa ";
  Ubica(Label3, 16, 274, 214, 26, kTabNinguno);
  Agrega(cmbRegimen, "cmbRegimen");
  for (const char* regimen : {"PERSONA MORAL", "PERSONA FISICA", "PERSONA FISICA CON ACTIVIDAD EMPRESARIAL"})
    cmbRegimen.AddItem(regimen);
  Ubica(cmbRegimen, 232, 270, 380, 30, kTabRegimen);
  Agrega(chkRegDef, "chkRegDef");
  chkRegDef.Caption = "Agregar registros default";
  Ubica(chkRegDef, 630, 272, 196, 26, kTabRegDef);

  Agrega(chkCA, "chkCA");
  chkCA.Caption = "Ruta para imágenes";
  Ubica(chkCA, 16, 314, 160, 26, kTabCA);
  Agrega(Label2, "Label2");
  Label2.Caption = "Ruta de directorio Norvale Soft Velmar";
  Ubica(Label2, 180, 316, 284, 26, kTabNinguno);
  Agrega(cmdRutaImg, "cmdRutaImg");
  cmdRutaImg.ToolTipText = "Buscar ruta de directorio de Norvale Soft";
  cmdRutaImg.Picture = "carpeta";
  cmdRutaImg.Enabled = false;
  Ubica(cmdRutaImg, 466, 311, 34, 34, kTabRutaImg);
  Agrega(txtRutaImagenes, "txtRutaImagenes");
  Ubica(txtRutaImagenes, 506, 312, 320, 30, kTabRutaImagenes);

  Agrega(lblMensaje, "lblMensaje");
  Ubica(lblMensaje, 16, 356, 810, 80, kTabNinguno);
}

void frmActIngreso::ConectaEventos() {
  for (int i = 0; i < 4; ++i) chkProyecto[i].alHacerClic = [this, i] { chkProyecto_Click(i); };
  ConectaEventosDeConexion();
  for (int i = 0; i < 2; ++i) cmdOpc[i].alHacerClic = [this, i] { cmdOpc_Click(i); };
  chkCA.alHacerClic = [this] { chkCA_Click(); };
  cmdRutaImg.alHacerClic = [this] { cmdRutaImg_Click(); };
}
