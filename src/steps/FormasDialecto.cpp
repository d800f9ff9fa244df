#include "steps/FormasDialecto.h"

#include "data/clsBaseDatos.h"

std::string VerboAlterar(std::int16_t iManejador) {
  return iManejador == ManejadorAccess || iManejador == ManejadorSQLServer ? "ALTER COLUMN"
                                                                           : "MODIFY";
}

std::string TipoTexto(std::int16_t iManejador, int ancho) {
  const std::string largo = std::to_string(ancho);
  if (iManejador == ManejadorAccess) return "TEXT(" + largo + ");";
  return "VARCHAR(" + largo + ") NOT NULL;";
}

std::string TipoMoneda(std::int16_t iManejador) {
  return iManejador == ManejadorAccess ? "CURRENCY;" : "DECIMAL(13,4) NOT NULL;";
}

std::string CambiaColumna(std::int16_t iManejador, const std::string& tabla,
                          const std::string& campo, const std::string& tipo) {
  return "ALTER TABLE " + tabla + " " + VerboAlterar(iManejador) + " " + campo + " " + tipo;
}

std::string AmpliaTexto(std::int16_t iManejador, const std::string& tabla,
                        const std::string& campo, int ancho) {
  return CambiaColumna(iManejador, tabla, campo, TipoTexto(iManejador, ancho));
}

std::string BorraTabla(std::int16_t iManejador, const std::string& tabla) {
  const bool sinCondicion = iManejador == ManejadorAccess || iManejador == ManejadorSQLServer;
  return std::string("DROP TABLE") + (sinCondicion ? " " : " IF EXISTS ") + tabla + ";";
}

namespace {
std::string ConCeros(int numero, std::size_t cifras) {
  std::string texto = std::to_string(numero);
  return std::string(texto.size() < cifras ? cifras - texto.size() : 0, '0') + texto;
}
}  // namespace

std::string FechaLiteral(std::int16_t iManejador, int anio, int mes, int dia) {
  const bool access = iManejador == ManejadorAccess;
  const std::string separador = access ? "/" : "-";
  const std::string delimitador = access ? "#" : "'";
  return delimitador + ConCeros(anio, 4) + separador + ConCeros(mes, 2) + separador +
         ConCeros(dia, 2) + delimitador;
}
