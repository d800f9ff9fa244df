#pragma once
// Failures of the Jet provider, raised as ADO reports them for Jet files.
#include <string>

#include "platform/ado/Provider.h"

namespace jet {

inline constexpr const char* kOrigenJet = "Microsoft JET Database Engine";

// Raises a provider error with the given ADO number (ado::adErr...).
[[noreturn]] void FallaJet(long numero, const std::string& descripcion);

// Raises the failure of the SQL engine behind a session: statement errors as syntax
// errors, constraint failures as integrity errors, everything else as unspecified.
[[noreturn]] void FallaDeSentencia(int codigoSqlite, const std::string& mensaje);

}  // namespace jet
