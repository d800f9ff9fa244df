// The recode run: everything between a click on the update button and the click's last
// message. It builds the connection string, reads the database's structure version on a
// connection of its own, refuses databases below 9.1.0, names the run's log, has the
// recoder fill the purchase-line tax codes on a second connection and reports the outcome.
#include <optional>

#include "conexion/CadenasDeConexion.h"
#include "conexion/VersionDeLaBase.h"
#include "frame/modPrincipal.h"
#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"
#include "taxrecode/frmActIngreso.h"
#include "taxrecode/modImptosCompras.h"

namespace taxora {

namespace {

constexpr std::int16_t kVersionMinima = 910;
constexpr const char* kTituloImpuestos = "Actualizar impuestos";

void Avisa(const std::string& sAviso) {
  ui::MousePointer(ui::Puntero::Default);
  ui::MsgBox(sAviso, ui::Botones::OK, ui::Icono::Exclamacion, kTituloTaxora);
}

std::string Horas() {
  return std::string(vb::vbCrLf) + "Hora inicio: " + vb::CStr(gHoraInicio) + vb::vbCrLf +
         "Hora fin:     " + vb::CStr(gHoraFin);
}

}  // namespace

void frmActIngreso::ActualizarImpuestos() {
  lblMensaje.Caption.clear();
  gHoraInicio = win::Time();
  std::string sCadenaConexion;
  if (!ArmaCadenaDeLaCorrida(sCadenaConexion)) return;
  ui::MousePointer(ui::Puntero::Hourglass);
  Refresh();
  std::int16_t iVersionActual = 0;
  if (!LeeVersion(sCadenaConexion, iVersionActual)) return;
  gRutaLog = NombreDelRunLog();
  if (iVersionActual < kVersionMinima) {
    Avisa("No es posible hacer la actualización. La versión es anterior a la 9.1.0");
    return;
  }
  ui::MousePointer(ui::Puntero::Default);
  ConcluyeImpuestos(EjecutarImpuestos(sCadenaConexion));
}

bool frmActIngreso::LeeVersion(const std::string& sCadenaConexion, std::int16_t& iVersionActual) {
  ado::Connection cnx;
  try {
    AbreConexion(cnx, sCadenaConexion);
  } catch (const vb::Error& error) {
    Avisa("No es posible conectarse a la base de datos." + std::string(vb::vbCrLf) +
          TextoDeError(error));
    return false;
  }
  std::optional<std::int16_t> iVersion;
  try {
    iVersion = VersionDeTabla(cnx);
    cnx.Close();
  } catch (const vb::Error& error) {
    Avisa("No es posible leer la versión de la base de datos en tblVersion." +
          std::string(vb::vbCrLf) + TextoDeError(error));
    return false;
  }
  if (!iVersion) {
    Avisa("No es posible hacer la actualización. La base de datos no corresponde Norvale Soft "
          "Velmar");
    return false;
  }
  iVersionActual = *iVersion;
  return true;
}

bool frmActIngreso::EjecutarImpuestos(const std::string& sCadenaConexion) {
  try {
    return ProcesarImpuestos(sCadenaConexion);
  } catch (const vb::Error& error) {
    ui::MsgBox(TextoDeError(error), ui::Botones::OK, ui::Icono::Exclamacion,
               "Error al actualizar impuestos de compras");
    return false;
  }
}

bool frmActIngreso::ProcesarImpuestos(const std::string& sCadenaConexion) {
  lblMensaje.Caption = "Abriendo conexión con base de datos...";
  Refresh();
  ui::MousePointer(ui::Puntero::Hourglass);
  // A connection that cannot be opened is reported as it is, before any statement.
  ado::Connection cnx;
  AbreConexion(cnx, sCadenaConexion);
  lblMensaje.Caption = "Actualizando impuestos...";
  Refresh();
  const bool bResultado = AgregarImpuestosCompras(cnx, lblMensaje);
  lblMensaje.Caption = "Cerrando conexión...";
  cnx.Close();
  lblMensaje.Caption = "Proceso finalizado.";
  Refresh();
  return bResultado;
}

void frmActIngreso::ConcluyeImpuestos(bool bActualizados) {
  gHoraFin = win::Time();
  if (bActualizados) {
    lblMensaje.Caption.clear();
    ui::MsgBox("Los impuestos de compras fueron actualizados" + Horas(), ui::Botones::OK,
               ui::Icono::Informacion, kTituloImpuestos);
  } else {
    ui::MsgBox("Hubo problema al actualizar impuestos:" + std::string(vb::vbCrLf) +
                   win::RutaLocal(gRutaLog) + Horas(),
               ui::Botones::OK, ui::Icono::Critico, kTituloImpuestos);
  }
  lblMensaje.Caption.clear();
  Caption = kCaptionTaxora;
  if (win::ExisteArchivo(gRutaLog))
    ui::MsgBox(
        "Ocurrieron errores durante la actualización, ver el archivo " + win::RutaLocal(gRutaLog),
        ui::Botones::OK, ui::Icono::Informacion, "Información");
}

}  // namespace taxora
