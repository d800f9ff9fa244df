#include "steps/5x/modVersion57.h"

#include <string>

#include "steps/CopiaSucursal.h"
#include "steps/DireccionTiempoAire.h"
#include "steps/MarcoRutina.h"

void ActualizaCamposVersion57(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ActualizaCamposVersion57", iManejador);
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblCatClientes SET METODO_PAGO=1 WHERE (METODO_PAGO IS NULL);");
  r.Ejecuta("UPDATE tblCatClientes SET CUENTA_PAGO='' WHERE (CUENTA_PAGO IS NULL);");
  r.Ejecuta("UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO WHERE (TA_USUARIO2 IS NULL);");
  r.Ejecuta("UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO WHERE (TA_USUARIO2='');");
  r.Ejecuta("UPDATE tblCajas SET TA_PASSWORD2 = TA_PASSWORD WHERE (TA_PASSWORD2 IS NULL);");
  r.Ejecuta("UPDATE tblCajas SET TA_PASSWORD2 = TA_PASSWORD WHERE (TA_PASSWORD2='');");
  r.Ejecuta(std::string("UPDATE tblParametrosGenerales SET TA_URL='") + kDireccionTiempoAire +
            "';");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_PFX='' WHERE (FE_PFX IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET CONCILIADA=0 WHERE (CONCILIADA IS NULL);");

  CopiaSucursal(r, iManejador);

  r.RegistraVersion(570);
}
