#include "platform/ado/Ado.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"

namespace ado {

namespace {
const char* const kSinRegistroActual =
    "No hay un registro actual: el recorrido está antes del primer registro o después del "
    "último (BOF o EOF), o el registro fue eliminado.";
const char* const kObjetoCerrado = "No se puede realizar la operación: el objeto está cerrado.";
const char* const kObjetoAbierto = "No se puede realizar la operación: el objeto ya está abierto.";
const char* const kNoEstaEnLaColeccion =
    "No se encuentra en la colección ningún elemento con el nombre o el número indicado.";

[[noreturn]] void RaiseAdo(long number, const std::string& description,
                           const char* source = "ADODB.Recordset") {
  throw ProviderError({{number, description, source, "", 0}});
}

[[noreturn]] void FiltroInvalido(const std::string& criteria) {
  RaiseAdo(adErrInvalidArgument,
           "Los argumentos no son del tipo debido, están fuera del intervalo aceptado o se "
           "contradicen entre sí. Filtro no válido: " + criteria);
}

struct Criterion {
  std::string field;
  std::string text;
};

// Reads 'text' from criteria[i] on (a quote inside is doubled); leaves i after it.
std::string LeeTextoCitado(const std::string& criteria, std::size_t& i) {
  if (i >= criteria.size() || criteria[i] != '\'') FiltroInvalido(criteria);
  std::string text;
  for (++i;; ++i) {
    if (i >= criteria.size()) FiltroInvalido(criteria);
    if (criteria[i] != '\'') {
      text += criteria[i];
    } else if (i + 1 < criteria.size() && criteria[i + 1] == '\'') {
      text += criteria[++i];
    } else {
      ++i;
      return text;
    }
  }
}

// Parses  Field='text' [AND Field='text' ...]; a field name may be in [brackets].
std::vector<Criterion> ParseCriteria(const std::string& criteria) {
  std::vector<Criterion> result;
  std::size_t i = 0;
  auto skipBlanks = [&] { while (i < criteria.size() && criteria[i] == ' ') ++i; };
  while (true) {
    skipBlanks();
    const std::size_t eq = criteria.find('=', i);
    if (eq == std::string::npos) FiltroInvalido(criteria);
    Criterion c{vb::Trim(criteria.substr(i, eq - i)), {}};
    if (c.field.size() > 1 && c.field.front() == '[' && c.field.back() == ']')
      c.field = c.field.substr(1, c.field.size() - 2);
    if (c.field.empty()) FiltroInvalido(criteria);
    i = eq + 1;
    skipBlanks();
    c.text = LeeTextoCitado(criteria, i);
    result.push_back(std::move(c));
    skipBlanks();
    if (i >= criteria.size()) return result;
    if (!vb::IgualesSinMayusculas(criteria.substr(i, 4), "AND ")) FiltroInvalido(criteria);
    i += 4;
  }
}

// Lower case for comparison: ASCII letters and the accented capitals of Latin-1
// (À..Þ but ×), which are two bytes in UTF-8.
std::string Minusculas(const std::string& text) {
  std::string out = text;
  for (std::size_t k = 0; k < out.size(); ++k) {
    const auto c = static_cast<unsigned char>(out[k]);
    if (c >= 'A' && c <= 'Z') out[k] = static_cast<char>(c + 32);
    if (c == 0xC3 && k + 1 < out.size()) {
      const auto d = static_cast<unsigned char>(out[k + 1]);
      if (d >= 0x80 && d <= 0x9E && d != 0x97) out[k + 1] = static_cast<char>(d + 32);
      ++k;
    }
  }
  return out;
}

// Whether a field passes  Field='text'  (text already in lower case). Null equals
// no text, not even the empty one.
bool CumpleCriterio(const vb::Variant& value, const std::string& text) {
  if (value.IsNull() || value.IsEmpty()) return false;
  const std::string campo = value.Type() == vb::VarType::String ? value.AsString() : vb::CStr(value);
  return Minusculas(campo) == text;
}
}  // namespace

vb::Variant Field::Value() const {
  if (!hasRow_) RaiseAdo(adErrNoCurrentRecord, kSinRegistroActual);
  return value_;
}

// ---------------------------------------------------------------- Connection

void Connection::Open(const std::string& connectionString, const std::string& userId,
                      const std::string& password, long) {
  if (session_) RaiseAdo(adErrObjectOpen, kObjetoAbierto, "ADODB.Connection");
  if (!connectionString.empty()) ConnectionString = connectionString;
  errors_.clear();
  try {
    session_ = OpenSession({ConnectionString, userId, password, ConnectionTimeout, CommandTimeout});
  } catch (const ProviderError& e) {
    errors_ = e.Errors();
    throw;
  }
  abierta_ = std::make_shared<bool>(true);
}

Session& Connection::SesionAbierta() {
  if (!session_)
    RaiseAdo(adErrInvalidConnection,
             "La conexión no puede usarse para esta operación: está cerrada o no es válida en "
             "este contexto.",
             "ADODB.Connection");
  errors_.clear();
  return *session_;
}

RowSet Connection::Run(const std::string& commandText, long options, long* recordsAffected) {
  Session& session = SesionAbierta();
  try {
    RowSet rows = session.Execute(commandText, options);
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
  const bool sinFilas = options != adOptionUnspecified && (options & adExecuteNoRecords);
  if (rows.hasResult && !sinFilas) rs.Attach(std::move(rows), abierta_);
  return rs;
}

std::vector<std::string> TablasDe(Connection& cnx) {
  Session& session = cnx.SesionAbierta();
  try {
    return session.Tablas();
  } catch (const ProviderError& e) {
    cnx.errors_ = e.Errors();
    throw;
  }
}

void Connection::Close() {
  if (!session_) RaiseAdo(adErrObjectClosed, kObjetoCerrado, "ADODB.Connection");
  session_.reset();
  *abierta_ = false;
  abierta_.reset();
}

// ----------------------------------------------------------------- Recordset

void Recordset::Open(const std::string& source, Connection& activeConnection, CursorTypeEnum,
                     LockTypeEnum, long options) {
  if (EstaAbierto()) RaiseAdo(adErrObjectOpen, kObjetoAbierto);
  RowSet rows = activeConnection.Run(source, options, nullptr);
  if (rows.hasResult) Attach(std::move(rows), activeConnection.abierta_);
}

void Recordset::Attach(RowSet rows, std::shared_ptr<bool> conexionAbierta) {
  rows_ = std::make_shared<const RowSet>(std::move(rows));
  conexionAbierta_ = std::move(conexionAbierta);
  filter_.clear();
  view_.clear();
  for (std::size_t r = 0; r < rows_->rows.size(); ++r) view_.push_back(r);
  position_ = 0;
  filtrosPorColumna_.clear();
  indices_.clear();
}

void Recordset::Close() {
  RequireOpen();
  rows_.reset();
  conexionAbierta_.reset();
  view_.clear();
  filter_.clear();
  filtrosPorColumna_.clear();
  indices_.clear();
}

void Recordset::RequireOpen() const {
  if (!EstaAbierto()) RaiseAdo(adErrObjectClosed, kObjetoCerrado);
}

void Recordset::RequireCurrentRow() const {
  RequireOpen();
  if (position_ >= view_.size()) RaiseAdo(adErrNoCurrentRecord, kSinRegistroActual);
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
  if (view_.empty()) RaiseAdo(adErrNoCurrentRecord, kSinRegistroActual);
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
  RaiseAdo(adErrItemNotFound, kNoEstaEnLaColeccion);
}

Field Recordset::Fields(std::string_view name) const { return Fields(ColumnIndex(name)); }

Field Recordset::Fields(int index) const {
  RequireOpen();
  if (index < 0 || index >= FieldCount())
    RaiseAdo(adErrItemNotFound, kNoEstaEnLaColeccion);
  const Column& column = rows_->columns[index];
  const vb::Variant* value =
      position_ < view_.size() ? &rows_->rows[view_[position_]][index] : nullptr;
  return Field(column.name, column.type, value, column.attributes);
}

int Recordset::FieldCount() const {
  RequireOpen();
  return static_cast<int>(rows_->columns.size());
}

void Recordset::Filter(const std::string& criteria) {
  RequireOpen();
  std::vector<std::pair<int, std::string>> tests;
  if (!vb::Trim(criteria).empty())
    for (const Criterion& c : ParseCriteria(criteria))
      tests.emplace_back(ColumnIndex(c.field), Minusculas(c.text));
  view_.clear();
  position_ = 0;
  filter_ = criteria;
  const auto pasa = [&](std::size_t r) {
    for (const auto& [column, text] : tests)
      if (!CumpleCriterio(rows_->rows[r][column], text)) return false;
    return true;
  };
  if (const std::vector<std::size_t>* candidatas =
          tests.empty() ? nullptr : FilasConValor(tests.front().first, tests.front().second)) {
    for (const std::size_t r : *candidatas)
      if (pasa(r)) view_.push_back(r);
    return;
  }
  for (std::size_t r = 0; r < rows_->rows.size(); ++r)
    if (pasa(r)) view_.push_back(r);
}

// The rows whose value in `column` equals the text, in their order, from the column's
// index; null while the column has been filtered only once (a scan is cheaper then).
const std::vector<std::size_t>* Recordset::FilasConValor(int column,
                                                         const std::string& minusculas) {
  static const std::vector<std::size_t> kNinguna;
  if (++filtrosPorColumna_[column] < 2) return nullptr;
  auto [indice, nuevo] = indices_.try_emplace(column);
  if (nuevo)
    for (std::size_t r = 0; r < rows_->rows.size(); ++r) {
      const vb::Variant& valor = rows_->rows[r][column];
      if (valor.IsNull() || valor.IsEmpty()) continue;
      const std::string texto =
          valor.Type() == vb::VarType::String ? valor.AsString() : vb::CStr(valor);
      indice->second[Minusculas(texto)].push_back(r);
    }
  const auto filas = indice->second.find(minusculas);
  return filas == indice->second.end() ? &kNinguna : &filas->second;
}

}  // namespace ado
