#include "frame/modPrincipal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "data/clsBaseDatos.h"  // the dialect codes
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

TEST(ProgramWideVariables, StartEmptyOrZero) {
  EXPECT_EQ(gDirElegido, "");
  EXPECT_EQ(gRutaLog, "");
  EXPECT_EQ(gHoraInicio, vb::DateTime{});
  EXPECT_EQ(gHoraFin, vb::DateTime{});
  EXPECT_EQ(gIdEmpresa, "");
  EXPECT_EQ(gCadenaConexion, "");
  EXPECT_EQ(gManejadorDatos, 0);
}

TEST(MuestraError, ShowsTheNumberInTheTitleAndTheDescriptionOnItsOwnLine) {
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);
  ui.Responde(ui::Respuesta::OK);
  MuestraError(vb::Variant(std::int32_t{3704}), vb::Variant("Cerrado"));
  MuestraError(vb::Variant(-2147467259), vb::Variant::Null());
  ASSERT_EQ(ui.cajas.size(), 2u);
  EXPECT_EQ(ui.cajas[0].titulo, "Error 3704");
  EXPECT_EQ(ui.cajas[0].prompt, "Ocurrió un error:\r\nCerrado");
  EXPECT_EQ(ui.cajas[0].botones, ui::Botones::OK);
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Exclamacion);
  EXPECT_EQ(ui.cajas[1].titulo, "Error -2147467259");
  EXPECT_EQ(ui.cajas[1].prompt, "Ocurrió un error:\r\n");
}

class LeeIniTest : public ::testing::Test {
 protected:
  void EscribeIni(const std::string& nombre, const std::string& contenido) {
    std::ofstream(carpeta_.Ruta() + "/" + nombre, std::ios::binary) << contenido;
  }

  prueba::CarpetaTemporal carpeta_;
};

TEST_F(LeeIniTest, ReadsTrimmedValuesOfTheSuitesFile) {
  const std::string largo = std::string(250, 'a') + "    " + std::string(46, 'b');
  EscribeIni("Dorvex.INI", "[CODIGOBARRA]\r\n"
                           "LONGITUD=   12   \r\n"
                           "VACIA=\r\n"
                           "LARGA=" + largo + "\r\n");
  const std::string ruta = carpeta_.Ruta();
  const struct {
    const char* seccion;
    const char* llave;
    std::string esperado;
  } casos[] = {
      {"CODIGOBARRA", "LONGITUD", "12"},
      {"CodigoBarra", "longitud", "12"},
      {"CODIGOBARRA", "VACIA", ""},
      {"CODIGOBARRA", "CODIGO", "(error)"},
      {"OTRA", "LONGITUD", "(error)"},
      // Cut to 254 characters, then the blanks that end the piece go too.
      {"CODIGOBARRA", "LARGA", std::string(250, 'a')},
  };
  for (const auto& c : casos)
    EXPECT_EQ(LeeIni(c.seccion, c.llave, ruta), c.esperado) << c.seccion << "/" << c.llave;
}

TEST_F(LeeIniTest, FindsTheFileWhateverTheCaseOfItsName) {
  EscribeIni("DORVEX.INI", "[CODIGOBARRA]\nCODIGO=20\n");
  EXPECT_EQ(LeeIni("CODIGOBARRA", "CODIGO", carpeta_.Ruta()), "20");
}

TEST_F(LeeIniTest, MissingFileGivesErrorText) {
  EXPECT_EQ(LeeIni("CODIGOBARRA", "CODIGO", carpeta_.Ruta()), "(error)");
  EXPECT_EQ(LeeIni("CODIGOBARRA", "CODIGO", carpeta_.Ruta() + "/no-existe"), "(error)");
}

TEST(ExisteTablaMySql, FindsTheSatelliteUserTablesByTheirExactName) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::TestDatabase db;
  ado::Connection cnx;
  cnx.Open(db.CadenaConexion());
  EXPECT_FALSE(ExisteTablaAC(cnx, ManejadorMySQL));  // no table at all
  EXPECT_FALSE(ExisteTablaDp(cnx, ManejadorMySQL));
  db.EjecutaSql("CREATE TABLE tblAC_Usuarios (Id_Usuario INT);"
                "CREATE TABLE tblDp_Usuarios_Respaldo (Id_Usuario INT);");
  EXPECT_TRUE(ExisteTablaAC(cnx, ManejadorMySQL));
  EXPECT_FALSE(ExisteTablaDp(cnx, ManejadorMySQL));
  db.EjecutaSql("CREATE TABLE TBLDP_USUARIOS (Id_Usuario INT);");
  EXPECT_TRUE(ExisteTablaDp(cnx, ManejadorMySQL));
}

// sp_tables lists qualifier, owner, name, type and remarks; the name is the third column.
prueba::Resultado ListadoSpTables(std::vector<const char*> tablas) {
  prueba::Resultado listado;
  listado.columnas = {"TABLE_QUALIFIER", "TABLE_OWNER", "TABLE_NAME", "TABLE_TYPE", "REMARKS"};
  for (const char* tabla : tablas)
    listado.filas.push_back({"velmar", "dbo", tabla, "TABLE", vb::Variant::Null()});
  return listado;
}

TEST(ExisteTablaSqlServer, ListsTablesWithSpTablesForEveryCodeButMySql) {
  const struct {
    std::int16_t codigo;
    std::vector<const char*> tablas;
    bool ac;
    bool dp;
  } casos[] = {
      {ManejadorSQLServer, {"tblAC_Usuarios", "tblVersion"}, true, false},
      {ManejadorSQLServer, {"TBLDP_USUARIOS"}, false, true},
      {ManejadorSQLServer, {"tblAC_Usuarios2", "dbo.tblDp_Usuarios"}, false, false},
      {ManejadorSQLServer, {}, false, false},
      {ManejadorAccess, {"tblac_usuarios", "tbldp_usuarios"}, true, true},
  };
  for (const auto& c : casos) {
    prueba::RecordingProvider proveedor;
    proveedor.Responde("EXEC sp_tables;", ListadoSpTables(c.tablas));
    ado::Connection cnx;
    cnx.Open("Provider=SQLOLEDB.1;Data Source=servidor;Initial Catalog=velmar");
    EXPECT_EQ(ExisteTablaAC(cnx, c.codigo), c.ac) << c.codigo << ", " << c.tablas.size();
    EXPECT_EQ(ExisteTablaDp(cnx, c.codigo), c.dp) << c.codigo << ", " << c.tablas.size();
    EXPECT_THAT(proveedor.Textos(), ::testing::ElementsAre("EXEC sp_tables;", "EXEC sp_tables;"));
    EXPECT_EQ(proveedor.Ejecuciones().front().opciones, ado::adCmdUnspecified);
  }
}

TEST(ExisteTablaSqlServer, ARejectedListingRaisesToTheCaller) {
  prueba::RecordingProvider proveedor;
  proveedor.Falla("EXEC sp_tables;", ado::adErrSyntax, "Invalid SQL statement");
  ado::Connection cnx;
  cnx.Open("Provider=SQLOLEDB.1;Data Source=servidor;Initial Catalog=velmar");
  try {
    ExisteTablaAC(cnx, ManejadorAccess);
    FAIL() << "no error raised";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number(), ado::adErrSyntax);
    EXPECT_EQ(e.Description(), "Invalid SQL statement");
  }
}

}  // namespace
