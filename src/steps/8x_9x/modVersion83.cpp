#include "steps/8x_9x/modVersion83.h"

#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/8x_9x/RevisionRegistrosDefault.h"

namespace {

// The loyalty-points parameters: one row when there is none, switched on when the first
// loyalty row is active.
void PreparaParametrosPuntos(Rutina& r) {
  r.EjecutaSiFalta("SELECT * FROM tblParamPuntos;",
                   "INSERT INTO tblParamPuntos (PTO_ACTIVO,EN_LINEA,URL_PUNTOS) VALUES (0,0,'');");
  ado::Recordset rs = r.Abre("SELECT ACTIVO FROM tblPuntos;");
  if (r.Si([&] {
        if (rs.BOF() && rs.Eof()) return false;
        const vb::Variant activo = Campo(rs, "ACTIVO");
        return !activo.IsNull() && vb::CDbl(activo) != 0;
      }))
    r.Ejecuta("UPDATE tblParamPuntos SET PTO_ACTIVO=1;");
  r.Cierra(rs);
}

}  // namespace

void ModificarEstructura83(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura83", iManejador);
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatClientes", "MAIL_CLI", 100));  // unguarded

  r.ArmaManejador();
  PreparaParametrosPuntos(r);
  r.Ejecuta("UPDATE tblUndCosPreArt SET PCIO_PUNTOS=0 WHERE (PCIO_PUNTOS IS NULL);");
  r.Ejecuta("UPDATE tblPlantillaMenus SET TITULO_OPCION='Empresa' WHERE "
            "(NOMBRE_OPCION='mnuFileOpe');");
  r.Ejecuta("UPDATE tblVentaEnEspera SET MAIL_AFILIA='' WHERE (MAIL_AFILIA IS NULL);");
  r.Ejecuta("UPDATE tblVentaEnEspera SET PRECIO_PTOS=0 WHERE (PRECIO_PTOS IS NULL);");
  r.Ejecuta("UPDATE tblTiposPago SET PAGO_CFDI=0;");

  r.SinManejador();
  if (iVersionActual == 830) modVersion83::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);
  r.ArmaManejador();

  r.RegistraVersion(830);
  r.SinManejador();
}

void modVersion83::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision83);
}
