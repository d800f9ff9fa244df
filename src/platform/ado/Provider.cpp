#include "platform/ado/Provider.h"

#include "platform/ado/OdbcSession.h"
#include "platform/vb/Text.h"

namespace ado {

namespace {
ProviderFactory& Override() {
  static ProviderFactory factory;
  return factory;
}

struct ProveedorRegistrado {
  std::string prefijo;
  ProviderFactory factory;
};

std::vector<ProveedorRegistrado>& Registrados() {
  static std::vector<ProveedorRegistrado> registrados;
  return registrados;
}

bool EmpiezaCon(const std::string& text, const std::string& prefix) {
  return vb::IgualesSinMayusculas(text.substr(0, prefix.size()), prefix);
}
}  // namespace

long NumeroDeErrorPorSqlState(const std::string& sqlState) {
  if (sqlState.rfind("42", 0) == 0) return adErrSyntax;
  if (sqlState.rfind("23", 0) == 0) return adErrIntegrity;
  return adErrUnspecified;
}

ProviderError::ProviderError(std::vector<ErrorInfo> errors)
    : vb::Error(errors.empty() ? adErrUnspecified : errors.front().Number,
                errors.empty() ? std::string("Error no especificado") : errors.front().Description,
                errors.empty() ? std::string() : errors.front().Source),
      errors_(std::move(errors)) {}

std::vector<std::string> Session::Tablas() {
  throw ProviderError({{adErrFeatureNotAvailable,
                        "El proveedor no puede realizar la operación pedida: no puede listar las "
                        "tablas de su base de datos.",
                        "ADOX.Catalog", "", 0}});
}

void RegistraProveedor(const std::string& prefijo, ProviderFactory factory) {
  Registrados().push_back({prefijo, std::move(factory)});
}

void SetProviderOverride(ProviderFactory factory) { Override() = std::move(factory); }

std::unique_ptr<Session> OpenSession(const OpenRequest& request) {
  if (Override()) {
    if (auto session = Override()(request)) return session;
  }
  // Without a Provider key the string is an ODBC one, as for ADO's default provider.
  const std::string proveedor = ValorDeCadena(request.connectionString, "Provider");
  if (proveedor.empty() || EmpiezaCon(proveedor, "MSDASQL")) return OpenOdbcSession(request);
  for (const ProveedorRegistrado& registrado : Registrados())
    if (EmpiezaCon(proveedor, registrado.prefijo)) return registrado.factory(request);
  if (EmpiezaCon(proveedor, "SQLOLEDB")) {
    OpenRequest odbc = request;
    odbc.connectionString = TraduceCadenaSqlOledb(request.connectionString);
    return OpenOdbcSession(odbc, kOrigenSqlServer);
  }
  throw ProviderError({{adErrProviderNotFound,
                        "No se encuentra el proveedor '" + proveedor +
                            "'. Puede que no esté instalado correctamente.",
                        "ADODB.Connection", "", 0}});
}

}  // namespace ado
