#include "steps/6x_7x/modVersion71.h"

#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/ServiciosElectronicos.h"
#include "steps/MarcoRutina.h"

void ModificarEstructura71(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura71", iManejador);
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblNotasPorFactura SET TOTAL_NV=0 WHERE (TOTAL_NV IS NULL);");
  ReparaCaducidadInvFisico(r, iManejador);
  AseguraServiciosElectronicos(r);

  r.RegistraVersion(710);
}
