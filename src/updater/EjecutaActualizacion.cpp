// The update run: everything between a click on the update button and the click's last
// message. It builds the connection string, opens the database once to read its
// structure version, names the run's log, decides whether an update is possible or
// needed, hands the climb to the dispatcher and ends with the run's messages.
#include <optional>

#include "conexion/CadenasDeConexion.h"
#include "conexion/VersionDeLaBase.h"
#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"
#include "updater/PasosMarco.h"
#include "updater/frmActIngreso.h"

namespace {

constexpr std::int16_t kVersionMinima = 500;
// A database at 5.2 facing an older catalogue goes through the ladder as one at 5.1.
constexpr std::int16_t kVersionRepetida = 520;
constexpr std::int16_t kVersionDeRepeticion = 510;
constexpr const char* kTituloActualizador = "Actualizador";
constexpr const char* kTituloBases = "Actualizador de Bases de Datos";

// The structure kind that the run names: the first ticked box's, -1 when none is ticked.
int EstructuraDeLaCorrida(const std::array<ui::CheckBox, 4>& chkProyecto,
                          const std::array<std::uint8_t, 4>& estructuraDeCaja) {
  for (std::size_t caja = 0; caja < chkProyecto.size(); ++caja)
    if (chkProyecto[caja].Value == 1) return estructuraDeCaja[caja];
  return -1;
}

std::int16_t ManejadorElegido(const std::array<ui::OptionButton, 3>& optTipoBD) {
  if (optTipoBD[0].Value) return ManejadorAccess;
  if (optTipoBD[1].Value) return ManejadorMySQL;
  return ManejadorSQLServer;
}

// The version taken when tblVersion cannot be read.
std::int16_t VersionDeRespaldo(int iEstructura, std::int16_t iVersionDestino) {
  if (iEstructura == EstructuraConsultorio) return 500;
  if (iEstructura == EstructuraAdministrador) return 630;
  return static_cast<std::int16_t>(iVersionDestino - 10);
}

std::nullopt_t Avisa(const std::string& sAviso, const vb::Error& error) {
  ui::MousePointer(ui::Puntero::Default);
  ui::MsgBox(sAviso + vb::vbCrLf + TextoDeError(error), ui::Botones::OK, ui::Icono::Exclamacion,
             kTituloBases);
  return std::nullopt;
}

// The database's version, read on a connection of the run's own. A database that cannot
// be reached or whose version cannot be read is reported here: there is nothing to update.
std::optional<std::int16_t> LeeVersionDeLaBase(const std::string& sCadenaConexion, int iEstructura,
                                               std::int16_t iVersionDestino) {
  ado::Connection cnx;
  try {
    AbreConexion(cnx, sCadenaConexion);
  } catch (const vb::Error& error) {
    return Avisa("No es posible conectarse a la base de datos.", error);
  }
  try {
    const std::optional<std::int16_t> iVersion = VersionDeTabla(cnx);
    cnx.Close();
    return iVersion ? *iVersion : VersionDeRespaldo(iEstructura, iVersionDestino);
  } catch (const vb::Error& error) {
    return Avisa("No es posible leer la versión de la base de datos en tblVersion.", error);
  }
}

}  // namespace

void frmActIngreso::EjecutaActualizacion() {
  lblMensaje.Caption.clear();
  gHoraInicio = win::Time();
  const int iEstructura = EstructuraDeLaCorrida(chkProyecto, kEstructuraDeCaja);
  std::string sCadenaConexion;
  if (!ArmaCadenaDeLaCorrida(sCadenaConexion)) return;
  ui::MousePointer(ui::Puntero::Hourglass);
  const std::int16_t iManejador = ManejadorElegido(optTipoBD);
  Refresh();
  if (!mNombreBaseDatos.empty() && !ActualizaLaBase(sCadenaConexion, iManejador, iEstructura))
    return;
  CierraActualizacion();
}

