#include "support/EntradasLog.h"

namespace prueba {

namespace {
// The line of each entry that lies `desplazamiento` lines after its empty first line.
std::vector<std::string> LineasDeEntrada(const std::string& log, std::size_t desplazamiento) {
  std::vector<std::string> lineas;
  for (std::size_t inicio = 0, fin; (fin = log.find("\r\n", inicio)) != std::string::npos;
       inicio = fin + 2)
    lineas.push_back(log.substr(inicio, fin - inicio));
  std::vector<std::string> deEntrada;
  for (std::size_t i = desplazamiento; i < lineas.size(); i += 3) deEntrada.push_back(lineas[i]);
  return deEntrada;
}
}  // namespace

std::vector<std::string> Encabezados(const std::string& log) { return LineasDeEntrada(log, 1); }

std::vector<std::string> Descripciones(const std::string& log) { return LineasDeEntrada(log, 2); }

}  // namespace prueba
