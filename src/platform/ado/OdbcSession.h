#pragma once
// ODBC sessions over unixODBC. The SQLOLEDB translation and the quoting of values
// live in CadenaDeConexion.h.
#include <memory>
#include <string>

#include "platform/ado/CadenaDeConexion.h"
#include "platform/ado/Provider.h"

namespace ado {

// The Source that ADO gives errors of ODBC data sources and of SQL Server.
inline constexpr const char* kOrigenOdbc = "Microsoft OLE DB Provider for ODBC Drivers";
inline constexpr const char* kOrigenSqlServer = "Microsoft OLE DB Provider for SQL Server";

// Connects with SQLDriverConnect: the request's connection string, plus UID/PWD when
// a user or password is given; login time-out from connectionTimeout, and each
// statement's time-out from commandTimeout (0: no limit). Failures are raised as
// ProviderError with `origen` as their Source.
std::unique_ptr<Session> OpenOdbcSession(const OpenRequest& request,
                                         const std::string& origen = kOrigenOdbc);

}  // namespace ado
