#include "steps/8x_9x/PiezasComunes8x.h"

#include <array>

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "steps/MarcoRutina.h"

FechasArticulo GeneraFechasArticulo(std::int16_t iManejador) {
  clsBaseDatos bd;
  FechasArticulo fechas;
  fechas.sHoy = bd.GeneraFecHr(FecHrFecha, win::Date(), iManejador);
  fechas.sCambio = bd.GeneraFecHr(FecHrFechaHora, vb::DateSerial(1800, 1, 1), iManejador);
  return fechas;
}

std::string FechaDeHoy(std::int16_t iManejador) {
  return clsBaseDatos().GeneraFecHr(FecHrFecha, win::Date(), iManejador);
}

namespace {
constexpr std::array<const char*, 4> kClavesTipoImpuesto = {
    "UPDATE tblTipoImpuesto SET CLAVE_CFDI='' WHERE (CLAVE_CFDI IS NULL);",
    "UPDATE tblTipoImpuesto SET CLAVE_CFDI='002' WHERE (COD_TIPO=1);",
    "UPDATE tblTipoImpuesto SET CLAVE_CFDI='003' WHERE (COD_TIPO=2);",
    "UPDATE tblTipoImpuesto SET CLAVE_CFDI='001' WHERE (COD_TIPO=4);",
};
constexpr std::array<const char*, 4> kClavesImpuestos = {
    "UPDATE tblImpuestos SET CLAVE_CFDI='' WHERE (CLAVE_CFDI IS NULL);",
    "UPDATE tblImpuestos SET CLAVE_CFDI='002' WHERE (TIPO_IMP=1);",
    "UPDATE tblImpuestos SET CLAVE_CFDI='003' WHERE (TIPO_IMP=2);",
    "UPDATE tblImpuestos SET CLAVE_CFDI='001' WHERE (TIPO_IMP=4);",
};
}  // namespace

void AsignaClavesTipoImpuesto(Rutina& r) {
  for (const char* sentencia : kClavesTipoImpuesto) r.Ejecuta(sentencia);
}

void AsignaClavesImpuestos(Rutina& r) {
  for (const char* sentencia : kClavesImpuestos) r.Ejecuta(sentencia);
}

std::string InsercionArticuloCFDI(std::int16_t iVersionDestino, const FechasArticulo& fechas) {
  std::string sColumnas =
      "COD1_ART,DES1_ART,DES2_ART,COD_MON,PTO_MAR,COD_IMP,IMP2_ART,EXI_ACT,ARCHIVO,ART_PAQ,"
      "FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,COD_TIPO,ES_SERVICIO,COD_AIM,REST_PTOS,COD_EMPRESA,"
      "VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2";
  const std::string& F = fechas.sHoy;
  std::string sValores = std::string("('") + kArticuloCFDI +
                         "','VENTA VELMAR','VENTA VELMAR',1,0,0,0,0,'',0," + F + "," + F + "," +
                         F + "," + F + ",0,0,0,0,1,0,0,1,0,0";
  if (iVersionDestino >= 800) {
    sColumnas += ",CVE_CFDI";
    sValores += ",'01010101'";
  }
  if (iVersionDestino >= 890) {
    sColumnas += ",ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART";
    sValores += ",0," + fechas.sCambio + ",''";
  }
  return "INSERT INTO tblCatArticulos (" + sColumnas + ") VALUES " + sValores + ");";
}

std::string InsercionGrupoArticuloCFDI(int iGrupo, int iSubgrupo) {
  return std::string("INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES ('") +
         kArticuloCFDI + "'," + std::to_string(iGrupo) + "," + std::to_string(iSubgrupo) + ") ";
}

std::string InsercionUnidadArticuloCFDI(std::int16_t iVersionDestino) {
  const bool bPuntos = iVersionDestino >= 830;
  return std::string(
             "INSERT INTO tblUndCosPreArt (COD_UND,COD1_ART,EQV_UND,PRE_UND,PRE_IVA,CVE_OFR,"
             "COS_PRO,COS_REP,COS_UCO,IMPTO_IMP,COD_BARRAS") +
         (bPuntos ? ",PCIO_PUNTOS" : "") + ") VALUES ('ACT','" + kArticuloCFDI +
         "',1,0,0,'',0,0,0,0,''" + (bPuntos ? ",0" : "") + ")";
}
