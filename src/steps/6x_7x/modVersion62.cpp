#include "steps/6x_7x/modVersion62.h"

#include <array>

#include "steps/6x_7x/ProveedoresTarjeta.h"
#include "steps/6x_7x/modVersion61.h"
#include "steps/6x_7x/RellenaNulos.h"
#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/MarcoRutina.h"

void ModificarEstructura62(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura62", iManejador);
  r.ArmaManejador();

  // The providers start again from the two that 6.2 knows; rows entered by users go too.
  r.Ejecuta("DELETE FROM tblProveedoresTC;");
  AgregaProveedorTC(r, 1, iVersionDestino);
  AgregaProveedorTC(r, 3, iVersionDestino);
  r.Ejecuta("DELETE FROM tblTcPromociones;");

  // A site means nothing without the card service.
  r.Ejecuta(
      "UPDATE tblParametrosGenerales SET TC_IDSITIO='' WHERE (TC_IDSITIO IS NULL) OR "
      "(TC_SERVICIO=0);");
  RellenaNulos(r, kRellenosAprobacionesTC);
  CopiaConceptosDeCaja(r);
  ReparaCaducidadInvFisico(r, iManejador);

  r.RegistraVersion(620);
}

void CopiaConceptosDeCaja(Rutina& r) {
  r.Ejecuta(
      "UPDATE tblAuxCaja SET CON_CEP=COD_CON WHERE (COD_CON IN('IEFE','RCAJ')) AND "
      "(CON_CEP='');");
}
