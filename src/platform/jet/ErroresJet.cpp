#include "platform/jet/ErroresJet.h"

#include <sqlite3.h>

#include <array>
#include <string_view>

namespace jet {

namespace {

// An engine message "<prefijo>NAME<sufijo>" reads as `antes` + NAME + `despues`. A table's
// name may come with the schema of the engine's own copy ("main.", "archivo_jet."), which
// the user never wrote: it is left out.
struct Forma {
  std::string_view prefijo, sufijo;
  const char* antes;
  const char* despues;
  bool sinEsquema = false;
};

constexpr std::array<Forma, 9> kFormas = {{
    {"no such table: ", "", "No se encuentra la tabla '", "'.", true},
    {"no such column: ", "", "No se encuentra la columna '", "'."},
    {"no such function: ", "", "No se conoce la función '", "'."},
    {"ambiguous column name: ", "", "El nombre de columna '", "' es ambiguo."},
    {"UNIQUE constraint failed: ", "",
     "Valor duplicado: ya hay una fila con el mismo valor en '", "'."},
    {"NOT NULL constraint failed: ", "", "El campo '", "' no admite valores nulos (Null)."},
    {"near ", ": syntax error", "Error de sintaxis en la instrucción SQL cerca de ", "."},
    {"unrecognized token: ", "", "La instrucción SQL tiene un elemento no reconocido: ", "."},
    {"table ", " already exists", "Ya existe la tabla ", "."},
}};

// An engine message that begins with `mensaje` reads as `espanol`; what follows (a file's
// address, say) the user has already been told.
struct Traduccion {
  std::string_view mensaje;
  const char* espanol;
};

constexpr std::array<Traduccion, 10> kMensajes = {{
    {"incomplete input", "La instrucción SQL está incompleta."},
    {"file is not a database", "El archivo no es una base de datos."},
    {"database disk image is malformed", "El archivo de base de datos está dañado."},
    {"unable to open database", "No se puede abrir el archivo de base de datos."},
    {"attempt to write a readonly database",
     "No se puede escribir: la base de datos es de sólo lectura."},
    {"database is locked", "La base de datos está bloqueada por otro proceso."},
    {"out of memory", "No hay memoria suficiente."},
    {"disk I/O error", "Error de lectura o escritura en el disco."},
    {"datatype mismatch", "El valor no es del tipo de dato del campo."},
    {"database or disk is full", "El disco está lleno."},
}};

// The sentence for a result code, for a message no form above covers.
const char* SentenciaDelCodigo(int codigo) {
  switch (codigo & 0xff) {
    case SQLITE_ERROR: return "Error en la instrucción SQL";
    case SQLITE_CONSTRAINT: return "Los datos no cumplen una restricción de la tabla";
    case SQLITE_CANTOPEN: return "No se puede abrir el archivo de base de datos";
    case SQLITE_READONLY: return "La base de datos es de sólo lectura";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return "El archivo de base de datos está dañado";
    default: return "Error del motor de base de datos";
  }
}

}  // namespace

std::string MensajeEnEspanol(int codigoSqlite, const std::string& mensaje) {
  const std::string_view texto = mensaje;
  for (const Traduccion& t : kMensajes)
    if (texto.starts_with(t.mensaje)) return t.espanol;
  for (const Forma& f : kFormas) {
    if (texto.size() < f.prefijo.size() + f.sufijo.size() || !texto.starts_with(f.prefijo) ||
        !texto.ends_with(f.sufijo))
      continue;
    std::string_view nombre =
        texto.substr(f.prefijo.size(), texto.size() - f.prefijo.size() - f.sufijo.size());
    if (f.sinEsquema && nombre.find('.') != std::string_view::npos)
      nombre.remove_prefix(nombre.rfind('.') + 1);
    return f.antes + std::string(nombre) + f.despues;
  }
  return std::string(SentenciaDelCodigo(codigoSqlite)) + " (" + mensaje + ").";
}

std::string UltimoMensaje(sqlite3* db) {
  return MensajeEnEspanol(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
}

void FallaJet(long numero, const std::string& descripcion) {
  const char* sqlState = numero == ado::adErrSyntax      ? "42000"
                         : numero == ado::adErrIntegrity ? "23000"
                                                         : "HY000";
  throw ado::ProviderError({{numero, descripcion, kOrigenJet, sqlState, 0}});
}

void FallaDeSentencia(int codigoSqlite, const std::string& mensaje) {
  const std::string descripcion = MensajeEnEspanol(codigoSqlite, mensaje);
  switch (codigoSqlite & 0xff) {
    case SQLITE_ERROR: FallaJet(ado::adErrSyntax, descripcion);
    case SQLITE_CONSTRAINT: FallaJet(ado::adErrIntegrity, descripcion);
    default: FallaJet(ado::adErrUnspecified, descripcion);
  }
}

}  // namespace jet
