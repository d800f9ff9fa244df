#include "steps/PerfilHost.h"

#include <string>

#include "platform/vb/Conversions.h"
#include "steps/MarcoRutina.h"

namespace {

constexpr const char* kPermisosHost =
    "INSERT INTO tblPerfilPermisos (COD_PERFIL,PV_CAMBIARPRECIO,PV_LIMPIARSALIR,"
    "PV_CANCELARVEN,PV_DESCUENTO,PV_REIMPRIMIR,PV_BORRARESPERA,PV_FORMASPAGO,PV_AUTORIZARCXC,"
    "PV_AUTORIZARALM,FF_PWCOMANDAS,CP_TRASPRESUP,CP_AUTORIZAREQS,CP_AUTORIZAOCOM,"
    "CP_AUTORIZAREMS,CP_AUTORIZARECP,CP_SURTIRREQS,CP_AUTORIZARCXP,GT_AUTORIZARGTOS,"
    "GT_AUTORIZARTESOR,GT_CANCELARCONCIL,GT_REABRIRCONCIL,PV_BORRARMODULO,CP_BORRARMODULO,"
    "GT_BORRARMODULO,PV_BLOQUEARAPAR,FF_MOVSMESACUENTA,CP_COMPLEMENTO) VALUES (";
constexpr const char* kCerosHost = ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0);";

// The code of the HOST profile: the existing one, or a new one (the highest code plus one,
// 6 in an empty table) that is added.
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
  // A refused insert leaves no HOST profile under that code.
  if (bNuevo && !r.Ejecuta("INSERT INTO tblPerfiles (COD_PERFIL,DES_PERFIL) VALUES (" +
                           std::to_string(iPerfil) + ",'HOST');"))
    return std::nullopt;
  return iPerfil;
}

}  // namespace

std::optional<std::int16_t> AseguraPerfilHost(Rutina& r) {
  const std::optional<std::int16_t> perfil = PerfilHost(r);
  if (!perfil) return std::nullopt;
  const std::string p = std::to_string(*perfil);
  r.EjecutaSiFalta("SELECT COD_PERFIL FROM tblPerfilPermisos WHERE COD_PERFIL=" + p + ";",
                   kPermisosHost + p + kCerosHost);
  return perfil;
}
