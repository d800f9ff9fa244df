#pragma once
// Writing through to a SQLite file. Its session answers every statement from the
// in-memory copy, which compares text as Jet does; a statement that changes rows runs on
// the copy, and each table it changed is then written back whole to the file in the same
// transaction, so that the copy and the file change together or not at all. Statements
// that would change anything but rows (tables, indexes, pragmas) are not written.
#include <set>
#include <string>

#include "platform/jet/BaseEnMemoria.h"

namespace jet {

// What a statement would change, as SQLite reports it while preparing the statement.
struct Efectos {
  std::set<std::string> tablasEscritas;  // tables of the copy whose rows it changes
  bool otrosCambios = false;             // structure, pragmas, other databases
};

// Prepares one statement on `base`, as BaseEnMemoria::Prepara does, noting its effects.
Sentencia PreparaAnotando(const BaseEnMemoria& base, const std::string& sql, std::string* resto,
                          Efectos& efectos);

class EscrituraSqlite {
 public:
  explicit EscrituraSqlite(std::string ruta) : ruta_(std::move(ruta)) {}

  // Runs a prepared statement that changes the rows of `efectos.tablasEscritas` and
  // writes those tables back to the file. Returns the number of rows it changed. On
  // failure neither the copy nor the file keeps any of it.
  long Ejecuta(const BaseEnMemoria& base, sqlite3_stmt* sentencia, const Efectos& efectos);

 private:
  void AdjuntaArchivo(const BaseEnMemoria& base);

  std::string ruta_;
  bool adjunto_ = false;
};

}  // namespace jet
