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
  DisenaRutaOdbc();
  DisenaSqlServer();
  DisenaRegimenYRuta();
  ConectaEventos();
}

void frmActIngreso::DisenaMotorYTipos() {
  const char* motores[] = {"Base de Datos en MS Access ® 2000", "Base de Datos en MySQL ®",
                           "Base de Datos en SQL Server ®"};
  const long filaDeMotor[] = {76, 16, 46};  // the hidden MS Access option goes last
  for (int i = 0; i < 3; ++i) {
    Agrega(optTipoBD[i], "optTipoBD", i);
    optTipoBD[i].Caption = motores[i];
    Ubica(optTipoBD[i], 16, filaDeMotor[i], 330, 26, kTabAccess + i);
  }
  optTipoBD[0].Visible = optTipoBD[0].Enabled = false;

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

  const char* ayudas[] = {"Actualizar", "Salir"};
  const char* imagenes[] = {"actualizar", "salir"};
  for (int i = 0; i < 2; ++i) {
    Agrega(cmdOpc[i], "cmdOpc", i);
    cmdOpc[i].ToolTipText = ayudas[i];
    cmdOpc[i].Picture = imagenes[i];
    Ubica(cmdOpc[i], 688 + 73 * i, 12, 65, 65, kTabActualizar + i);
  }
}

void frmActIngreso::DisenaRutaOdbc() {
  Agrega(Label1[1], "Label1", 1);
  Label1[1].Caption = "DSN=";
  Ubica(Label1[1], 16, 128, 48, 26, kTabNinguno);
  Agrega(cmbDSNList, "cmbDSNList");
  Ubica(cmbDSNList, 66, 124, 300, 30, kTabDsn);
  Agrega(Label1[0], "Label1", 0);
  Label1[0].Caption = "Nombre de Base de Datos";
  Ubica(Label1[0], 420, 128, 185, 26, kTabNinguno);
  Agrega(txtNomBD, "txtNomBD");
  Ubica(txtNomBD, 606, 124, 220, 30, kTabNomBD);
  for (ui::Control* control : std::initializer_list<ui::Control*>{&Label1[1], &cmbDSNList, &Label1[0], &txtNomBD})
    control->Visible = false;
  txtNomBD.Enabled = false;

  Agrega(lblRuta, "lblRuta");
  Ubica(lblRuta, 16, 128, 350, 26, kTabNinguno);
  Agrega(lblEmp, "lblEmp");
  Ubica(lblEmp, 16, 160, 350, 26, kTabNinguno);
  lblEmp.Visible = false;
  Agrega(cmdBusMdb, "cmdBusMdb");
  cmdBusMdb.ToolTipText = "Buscar BD en Access";
  cmdBusMdb.Picture = "buscar";
  Ubica(cmdBusMdb, 372, 123, 32, 32, kTabBusMdb);
  cmdBusMdb.Visible = cmdBusMdb.Enabled = false;
}

void frmActIngreso::DisenaSqlServer() {
  Agrega(fmeSqlServer, "fmeSqlServer");
  Ubica(fmeSqlServer, 16, 112, 810, 144, kTabNinguno);
  fmeSqlServer.Visible = fmeSqlServer.Enabled = false;
  struct Fila {
    int indice;
    const char* caption;
    const char* ayuda;
    ui::TextBox* caja;
    int tab;
  };
  const Fila filas[] = {
      {2, "Nombre de equipo o IP", "Nombre del equipo o IP donde reside la base de datos Sql", &txtServerName, kTabServidor},
      {8, "Nombre de Base de Datos", "Nombre de la base de datos Sql", &txtDBName, kTabBaseSql},
      {11, "Nombre de Instancia Sql", "Nombre de la instancia Sql al cual se va a tratar de conectar  ",
       &txtInstanceNameSql, kTabInstancia}};
  const char* nombres[] = {"txtServerName", "txtDBName", "txtInstanceNameSql"};
  for (int i = 0; i < 3; ++i) {
    ui::Label& etiqueta = lblDatos[filas[i].indice];
    Agrega(etiqueta, "lblDatos", filas[i].indice, &fmeSqlServer);
    etiqueta.Caption = filas[i].caption;
    etiqueta.ToolTipText = filas[i].ayuda;
    Ubica(etiqueta, 12, 22 + 38 * i, 190, 26, kTabNinguno);
    Agrega(*filas[i].caja, nombres[i], -1, &fmeSqlServer);
    filas[i].caja->MaxLength = 50;
    Ubica(*filas[i].caja, 204, 18 + 38 * i, 200, 30, filas[i].tab);
  }

  Agrega(fmeAutenticaSQL, "fmeAutenticaSQL", -1, &fmeSqlServer);
  fmeAutenticaSQL.Caption = "Autenticación";
  Ubica(fmeAutenticaSQL, 420, 6, 380, 130, kTabNinguno);
  const char* autenticaciones[] = {"Windows", "SQL Server"};
  const char* ayudas[] = {"Autenticacion basada en seguridad Windows", "Autenticación basada en seguridad SQL Server"};
  for (int i = 0; i < 2; ++i) {
    Agrega(optAutentication[i], "optAutentication", i, &fmeAutenticaSQL);
    optAutentication[i].Caption = autenticaciones[i];
    optAutentication[i].ToolTipText = ayudas[i];
    Ubica(optAutentication[i], 12 + 130 * i, 28, 124, 26, kTabWindows + i);
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
    Ubica(etiqueta, 12, 62 + 34 * i, 96, 26, kTabNinguno);
    Agrega(*cajas[i], nombresDeCaja[i], -1, &fmeAutenticaSQL);
    cajas[i]->MaxLength = 50;
    cajas[i]->Enabled = false;
    Ubica(*cajas[i], 110, 60 + 34 * i, 258, 30, kTabUsuario + i);
  }
  txtUserPasswordSql.PasswordChar = '*';
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
  for (int i = 0; i < 3; ++i) optTipoBD[i].alHacerClic = [this, i] { optTipoBD_Click(i); };
  for (int i = 0; i < 2; ++i) {
    optAutentication[i].alHacerClic = [this, i] { optAutentication_Click(i); };
    cmdOpc[i].alHacerClic = [this, i] { cmdOpc_Click(i); };
  }
  cmbDSNList.alHacerClic = [this] { cmbDSNList_Click(); };
  txtNomBD.alCambiar = [this] { txtNomBD_Change(); };
  chkCA.alHacerClic = [this] { chkCA_Click(); };
  cmdRutaImg.alHacerClic = [this] { cmdRutaImg_Click(); };
}
