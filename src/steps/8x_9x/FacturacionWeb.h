#pragma once
// The web-invoicing service that versions 9.0 and 9.1 give every configuration row of
// tblServiciosElec.
inline constexpr const char* kDireccionFacturacionWeb =
    "https://facturacion.velmar.com.mx/FacturarTicket";
