#include "steps/6x_7x/modArticulosTA.h"

#include <string>
#include <vector>

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "steps/MarcoRutina.h"

namespace {

// The SAT product key of prepaid air time, written from target version 8.0 on.
constexpr const char* kClaveSatTA = "'83111603'";

constexpr const char* kRecargas =
    "SELECT CLAVE_TA,MONTO_TA,NOM_EMPRESA FROM tblMontosTA INNER JOIN tblEmpresasTA ON "
    "tblMontosTA.COD_EMPRESA=tblEmpresasTA.COD_EMPRESA ORDER BY "
    "tblEmpresasTA.COD_EMPRESA,CLAVE_TA;";

// The values of an air-time article that both the update and the insert write, after
// COD_IMP, in the order of their columns.
constexpr const char* kColumnasFijas =
    "IMP2_ART,ARCHIVO,EXI_ACT,ES_SERVICIO,COD_AIM,REST_PTOS,ART_PAQ,COD_TIPO,COD_EMPRESA,"
    "VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2";
constexpr const char* kValoresFijos = "0,'',0,1,0,1,0,1,0,1,0,1,0,0";
constexpr const char* kAsignacionesFijas =
    "IMP2_ART=0,ARCHIVO='',EXI_ACT=0,ES_SERVICIO=1,COD_AIM=0,REST_PTOS=1,ART_PAQ=0,COD_TIPO=1,"
    "COD_EMPRESA=0,VTA_SOLOBASE=1,ART_CAD=0,UND_CFDI=1,EQV_IMP1=0,EQV_IMP2=0";

struct ParametrosTA {
  std::int16_t iAgrupacion = 0;  // TA_AGR
  std::int16_t iImpuesto = 0;    // TA_IMPTO
  bool bActivo = false;          // TA_ACT
};

// One amount of the air-time catalogue as its article needs it.
struct RecargaTA {
  std::string sClave;
  std::string sEmpresa;
  vb::Currency cMonto;
};

// What every article of one call shares.
struct Contexto {
  Rutina& r;
  clsBaseDatos& bd;
  std::int16_t iManejador;
  std::int16_t iVersionDestino;
  ParametrosTA parametros;
  std::int16_t iGrupo = 0;
  vb::Currency cTasa;  // the rate of the last record that read one
};

ParametrosTA LeeParametros(Rutina& r) {
  ParametrosTA p;
  ado::Recordset rs = r.Abre("SELECT TA_AGR,TA_IMPTO,TA_ACT FROM tblParametrosGenerales;");
  if (r.ConFilas(rs)) {
    r.Lee(p.iAgrupacion, rs, "TA_AGR");
    r.Lee(p.iImpuesto, rs, "TA_IMPTO");
    r.Paso([&] {
      const vb::Variant vActivo = Campo(rs, "TA_ACT");
      p.bActivo = !vActivo.IsNull() && vb::CDbl(vActivo) != 0;
    });
  }
  r.Cierra(rs);
  return p;
}

std::int16_t LeeGrupo(Rutina& r, std::int16_t iAgrupacion) {
  std::int16_t iGrupo = 0;
  ado::Recordset rs = r.Abre(
      "SELECT COD_GPO FROM tblCatAgrupacionArt WHERE COD_AGR=" + std::to_string(iAgrupacion) + ";");
  if (r.ConFilas(rs)) r.Lee(iGrupo, rs, "COD_GPO");
  r.Cierra(rs);
  return iGrupo;
}

// The whole list is read before any article is written. An amount whose carrier is
// missing has no row in the join and gets no article.
std::vector<RecargaTA> LeeRecargas(Rutina& r) {
  std::vector<RecargaTA> recargas;
  ado::Recordset rs = r.Abre(kRecargas);
  r.Recorre(rs, [&] {
    RecargaTA recarga;
    r.Lee(recarga.sClave, rs, "CLAVE_TA");
    r.Lee(recarga.sEmpresa, rs, "NOM_EMPRESA");
    r.Lee(recarga.cMonto, rs, "MONTO_TA");
    recargas.push_back(recarga);
  });
  r.Cierra(rs);
  return recargas;
}

// Statement A: an article that exists keeps its dates and its later columns.
std::string ModificacionArticulo(const Contexto& c, const std::string& K, const std::string& D) {
  const std::string sClaveSat =
      c.iVersionDestino >= 800 ? std::string(",CVE_CFDI=") + kClaveSatTA : "";
  return "UPDATE tblCatArticulos SET DES1_ART='" + D +
         "',DES2_ART='',COD_MON=1,PTO_MAR=0,COD_IMP=" + std::to_string(c.parametros.iImpuesto) +
         "," + kAsignacionesFijas + sClaveSat + " WHERE COD1_ART='" + K + "';";
}

// Statement B: the columns grow with the target version (CVE_CFDI from 8.0; the
// antibiotic mark, the change date and the picture from 8.9).
std::string InsercionArticulo(const Contexto& c, const std::string& K, const std::string& D) {
  std::string sColumnas = std::string(
                              "COD1_ART,FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,DES1_ART,DES2_ART,"
                              "COD_MON,PTO_MAR,COD_IMP,") +
                          kColumnasFijas;
  // The four dates are made one after the other, each from the clock at its own moment.
  std::string sValores = "'" + K + "'";
  for (int i = 0; i < 4; ++i)
    sValores += "," + c.bd.GeneraFecHr(FecHrFecha, win::Date(), c.iManejador);
  sValores += ",'" + D + "','',1,0," + std::to_string(c.parametros.iImpuesto) + "," + kValoresFijos;
  if (c.iVersionDestino >= 800) {
    sColumnas += ",CVE_CFDI";
    sValores += std::string(",") + kClaveSatTA;
  }
  if (c.iVersionDestino >= 890) {
    sColumnas += ",ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART";
    sValores +=
        ",0," + c.bd.GeneraFecHr(FecHrFechaHora, vb::DateSerial(1800, 1, 1), c.iManejador) + ",''";
  }
  return "INSERT INTO tblCatArticulos (" + sColumnas + ") VALUES (" + sValores + ");";
}

// Prices are written with a point and as few decimals as they need, whatever the locale.
std::string TextoDeMonto(vb::Currency cMonto) { return vb::CStr(vb::Variant(cMonto)); }

// The price before tax: the amount without the rate of TA_IMPTO, to four decimals.
vb::Currency PrecioSinImpuesto(Contexto& c, vb::Currency cPrecioConImpuesto) {
  Rutina& r = c.r;
  vb::Currency cPrecio;
  ado::Recordset rs = r.Abre("SELECT POR_IMP FROM tblImpuestos WHERE COD_IMP=" +
                             std::to_string(c.parametros.iImpuesto) + ";");
  if (r.ConFilas(rs))
    r.Lee(c.cTasa, rs, "POR_IMP");
  else
    c.cTasa = vb::Currency{};
  r.Cierra(rs);
  r.Paso([&] {
    const double dTasa = vb::CDbl(vb::Variant(c.cTasa));
    cPrecio = vb::CCur(vb::Variant(vb::CDbl(vb::Variant(cPrecioConImpuesto)) / (dTasa / 100 + 1)));
  });
  return cPrecio;
}

std::string InsercionUnidad(const Contexto& c, const std::string& K, const std::string& N,
                            const std::string& G) {
  const bool bConPuntos = c.iVersionDestino >= 830;
  return std::string(
             "INSERT INTO tblUndCosPreArt (COD_UND,COD1_ART,EQV_UND,PRE_UND,IMPTO_IMP,"
             "PRE_IVA,COS_PRO,COS_REP,COS_UCO,CVE_OFR,COD_BARRAS") +
         (bConPuntos ? ",PCIO_PUNTOS" : "") + ") VALUES ('PZA','" + K + "',1," + N + ",0," + G +
         ",0,0,0,'',''" + (bConPuntos ? ",0" : "") + ");";
}

std::string InsercionPrecio(const std::string& K, const std::string& N, const std::string& G) {
  return "INSERT INTO tblPrecios (COD1_ART,COD_LISTA,PRE_ART,IMPTO_IMP,PRE_IVA,COD_UND,PTO_MAR,"
         "COD_PRECIO,FOR_PRECIO,EQV_UND,AGRUPACIONES) VALUES ('" +
         K + "',1," + N + ",0," + G + ",'PZA',0,'','',1,'');";
}

// One amount's article, its group row, its unit row and its list-1 price, each statement
// standing alone: a refused article still gets its other rows.
void ActualizaArticulo(Contexto& c, const RecargaTA& recarga) {
  Rutina& r = c.r;
  const std::string K = r.Une(recarga.sClave);
  const std::string D = r.Une("RECARGA " + recarga.sEmpresa + " " + TextoDeMonto(recarga.cMonto));

  ado::Recordset rs = r.Abre("SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='" + K + "';");
  if (r.ConFilas(rs))
    r.Ejecuta(ModificacionArticulo(c, K, D));
  else
    r.Ejecuta(InsercionArticulo(c, K, D));
  r.Cierra(rs);

  r.Ejecuta("DELETE FROM tblCodArticuloExtra WHERE COD_ART='" + K + "' OR CODART_EXTRA='" + K +
            "';");
  r.Ejecuta("DELETE FROM tblGpoArticulos WHERE COD1_ART='" + K + "';");
  r.Ejecuta("INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES ('" + K + "'," +
            std::to_string(c.iGrupo) + "," + std::to_string(c.parametros.iAgrupacion) + ");");
  r.Ejecuta("DELETE FROM tblUndCosPreArt WHERE COD1_ART='" + K + "';");
  r.Ejecuta("DELETE FROM tblPrecios WHERE COD1_ART='" + K + "';");
  r.Ejecuta("DELETE FROM tblPrecVolum WHERE COD1_ART='" + K + "';");

  const std::string G = TextoDeMonto(recarga.cMonto);
  const std::string N = TextoDeMonto(PrecioSinImpuesto(c, recarga.cMonto));
  r.Ejecuta(InsercionUnidad(c, K, N, G));
  r.Ejecuta(InsercionPrecio(K, N, G));
}

}  // namespace

void ActualizaArticulosTA(ado::Connection& cnx, std::int16_t iManejador,
                          std::int16_t iVersionDestino) {
  Rutina r(cnx, "ActualizaArticulosTA", iManejador);
  // Every failure is cleared without a log entry and the next statement runs: the
  // articles never stop the ladder.
  r.Silencioso();
  const ParametrosTA parametros = LeeParametros(r);
  if (!parametros.bActivo) return;

  clsBaseDatos bd;
  Contexto c{r,
             bd,
             iManejador,
             iVersionDestino,
             parametros,
             LeeGrupo(r, parametros.iAgrupacion),
             vb::Currency{}};
  for (const RecargaTA& recarga : LeeRecargas(r)) ActualizaArticulo(c, recarga);
}
