// Ladder steps 6.0 to 7.4. There is no step 7.1: steps 7.2 and 7.3 run its routine.
#include "steps/6x_7x/modVersion60.h"
#include "steps/6x_7x/modVersion61.h"
#include "steps/6x_7x/modVersion62.h"
#include "steps/6x_7x/modVersion63.h"
#include "steps/6x_7x/modVersion64_70.h"
#include "steps/6x_7x/modVersion71.h"
#include "steps/6x_7x/modVersion72.h"
#include "steps/6x_7x/modVersion73.h"
#include "steps/6x_7x/modVersion74.h"
#include "updater/PasosMarco.h"

bool frmActIngreso::Actualiza60(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "6.0", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 599)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura60(cnn, iManejador);
  EncriptaPasswordsTA(cnn);
  return paso.Termina();
}

bool frmActIngreso::Actualiza61(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t /*iVersionDestino*/, std::int16_t iManejador) {
  Paso paso(*this, "6.1", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 600)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura61(cnn, iManejador);
  return paso.Termina();
}

bool frmActIngreso::Actualiza62(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "6.2", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 610)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura62(cnn, iManejador, iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza63(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "6.3", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 620)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura63(cnn, iManejador, iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza70(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "7.0", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual >= 630)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura70(cnn, iManejador);
  if (iVersionDestino == 700) paso.TiempoAire(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza72(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "7.2", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 700)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura71(cnn, iManejador);
  ModificarEstructura72(cnn, iManejador);
  if (iVersionDestino == 720) paso.TiempoAire(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza73(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "7.3", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 710)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura71(cnn, iManejador);
  ModificarEstructura72(cnn, iManejador);
  ModificarEstructura73(cnn, iManejador, iVersionActual);
  paso.TiempoAire(iVersionDestino);
  return paso.Termina();
}

bool frmActIngreso::Actualiza74(const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  Paso paso(*this, "7.4", sCadenaConexion, iManejador);
  if (!paso.Sincroniza(iVersionActual > 720)) return false;
  ado::Connection& cnn = paso.Abre();
  ModificarEstructura74(cnn, iManejador, iVersionActual);
  if (iVersionActual < 730)
    paso.TiempoAireConAviso(iVersionDestino, "Verificando Empresas de tiempo aire...");
  return paso.Termina();
}
