#include "platform/ui/Services.h"

#include "platform/vb/Error.h"

namespace ui {

namespace {
Services* instalados = nullptr;
}

Services& Actual() {
  if (!instalados) vb::Raise(vb::err::ObjectRequired, "No user-interface services are installed");
  return *instalados;
}

void Instala(Services* services) { instalados = services; }

}  // namespace ui
