#include "steps/PermisosMenu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"

namespace {

using prueba::Entrada;
using prueba::SinFilas;
using ::testing::ElementsAre;
using vb::Variant;

constexpr const char* kCerrado = prueba::kObjetoCerrado;

class PermisosMenu : public prueba::RutinaGrabada {
 protected:
  Rutina r_{cnx_, "Prueba", ManejadorMySQL};
};

std::string Plantilla(int perfil, int orden, const char* opcion, const char* titulo, int rama,
                      int modulo) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" +
         std::to_string(perfil) + "," + std::to_string(orden) + ",'" + opcion + "','" + titulo +
         "'," + std::to_string(rama) + "," + std::to_string(modulo) + ");";
}

TEST_F(PermisosMenu, TemplatePerProfileWithoutUserRows) {
  db_.Responde(ConsultaPlantilla(3, 0, 60), {{"COD_PERFIL"}, {{0}}});
  db_.Responde(ConsultaPlantilla(3, 1, 60), SinFilas({"COD_PERFIL"}));
  r_.ArmaManejador();
  OtorgaMenu(r_, {.opcion = "mnuArchivoAgregarEmp",
                  .titulo = "Agregar Empresa",
                  .rama = 1,
                  .modulos = {{60, 3}},
                  .plantilla = PlantillaMenu::PorPerfil,
                  .perfiles = {0, 1}});
  EXPECT_THAT(db_.Textos(),
              ElementsAre("SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=3) AND (COD_PERFIL=0) "
                          "AND (MODULO_EDICION=60);",
                          ConsultaPlantilla(3, 1, 60),
                          Plantilla(1, 3, "mnuArchivoAgregarEmp", "Agregar Empresa", 1, 60)));
  EXPECT_FALSE(log_.Existe());
}

