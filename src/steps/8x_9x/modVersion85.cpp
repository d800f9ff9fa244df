#include "steps/8x_9x/modVersion85.h"

#include <string>

#include "steps/8x_9x/RevisionRegistrosDefault.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

namespace {

// The closing option, as the template and the per-user menus carry it.
const PermisoMenu kCierre{.opcion = "mnuSisCierre", .titulo = "Cierre", .rama = 210};

// The currency of the electronic invoices: the abbreviation of currency 1, "MXN" when
// there is none. Read before the handler is armed, so a table that cannot be read stops
// the step; an abbreviation that is Null counts as not set, or it would stop every run
// here for good.
std::string TextoDeMoneda(Rutina& r) {
  std::string sMoneda;
  ado::Recordset rs = r.Abre("SELECT ABREVIA FROM tblMonedas WHERE COD_MON=1;");
  if (r.ConFilas(rs)) {
    const vb::Variant abrevia = Campo(rs, "ABREVIA");
    if (!abrevia.IsNull()) sMoneda = vb::CStr(abrevia);
  }
  r.Cierra(rs);
  return sMoneda.empty() ? "MXN" : sMoneda;
}

// A Null profile is no profile 0.
bool EsPerfil0(const vb::Variant& perfil) { return !perfil.IsNull() && vb::CLng(perfil) == 0; }

// The option's template rows for profiles 0, 1 and 2: all three when the module has none,
// 1 and 2 when the highest profile that has it is 0.
void PlantillaDeCierre(Rutina& r, int orden, int modulo) {
  const std::string sOrden = std::to_string(orden);
  const std::string sModulo = std::to_string(modulo);
  ado::Recordset rs = r.Abre("SELECT * FROM tblPlantillaMenus WHERE ORDEN_MENU=" + sOrden +
                             " AND MODULO_EDICION=" + sModulo + " ORDER BY COD_PERFIL DESC;");
  if (r.SinFilas(rs)) {
    for (int perfil : {0, 1, 2}) r.Ejecuta(InsercionPlantilla(kCierre, perfil, orden, modulo));
  } else if (r.Si([&] { return EsPerfil0(Campo(rs, "COD_PERFIL")); })) {
    for (int perfil : {1, 2}) r.Ejecuta(InsercionPlantilla(kCierre, perfil, orden, modulo));
  }
  r.Cierra(rs);
}

// The user's row of the option in one per-user menu, when the user has no row of that
// order there (whatever its option name).
void MenuDeCierre(Rutina& r, const std::string& tabla, int orden, const vb::Variant& usuario) {
  ado::Recordset rs = r.Abre([&] {
    return "SELECT * FROM " + tabla + " WHERE ORDEN_MENU=" + std::to_string(orden) +
           " AND COD_USUARIO='" + r.Une(usuario) + "';";
  });
  if (r.SinFilas(rs)) r.Ejecuta(InsercionMenuUsuario(tabla, r.Une(usuario), orden, kCierre.opcion));
  r.Cierra(rs);
}

// Users of kinds 0, 1 and 2. A user without a code has no menus to complete. The users'
// lookup is left to go with the routine, unclosed.
void UsuariosConCierre(Rutina& r) {
  ado::Recordset rs = r.Abre("SELECT COD_USU FROM tblUsuarios WHERE TIP_USU IN(0,1,2);");
  if (r.ConFilas(rs))
    r.Recorre(rs, [&] {
      vb::Variant usuario;
      if (!r.Lee(usuario, rs, "COD_USU") || usuario.IsNull()) return;
      MenuDeCierre(r, "tblMenusPV", 216, usuario);
      MenuDeCierre(r, "tblMenusFF", 218, usuario);
    });
}

}  // namespace

void ModificarEstructura85(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura85", iManejador);
  if (iVersionActual == 850)
    modVersion85::RevisarRegistrosDefault(cnx, iManejador, iVersionDestino);
  const std::string sMoneda = TextoDeMoneda(r);

  r.ArmaManejador();
  r.Ejecuta("UPDATE tblCatClientes SET ID_CTAPAGO=0 WHERE (ID_CTAPAGO IS NULL);");
  r.Ejecuta("UPDATE tblFacturaElectronica SET TIPO_MONEDA='" + r.Une(sMoneda) +
            "' WHERE TIPO_MONEDA IN('MN','M.N.');");
  r.Ejecuta("UPDATE tblFacturasEnc SET USO_CFDI='P01' WHERE (USO_CFDI IS NULL);");
  r.Ejecuta("UPDATE tblFacturasEnc SET USO_CFDI='P01' WHERE (USO_CFDI='');");
  r.Ejecuta("UPDATE tblFacturasRen SET IMPINT_REN=0 WHERE (IMPINT_REN IS NULL);");
  PlantillaDeCierre(r, 216, 10);
  PlantillaDeCierre(r, 218, 11);
  UsuariosConCierre(r);
  r.RegistraVersion(850);
}

void modVersion85::RevisarRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                                           std::int16_t iVersionDestino) {
  RevisaRegistrosDefault(cnx, iManejador, iVersionDestino, kRevision85);
}
