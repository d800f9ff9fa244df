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

namespace {

constexpr RellenoNulo kRellenoOfertasAgr = {"tblOfertasAgr", "CAT_AGR", "0"};

constexpr std::array<RellenoNulo, 6> kRellenosTC = {{
    {"tblBitacoraTC", "APROBACION_MOV", "''"},
    {"tblBitacoraTC", "PROPINA_MOVTC", "0"},
    {"tblTemporalesTC", "APROBACION_MOV", "''"},
    {"tblTemporalesTC", "PROPINA_MOVTC", "0"},
    {"tblTCTerminales", "ID_CLIENTE", "''"},
    {"tblCajas", "PRINT_TC", "''"},
}};

constexpr const char* kPermisosHost =
    "INSERT INTO tblPerfilPermisos (COD_PERFIL,PV_CAMBIARPRECIO,PV_LIMPIARSALIR,"
    "PV_CANCELARVEN,PV_DESCUENTO,PV_REIMPRIMIR,PV_BORRARESPERA,PV_FORMASPAGO,PV_AUTORIZARCXC,"
    "PV_AUTORIZARALM,FF_PWCOMANDAS,CP_TRASPRESUP,CP_AUTORIZAREQS,CP_AUTORIZAOCOM,"
    "CP_AUTORIZAREMS,CP_AUTORIZARECP,CP_SURTIRREQS,CP_AUTORIZARCXP,GT_AUTORIZARGTOS,"
    "GT_AUTORIZARTESOR,GT_CANCELARCONCIL,GT_REABRIRCONCIL,PV_BORRARMODULO,CP_BORRARMODULO,"
    "GT_BORRARMODULO,PV_BLOQUEARAPAR,FF_MOVSMESACUENTA,CP_COMPLEMENTO) VALUES (";
constexpr const char* kCerosHost = ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0);";

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

// The code of the HOST profile: the existing one, or a new one (the highest code plus one,
// 6 in an empty table) that is added. When it cannot be established (a lookup or the
// reading of a code fails, or the next code does not fit), the cause is logged and there
// is none: a HOST user must never fall back on profile 0 or on another profile's code.
std::optional<std::int16_t> PerfilHost(Rutina& r) {
  std::int16_t iPerfil = 0;
  bool bNuevo = false;
  const std::optional<vb::Error> falla = r.Intenta([&] {
    ado::Recordset rs = r.Abre("SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST';");
    if (r.ConFilas(rs)) {
      r.Lee(iPerfil, rs, "COD_PERFIL");
    } else {
      r.Cierra(rs);
      rs = r.Abre("SELECT MAX(COD_PERFIL) AS MAXPERFIL FROM tblPerfiles;");
      const vb::Variant maximo = r.ConFilas(rs) ? Campo(rs, "MAXPERFIL") : vb::Variant::Null();
      iPerfil = maximo.IsNull() ? 6 : vb::CInt(vb::Variant(vb::CLng(maximo) + 1));
      bNuevo = true;
    }
    r.Cierra(rs);
  });
  if (falla) {
    EscribeEntradaLog(r.Etiqueta(), falla->Number(),
                      falla->Description() + " (no se pudo establecer el perfil HOST: no se "
                                             "agregan sus permisos ni el usuario HOST)");
    return std::nullopt;
  }
  if (bNuevo)
    r.Ejecuta("INSERT INTO tblPerfiles (COD_PERFIL,DES_PERFIL) VALUES (" +
              std::to_string(iPerfil) + ",'HOST');");
  return iPerfil;
}

// The HOST profile with a permission row of zeros, and the user HOST of that profile.
void AseguraHost(Rutina& r) {
  const std::optional<std::int16_t> perfil = PerfilHost(r);
  if (!perfil) return;
  const std::string p = std::to_string(*perfil);
  r.EjecutaSiFalta("SELECT COD_PERFIL FROM tblPerfilPermisos WHERE COD_PERFIL=" + p + ";",
                   kPermisosHost + p + kCerosHost);
  r.EjecutaSiFalta("SELECT COD_USU FROM tblUsuarios WHERE COD_USU='HOST';",
                   "INSERT INTO tblUsuarios (COD_USU,NOM_USU,ESTATUS,TIP_USU,PASS1_USU,PASS2_USU,"
                   "COM_USU,MAX_DES) VALUES ('HOST','HOST',0," +
                       p + ",'Hq3WzK8rTbM=','Hq3WzK8rTbM=',0,0);");
}

}  // namespace

void ModificarEstructura61(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura61", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatClientes", "MAIL_CFD", 255));
  ReparaRenglonesFactura(r, iManejador);
  r.Ejecuta(SentenciaRellenoNulo(kRellenoOfertasAgr));
  RellenaNulos(r, kRellenosTerminalesTC);
  r.Ejecuta("DELETE FROM tblProveedoresTC WHERE (COD_PROVTC=2);");
  AseguraHost(r);
  RellenaNulos(r, kRellenosTC);
  r.Ejecuta("DELETE FROM tblProveedoresTC WHERE (COD_PROVTC=3);");
  r.Ejecuta("DELETE FROM tblTcPromociones;");
  ReparaCaducidadInvFisico(r, iManejador);
  r.RegistraVersion(614);
}
