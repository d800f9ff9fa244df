#include "steps/5x/modVersion54.h"

#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

void ModificarEstructura54(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura54", iManejador);
  r.ArmaManejador();

  r.Ejecuta(AmpliaTexto(iManejador, "tblEmpresa", "DIR1_EMP", 70));
  r.Ejecuta("ALTER TABLE tblEmpresa DROP COLUMN DIR2_EMP;");

  r.RegistraVersion(540);
}

void ActualizaCamposVersion54(ado::Connection& cnx) {
  Rutina r(cnx, "ActualizaCamposVersion54");
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblEmpresa SET EXT_EMP='' WHERE EXT_EMP IS NULL;");
  r.Ejecuta("UPDATE tblEmpresa SET INT_EMP='' WHERE INT_EMP IS NULL;");
  r.Ejecuta("UPDATE tblEmpresa SET COL_EMP='' WHERE COL_EMP IS NULL;");
  r.Ejecuta("UPDATE tblEmpresa SET CP_EMP='' WHERE CP_EMP IS NULL;");

  // Air-time carrier 6 is gone; two of its amounts are sold under carrier 0.
  r.Ejecuta("DELETE FROM tblEmpresasTA WHERE COD_EMPRESA=6;");
  r.Ejecuta("UPDATE tblMontosTA SET COD_EMPRESA=0 WHERE (COD_EMPRESA=6) AND (CLAVE_TA='SM060');");
  r.Ejecuta("UPDATE tblMontosTA SET COD_EMPRESA=0 WHERE (COD_EMPRESA=6) AND (CLAVE_TA='SM120');");

  r.Ejecuta("UPDATE tblCatArticulos SET COD_TIPO=1 WHERE COD_TIPO IS NULL;");
  r.Ejecuta("UPDATE tblCatArticulos SET COD_TIPO=1 WHERE COD_TIPO=0;");

  r.Ejecuta("UPDATE tblParametrosGenerales SET ACT_CIN=0 WHERE ACT_CIN IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET CONX_CIN='' WHERE CONX_CIN IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET OBLIGA_BASC=0 WHERE OBLIGA_BASC IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_LLAVE='' WHERE FE_LLAVE IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_LLAVEPWD='' WHERE FE_LLAVEPWD IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_CERTIFICADO='' WHERE FE_CERTIFICADO IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_ZONAHORA='' WHERE FE_ZONAHORA IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_PAC=1 WHERE FE_PAC IS NULL;");

  r.Ejecuta("UPDATE tblCatAlmacenes SET AP_ALM=0 WHERE AP_ALM IS NULL;");
  r.Ejecuta("UPDATE tblConceptos SET AP_ABONO=0 WHERE AP_ABONO IS NULL;");
  r.Ejecuta("UPDATE tblCajas SET IMP_APTICKET=0 WHERE IMP_APTICKET IS NULL;");
  r.Ejecuta("UPDATE tblFormasPago SET FRP_APAR=0 WHERE FRP_APAR IS NULL;");

  // The first profiles get both permissions on every run, whatever they held.
  r.Ejecuta("UPDATE tblPerfilPermisos SET PV_BLOQUEARAPAR=0 WHERE PV_BLOQUEARAPAR IS NULL;");
  r.Ejecuta("UPDATE tblPerfilPermisos SET PV_BLOQUEARAPAR=1 WHERE COD_PERFIL < 4;");
  r.Ejecuta("UPDATE tblPerfilPermisos SET FF_MOVSMESACUENTA=0 WHERE FF_MOVSMESACUENTA IS NULL;");
  r.Ejecuta("UPDATE tblPerfilPermisos SET FF_MOVSMESACUENTA=1 WHERE COD_PERFIL < 2;");

  OtorgaMenu(r, {.opcion = "mnuArchivoAgregarEmp",
                 .titulo = "Agregar Empresa",
                 .rama = 1,
                 .modulos = {{60, 3}},
                 .plantilla = PlantillaMenu::PorPerfil,
                 .perfiles = {0, 1}});
  OtorgaMenu(r, {.opcion = "mnuAlmSeg",
                 .titulo = "Segmentables",
                 .rama = 60,
                 .modulos = {{10, 68}},
                 .plantilla = PlantillaMenu::PorPerfil,
                 .perfiles = {0, 1, 2},
                 .usuarios = MenusDeUsuario::BuscandoOrden,
                 .seleccionUsuarios = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU < 3;"});

  r.RegistraVersion(540);
}
