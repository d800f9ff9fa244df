#pragma once
// The default web-invoicing endpoint that versions 9.0 and 9.1 write into
// tblServiciosElec.FACTWEB_URL. The programs never contact it themselves.
inline constexpr const char* kFacturacionWebPredeterminada =
    "https://facturacion.velmar.com.mx/FacturarTicket";
