#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/6x_7x/modVersion64_70.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;
using prueba::Resultado;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kPaquetesSinFecha =
    "SELECT Nombre_Paquete FROM tblAC_Paquetes WHERE (Fecha_Crea IS NULL)";
constexpr const char* kDisparador = "SELECT * FROM tblAC_DpDisparador;";

// Names of 25 characters (one with a quote), Null, 5 and 19 characters.
const Resultado kNombres = {{"Nombre_Paquete"},
                            {{Variant("Dp000120240105_093000.zip")},
                             {Variant::Null()},
                             {Variant("Dp01.")},
                             {Variant("20231231_235959.zip")},
                             {Variant("Dp02'X20240301_120000.zip")}}};

// What follows the widenings for SQL Server and MS Access alike, up to the trigger
// table, which is empty here.
std::vector<std::string> Fijos(const std::vector<std::string>& ampliaciones,
                               const std::string& hora) {
  std::vector<std::string> s = ampliaciones;
  s.insert(s.end(), {
      kPaquetesSinFecha,
      "UPDATE tblAC_Paquetes SET Fecha_Crea='20240105' WHERE "
      "Nombre_Paquete='Dp000120240105_093000.zip';",
      "UPDATE tblAC_Paquetes SET Fecha_Crea='20231231' WHERE Nombre_Paquete='20231231_235959.zip';",
      "UPDATE tblAC_Paquetes SET Fecha_Crea='20240301' WHERE "
      "Nombre_Paquete='Dp02''X20240301_120000.zip';",
      "UPDATE tblAC_Paquetes SET Carga=0 WHERE (Carga IS NULL);",
      "UPDATE tblAC_Paquetes SET Tam_Bytes=0 WHERE (Tam_Bytes IS NULL);",
      "UPDATE tblAC_Paquetes SET Fecha_Procesa=Fecha WHERE (Fecha_Procesa IS NULL);",
      "UPDATE tblAC_Dependencias SET Sede='' WHERE (Sede IS NULL);",
      "UPDATE tblAC_Dependencias SET ListaDePrecios=0 WHERE (ListaDePrecios IS NULL);",
      "UPDATE tblAC_Dependencias SET SAP='' WHERE (SAP IS NULL);",
      "UPDATE tblAC_Dependencias SET Version_Dp=0 WHERE (Version_Dp IS NULL);",
      kDisparador,
      "INSERT INTO tblAC_DpDisparador (EventoPV,PorTiempo,PorDia,PorSemana,EnLinea,Evento_Activo) "
      "VALUES(3,0," + hora + ",0,0,0);",
      "UPDATE tblAC_Usuarios SET ESTATUS_USUARIO=0, PASW_USUARIO='Lp6DxV2sNcU=' WHERE "
      "Id_Usuario='NORVALE';"});
  return s;
}

struct CasoDeMotor {
  const char* nombre;
  std::int16_t iManejador;
  std::vector<std::string> sentencias;
};

void PrintTo(const CasoDeMotor& caso, std::ostream* os) { *os << caso.nombre; }

class Administrador70Grabada : public prueba::RutinaGrabada,
                               public ::testing::WithParamInterface<CasoDeMotor> {};

// SQL Server and MS Access: no zero date in either package query or fill; a name too
// short for a date or Null gets no UPDATE; names go in quoted.
TEST_P(Administrador70Grabada, Statements) {
  db_.Responde(kPaquetesSinFecha, kNombres);
  db_.Responde(kDisparador, prueba::SinFilas({"EventoPV"}));
  ModificarEstructura70_AC(cnx_, GetParam().iManejador);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_THAT(db_.Textos(), ElementsAreArray(GetParam().sentencias));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Administrador70Grabada,
    ::testing::Values(
        CasoDeMotor{"SqlServer", ManejadorSQLServer,
                    Fijos({"ALTER TABLE tblAC_Menus ALTER COLUMN Id_Usuario VARCHAR(30) NOT NULL;",
                           "ALTER TABLE tblAC_Usuarios ALTER COLUMN Id_Usuario VARCHAR(30) NOT "
                           "NULL;",
                           "ALTER TABLE tblAC_Usuarios ALTER COLUMN Passw_Usuario VARCHAR(60) NOT "
                           "NULL;",
                           "ALTER TABLE tblAC_BitacoraEventos ALTER COLUMN Usuario VARCHAR(30) NOT "
                           "NULL;"},
                          "'01:00:00'")},
        CasoDeMotor{"MsAccess", ManejadorAccess,
                    Fijos({"ALTER TABLE tblAC_Menus ALTER COLUMN Id_Usuario TEXT(30);",
                           "ALTER TABLE tblAC_Usuarios ALTER COLUMN Id_Usuario TEXT(30);",
                           "ALTER TABLE tblAC_Usuarios ALTER COLUMN Passw_Usuario TEXT(60);",
                           "ALTER TABLE tblAC_BitacoraEventos ALTER COLUMN Usuario TEXT(30);"},
                          "#01:00:00#")}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Nothing is logged and nothing leaves, whatever fails; a trigger table that cannot be
// read gets the six fills, not the default row.
TEST(Administrador70Silencioso, NoFailureLeavesOrIsLogged) {
  prueba::RunLogDePrueba log;
  prueba::RecordingProvider db;
  ado::Connection cnx;
  cnx.Open("DSN=Grabada");
  db.Falla([](const std::string&) { return true; }, -2147217900, "refused");
  EXPECT_NO_THROW(ModificarEstructura70_AC(cnx, ManejadorSQLServer));
  EXPECT_FALSE(log.Existe()) << log.Contenido();
  const std::vector<std::string> textos = db.Textos();
  EXPECT_EQ(std::count_if(textos.begin(), textos.end(),
                          [](const std::string& t) {
                            return t.rfind("UPDATE tblAC_DpDisparador SET", 0) == 0;
                          }),
            6);
  EXPECT_EQ(std::count_if(textos.begin(), textos.end(),
                          [](const std::string& t) { return t.rfind("INSERT", 0) == 0; }),
            0);
  EXPECT_EQ(textos.back(),
            "UPDATE tblAC_Usuarios SET ESTATUS_USUARIO=0, PASW_USUARIO='Lp6DxV2sNcU=' WHERE "
            "Id_Usuario='NORVALE';");
}

// ------------------------------------------------------------ on MariaDB

class Administrador70 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/administrador_500.sql");
  }
  Filas Ancho(const char* tabla, const char* campo) const {
    return Consulta(std::string("SELECT CHARACTER_MAXIMUM_LENGTH FROM information_schema.COLUMNS "
                                "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME='") +
                    tabla + "' AND COLUMN_NAME='" + campo + "'");
  }
  Filas Paquetes() const {
    return Consulta("SELECT Id_Paquete, Fecha_Crea, Fecha_Procesa, Carga, Tam_Bytes FROM "
                    "tblAC_Paquetes ORDER BY Id_Paquete");
  }
};

