#pragma once
// ODBC diagnostics as ADO errors: every diagnostic record of a failed call becomes
// an ErrorInfo whose description is the driver's message and whose number follows
// the SQLSTATE class.
#include <sql.h>

#include <string>
#include <vector>

#include "platform/ado/Provider.h"

namespace ado {

bool ExitoOdbc(SQLRETURN rc);

std::vector<ErrorInfo> LeeDiagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE handle,
                                       const std::string& origen);

// Raises the handle's diagnostics; `accion` names the call when the driver left none.
[[noreturn]] void LanzaDiagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE handle,
                                    const std::string& origen, const std::string& accion);

// Raises unless rc reports success (with or without information).
void VerificaOdbc(SQLRETURN rc, SQLSMALLINT tipoHandle, SQLHANDLE handle,
                  const std::string& origen, const std::string& accion);

}  // namespace ado
