#include "steps/5x/modVersion56.h"

#include <string>

#include "data/clsBaseDatos.h"
#include "platform/win/Sistema.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

namespace {

// The three small catalogues are seeded only when empty. Their lookups open under the
// handler; the tests, seeds and closes run without one, so a failure there stops the
// update.
void SiembraCartas(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT * FROM tblCartas;");
  r.SinManejador();
  if (r.SinFilas(rs)) {
    r.Ejecuta("INSERT INTO tblCartas (COD_CARTA,DES_CARTA,ORDEN_CARTA) VALUES (1,'CARTA 1',1);");
    r.Ejecuta("INSERT INTO tblCartas (COD_CARTA,DES_CARTA,ORDEN_CARTA) VALUES (2,'CARTA 2',2);");
    r.Ejecuta("INSERT INTO tblCartas (COD_CARTA,DES_CARTA,ORDEN_CARTA) VALUES (3,'CARTA 3',3);");
  }
  r.Cierra(rs);
  r.ArmaManejador();
}

// An empty table gets the three regimes, all inactive; a filled one gets their current
// descriptions, whatever codes it holds.
void SiembraRegimenes(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT * FROM tblRegimenEmpresa;");
  r.SinManejador();
  if (r.SinFilas(rs)) {
    r.Ejecuta(
        "INSERT INTO tblRegimenEmpresa (COD_REGIMEN,DES_REGIMEN,ACTIVO) VALUES "
        "(1,'PERSONA MORAL',0);");
    r.Ejecuta(
        "INSERT INTO tblRegimenEmpresa (COD_REGIMEN,DES_REGIMEN,ACTIVO) VALUES "
        "(2,'PERSONA FÍSICA RÉGIMEN GENERAL DE LEY',0);");
    r.Ejecuta(
        "INSERT INTO tblRegimenEmpresa (COD_REGIMEN,DES_REGIMEN,ACTIVO) VALUES "
        "(3,'PERSONA FÍSICA CON ACTIVIDAD EMPRESARIAL RÉGIMEN INTERMEDIO',0);");
  } else {
    r.Ejecuta("UPDATE tblRegimenEmpresa SET DES_REGIMEN='PERSONA MORAL' WHERE COD_REGIMEN=1;");
    r.Ejecuta(
        "UPDATE tblRegimenEmpresa SET DES_REGIMEN='PERSONA FÍSICA RÉGIMEN GENERAL DE LEY' "
        "WHERE COD_REGIMEN=2;");
    r.Ejecuta(
        "UPDATE tblRegimenEmpresa SET DES_REGIMEN='PERSONA FÍSICA CON ACTIVIDAD "
        "EMPRESARIAL RÉGIMEN INTERMEDIO' WHERE COD_REGIMEN=3;");
  }
  r.Cierra(rs);
  r.ArmaManejador();
}

void SiembraExpediciones(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT * FROM tblExpedicion;");
  r.SinManejador();
  if (r.SinFilas(rs)) {
    r.Ejecuta("INSERT INTO tblExpedicion (COD_EXPED,DES_EXPED) VALUES (1,'MATRIZ');");
    r.Ejecuta("INSERT INTO tblExpedicion (COD_EXPED,DES_EXPED) VALUES (2,'SUCURSAL');");
  }
  r.Cierra(rs);
  r.ArmaManejador();
}

// Table-service lines without an order date or time get today's date and the time of
// the run, the same for every line.
void ReparaFechaYHoraDeMesas(Rutina& r, std::int16_t iManejador) {
  clsBaseDatos bd;
  const std::string sFecha = bd.GeneraFecHr(FecHrFecha, win::Date(), iManejador);
  const std::string sHora = bd.GeneraFecHr(FecHrHora, win::Time(), iManejador);
  r.Ejecuta("UPDATE tblRenMesas SET FECHA_COM=" + sFecha + " WHERE FECHA_COM IS NULL;");
  if (iManejador == ManejadorMySQL)
    r.Ejecuta("UPDATE tblRenMesas SET FECHA_COM=" + sFecha + " WHERE FECHA_COM='0000-00-00';");
  r.Ejecuta("UPDATE tblRenMesas SET HORA_COM=" + sHora + " WHERE (HORA_COM IS NULL);");
}

// Profile 0's template row decides for profiles 0 and 1; the users of profiles 0 and 1
// get their rows in both per-user tables without a check. Only the inserts run under
// the handler.
void OtorgaMenuDe56(Rutina& r, const char* opcion, const char* titulo, int rama, int ordenPV,
                    int ordenFF) {
  OtorgaMenu(r, {.opcion = opcion,
                 .titulo = titulo,
                 .rama = rama,
                 .modulos = {{10, ordenPV}, {11, ordenFF}},
                 .plantilla = PlantillaMenu::SegunPerfil0,
                 .perfiles = {0, 1},
                 .usuarios = MenusDeUsuario::SinBuscar,
                 .seleccionUsuarios = "SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);",
                 .manejo = ManejoDelPermiso::SoloInserciones});
}

}  // namespace

