#include "steps/6x_7x/RellenaNulos.h"

std::string SentenciaRellenoNulo(const RellenoNulo& relleno) {
  const std::string campo = relleno.campo;
  return std::string("UPDATE ") + relleno.tabla + " SET " + campo + "=" + relleno.valor +
         " WHERE (" + campo + " IS NULL);";
}

void RellenaNulos(Rutina& r, std::span<const RellenoNulo> rellenos) {
  for (const RellenoNulo& relleno : rellenos) r.Ejecuta(SentenciaRellenoNulo(relleno));
}
