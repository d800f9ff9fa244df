#include "platform/jet/JetProvider.h"

namespace jet {

// Replaced by the libmdb/SQLite reader; until then a Jet connection is refused.
std::unique_ptr<ado::Session> OpenSession(const ado::OpenRequest&) {
  throw ado::ProviderError({{ado::adErrUnspecified,
                             "El proveedor Microsoft.Jet.OLEDB.4.0 no está disponible todavía",
                             "Microsoft.Jet.OLEDB.4.0", "HY000", 0}});
}

}  // namespace jet
