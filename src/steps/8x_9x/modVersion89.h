#pragma once
// Version 8.9, its default-records check and the central-administrator fix-up of 8.9.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"

// Widens password and customs columns, fills columns, drops CONX_CXC and BD_CXC, repairs
// dates, runs its default-records check when iVersionActual is 890, marks web-invoicing
// states and records version 890. Only when bCodigoBarra is set does it read the bar-code
// layout from the CODIGOBARRA section of Dorvex.INI in sRutaIni.
void ModificarEstructura89(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino,
                           bool bCodigoBarra, const std::string& sRutaIni);

// Widens two tblCDSOConfig columns and tblBitacoraAntibioticos.NOTAS; records no version.
void ModificarEstructura894(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino);

// Changes tblAC_Paquetes.Envio_Recep 1 to 4 and fills null XML_Contenido; records no
// version. iVersionActual is not used.
void ModificarEstructura89_AC(ado::Connection& cnx, std::int16_t iManejador,
                              std::int16_t iVersionActual);

namespace modVersion89 {
// The default-records check of this version (log label "ModificarEstructura89 - Revisar
// Registros Default"): payment forms, tax types, the HOST profile, the public-sales
// invoice article and the card and service providers. Records no version.
void RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                             std::int16_t iVersionDestino);
}  // namespace modVersion89
