#pragma once
// The run log: the file that gRutaLog names, where failures of a run are written.
#include <string>

// Appends one run-log entry to gRutaLog: an empty line, the label immediately followed by
// the number, and the description, each ended by CR LF. The file is opened for appending
// (created when missing) and closed again. A file that cannot be opened or written
// raises error 75 (Path/File access error).
void EscribeEntradaLog(const std::string& sEtiqueta, long lNumero,
                       const std::string& sDescripcion);
