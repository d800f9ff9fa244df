#include "steps/8x_9x/modVersion93.h"

#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

void ModificarEstructura93(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura93", iManejador);
  r.ArmaManejador();
  // Only MySQL is asked "IF EXISTS": elsewhere a missing table gives one log entry.
  r.Ejecuta(BorraTabla(iManejador, "tblPedidosRest"));
  r.Ejecuta("UPDATE tblEncPedidosRest SET TIPO_ENTREGA=0 WHERE TIPO_ENTREGA IS NULL;");
  r.Ejecuta("UPDATE tblEncPedidosRest SET STS_ENTREGA=0 WHERE STS_ENTREGA IS NULL;");
  r.Ejecuta("UPDATE tblEncPedidosRest SET COD_MESA='' WHERE COD_MESA IS NULL;");
  r.RegistraVersion(930);
}
