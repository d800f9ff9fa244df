#include "steps/8x_9x/modVersion80.h"

#include <array>
#include <string>

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/8x_9x/PiezasComunes8x.h"

namespace {

// ------------------------------------------------------------------ 8.0

struct Ampliacion {
  const char* tabla;
  const char* campo;
  int ancho;
};

constexpr std::array<Ampliacion, 5> kAmpliaciones80 = {{
    {"tblRegimenEmpresa", "DES_REGIMEN", 100},
    {"tblFormasPago", "SAT_MPAGO", 50},
    {"tblEmpresa", "NOM_EMP", 254},
    {"tblCatClientes", "NOM_CLI", 254},
    {"tblCatProveedor", "NOM_PROV", 254},
}};

// Fills and unit keys sent before the tax keys. The unit catalogue fills its blank keys
// first and then by unit; the invoice lines take theirs in another order (blank keys by
// CJA and PAQ, then ZZ, and only then Null keys by PZA, KG and LT).
constexpr std::array<const char*, 19> kRellenosYUnidades = {
    "UPDATE tblRegimenEmpresa SET CFDI_REGIMEN='' WHERE (CFDI_REGIMEN IS NULL);",
    "UPDATE tblCatClientes SET RIF_CFDI='' WHERE (RIF_CFDI IS NULL);",
    "UPDATE tblFacturasEnc SET USO_CFDI='P01' WHERE (USO_CFDI IS NULL);",
    "UPDATE tblFacturasEnc SET USO_CFDI='P01' WHERE (USO_CFDI='');",
    "UPDATE tblFacturasEnc SET CONF_CFDI='' WHERE (CONF_CFDI IS NULL);",
    "UPDATE tblCatUnidades SET CVE_CFDI='' WHERE (CVE_CFDI IS NULL);",
    "UPDATE tblCatUnidades SET CVE_CFDI='H87' WHERE (CVE_CFDI='') AND (COD_UND='PZA');",
    "UPDATE tblCatUnidades SET CVE_CFDI='KGM' WHERE (CVE_CFDI='') AND (COD_UND='KG');",
    "UPDATE tblCatUnidades SET CVE_CFDI='K62' WHERE (CVE_CFDI='') AND (COD_UND='LT');",
    "UPDATE tblCatUnidades SET CVE_CFDI='AB' WHERE (CVE_CFDI='') AND (COD_UND='CJA');",
    "UPDATE tblCatUnidades SET CVE_CFDI='KT' WHERE (CVE_CFDI='') AND (COD_UND='PAQ');",
    "UPDATE tblCatUnidades SET CVE_CFDI='ZZ' WHERE (CVE_CFDI='');",
    "UPDATE tblFacturasRen SET UND_CFDI='AB' WHERE (UND_CFDI='') AND (COD_UND='CJA');",
    "UPDATE tblFacturasRen SET UND_CFDI='KT' WHERE (UND_CFDI='') AND (COD_UND='PAQ');",
    "UPDATE tblFacturasRen SET UND_CFDI='ZZ' WHERE (UND_CFDI='');",
    "UPDATE tblFacturasRen SET UND_CFDI='' WHERE (UND_CFDI IS NULL);",
    "UPDATE tblFacturasRen SET UND_CFDI='H87' WHERE (UND_CFDI='') AND (COD_UND='PZA');",
    "UPDATE tblFacturasRen SET UND_CFDI='KGM' WHERE (UND_CFDI='') AND (COD_UND='KG');",
    "UPDATE tblFacturasRen SET UND_CFDI='K62' WHERE (UND_CFDI='') AND (COD_UND='LT');",
};

// Fills sent after the tax keys.
constexpr std::array<const char*, 9> kRellenosFinales = {
    "UPDATE tblImpuestos SET EN_IMPORTE=0 WHERE (EN_IMPORTE IS NULL);",
    "UPDATE tblImpuestos SET EN_IMPORTE=9 WHERE (EN_IMPORTE=0) AND (TIPO_IMP=0);",
    "UPDATE tblNVDescripciones SET FOL_DEV='' WHERE (FOL_DEV IS NULL);",
    "UPDATE tblNVDescripciones SET NUMMOV_DEV=0 WHERE (NUMMOV_DEV IS NULL);",
    "UPDATE tblEncDevolucion SET CONF_CFDI='' WHERE (CONF_CFDI IS NULL);",
    "UPDATE tblEncCargosAbonos SET CONF_CFDI='' WHERE (CONF_CFDI IS NULL);",
    "UPDATE tblCatArticulos SET CVE_CFDI='01010101' WHERE (CVE_CFDI IS NULL);",
    "UPDATE tblCatArticulos SET CVE_CFDI='01010101' WHERE (CVE_CFDI='');",
    "UPDATE tblCatArticulos SET CVE_CFDI='01010101' WHERE (COD1_ART IN('VTADIA','DEPURADO',"
    "'QZ_CFDI33_VELMAR_SAT')) AND (CVE_CFDI='');",
};

constexpr std::array<const char*, 4> kRellenosVarios = {
    "UPDATE tblEncPaquetes SET MIN_PREP=0 WHERE (MIN_PREP IS NULL);",
    "UPDATE tblEncPaquetes SET MIN_ALERTA=0 WHERE (MIN_ALERTA IS NULL);",
    "UPDATE tblComandas SET HORA_REG='' WHERE (HORA_REG IS NULL);",
    "UPDATE tblFacturasRen SET FOLIO_NV='' WHERE (FOLIO_NV IS NULL);",
};

// Characters of a UTF-8 text (the key is "at most two characters", whatever they are).
long Caracteres(const std::string& texto) {
  long n = 0;
  for (unsigned char c : texto) n += (c & 0xC0) != 0x80;
  return n;
}

// One payment form whose key is blank takes its SAT payment key when that is a key (at
// most two characters). A key that cannot be read leaves the row alone: it never takes
// the key of the row before.
void CopiaClaveSat(Rutina& r, const ado::Recordset& rs) {
  if (!r.Si([&] {
        const vb::Variant clave = Campo(rs, "CLAVE_SAT");
        return !clave.IsNull() && vb::CStr(clave).empty();
      }))
    return;
  std::string sMPago;
  if (!r.Lee(sMPago, rs, "SAT_MPAGO")) return;
  if (Caracteres(sMPago) > 2) return;
  r.Ejecuta([&] {
    return "UPDATE tblFormasPago SET CLAVE_SAT='" + r.Une(vb::Variant(sMPago)) +
           "' WHERE COD_FRP=" + r.UnePropagandoNulo(Campo(rs, "COD_FRP")) + ";";
  });
}

void CopiaClavesSat(Rutina& r) {
  r.Ejecuta("UPDATE tblFormasPago SET CLAVE_SAT='' WHERE (CLAVE_SAT IS NULL);");
  ado::Recordset rs = r.Abre("SELECT COD_FRP,SAT_MPAGO,CLAVE_SAT FROM tblFormasPago;");
  if (r.ConFilas(rs)) r.Recorre(rs, [&] { CopiaClaveSat(r, rs); });
  r.Cierra(rs);
}

constexpr const char* kArticulosEspeciales =
    "('VTADIA','DEPURADO','PSECOMISION','QZ_CFDI33_VELMAR_SAT');";

void AseguraUnidadActividad(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT COD_UND FROM tblCatUnidades WHERE COD_UND='ACT';");
  if (r.ConFilas(rs))
    r.Ejecuta("UPDATE tblCatUnidades SET DES_UND='ACTIVIDAD',ENT_UND=1,PESA_UND=0,CVE_CFDI='ACT' "
              "WHERE COD_UND='ACT';");
  else
    r.Ejecuta("INSERT INTO tblCatUnidades (COD_UND,DES_UND,ENT_UND,PESA_UND,CVE_CFDI) VALUES "
              "('ACT','ACTIVIDAD',1,0,'ACT');");
  r.Cierra(rs);
  r.Ejecuta(std::string("UPDATE tblUndCosPreArt SET COD_UND='ACT' WHERE COD1_ART IN") +
            kArticulosEspeciales);
  r.Ejecuta(std::string("UPDATE tblPrecios SET COD_UND='ACT' WHERE COD1_ART IN") +
            kArticulosEspeciales);
}

// From 1 January 2018 (the workstation's date) every settings row invoices with CFDI 3.3.
void ActualizaVersionFE(Rutina& r) {
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_VERSION=32 WHERE (FE_VERSION IS NULL);");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_VERSION=32 WHERE (FE_VERSION=0);");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_ACTUAL=0 WHERE (FE_ACTUAL IS NULL);");
  if (win::Date().serial >= vb::DateSerial(2018, 1, 1).serial)
    r.Ejecuta("UPDATE tblParametrosGenerales SET FE_ACTUAL=1,FE_VERSION=33 ;");
}

