#pragma once
// Version 5.1: the data half, run by ladder step 5.1 after its synchronisation.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"

// Fills null package and print-area columns, writes the default legend of printed
// electronic invoices, moves air-time amounts M040 and M050 to carrier 0, marks the
// air-time articles, grants the menu option mnuTabAreaSurt and records version 510.
// The images root, the dialect code and the label are the step's and are not used.
void ActualizaCamposVersion51(ado::Connection& cnx, std::string sRutaImagenes,
                              std::int16_t iManejador, ui::Label& lblMensaje);