// Profile 0 decides for every profile of its module; users get rows in both per-user
// tables, each with the order number of its module, without any check.
// Profile 0's row stands for the grant and goes in last; the other profiles are added where
// missing (here profile 1 of module 11 is there already, as a run cut short leaves it).
TEST_F(PermisosMenu, TemplateDecidedByProfile0AndUsersNotLookedUp) {
  db_.Responde(ConsultaPlantilla(179, 0, 10), {{"COD_PERFIL"}, {{0}}});
  db_.Responde(ConsultaPlantilla(181, 0, 11), SinFilas({"COD_PERFIL"}));
  db_.Responde(ConsultaPlantilla(181, 1, 11), {{"COD_PERFIL"}, {{1}}});
  db_.Responde("SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);",
               {{"COD_USU", "TIP_USU"}, {{"ADMIN", 0}, {"D'ANGELO", 1}}});
  r_.ArmaManejador();
  OtorgaMenu(r_, {.opcion = "mnuTabReg",
                  .titulo = "Regímenes Fiscales",
                  .rama = 160,
                  .modulos = {{10, 179}, {11, 181}},
                  .plantilla = PlantillaMenu::SegunPerfil0,
                  .perfiles = {0, 1},
                  .usuarios = MenusDeUsuario::SinBuscar,
                  .seleccionUsuarios = "SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);"});
  EXPECT_THAT(db_.Textos(),
              ElementsAre(ConsultaPlantilla(179, 0, 10), ConsultaPlantilla(181, 0, 11),
                          ConsultaPlantilla(181, 1, 11),
                          Plantilla(0, 181, "mnuTabReg", "Regímenes Fiscales", 160, 11),
                          "SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);",
                          "INSERT INTO tblMenusPV (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                          "('ADMIN',179,'mnuTabReg');",
                          "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                          "('ADMIN',181,'mnuTabReg');",
                          "INSERT INTO tblMenusPV (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                          "('D''ANGELO',179,'mnuTabReg');",
                          "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                          "('D''ANGELO',181,'mnuTabReg');"));
}

// A module that names its own parent puts it in its template rows, in either template
// variant; a module that names none keeps the grant's.
TEST_F(PermisosMenu, AParentPerModule) {
  for (const auto& [orden, modulo] : {std::pair{69, 10}, {67, 11}, {5, 60}})
    db_.Responde(ConsultaPlantilla(orden, 0, modulo), SinFilas({"COD_PERFIL"}));
  r_.ArmaManejador();
  for (PlantillaMenu plantilla : {PlantillaMenu::PorPerfil, PlantillaMenu::SegunPerfil0}) {
    const std::size_t antes = db_.Textos().size();
    OtorgaMenu(r_, {.opcion = "mnuAlmFisCont",
                    .titulo = "Generar Conteo",
                    .rama = 1,
                    .modulos = {{10, 69, 64}, {11, 67, 63}, {60, 5}},
                    .plantilla = plantilla,
                    .perfiles = {0}});
    const std::vector<std::string> textos = db_.Textos();
    EXPECT_THAT(std::vector<std::string>(textos.begin() + static_cast<long>(antes), textos.end()),
                ElementsAre(ConsultaPlantilla(69, 0, 10),
                            Plantilla(0, 69, "mnuAlmFisCont", "Generar Conteo", 64, 10),
                            ConsultaPlantilla(67, 0, 11),
                            Plantilla(0, 67, "mnuAlmFisCont", "Generar Conteo", 63, 11),
                            ConsultaPlantilla(5, 0, 60),
                            Plantilla(0, 5, "mnuAlmFisCont", "Generar Conteo", 1, 60)));
  }
  EXPECT_FALSE(log_.Existe());
}

// Lookups and row steps run without a handler, inserts under it.
TEST_F(PermisosMenu, OnlyTheInsertsUnderTheHandler) {
  const PermisoMenu permiso{
      .opcion = "mnuSisConfigKi",
      .titulo = "Configurar Kiosco",
      .rama = 210,
      .modulos = {{11, 217}},
      .plantilla = PlantillaMenu::SegunPerfil0,
      .perfiles = {0, 1},
      .usuarios = MenusDeUsuario::SinBuscar,
      .seleccionUsuarios = "SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);",
      .manejo = ManejoDelPermiso::SoloInserciones};
  db_.Responde(ConsultaPlantilla(217, 0, 11), SinFilas({"COD_PERFIL"}));
  db_.Responde(ConsultaPlantilla(217, 1, 11), SinFilas({"COD_PERFIL"}));
  db_.Responde(permiso.seleccionUsuarios, {{"COD_USU"}, {{Variant::Null()}, {"CAJA"}}});
  db_.Falla(Plantilla(0, 217, "mnuSisConfigKi", "Configurar Kiosco", 210, 11), -2147217873, "dup");
  r_.ArmaManejador();
  OtorgaMenu(r_, permiso);
  EXPECT_EQ(r_.EstadoManejador(), Rutina::Manejador::Ninguno);
  EXPECT_THAT(db_.Textos(),
              ElementsAre(ConsultaPlantilla(217, 0, 11), ConsultaPlantilla(217, 1, 11),
                          Plantilla(1, 217, "mnuSisConfigKi", "Configurar Kiosco", 210, 11),
                          Plantilla(0, 217, "mnuSisConfigKi", "Configurar Kiosco", 210, 11),
                          permiso.seleccionUsuarios,
                          "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                          "('CAJA',217,'mnuSisConfigKi');"));
  EXPECT_EQ(log_.Contenido(), Entrada("Error en Prueba :", -2147217873, "dup") +
                                  Entrada("Error en Prueba :", 94, prueba::kNuloNoValido));

  // A lookup that fails is not handled: it reaches the caller.
  db_.Falla(ConsultaPlantilla(217, 0, 11), -2147217900, "no table");
  r_.ArmaManejador();
  EXPECT_THROW(OtorgaMenu(r_, permiso), vb::Error);
}

TEST_F(PermisosMenu, UsersLookedUpByOrderNumber) {
  const char* seleccion = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU < 3;";
  db_.Responde(ConsultaPlantilla(68, 0, 10), {{"COD_PERFIL"}, {{0}}});
  db_.Responde(seleccion, {{"COD_USU"}, {{"U1"}, {"U2"}, {Variant::Null()}}});
  db_.Responde("SELECT * FROM tblMenusPV WHERE (COD_USUARIO='U1') AND (ORDEN_MENU=68);",
               {{"ORDEN_MENU"}, {{68}}});
  db_.Responde("SELECT * FROM tblMenusPV WHERE (COD_USUARIO='U2') AND (ORDEN_MENU=68);",
               SinFilas({"ORDEN_MENU"}));
  r_.ArmaManejador();
  OtorgaMenu(r_, {.opcion = "mnuAlmSeg",
                  .titulo = "Segmentables",
                  .rama = 60,
                  .modulos = {{10, 68}},
                  .plantilla = PlantillaMenu::PorPerfil,
                  .perfiles = {0},
                  .usuarios = MenusDeUsuario::BuscandoOrden,
                  .seleccionUsuarios = seleccion});
  EXPECT_THAT(db_.Textos(),
              ElementsAre(ConsultaPlantilla(68, 0, 10), seleccion,
                          "SELECT * FROM tblMenusPV WHERE (COD_USUARIO='U1') AND (ORDEN_MENU=68);",
                          "SELECT * FROM tblMenusPV WHERE (COD_USUARIO='U2') AND (ORDEN_MENU=68);",
                          "INSERT INTO tblMenusPV (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                          "('U2',68,'mnuAlmSeg');"));
  // The user with a Null code: its lookup, test, insert and close fail in turn.
  const std::string etiqueta = "Error en Prueba :";
  EXPECT_EQ(log_.Contenido(),
            Entrada(etiqueta, 94, prueba::kNuloNoValido) + Entrada(etiqueta, 3704, kCerrado) +
                Entrada(etiqueta, 94, prueba::kNuloNoValido) + Entrada(etiqueta, 3704, kCerrado));
}

TEST_F(PermisosMenu, WithoutUsersNoUserRowIsSent) {
  const char* seleccion = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<=2;";
  db_.Responde(prueba::EmpiezaCon("SELECT * FROM tblPlantillaMenus"), {{"COD_PERFIL"}, {{0}}});
  db_.Responde(seleccion, SinFilas({"COD_USU"}));
  r_.ArmaManejador();
  OtorgaMenu(r_, {.opcion = "mnuCarFacServ",
                  .titulo = "Facturación de Servicios",
                  .rama = 40,
                  .modulos = {{10, 47}, {11, 47}},
                  .plantilla = PlantillaMenu::PorPerfil,
                  .perfiles = {0},
                  .usuarios = MenusDeUsuario::SinBuscar,
                  .seleccionUsuarios = seleccion});
  EXPECT_THAT(db_.Textos(),
              ElementsAre(ConsultaPlantilla(47, 0, 10), ConsultaPlantilla(47, 0, 11), seleccion));
  EXPECT_FALSE(log_.Existe());
}

}  // namespace
