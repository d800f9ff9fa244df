#include "steps/6x_7x/ProveedoresTarjeta.h"

#include <stdexcept>

namespace {

// Any version but 620 and 630 takes every column.
constexpr std::int16_t kTodasLasColumnas = 0;

const char* NombreProveedor(int codigo) {
  switch (codigo) {
    case 1: return "MerchantWARE®";
    case 2: return "ProsePago®";
    case 3: return "SmartPayment®";
    case 4: return "Moneris®";
  }
  throw std::invalid_argument("card-payment provider code " + std::to_string(codigo));
}

}  // namespace

std::string InsertaProveedorTC(int codigo, std::int16_t iVersionDestino) {
  const std::string sCodigo = std::to_string(codigo);
  const std::string sNombre = std::string("'") + NombreProveedor(codigo) + "'";
  const std::string sSitio = codigo == 4 ? std::string("'") + kSitioPruebaProveedor4 + "'" : "''";
  if (iVersionDestino == 620)
    return "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC) VALUES (" + sCodigo + "," +
           sNombre + ");";
  if (iVersionDestino == 630)
    return "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC) VALUES (" +
           sCodigo + "," + sNombre + "," + sSitio + ");";
  return "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) VALUES (" +
         sCodigo + "," + sNombre + "," + sSitio + ",'');";
}

void AgregaProveedorTC(Rutina& r, int codigo, std::int16_t iVersionDestino) {
  r.EjecutaSiFalta(
      "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=" + std::to_string(codigo) + ";",
      InsertaProveedorTC(codigo, iVersionDestino));
}

void AgregaProveedorTC(Rutina& r, int codigo) { AgregaProveedorTC(r, codigo, kTodasLasColumnas); }
