#include "frame/RunLog.h"

#include <fstream>

#include "frame/modPrincipal.h"
#include "platform/vb/Error.h"
#include "platform/win/Sistema.h"

void EscribeEntradaLog(const std::string& sEtiqueta, long lNumero,
                       const std::string& sDescripcion) {
  const std::string ruta = win::RutaLocal(gRutaLog);
  std::ofstream archivo;
  if (!ruta.empty()) archivo.open(ruta, std::ios::out | std::ios::app | std::ios::binary);
  if (!archivo.is_open())
    vb::RaiseSobre(vb::err::PathFileAccessError, "'" + gRutaLog + "'");
  archivo << "\r\n" << sEtiqueta << lNumero << "\r\n" << sDescripcion << "\r\n";
  archivo.close();
  if (archivo.fail()) vb::RaiseSobre(vb::err::PathFileAccessError, "'" + gRutaLog + "'");
}
