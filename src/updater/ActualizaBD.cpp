// The satellite update: one pass that brings a doctor's-office, central-administrator or
// branch database to the catalogue's structure for its kind and runs the kind's fix-ups.
// A failing statement or fix-up is written to the run log and the work goes on.
#include <functional>

#include "data/clsBaseDatos.h"
#include "steps/5x/modVersion50.h"
#include "steps/6x_7x/modVersion64_70.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion89.h"
#include "steps/8x_9x/modVersion91.h"
#include "steps/MarcoRutina.h"
#include "platform/ado/ConexionPerdida.h"
#include "updater/PasosMarco.h"

namespace {

constexpr const char* kEtiqueta = "Error en Actualiza BD :";
constexpr const char* kBorraIndicePlantilla =
    "DROP INDEX idxIdPerfil_IdOpcion ON tblAC_PlantillaMenus;";
constexpr const char* kArreglosDependencia[] = {
    "UPDATE tblDp_Config SET Enviar_DEV=0 WHERE (Enviar_DEV IS NULL);",
    "UPDATE tblDp_Config SET Dp_CEDIS=0 WHERE (Dp_CEDIS IS NULL);",
    "UPDATE tblDp_Config SET Dp_NVE=0 WHERE (Dp_NVE IS NULL);",
    "UPDATE tblDp_Config SET Dp_FAC=0 WHERE (Dp_FAC IS NULL);",
    "UPDATE tblDp_Config SET CC_Activa=0 WHERE (CC_Activa IS NULL);",
    "UPDATE tblDp_Config SET CC_Timer=30 WHERE (CC_Timer IS NULL) OR (CC_Timer=0);",
};

// The satellite update's logging trap. A fix-up cut short by a lost connection is logged
// too, and makes the update fail: it cannot count as done.
class Trampa {
 public:
  explicit Trampa(bool& bResultado) : resultado_(bResultado) {}
  void operator()(const std::function<void()>& accion) const {
    try {
      accion();
    } catch (const vb::Error& error) {
      EscribeEntradaLog(kEtiqueta, error.Number(), error.Description());
      if (ado::EsConexionPerdida(error)) resultado_ = false;
    }
  }

 private:
  bool& resultado_;
};

// The menu template's index is dropped before the synchronisation, on a connection of its
// own, and again after it.
void BorraIndiceDePlantilla(const Trampa& trampa, const std::string& sCadenaConexion) {
  ado::Connection cnx;
  trampa([&] { AbreConexion(cnx, sCadenaConexion); });
  trampa([&] { cnx.Execute(kBorraIndicePlantilla); });
  trampa([&] { cnx.Close(); });
}

}  // namespace

bool frmActIngreso::ActualizaBD(std::uint8_t iEstructuraBaseDeDatos,
                                const std::string& sCadenaConexion, std::int16_t iVersionActual,
                                std::int16_t iVersionDestino, std::int16_t iManejador) {
  lblMensaje.Caption =
      "Revisando estructura para versión " + TextoDeVersion(iVersionActual) + "...";
  Refresh();
  bool bResultado = true;
  const Trampa trampa(bResultado);
  if (iEstructuraBaseDeDatos == EstructuraAdministrador)
    BorraIndiceDePlantilla(trampa, sCadenaConexion);

  bool bExisteError = false;
  if (iManejador == ManejadorSQLServer || iManejador == ManejadorMySQL)
    mBaseDatos->CrearBaseDeDatos(sCadenaConexion, iManejador, mNombreBaseDatos, bExisteError,
                                 lblMensaje, mAgregaDefault, iEstructuraBaseDeDatos);
  if (bExisteError) return false;

  // Nothing of the kind's fix-ups can run without the database.
  ado::Connection cnx;
  try {
    AbreConexion(cnx, sCadenaConexion);
  } catch (const vb::Error& error) {
    EscribeEntradaLog(kEtiqueta, error.Number(), error.Description());
    return false;
  }
  if (iEstructuraBaseDeDatos == EstructuraConsultorio) {
    if (iVersionActual == 500)
      trampa([&] {
        ModificarEstructura50_CA(sCadenaConexion, iManejador, mNombreBaseDatos, lblMensaje);
      });
    if (iVersionActual <= 910 && iVersionDestino >= 910)
      trampa([&] {
        ModificarEstructura91_CA(sCadenaConexion, iManejador, mNombreBaseDatos, lblMensaje);
      });
  } else if (iEstructuraBaseDeDatos == EstructuraAdministrador) {
    trampa([&] { cnx.Execute(kBorraIndicePlantilla); });
    if (iVersionActual == 500) trampa([&] { ModificarEstructura70_AC(cnx, iManejador); });
    trampa([&] { ModificarEstructura80_AC(cnx, iManejador, iVersionActual); });
    trampa([&] { ModificarEstructura89_AC(cnx, iManejador, iVersionActual); });
  } else if (iEstructuraBaseDeDatos == EstructuraDependencia) {
    for (const char* sql : kArreglosDependencia) trampa([&] { cnx.Execute(sql); });
  }

  lblMensaje.Caption = "Estructura modificada a versión " + TextoDeVersion(iVersionDestino) + ".";
  Refresh();
  return bResultado;
}
