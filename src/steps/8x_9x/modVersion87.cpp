#include "steps/8x_9x/modVersion87.h"

#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/MarcoRutina.h"

void ModificarEstructura87(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  // Before the handler is armed: a failure that leaves the check stops the step.
  if (iVersionActual == 870)
    modVersion87::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);

  Rutina r(cnx, "ModificarEstructura87", iManejador);
  r.ArmaManejador();
  r.Ejecuta("UPDATE tblConceptos SET CON_AJUSTE=0 WHERE (CON_AJUSTE IS NULL);");
  r.RegistraVersion(870);
}

void modVersion87::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision87);
}
