#include "steps/MarcoRutina.h"

#include <utility>
#include <vector>

#include "data/clsBaseDatos.h"
#include "platform/ado/ConexionPerdida.h"
#include "frame/modPrincipal.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"

namespace {

std::int16_t DialectoDeLaConexion(const ado::Connection& cnx) {
  const std::string cadena = vb::LCase(vb::Trim(cnx.ConnectionString));
  if (cadena.rfind("provider=sqloledb", 0) == 0) return ManejadorSQLServer;
  if (cadena.rfind("provider=microsoft.jet", 0) == 0) return ManejadorAccess;
  return ManejadorMySQL;
}

// A row of tblVersion: its VER as stored and as the run reads it (first three digits).
struct VersionRegistrada {
  double valor;
  int version;
};

// The rows of tblVersion; nothing when they cannot be read (no table, a Null VER).
std::optional<std::vector<VersionRegistrada>> VersionesRegistradas(ado::Connection& cnx) {
  std::vector<VersionRegistrada> versiones;
  try {
    ado::Recordset rs;
    rs.Open("SELECT * FROM tblVersion;", cnx, ado::adOpenForwardOnly, ado::adLockReadOnly);
    if (rs.State() != ado::adStateOpen) return std::nullopt;
    for (; !rs.Eof(); rs.MoveNext()) {
      const std::string texto = vb::CStr(rs.Fields("VER").Value());
      versiones.push_back({vb::Val(texto), static_cast<int>(vb::Val(vb::Left(texto, 3)))});
    }
  } catch (const vb::Error&) {
    return std::nullopt;
  }
  return versiones;
}

VersionDelPaso* gVersionDelPaso = nullptr;

// A fault of the program's own code, as the update reports it.
constexpr long kErrorInterno = 51;

}  // namespace

vb::Variant Campo(const ado::Recordset& rs, std::string_view nombre) {
  return rs.Fields(nombre).Value();
}

// ------------------------------------------------------------------ Rutina

Rutina::Rutina(ado::Connection& cnx, std::string etiqueta,
               std::optional<std::int16_t> iManejador, EtiquetaCompleta)
    : cnx_(cnx), etiqueta_(std::move(etiqueta)),
      manejadorDatos_(iManejador ? *iManejador : DialectoDeLaConexion(cnx)) {}

Rutina::Rutina(ado::Connection& cnx, const std::string& nombre)
    : Rutina(cnx, "Error en " + nombre + " :", std::nullopt, EtiquetaCompleta{}) {}

Rutina::Rutina(ado::Connection& cnx, const std::string& nombre, std::int16_t iManejador)
    : Rutina(cnx, "Error en " + nombre + " :", iManejador, EtiquetaCompleta{}) {}

Rutina Rutina::ConEtiqueta(ado::Connection& cnx, std::string etiqueta,
                           std::int16_t iManejador) {
  return Rutina(cnx, std::move(etiqueta), iManejador, EtiquetaCompleta{});
}

bool Rutina::Protege(const std::function<void()>& accion) {
  try {
    accion();
    return true;
  } catch (const vb::Error& error) {
    if (manejador_ == Manejador::Ninguno || ado::EsConexionPerdida(error)) throw;
    Atiende(error);
    return false;
  }
}

void Rutina::Atiende(const vb::Error& error) {
  if (manejador_ == Manejador::Armado)
    EscribeEntradaLog(etiqueta_, error.Number(), error.Description());
}

bool Rutina::Ejecuta(const std::string& sql) {
  return Protege([&] { cnx_.Execute(sql); });
}

bool Rutina::Ejecuta(const std::function<std::string()>& sentencia) {
  return Protege([&] { cnx_.Execute(sentencia()); });
}

bool Rutina::Paso(const std::function<void()>& paso) { return Protege(paso); }

ado::Recordset Rutina::Abre(const std::string& sql, long opciones) {
  return Abre([&] { return sql; }, opciones);
}

ado::Recordset Rutina::Abre(const std::function<std::string()>& sentencia, long opciones) {
  ado::Recordset rs;
  Protege([&] {
    rs.Open(sentencia(), cnx_, ado::adOpenForwardOnly, ado::adLockReadOnly, opciones);
  });
  return rs;
}

bool Rutina::SinFilas(const ado::Recordset& rs) {
  return Si([&] { return rs.BOF() && rs.Eof(); });
}

bool Rutina::ConFilas(const ado::Recordset& rs) {
  return Si([&] { return !(rs.BOF() && rs.Eof()); });
}

