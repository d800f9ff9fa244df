#include "steps/8x_9x/modVersion86.h"

#include "data/clsBaseDatos.h"
#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/MarcoRutina.h"

namespace {

// The long-text clauses: SQL Server's own, and MySQL's for every other code.
std::string ClausulaListaEmail(std::int16_t iManejador) {
  return iManejador == ManejadorSQLServer ? "ALTER COLUMN LISTAEMAIL TEXT;"
                                          : "MODIFY LISTAEMAIL TEXT NOT NULL;";
}

std::string ClausulaXmlCierre(std::int16_t iManejador) {
  return iManejador == ManejadorSQLServer ? "ALTER COLUMN XML_CIERRE nvarchar(max);"
                                          : "MODIFY XML_CIERRE LONGTEXT NOT NULL;";
}

}  // namespace

void ModificarEstructura86(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura86", iManejador);
  r.ArmaManejador();
  r.Ejecuta("ALTER TABLE tblFEPendientes " + ClausulaListaEmail(iManejador));

  // The check logs its own failures under its own label.
  r.SinManejador();
  if (iVersionActual == 860)
    modVersion86::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblCatClientes SET ID_CTAPAGO=0 WHERE (ID_CTAPAGO IS NULL);");
  r.RegistraVersion(860);
}

void ModificarEstructura863(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura863", iManejador);
  r.ArmaManejador();
  r.Ejecuta("ALTER TABLE tblCierres " + ClausulaXmlCierre(iManejador));
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_ACTIEPS=1 WHERE (FE_ACTIEPS IS NULL);");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_ACTIEPS=1 WHERE (FE_ACTIEPS=0);");
  r.RegistraVersion(863);
}

void modVersion86::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision86);
}
