#pragma once
// Version 5.3: ModificarEstructura53 runs before ladder step 5.3's synchronisation,
// ActualizaCamposVersion53 after it. Each records version 530.
#include <cstdint>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"

// Drops tblModificadores, tblListasSeleccionables and tblModifComanda when each is empty
// and grants the menu option mnuCatModif.
void ModificarEstructura53(ado::Connection& cnx, std::int16_t iManejador);

// The grant of mnuCatModif (module 11) that ModificarEstructura53 makes. It writes nothing
// to the run log: a failure in the template rows or in a user's profile lookup ends it
// quietly; a failure in a user's own rows reaches the caller.
void AgregaMenuModificadores(ado::Connection& cnx);

// Copies the branch code into the tblAuxCaja and tblCortes rows that lack it and fills
// null settings. The images root and the label are the step's and are not used.
void ActualizaCamposVersion53(ado::Connection& cnx, std::string sRutaImagenes,
                              std::int16_t iManejador, ui::Label& lblMensaje);
