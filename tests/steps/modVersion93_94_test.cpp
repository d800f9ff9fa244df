#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoVersiones9x.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion93.h"
#include "steps/8x_9x/modVersion94.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::kRechazada;
using ::testing::ElementsAre;

constexpr const char* kNoExiste =
    "Cannot drop the table 'tblPedidosRest', because it does not exist";

// ------------------------------------------------------------ 9.3

class Version93Grabada : public prueba::RutinaGrabada,
                         public ::testing::WithParamInterface<std::int16_t> {};

// SQL Server and MS Access are asked to drop the table plainly; a missing table gives one
// entry and the fills follow.
TEST_P(Version93Grabada, TheDropWithoutIfExists) {
  db_.Falla("DROP TABLE tblPedidosRest;", kRechazada, kNoExiste);
  ModificarEstructura93(cnx_, GetParam(), 920, 952);
  EXPECT_THAT(prueba::SinVersion(db_.Textos()),
              ElementsAre("DROP TABLE tblPedidosRest;",
                          "UPDATE tblEncPedidosRest SET TIPO_ENTREGA=0 WHERE TIPO_ENTREGA IS NULL;",
                          "UPDATE tblEncPedidosRest SET STS_ENTREGA=0 WHERE STS_ENTREGA IS NULL;",
                          "UPDATE tblEncPedidosRest SET COD_MESA='' WHERE COD_MESA IS NULL;"));
  EXPECT_EQ(log_.Contenido(), Entrada("Error en ModificarEstructura93 :", kRechazada, kNoExiste));
}

INSTANTIATE_TEST_SUITE_P(Engines, Version93Grabada,
                         ::testing::Values(ManejadorSQLServer, ManejadorAccess));

class Version93 : public prueba::BaseEn90 {};

// On MySQL the drop is asked "IF EXISTS": no entry whether the table is there or not.

TEST_F(Version93, FromTheFixtureAndAgain) {
  ModificarEstructura93(cnx_, ManejadorMySQL, 920, 952);
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM information_schema.TABLES WHERE "
                     "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='tblPedidosRest'"),
            (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT TIPO_ENTREGA, STS_ENTREGA, COD_MESA FROM tblEncPedidosRest "
                     "ORDER BY FOLIO"),
            (Filas{{"0", "0", ""}, {"2", "12", "M4"}}));
  EXPECT_EQ(Version(), (Filas{{"930", "0"}}));
  ModificarEstructura93(cnx_, ManejadorMySQL, 930, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"930", "0"}}));
}

// ------------------------------------------------------------ 9.4

constexpr const char* kEtiqueta94 = "Error en ModificarEstructura94 :";
constexpr const char* kPermisos =
    "UPDATE tblPerfilPermisos SET PV_CAMBIARPRECIO=1,PV_LIMPIARSALIR=1,PV_CANCELARVEN=1,"
    "PV_DESCUENTO=1,PV_REIMPRIMIR=1,PV_BORRARESPERA=1,PV_FORMASPAGO=1,PV_AUTORIZARCXC=1,"
    "PV_AUTORIZARALM=1,FF_PWCOMANDAS=1,CP_TRASPRESUP=1,CP_AUTORIZAREQS=1,CP_AUTORIZAOCOM=1,"
    "CP_AUTORIZAREMS=1,CP_AUTORIZARECP=1,CP_SURTIRREQS=1,CP_AUTORIZARCXP=1,GT_AUTORIZARGTOS=1,"
    "GT_AUTORIZARTESOR=1,GT_CANCELARCONCIL=1,GT_REABRIRCONCIL=1,PV_BORRARMODULO=1,"
    "CP_BORRARMODULO=1,GT_BORRARMODULO=1,PV_BLOQUEARAPAR=1,FF_MOVSMESACUENTA=1,CP_COMPLEMENTO=1,"
    "CP_AUTORIZARCANC=1,CP_AUTCOMPLEMENTO=1,CP_AUTCANCELARECP=1 WHERE COD_PERFIL=0;";

class Version94Grabada : public prueba::RutinaGrabada {};

