#include "steps/8x_9x/modVersion89.h"

#include <array>
#include <cstdint>
#include <string>

#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

// The fills and drops of 8.9 that follow the widenings, in the order they are sent; the
// same text to every engine.
constexpr std::array<const char*, 14> kSentencias89 = {
    "UPDATE tblParametrosGenerales SET CC_ACTIVA=0 WHERE CC_ACTIVA IS NULL;",
    "UPDATE tblParametrosGenerales SET ANTIB_ACTIVO=0 WHERE ANTIB_ACTIVO IS NULL;",
    "UPDATE tblCajas SET CDSO_SESION='' WHERE CDSO_SESION IS NULL;",
    "UPDATE tblCatArticulos SET ES_ANTIBIOTICO=0 WHERE ES_ANTIBIOTICO IS NULL;",
    "UPDATE tblConceptos SET ANTIB_USO=0 WHERE ANTIB_USO IS NULL;",
    "UPDATE tblTcTerminalCaja SET LINEA_TERMINAL='' WHERE LINEA_TERMINAL IS NULL;",
    "UPDATE tblTcTerminalCaja SET PUERTO_TERMINAL='' WHERE PUERTO_TERMINAL IS NULL;",
    "ALTER TABLE tblParametrosGenerales DROP COLUMN CONX_CXC;",
    "ALTER TABLE tblParametrosGenerales DROP COLUMN BD_CXC;",
    "UPDATE tblGralVentas SET FACTWEB_STS=0 WHERE FACTWEB_STS IS NULL;",
    "UPDATE tblGralVentas SET FACTWEB_CVE='' WHERE FACTWEB_CVE IS NULL;",
    "UPDATE tblServiciosElec SET FACTWEB_ACTIVO=0 WHERE FACTWEB_ACTIVO IS NULL;",
    "UPDATE tblServiciosElec SET FACTWEB_TIMER=0 WHERE FACTWEB_TIMER IS NULL;",
    "UPDATE tblServiciosElec SET FACTWEB_URL='' WHERE FACTWEB_URL IS NULL;",
};

// Null and zero dates become 1 January 1800 at the run's clock time. Only MySQL keeps
// zero dates, and only it can compare with one: other engines refuse the literal.
void ReparaFechas(Rutina& r, std::int16_t iManejador) {
  const std::string sFecha =
      clsBaseDatos().GeneraFecHr(FecHrFechaHora, vb::DateSerial(1800, 1, 1), iManejador);
  const bool bFechasCero = iManejador == ManejadorMySQL;
  r.Ejecuta("UPDATE tblCatArticulos SET FEC_CAMBIO=" + sFecha + " WHERE FEC_CAMBIO IS NULL;");
  if (bFechasCero)
    r.Ejecuta("UPDATE tblCatArticulos SET FEC_CAMBIO=" + sFecha +
              " WHERE FEC_CAMBIO='0000-00-00 00:00:00';");
  r.Ejecuta("UPDATE tblCatArticulos SET IMGBIT_ART='' WHERE IMGBIT_ART IS NULL;");
  r.Ejecuta("UPDATE tblCostos SET FEC_PEDIM=" + sFecha + " WHERE FEC_PEDIM IS NULL;");
  if (bFechasCero)
    r.Ejecuta("UPDATE tblCostos SET FEC_PEDIM=" + sFecha + " WHERE FEC_PEDIM='0000-00-00';");
}

// The bar-code layout of weighed articles, as the CODIGOBARRA section of the suite's
// INI file gives it.
struct CodigoDeBarras {
  std::uint8_t PLU_ACTIVO = 0;
  std::int16_t LONG_COD = 0;
  std::int16_t PROD_LONG = 0;
  std::string PROD_ID;
  std::int16_t PLU_POS = 0;
  std::int16_t PLU_LONG = 0;
  std::int16_t PESO_POS = 0;
  std::int16_t PESO_ENT = 0;
  std::int16_t PESO_LONG = 0;
};

// A key's value when it has one: present in the file and not empty.
bool LeeLlave(const std::string& llave, const std::string& sRutaIni, std::string& sValor) {
  sValor = LeeIni("CODIGOBARRA", llave, sRutaIni);
  return !sValor.empty() && sValor != "(error)";
}

// A numeric key into its column; a value that is not a whole number in range is logged
// and leaves the column at 0.
void LeeNumero(Rutina& r, const std::string& llave, const std::string& sRutaIni,
               std::int16_t& columna) {
  std::string sValor;
  if (LeeLlave(llave, sRutaIni, sValor)) r.Paso([&] { columna = vb::CInt(vb::Variant(sValor)); });
}

