#include "platform/ado/DiagnosticoOdbc.h"

#include <sqlext.h>

#include <algorithm>

#include "platform/ado/Utf16.h"

namespace ado {

namespace {
std::string TextoOdbc(const SQLWCHAR* texto, std::size_t largo) {
  return Utf16AUtf8(std::u16string(reinterpret_cast<const char16_t*>(texto), largo));
}

// Record `numero` of the handle's diagnostics; false when there is none.
bool LeeRegistro(SQLSMALLINT tipoHandle, SQLHANDLE handle, SQLSMALLINT numero,
                 const std::string& origen, ErrorInfo& error) {
  SQLWCHAR estado[6] = {};
  SQLINTEGER nativo = 0;
  std::vector<SQLWCHAR> mensaje(1024);
  SQLSMALLINT largo = 0;
  SQLRETURN rc = SQLGetDiagRecW(tipoHandle, handle, numero, estado, &nativo, mensaje.data(),
                                static_cast<SQLSMALLINT>(mensaje.size()), &largo);
  if (rc == SQL_SUCCESS_WITH_INFO && largo >= static_cast<SQLSMALLINT>(mensaje.size())) {
    mensaje.resize(static_cast<std::size_t>(largo) + 1);
    rc = SQLGetDiagRecW(tipoHandle, handle, numero, estado, &nativo, mensaje.data(),
                        static_cast<SQLSMALLINT>(mensaje.size()), &largo);
  }
  if (!ExitoOdbc(rc)) return false;
  error.SQLState = TextoOdbc(estado, 5);
  error.NativeError = nativo;
  error.Description =
      TextoTerminado(reinterpret_cast<const char16_t*>(mensaje.data()), mensaje.size());
  error.Number = NumeroDeErrorPorSqlState(error.SQLState);
  error.Source = origen;
  return true;
}
}  // namespace

bool ExitoOdbc(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

std::vector<ErrorInfo> LeeDiagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE handle,
                                       const std::string& origen) {
  std::vector<ErrorInfo> errores;
  if (handle == SQL_NULL_HANDLE) return errores;
  ErrorInfo error;
  for (SQLSMALLINT n = 1; LeeRegistro(tipoHandle, handle, n, origen, error); ++n)
    errores.push_back(error);
  return errores;
}

void LanzaDiagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE handle, const std::string& origen,
                       const std::string& accion) {
  std::vector<ErrorInfo> errores = LeeDiagnosticos(tipoHandle, handle, origen);
  if (errores.empty())
    errores.push_back({adErrUnspecified,
                       "La llamada ODBC " + accion + " falló sin dar un diagnóstico.", origen,
                       "HY000", 0});
  throw ProviderError(std::move(errores));
}

void VerificaOdbc(SQLRETURN rc, SQLSMALLINT tipoHandle, SQLHANDLE handle,
                  const std::string& origen, const std::string& accion) {
  if (!ExitoOdbc(rc)) LanzaDiagnosticos(tipoHandle, handle, origen, accion);
}

}  // namespace ado
