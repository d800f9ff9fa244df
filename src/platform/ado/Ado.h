#pragma once
// ADO as the program uses it: connections that run SQL text and forward-only
// recordsets read whole when they open. The engine behind a connection is a
// provider chosen from the connection string (Provider.h).
#include <memory>
#include <map>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "platform/ado/Provider.h"
#include "platform/vb/Variant.h"

namespace ado {

enum CursorLocationEnum { adUseServer = 2, adUseClient = 3 };
enum ObjectStateEnum { adStateClosed = 0, adStateOpen = 1 };
enum CursorTypeEnum { adOpenUnspecified = -1, adOpenForwardOnly = 0, adOpenKeyset = 1,
                      adOpenDynamic = 2, adOpenStatic = 3 };
enum LockTypeEnum { adLockUnspecified = -1, adLockReadOnly = 1, adLockPessimistic = 2,
                    adLockOptimistic = 3 };
constexpr long adConnectUnspecified = -1;
constexpr long adOptionUnspecified = -1;
constexpr long adCmdUnspecified = -1;
constexpr long adCmdText = 1;
constexpr long adExecuteNoRecords = 0x80;

// A field of the current row. Name and Type are there even at BOF/EOF; reading the
// value without a current row raises ADO's error 3021, as ADO does.
class Field {
 public:
  Field(std::string name, DataTypeEnum type, const vb::Variant* value,
        long attributes = adFldIsNullable | adFldMayBeNull)
      : Name(std::move(name)), Type(type), Attributes(attributes),
        value_(value ? *value : vb::Variant()), hasRow_(value != nullptr) {}
  std::string Name;
  DataTypeEnum Type;
  long Attributes;
  // A copy: the Field itself is usually a temporary (rs.Fields("X").Value()).
  vb::Variant Value() const;

 private:
  vb::Variant value_;
  bool hasRow_;
};

class Recordset;
class Connection;

// The tables of the open connection's database as ADOX's catalogue lists them: every
// table and view, in catalogue order. Failures are kept in the connection's Errors.
std::vector<std::string> TablasDe(Connection& cnx);

class Connection {
 public:
  std::string ConnectionString;
  long ConnectionTimeout = 15;
  long CommandTimeout = 30;
  CursorLocationEnum CursorLocation = adUseServer;

  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // An empty connectionString argument opens with the ConnectionString property.
  void Open(const std::string& connectionString = {}, const std::string& userId = {},
            const std::string& password = {}, long options = adConnectUnspecified);
  // Runs one statement; the recordset is closed when the statement returned no rows.
  Recordset Execute(const std::string& commandText, long* recordsAffected = nullptr,
                    long options = adOptionUnspecified);
  ObjectStateEnum State() const { return session_ ? adStateOpen : adStateClosed; }
  // Closing also closes the recordsets opened on this connection, as in ADO;
  // destroying the object does not (a recordset keeps its rows, as a reference
  // to its connection would keep it alive).
  void Close();
  // The errors of the last failed operation on this connection.
  const std::vector<ErrorInfo>& Errors() const { return errors_; }

 private:
  friend class Recordset;
  friend std::vector<std::string> TablasDe(Connection& cnx);
  RowSet Run(const std::string& commandText, long options, long* recordsAffected);
  // The open session, its Errors cleared for the next operation; raises 3709 when closed.
  Session& SesionAbierta();

  std::unique_ptr<Session> session_;
  // Shared with the recordsets of the current opening; set false by Close.
  std::shared_ptr<bool> abierta_;
  std::vector<ErrorInfo> errors_;
};

class Recordset {
 public:
  Recordset() = default;

  void Open(const std::string& source, Connection& activeConnection,
            CursorTypeEnum cursorType = adOpenForwardOnly, LockTypeEnum lockType = adLockReadOnly,
            long options = adCmdUnspecified);
  ObjectStateEnum State() const { return EstaAbierto() ? adStateOpen : adStateClosed; }
  void Close();

  // BOF and EOF of the current view (the rows that pass the Filter). Forward-only:
  // BOF is True only when the view is empty.
  bool BOF() const;
  bool Eof() const;
  // Raises 3021 on an empty view, as ADO does.
  void MoveFirst();
  void MoveNext();
  long RecordCount() const;

  // Fields of the current row; names are matched without regard to case.
  Field Fields(std::string_view name) const;
  Field Fields(int index) const;
  int FieldCount() const;

  // "" clears the filter; otherwise criteria of the form  Field='text'  (joined with
  // AND) keep the rows whose field equals the text without regard to case (accented
  // letters included); a Null field equals no text. The view starts at its first
  // row. A malformed criterion raises 3001, an unknown field 3265, and the view
  // stays as it was.
  void Filter(const std::string& criteria);
  const std::string& FilterText() const { return filter_; }

 private:
  friend class Connection;
  void Attach(RowSet rows, std::shared_ptr<bool> conexionAbierta);
  bool EstaAbierto() const { return rows_ && conexionAbierta_ && *conexionAbierta_; }
  void RequireOpen() const;
  void RequireCurrentRow() const;
  int ColumnIndex(std::string_view name) const;

  const std::vector<std::size_t>* FilasConValor(int column, const std::string& minusculas);

  std::shared_ptr<const RowSet> rows_;  // null while closed
  std::shared_ptr<bool> conexionAbierta_;
  std::vector<std::size_t> view_;  // indexes into rows_->rows that pass the filter
  std::size_t position_ = 0;       // position in view_; view_.size() is EOF
  std::string filter_;
  // A column filtered more than once (a list looked up name by name) gets an index from
  // its values in lower case to their rows, so that each Filter costs its matches only.
  std::map<int, int> filtrosPorColumna_;
  std::map<int, std::unordered_map<std::string, std::vector<std::size_t>>> indices_;
};

}  // namespace ado
