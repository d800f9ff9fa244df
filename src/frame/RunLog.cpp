#include "frame/RunLog.h"

#include <fstream>

#include "frame/modPrincipal.h"
#include "platform/vb/Error.h"
#include "platform/win/Sistema.h"

namespace {
constexpr long kErrorDeArchivo = 75;  // Path/File access error
}  // namespace

void EscribeEntradaLog(const std::string& sEtiqueta, long lNumero,
                       const std::string& sDescripcion) {
  const std::string ruta = win::RutaLocal(gRutaLog);
  std::ofstream archivo;
  if (!ruta.empty()) archivo.open(ruta, std::ios::out | std::ios::app | std::ios::binary);
  if (!archivo.is_open())
    vb::Raise(kErrorDeArchivo, "Path/File access error: '" + gRutaLog + "'");
  archivo << "\r\n" << sEtiqueta << lNumero << "\r\n" << sDescripcion << "\r\n";
  archivo.close();
  if (archivo.fail()) vb::Raise(kErrorDeArchivo, "Path/File access error: '" + gRutaLog + "'");
}