bool Rutina::Si(const std::function<bool()>& prueba) {
  bool resultado = true;  // a test that fails holds
  Protege([&] { resultado = prueba(); });
  return resultado;
}

void Rutina::Recorre(ado::Recordset& rs, const std::function<void()>& cuerpo) {
  while (true) {
    bool alFinal = true;
    if (!Protege([&] { alFinal = rs.Eof(); }) || alFinal) return;
    cuerpo();
    if (!Protege([&] { rs.MoveNext(); })) return;
  }
}

void Rutina::Cierra(ado::Recordset& rs) {
  Protege([&] { rs.Close(); });
}

void Rutina::EjecutaSiFalta(const std::string& consulta, const std::string& sentencia) {
  ado::Recordset rs = Abre(consulta);
  if (SinFilas(rs)) Ejecuta(sentencia);
  Cierra(rs);
}

std::string Rutina::Une(const vb::Variant& valor) const {
  if (valor.IsNull() || valor.IsEmpty()) return {};
  return TextoSql(vb::CStr(valor), manejadorDatos_);
}

std::string Rutina::UnePropagandoNulo(const vb::Variant& valor) const {
  if (valor.IsNull()) vb::Raise(vb::err::InvalidUseOfNull);
  return Une(valor);
}

void Rutina::RegistraVersion(int version) {
  RegistraVersion(version, "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (" +
                               std::to_string(version) + ",0);");
}

void Rutina::RegistraVersion(int version, const std::string& insercion) {
  if (VersionDelPaso* paso = VersionDelPaso::EnCurso())
    paso->Anota(version, insercion, *this);
  else
    EscribeVersion(version, insercion);
}

void Rutina::RegistraVersionAhora(int version) {
  RegistraVersion(version);
  if (VersionDelPaso* paso = VersionDelPaso::EnCurso()) paso->Escribe(cnx_);
}

// The new row goes in before the old ones go, so that at every moment the table holds the
// old version or the new one: no transaction is needed, on any engine.
void Rutina::EscribeVersion(int version, const std::string& insercion) {
  const auto registradas = VersionesRegistradas(cnx_);
  bool yaEsta = false, hayOtras = !registradas;
  if (registradas) {
    for (const VersionRegistrada& fila : *registradas) {
      if (fila.version > version) return;  // the recorded version never goes down
      if (fila.valor == version) yaEsta = true;
      else hayOtras = true;
    }
  }
  if (!yaEsta && !Ejecuta(insercion)) return;
  if (hayOtras) Ejecuta("DELETE FROM tblVersion WHERE VER<>" + std::to_string(version) + ";");
}

// ------------------------------------------------------------------ VersionDelPaso

VersionDelPaso::VersionDelPaso() { gVersionDelPaso = this; }

VersionDelPaso::~VersionDelPaso() {
  if (gVersionDelPaso == this) gVersionDelPaso = nullptr;
}

VersionDelPaso* VersionDelPaso::EnCurso() { return gVersionDelPaso; }

void VersionDelPaso::Anota(int version, const std::string& insercion, const Rutina& rutina) {
  if (nota_ && nota_->version > version) return;
  nota_ = Nota{version, insercion, rutina.etiqueta_, rutina.manejadorDatos_, rutina.manejador_};
}

void VersionDelPaso::Escribe(ado::Connection& cnx) {
  if (gVersionDelPaso == this) gVersionDelPaso = nullptr;
  if (!nota_) return;
  const Nota nota = *std::exchange(nota_, std::nullopt);
  Rutina r = Rutina::ConEtiqueta(cnx, nota.etiqueta, nota.dialecto);
  r.EstadoManejador(nota.manejador);
  r.EscribeVersion(nota.version, nota.insercion);
}

void VersionDelPaso::CompruebaEscrita() const {
  if (nota_)
    vb::Raise(kErrorInterno, "El paso terminó sin escribir la versión " +
                                 std::to_string(nota_->version) + " que registraron sus rutinas.");
}

std::optional<vb::Error> Rutina::Intenta(const std::function<void()>& bloque) {
  const Manejador anterior = manejador_;
  manejador_ = Manejador::Ninguno;
  try {
    bloque();
  } catch (const vb::Error& error) {
    manejador_ = anterior;
    if (ado::EsConexionPerdida(error)) throw;
    return error;
  }
  manejador_ = anterior;
  return std::nullopt;
}

bool Rutina::IntentaAnotando(const std::function<void()>& bloque) {
  const std::optional<vb::Error> falla = Intenta(bloque);
  if (falla) EscribeEntradaLog(etiqueta_, falla->Number(), falla->Description());
  return !falla;
}
