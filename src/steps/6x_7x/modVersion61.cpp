#include "steps/6x_7x/modVersion61.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "data/clsBaseDatos.h"
#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/RellenaNulos.h"
#include "steps/6x_7x/modVersion60.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/PerfilHost.h"

namespace {

constexpr RellenoNulo kRellenoOfertasAgr = {"tblOfertasAgr", "CAT_AGR", "0"};


// Invoice lines: batch numbers and expiry dates, then a unit price for every line that
// has none (its sale price).
void ReparaRenglonesFactura(Rutina& r, std::int16_t iManejador) {
  const std::string d1 = FechaLiteral(iManejador, 1800, 1, 1);
  r.Ejecuta("UPDATE tblFacturasRen SET NUM_LOT='' WHERE (NUM_LOT IS NULL);");
  r.Ejecuta("UPDATE tblFacturasRen SET FEC_CAD=" + d1 + " WHERE (FEC_CAD IS NULL);");
  if (iManejador == ManejadorMySQL)
    r.Ejecuta("UPDATE tblFacturasRen SET FEC_CAD=" + d1 + " WHERE (FEC_CAD='0000-00-00');");
  r.Ejecuta("UPDATE tblFacturasRen SET PCIO_UNI=0 WHERE (PCIO_UNI IS NULL);");
  r.Ejecuta("UPDATE tblFacturasRen SET PCIO_UNI=PCIO_VEN WHERE (PCIO_UNI=0);");
}

// The HOST profile with a permission row of zeros, and the user HOST of that profile
// (none when the profile's code could not be established).
void AseguraHost(Rutina& r) {
  const std::optional<std::int16_t> perfil = AseguraPerfilHost(r);
  if (!perfil) return;
  const std::string p = std::to_string(*perfil);
  r.EjecutaSiFalta("SELECT COD_USU FROM tblUsuarios WHERE COD_USU='HOST';",
                   "INSERT INTO tblUsuarios (COD_USU,NOM_USU,ESTATUS,TIP_USU,PASS1_USU,PASS2_USU,"
                   "COM_USU,MAX_DES) VALUES ('HOST','HOST',0," +
                       p + ",'Hq3WzK8rTbM=','Hq3WzK8rTbM=',0,0);");
}

}  // namespace

const std::array<RellenoNulo, 6> kRellenosAprobacionesTC = {{
    {"tblBitacoraTC", "APROBACION_MOV", "''"},
    {"tblBitacoraTC", "PROPINA_MOVTC", "0"},
    {"tblTemporalesTC", "APROBACION_MOV", "''"},
    {"tblTemporalesTC", "PROPINA_MOVTC", "0"},
    {"tblTCTerminales", "ID_CLIENTE", "''"},
    {"tblCajas", "PRINT_TC", "''"},
}};

void ModificarEstructura61(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura61", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatClientes", "MAIL_CFD", 255));
  ReparaRenglonesFactura(r, iManejador);
  r.Ejecuta(SentenciaRellenoNulo(kRellenoOfertasAgr));
  RellenaNulos(r, kRellenosTerminalesTC);
  r.Ejecuta("DELETE FROM tblProveedoresTC WHERE (COD_PROVTC=2);");
  AseguraHost(r);
  RellenaNulos(r, kRellenosAprobacionesTC);
  r.Ejecuta("DELETE FROM tblProveedoresTC WHERE (COD_PROVTC=3);");
  r.Ejecuta("DELETE FROM tblTcPromociones;");
  ReparaCaducidadInvFisico(r, iManejador);
  r.RegistraVersion(614);
}
