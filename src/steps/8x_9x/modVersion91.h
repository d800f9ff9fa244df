#pragma once
// Version 9.1 and the doctor's-office database at 9.1.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"

// Sets the web-invoicing defaults, fills columns (the purchase-line tax codes among them),
// adds document states 11 to 13 and seller type 0, and records version 910. The versions
// and the label are not used.
void ModificarEstructura91(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino,
                           ui::Label& lblMensaje);

// Synchronises the doctor's-office structure, widens tblConceptosCA.Desc_Concepto, fills
// tblConsultorios.Id_Serial on a connection of its own and tells the outcome in a message
// box; records no version.
void ModificarEstructura91_CA(const std::string& sCadenaConexion, std::int16_t iManejador,
                              const std::string& sNombreBaseDatos, ui::Label& lblMensaje);
