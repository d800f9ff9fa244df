#include "steps/6x_7x/modVersion73.h"

#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/ServiciosElectronicos.h"
#include "steps/6x_7x/SitioPruebaProveedor4.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

// Returns, parameters, invoices and the test site of provider 4. Below 7.3 every return
// counts as sent and every parameters row keeps batch expiries; a database already at
// 7.3 only has its Nulls filled.
void AjustaDevolucionesYParametros(Rutina& r, std::int16_t iVersionActual) {
  const bool desdeAntes = iVersionActual < 730;
  if (desdeAntes) {
    r.Ejecuta("UPDATE tblEncDevolucion SET ENVIADO=1 WHERE (ENVIADO IS NULL);");
    r.Ejecuta("UPDATE tblEncDevolucion SET ENVIADO=1 WHERE (ENVIADO=0);");
  } else {
    r.Ejecuta("UPDATE tblEncDevolucion SET ENVIADO=0 WHERE (ENVIADO IS NULL);");
  }
  r.Ejecuta("UPDATE tblParametrosGenerales SET CP_PLAZOBACK=0 WHERE (CP_PLAZOBACK IS NULL);");
  r.Ejecuta("UPDATE tblParametrosGenerales SET PV_LOTCAD=1 WHERE (PV_LOTCAD IS NULL);");
  if (desdeAntes) r.Ejecuta("UPDATE tblParametrosGenerales SET PV_LOTCAD=1;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET REM_CODPROV=0 WHERE (REM_CODPROV IS NULL);");
  r.Ejecuta("UPDATE tblFacturasEnc SET SAT_MPAGO='' WHERE (SAT_MPAGO IS NULL);");
  r.Ejecuta("UPDATE tblFacturasEnc SET CTA_PAGO='' WHERE (CTA_PAGO IS NULL);");
  r.Ejecuta(SitioPruebaEnProveedor4());
  r.Ejecuta(SitioPruebaEnParametros());
}

}  // namespace

void ModificarEstructura73(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual) {
  Rutina r(cnx, "ModificarEstructura73", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblEmpresa", "INT_EMP", 255));
  r.Ejecuta(AmpliaTexto(iManejador, "tblLugarExpedicion", "INT_EXP", 255));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatClientes", "NUM_INT", 255));

  // Without a handler: a failure here stops the ladder, and the step is run again.
  r.SinManejador();
  AjustaDevolucionesYParametros(r, iVersionActual);

  r.ArmaManejador();
  ReparaCaducidadInvFisico(r, iManejador);
  AseguraServiciosElectronicos(r);

  r.RegistraVersion(730);
}
