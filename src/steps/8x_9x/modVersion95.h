#pragma once
// Versions 9.5, 9.5.1 and 9.5.2.
#include <cstdint>

#include "platform/ado/Ado.h"

// Recodes tblImpuestos.EN_IMPORTE, fills tip, price and local-tax columns of the sale,
// invoice, return and order lines, and records version 950.
void ModificarEstructura95(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino);

// Widens four columns of tblFtpConexiones and records version 951.
void ModificarEstructura951(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino);

// Sets tblParametrosGenerales.TA_FTP to '1800-01-01' where it holds no date and records
// version 952.
void ModificarEstructura952(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino);
