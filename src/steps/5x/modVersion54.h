#pragma once
// Version 5.4: ModificarEstructura54 runs before ladder step 5.4's synchronisation,
// ActualizaCamposVersion54 after it. Each records version 540.
#include <cstdint>

#include "platform/ado/Ado.h"

// Widens tblEmpresa.DIR1_EMP to 70 characters and drops DIR2_EMP.
void ModificarEstructura54(ado::Connection& cnx, std::int16_t iManejador);

// Fills null columns, moves the amounts of air-time carrier 6 and grants the menu options
// mnuArchivoAgregarEmp and mnuAlmSeg.
void ActualizaCamposVersion54(ado::Connection& cnx);
