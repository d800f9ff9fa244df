#include "steps/CopiaSucursal.h"

#include <string>

#include "data/clsBaseDatos.h"

void CopiaSucursal(Rutina& r, std::int16_t iManejador) {
  std::string sSucursal;
  ado::Recordset rs = r.Abre("SELECT COD_SUCU FROM tblParametrosGenerales;");
  if (r.ConFilas(rs)) r.Lee(sSucursal, rs, "COD_SUCU");
  r.Cierra(rs);

  std::string sVacio = "LEN(COD_SUCU)=0";
  if (iManejador == ManejadorMySQL) clsBaseDatos().ConvierteLen(sVacio);
  r.Ejecuta("UPDATE tblAuxCaja SET COD_SUCU='" + r.Une(sSucursal) +
            "' WHERE (COD_SUCU IS NULL) OR (" + sVacio + ");");
  r.Ejecuta("UPDATE tblCortes SET COD_SUCU='" + r.Une(sSucursal) +
            "' WHERE (COD_SUCU IS NULL) OR (" + sVacio + ");");
}
