#include "steps/8x_9x/modVersion84.h"

#include <string>

#include "data/clsBaseDatos.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/8x_9x/RevisionRegistrosDefault.h"

namespace {

// The long-text type of each engine, as large as MySQL's MEDIUMTEXT: a CFDI original
// string does not fit in a VARCHAR.
std::string TipoTextoLargo(std::int16_t iManejador) {
  switch (iManejador) {
    case ManejadorAccess: return "MEMO;";
    case ManejadorSQLServer: return "VARCHAR(MAX);";
    default: return "MEDIUMTEXT;";
  }
}

}  // namespace

void ModificarEstructura84(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura84", iManejador);
  r.Ejecuta(CambiaColumna(iManejador, "tblFacturaElectronica", "CADENA_ORIGINAL",
                          TipoTextoLargo(iManejador)));  // unguarded

  r.ArmaManejador();
  r.Ejecuta("UPDATE tblUndCosPreArt SET PCIO_PUNTOS=0 WHERE (PCIO_PUNTOS IS NULL);");
  r.Ejecuta("UPDATE tblVentaEnEspera SET MAIL_AFILIA='' WHERE (MAIL_AFILIA IS NULL);");
  r.Ejecuta("UPDATE tblVentaEnEspera SET PRECIO_PTOS=0 WHERE (PRECIO_PTOS IS NULL);");
  r.Ejecuta("UPDATE tblTiposPago SET PAGO_CFDI=0;");
  r.Ejecuta("UPDATE tblVentaEnEspera SET CAJA_ORIGEN=0 WHERE (CAJA_ORIGEN IS NULL);");

  r.SinManejador();
  if (iVersionActual == 840) modVersion84::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);
  r.ArmaManejador();

  r.RegistraVersion(840);
  r.SinManejador();
}

void modVersion84::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision84);
}
