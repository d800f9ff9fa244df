#include "steps/8x_9x/modVersion88.h"

#include <string>

#include "data/clsBaseDatos.h"
#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/MarcoRutina.h"

namespace {

// SQL Server's clause, and MySQL's for every other code.
std::string ClausulaFecha(std::int16_t iManejador, const std::string& columna) {
  return iManejador == ManejadorSQLServer ? "ALTER COLUMN " + columna + " DATETIME;"
                                          : "MODIFY " + columna + " DATETIME NOT NULL;";
}

// MySQL joins before SET; every other code takes the UPDATE ... FROM form.
std::string FolioDeFactura(std::int16_t iManejador) {
  if (iManejador == ManejadorMySQL)
    return "UPDATE tblEncCargosAbonos INNER JOIN tblNotasPorFactura ON "
           "tblEncCargosAbonos.FOL_DOC=tblNotasPorFactura.FOLIO_NV AND "
           "tblEncCargosAbonos.CON_GRL='CCLI' SET "
           "tblEncCargosAbonos.FOL_FACT=tblNotasPorFactura.FOLIO_FACT WHERE "
           "tblEncCargosAbonos.FOL_FACT='';";
  return "UPDATE tblEncCargosAbonos SET tblEncCargosAbonos.FOL_FACT=tblNotasPorFactura.FOLIO_FACT "
         "FROM tblEncCargosAbonos INNER JOIN tblNotasPorFactura ON "
         "tblEncCargosAbonos.FOL_DOC=tblNotasPorFactura.FOLIO_NV AND "
         "tblEncCargosAbonos.CON_GRL='CCLI' WHERE tblEncCargosAbonos.FOL_FACT='';";
}

}  // namespace

void ModificarEstructura88(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura88", iManejador);
  r.ArmaManejador();
  r.Ejecuta("ALTER TABLE tblSveTransacciones " + ClausulaFecha(iManejador, "FECHA"));
  r.Ejecuta("ALTER TABLE tblSveTransacciones " + ClausulaFecha(iManejador, "FECHA_REG"));

  // The check logs its own failures under its own label.
  r.SinManejador();
  if (iVersionActual == 880)
    modVersion88::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblEncCargosAbonos SET FOL_FACT='' WHERE FOL_FACT IS NULL;");
  r.Ejecuta(FolioDeFactura(iManejador));
  r.Ejecuta("UPDATE tblEncCargosAbonos SET FOL_FACT='' WHERE COD_STS=2;");
  r.RegistraVersion(880);
}

void modVersion88::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision88);
}
