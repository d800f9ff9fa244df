#include "steps/8x_9x/RevisionRegistrosDefault.h"

#include <array>
#include <string>

#include "steps/MarcoRutina.h"
#include "steps/PerfilHost.h"
#include "steps/8x_9x/PiezasComunes8x.h"

namespace {

constexpr const char* kInsertaFormaPago =
    "INSERT INTO tblFormasPago (COD_FRP,DES_FRP,COD_PAG,AUT_FRP,REF_FRP,ACP_CAM,MAX_CAN,CAR_FRP,"
    "DENOM,FRP_APAR,RUTA,CAR_MAX,APLICA_PROMO,SERV_ME,SAT_MPAGO,CLAVE_SAT) VALUES (";
constexpr std::array<const char*, 6> kFormasPago = {
    "1,'EFECTIVO',1,0,0,1,0,0,1,1,'',0,0,0,'Efectivo','01'",
    "2,'CHEQUE BANCARIO',4,1,1,0,0,0,0,0,'',0,0,0,'Cheque nominativo','02'",
    "3,'CHEQUE GOBIERNO',4,0,1,1,0,0,0,0,'',0,0,0,'Cheque nominativo','02'",
    "4,'TARJETA DE CREDITO',2,1,1,0,0,0,0,0,'',0,0,0,'Tarjeta de crédito','04'",
    "5,'CREDITO',0,1,0,0,0,0,0,0,'',0,0,0,'Por definir','99'",
    "6,'TARJETA DE LA TIENDA',3,0,1,0,0,0,0,0,'',0,0,0,'Por definir','99'",
};

std::string InsercionFormaPago(std::size_t i) {
  return std::string(kInsertaFormaPago) + kFormasPago[i] + ");";
}

void RevisaFormasPago(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT COD_FRP FROM tblFormasPago;");
  if (r.SinFilas(rs))
    for (std::size_t i = 0; i < kFormasPago.size(); ++i) r.Ejecuta(InsercionFormaPago(i));
  r.Cierra(rs);
  r.EjecutaSiFalta("SELECT COD_FRP FROM tblFormasPago WHERE COD_FRP=1;", InsercionFormaPago(0));
  r.Ejecuta("UPDATE tblFormasPago SET CLAVE_SAT='01' WHERE (CLAVE_SAT='1');");
  r.Ejecuta("UPDATE tblFormasPago SET CLAVE_SAT='02' WHERE (CLAVE_SAT='2');");
  r.Ejecuta("UPDATE tblFormasPago SET CLAVE_SAT='04' WHERE (CLAVE_SAT='4');");
}

constexpr const char* kInsertaTipoImpuesto =
    "INSERT INTO tblTipoImpuesto (COD_TIPO,DES_TIPO,CLAVE_CFDI) VALUES (";
constexpr std::array<const char*, 5> kTiposImpuesto = {
    "0,'EXENTO',''", "1,'IVA','002'", "2,'IEPS','003'", "3,'IMPUESTO LOCAL',''", "4,'ISR','001'",
};

std::string InsercionTipoImpuesto(std::size_t tipo) {
  return std::string(kInsertaTipoImpuesto) + kTiposImpuesto[tipo] + ");";
}

void RevisaTiposImpuesto(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT COD_TIPO FROM tblTipoImpuesto;");
  if (r.SinFilas(rs))
    for (std::size_t i = 0; i < kTiposImpuesto.size(); ++i) r.Ejecuta(InsercionTipoImpuesto(i));
  r.Cierra(rs);
  r.EjecutaSiFalta("SELECT COD_TIPO FROM tblTipoImpuesto WHERE COD_TIPO=0;",
                   InsercionTipoImpuesto(0));
  r.EjecutaSiFalta("SELECT COD_TIPO FROM tblTipoImpuesto WHERE COD_TIPO=3;",
                   InsercionTipoImpuesto(3));
  AsignaClavesTipoImpuesto(r);
}

void RevisaImpuestoExento(Rutina& r) {
  r.EjecutaSiFalta("SELECT COD_IMP FROM tblImpuestos WHERE COD_IMP=0;",
                   "INSERT INTO tblImpuestos (COD_IMP,DES_IMP,POR_IMP,GRAVA_IMP,INTEGRA_IMP,"
                   "TIPO_IMP,IMPTE_IMP,EN_IMPORTE,CLAVE_CFDI) VALUES (0,'EXENTO',0,0,0,0,0,0,'');");
  AsignaClavesImpuestos(r);
}

// True when the lookup finds no row (or fails: the row then counts as missing).
bool Falta(Rutina& r, const std::string& consulta) {
  ado::Recordset rs = r.Abre(consulta);
  const bool bFalta = r.SinFilas(rs);
  r.Cierra(rs);
  return bFalta;
}

// The lowest group and its lowest subgroup (at least 1); group 1 with subgroup 0 when
// there is no group above 0.
void EligeGrupo(Rutina& r, std::int16_t& iGrupo, std::int16_t& iSubgrupo) {
  ado::Recordset rs = r.Abre("SELECT COD_GPO FROM tblAgrupacionArt ORDER BY COD_GPO;");
  if (r.ConFilas(rs)) r.Lee(iGrupo, rs, "COD_GPO");
  r.Cierra(rs);
  if (iGrupo > 0) {
    ado::Recordset rsSub = r.Abre("SELECT COD_AGR FROM tblCatAgrupacionArt WHERE COD_GPO=" +
                                  std::to_string(iGrupo) + " ORDER BY COD_AGR;");
    if (r.ConFilas(rsSub)) r.Lee(iSubgrupo, rsSub, "COD_AGR");
    r.Cierra(rsSub);
    if (iSubgrupo == 0) iSubgrupo = 1;
  } else {
    iGrupo = 1;
  }
}

const std::string kBuscaArticulo = std::string("='") + kArticuloCFDI + "';";

void RevisaArticuloCFDI(Rutina& r, std::int16_t iManejador, std::int16_t iVersionDestino) {
  if (Falta(r, "SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART" + kBuscaArticulo)) {
    FechasArticulo fechas;
    r.Paso([&] { fechas = GeneraFechasArticulo(iManejador); });
    r.Ejecuta(InsercionArticuloCFDI(iVersionDestino, fechas));
  }
  if (Falta(r, "SELECT COD1_ART FROM tblGpoArticulos WHERE COD1_ART" + kBuscaArticulo)) {
    std::int16_t iGrupo = 0, iSubgrupo = 0;
    EligeGrupo(r, iGrupo, iSubgrupo);
    r.Ejecuta(InsercionGrupoArticuloCFDI(iGrupo, iSubgrupo));
  }
  if (Falta(r, "SELECT COD1_ART FROM tblUndCosPreArt WHERE COD1_ART" + kBuscaArticulo))
    r.Ejecuta(InsercionUnidadArticuloCFDI(iVersionDestino));
  r.Ejecuta("UPDATE tblCatArticulos SET CVE_CFDI='01010101' WHERE CVE_CFDI='1010101';");
}

std::string ProveedorTC(int codigo) {
  return "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=" + std::to_string(codigo) +
         ";";
}

void TrataProveedorTC(Rutina& r, TratoProveedorTC trato, int codigo, const std::string& valores) {
  const std::string sBorra =
      "DELETE FROM tblProveedoresTC WHERE COD_PROVTC=" + std::to_string(codigo) + ";";
  switch (trato) {
    case TratoProveedorTC::InsertaSiFalta:
      r.EjecutaSiFalta(ProveedorTC(codigo),
                       "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,"
                       "RESP_PROVTC) VALUES (" +
                           valores + ");");
      break;
    case TratoProveedorTC::BorraSiExiste: {
      ado::Recordset rs = r.Abre(ProveedorTC(codigo));
      if (r.ConFilas(rs)) r.Ejecuta(sBorra);
      r.Cierra(rs);
      break;
    }
    case TratoProveedorTC::BorraSinBuscar: r.Ejecuta(sBorra); break;
  }
}

void RevisaProveedoresTC(Rutina& r, const MiembroRevision& miembro) {
  TrataProveedorTC(r, miembro.proveedor1, 1, "1,'MerchantWARE®','',''");
  TrataProveedorTC(r, TratoProveedorTC::InsertaSiFalta, 2, "2,'ProsePago®','',''");
  TrataProveedorTC(r, TratoProveedorTC::InsertaSiFalta, 3, "3,'SmartPayment®','',''");
  TrataProveedorTC(r, miembro.proveedor4, 4,
                   std::string("4,'Moneris®','") + kSitioPruebaProveedor4 + "',''");
}

}  // namespace

void RevisaRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionDestino, const MiembroRevision& miembro) {
  Rutina r(cnx, miembro.sNombre, iManejador);
  r.ArmaManejador();
  RevisaFormasPago(r);
  RevisaTiposImpuesto(r);
  RevisaImpuestoExento(r);
  AseguraPerfilHost(r);
  RevisaArticuloCFDI(r, iManejador, iVersionDestino);
  AseguraServiciosElectronicos(r);
  RevisaProveedoresTC(r, miembro);
  if (miembro.bCorrigeMoneda)
    r.Ejecuta("UPDATE tblMonedas SET ABREVIA='MXN' WHERE (COD_MON=1) AND (ABREVIA IN('MN','M.N.'));");
  r.SinManejador();
}
