#include "steps/8x_9x/modVersion91.h"

#include <array>

#include "steps/8x_9x/FacturacionWeb.h"
#include "steps/MarcoRutina.h"

namespace {

// The web-invoicing defaults and the fills of 9.1, in the order they are sent; the same
// text to every engine. Purchase lines without tax codes get 0, "not coded", which the
// purchase-tax recoder fills later.
constexpr std::array<const char*, 20> kRellenos91 = {
    "UPDATE tblServiciosElec SET FACTWEB_CONC='Consumo de alimentos' WHERE FACTWEB_CONC IS NULL;",
    "UPDATE tblServiciosElec SET FACTWEB_CONC='Consumo de alimentos' WHERE FACTWEB_CONC='';",
    "UPDATE tblServiciosElec SET FACTWEB_CVE='90101501' WHERE FACTWEB_CVE IS NULL;",
    "UPDATE tblServiciosElec SET FACTWEB_CVE='90101501' WHERE FACTWEB_CVE='';",
    "UPDATE tblComandas SET NUM_TIEMPO=1 WHERE (NUM_TIEMPO IS NULL) OR (NUM_TIEMPO=0);",
    "UPDATE tblRenMesas SET NUM_TIEMPO=1 WHERE (NUM_TIEMPO IS NULL) OR (NUM_TIEMPO=0);",
    "UPDATE tblEmpresa SET IMGBIT_EMPRESA='' WHERE IMGBIT_EMPRESA IS NULL;",
    "UPDATE tblFacturasEnc SET SUSTIT_FACT='' WHERE SUSTIT_FACT IS NULL;",
    "UPDATE tblGralVentas SET CLIENTE_MOS='' WHERE CLIENTE_MOS IS NULL;",
    "UPDATE tblComprasEnc SET ENVIADO=0 WHERE (ENVIADO IS NULL);",
    "UPDATE tblOCOMEnc SET ENVIADO=0 WHERE (ENVIADO IS NULL);",
    "UPDATE tblComprasRen SET COD1_IMP=0 WHERE COD1_IMP IS NULL;",
    "UPDATE tblComprasRen SET COD2_IMP=0 WHERE COD2_IMP IS NULL;",
    "UPDATE tblCotizacionesRen SET COD1_IMP=0 WHERE COD1_IMP IS NULL;",
    "UPDATE tblCotizacionesRen SET COD2_IMP=0 WHERE COD2_IMP IS NULL;",
    "UPDATE tblOCOMRen SET COD1_IMP=0 WHERE COD1_IMP IS NULL;",
    "UPDATE tblOCOMRen SET COD2_IMP=0 WHERE COD2_IMP IS NULL;",
    "UPDATE tblDevolucionRen SET COD1_IMP=0 WHERE COD1_IMP IS NULL;",
    "UPDATE tblDevolucionRen SET COD2_IMP=0 WHERE COD2_IMP IS NULL;",
    "UPDATE tblPrecVolum SET FORM_VOL='' WHERE FORM_VOL IS NULL;",
};

// Document state 11 is written whatever it held; 12, 13 and seller type 0 are only added
// when missing, so a description of the shop's own survives.
void EstadosYTipoVendedor(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT * FROM tblStatusDoc WHERE COD_STS=11;");
  if (r.SinFilas(rs))
    r.Ejecuta("INSERT INTO tblStatusDoc (COD_STS,DES_STS) VALUES (11,'POR SALIR');");
  else
    r.Ejecuta("UPDATE tblStatusDoc SET DES_STS='POR SALIR' WHERE COD_STS=11;");
  r.Cierra(rs);
  r.EjecutaSiFalta("SELECT * FROM tblStatusDoc WHERE COD_STS=12;",
                   "INSERT INTO tblStatusDoc (COD_STS,DES_STS) VALUES (12,'EN RUTA');");
  r.EjecutaSiFalta("SELECT * FROM tblStatusDoc WHERE COD_STS=13;",
                   "INSERT INTO tblStatusDoc (COD_STS,DES_STS) VALUES (13,'ENTREGADO');");
  r.EjecutaSiFalta("SELECT * FROM tblTipoVendedor WHERE COD_TIP=0;",
                   "INSERT INTO tblTipoVendedor (COD_TIP,DES_TIP) VALUES (0,'REPARTIDOR');");
}

}  // namespace

void ModificarEstructura91(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/,
                           ui::Label& /*lblMensaje*/) {
  Rutina r(cnx, "ModificarEstructura91", iManejador);
  r.ArmaManejador();
  r.Ejecuta(std::string("UPDATE tblServiciosElec SET FACTWEB_URL='") +
            kFacturacionWebPredeterminada + "';");
  for (const char* sentencia : kRellenos91) r.Ejecuta(sentencia);
  EstadosYTipoVendedor(r);
  r.Ejecuta("UPDATE tblPais SET NOM_PAIS='MEX' WHERE COD_PAIS='MEX';");
  r.RegistraVersion(910);
}