void ModificarEstructura56(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura56", iManejador);
  r.ArmaManejador();

  r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "TA_PASSWORD", 40));

  r.RegistraVersion(560);
}

void ActualizaCamposVersion56(ado::Connection& cnx, std::int16_t iManejador,
                              std::uint8_t iRegimen) {
  Rutina r(cnx, "ActualizaCamposVersion56", iManejador);
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblArtiProveedor SET ART_PROV='' WHERE (ART_PROV IS NULL);");
  r.Ejecuta("UPDATE tblArtiProveedor SET ES_PRINCIPAL=0 WHERE (ES_PRINCIPAL IS NULL);");
  r.Ejecuta("UPDATE tblGruposPVEnc SET COD_CARTA=1 WHERE (COD_CARTA IS NULL) OR (COD_CARTA=0);");
  r.Ejecuta("UPDATE tblPuntos SET PRINT_TICKET=0 WHERE (PRINT_TICKET IS NULL);");
  r.Ejecuta("UPDATE tblTiposPago SET CAR_HOT=0 WHERE (CAR_HOT IS NULL);");
  r.Ejecuta("UPDATE tblTiposPago SET CAR_DET=0 WHERE (CAR_DET IS NULL);");

  SiembraCartas(r);
  SiembraRegimenes(r);
  r.Ejecuta("UPDATE tblRegimenEmpresa SET ACTIVO=1 WHERE COD_REGIMEN=" + std::to_string(iRegimen) +
            ";");
  SiembraExpediciones(r);

  r.Ejecuta("UPDATE tblEmpresa SET EXPEDICION=1 WHERE (EXPEDICION IS NULL) OR (EXPEDICION=0);");
  r.Ejecuta("UPDATE tblTiposPago SET PAGO_CFDI=0 WHERE (PAGO_CFDI IS NULL);");
  r.Ejecuta("UPDATE tblAuxCaja SET CTA_PAGO='' WHERE (CTA_PAGO IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET REGIMENES='' WHERE (REGIMENES IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET COND_PAGO='' WHERE (COND_PAGO IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET METODO_PAGO='' WHERE (METODO_PAGO IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET NUMCTA_PAGO='' WHERE (NUMCTA_PAGO IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET LUGAR_EXPED=0 WHERE (LUGAR_EXPED IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET TIPO_MONEDA='' WHERE (TIPO_MONEDA IS NULL);");
  r.Ejecuta("UPDATE tblParametrosGenerales SET PROM_TOLERA=0 WHERE (PROM_TOLERA IS NULL);");
  r.Ejecuta("UPDATE tblOfertas SET PROM_CANT1=0 WHERE (PROM_CANT1 IS NULL);");
  r.Ejecuta("UPDATE tblOfertas SET PROM_CANT2=0 WHERE (PROM_CANT2 IS NULL);");
  r.Ejecuta("UPDATE tblOfertas SET ART_COD=1 WHERE (ART_COD IS NULL) OR (ART_COD=0);");

  ReparaFechaYHoraDeMesas(r, iManejador);

  r.Ejecuta("UPDATE tblRenMesas SET PROMO_CANT1=0 WHERE (PROMO_CANT1 IS NULL);");
  r.Ejecuta("UPDATE tblRenMesas SET PROMO_CANT2=0 WHERE (PROMO_CANT2 IS NULL);");

  OtorgaMenuDe56(r, "mnuCarMas", "Cargo Masivo", 40, 46, 46);
  OtorgaMenuDe56(r, "mnuTabReg", "Regímenes Fiscales", 160, 179, 181);

  r.ArmaManejador();
  r.RegistraVersion(560);
}
