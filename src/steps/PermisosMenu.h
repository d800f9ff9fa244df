#pragma once
// The grant of a menu option: its template rows in tblPlantillaMenus for the profiles
// that are to have it, then its per-user rows (tblMenusPV for module 10, tblMenusFF for
// module 11; module 60 has none) for the users that are to have it. A routine describes
// the grant as its version's grant table does and sends it through its Rutina:
//
//   r.ArmaManejador();
//   OtorgaMenu(r, {.opcion = "mnuTabAreaSurt", .titulo = "Áreas de Surtido", .rama = 160,
//                  .modulos = {{10, 178}},
//                  .plantilla = PlantillaMenu::PorPerfil, .perfiles = {0, 1, 2, 3},
//                  .usuarios = MenusDeUsuario::SinBuscar,
//                  .seleccionUsuarios = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<2;"});
//
// Modules are granted in the order given (template rows of each module, then the per-user
// rows of all of them). Every statement runs under the routine's handler state, except
// with ManejoDelPermiso::SoloInserciones, where lookups, tests, closes and row steps run
// without a handler and only the inserts run armed; the grant then ends without a handler.
#include <optional>
#include <string>
#include <vector>

#include "steps/MarcoRutina.h"

struct ModuloDeMenu {
  int modulo;  // MODULO_EDICION: 10, 11 or 60
  int orden;   // ORDEN_MENU of the option in that module
  // ES_RAMA_DE in that module, for an option whose parent differs per module; without
  // it the grant's own `rama` holds.
  std::optional<int> rama = std::nullopt;
};

enum class PlantillaMenu {
  // Each profile, in the order given, looked up by order number, profile and module
  // and inserted when missing.
  PorPerfil,
  // Profile 0 looked up; when it is missing, every other profile given is inserted where
  // it is missing, then profile 0 (always one of those given).
  SegunPerfil0,
};

enum class MenusDeUsuario {
  Ninguno,
  // For each user of `seleccionUsuarios`, the row inserted into each per-user table
  // without looking (a user with a Null code: each insert fails).
  SinBuscar,
  // As SinBuscar, but each user's row is looked up by user code and order number first.
  BuscandoOrden,
};

enum class ManejoDelPermiso { ComoLaRutina, SoloInserciones };

struct PermisoMenu {
  std::string opcion{};               // NOMBRE_OPCION
  std::string titulo{};               // TITULO_OPCION
  int rama = 0;                       // ES_RAMA_DE (unless the module gives its own)
  std::vector<ModuloDeMenu> modulos{};  // granted in this order
  PlantillaMenu plantilla = PlantillaMenu::PorPerfil;
  std::vector<int> perfiles{};        // COD_PERFIL of the template rows
  MenusDeUsuario usuarios = MenusDeUsuario::Ninguno;
  std::string seleccionUsuarios{};    // SinBuscar, BuscandoOrden: the users' query
  ManejoDelPermiso manejo = ManejoDelPermiso::ComoLaRutina;
};

void OtorgaMenu(Rutina& r, const PermisoMenu& permiso);

// The statement texts of a grant.
std::string ConsultaPlantilla(int orden, int perfil, int modulo);
std::string InsercionPlantilla(const PermisoMenu& permiso, int perfil, int orden, int modulo);
// The same with the profile as read from a row.
std::string InsercionPlantilla(const PermisoMenu& permiso, const std::string& perfil, int orden,
                               int modulo);
// The template row of one module of the grant, with that module's parent.
std::string InsercionPlantilla(const PermisoMenu& permiso, int perfil, const ModuloDeMenu& m);
std::string InsercionMenuUsuario(const std::string& tabla, const std::string& sUsuario, int orden,
                                 const std::string& opcion);
