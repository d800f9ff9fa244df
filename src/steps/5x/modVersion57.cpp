#include "steps/5x/modVersion57.h"

#include <string>

#include "data/clsBaseDatos.h"
#include "steps/MarcoRutina.h"

namespace {

// Till movements and cash cuts without a branch code (Null or empty) get the branch of
// the general parameters' first row, or the empty text when it has none.
void CopiaSucursal(Rutina& r, std::int16_t iManejador) {
  std::string sSucursal;
  ado::Recordset rs = r.Abre("SELECT COD_SUCU FROM tblParametrosGenerales;");
  if (r.ConFilas(rs)) r.Lee(sSucursal, rs, "COD_SUCU");
  r.Cierra(rs);

  std::string sVacio = "LEN(COD_SUCU)=0";
  if (iManejador == ManejadorMySQL) clsBaseDatos().ConvierteLen(sVacio);
  r.Ejecuta("UPDATE tblAuxCaja SET COD_SUCU='" + r.Une(sSucursal) +
            "' WHERE (COD_SUCU IS NULL) OR (" + sVacio + ");");
  r.Ejecuta("UPDATE tblCortes SET COD_SUCU='" + r.Une(sSucursal) +
            "' WHERE (COD_SUCU IS NULL) OR (" + sVacio + ");");
}

}  // namespace

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
