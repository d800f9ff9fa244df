#include "steps/MarcoRutina.h"

#include <vector>

#include "data/clsBaseDatos.h"
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

// A value read from tblVersion as a literal of an INSERT that puts it back.
std::string LiteralDeValor(const vb::Variant& valor, std::int16_t iManejador) {
  switch (valor.Type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null: return "NULL";
    case vb::VarType::Boolean: return valor.AsBoolean() ? "1" : "0";
    case vb::VarType::String: return "'" + TextoSql(valor.AsString(), iManejador) + "'";
    case vb::VarType::Date: return "'" + vb::Format(valor, "YYYY-MM-DD HH:MM:SS") + "'";
    default: return vb::CStr(valor);
  }
}

// The rows of tblVersion as INSERTs that put them back; nothing when they cannot be read.
std::vector<std::string> InsercionesDeVersiones(ado::Connection& cnx, std::int16_t iManejador) {
  std::vector<std::string> inserciones;
  try {
    ado::Recordset rs;
    rs.Open("SELECT * FROM tblVersion;", cnx, ado::adOpenForwardOnly, ado::adLockReadOnly);
    if (rs.State() != ado::adStateOpen) return {};
    for (; !rs.Eof(); rs.MoveNext()) {
      std::string columnas, valores;
      for (int i = 0; i < rs.FieldCount(); ++i) {
        const ado::Field campo = rs.Fields(i);
        columnas += (i ? "," : "") + campo.Name;
        valores += (i ? "," : "") + LiteralDeValor(campo.Value(), iManejador);
      }
      inserciones.push_back("INSERT INTO tblVersion (" + columnas + ") VALUES (" + valores + ");");
    }
  } catch (const vb::Error&) {
    return {};
  }
  return inserciones;
}

// Runs each statement, whatever the others do; returns the failures.
std::vector<vb::Error> EjecutaTodas(ado::Connection& cnx,
                                    const std::vector<std::string>& sentencias) {
  std::vector<vb::Error> fallas;
  for (const std::string& sentencia : sentencias) {
    try {
      cnx.Execute(sentencia);
    } catch (const vb::Error& falla) {
      fallas.push_back(falla);
    }
  }
  return fallas;
}

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
    if (manejador_ == Manejador::Ninguno) throw;
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
  RegistraVersion("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (" + std::to_string(version) +
                  ",0);");
}

void Rutina::RegistraVersion(const std::string& insercion) {
  const std::vector<std::string> previas = InsercionesDeVersiones(cnx_, manejadorDatos_);
  const bool borradas = Ejecuta("DELETE FROM tblVersion;");
  try {
    cnx_.Execute(insercion);
  } catch (const vb::Error& error) {
    // The rows go back before anything else can fail: writing the entry may raise.
    const std::vector<vb::Error> fallasAlReponer =
        borradas ? EjecutaTodas(cnx_, previas) : std::vector<vb::Error>{};
    if (manejador_ == Manejador::Ninguno) throw;
    Atiende(error);
    for (const vb::Error& falla : fallasAlReponer) Atiende(falla);
  }
}

std::optional<vb::Error> Rutina::Intenta(const std::function<void()>& bloque) {
  const Manejador anterior = manejador_;
  manejador_ = Manejador::Ninguno;
  try {
    bloque();
  } catch (const vb::Error& error) {
    manejador_ = anterior;
    return error;
  }
  manejador_ = anterior;
  return std::nullopt;
}
