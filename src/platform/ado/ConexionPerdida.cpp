#include "platform/ado/ConexionPerdida.h"

#include "platform/ado/Provider.h"

namespace ado {

namespace {
constexpr long kServidorAusente = 2006;  // CR_SERVER_GONE_ERROR
constexpr long kConexionCortada = 2013;  // CR_SERVER_LOST
}  // namespace

bool EsConexionPerdida(const vb::Error& error) {
  const auto* proveedor = dynamic_cast<const ProviderError*>(&error);
  if (!proveedor) return false;
  for (const ErrorInfo& info : proveedor->Errors())
    if (info.SQLState.rfind("08", 0) == 0 || info.NativeError == kServidorAusente ||
        info.NativeError == kConexionCortada)
      return true;
  return false;
}

}  // namespace ado
