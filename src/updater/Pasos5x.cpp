// Ladder steps 5.0 to 5.9.9. Each names its synchronisation window (a condition on the
// database's version at the start of the run) and calls its version's routines.
#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "steps/5x/modVersion50.h"
#include "steps/5x/modVersion51.h"
#include "steps/5x/modVersion52.h"
#include "steps/5x/modVersion53.h"
#include "steps/5x/modVersion54.h"
#include "steps/5x/modVersion55.h"
#include "steps/5x/modVersion56.h"
#include "steps/5x/modVersion57.h"
#include "steps/5x/modVersion58.h"
#include "steps/5x/modVersion59.h"
#include "steps/5x/modVersion59x.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "updater/PasosMarco.h"

namespace {

// Step 5.0's own widenings and fills, each failure logged under the step's name and
// passed over.
void AmpliaYLlenaVersion50(ado::Connection& cnn, std::int16_t iManejador) {
  Rutina r(cnn, "Actualiza50", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatClientes", "NOM_CLI", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatProveedor", "NOM_PROV", 100));
  r.Ejecuta("UPDATE tblCajas SET TA_USUARIO='' WHERE TA_USUARIO IS NULL;");
  r.Ejecuta("UPDATE tblCajas SET TA_PASSWORD='' WHERE TA_PASSWORD IS NULL;");
  r.Ejecuta("UPDATE tblCajas SET TA_EQUIPO='' WHERE TA_EQUIPO IS NULL;");
}

}  // namespace

bool frmActIngreso::Actualiza50(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "5.0", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 450)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura50(cnn, iManejador, iVersionActual);
  paso.TiempoAire(iVersionDestino);
  AmpliaYLlenaVersion50(cnn, iManejador);
  return paso.Termina();
}

bool frmActIngreso::Actualiza51(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.1", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 460)) return false;
  ado::Connection& cnn = paso.Abre();
  // Gone already when the suite's own programs dropped it.
  IgnorandoErrores(
      [&] { cnn.Execute("ALTER TABLE tblParametrosGenerales DROP COLUMN TA_SALDO;"); });
  ActualizaCamposVersion51(cnn, txtRutaImagenes.Text, iManejador, lblMensaje);
  return paso.Termina();
}

bool frmActIngreso::Actualiza52(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.2", sCadenaConexion, iManejador);
  paso.AntesDeSincronizar([&](ado::Connection& cnx) { ModificarEstructura52(cnx, iManejador); });
  if (!paso.Sincroniza(iVersionActual > 500)) return false;
  ado::Connection& cnn = paso.Abre();
  ActualizaCamposVersion52(cnn, txtRutaImagenes.Text, iManejador, lblMensaje);
  return paso.Termina();
}

bool frmActIngreso::Actualiza53(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.3", sCadenaConexion, iManejador);
  paso.AntesDeSincronizar([&](ado::Connection& cnx) { ModificarEstructura53(cnx, iManejador); });
  if (!paso.Sincroniza(iVersionActual > 510)) return false;
  ado::Connection& cnn = paso.Abre();
  ActualizaCamposVersion53(cnn, txtRutaImagenes.Text, iManejador, lblMensaje);
  return paso.Termina();
}

bool frmActIngreso::Actualiza54(const std::string& sCadenaConexion, std::int16_t /*iVersionActual*/,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.4", sCadenaConexion, iManejador);
  paso.AntesDeSincronizar([&](ado::Connection& cnx) { ModificarEstructura54(cnx, iManejador); });
  if (!paso.Sincroniza(true)) return false;
  ado::Connection& cnn = paso.Abre();
  ActualizaCamposVersion54(cnn);
  return paso.Termina();
}

bool frmActIngreso::Actualiza55(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.5", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 530)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura55(cnn, iManejador);
  ActualizaCamposVersion55(cnn);
  return paso.Termina();
}

bool frmActIngreso::Actualiza56(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.6", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 540)) return false;
  ado::Connection& cnn = paso.Abre();
  // The regime chosen in the dialog: its position plus one, 0 when none is chosen.
  const std::uint8_t iRegimen = vb::CByte(static_cast<std::int32_t>(cmbRegimen.ListIndex + 1));
  ModificarEstructura56(cnn, iManejador);
  ActualizaCamposVersion56(cnn, iManejador, iRegimen);
  return paso.Termina();
}

bool frmActIngreso::Actualiza57(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.7", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 550)) return false;
  ado::Connection& cnn = paso.Abre();
  ActualizaCamposVersion57(cnn, iManejador);
  cnn.Execute("UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO;");
  cnn.Execute("UPDATE tblCajas SET TA_PASSWORD2 = TA_PASSWORD;");
  return paso.Termina();
}

bool frmActIngreso::Actualiza58(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "5.8", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 560)) return false;
  ado::Connection& cnn = paso.Abre();
  ActualizaCamposVersion58(cnn, iManejador);
  paso.TiempoAire(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza59(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.9.0", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 570)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura59(cnn, iManejador);
  ActualizaCamposVersion59(cnn);
  return paso.Termina();
}

bool frmActIngreso::Actualiza593(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                 std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.9.3", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 590)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura593(cnn);
  return paso.Termina();
}

bool frmActIngreso::Actualiza595(const std::string& sCadenaConexion,
                                 std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/,
                                 std::int16_t iManejador) {
  Paso paso(*this, "5.9.5", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(true)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura595(cnn);
  return paso.Termina();
}

bool frmActIngreso::Actualiza596(const std::string& sCadenaConexion,
                                 std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/,
                                 std::int16_t iManejador) {
  Paso paso(*this, "5.9.6", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(true)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura596(cnn, iManejador);
  return paso.Termina();
}

bool frmActIngreso::Actualiza597(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                 std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "5.9.7", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 596)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura597(cnn);
  return paso.Termina();
}

bool frmActIngreso::Actualiza598(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                 std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "5.9.8", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 597)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura598(cnn);
  paso.TiempoAire(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza599(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                 std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "5.9.9", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 598)) return false;
  ado::Connection& cnn = paso.Abre();
  // The folder of the electronic invoices' XML files, as MySQL must read it.
  std::string sRutaXml = txtRutaImagenes.Text + "\\XmlCfdi";
  if (iManejador == ManejadorMySQL && vb::InStr(sRutaXml, "\\") > 0)
    mBaseDatos->ConvierteBackSlash(sRutaXml, iManejador);
  ModificarEstructura599(cnn, sRutaXml, iManejador);
  paso.TiempoAire(iVersionDestino);
  return paso.Termina();
}
