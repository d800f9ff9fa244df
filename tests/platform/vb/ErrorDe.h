#pragma once
#include <functional>

#include "platform/vb/Error.h"

namespace vb {

// Runs `accion` and gives the number of the runtime error it raised, 0 if none.
inline long ErrorDe(const std::function<void()>& accion) {
  try {
    accion();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace vb