// Packages named with a date get it; a short or Null name stays undated, also right after
// a dated one; a dated package that shares its name with an undated one takes the date of
// the name.
const Filas kPaquetesFechados = {{"1", "2024-01-05", "2024-01-06", "0", "0"},
                                 {"2", "NULL", "2024-01-08", "1", "2048"},
                                 {"3", "NULL", "2024-01-09", "0", "0"},
                                 {"4", "2023-12-31", "2024-01-01", "0", "0"},
                                 {"5", "2024-01-05", "2024-02-03", "1", "4096"},
                                 {"6", "2024-03-01", "2024-03-02", "0", "0"}};

TEST_F(Administrador70, EmptyTriggerTable) {
  ModificarEstructura70_AC(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Ancho("tblAC_Menus", "Id_Usuario"), (Filas{{"30"}}));
  EXPECT_EQ(Ancho("tblAC_Usuarios", "Id_Usuario"), (Filas{{"30"}}));
  EXPECT_EQ(Ancho("tblAC_Usuarios", "Passw_Usuario"), (Filas{{"60"}}));
  EXPECT_EQ(Ancho("tblAC_BitacoraEventos", "Usuario"), (Filas{{"30"}}));
  EXPECT_EQ(Paquetes(), kPaquetesFechados);
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_Dependencias ORDER BY Id_Dp"),
            (Filas{{"1", "", "0", "", "0"}, {"2", "Norte", "2", "S1", "952"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_DpDisparador"),
            (Filas{{"3", "0", "01:00:00", "0", "0", "0"}}));
  // This database names its password column Passw_Usuario: the reset fails, unseen.
  EXPECT_EQ(Consulta("SELECT Id_Usuario, Passw_Usuario, ESTATUS_USUARIO FROM tblAC_Usuarios "
                     "ORDER BY 1"),
            (Filas{{"ADMIN", "clave", "1"}, {"NORVALE", "vieja", "2"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"500"}}));
}

// A trigger table with rows gets its Null settings filled and no new row; the service
// account of a database with PASW_USUARIO is reset. A second run changes nothing more.
TEST_F(Administrador70, FilledTriggerTableAndTheServiceAccount) {
  bd_->EjecutaSql(
      "INSERT INTO tblAC_DpDisparador VALUES (NULL, 5, NULL, NULL, 1, NULL), (2, 0, '03:30:00', "
      "1, 0, 1);"
      "ALTER TABLE tblAC_Usuarios CHANGE Passw_Usuario PASW_USUARIO VARCHAR(20) NOT NULL "
      "DEFAULT '';");
  ModificarEstructura70_AC(cnx_, ManejadorMySQL);
  ModificarEstructura70_AC(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_DpDisparador ORDER BY PorTiempo DESC"),
            (Filas{{"3", "5", "01:00:00", "0", "1", "0"}, {"2", "0", "03:30:00", "1", "0", "1"}}));
  EXPECT_EQ(Consulta("SELECT Id_Usuario, PASW_USUARIO, ESTATUS_USUARIO FROM tblAC_Usuarios "
                     "ORDER BY 1"),
            (Filas{{"ADMIN", "clave", "1"}, {"NORVALE", "Lp6DxV2sNcU=", "0"}}));
  EXPECT_EQ(Paquetes(), kPaquetesFechados);
}

}  // namespace
