#include "steps/6x_7x/ServiciosElectronicos.h"

#include "platform/vb/Conversions.h"

namespace {

// The parameters row asks for provider 1: its connection is the defined one and it has no
// provider yet. A Null in either column never matches.
bool PideProveedorUno(const ado::Recordset& rs) {
  const vb::Variant cnx = Campo(rs, "CNX_PSE");
  const vb::Variant proveedor = Campo(rs, "PSE_CODPROV");
  if (cnx.IsNull() || proveedor.IsNull()) return false;
  return vb::CStr(cnx) == "PSE_DEFINIDO" && vb::CDbl(proveedor) == 0;
}

}  // namespace

void AseguraServiciosElectronicos(Rutina& r) {
  r.EjecutaSiFalta("SELECT * FROM tblProveedoresSE WHERE COD_PROVSE=1;",
                   "INSERT INTO tblProveedoresSE (COD_PROVSE,DES_PROVSE) VALUES (1,'Multicom®');");
  r.Ejecuta("UPDATE tblParametrosGenerales SET PSE_CODPROV=0 WHERE (PSE_CODPROV IS NULL);");

  ado::Recordset rs = r.Abre("SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;");
  bool bPideProveedor = false;
  if (r.ConFilas(rs)) r.Paso([&] { bPideProveedor = PideProveedorUno(rs); });
  if (bPideProveedor) r.Ejecuta("UPDATE tblParametrosGenerales SET PSE_CODPROV=1;");
  r.Cierra(rs);
}
