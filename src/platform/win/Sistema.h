#pragma once
// Operating-system services: the clock, the pause, local paths, file existence and the
// reasons of file failures.
// The clock and the pause can be replaced by tests so that nothing waits.
#include <functional>
#include <string>

#include "platform/vb/Variant.h"

namespace win {

// Current local date and time (the language's Now); Date() and Time() are its parts.
vb::DateTime Now();
vb::DateTime Date();
vb::DateTime Time();
// Replaces the clock; an empty function restores the system clock.
void EstableceReloj(std::function<vb::DateTime()> reloj);

// Pauses the thread (kernel32's Sleep); tests replace it.
void Sleep(unsigned milisegundos);
void EstableceSleep(std::function<void(unsigned)> sleep);

// A local path written the Windows way ("C:\x" or gRutaApp & "\EstBDs.mdb") as a path
// of this system: backslashes become slashes, and a name that differs only in case from
// an existing file or folder takes that entry's name, since Windows does not tell them
// apart. Paths of files still to be made keep their names as written.
std::string RutaLocal(const std::string& ruta);
bool ExisteArchivo(const std::string& ruta);  // takes a Windows-style or local path
// Folder of the running executable, without a trailing separator.
std::string CarpetaDelPrograma();
// Why a file operation failed, from the system's error number (errno), in Spanish as the
// user reads it ("no tiene permiso de acceso").
std::string MotivoDeFalla(int numeroDeError);

}  // namespace win