// Reads the version, names the log and climbs when the version allows it. False when the
// run ends at once, without its closing messages.
bool frmActIngreso::ActualizaLaBase(const std::string& sCadenaConexion, std::int16_t iManejador,
                                    int iEstructura) {
  const std::optional<std::int16_t> iVersionActual =
      LeeVersionDeLaBase(sCadenaConexion, iEstructura, mVersionEstructura);
  if (!iVersionActual) return false;
  gRutaLog = NombreDelRunLog();
  ui::MousePointer(ui::Puntero::Default);
  if (*iVersionActual == kTablaDeVersionVacia) {
    ui::MsgBox("La tabla tblVersion de la base de datos está vacía: no es posible saber a qué "
               "versión llegó la estructura. Registre en ella la última versión que se completó "
               "y vuelva a ejecutar la actualización.",
               ui::Botones::OK, ui::Icono::Exclamacion, kTituloBases);
    return false;
  }
  if (*iVersionActual < kVersionMinima) {
    ui::MsgBox("No es posible hacer la actualización. La versión es anterior a la 5.0",
               ui::Botones::OK, ui::Icono::Exclamacion, kTituloBases);
    return false;
  }
  if (*iVersionActual > mVersionEstructura && *iVersionActual != kVersionRepetida) {
    ui::MsgBox("La base de datos ya se encuentra actualizada a la versión " +
                   TextoDeVersion(mVersionEstructura),
               ui::Botones::OK, ui::Icono::Informacion, kTituloActualizador);
    return true;
  }
  const std::int16_t iDesde =
      *iVersionActual > mVersionEstructura ? kVersionDeRepeticion : *iVersionActual;
  const bool bActualizada =
      ActualizaVersiones(mVersionEstructura, iDesde, sCadenaConexion, iManejador);
  ConcluyeActualizacion(bActualizada, iEstructura);
  return true;
}

void frmActIngreso::ConcluyeActualizacion(bool bActualizada, int iEstructura) {
  if (bActualizada) {
    lblMensaje.Caption.clear();
    gHoraFin = win::Time();
    ui::MsgBox("La base de datos fue actualizada a la versión " +
                   TextoDeVersion(mVersionEstructura) + vb::vbCrLf + "Hora inicio: " +
                   vb::CStr(gHoraInicio) + vb::vbCrLf + "Hora fin:     " + vb::CStr(gHoraFin),
               ui::Botones::OK, ui::Icono::Informacion, kTituloActualizador);
    if (iEstructura == EstructuraPrincipal)
      ui::MsgBox("La empresa quedó registrada con régimen " + std::string(vb::vbCrLf) +
                     cmbRegimen.Text() + vb::vbCrLf +
                     "Si desea modificarlo, ingrese a Norvale Soft - Tablas - Regímenes Fiscales.",
                 ui::Botones::OK, ui::Icono::Exclamacion, "Información");
  } else if (mFallaEnActualizacion) {
    ui::MsgBox("La base de datos no se actualizó a la versión " +
                   TextoDeVersion(mVersionEstructura) + "." + vb::vbCrLf +
                   "Conserva la última versión que se completó; corrija la causa y vuelva a "
                   "ejecutar la actualización para continuar desde ahí.",
               ui::Botones::OK, ui::Icono::Exclamacion, kTituloActualizador);
  }
}

void frmActIngreso::CierraActualizacion() {
  lblMensaje.Caption.clear();
  Caption = "Actualización de Bases de Datos Norvale Soft ®";
  if (mAvisoImpuestos)
    ui::MsgBox(
        "SI MANEJA MOVIMIENTOS DEL MÓDULO DE COMPRAS, ES NECESARIO QUE EJECUTE LA "
        "UTILERÍA PARA ACTUALIZAR LOS CÓDIGOS DE IMPUESTOS.",
        ui::Botones::OK, ui::Icono::Exclamacion, kTituloActualizador);
  if (!gRutaLog.empty() && win::ExisteArchivo(gRutaLog))
    ui::MsgBox(
        "Ocurrieron errores durante la actualización, ver el archivo " + win::RutaLocal(gRutaLog),
        ui::Botones::OK, ui::Icono::Informacion, "Información");
}
