#include "steps/5x/modVersion58.h"

#include <array>
#include <string>

#include "data/clsBaseDatos.h"
#include "steps/MarcoRutina.h"

namespace {

// The fills and normalisations of 5.8, in the order they are sent; the same text to
// every engine.
constexpr std::array<const char*, 28> kSentencias58 = {
    "UPDATE tblTiposPago SET PAGO_CFDI=0 WHERE (PAGO_CFDI IS NULL);",
    "UPDATE tblTiposPago SET CAR_DET=0 WHERE (CAR_DET IS NULL);",
    "UPDATE tblCatClientes SET METODO_PAGO=1 WHERE (METODO_PAGO IS NULL) OR (METODO_PAGO=0);",
    "UPDATE tblCatClientes SET CUENTA_PAGO='' WHERE (CUENTA_PAGO IS NULL);",
    "DROP INDEX idxFOLIO_NV ON tblNotasPorFactura;",
    "UPDATE tblCatArticulos SET UND_CFDI=1 WHERE (UND_CFDI IS NULL) OR (UND_CFDI=0);",
    "UPDATE tblUndCosPreArt SET COD_BARRAS='' WHERE (COD_BARRAS IS NULL);",
    "UPDATE tblParametrosGenerales SET FE_DESCTO=1 WHERE (FE_DESCTO IS NULL) OR (FE_DESCTO=0);",
    "UPDATE tblParametrosGenerales SET FE_ORIGEN=0 WHERE (FE_ORIGEN IS NULL);",
    "UPDATE tblParametrosGenerales SET FE_DESCUND=0 WHERE (FE_DESCUND IS NULL);",
    "UPDATE tblParametrosGenerales SET CP_PREVIO=0 WHERE (CP_PREVIO IS NULL);",
    "UPDATE tblParametrosGenerales SET CP_RECPREV=1 WHERE (CP_RECPREV IS NULL);",
    "UPDATE tblParametrosGenerales SET LOT_SAL=0 WHERE (LOT_SAL IS NULL);",
    "UPDATE tblParametrosGenerales SET FE_LOT=0 WHERE (FE_LOT IS NULL);",
    "UPDATE tblParametrosGenerales SET FE_CAD=0 WHERE (FE_CAD IS NULL);",
    "UPDATE tblParametrosGenerales SET PRECIO_BASE=0 WHERE (PRECIO_BASE IS NULL);",
    "UPDATE tblParametrosGenerales SET PRECIO_DECIMAL=4 WHERE (PRECIO_DECIMAL IS NULL) OR "
    "(PRECIO_DECIMAL=0);",
    "UPDATE tblParametrosGenerales SET PRECIO_TRUNCAR=0 WHERE (PRECIO_TRUNCAR IS NULL);",
    "UPDATE tblPerfilPermisos SET CP_COMPLEMENTO=0 WHERE (CP_COMPLEMENTO IS NULL);",
    "UPDATE tblPerfilPermisos SET CP_COMPLEMENTO=1 WHERE COD_PERFIL=0;",
    "UPDATE tblPerfilPermisos SET PV_BLOQUEARAPAR=1 WHERE (PV_BLOQUEARAPAR <> 0);",
    "UPDATE tblPerfilPermisos SET FF_MOVSMESACUENTA=1 WHERE (FF_MOVSMESACUENTA<>0);",
    "UPDATE tblCatProveedor SET NO_OC=1 WHERE (NO_OC IS NULL) OR (NO_OC=0);",
    "UPDATE tblBitacoraComanda SET COD_ACCION=205 WHERE (COD_ACCION IS NULL) OR (COD_ACCION=0);",
    "UPDATE tblBitacoraComanda SET IMPORTE=0 WHERE (IMPORTE IS NULL);",
    "UPDATE tblBitacoraComanda SET MESA2='' WHERE (MESA2 IS NULL);",
    "UPDATE tblBitacoraComanda SET COD_CAJA=0 WHERE (COD_CAJA IS NULL);",
    "UPDATE tblMontosTA SET COD_EMPRESA=1 WHERE (CLAVE_TA='M050');",
};

// A header value as the log shows it.
std::string TextoDeValor(const vb::Variant& valor) {
  return valor.IsNull() ? "Null" : "'" + vb::CStr(valor) + "'";
}

// One purchase document header: its lines without a warehouse get the header's. A
// header without a folio or a warehouse has nothing to give; it is written to the log
// and skipped, so that one such row cannot hold the database below 5.8 for good.
void CopiaAlmacenDelEncabezado(Rutina& r, const ado::Recordset& rs,
                               const std::string& sSinAlmacen) {
  const vb::Variant folio = Campo(rs, "FOL_DOC");
  const vb::Variant almacen = Campo(rs, "COD_ALM");
  if (folio.IsNull() || almacen.IsNull()) {
    EscribeEntradaLog(r.Etiqueta(), vb::err::InvalidUseOfNull,
                      vb::DescripcionDeError(vb::err::InvalidUseOfNull) +
                          ": tblComprasEnc FOL_DOC=" + TextoDeValor(folio) +
                          ", COD_ALM=" + TextoDeValor(almacen) + "; se omite el encabezado");
    return;
  }
  r.Ejecuta("UPDATE tblComprasRen SET COD_ALM='" + r.Une(almacen) + "' WHERE (FOL_DOC='" +
            r.Une(folio) + "') AND (" + sSinAlmacen + ");");
}

// Runs without a handler: any failure but a Null key stops the update before 580 is
// recorded, and the next run repeats the step.
void CopiaAlmacenesDeCompras(Rutina& r, std::int16_t iManejador) {
  std::string sSinAlmacen = "(COD_ALM IS NULL) OR (LEN(COD_ALM)=0)";
  if (iManejador == ManejadorMySQL) clsBaseDatos().ConvierteLen(sSinAlmacen);
  ado::Recordset rs = r.Abre("SELECT FOL_DOC,COD_ALM FROM tblComprasEnc ORDER BY FOL_DOC;");
  if (r.ConFilas(rs)) r.Recorre(rs, [&] { CopiaAlmacenDelEncabezado(r, rs, sSinAlmacen); });
  r.Cierra(rs);
}

}  // namespace

void ActualizaCamposVersion58(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ActualizaCamposVersion58", iManejador);
  r.ArmaManejador();

  for (const char* sentencia : kSentencias58) r.Ejecuta(sentencia);

  r.EjecutaSiFalta("SELECT * FROM tblMontosTA WHERE (CLAVE_TA='M050');",
                   "INSERT tblMontosTA (COD_EMPRESA,MONTO_TA,CLAVE_TA) VALUES (1,50,'M050');");

  r.Ejecuta("ALTER TABLE tblBitacoraComanda DROP COLUMN COD_CON;");
  r.Ejecuta("ALTER TABLE tblBitacoraComanda DROP COLUMN PRE_INI;");
  r.Ejecuta("ALTER TABLE tblBitacoraComanda DROP COLUMN PRE_FIN;");

  r.SinManejador();
  CopiaAlmacenesDeCompras(r, iManejador);

  r.ArmaManejador();
  r.RegistraVersion(580, "INSERT INTO tblVersion (VER) VALUES (580);");
}
