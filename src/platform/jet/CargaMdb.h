#pragma once
// Copies every table of a Jet (MS Access) file, read with libmdb, into the in-memory
// database, with the column types that Jet gives them.
#include <string>

#include "platform/jet/BaseEnMemoria.h"

namespace jet {

// Raises a clear provider error when the file is not a Jet file or is damaged.
void CargaArchivoJet(const std::string& ruta, const BaseEnMemoria& destino);

}  // namespace jet
