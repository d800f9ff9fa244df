// Ladder steps 8.0 to 9.5.2. From here on a step's windows close (8.6 to 9.5.2) and the
// air-time rebuild runs for databases that start at or above a version of its own.
#include "frame/modPrincipal.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion82.h"
#include "steps/8x_9x/modVersion83.h"
#include "steps/8x_9x/modVersion84.h"
#include "steps/8x_9x/modVersion85.h"
#include "steps/8x_9x/modVersion86.h"
#include "steps/8x_9x/modVersion87.h"
#include "steps/8x_9x/modVersion88.h"
#include "steps/8x_9x/modVersion89.h"
#include "steps/8x_9x/modVersion90.h"
#include "steps/8x_9x/modVersion91.h"
#include "steps/8x_9x/modVersion92.h"
#include "steps/8x_9x/modVersion93.h"
#include "steps/8x_9x/modVersion94.h"
#include "steps/8x_9x/modVersion95.h"
#include "updater/PasosMarco.h"

namespace {

bool Entre(std::int16_t iVersion, std::int16_t iDesde, std::int16_t iHasta) {
  return iVersion >= iDesde && iVersion <= iHasta;
}

// tblBitacoraRem is no longer part of the structure; a database without it is fine.
void BorraBitacoraRem(const std::string& sCadenaConexion) {
  IgnorandoErrores([&] {
    ado::Connection cnx;
    AbreConexion(cnx, sCadenaConexion);
    cnx.Execute("DROP TABLE tblBitacoraRem;");
  });
}

}  // namespace

bool frmActIngreso::Actualiza80(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.0", sCadenaConexion, iManejador);
  if (iVersionActual < 800) BorraBitacoraRem(sCadenaConexion);
  if (!paso.Sincroniza(iVersionActual > 730)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura80(cnn, iManejador, iVersionDestino);
  if (iVersionActual < 740) paso.TiempoAireConAviso(iVersionDestino);
  // The central-administrator and branch tables that a main database may hold.
  if (ExisteTablaAC(cnn, iManejador)) {
    paso.Muestra("Revisando estructura para tablas AC...");
    if (!paso.SincronizaTablas(EstructuraAdministrador)) return false;
    paso.Muestra("Completada modificación a tablas AC");
  }
  if (ExisteTablaDp(cnn, iManejador)) {
    paso.Muestra("Revisando estructura para tablas DP...");
    if (!paso.SincronizaTablas(EstructuraDependencia)) return false;
  }
  return paso.Termina();
}

bool frmActIngreso::Actualiza81(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.1", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 740)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura81(cnn, iManejador, iVersionActual);
  if (iVersionActual >= 800) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza82(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.2", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 800)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura82(cnn, iManejador, iVersionDestino, iVersionDestino);
  if (iVersionActual >= 810) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza83(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.3", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 800)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura83(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 820) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza84(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.4", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 810)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura84(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 830) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza85(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.5", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 820)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura85(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 840) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza86(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.6", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 841, 859))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura86(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 850) paso.TiempoAireConAviso(iVersionDestino);
  const bool bResultado = paso.Termina();
  // A catalogue at 8.6.3 ends the climb here, with its own routine. 860 is written by
  // then, and the routine writes 863 as it ends.
  if (iVersionDestino == 863)
    ModificarEstructura863(cnn, iManejador, iVersionActual, iVersionDestino);
  return bResultado;
}

bool frmActIngreso::Actualiza87(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.7", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 860, 869))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura87(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 860) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza88(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.8", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 870, 879))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura88(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 870) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza89(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "8.9", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 880, 889))) return false;
  ado::Connection& cnn = paso.Abre();
  // The ladder never reads the bar-code layout of Dorvex.INI.
  ModificarEstructura89(cnn, iManejador, iVersionActual, iVersionDestino, false, "");
  ModificarEstructura894(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 880) paso.TiempoAireConAviso(iVersionDestino);
  if (ExisteTablaAC(cnn, iManejador)) ModificarEstructura89_AC(cnn, iManejador, iVersionActual);
  return paso.Termina();
}

bool frmActIngreso::Actualiza90(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.0", sCadenaConexion, iManejador);
  // A database that starts at 8.9 gets the catalogue's default rows for the rest of the
  // run, whatever the dialog says.
  if (Entre(iVersionActual, 890, 899)) mAgregaDefault = true;
  if (!paso.Sincroniza(Entre(iVersionActual, 890, 899))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura90(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 890) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza91(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.1", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 900, 909))) return false;
  ado::Connection& cnn = paso.Abre();
  const std::string sCaption = lblMensaje.Caption;
  ModificarEstructura91(cnn, iManejador, iVersionActual, iVersionDestino, lblMensaje);
  lblMensaje.Caption = sCaption;
  if (iVersionActual >= 900) paso.TiempoAireConAviso(iVersionDestino);
  // Purchase lines from before 9.1 need their tax codes recoded by the purchase-tax utility.
  if (iVersionActual < 910) mAvisoImpuestos = true;
  return paso.Termina();
}

bool frmActIngreso::Actualiza92(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.2", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 910, 920))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura92(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 910) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza93(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.3", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 920, 930))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura93(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 920) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza94(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.4", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 930, 940))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura94(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 930) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza95(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.5", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 940, 950))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura95(cnn, iManejador, iVersionActual, iVersionDestino);
  if (iVersionActual >= 940) paso.TiempoAireConAviso(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza951(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                 std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.5.1", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 950, 951))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura951(cnn, iManejador, iVersionActual, iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza952(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                 std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "9.5.2", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(Entre(iVersionActual, 951, 952))) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura952(cnn, iManejador, iVersionActual, iVersionDestino);
  return paso.Termina();
}
