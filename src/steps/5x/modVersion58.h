#pragma once
// Version 5.8.
#include <cstdint>

#include "platform/ado/Ado.h"

// Fills null or zero columns, drops index idxFOLIO_NV, restores air-time amount M050,
// drops three tblBitacoraComanda columns, gives purchase lines their header's warehouse
// and records version 580 (CXC_CENTRAL left to its default). A failure of the warehouse
// copy reaches the caller, except a header without folio or warehouse, which is logged
// and skipped.
void ActualizaCamposVersion58(ado::Connection& cnx, std::int16_t iManejador);
