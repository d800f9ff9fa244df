#pragma once
// What the doctor's-office updates share: the structure of kind 10 (without default rows,
// on SQL Server and MySQL), the repair on a connection of their own, and the boxes that
// tell the user the outcome.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"

enum class SincronizacionConsultorio {
  Completa,    // ran through, or nothing to do for the dialect
  Fallida,     // an error escaped it; the failure box has been shown
  Abandonada,  // no database, or the user gave up connecting; it told the user why
};

SincronizacionConsultorio SincronizaConsultorio(const std::string& sCadenaConexion,
                                                std::int16_t iManejador,
                                                const std::string& sNombreBaseDatos,
                                                ui::Label& lblMensaje);

// Opens a connection of its own with the connection string and, when it is open, runs the
// repair on it; closes it (failures ignored) and puts the default pointer back. The open
// is not guarded: a database that cannot be opened is the caller's to report. True when
// the connection was open and the repair reports it was done.
bool ReparaConsultorio(const std::string& sCadenaConexion,
                       const std::function<bool(ado::Connection&)>& repara);

// "La base de datos de Vudovizivev Azuzo fue actualizada".
void AvisaConsultorioActualizado();
// "No es posible actualizar estructura de la Base de Datos de Vudovizivev Azuzo", with the
// default pointer.
void AvisaConsultorioSinActualizar();
