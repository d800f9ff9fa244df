#include "support/EntradasLog.h"

namespace prueba {

std::vector<std::string> Encabezados(const std::string& log) {
  std::vector<std::string> lineas;
  for (std::size_t inicio = 0, fin; (fin = log.find("\r\n", inicio)) != std::string::npos;
       inicio = fin + 2)
    lineas.push_back(log.substr(inicio, fin - inicio));
  std::vector<std::string> encabezados;
  for (std::size_t i = 1; i < lineas.size(); i += 3) encabezados.push_back(lineas[i]);
  return encabezados;
}

}  // namespace prueba
