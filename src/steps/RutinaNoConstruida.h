#pragma once
// Version routines that this build does not hold yet. Each one's body is a single call
// of RutinaNoConstruida, which raises a clear error: a routine that does not exist can
// never pass for one that ran. The ladder lets this error through even where it passes
// over a routine's other failures, so that no migration is skipped unnoticed.
#include "platform/vb/Error.h"

constexpr long kErrorRutinaNoConstruida = 32000;

// Raises kErrorRutinaNoConstruida with "<sRutina>: rutina no construida todavía".
[[noreturn]] void RutinaNoConstruida(const char* sRutina);

inline bool EsRutinaNoConstruida(const vb::Error& error) {
  return error.Number() == kErrorRutinaNoConstruida;
}
