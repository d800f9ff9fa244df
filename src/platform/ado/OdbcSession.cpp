#include "platform/ado/OdbcSession.h"

namespace ado {

std::unique_ptr<Session> OpenOdbcSession(const OpenRequest&) {
  throw ProviderError({{adErrUnspecified, "ODBC sessions are not built yet", "MSDASQL", "", 0}});
}

std::string TraduceCadenaSqlOledb(const std::string& connectionString) { return connectionString; }

std::string CitaValorOdbc(const std::string& value) { return value; }

}  // namespace ado
