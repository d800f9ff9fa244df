#pragma once
// A session on the in-memory copy of a Jet file. It answers the SQL that the program
// sends to a Jet file (joins in parentheses, qualified field names) and is read-only:
// a statement that would change the copy is refused, as nothing may change the file.
#include <memory>
#include <string>

#include "platform/ado/Provider.h"
#include "platform/jet/BaseEnMemoria.h"

namespace jet {

class SesionJet : public ado::Session {
 public:
  SesionJet(std::string ruta, std::unique_ptr<BaseEnMemoria> base);
  ado::RowSet Execute(const std::string& sql, long options) override;

 private:
  std::string ruta_;
  std::unique_ptr<BaseEnMemoria> base_;
};

}  // namespace jet
