#include "conexion/CadenasDeConexion.h"

#include "platform/ado/CadenaDeConexion.h"
#include "platform/vb/Text.h"

std::string ValorOleDb(const std::string& valor) {
  const bool citar = valor.find(';') != std::string::npos ||
                     (!valor.empty() && (valor.front() == '"' || valor.front() == '\''));
  return citar ? "\"" + vb::Replace(valor, "\"", "\"\"") + "\"" : valor;
}

std::string CadenaOdbc(const std::string& captionDeRuta) {
  const std::string prefijo = "DSN=";
  if (captionDeRuta.rfind(prefijo, 0) != 0) return captionDeRuta;
  return prefijo + ado::CitaValorOdbc(captionDeRuta.substr(prefijo.size()));
}

void AbreConexion(ado::Connection& cnx, const std::string& sCadenaConexion) {
  cnx.ConnectionString = sCadenaConexion;
  cnx.ConnectionTimeout = 0;
  cnx.CommandTimeout = 0;
  cnx.CursorLocation = ado::adUseServer;
  cnx.Open({}, {}, {}, ado::adConnectUnspecified);
}