// The article with its group 1, subgroup 1 and unit rows, only when the article is
// missing; an existing article's rows are the default-records check's.
void CreaArticuloCFDI(Rutina& r, std::int16_t iManejador, std::int16_t iVersionDestino) {
  ado::Recordset rs = r.Abre(std::string("SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='") +
                             kArticuloCFDI + "';");
  const bool bFalta = r.SinFilas(rs);
  r.Cierra(rs);
  if (!bFalta) return;
  FechasArticulo fechas;
  r.Paso([&] { fechas = GeneraFechasArticulo(iManejador); });
  r.Ejecuta(InsercionArticuloCFDI(iVersionDestino, fechas));
  r.Ejecuta(InsercionGrupoArticuloCFDI(1, 1));
  r.Ejecuta(InsercionUnidadArticuloCFDI(iVersionDestino));
}

// ------------------------------------------------------------------ 8.1

constexpr std::array<const char*, 8> kComplementoPago = {
    "UPDATE tblAuxCaja SET RFC_ORDEN='' WHERE (RFC_ORDEN IS NULL);",
    "UPDATE tblAuxCaja SET CUENTA_ORDEN='' WHERE (CUENTA_ORDEN IS NULL);",
    "UPDATE tblAuxCaja SET RFC_BENEF='' WHERE (RFC_BENEF IS NULL);",
    "UPDATE tblAuxCaja SET CUENTA_BENEF='' WHERE (CUENTA_BENEF IS NULL);",
    "UPDATE tblAuxCaja SET TIPCAD_PAGO='' WHERE (TIPCAD_PAGO IS NULL);",
    "UPDATE tblAuxCaja SET CERT_PAGO='' WHERE (CERT_PAGO IS NULL);",
    "UPDATE tblAuxCaja SET CAD_PAGO='' WHERE (CAD_PAGO IS NULL);",
    "UPDATE tblAuxCaja SET SELLO_PAGO='' WHERE (SELLO_PAGO IS NULL);",
};

}  // namespace

