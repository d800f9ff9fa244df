#include "steps/PermisosMenu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"

namespace {

using prueba::Entrada;
using prueba::SinFilas;
using ::testing::ElementsAre;
using vb::Variant;

constexpr const char* kCerrado = "Operation is not allowed when the object is closed.";

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
TEST_F(PermisosMenu, TemplateDecidedByProfile0AndUsersNotLookedUp) {
  db_.Responde(ConsultaPlantilla(179, 0, 10), {{"COD_PERFIL"}, {{0}}});
  db_.Responde(ConsultaPlantilla(181, 0, 11), SinFilas({"COD_PERFIL"}));
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
                          Plantilla(0, 181, "mnuTabReg", "Regímenes Fiscales", 160, 11),
                          Plantilla(1, 181, "mnuTabReg", "Regímenes Fiscales", 160, 11),
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
  db_.Responde(permiso.seleccionUsuarios, {{"COD_USU"}, {{Variant::Null()}, {"CAJA"}}});
  db_.Falla(Plantilla(0, 217, "mnuSisConfigKi", "Configurar Kiosco", 210, 11), -2147217873, "dup");
  r_.ArmaManejador();
  OtorgaMenu(r_, permiso);
  EXPECT_EQ(r_.EstadoManejador(), Rutina::Manejador::Ninguno);
  EXPECT_THAT(db_.Textos(),
              ElementsAre(ConsultaPlantilla(217, 0, 11),
                          Plantilla(0, 217, "mnuSisConfigKi", "Configurar Kiosco", 210, 11),
                          Plantilla(1, 217, "mnuSisConfigKi", "Configurar Kiosco", 210, 11),
                          permiso.seleccionUsuarios,
                          "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                          "('CAJA',217,'mnuSisConfigKi');"));
  EXPECT_EQ(log_.Contenido(), Entrada("Error en Prueba :", -2147217873, "dup") +
                                  Entrada("Error en Prueba :", 94, "Invalid use of Null"));

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
            Entrada(etiqueta, 94, "Invalid use of Null") + Entrada(etiqueta, 3704, kCerrado) +
                Entrada(etiqueta, 94, "Invalid use of Null") + Entrada(etiqueta, 3704, kCerrado));
}

// Profiles 0 and 1 by name; the profiles that hold the related option without a lookup,
// a refused duplicate ignored; users by their profile's template and their own rows.
TEST_F(PermisosMenu, TemplateByNameAndUsersByTheirProfile) {
  auto porNombre = [](int perfil) {
    return "SELECT * FROM tblPlantillaMenus WHERE (COD_PERFIL=" + std::to_string(perfil) +
           ") AND (MODULO_EDICION=11) AND (NOMBRE_OPCION='mnuCatModif') ORDER BY ORDEN_MENU;";
  };
  auto perfilTiene = [](const char* perfil) {
    return std::string("SELECT COD_PERFIL FROM tblPlantillaMenus WHERE COD_PERFIL=") + perfil +
           " AND (ORDEN_MENU=146) AND (NOMBRE_OPCION='mnuCatModif') ;";
  };
  auto usuarioTiene = [](const char* usuario) {
    return std::string("SELECT COD_USUARIO FROM tblMenusFF WHERE COD_USUARIO='") + usuario +
           "' AND (ORDEN_MENU=146) AND (NOMBRE_OPCION='mnuCatModif') ;";
  };
  const char* relacionados =
      "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE (COD_PERFIL>1) AND (MODULO_EDICION=11) AND "
      "(NOMBRE_OPCION='mnuCatPaq') ORDER BY ORDEN_MENU;";
  const char* usuarios = "SELECT * FROM tblUsuarios WHERE (ESTATUS < 8) ORDER BY COD_USU;";
  db_.Responde(porNombre(0), {{"COD_PERFIL"}, {{0}}});
  db_.Responde(porNombre(1), SinFilas({"COD_PERFIL"}));
  db_.Responde(relacionados, {{"COD_PERFIL"}, {{2}, {3}}});
  db_.Falla(Plantilla(3, 146, "mnuCatModif", "Modificadores", 140, 11), -2147217873, "dup");
  db_.Responde(usuarios, {{"COD_USU", "TIP_USU"}, {{"ANA", 0}, {"BETO", 4}, {"CARLA", 1}}});
  db_.Responde(perfilTiene("0"), {{"COD_PERFIL"}, {{0}}});
  db_.Responde(perfilTiene("4"), SinFilas({"COD_PERFIL"}));
  db_.Responde(perfilTiene("1"), {{"COD_PERFIL"}, {{1}}});
  db_.Responde(usuarioTiene("ANA"), SinFilas({"COD_USUARIO"}));
  db_.Responde(usuarioTiene("BETO"), SinFilas({"COD_USUARIO"}));
  db_.Responde(usuarioTiene("CARLA"), {{"COD_USUARIO"}, {{"CARLA"}}});
  r_.ArmaManejador();
  OtorgaMenu(r_, {.opcion = "mnuCatModif",
                  .titulo = "Modificadores",
                  .rama = 140,
                  .modulos = {{11, 146}},
                  .plantilla = PlantillaMenu::PorNombre,
                  .perfiles = {0, 1},
                  .opcionHermana = "mnuCatPaq",
                  .usuarios = MenusDeUsuario::SegunPerfil});
  EXPECT_THAT(
      db_.Textos(),
      ElementsAre(porNombre(0), porNombre(1),
                  Plantilla(1, 146, "mnuCatModif", "Modificadores", 140, 11), relacionados,
                  Plantilla(2, 146, "mnuCatModif", "Modificadores", 140, 11),
                  Plantilla(3, 146, "mnuCatModif", "Modificadores", 140, 11), usuarios,
                  perfilTiene("0"), usuarioTiene("ANA"),
                  "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
                  "('ANA',146,'mnuCatModif');",
                  perfilTiene("4"), usuarioTiene("BETO"), perfilTiene("1"), usuarioTiene("CARLA")));
  EXPECT_FALSE(log_.Existe()) << "the refused duplicate of profile 3 is not an error";
  EXPECT_EQ(db_.Ejecuciones()[0].opciones, ado::adCmdText);
}

// A user whose code cannot be read is passed over: the code still held is the previous
// user's, and the option must not go to that user under the other user's profile.
TEST_F(PermisosMenu, AUserCodeThatCannotBeReadIsPassedOver) {
  const char* usuarios = "SELECT * FROM tblUsuarios WHERE (ESTATUS < 8) ORDER BY COD_USU;";
  const std::string perfil0 =
      "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE COD_PERFIL=0 AND (ORDEN_MENU=146) AND "
      "(NOMBRE_OPCION='mnuCatModif') ;";
  const std::string anaTiene =
      "SELECT COD_USUARIO FROM tblMenusFF WHERE COD_USUARIO='ANA' AND (ORDEN_MENU=146) AND "
      "(NOMBRE_OPCION='mnuCatModif') ;";
  const std::string insercionAna =
      "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
      "('ANA',146,'mnuCatModif');";
  db_.Responde(usuarios, {{"COD_USU", "TIP_USU"}, {{"ANA", 0}, {Variant::Null(), 1}}});
  db_.Responde(perfil0, {{"COD_PERFIL"}, {{0}}});
  db_.Responde(prueba::EmpiezaCon("SELECT COD_PERFIL FROM tblPlantillaMenus WHERE COD_PERFIL=1"),
               {{"COD_PERFIL"}, {{1}}});
  db_.Responde(anaTiene, SinFilas({"COD_USUARIO"}));
  db_.Responde(prueba::Contiene("(NOMBRE_OPCION='mnuCatPaq')"), SinFilas({"COD_PERFIL"}));
  r_.ArmaManejador();
  OtorgaMenu(r_, {.opcion = "mnuCatModif",
                  .titulo = "Modificadores",
                  .rama = 140,
                  .modulos = {{11, 146}},
                  .plantilla = PlantillaMenu::PorNombre,
                  .perfiles = {},
                  .opcionHermana = "mnuCatPaq",
                  .usuarios = MenusDeUsuario::SegunPerfil});
  std::vector<std::string> deUsuarios;
  for (const std::string& texto : db_.Textos())
    if (texto == usuarios || !deUsuarios.empty()) deUsuarios.push_back(texto);
  EXPECT_THAT(deUsuarios, ElementsAre(usuarios, perfil0, anaTiene, insercionAna));
  EXPECT_EQ(log_.Contenido(), Entrada("Error en Prueba :", 94, "Invalid use of Null"));
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
