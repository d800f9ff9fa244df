#pragma once
// Version 5.0: the settings move of the main store database and the doctor's-office
// database found at 5.0.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"

// Widens the customer, supplier and air-time password columns, moves the company settings
// of tblEmpresa into tblParametrosGenerales (each group only when iVersionActual is recent
// enough to have it), drops the moved columns, fills empty texts, sets the tax kinds and
// records version 500. Run again on a database whose settings have already left
// tblEmpresa, it writes nothing over the branch code, the receivables connection or the
// card service's key in tblParametrosGenerales; it only fills what is still Null there.
void ModificarEstructura50(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual);

// Brings a doctor's-office database at 5.0 to the catalogue's structure for its kind and
// repairs its data, on a connection of its own; tells the outcome in a message box (the
// success box only when the structure came through) and records no version.
void ModificarEstructura50_CA(const std::string& sCadenaConexion, std::int16_t iManejador,
                              const std::string& sNombreBaseDatos, ui::Label& lblMensaje);
