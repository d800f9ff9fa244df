#include "steps/PermisosMenu.h"

namespace {

constexpr int kModuloPV = 10;
constexpr int kModuloFF = 11;

std::string TablaDeUsuario(int modulo) {
  if (modulo == kModuloPV) return "tblMenusPV";
  if (modulo == kModuloFF) return "tblMenusFF";
  return {};
}

// Carries out a grant statement by statement, keeping the handler state of its mode.
class Otorgamiento {
 public:
  Otorgamiento(Rutina& r, const PermisoMenu& permiso) : r_(r), p_(permiso) {}

  void Otorga() {
    if (SoloInserciones()) r_.SinManejador();
    for (const ModuloDeMenu& m : p_.modulos) Plantilla(m);
    Usuarios();
  }

 private:
  bool SoloInserciones() const { return p_.manejo == ManejoDelPermiso::SoloInserciones; }

  // The inserts, armed on their own in SoloInserciones.
  void Inserta(const std::function<void()>& inserciones) {
    if (SoloInserciones()) r_.ArmaManejador();
    inserciones();
    if (SoloInserciones()) r_.SinManejador();
  }

  void Plantilla(const ModuloDeMenu& m) {
    switch (p_.plantilla) {
      case PlantillaMenu::PorPerfil:
        for (int perfil : p_.perfiles)
          PlantillaSiFalta(ConsultaPlantilla(m.orden, perfil, m.modulo), {perfil}, m);
        break;
      case PlantillaMenu::SegunPerfil0:
        PlantillaSiFalta(ConsultaPlantilla(m.orden, 0, m.modulo), p_.perfiles, m);
        break;
      case PlantillaMenu::PorNombre:
        PlantillaPorNombre(m);
        break;
    }
  }

  void PlantillaSiFalta(const std::string& consulta, const std::vector<int>& perfiles,
                        const ModuloDeMenu& m, long opciones = ado::adCmdUnspecified) {
    ado::Recordset rs = r_.Abre(consulta, opciones);
    if (r_.SinFilas(rs))
      Inserta([&] {
        for (int perfil : perfiles) r_.Ejecuta(InsercionPlantilla(p_, perfil, m.orden, m.modulo));
      });
    r_.Cierra(rs);
  }

  void PlantillaPorNombre(const ModuloDeMenu& m) {
    const std::string modulo = std::to_string(m.modulo);
    for (int perfil : p_.perfiles)
      PlantillaSiFalta("SELECT * FROM tblPlantillaMenus WHERE (COD_PERFIL=" +
                           std::to_string(perfil) + ") AND (MODULO_EDICION=" + modulo +
                           ") AND (NOMBRE_OPCION='" + p_.opcion + "') ORDER BY ORDEN_MENU;",
                       {perfil}, m, ado::adCmdText);
    ado::Recordset rs = r_.Abre(
        "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE (COD_PERFIL>1) AND (MODULO_EDICION=" +
        modulo + ") AND (NOMBRE_OPCION='" + p_.opcionHermana + "') ORDER BY ORDEN_MENU;");
    r_.Recorre(rs, [&] {
      // A profile that already holds the row is refused by the table's key: not a failure.
      const Rutina::Manejador anterior = r_.EstadoManejador();
      r_.Silencioso();
      r_.Ejecuta([&] {
        return InsercionPlantilla(p_, r_.Une(Campo(rs, "COD_PERFIL")), m.orden, m.modulo);
      });
      r_.EstadoManejador(anterior);
    });
    r_.Cierra(rs);
  }

  void Usuarios() {
    switch (p_.usuarios) {
      case MenusDeUsuario::Ninguno:
        return;
      case MenusDeUsuario::SinBuscar:
      case MenusDeUsuario::BuscandoOrden:
        UsuariosSeleccionados();
        return;
      case MenusDeUsuario::SegunPerfil:
        UsuariosSegunPerfil();
        return;
    }
  }

  void UsuariosSeleccionados() {
    ado::Recordset rs = r_.Abre(p_.seleccionUsuarios);
    if (r_.ConFilas(rs))
      r_.Recorre(rs, [&] {
        const auto usuario = [&] { return r_.UnePropagandoNulo(Campo(rs, "COD_USU")); };
        if (p_.usuarios == MenusDeUsuario::SinBuscar)
          Inserta([&] {
            for (const ModuloDeMenu& m : p_.modulos) InsertaMenuUsuario(m, usuario);
          });
        else
          for (const ModuloDeMenu& m : p_.modulos) MenuUsuarioSiFalta(m, usuario);
      });
    r_.Cierra(rs);
  }

