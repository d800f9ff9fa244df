#pragma once
// The seam between ADO and the engines. A provider opens a Session for a connection
// string; a session runs statement text and answers with the rows it returned.
// Sessions raise failures as ProviderError, whose number is already the ADO number.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/vb/Error.h"
#include "platform/vb/Variant.h"

namespace ado {

enum DataTypeEnum {
  adEmpty = 0, adSmallInt = 2, adInteger = 3, adSingle = 4, adDouble = 5, adCurrency = 6,
  adDate = 7, adBSTR = 8, adBoolean = 11, adVariant = 12, adDecimal = 14, adTinyInt = 16,
  adUnsignedTinyInt = 17, adBigInt = 20, adGUID = 72,
  adBinary = 128, adChar = 129, adWChar = 130, adNumeric = 131, adDBDate = 133, adDBTime = 134,
  adDBTimeStamp = 135, adVarChar = 200, adLongVarChar = 201, adVarWChar = 202,
  adLongVarWChar = 203, adVarBinary = 204, adLongVarBinary = 205
};

// Field attributes: whether a column may hold Null, as far as the provider can tell.
enum FieldAttributeEnum { adFldIsNullable = 0x20, adFldMayBeNull = 0x40 };

// ADO's numbers for provider failures, chosen by SQLSTATE class.
constexpr long adErrSyntax = -2147217900;      // 0x80040E14, SQLSTATE class 42
constexpr long adErrIntegrity = -2147217873;   // 0x80040E2F, SQLSTATE class 23
constexpr long adErrUnspecified = -2147467259; // 0x80004005, everything else
long NumeroDeErrorPorSqlState(const std::string& sqlState);

// ADO's own errors, raised when its objects are misused.
constexpr long adErrInvalidArgument = 3001;
constexpr long adErrNoCurrentRecord = 3021;
constexpr long adErrFeatureNotAvailable = 3251;
constexpr long adErrItemNotFound = 3265;
constexpr long adErrObjectClosed = 3704;
constexpr long adErrObjectOpen = 3705;
constexpr long adErrProviderNotFound = 3706;
constexpr long adErrInvalidConnection = 3709;

struct ErrorInfo {
  long Number = 0;
  std::string Description;
  std::string Source;
  std::string SQLState;
  long NativeError = 0;
};

class ProviderError : public vb::Error {
 public:
  explicit ProviderError(std::vector<ErrorInfo> errors);
  const std::vector<ErrorInfo>& Errors() const { return errors_; }

 private:
  std::vector<ErrorInfo> errors_;
};

struct Column {
  std::string name;
  DataTypeEnum type = adVariant;
  long attributes = adFldIsNullable | adFldMayBeNull;  // unknown counts as nullable
};

struct RowSet {
  std::vector<Column> columns;
  std::vector<std::vector<vb::Variant>> rows;
  bool hasResult = false;  // false: the statement returned no result set
  long rowsAffected = -1;
};

class Session {
 public:
  virtual ~Session() = default;
  virtual RowSet Execute(const std::string& sql, long options) = 0;
  // The names of the database's tables, views included, in the order its catalogue
  // gives them (what ADOX's Tables collection holds). Providers that cannot list them
  // raise error 3251.
  virtual std::vector<std::string> Tablas();
};

struct OpenRequest {
  std::string connectionString;
  std::string userId;
  std::string password;
  long connectionTimeout = 15;
  long commandTimeout = 30;
};

using ProviderFactory = std::function<std::unique_ptr<Session>(const OpenRequest&)>;

// Opens a session for the request's connection string, by its Provider key:
//   SQLOLEDB...              ODBC through the FreeTDS driver (TraduceCadenaSqlOledb);
//   none or MSDASQL...       ODBC as given (DSN=..., Driver=...), as ADO's default;
//   a registered prefix      that provider (Microsoft.Jet.OLEDB..., platform/jet);
//   any other                error 3706, provider not found.
std::unique_ptr<Session> OpenSession(const OpenRequest& request);

// Adds a provider to the table: connection strings whose Provider key begins with the
// prefix (compared without regard to case) open through the factory. An engine layer
// registers itself, so that ADO needs to know none of them.
void RegistraProveedor(const std::string& prefijo, ProviderFactory factory);

// When set, every connection string goes to this factory first (tests record
// statements this way); it may return nullptr to let the normal providers take the
// string. An empty function removes it.
void SetProviderOverride(ProviderFactory factory);

}  // namespace ado
