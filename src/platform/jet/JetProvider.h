#pragma once
// Jet files (the structure catalogue) behind an ADO connection string of the form
// Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>;...
// The file is read whole into an in-memory SQL engine when the connection opens: a Jet
// file is read with libmdb and is never written; a file that begins with the SQLite
// header is read as SQLite (catalogues built from SQL scripts for the tests, the record
// import's work file), and changes to its rows are written through to it. The copy of a
// catalogue gets indexes for the synchronisation's lookups; the file never does.
#include <memory>

#include "platform/ado/Provider.h"

namespace jet {

// Raises a clear provider error for a missing Data Source, a missing or unreadable
// file, a file of another format and a damaged file.
std::unique_ptr<ado::Session> OpenSession(const ado::OpenRequest& request);

}  // namespace jet
