#include "platform/jet/ErroresJet.h"

#include <sqlite3.h>

namespace jet {

void FallaJet(long numero, const std::string& descripcion) {
  const char* sqlState = numero == ado::adErrSyntax      ? "42000"
                         : numero == ado::adErrIntegrity ? "23000"
                                                         : "HY000";
  throw ado::ProviderError({{numero, descripcion, kOrigenJet, sqlState, 0}});
}

void FallaDeSentencia(int codigoSqlite, const std::string& mensaje) {
  switch (codigoSqlite & 0xff) {
    case SQLITE_ERROR: FallaJet(ado::adErrSyntax, mensaje);
    case SQLITE_CONSTRAINT: FallaJet(ado::adErrIntegrity, mensaje);
    default: FallaJet(ado::adErrUnspecified, mensaje);
  }
}

}  // namespace jet
