#pragma once
// The recoder of the tax codes of purchase-document lines: receipts, quotations, purchase
// orders and returns get in COD1_IMP and COD2_IMP the code of tblImpuestos that fits the
// rates of their first and second tax. 0 marks a line as not coded yet.
#include <cstdint>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"
#include "platform/vb/Variant.h"

// The log label of the recoder's entries.
inline constexpr const char* kEtiquetaImpuestosCompras = "Error al Agregar Impuestos de Compras :";

// The code of the tax at rate curPorImp, for a line's first tax (iTipoImp 1: type 1 of the
// same levied flag, then type 1 of any flag, then any type) or its second (any other
// iTipoImp: type 2, then any type). 0 when no tax has that rate. Errors go to the caller.
std::int16_t BuscaCodImpuesto(ado::Connection& cnx, vb::Currency curPorImp,
                              std::uint8_t iGravaImp, std::uint8_t iTipoImp);

// Codes the uncoded lines of the four tables, one pass each, showing its progress in
// lblMensaje. True when every pass has run. The first error stops the recoder: it is
// written to the run log (gRutaLog) and the result is False; what was written stays.
// An uncoded line without a first rate cannot be coded: it is left as it is, written to
// the run log, and the recoder goes on with the other lines, ending with False.
bool AgregarImpuestosCompras(ado::Connection& cnx, ui::Label& lblMensaje);
