#include "updater/PasosMarco.h"

#include "data/clsBaseDatos.h"
#include "platform/ado/ConexionPerdida.h"
#include "steps/6x_7x/modTiempoAire.h"

void IgnorandoErrores(const std::function<void()>& bloque) {
  try {
    bloque();
  } catch (const vb::Error& error) {
    if (ado::EsConexionPerdida(error)) throw;
  }
}

frmActIngreso::Paso::Paso(frmActIngreso& dialogo, std::string sVersion,
                          const std::string& sCadenaConexion, std::int16_t iManejador)
    : dialogo_(dialogo),
      version_(std::move(sVersion)),
      cadena_(sCadenaConexion),
      manejador_(iManejador) {
  Muestra("Revisando estructura para versión " + version_ + "...");
}

bool frmActIngreso::Paso::Sincroniza(bool bEnVentana) {
  const bool bDialectoConocido = manejador_ == ManejadorAccess ||
                                 manejador_ == ManejadorSQLServer || manejador_ == ManejadorMySQL;
  if (!bEnVentana || !bDialectoConocido) return true;
  return LlamaSincronizacion(dialogo_.mAgregaDefault, EstructuraPrincipal);
}

bool frmActIngreso::Paso::SincronizaTablas(std::uint8_t iEstructuraBaseDeDatos) {
  if (manejador_ != ManejadorSQLServer && manejador_ != ManejadorMySQL) return true;
  return LlamaSincronizacion(true, iEstructuraBaseDeDatos);
}

bool frmActIngreso::Paso::LlamaSincronizacion(bool bAgregaDefault,
                                              std::uint8_t iEstructuraBaseDeDatos) {
  bool bExisteError = false;
  dialogo_.mBaseDatos->CrearBaseDeDatos(cadena_, manejador_, dialogo_.mNombreBaseDatos,
                                        bExisteError, dialogo_.lblMensaje, bAgregaDefault,
                                        iEstructuraBaseDeDatos);
  return !bExisteError;
}

void frmActIngreso::Paso::AntesDeSincronizar(const std::function<void(ado::Connection&)>& rutina) {
  ado::Connection cnx;
  AbreConexion(cnx, cadena_);
  IgnorandoErrores([&] { rutina(cnx); });
}

ado::Connection& frmActIngreso::Paso::Abre() {
  cnn_ = std::make_unique<ado::Connection>();
  AbreConexion(*cnn_, cadena_);
  return *cnn_;
}

void frmActIngreso::Paso::TiempoAire(std::int16_t iVersionDestino) {
  ActualizaTiempoAire(*cnn_, dialogo_.txtRutaImagenes.Text, manejador_, iVersionDestino);
}

void frmActIngreso::Paso::TiempoAireConAviso(std::int16_t iVersionDestino,
                                             const std::string& sAviso) {
  Muestra(sAviso);
  TiempoAire(iVersionDestino);
  Muestra("Verificación de tiempo aire completada");
}

void frmActIngreso::Paso::Muestra(const std::string& sCaption) {
  dialogo_.lblMensaje.Caption = sCaption;
  dialogo_.Refresh();
}

bool frmActIngreso::Paso::Termina() {
  if (VersionDelPaso* version = VersionDelPaso::EnCurso()) version->Escribe(cnn_ ? *cnn_ : Abre());
  Muestra("Estructura modificada a versión " + version_);
  return true;
}
