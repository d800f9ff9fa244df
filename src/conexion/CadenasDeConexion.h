#pragma once
// The connection strings of the dialogs' routes and the opening of a run's connection.
#include <string>

#include "platform/ado/Ado.h"

// A value placed in an OLE DB connection string: quoted when a ';' or a leading quote
// would otherwise change where it ends.
std::string ValorOleDb(const std::string& valor);

// "DSN=" + name as the ODBC route's connection string, the name brace-quoted when it
// holds characters that would end or break the value.
std::string CadenaOdbc(const std::string& captionDeRuta);

// Opens cnx on the run's connection string with no time-outs and server-side cursors.
// A connection that cannot be opened raises its error.
void AbreConexion(ado::Connection& cnx, const std::string& sCadenaConexion);
