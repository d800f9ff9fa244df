#include "steps/5x/modVersion59.h"

#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

void ModificarEstructura59(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura59", iManejador);
  r.ArmaManejador();

  r.Ejecuta(CambiaColumna(iManejador, "tblCatArticulos", "PTO_MAR", TipoMoneda(iManejador)));
  r.Ejecuta(CambiaColumna(iManejador, "tblPrecios", "PTO_MAR", TipoMoneda(iManejador)));

  r.RegistraVersion(590);
}

void ActualizaCamposVersion59(ado::Connection& cnx) {
  Rutina r(cnx, "ActualizaCamposVersion59");
  r.ArmaManejador();

  OtorgaMenu(r, {.opcion = "mnuCarFacServ",
                 .titulo = "Facturación de Servicios",
                 .rama = 40,
                 .modulos = {{10, 47}, {11, 47}},
                 .plantilla = PlantillaMenu::PorPerfil,
                 .perfiles = {0},
                 .usuarios = MenusDeUsuario::SinBuscar,
                 .seleccionUsuarios = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<=2;"});

  r.RegistraVersion(590);
}
