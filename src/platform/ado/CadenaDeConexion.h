#pragma once
// Connection strings: reading the key=value pairs of an OLE DB or ODBC string, and
// translating the SQLOLEDB strings of the dialog into ODBC strings for FreeTDS.
#include <string>
#include <vector>

namespace ado {

struct ParDeCadena {
  std::string clave;  // trimmed, as written
  std::string valor;
};

// Splits "Key=value; Key=value". A value may be quoted with "…", '…' (the quote
// doubled inside) or {…} (} doubled inside). An unquoted value runs to the next ';'
// that is followed by a known OLE DB or ODBC key, so that a password typed with a ';'
// in it stays whole. Values are trimmed, except Password/PWD, which are kept exactly.
std::vector<ParDeCadena> SeparaCadenaConexion(const std::string& cadena);

// The value of `clave` (compared without regard to case), or "" when absent.
std::string ValorDeCadena(const std::string& cadena, const std::string& clave);

// "Provider=SQLOLEDB.1; Password=p; User ID=u; Initial Catalog=db; Data Source=srv\inst"
//   -> "Driver={FreeTDS};Server=srv\inst;Database=db;UID=u;PWD=p"
// "host,port" becomes Server=host;Port=port. Windows authentication (Integrated
// Security=SSPI) becomes Trusted_Connection=Yes, FreeTDS's Kerberos login.
std::string TraduceCadenaSqlOledb(const std::string& connectionString);

// Brace-quotes an ODBC connection-string value when it holds ';', '{' or '}' or
// begins or ends with a blank; a '}' inside is doubled.
std::string CitaValorOdbc(const std::string& value);

}  // namespace ado
