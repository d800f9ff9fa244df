#pragma once
// What a run reads and names before it changes anything: the database's structure
// version and the run log's name.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/vb/Error.h"

// An empty tblVersion tells nothing of the database's version: it is not taken for one
// older than 5.0 (which would be refused for ever), it is reported as it is.
constexpr std::int16_t kTablaDeVersionVacia = -1;

// The greatest VER of tblVersion, each value cut to its first three digits;
// kTablaDeVersionVacia for an empty table; nothing when the table cannot be queried. A VER that is not a version
// (Null, not a number) raises.
std::optional<std::int16_t> VersionDeTabla(ado::Connection& cnx);

// "\Log_YYYYMMDD-HHMMSS.log" in the program folder, from the moment it is named.
std::string NombreDelRunLog();

// "Error " + number, a line break and the description, as the run's boxes show an error.
std::string TextoDeError(const vb::Error& error);
