// The doctor's-office update of 9.1 (declared in modVersion91.h).
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion91.h"
#include "steps/ActualizacionConsultorio.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

constexpr const char* kEtiqueta91CA = "Error en ModificarEstructura91... Vudovizivev Azuzo: ";

// True when both statements ran.
bool ReparaConsultorio91(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r = Rutina::ConEtiqueta(cnx, kEtiqueta91CA, iManejador);
  r.ArmaManejador();
  const bool bAmpliada = r.Ejecuta(AmpliaTexto(iManejador, "tblConceptosCA", "Desc_Concepto", 30));
  const bool bRellenada =
      r.Ejecuta("UPDATE tblConsultorios SET Id_Serial=0 WHERE Id_Serial IS NULL;");
  return bAmpliada && bRellenada;
}

}  // namespace

void ModificarEstructura91_CA(const std::string& sCadenaConexion, std::int16_t iManejador,
                              const std::string& sNombreBaseDatos, ui::Label& lblMensaje) {
  // A failed synchronisation has shown its box; an abandoned one has told the user why.
  if (SincronizaConsultorio(sCadenaConexion, iManejador, sNombreBaseDatos, lblMensaje) !=
      SincronizacionConsultorio::Completa)
    return;

  const bool bReparada = ReparaConsultorio(
      sCadenaConexion, [&](ado::Connection& cnx) { return ReparaConsultorio91(cnx, iManejador); });

  // A statement that failed is in the run log; the database is not reported as updated.
  if (bReparada)
    AvisaConsultorioActualizado();
  else
    AvisaConsultorioSinActualizar();
}