void ModificarEstructura80(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura80", iManejador);
  r.ArmaManejador();
  for (const Ampliacion& a : kAmpliaciones80)
    r.Ejecuta(AmpliaTexto(iManejador, a.tabla, a.campo, a.ancho));
  CopiaClavesSat(r);
  for (const char* sentencia : kRellenosYUnidades) r.Ejecuta(sentencia);
  AsignaClavesCFDI(r);
  for (const char* sentencia : kRellenosFinales) r.Ejecuta(sentencia);
  AseguraUnidadActividad(r);
  ActualizaVersionFE(r);
  for (const char* sentencia : kRellenosVarios) r.Ejecuta(sentencia);
  CreaArticuloCFDI(r, iManejador, iVersionDestino);
  r.Ejecuta("UPDATE tblConceptos SET CFDI_PAGO=0 WHERE (CFDI_PAGO IS NULL);");
  ReparaCaducidadInvFisico(r, iManejador);
  AseguraServiciosElectronicos(r);
  r.RegistraVersion(800);
  r.SinManejador();
}

void ModificarEstructura81(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/) {
  Rutina r(cnx, "ModificarEstructura81", iManejador);
  r.Ejecuta(AmpliaTexto(iManejador, "tblPedimentosVtas", "PEDIMENTO", 21));  // unguarded

  r.ArmaManejador();
  r.Ejecuta("UPDATE tblFacturasRen SET CVEART_CFDI='' WHERE (CVEART_CFDI IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET CVEPAGO_SAT='' WHERE (CVEPAGO_SAT IS NULL);");
  ReparaCaducidadInvFisico(r, iManejador);
  r.Ejecuta("UPDATE tblCatUnidades SET CVE_CFDI='KT' WHERE (CVE_CFDI='KIT') AND (COD_UND='PAQ');");
  r.Ejecuta("UPDATE tblFacturasRen SET UND_CFDI='KT' WHERE (UND_CFDI='KIT') AND (COD_UND='PAQ');");
  for (const char* sentencia : kComplementoPago) r.Ejecuta(sentencia);
  AseguraServiciosElectronicos(r);

  // The tax keys, the loyalty tokens and the day's-sale units run unguarded: a failure
  // stops the climb here and 810 is not recorded.
  r.SinManejador();
  AsignaClavesCFDI(r);
  r.Ejecuta("UPDATE tblPuntos SET TOKEN_ZEVOZOR='',PROMO_ZEVOZOR=0;");
  r.Ejecuta("UPDATE tblFacturasRen SET COD_UND='PZA' WHERE (COD_UND IS NULL) AND "
            "(COD1_ART='VTADIA');");

  r.ArmaManejador();
  r.RegistraVersion(810);
  r.SinManejador();
}
