#pragma once
// Jet files (the structure catalogue) behind an ADO connection string of the form
// Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>;...
// The file is read whole into an in-memory SQL engine when the connection opens and
// is never written: a Jet file is read with libmdb; a file that begins with the SQLite
// header is read as SQLite (catalogues built from SQL scripts for the tests).
#include <memory>

#include "platform/ado/Provider.h"

namespace jet {

// Raises a clear provider error for a missing Data Source, a missing or unreadable
// file, a file of another format and a damaged file.
std::unique_ptr<ado::Session> OpenSession(const ado::OpenRequest& request);

}  // namespace jet
