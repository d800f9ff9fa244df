#pragma once
// A session on the in-memory copy of a Jet file. It answers the SQL that the program
// sends to a Jet file (joins in parentheses, qualified field names). A Jet file is
// read-only: a statement that would change the copy is refused, as nothing may change
// the file. A SQLite file may have its rows changed, written through to the file
// (EscrituraSqlite.h); its structure stays as it is.
#include <memory>
#include <string>

#include "platform/ado/Provider.h"
#include "platform/jet/BaseEnMemoria.h"
#include "platform/jet/EscrituraSqlite.h"

namespace jet {

class SesionJet : public ado::Session {
 public:
  // Without `escritura` the session is read-only.
  SesionJet(std::string ruta, std::unique_ptr<BaseEnMemoria> base,
            std::unique_ptr<EscrituraSqlite> escritura = nullptr);
  ado::RowSet Execute(const std::string& sql, long options) override;

 private:
  ado::RowSet Escribe(sqlite3_stmt* sentencia, const Efectos& efectos);

  std::string ruta_;
  std::unique_ptr<BaseEnMemoria> base_;
  std::unique_ptr<EscrituraSqlite> escritura_;
};

}  // namespace jet
