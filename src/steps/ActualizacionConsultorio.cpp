#include "steps/ActualizacionConsultorio.h"

#include "data/clsBaseDatos.h"
#include "platform/ui/Services.h"
#include "platform/vb/Error.h"

SincronizacionConsultorio SincronizaConsultorio(const std::string& sCadenaConexion,
                                                std::int16_t iManejador,
                                                const std::string& sNombreBaseDatos,
                                                ui::Label& lblMensaje) {
  if (iManejador != ManejadorSQLServer && iManejador != ManejadorMySQL)
    return SincronizacionConsultorio::Completa;
  bool bExisteError = false;
  try {
    clsBaseDatos baseDatos;
    baseDatos.CrearBaseDeDatos(sCadenaConexion, iManejador, sNombreBaseDatos, bExisteError,
                               lblMensaje, false, EstructuraConsultorio);
  } catch (const vb::Error&) {
    AvisaConsultorioSinActualizar();
    return bExisteError ? SincronizacionConsultorio::Abandonada
                        : SincronizacionConsultorio::Fallida;
  }
  return bExisteError ? SincronizacionConsultorio::Abandonada : SincronizacionConsultorio::Completa;
}

bool ReparaConsultorio(const std::string& sCadenaConexion,
                       const std::function<bool(ado::Connection&)>& repara) {
  ado::Connection cnx;
  cnx.Open(sCadenaConexion, "", "", ado::adConnectUnspecified);
  const bool bReparada = cnx.State() == ado::adStateOpen && repara(cnx);
  try {
    cnx.Close();
  } catch (const vb::Error&) {
  }
  ui::MousePointer(ui::Puntero::Default);
  return bReparada;
}

void AvisaConsultorioActualizado() {
  ui::MsgBox("La base de datos de Vudovizivev Azuzo fue actualizada", ui::Botones::OK,
             ui::Icono::Informacion, "Actualizador");
}

void AvisaConsultorioSinActualizar() {
  ui::MousePointer(ui::Puntero::Default);
  ui::MsgBox("No es posible actualizar estructura de la Base de Datos de Vudovizivev Azuzo",
             ui::Botones::OK, ui::Icono::Exclamacion, "Actualización");
}
