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
        PlantillaSegunPerfil0(m);
        break;
    }
  }

  // Profile 0's row stands for the whole grant, so it goes in last: a run cut short
  // part-way leaves it missing, and the next run adds the other profiles' rows that are
  // still missing without doubling those already there.
  void PlantillaSegunPerfil0(const ModuloDeMenu& m) {
    ado::Recordset rs = r_.Abre(ConsultaPlantilla(m.orden, 0, m.modulo));
    if (r_.SinFilas(rs)) {
      for (int perfil : p_.perfiles)
        if (perfil != 0) PlantillaSiFalta(ConsultaPlantilla(m.orden, perfil, m.modulo), {perfil}, m);
      Inserta([&] { r_.Ejecuta(InsercionPlantilla(p_, 0, m)); });
    }
    r_.Cierra(rs);
  }

  void PlantillaSiFalta(const std::string& consulta, const std::vector<int>& perfiles,
                        const ModuloDeMenu& m) {
    ado::Recordset rs = r_.Abre(consulta);
    if (r_.SinFilas(rs))
      Inserta([&] {
        for (int perfil : perfiles) r_.Ejecuta(InsercionPlantilla(p_, perfil, m));
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

  Rutina& r_;
  const PermisoMenu& p_;
};

std::string TextoPlantilla(const PermisoMenu& permiso, const std::string& perfil, int orden,
                           int rama, int modulo) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" + perfil + "," + std::to_string(orden) + ",'" +
         permiso.opcion + "','" + permiso.titulo + "'," + std::to_string(rama) + "," +
         std::to_string(modulo) + ");";
}

}  // namespace

std::string ConsultaPlantilla(int orden, int perfil, int modulo) {
  return "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=" + std::to_string(orden) +
         ") AND (COD_PERFIL=" + std::to_string(perfil) +
         ") AND (MODULO_EDICION=" + std::to_string(modulo) + ");";
}

std::string InsercionPlantilla(const PermisoMenu& permiso, const std::string& perfil, int orden,
                               int modulo) {
  return TextoPlantilla(permiso, perfil, orden, permiso.rama, modulo);
}

std::string InsercionPlantilla(const PermisoMenu& permiso, int perfil, int orden, int modulo) {
  return InsercionPlantilla(permiso, std::to_string(perfil), orden, modulo);
}

std::string InsercionPlantilla(const PermisoMenu& permiso, int perfil, const ModuloDeMenu& m) {
  return TextoPlantilla(permiso, std::to_string(perfil), m.orden, m.rama.value_or(permiso.rama),
                        m.modulo);
}

std::string InsercionMenuUsuario(const std::string& tabla, const std::string& sUsuario, int orden,
                                 const std::string& opcion) {
  return "INSERT INTO " + tabla + " (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + sUsuario +
         "'," + std::to_string(orden) + ",'" + opcion + "');";
}

void OtorgaMenu(Rutina& r, const PermisoMenu& permiso) { Otorgamiento(r, permiso).Otorga(); }