  void InsertaMenuUsuario(const ModuloDeMenu& m, const std::function<std::string()>& usuario) {
    const std::string tabla = TablaDeUsuario(m.modulo);
    if (tabla.empty()) return;
    r_.Ejecuta([&] { return InsercionMenuUsuario(tabla, usuario(), m.orden, p_.opcion); });
  }

  void MenuUsuarioSiFalta(const ModuloDeMenu& m, const std::function<std::string()>& usuario) {
    const std::string tabla = TablaDeUsuario(m.modulo);
    if (tabla.empty()) return;
    ado::Recordset rs = r_.Abre([&] {
      return "SELECT * FROM " + tabla + " WHERE (COD_USUARIO='" + usuario() +
             "') AND (ORDEN_MENU=" + std::to_string(m.orden) + ");";
    });
    if (r_.SinFilas(rs)) Inserta([&] { InsertaMenuUsuario(m, usuario); });
    r_.Cierra(rs);
  }

  // Only module 11 has this variant; its rows go to tblMenusFF with that module's order.
  void UsuariosSegunPerfil() {
    for (const ModuloDeMenu& m : p_.modulos)
      if (m.modulo == kModuloFF) UsuariosSegunPerfil(m);
  }

  void UsuariosSegunPerfil(const ModuloDeMenu& m) {
    const std::string orden = std::to_string(m.orden);
    ado::Recordset rsUsuarios =
        r_.Abre("SELECT * FROM tblUsuarios WHERE (ESTATUS < 8) ORDER BY COD_USU;");
    std::string sUsuario;
    r_.Recorre(rsUsuarios, [&] {
      // A code that cannot be read leaves the previous user's in the variable: the option
      // must not go to that user under this user's profile.
      if (!r_.Lee(sUsuario, rsUsuarios, "COD_USU")) return;
      bool bOtorga = false;
      ado::Recordset rs = r_.Abre(
          [&] {
            return "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE COD_PERFIL=" +
                   r_.Une(Campo(rsUsuarios, "TIP_USU")) + " AND (ORDEN_MENU=" + orden +
                   ") AND (NOMBRE_OPCION='" + p_.opcion + "') ;";
          },
          ado::adCmdText);
      if (r_.ConFilas(rs)) bOtorga = true;
      r_.Cierra(rs);
      rs = r_.Abre("SELECT COD_USUARIO FROM tblMenusFF WHERE COD_USUARIO='" + r_.Une(sUsuario) +
                   "' AND (ORDEN_MENU=" + orden + ") AND (NOMBRE_OPCION='" + p_.opcion + "') ;");
      if (r_.ConFilas(rs)) bOtorga = false;
      r_.Cierra(rs);
      if (bOtorga)
        Inserta([&] {
          r_.Ejecuta(InsercionMenuUsuario("tblMenusFF", r_.Une(sUsuario), m.orden, p_.opcion));
        });
    });
  }

  Rutina& r_;
  const PermisoMenu& p_;
};

}  // namespace

std::string ConsultaPlantilla(int orden, int perfil, int modulo) {
  return "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=" + std::to_string(orden) +
         ") AND (COD_PERFIL=" + std::to_string(perfil) +
         ") AND (MODULO_EDICION=" + std::to_string(modulo) + ");";
}

std::string InsercionPlantilla(const PermisoMenu& permiso, const std::string& perfil, int orden,
                               int modulo) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" + perfil + "," + std::to_string(orden) + ",'" +
         permiso.opcion + "','" + permiso.titulo + "'," + std::to_string(permiso.rama) + "," +
         std::to_string(modulo) + ");";
}

std::string InsercionPlantilla(const PermisoMenu& permiso, int perfil, int orden, int modulo) {
  return InsercionPlantilla(permiso, std::to_string(perfil), orden, modulo);
}

std::string InsercionMenuUsuario(const std::string& tabla, const std::string& sUsuario, int orden,
                                 const std::string& opcion) {
  return "INSERT INTO " + tabla + " (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + sUsuario +
         "'," + std::to_string(orden) + ",'" + opcion + "');";
}

void OtorgaMenu(Rutina& r, const PermisoMenu& permiso) { Otorgamiento(r, permiso).Otorga(); }
