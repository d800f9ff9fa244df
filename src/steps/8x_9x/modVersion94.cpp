#include "steps/8x_9x/modVersion94.h"

#include <array>

#include "steps/8x_9x/RecodificaEnImporte.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

constexpr std::array<const char*, 5> kRellenos94 = {
    "UPDATE tblListasPrecios SET COD_CLI='' WHERE COD_CLI IS NULL;",
    "UPDATE tblAdendaClientes SET TAG_ADCLI='' WHERE TAG_ADCLI IS NULL;",
    "UPDATE tblAdendaClientes SET FORMATO_ADCLI='' WHERE FORMATO_ADCLI IS NULL;",
    "UPDATE tblAdendaClientes SET DATO_ADCLI='' WHERE DATO_ADCLI IS NULL;",
    "UPDATE tblCajas SET IMG_FONDO='' WHERE IMG_FONDO IS NULL;",
};

// Profile 0 gets the 30 authorisations of sales, purchases and expenses; no row is made
// for it when it has none.
constexpr const char* kPermisosPerfil0 =
    "UPDATE tblPerfilPermisos SET PV_CAMBIARPRECIO=1,PV_LIMPIARSALIR=1,PV_CANCELARVEN=1,"
    "PV_DESCUENTO=1,PV_REIMPRIMIR=1,PV_BORRARESPERA=1,PV_FORMASPAGO=1,PV_AUTORIZARCXC=1,"
    "PV_AUTORIZARALM=1,FF_PWCOMANDAS=1,CP_TRASPRESUP=1,CP_AUTORIZAREQS=1,CP_AUTORIZAOCOM=1,"
    "CP_AUTORIZAREMS=1,CP_AUTORIZARECP=1,CP_SURTIRREQS=1,CP_AUTORIZARCXP=1,GT_AUTORIZARGTOS=1,"
    "GT_AUTORIZARTESOR=1,GT_CANCELARCONCIL=1,GT_REABRIRCONCIL=1,PV_BORRARMODULO=1,"
    "CP_BORRARMODULO=1,GT_BORRARMODULO=1,PV_BLOQUEARAPAR=1,FF_MOVSMESACUENTA=1,"
    "CP_COMPLEMENTO=1,CP_AUTORIZARCANC=1,CP_AUTCOMPLEMENTO=1,CP_AUTCANCELARECP=1"
    " WHERE COD_PERFIL=0;";

// The tables of the former accounting link.
constexpr std::array<const char*, 5> kTablasContables = {"MGW10008", "MGW10038", "MGW10039",
                                                         "POLIZASVERIFICADAS", "SINCPOLIZAS"};

}  // namespace

void ModificarEstructura94(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura94", iManejador);
  r.ArmaManejador();
  for (const char* sentencia : kRellenos94) r.Ejecuta(sentencia);
  r.Ejecuta(kPermisosPerfil0);
  for (const char* sentencia : kRecodificaEnImporte) r.Ejecuta(sentencia);

  // Most databases never had these tables: a drop that fails is of no interest.
  r.Silencioso();
  for (const char* tabla : kTablasContables) r.Ejecuta(BorraTabla(iManejador, tabla));
  r.ArmaManejador();

  r.RegistraVersion(940);
}
