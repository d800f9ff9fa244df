#include "platform/jet/BaseEnMemoria.h"

#include "platform/jet/ErroresJet.h"
#include "platform/jet/TiposJet.h"
#include "platform/vb/Text.h"

namespace jet {

namespace {
[[noreturn]] void FallaDeBase(sqlite3* db) {
  FallaDeSentencia(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
}

void Vincula(sqlite3_stmt* sentencia, int posicion, const ValorAlmacenado& valor) {
  struct {
    sqlite3_stmt* s;
    int p;
    int operator()(std::monostate) const { return sqlite3_bind_null(s, p); }
    int operator()(std::int64_t v) const { return sqlite3_bind_int64(s, p, v); }
    int operator()(double v) const { return sqlite3_bind_double(s, p, v); }
    int operator()(const std::string& v) const {
      return sqlite3_bind_text64(s, p, v.data(), v.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    int operator()(const Binario& v) const {
      return sqlite3_bind_blob64(s, p, v.bytes.data(), v.bytes.size(), SQLITE_TRANSIENT);
    }
  } vincula{sentencia, posicion};
  std::visit(vincula, valor);
}

// SQLite's NOCASE folds ASCII letters only; Jet also takes "AÑO" for "año", in lookups
// and in sorts alike. Registered on the copy's connection alone, so that the files it
// attaches keep SQLite's own NOCASE for their indexes.
constexpr const char* kSinMayusculas = "SIN_MAYUSCULAS";

int ComparaComoJet(void*, int largoA, const void* a, int largoB, const void* b) {
  return vb::ComparaSinMayusculas(
      {static_cast<const char*>(a), static_cast<std::size_t>(largoA)},
      {static_cast<const char*>(b), static_cast<std::size_t>(largoB)});
}
}  // namespace

std::string IdentificadorSql(const std::string& nombre) {
  std::string citado = "\"";
  for (char c : nombre) citado += c == '"' ? std::string("\"\"") : std::string(1, c);
  return citado + "\"";
}

BaseEnMemoria::BaseEnMemoria() {
  if (sqlite3_open_v2(":memory:", &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI,
                      nullptr) == SQLITE_OK &&
      sqlite3_create_collation_v2(db_, kSinMayusculas, SQLITE_UTF8, nullptr, ComparaComoJet,
                                  nullptr) == SQLITE_OK)
    return;
  const std::string mensaje = db_ ? UltimoMensaje(db_) : "sin memoria";
  sqlite3_close(db_);
  FallaJet(ado::adErrUnspecified, "No se puede crear la base de trabajo: " + mensaje);
}

BaseEnMemoria::~BaseEnMemoria() { sqlite3_close(db_); }

Sentencia BaseEnMemoria::Prepara(const std::string& sql, std::string* resto) const {
  sqlite3_stmt* sentencia = nullptr;
  const char* cola = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size() + 1), &sentencia, &cola) !=
      SQLITE_OK)
    FallaDeBase(db_);
  if (resto) *resto = cola ? std::string(cola) : std::string();
  return Sentencia(sentencia);
}

void BaseEnMemoria::Ejecuta(const std::string& sql) const {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string mensaje = error ? error : sqlite3_errmsg(db_);
    sqlite3_free(error);
    FallaDeSentencia(sqlite3_extended_errcode(db_), mensaje);
  }
}

void BaseEnMemoria::CreaTabla(const std::string& nombre,
                              const std::vector<ColumnaNueva>& columnas) const {
  std::string definiciones;
  for (const ColumnaNueva& columna : columnas) {
    if (!definiciones.empty()) definiciones += ",";
    definiciones += IdentificadorSql(columna.nombre) + " " + columna.tipoDeclarado;
    if (EsTipoTexto(columna.tipoDeclarado))
      definiciones += std::string(" COLLATE ") + kSinMayusculas;
  }
  Ejecuta("CREATE TABLE " + IdentificadorSql(nombre) + " (" + definiciones + ")");
}

BaseEnMemoria::Insercion::Insercion(const BaseEnMemoria& base, const std::string& tabla,
                                    std::size_t columnas)
    : base_(base) {
  std::string marcas;
  for (std::size_t i = 0; i < columnas; ++i) marcas += i ? ",?" : "?";
  sentencia_ = base.Prepara("INSERT INTO " + IdentificadorSql(tabla) + " VALUES (" + marcas + ")");
}

void BaseEnMemoria::Insercion::Agrega(const std::vector<ValorAlmacenado>& fila) {
  sqlite3_stmt* s = sentencia_.get();
  sqlite3_reset(s);
  for (std::size_t i = 0; i < fila.size(); ++i) Vincula(s, static_cast<int>(i + 1), fila[i]);
  if (sqlite3_step(s) != SQLITE_DONE) FallaDeBase(base_.Conexion());
}

}  // namespace jet
