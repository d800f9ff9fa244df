#pragma once
// The air-time top-up service address (scheme and host, no path) that the updates write
// into tblParametrosGenerales.TA_URL: 5.0 where a company had none, 5.7 in every row.
inline constexpr const char* kDireccionTiempoAire = "https://tiempoaire.velmar.mx";
