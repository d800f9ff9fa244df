#include "platform/ado/CadenaDeConexion.h"

#include <initializer_list>

#include "platform/vb/Text.h"

namespace ado {

namespace {
bool EsUnaDe(const std::string& clave, std::initializer_list<const char*> nombres) {
  for (const char* nombre : nombres)
    if (vb::IgualesSinMayusculas(clave, nombre)) return true;
  return false;
}

bool EsContrasena(const std::string& clave) { return EsUnaDe(clave, {"Password", "PWD"}); }

// Keys that may follow a password in the strings the program builds or a user writes.
bool EsClaveConocida(const std::string& clave) {
  return EsUnaDe(clave, {"Provider", "Data Source", "Server", "Address", "Addr",
                         "Network Address", "Initial Catalog", "Database", "User ID", "UID",
                         "Password", "PWD", "Integrated Security", "Trusted_Connection",
                         "Persist Security Info", "Connect Timeout", "Connection Timeout",
                         "Application Name", "Workstation ID", "Network Library", "Network",
                         "Current Language", "Language", "Auto Translate", "Packet Size",
                         "Use Encryption for Data", "Encrypt", "Extended Properties", "Mode",
                         "DSN", "Driver", "FILEDSN", "Port", "APP", "WSID", "Charset",
                         "Option", "Jet OLEDB:Database Password"});
}

// True when the text from `i` on begins a known "Key=" (or is only blanks: a
// trailing separator).
bool EmpiezaParConocido(const std::string& s, std::size_t i) {
  if (vb::Trim(s.substr(i)).empty()) return true;
  const std::size_t igual = s.find('=', i);
  return igual != std::string::npos && EsClaveConocida(vb::Trim(s.substr(i, igual - i)));
}

// Reads a value quoted with `cierre` from s[i] (the opening character) on; a doubled
// closing character stands for itself. Leaves i after the closing character.
std::string LeeValorCitado(const std::string& s, std::size_t& i, char cierre) {
  std::string valor;
  for (++i; i < s.size(); ++i) {
    if (s[i] != cierre) {
      valor += s[i];
    } else if (i + 1 < s.size() && s[i + 1] == cierre) {
      valor += s[++i];
    } else {
      ++i;
      break;
    }
  }
  return valor;
}

// Reads the value that begins at s[i]; leaves i after the ';' that ends it.
std::string LeeValor(const std::string& s, std::size_t& i, bool contrasena) {
  std::size_t inicio = s.find_first_not_of(' ', i);
  if (inicio != std::string::npos && (s[inicio] == '"' || s[inicio] == '\'' || s[inicio] == '{')) {
    i = inicio;
    std::string valor = LeeValorCitado(s, i, s[inicio] == '{' ? '}' : s[inicio]);
    const std::size_t fin = s.find(';', i);
    i = fin == std::string::npos ? s.size() : fin + 1;
    return valor;
  }
  std::size_t fin = s.find(';', i);
  while (contrasena && fin != std::string::npos && !EmpiezaParConocido(s, fin + 1))
    fin = s.find(';', fin + 1);
  std::string valor = s.substr(i, fin == std::string::npos ? std::string::npos : fin - i);
  i = fin == std::string::npos ? s.size() : fin + 1;
  return contrasena ? valor : vb::Trim(valor);
}

struct Servidor {
  std::string host;  // with "\instance" when there is one
  std::string puerto;
};

// "srv", "srv\inst", "srv,1433", "tcp:srv\inst" as SQLOLEDB reads them. A port wins
// over an instance name, as it does for the SQL Server clients.
Servidor SeparaServidor(std::string fuente) {
  if (vb::IgualesSinMayusculas(fuente.substr(0, 4), "tcp:")) fuente = fuente.substr(4);
  Servidor servidor;
  const std::size_t coma = fuente.rfind(',');
  if (coma != std::string::npos) {
    servidor.puerto = vb::Trim(fuente.substr(coma + 1));
    fuente = fuente.substr(0, coma);
  }
  const std::size_t barra = fuente.find('\\');
  std::string host = vb::Trim(fuente.substr(0, barra));
  std::string instancia = barra == std::string::npos ? "" : vb::Trim(fuente.substr(barra + 1));
  if (host == "." || vb::IgualesSinMayusculas(host, "(local)")) host = "localhost";
  servidor.host = instancia.empty() || !servidor.puerto.empty() ? host : host + "\\" + instancia;
  return servidor;
}

bool EsVerdadero(const std::string& valor) {
  return EsUnaDe(valor, {"SSPI", "True", "Yes"});
}
}  // namespace

std::vector<ParDeCadena> SeparaCadenaConexion(const std::string& cadena) {
  std::vector<ParDeCadena> pares;
  std::size_t i = 0;
  while (i < cadena.size()) {
    if (cadena[i] == ';' || cadena[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t igual = cadena.find('=', i);
    if (igual == std::string::npos) {
      pares.push_back({vb::Trim(cadena.substr(i)), ""});
      break;
    }
    ParDeCadena par{vb::Trim(cadena.substr(i, igual - i)), ""};
    i = igual + 1;
    par.valor = LeeValor(cadena, i, EsContrasena(par.clave));
    pares.push_back(std::move(par));
  }
  return pares;
}

std::string ValorDeCadena(const std::string& cadena, const std::string& clave) {
  for (const ParDeCadena& par : SeparaCadenaConexion(cadena))
    if (vb::IgualesSinMayusculas(par.clave, clave)) return par.valor;
  return {};
}

std::string CitaValorOdbc(const std::string& value) {
  const bool necesita = value.find_first_of(";{}") != std::string::npos ||
                        (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  if (!necesita) return value;
  std::string citado = "{";
  for (char c : value) citado += c == '}' ? std::string("}}") : std::string(1, c);
  return citado + "}";
}

std::string TraduceCadenaSqlOledb(const std::string& connectionString) {
  std::string fuente, base, usuario, contrasena, aplicacion, equipo;
  bool integrada = false;
  for (const ParDeCadena& par : SeparaCadenaConexion(connectionString)) {
    const std::string& clave = par.clave;
    if (EsUnaDe(clave, {"Data Source", "Server", "Address", "Addr", "Network Address"}))
      fuente = par.valor;
    else if (EsUnaDe(clave, {"Initial Catalog", "Database"})) base = par.valor;
    else if (EsUnaDe(clave, {"User ID", "UID"})) usuario = par.valor;
    else if (EsContrasena(clave)) contrasena = par.valor;
    else if (EsUnaDe(clave, {"Integrated Security", "Trusted_Connection"}))
      integrada = EsVerdadero(par.valor);
    else if (EsUnaDe(clave, {"Application Name"})) aplicacion = par.valor;
    else if (EsUnaDe(clave, {"Workstation ID"})) equipo = par.valor;
  }
  std::string odbc = "Driver={FreeTDS}";
  const auto agrega = [&odbc](const char* clave, const std::string& valor) {
    if (!valor.empty()) odbc += std::string(";") + clave + "=" + CitaValorOdbc(valor);
  };
  const Servidor servidor = SeparaServidor(fuente);
  agrega("Server", servidor.host);
  agrega("Port", servidor.puerto);
  agrega("Database", base);
  if (integrada) {
    odbc += ";Trusted_Connection=Yes";
  } else {
    agrega("UID", usuario);
    agrega("PWD", contrasena);
  }
  agrega("APP", aplicacion);
  agrega("WSID", equipo);
  return odbc;
}

}  // namespace ado
