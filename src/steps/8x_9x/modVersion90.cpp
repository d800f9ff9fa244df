#include "steps/8x_9x/modVersion90.h"

#include <array>
#include <string>

#include "steps/8x_9x/FacturacionWeb.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

// The fills and grants of 9.0, in the order they are sent; the same text to every
// engine. The null fills of the permissions come before the grants to profile 0, and the
// till scheme goes from Null to 0 before 0 becomes 1.
constexpr std::array<const char*, 16> kSentencias90 = {
    "UPDATE tblParamFarmacias SET REP_RESPSANIT=0 WHERE REP_RESPSANIT IS NULL;",
    "UPDATE tblEmpresa SET IMGBIT_TICKET='' WHERE IMGBIT_TICKET IS NULL;",
    "UPDATE tblEmpresa SET IMGBIT_TICKETPIE='' WHERE IMGBIT_TICKETPIE IS NULL;",
    "UPDATE tblServiciosElec SET FACTWEB_DESIEPS=0 WHERE FACTWEB_DESIEPS IS NULL;",
    "UPDATE tblServiciosElec SET FACTWEB_CTE='' WHERE FACTWEB_CTE IS NULL;",
    "UPDATE tblPerfilPermisos SET CP_AUTORIZARCANC=0 WHERE CP_AUTORIZARCANC IS NULL;",
    "UPDATE tblAreasImpresion SET STS_AIM=0 WHERE STS_AIM IS NULL;",
    "UPDATE tblPerfilPermisos SET CP_AUTCOMPLEMENTO=0 WHERE CP_AUTCOMPLEMENTO IS NULL;",
    "UPDATE tblPerfilPermisos SET CP_AUTCANCELARECP=0 WHERE CP_AUTCANCELARECP IS NULL;",
    "UPDATE tblPerfilPermisos SET CP_AUTORIZARCANC=1 WHERE COD_PERFIL=0;",
    "UPDATE tblPerfilPermisos SET CP_AUTCOMPLEMENTO=1 WHERE COD_PERFIL=0;",
    "UPDATE tblPerfilPermisos SET CP_AUTCANCELARECP=1 WHERE COD_PERFIL=0;",
    "UPDATE tblGralVentas SET COD_CLI='PUBLIC' WHERE (COD_CLI IS NULL);",
    "UPDATE tblGralVentas SET COD_CLI='PUBLIC' WHERE (COD_CLI='');",
    "UPDATE tblCajas SET TIPO_ESQUEMA=0 WHERE VEN_CAJ=0 AND TIPO_ESQUEMA IS NULL;",
    "UPDATE tblCajas SET TIPO_ESQUEMA=1 WHERE VEN_CAJ=0 AND TIPO_ESQUEMA=0;",
};

}  // namespace

void ModificarEstructura90(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura90", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblBitacoraAntibioticos", "MED_RECETA", 70));
  for (const char* sentencia : kSentencias90) r.Ejecuta(sentencia);
  r.Ejecuta(std::string("UPDATE tblServiciosElec SET FACTWEB_URL='") +
            kFacturacionWebPredeterminada + "';");
  r.RegistraVersion(900);
}
