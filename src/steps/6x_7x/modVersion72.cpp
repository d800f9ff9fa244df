#include "steps/6x_7x/modVersion72.h"

#include "steps/6x_7x/ProveedoresTarjeta.h"
#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/ServiciosElectronicos.h"
#include "steps/MarcoRutina.h"

void ModificarEstructura72(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura72", iManejador);
  // No handler yet: a provider that cannot be looked up or added stops the ladder before
  // 720 is recorded. Existing provider rows are never changed.
  for (int codigo : {1, 2, 3, 4}) AgregaProveedorTC(r, codigo);

  r.ArmaManejador();
  ReparaCaducidadInvFisico(r, iManejador);
  AseguraServiciosElectronicos(r);

  r.RegistraVersion(720);
}
