#include "platform/ado/Ado.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"

namespace ado {

namespace {
// ADO's own errors on misuse of its objects.
constexpr long adErrObjectClosed = 3704;
constexpr long adErrNoCurrentRecord = 3021;
constexpr long adErrItemNotFound = 3265;
constexpr long adErrInvalidArgument = 3001;

[[noreturn]] void RaiseAdo(long number, const std::string& description) {
  throw ProviderError({{number, description, "ADODB.Recordset", "", 0}});
}

struct Criterion {
  std::string field;
  std::string text;
};

// Parses  Field='text' [AND Field='text' ...]; a quote inside a text is doubled.
std::vector<Criterion> ParseCriteria(const std::string& criteria) {
  std::vector<Criterion> result;
  std::size_t i = 0;
  auto skipBlanks = [&] { while (i < criteria.size() && criteria[i] == ' ') ++i; };
  while (true) {
    skipBlanks();
    const std::size_t eq = criteria.find('=', i);
    if (eq == std::string::npos) RaiseAdo(adErrInvalidArgument, "Invalid filter: " + criteria);
    Criterion c{vb::Trim(criteria.substr(i, eq - i)), {}};
    i = eq + 1;
    skipBlanks();
    if (i >= criteria.size() || criteria[i] != '\'')
      RaiseAdo(adErrInvalidArgument, "Invalid filter: " + criteria);
    ++i;
    while (true) {
      if (i >= criteria.size()) RaiseAdo(adErrInvalidArgument, "Invalid filter: " + criteria);
      if (criteria[i] == '\'') {
        if (i + 1 < criteria.size() && criteria[i + 1] == '\'') {
          c.text += '\'';
          i += 2;
          continue;
        }
        ++i;
        break;
      }
      c.text += criteria[i++];
    }
    if (c.field.size() > 1 && c.field.front() == '[' && c.field.back() == ']')
      c.field = c.field.substr(1, c.field.size() - 2);
    result.push_back(std::move(c));
    skipBlanks();
    if (i >= criteria.size()) return result;
    if (!vb::IgualesSinMayusculas(criteria.substr(i, 4), "AND "))
      RaiseAdo(adErrInvalidArgument, "Invalid filter: " + criteria);
    i += 4;
  }
}

std::string TextoDeCampo(const vb::Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return {};
  return vb::CStr(value);
}
}  // namespace

const vb::Variant& Field::Value() const {
  if (!hasRow_)
    RaiseAdo(adErrNoCurrentRecord,
             "Either BOF or EOF is True, or the current record has been deleted. Requested "
             "operation requires a current record.");
  return value_;
}

// ---------------------------------------------------------------- Connection

void Connection::Open(const std::string& connectionString, const std::string& userId,
                      const std::string& password, long) {
  if (!connectionString.empty()) ConnectionString = connectionString;
  if (session_) RaiseAdo(3705, "Operation is not allowed when the object is open.");
  errors_.clear();
  try {
    session_ = OpenSession({ConnectionString, userId, password, ConnectionTimeout, CommandTimeout});
  } catch (const ProviderError& e) {
    errors_ = e.Errors();
    throw;
  }
}

RowSet Connection::Run(const std::string& commandText, long options, long* recordsAffected) {
  if (!session_) RaiseAdo(adErrObjectClosed, "Operation is not allowed when the object is closed.");
  errors_.clear();
  try {
    RowSet rows = session_->Execute(commandText, options);
    if (recordsAffected) *recordsAffected = rows.rowsAffected;
    return rows;
  } catch (const ProviderError& e) {
    errors_ = e.Errors();
    throw;
  }
}

Recordset Connection::Execute(const std::string& commandText, long* recordsAffected,
                              long options) {
  Recordset rs;
  RowSet rows = Run(commandText, options, recordsAffected);
  if (rows.hasResult && !(options != adOptionUnspecified && (options & adExecuteNoRecords)))
    rs.Attach(std::move(rows));
  return rs;
}

void Connection::Close() {
  if (!session_) RaiseAdo(adErrObjectClosed, "Operation is not allowed when the object is closed.");
  session_.reset();
}

// ----------------------------------------------------------------- Recordset

void Recordset::Open(const std::string& source, Connection& activeConnection, CursorTypeEnum,
                     LockTypeEnum, long options) {
  if (open_) RaiseAdo(3705, "Operation is not allowed when the object is open.");
  RowSet rows = activeConnection.Run(source, options, nullptr);
  if (rows.hasResult) Attach(std::move(rows));
}

void Recordset::Attach(RowSet rows) {
  rows_ = std::make_shared<RowSet>(std::move(rows));
  open_ = true;
  filter_.clear();
  view_.clear();
  for (std::size_t r = 0; r < rows_->rows.size(); ++r) view_.push_back(r);
  position_ = 0;
}

void Recordset::Close() {
  RequireOpen();
  open_ = false;
  rows_.reset();
  view_.clear();
  filter_.clear();
}

void Recordset::RequireOpen() const {
  if (!open_) RaiseAdo(adErrObjectClosed, "Operation is not allowed when the object is closed.");
}

void Recordset::RequireCurrentRow() const {
  RequireOpen();
  if (position_ >= view_.size())
    RaiseAdo(adErrNoCurrentRecord,
             "Either BOF or EOF is True, or the current record has been deleted. Requested "
             "operation requires a current record.");
}

bool Recordset::BOF() const {
  RequireOpen();
  return view_.empty();
}

bool Recordset::Eof() const {
  RequireOpen();
  return position_ >= view_.size();
}

void Recordset::MoveFirst() {
  RequireOpen();
  position_ = 0;
}

void Recordset::MoveNext() {
  RequireCurrentRow();
  ++position_;
}

long Recordset::RecordCount() const {
  RequireOpen();
  return static_cast<long>(view_.size());
}

int Recordset::ColumnIndex(std::string_view name) const {
  RequireOpen();
  for (std::size_t c = 0; c < rows_->columns.size(); ++c)
    if (vb::IgualesSinMayusculas(rows_->columns[c].name, std::string(name)))
      return static_cast<int>(c);
  RaiseAdo(adErrItemNotFound,
           "Item cannot be found in the collection corresponding to the requested name or "
           "ordinal.");
}

Field Recordset::Fields(std::string_view name) const { return Fields(ColumnIndex(name)); }

Field Recordset::Fields(int index) const {
  RequireOpen();
  if (index < 0 || index >= FieldCount())
    RaiseAdo(adErrItemNotFound,
             "Item cannot be found in the collection corresponding to the requested name or "
             "ordinal.");
  const Column& column = rows_->columns[index];
  const vb::Variant* value =
      position_ < view_.size() ? &rows_->rows[view_[position_]][index] : nullptr;
  return Field(column.name, column.type, value);
}

int Recordset::FieldCount() const {
  RequireOpen();
  return static_cast<int>(rows_->columns.size());
}

void Recordset::Filter(const std::string& criteria) {
  RequireOpen();
  view_.clear();
  position_ = 0;
  filter_ = criteria;
  if (vb::Trim(criteria).empty()) {
    for (std::size_t r = 0; r < rows_->rows.size(); ++r) view_.push_back(r);
    return;
  }
  std::vector<std::pair<int, std::string>> tests;
  for (const Criterion& c : ParseCriteria(criteria)) tests.emplace_back(ColumnIndex(c.field), c.text);
  for (std::size_t r = 0; r < rows_->rows.size(); ++r) {
    bool pasa = true;
    for (const auto& [column, text] : tests)
      pasa = pasa && vb::IgualesSinMayusculas(TextoDeCampo(rows_->rows[r][column]), text);
    if (pasa) view_.push_back(r);
  }
}

}  // namespace ado
