#pragma once
// Null fills: one UPDATE per column that gives the rows still holding Null in it a fixed
// value, as several versions send them:
//   UPDATE tblAreasImpresion SET VER_MESERO=1 WHERE (VER_MESERO IS NULL);
#include <span>
#include <string>

#include "steps/MarcoRutina.h"

struct RellenoNulo {
  const char* tabla;
  const char* campo;
  const char* valor;  // as it goes into the statement: "0", "1" or "''"
};

// "UPDATE " tabla " SET " campo "=" valor " WHERE (" campo " IS NULL);"
std::string SentenciaRellenoNulo(const RellenoNulo& relleno);

// Sends the fills in order, each under the routine's current handler state.
void RellenaNulos(Rutina& r, std::span<const RellenoNulo> rellenos);