std::string GuardaCodigoDeBarras(Rutina& r, const CodigoDeBarras& c, bool bInserta) {
  const auto n = [](int valor) { return std::to_string(valor); };
  const std::string sProducto = r.Une(c.PROD_ID);
  if (bInserta)
    return "INSERT INTO tblPLUConfig (COD_PLU,PLU_ACTIVO,LONG_COD,PROD_LONG,PROD_ID,PLU_POS,"
           "PLU_LONG,PESO_POS,PESO_ENT,PESO_LONG) VALUES (1," +
           n(c.PLU_ACTIVO) + "," + n(c.LONG_COD) + "," + n(c.PROD_LONG) + ",'" + sProducto + "'," +
           n(c.PLU_POS) + "," + n(c.PLU_LONG) + "," + n(c.PESO_POS) + "," + n(c.PESO_ENT) + "," +
           n(c.PESO_LONG) + ");";
  return "UPDATE tblPLUConfig SET PLU_ACTIVO=" + n(c.PLU_ACTIVO) + ",LONG_COD=" + n(c.LONG_COD) +
         ",PROD_LONG=" + n(c.PROD_LONG) + ",PROD_ID='" + sProducto + "',PLU_POS=" + n(c.PLU_POS) +
         ",PLU_LONG=" + n(c.PLU_LONG) + ",PESO_POS=" + n(c.PESO_POS) +
         ",PESO_ENT=" + n(c.PESO_ENT) + ",PESO_LONG=" + n(c.PESO_LONG) + " WHERE COD_PLU=1;";
}

// Writes the layout into row 1 of tblPLUConfig, only when the section says it is active.
void CopiaCodigoDeBarras(Rutina& r, const std::string& sRutaIni) {
  std::int16_t iActivo = 0;
  LeeNumero(r, "ACTIVO", sRutaIni, iActivo);
  if (iActivo != 1) return;

  CodigoDeBarras c;
  c.PLU_ACTIVO = 1;
  LeeNumero(r, "LONGITUD", sRutaIni, c.LONG_COD);
  LeeNumero(r, "LONGCODIGO", sRutaIni, c.PROD_LONG);
  std::string sCodigo;
  if (LeeLlave("CODIGO", sRutaIni, sCodigo)) c.PROD_ID = sCodigo;
  LeeNumero(r, "PLUPOSICION", sRutaIni, c.PLU_POS);
  LeeNumero(r, "PLULONGITUD", sRutaIni, c.PLU_LONG);
  LeeNumero(r, "PESOPOSICION", sRutaIni, c.PESO_POS);
  LeeNumero(r, "PESONUMENTEROS", sRutaIni, c.PESO_ENT);
  LeeNumero(r, "PESOLONGITUD", sRutaIni, c.PESO_LONG);

  ado::Recordset rs = r.Abre("SELECT COD_PLU FROM tblPLUConfig WHERE COD_PLU=1");
  if (r.SinFilas(rs))
    r.Ejecuta(GuardaCodigoDeBarras(r, c, true));
  else
    r.Ejecuta(GuardaCodigoDeBarras(r, c, false));
  r.Cierra(rs);
}

// Sales listed as invoiced are marked 3; while the clock stands before 2020, those of
// earlier years go back to 0.
void EstadoFacturaWeb(Rutina& r, std::int16_t iManejador) {
  if (iManejador == ManejadorMySQL)
    r.Ejecuta(
        "UPDATE tblGralVentas INNER JOIN tblNotasPorFactura ON "
        "tblGralVentas.REF_DOC=tblNotasPorFactura.FOLIO_NV SET tblGralVentas.FACTWEB_STS=3;");
  else
    r.Ejecuta(
        "UPDATE tblGralVentas SET tblGralVentas.FACTWEB_STS=3 FROM tblGralVentas INNER JOIN "
        "tblNotasPorFactura ON tblGralVentas.REF_DOC=tblNotasPorFactura.FOLIO_NV;");
  const int iAnio = vb::Year(win::Date());
  if (iAnio < 2020)
    r.Ejecuta("UPDATE tblGralVentas SET tblGralVentas.FACTWEB_STS=0 WHERE FEC_DOC<'" +
              std::to_string(iAnio) + "-01-01' AND FACTWEB_STS=3");
}

}  // namespace

void ModificarEstructura89(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino,
                           bool bCodigoBarra, const std::string& sRutaIni) {
  Rutina r(cnx, "ModificarEstructura89", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "TA_PASSWORD", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "TA_PASSWORD2", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "PASWD_SER", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblPedimentosVtas", "ADUANA", 100));
  for (const char* sentencia : kSentencias89) r.Ejecuta(sentencia);
  ReparaFechas(r, iManejador);

  // The check logs its own failures under its own label.
  r.SinManejador();
  if (iVersionActual == 890)
    modVersion89::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);
  r.ArmaManejador();

  if (bCodigoBarra) CopiaCodigoDeBarras(r, sRutaIni);
  EstadoFacturaWeb(r, iManejador);
  r.RegistraVersion(890);
}

void ModificarEstructura894(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura894", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblCDSOConfig", "CDSO_CADENA", 10));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCDSOConfig", "CDSO_SUCU", 10));
  r.Ejecuta(AmpliaTexto(iManejador, "tblBitacoraAntibioticos", "NOTAS", 254));
}

void ModificarEstructura89_AC(ado::Connection& cnx, std::int16_t iManejador,
                              std::int16_t /*iVersionActual*/) {
  Rutina r(cnx, "ModificarEstructura89_AC", iManejador);
  r.ArmaManejador();
  r.Ejecuta("UPDATE tblAC_Paquetes SET Envio_Recep=4 WHERE Envio_Recep=1;");
  r.Ejecuta("UPDATE tblAC_Paquetes SET XML_Contenido='' WHERE XML_Contenido IS NULL;");
}

void modVersion89::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision89);
}
