#pragma once
// The card-payment providers that versions 6.2 to 7.4 seed in tblProveedoresTC.
#include <cstdint>
#include <string>

#include "steps/MarcoRutina.h"

// The host of card-payment provider 4's test endpoint, stored as its site by every version
// that seeds the provider and by the default-records check.
inline constexpr const char* kSitioPruebaProveedor4 = "pruebas-tc.velmar.mx";

// The INSERT of provider `codigo` (1 'MerchantWARE®', 2 'ProsePago®', 3 'SmartPayment®',
// 4 'Moneris®' with the test host as its site), with the columns that a database bound for
// iVersionDestino has: code and name for 620, also SITIO_PROVTC for 630, and also
// RESP_PROVTC for any other version.
std::string InsertaProveedorTC(int codigo, std::int16_t iVersionDestino);

// Looks provider `codigo` up and, when it is missing, inserts it with the columns of
// iVersionDestino; a provider that is there keeps its row as it is. The lookup, its test,
// the insert and the close each run under the routine's handler state.
void AgregaProveedorTC(Rutina& r, int codigo, std::int16_t iVersionDestino);
// The same with all four columns.
void AgregaProveedorTC(Rutina& r, int codigo);
