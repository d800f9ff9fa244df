#include "steps/8x_9x/modVersion92.h"

#include <string>

#include "steps/8x_9x/PiezasComunes8x.h"
#include "steps/MarcoRutina.h"

namespace {

// Rows 1 and 4 go; rows 2, 3 and 5 are added when missing and otherwise left as they are.
void ReordenaProveedoresTC(Rutina& r) {
  r.Ejecuta("DELETE FROM tblProveedoresTC WHERE COD_PROVTC=1;");
  r.Ejecuta("DELETE FROM tblProveedoresTC WHERE COD_PROVTC=4;");
  struct Proveedor {
    const char* sCodigo;
    const char* sDescripcion;
  };
  for (const Proveedor& p :
       {Proveedor{"2", "ProsePago®"}, Proveedor{"3", "SmartPayment®"}, Proveedor{"5", "Banorte"}}) {
    r.EjecutaSiFalta(
        std::string("SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=") + p.sCodigo + ";",
        std::string("INSERT INTO tblProveedoresTC "
                    "(COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) VALUES (") +
            p.sCodigo + ",'" + p.sDescripcion + "','','');");
  }
}

std::string InsercionArticulo(const FechasArticulo& f) {
  return "INSERT INTO tblCatArticulos (COD1_ART,DES1_ART,DES2_ART,COD_MON,PTO_MAR,COD_IMP,"
         "IMP2_ART,EXI_ACT,ARCHIVO,ART_PAQ,FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,COD_TIPO,ES_SERVICIO,"
         "COD_AIM,REST_PTOS,COD_EMPRESA,VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2,CVE_CFDI,"
         "ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART) VALUES "
         "('QZ_PEDIDO_CARGO_SERV','CARGO POR SERVICIO EN PEDIDO','CARGO POR SERVICIO EN PEDIDO',"
         "1,0,0,0,0,'',0," +
         f.sHoy + "," + f.sHoy + "," + f.sHoy + "," + f.sHoy +
         ",0,1,0,0,1,0,0,1,0,0,'78121600',0," + f.sCambio + ",'');";
}

std::string ModificacionArticulo(const FechasArticulo& f) {
  return "UPDATE tblCatArticulos SET DES1_ART='CARGO POR SERVICIO EN PEDIDO',"
         "DES2_ART='CARGO POR SERVICIO EN PEDIDO',COD_MON=1,PTO_MAR=0,COD_IMP=0,IMP2_ART=0,"
         "EXI_ACT=0,ARCHIVO='',ART_PAQ=0,FEC_UCO=" +
         f.sHoy + ",FEC_VEN=" + f.sHoy + ",FEC_ING=" + f.sHoy + ",FEC_UCP=" + f.sHoy +
         ",COD_TIPO=0,ES_SERVICIO=1,COD_AIM=0,REST_PTOS=0,COD_EMPRESA=1,VTA_SOLOBASE=0,ART_CAD=0,"
         "UND_CFDI=1,EQV_IMP1=0,EQV_IMP2=0,CVE_CFDI='78121600',ES_ANTIBIOTICO=0,FEC_CAMBIO=" +
         f.sCambio + ",IMGBIT_ART='' WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';";
}

// Inserted when the lookup finds no row or cannot be read; in the latter case an article
// that is already there refuses the second row by its key.
void EscribeArticulo(Rutina& r, const FechasArticulo& f) {
  ado::Recordset rs =
      r.Abre("SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';");
  if (r.SinFilas(rs))
    r.Ejecuta(InsercionArticulo(f));
  else
    r.Ejecuta(ModificacionArticulo(f));
  r.Cierra(rs);
}

// The article's extra codes, prices and offers go; its group and unit rows are replaced
// by one each. A replacement row is only added once the old rows are gone, so a delete
// that fails can never leave the article with two.
void RehaceFilasDelArticulo(Rutina& r) {
  r.Ejecuta("DELETE FROM tblCodArticuloExtra WHERE COD_ART='QZ_PEDIDO_CARGO_SERV';");
  r.Ejecuta("DELETE FROM tblCodArticuloExtra WHERE CODART_EXTRA='QZ_PEDIDO_CARGO_SERV';");
  if (r.Ejecuta("DELETE FROM tblGpoArticulos WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';"))
    r.Ejecuta(
        "INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES "
        "('QZ_PEDIDO_CARGO_SERV',1,1) ");
  if (r.Ejecuta("DELETE FROM tblUndCosPreArt WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';"))
    r.Ejecuta(
        "INSERT INTO tblUndCosPreArt (COD_UND,COD1_ART,EQV_UND,PRE_UND,PRE_IVA,CVE_OFR,"
        "COS_PRO,COS_REP,COS_UCO,IMPTO_IMP,COD_BARRAS,PCIO_PUNTOS) VALUES "
        "('ACT','QZ_PEDIDO_CARGO_SERV',1,0,0,'',0,0,0,0,'',0)");
  r.Ejecuta("DELETE FROM tblPrecios WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';");
  r.Ejecuta("DELETE FROM tblListaDeOfertas WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';");
}

}  // namespace

void ModificarEstructura92(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  // The article's dates (today, and 1 January 1800 at the clock's time), made before the
  // handler is armed: a literal that cannot be made stops the update.
  const FechasArticulo fechas = GeneraFechasArticulo(iManejador);

  Rutina r(cnx, "ModificarEstructura92", iManejador);
  r.ArmaManejador();
  r.Ejecuta("UPDATE tblCatUnidades SET CVE_CFDI='KT' WHERE (CVE_CFDI='KIT') AND (COD_UND='PAQ');");
  r.Ejecuta("UPDATE tblTcTerminales SET PWD_CLIENTE='' WHERE PWD_CLIENTE IS NULL;");
  ReordenaProveedoresTC(r);
  r.Ejecuta("UPDATE tblCatArticulos SET IMGBIT_ART='' WHERE IMGBIT_ART IS NULL;");
  r.Ejecuta("UPDATE tblEncPedidos SET CARGO_PED=0 WHERE CARGO_PED IS NULL;");
  EscribeArticulo(r, fechas);
  RehaceFilasDelArticulo(r);
  r.RegistraVersion(920);
}
