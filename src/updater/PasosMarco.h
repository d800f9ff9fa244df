#pragma once
// The frame that every ladder step follows, and the error helper that the run, the steps
// and the satellite update share (the connection opener comes from conexion/).
//
// A step reads as a short list:
//
//   Paso paso(*this, "5.5", sCadenaConexion, iManejador);   // "Revisando estructura ..."
//   if (!paso.Sincroniza(iVersionActual > 530)) return false;
//   ado::Connection& cnn = paso.Abre();
//   ModificarEstructura55(cnn, iManejador);
//   ActualizaCamposVersion55(cnn);
//   return paso.Termina();                                  // "Estructura modificada ..."
//
// A step fails (returns False) when a synchronisation reports failure; it then opens no
// connection and runs no routine. The version its routines record is written only by
// Termina, once everything of the step has run (the ladder holds it meanwhile, see
// VersionDelPaso); a routine run after Termina writes its own at once. Any error that a
// routine lets out, or a connection that cannot be opened, leaves the step at once and goes
// to the dispatcher's trap, so no routine runs against a connection that is not open.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "conexion/CadenasDeConexion.h"
#include "platform/ado/Ado.h"
#include "steps/MarcoRutina.h"
#include "updater/frmActIngreso.h"

// Runs a block whose failures are passed over without a trace; the block ends at its
// first failure. A lost connection is never passed over.
void IgnorandoErrores(const std::function<void()>& bloque);

class frmActIngreso::Paso {
 public:
  // Shows "Revisando estructura para versión " + sVersion + "..." at once.
  Paso(frmActIngreso& dialogo, std::string sVersion, const std::string& sCadenaConexion,
       std::int16_t iManejador);
  Paso(const Paso&) = delete;
  Paso& operator=(const Paso&) = delete;

  // The main structure's synchronisation, made when bEnVentana holds and the dialect is
  // one the synchronisation knows (2, 3 or 4). False when it reported failure.
  bool Sincroniza(bool bEnVentana);
  // The synchronisation of satellite tables that the main database holds (step 8.0):
  // MySQL and SQL Server only, always with the catalogue's default rows.
  bool SincronizaTablas(std::uint8_t iEstructuraBaseDeDatos);
  // A routine run before the synchronisation on a connection of its own, its failures
  // passed over (steps 5.2 to 5.4).
  void AntesDeSincronizar(const std::function<void(ado::Connection&)>& rutina);
  // The step's connection, open; released when the step ends, whichever way it ends.
  ado::Connection& Abre();
  // The air-time rebuild on the step's connection, bare or between two captions.
  void TiempoAire(std::int16_t iVersionDestino);
  void TiempoAireConAviso(std::int16_t iVersionDestino,
                          const std::string& sAviso = "Verificando tiempo aire...");
  // Sets the progress caption and repaints the dialog, so that it shows during the work
  // that follows.
  void Muestra(const std::string& sCaption);
  // Writes the version row that the step's routines recorded (it waits for the step's end,
  // see VersionDelPaso) and shows "Estructura modificada a versión " + the step's version;
  // the step succeeded.
  bool Termina();

 private:
  bool LlamaSincronizacion(bool bAgregaDefault, std::uint8_t iEstructuraBaseDeDatos);

  frmActIngreso& dialogo_;
  std::string version_;
  const std::string& cadena_;
  std::int16_t manejador_;
  std::unique_ptr<ado::Connection> cnn_;
};
