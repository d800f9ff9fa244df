#pragma once
// Version 5.6. Each routine records version 560.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens tblCajas.TA_PASSWORD to 40 characters.
void ModificarEstructura56(ado::Connection& cnx, std::int16_t iManejador);

// Fills null columns, seeds tblCartas, tblRegimenEmpresa and tblExpedicion when empty,
// marks regime iRegimen (the dialog's choice, 1 to 3; 0 for none) active without clearing
// the others' flag, fills the dates and times of tblRenMesas and grants mnuCarMas and
// mnuTabReg.
void ActualizaCamposVersion56(ado::Connection& cnx, std::int16_t iManejador,
                              std::uint8_t iRegimen);
