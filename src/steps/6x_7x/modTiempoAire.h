#pragma once
// The air-time catalogue, rebuilt by many ladder steps from a catalogue fixed in the
// program: the carriers (tblEmpresasTA), their top-up amounts (tblMontosTA) and, through
// ActualizaArticulosTA (modArticulosTA.h), the service articles that sell them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ado/Ado.h"

// Empties tblEmpresasTA and inserts the nine carriers with their pictures under
// sRutaImagenes, then rebuilds the amounts of tblMontosTA and the air-time articles.
// Records no version; has no error handler, so a failure reaches the caller.
void ActualizaTiempoAire(ado::Connection& cnx, std::string sRutaImagenes, std::int16_t iManejador,
                         std::int16_t iVersionDestino);

// Empties tblMontosTA and inserts the amounts of the fixed catalogue, divided by ten when
// the general parameter TA_CADENA is 1. No error handler: a failure reaches the caller.
void ActualizaMontosTA(ado::Connection& cnx);

// One top-up amount of the fixed catalogue.
struct MontoTA {
  std::int32_t COD_EMPRESA = 0;  // the carrier
  std::int32_t MONTO_TA = 0;     // a whole amount, a multiple of ten
  std::string CLAVE_TA;          // the carrier's letter and the amount in three digits or more
};

// Appends the 40 amounts of the catalogue, by carrier and amount.
void LlenaCatalogoMontosTA(std::vector<MontoTA>& catalogo);
