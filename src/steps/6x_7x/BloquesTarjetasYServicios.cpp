#include "steps/6x_7x/BloquesTarjetasYServicios.h"

#include "data/clsBaseDatos.h"
#include "steps/FormasDialecto.h"

void ReparaCaducidadesInvFisico(Rutina& r, std::int16_t iManejador) {
  const std::string d = FechaLiteral(iManejador, 1800, 1, 1);
  r.Ejecuta("UPDATE tblRenInvFisico SET FEC_CAD=" + d + " WHERE (FEC_CAD IS NULL);");
  if (iManejador == ManejadorMySQL)
    r.Ejecuta("UPDATE tblRenInvFisico SET FEC_CAD=" + d + " WHERE (FEC_CAD='0000-00-00');");
}

void AseguraServiciosElectronicos(Rutina& r) {
  r.EjecutaSiFalta("SELECT * FROM tblProveedoresSE WHERE COD_PROVSE=1;",
                   "INSERT INTO tblProveedoresSE (COD_PROVSE,DES_PROVSE) VALUES (1,'Multicom®');");
  r.Ejecuta("UPDATE tblParametrosGenerales SET PSE_CODPROV=0 WHERE (PSE_CODPROV IS NULL);");
  ado::Recordset rs = r.Abre("SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;");
  if (r.ConFilas(rs)) {
    bool definido = false;
    r.Paso([&] {
      const vb::Variant cnx = Campo(rs, "CNX_PSE");
      definido = !cnx.IsNull() && vb::CStr(cnx) == "PSE_DEFINIDO" &&
                 vb::CLng(Campo(rs, "PSE_CODPROV")) == 0;
    });
    if (definido) r.Ejecuta("UPDATE tblParametrosGenerales SET PSE_CODPROV=1;");
  }
  r.Cierra(rs);
}

void SiembraProveedorTC(Rutina& r, int codigo) {
  static const char* nombres[] = {"", "MerchantWARE®", "ProsePago®", "SmartPayment®", "Moneris®"};
  const std::string c = std::to_string(codigo);
  const std::string sitio = codigo == 4 ? kSitioPrueba4 : "";
  r.EjecutaSiFalta("SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=" + c + ";",
                   "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) "
                   "VALUES (" + c + ",'" + nombres[codigo] + "','" + sitio + "','');");
}

std::string SitioDePruebaDelProveedor4() {
  return std::string("UPDATE tblProveedoresTC SET SITIO_PROVTC='") + kSitioPrueba4 +
         "' WHERE COD_PROVTC=4;";
}
std::string SitioDePruebaEnParametros() {
  return std::string("UPDATE tblParametrosGenerales SET TC_IDSITIO='") + kSitioPrueba4 +
         "' WHERE TC_SERVICIO=4;";
}