// The five drops are sent plainly on SQL Server; none of their failures is logged, while a
// failure before them and one after them (the version row) are.
TEST_F(Version94Grabada, TheDropsAreSilentTheRestIsLogged) {
  db_.Falla(prueba::EmpiezaCon("DROP TABLE"), kRechazada, "Cannot drop the table");
  db_.Falla(kPermisos, kRechazada, "Invalid column name 'CP_AUTCANCELARECP'");
  db_.Falla("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (940,0);", kRechazada,
            "Invalid object name 'tblVersion'");
  ModificarEstructura94(cnx_, ManejadorSQLServer, 930, 952);

  std::vector<std::string> drops;
  for (const std::string& s : db_.Textos())
    if (s.rfind("DROP", 0) == 0) drops.push_back(s);
  EXPECT_THAT(drops,
              ElementsAre("DROP TABLE MGW10008;", "DROP TABLE MGW10038;", "DROP TABLE MGW10039;",
                          "DROP TABLE POLIZASVERIFICADAS;", "DROP TABLE SINCPOLIZAS;"));
  EXPECT_EQ(log_.Contenido(),
            Entrada(kEtiqueta94, kRechazada, "Invalid column name 'CP_AUTCANCELARECP'") +
                Entrada(kEtiqueta94, kRechazada, "Invalid object name 'tblVersion'"));
}

class Version94 : public prueba::BaseEn90 {};

TEST_F(Version94, FromTheFixture) {
  ModificarEstructura94(cnx_, ManejadorMySQL, 930, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"940", "0"}}));

  EXPECT_EQ(Consulta("SELECT COD_CLI FROM tblListasPrecios ORDER BY COD_LISTA"),
            (Filas{{""}, {"CLI01"}}));
  EXPECT_EQ(Consulta("SELECT TAG_ADCLI, FORMATO_ADCLI, DATO_ADCLI FROM tblAdendaClientes "
                     "ORDER BY COD_CLI"),
            (Filas{{"", "", ""}, {"Pedido", "N", "42"}}));
  EXPECT_EQ(Consulta("SELECT IMG_FONDO FROM tblCajas ORDER BY COD_CAJA"),
            (Filas{{""}, {"fondo.png"}}));
  // Profile 0 holds all 30 authorisations and nothing else changed; profile 1 is untouched.
  const Filas perfil1 = {{"1", "0", "NULL", "NULL", "1"}};
  const std::string columnas =
      "PV_CAMBIARPRECIO+PV_LIMPIARSALIR+PV_CANCELARVEN+PV_DESCUENTO+"
      "PV_REIMPRIMIR+PV_BORRARESPERA+PV_FORMASPAGO+PV_AUTORIZARCXC+PV_AUTORIZARALM+FF_PWCOMANDAS+"
      "CP_TRASPRESUP+CP_AUTORIZAREQS+CP_AUTORIZAOCOM+CP_AUTORIZAREMS+CP_AUTORIZARECP+"
      "CP_SURTIRREQS+CP_AUTORIZARCXP+GT_AUTORIZARGTOS+GT_AUTORIZARTESOR+GT_CANCELARCONCIL+"
      "GT_REABRIRCONCIL+PV_BORRARMODULO+CP_BORRARMODULO+GT_BORRARMODULO+PV_BLOQUEARAPAR+"
      "FF_MOVSMESACUENTA+CP_COMPLEMENTO+CP_AUTORIZARCANC+CP_AUTCOMPLEMENTO+CP_AUTCANCELARECP";
  EXPECT_EQ(Consulta("SELECT COD_PERFIL, " + columnas +
                     ", PV_VERCOSTOS FROM tblPerfilPermisos "
                     "WHERE COD_PERFIL=0"),
            (Filas{{"0", "30", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_PERFIL, PV_CAMBIARPRECIO, PV_LIMPIARSALIR, CP_AUTCANCELARECP, "
                     "PV_DESCUENTO FROM tblPerfilPermisos WHERE COD_PERFIL=1"),
            perfil1);
  EXPECT_EQ(Consulta("SELECT TABLE_NAME FROM information_schema.TABLES WHERE "
                     "TABLE_SCHEMA=DATABASE() AND TABLE_NAME IN ('MGW10008', 'MGW10038', "
                     "'MGW10039', 'POLIZASVERIFICADAS', 'SINCPOLIZAS')"),
            Filas{});
}

// Without a profile-0 row nothing is added; run again, the drops find no table and still
// write nothing to the log.
TEST_F(Version94, WithoutProfileZeroAndAgain) {
  bd_->EjecutaSql("DELETE FROM tblPerfilPermisos WHERE COD_PERFIL=0;");
  ModificarEstructura94(cnx_, ManejadorMySQL, 930, 952);
  ModificarEstructura94(cnx_, ManejadorMySQL, 940, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COD_PERFIL FROM tblPerfilPermisos"), (Filas{{"1"}}));
  EXPECT_EQ(Version(), (Filas{{"940", "0"}}));
}

}  // namespace
