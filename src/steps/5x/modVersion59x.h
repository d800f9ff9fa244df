#pragma once
// Versions 5.9.3 to 5.9.9: one routine per ladder step, each recording its version.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"

// Fills invoice and sale-line columns; version 593.
void ModificarEstructura593(ado::Connection& cnx);

// Fills price, setting and return columns and numbers the unnumbered modifiers of each
// package; version 595.
void ModificarEstructura595(ado::Connection& cnx);

// Widens NOM_CLI and NOM_PROV to 120 characters; version 596.
void ModificarEstructura596(ado::Connection& cnx, std::int16_t iManejador);

// Fills FE_FOLIONUM and grants the menu option mnuSisConfigKi; version 597.
void ModificarEstructura597(ado::Connection& cnx);

// Fills three columns; version 598.
void ModificarEstructura598(ado::Connection& cnx);

// Fills service, tax and till columns, adds tax type 3 "IMPUESTO LOCAL", stores sRutaXml
// (already in the dialect's form) in the empty FE_RUTAXML, fills FE_VENCERT; version 599.
void ModificarEstructura599(ado::Connection& cnx, const std::string& sRutaXml,
                            std::int16_t iManejador);
