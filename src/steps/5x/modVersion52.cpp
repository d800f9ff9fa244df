#include "steps/5x/modVersion52.h"

#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

void ModificarEstructura52(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura52", iManejador);
  r.ArmaManejador();

  r.Ejecuta(BorraTabla(iManejador, "tblListasSeleccionables"));
  r.Ejecuta(BorraTabla(iManejador, "tblModificadores"));
  r.Ejecuta("ALTER TABLE tblFacturaElectronica DROP COLUMN RUTA_PDF;");
  r.Ejecuta(AmpliaTexto(iManejador, "tblFacturaElectronica", "FOLIO_FISCAL", 17));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "TA_PASSWORD", 10));

  r.RegistraVersion(520);
}

void ActualizaCamposVersion52(ado::Connection& cnx, std::string, std::int16_t iManejador,
                              ui::Label&) {
  Rutina r(cnx, "ActualizaCamposVersion52", iManejador);
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblParametrosGenerales SET ACT_PRECOM=0 WHERE ACT_PRECOM IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET UND_PRECOM=0 WHERE UND_PRECOM IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET PREXLISTA=0 WHERE PREXLISTA IS NULL;");
  r.Ejecuta("UPDATE tblCajas SET LIMITE_ALERTA=0 WHERE LIMITE_ALERTA IS NULL;");
  r.Ejecuta("UPDATE tblCatAlmacenes SET PROT_MAX=0 WHERE PROT_MAX IS NULL;");
  r.Ejecuta("UPDATE tblEncPaquetes SET REC_MODIF=0 WHERE REC_MODIF IS NULL;");
  r.Ejecuta("UPDATE tblRenPaquetes SET MODIF_OPC=0 WHERE MODIF_OPC IS NULL;");
  r.Ejecuta("UPDATE tblRenPaquetes SET MODIF_INT=0 WHERE MODIF_INT IS NULL;");
  r.Ejecuta("UPDATE tblRenPaquetes SET MODIF_LISTA=0 WHERE MODIF_LISTA IS NULL;");

  r.RegistraVersion(520);
}
