#pragma once
// The ODBC driver-manager calls that list the machine's data sources, on unixODBC.
// Return codes and arguments are those of the ODBC interface; text buffers are
// strings whose size is the buffer length that the caller passes.
#include <string>

namespace odbc {

using HENV = void*;

// Return codes and the fetch direction, as ODBC numbers them.
constexpr short Exito = 0;         // SQL_SUCCESS
constexpr short ExitoConInfo = 1;  // SQL_SUCCESS_WITH_INFO
constexpr short Fallo = -1;        // SQL_ERROR
constexpr short SinDatos = 100;    // SQL_NO_DATA
constexpr unsigned short SiguienteFuente = 1;  // SQL_FETCH_NEXT

// Allocates an environment handle (ODBC 2 behaviour).
short SQLAllocEnv(HENV& henv);
// The next data source: its name and its driver's description are copied into the
// front of the buffers (at most their length − 1 characters; the rest of each buffer is
// left as it was) and their full lengths returned.
short SQLDataSources(HENV henv, unsigned short direccion, std::string& nombre, short largoNombre,
                     short& largoNombreDevuelto, std::string& descripcion, short largoDescripcion,
                     short& largoDescripcionDevuelto);
short SQLFreeEnv(HENV henv);

}  // namespace odbc
