#include "steps/8x_9x/modVersion82.h"

#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/8x_9x/RevisionRegistrosDefault.h"

void ModificarEstructura82(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino, std::int16_t iDestino) {
  Rutina r(cnx, "ModificarEstructura82", iManejador);
  r.Ejecuta(AmpliaTexto(iManejador, "tblComprasEnc", "PED_IMP", 21));  // unguarded
  r.Ejecuta(AmpliaTexto(iManejador, "tblOCOMEnc", "PED_IMP", 21));

  r.ArmaManejador();
  r.Ejecuta("UPDATE tblAuxCaja SET BANCO_ORDEN='' WHERE (BANCO_ORDEN IS NULL);");
  r.Ejecuta("UPDATE tblCostos SET NUM_PEDIM='' WHERE (NUM_PEDIM IS NULL);");
  r.Ejecuta("UPDATE tblFormasPago SET CLAVE_SAT='99',SAT_MPAGO='Por definir' WHERE COD_PAG IN(0,3);");
  if (iDestino == 820) r.Ejecuta("UPDATE tblConceptos SET CFDI_PAGO=0;");

  r.SinManejador();
  modVersion82::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);
  r.ArmaManejador();

  r.RegistraVersion(820);
  r.SinManejador();
}

void modVersion82::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision82);
}
