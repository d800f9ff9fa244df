#include "steps/6x_7x/ReparaCaducidadInvFisico.h"

#include <string>

#include "data/clsBaseDatos.h"
#include "steps/FormasDialecto.h"

void ReparaCaducidadInvFisico(Rutina& r, std::int16_t iManejador) {
  const std::string sFecha = FechaLiteral(iManejador, 1800, 1, 1);
  r.Ejecuta("UPDATE tblRenInvFisico SET FEC_CAD=" + sFecha + " WHERE (FEC_CAD IS NULL);");
  if (iManejador == ManejadorMySQL)
    r.Ejecuta("UPDATE tblRenInvFisico SET FEC_CAD=" + sFecha + " WHERE (FEC_CAD='0000-00-00');");
}
