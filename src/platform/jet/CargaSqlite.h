#pragma once
// Copies every table of a SQLite file into the in-memory database. Catalogues written
// as SQL scripts (no tool writes Jet files here) reach the program this way; their
// text columns are given Jet's comparison without regard to case whatever the script
// declared.
#include <string>

#include "platform/jet/BaseEnMemoria.h"

namespace jet {

// The first bytes of every SQLite file.
inline constexpr char kCabeceraSqlite[] = "SQLite format 3";  // followed by a NUL

// The URI under which SQLite opens the file `ruta` in `modo` ("ro", "rw").
std::string UriSqlite(const std::string& ruta, const std::string& modo);

// Raises a clear provider error when the file cannot be read as SQLite.
void CargaArchivoSqlite(const std::string& ruta, const BaseEnMemoria& destino);

}  // namespace jet
