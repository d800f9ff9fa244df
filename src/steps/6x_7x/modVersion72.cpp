#include "steps/6x_7x/modVersion72.h"

#include "steps/6x_7x/BloquesTarjetasYServicios.h"
#include "steps/MarcoRutina.h"

void ModificarEstructura72(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura72", iManejador);
  // No handler yet: a provider that cannot be looked up or added stops the ladder before
  // 720 is recorded. Existing provider rows are never changed.
  for (int codigo : {1, 2, 3, 4}) SiembraProveedorTC(r, codigo);

  r.ArmaManejador();
  ReparaCaducidadesInvFisico(r, iManejador);
  AseguraServiciosElectronicos(r);

  r.RegistraVersion(720);
}
