#pragma once
// Failures of the Jet provider, raised as ADO reports them for Jet files.
#include <string>

#include "platform/ado/Provider.h"

struct sqlite3;

namespace jet {

inline constexpr const char* kOrigenJet = "Microsoft JET Database Engine";

// Raises a provider error with the given ADO number (ado::adErr...).
[[noreturn]] void FallaJet(long numero, const std::string& descripcion);

// Raises the failure of the SQL engine behind a session: statement errors as syntax
// errors, constraint failures as integrity errors, everything else as unspecified. The
// engine's message is given in Spanish (MensajeEnEspanol).
[[noreturn]] void FallaDeSentencia(int codigoSqlite, const std::string& mensaje);

// The SQL engine's message in Spanish, as the user reads it: the messages a catalogue or
// a work file can bring about are said again with the names they carry; any other keeps
// the engine's text after a Spanish sentence for its result code.
std::string MensajeEnEspanol(int codigoSqlite, const std::string& mensaje);
// The last message of the connection `db`, in Spanish.
std::string UltimoMensaje(sqlite3* db);

}  // namespace jet
