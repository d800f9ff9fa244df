#pragma once
// ODBC sessions over unixODBC, and the translation of SQLOLEDB connection strings
// into ODBC strings for the FreeTDS driver.
#include <memory>
#include <string>

#include "platform/ado/Provider.h"

namespace ado {

std::unique_ptr<Session> OpenOdbcSession(const OpenRequest& request);

// "Provider=SQLOLEDB.1;Data Source=srv\inst;Initial Catalog=db;User ID=u;Password=p"
// -> "Driver={FreeTDS};Server=srv;Instance=inst;Database=db;UID=u;PWD=p;..." with
// values holding ';', '{' or '}' brace-quoted.
std::string TraduceCadenaSqlOledb(const std::string& connectionString);

// Brace-quotes an ODBC connection-string value when it holds ';', '{' or '}'.
std::string CitaValorOdbc(const std::string& value);

}  // namespace ado
