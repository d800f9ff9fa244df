#include "steps/RutinaNoConstruida.h"

#include <string>

void RutinaNoConstruida(const char* sRutina) {
  vb::Raise(kErrorRutinaNoConstruida, std::string(sRutina) + ": rutina no construida todavía",
            sRutina);
}
