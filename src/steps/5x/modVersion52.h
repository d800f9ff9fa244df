#pragma once
// Version 5.2: ModificarEstructura52 runs before ladder step 5.2's synchronisation,
// ActualizaCamposVersion52 after it. Each records version 520.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"

// Drops tblListasSeleccionables and tblModificadores, drops
// tblFacturaElectronica.RUTA_PDF and widens FOLIO_FISCAL to 17 and
// tblCajas.TA_PASSWORD to 10 characters.
void ModificarEstructura52(ado::Connection& cnx, std::int16_t iManejador);

// Fills nine columns where they are null. The images root, the dialect code and the
// label are the step's and are not used.
void ActualizaCamposVersion52(ado::Connection& cnx, std::string sRutaImagenes,
                              std::int16_t iManejador, ui::Label& lblMensaje);
