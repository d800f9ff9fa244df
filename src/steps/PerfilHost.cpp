#include "steps/PerfilHost.h"

#include <string>

#include "platform/vb/Conversions.h"
#include "steps/MarcoRutina.h"

namespace {

// An open lookup that answers: a failed opening leaves the recordset closed.
bool Abierto(const ado::Recordset& rs) { return rs.State() == ado::adStateOpen; }

// The code after the highest profile, or 6 when there is none.
std::optional<std::int16_t> SiguientePerfil(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT MAX(COD_PERFIL) AS MAXPERFIL FROM tblPerfiles;");
  std::optional<std::int16_t> codigo;
  if (Abierto(rs)) {
    if (r.SinFilas(rs)) {
      codigo = 6;
    } else {
      r.Paso([&] {
        const vb::Variant maximo = Campo(rs, "MAXPERFIL");
        codigo = maximo.IsNull() ? std::int16_t{6} : vb::CInt(vb::CLng(maximo) + 1);
      });
    }
  }
  r.Cierra(rs);
  return codigo;
}

constexpr const char* kPermisosHost =
    "INSERT INTO tblPerfilPermisos (COD_PERFIL,PV_CAMBIARPRECIO,PV_LIMPIARSALIR,PV_CANCELARVEN,"
    "PV_DESCUENTO,PV_REIMPRIMIR,PV_BORRARESPERA,PV_FORMASPAGO,PV_AUTORIZARCXC,PV_AUTORIZARALM,"
    "FF_PWCOMANDAS,CP_TRASPRESUP,CP_AUTORIZAREQS,CP_AUTORIZAOCOM,CP_AUTORIZAREMS,"
    "CP_AUTORIZARECP,CP_SURTIRREQS,CP_AUTORIZARCXP,GT_AUTORIZARGTOS,GT_AUTORIZARTESOR,"
    "GT_CANCELARCONCIL,GT_REABRIRCONCIL,PV_BORRARMODULO,CP_BORRARMODULO,GT_BORRARMODULO,"
    "PV_BLOQUEARAPAR,FF_MOVSMESACUENTA,CP_COMPLEMENTO) VALUES (";
constexpr const char* kPermisosEnCero = ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0);";

}  // namespace

std::optional<std::int16_t> AseguraPerfilHost(Rutina& r) {
  std::optional<std::int16_t> codigo;
  ado::Recordset rs = r.Abre("SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST';");
  if (!Abierto(rs)) {
    r.Cierra(rs);
    return std::nullopt;
  }
  if (r.ConFilas(rs)) {
    std::int16_t iPerfil = 0;
    if (r.Lee(iPerfil, rs, "COD_PERFIL")) codigo = iPerfil;
    r.Cierra(rs);
  } else {
    r.Cierra(rs);
    codigo = SiguientePerfil(r);
    if (codigo && !r.Ejecuta("INSERT INTO tblPerfiles (COD_PERFIL,DES_PERFIL) VALUES (" +
                             std::to_string(*codigo) + ",'HOST');"))
      codigo.reset();
  }
  if (!codigo) return std::nullopt;
  r.EjecutaSiFalta("SELECT COD_PERFIL FROM tblPerfilPermisos WHERE COD_PERFIL=" +
                       std::to_string(*codigo) + ";",
                   kPermisosHost + std::to_string(*codigo) + kPermisosEnCero);
  return codigo;
}
