#pragma once
// Jet files (the structure catalogue) behind an ADO connection string of the form
// Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>;...
#include <memory>

#include "platform/ado/Provider.h"

namespace jet {

std::unique_ptr<ado::Session> OpenSession(const ado::OpenRequest& request);

}  // namespace jet
