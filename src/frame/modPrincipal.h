#pragma once
// The program's frame: start-up, the program-wide variables and the small routines
// that several modules share.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/vb/Variant.h"

// Program-wide variables; they live for the whole process.
extern std::string gRutaApp;      // folder of the running program, no trailing separator
extern std::string gDirElegido;   // folder last accepted in the folder picker
extern std::string gRutaLog;      // full path of the current run's log file
extern vb::DateTime gHoraInicio;  // start of the current run (time of day)
extern vb::DateTime gHoraFin;     // end of the current run (time of day)
extern std::string gIdEmpresa;    // never assigned: always empty
extern std::string gCadenaConexion;     // never assigned: always empty
extern std::int16_t gManejadorDatos;    // never assigned: always 0

// Each program defines how its dialog is created and shown modally.
void MuestraDialogoPrincipal();

// Start-up: records the program's folder, then shows the program's dialog.
void Main();

void MuestraError(const vb::Variant& vNumero, const vb::Variant& vDescripcion);
std::string LeeIni(const std::string& Seccion, const std::string& Llave, const std::string& Ruta);
bool ExisteTablaAC(ado::Connection& cnx, std::int16_t iTipoBD);
bool ExisteTablaDp(ado::Connection& cnx, std::int16_t iTipoBD);
