// The central-administrator fix-ups of 8.0 and 8.9: the dialect forms as text, the
// versions below 7.0, a failed package lookup; the effect on a kind-11 database.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion89.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;

constexpr long kFalla = -2147217900;
constexpr const char* kEtiqueta = "Error en ModificarEstructura80_AC :";

const std::vector<std::string> kSiempre = {
    "UPDATE tblAC_Dependencias SET IP_Dp='' WHERE (IP_Dp IS NULL);",
    "UPDATE tblAC_Dependencias SET BD_Dp='' WHERE (BD_Dp IS NULL);"};

constexpr const char* kPaquetesSinFecha =
    "SELECT Nombre_Paquete FROM tblAC_Paquetes WHERE (Fecha_Crea IS NULL)";
constexpr const char* kDisparador = "SELECT * FROM tblAC_DpDisparador;";

// From 7.0 on, on SQL Server and MS Access: no zero-date clause anywhere (only MySQL
// keeps zero dates; the others refuse the literal and the whole statement with it).
std::vector<std::string> Sentencias80AC(const std::string& verbo, const std::string& t30,
                                        const std::string& t60, const std::string& hora) {
  std::vector<std::string> s = {
      "ALTER TABLE tblAC_Menus " + verbo + " Id_Usuario " + t30,
      "ALTER TABLE tblAC_Usuarios " + verbo + " Id_Usuario " + t30,
      "ALTER TABLE tblAC_Usuarios " + verbo + " Passw_Usuario " + t60,
      "ALTER TABLE tblAC_BitacoraEventos " + verbo + " Usuario " + t30,
      kPaquetesSinFecha,
      "UPDATE tblAC_Paquetes SET Fecha_Crea='20190305' WHERE "
      "(Nombre_Paquete='SUC01_20190305_120000.xml') AND ((Fecha_Crea IS NULL));",
      "UPDATE tblAC_Paquetes SET Fecha_Crea='20190910' WHERE "
      "(Nombre_Paquete='O''SUC_20190910_111111.xml') AND ((Fecha_Crea IS NULL));",
      "UPDATE tblAC_Paquetes SET Carga=0 WHERE (Carga IS NULL);",
      "UPDATE tblAC_Paquetes SET Tam_Bytes=0 WHERE (Tam_Bytes IS NULL);",
      "UPDATE tblAC_Paquetes SET Fecha_Procesa=Fecha WHERE (Fecha_Procesa IS NULL);",
      "UPDATE tblAC_Dependencias SET Sede='' WHERE (Sede IS NULL);",
      "UPDATE tblAC_Dependencias SET ListaDePrecios=0 WHERE (ListaDePrecios IS NULL);",
      "UPDATE tblAC_Dependencias SET SAP='' WHERE (SAP IS NULL);",
      "UPDATE tblAC_Dependencias SET Version_Dp=0 WHERE (Version_Dp IS NULL);",
      kDisparador,
      "INSERT INTO tblAC_DpDisparador (EventoPV,PorTiempo,PorDia,PorSemana,EnLinea,"
      "Evento_Activo) VALUES(3,0," +
          hora + ",0,0,0);"};
  s.insert(s.end(), kSiempre.begin(), kSiempre.end());
  return s;
}

struct Formas {
  const char* nombre;
  std::int16_t iManejador;
  std::vector<std::string> sentencias;
};

void PrintTo(const Formas& caso, std::ostream* os) { *os << caso.nombre; }

class Formas80AC : public prueba::RutinaGrabada, public ::testing::WithParamInterface<Formas> {
 protected:
  Formas80AC() {
    db_.Responde(kPaquetesSinFecha, {{"Nombre_Paquete"},
                                     {{vb::Variant("SUC01_20190305_120000.xml")},
                                      {vb::Variant("O'SUC_20190910_111111.xml")}}});
    db_.Responde(kDisparador, SinFilas({"EventoPV"}));
  }
};

TEST_P(Formas80AC, StatementsOfTheDialect) {
  ModificarEstructura80_AC(cnx_, GetParam().iManejador, 890);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(GetParam().sentencias));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Formas80AC,
    ::testing::Values(Formas{"SqlServer", ManejadorSQLServer,
                             Sentencias80AC("ALTER COLUMN", "VARCHAR(30) NOT NULL;",
                                            "VARCHAR(60) NOT NULL;", "'01:00:00'")},
                      Formas{
                          "Access", ManejadorAccess,
                          Sentencias80AC("ALTER COLUMN", "TEXT(30);", "TEXT(60);", "#01:00:00#")}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A run that started below 7.0 (a database at 5.0, or one whose version could not be
// read, taken as 6.3) gets only the two fills.
TEST_F(Formas80AC, BelowVersion70OnlyTheTwoFills) {
  for (std::int16_t iVersionActual : {500, 630, 699}) {
    const std::size_t antes = db_.Textos().size();
    ModificarEstructura80_AC(cnx_, ManejadorMySQL, iVersionActual);
    const std::vector<std::string> textos = db_.Textos();
    EXPECT_THAT(std::vector<std::string>(textos.begin() + static_cast<long>(antes), textos.end()),
                ElementsAreArray(kSiempre))
        << iVersionActual;
  }
}

// A package lookup that cannot be opened is logged and its loop left; the fills and the
// trigger row follow.
TEST_F(Formas80AC, FailedPackageLookupLeavesTheLoop) {
  db_.Falla(kPaquetesSinFecha, kFalla, "Table 'tblAC_Paquetes' doesn't exist");
  ModificarEstructura80_AC(cnx_, ManejadorSQLServer, 700);
  const std::vector<std::string> textos = db_.Textos();
  const auto consulta = std::find(textos.begin(), textos.end(), kPaquetesSinFecha);
  ASSERT_NE(consulta, textos.end());
  EXPECT_EQ(*(consulta + 1), "UPDATE tblAC_Paquetes SET Carga=0 WHERE (Carga IS NULL);");
  EXPECT_EQ(textos.back(), kSiempre.back());
  const std::vector<std::string> encabezados = prueba::Encabezados(log_.Contenido());
  ASSERT_FALSE(encabezados.empty());
  EXPECT_EQ(encabezados[0], kEtiqueta + std::to_string(kFalla));
  for (const std::string& e : encabezados) EXPECT_EQ(e.rfind(kEtiqueta, 0), 0u) << e;
}

// ------------------------------------------------------------ on MariaDB

class Administrador : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/administrador_800_890.sql");
  }
  Filas Tipo(const std::string& tabla, const std::string& columna) const {
    return Consulta(
        "SELECT COLUMN_TYPE FROM information_schema.COLUMNS WHERE "
        "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='" +
        tabla + "' AND COLUMN_NAME='" + columna + "'");
  }
  Filas Paquetes() const { return Consulta("SELECT * FROM tblAC_Paquetes ORDER BY 1"); }
  Filas Todo() const {
    Filas filas = Paquetes();
    for (const char* tabla : {"tblAC_Dependencias", "tblAC_DpDisparador", "tblVersion"})
      for (auto& fila : Consulta(std::string("SELECT * FROM ") + tabla + " ORDER BY 1"))
        filas.push_back(fila);
    return filas;
  }
};

// The packages whose names cannot hold a date are logged (5: too short; 94: no name)
// and keep their unset date.
const std::vector<std::string> kNombresSinFecha = {std::string(kEtiqueta) + "5",
                                                   std::string(kEtiqueta) + "94"};

TEST_F(Administrador, FixUpsOf80And89) {
  ModificarEstructura80_AC(cnx_, ManejadorMySQL, 700);

  EXPECT_THAT(prueba::Encabezados(log_.Contenido()), ElementsAreArray(kNombresSinFecha));
  EXPECT_EQ(Tipo("tblAC_Menus", "Id_Usuario"), (Filas{{"varchar(30)"}}));
  EXPECT_EQ(Tipo("tblAC_Usuarios", "Id_Usuario"), (Filas{{"varchar(30)"}}));
  EXPECT_EQ(Tipo("tblAC_Usuarios", "Passw_Usuario"), (Filas{{"varchar(60)"}}));
  EXPECT_EQ(Tipo("tblAC_BitacoraEventos", "Usuario"), (Filas{{"varchar(30)"}}));
  EXPECT_EQ(Paquetes(),
            (Filas{{"1", "SUC01_20190305_120000.xml", "2019-03-05", "0", "0", "2019-03-05",
                    "2019-03-05", "1", "NULL"},
                   {"2", "SUC02_20180101_083000.xml", "2018-01-01", "1", "2048", "2018-01-02",
                    "2018-01-02", "4", "<p/>"},
                   {"3", "SUC03_20170707_000000.xml", "2017-07-08", "0", "10", "2017-07-08",
                    "2017-07-09", "2", ""},
                   {"4", "20200229_101010.xml", "2020-02-29", "0", "0", "2020-02-29", "2020-02-29",
                    "1", "NULL"},
                   {"5", "CORTO.xml", "NULL", "1", "1", "2021-01-01", "2021-01-02", "NULL", "NULL"},
                   {"6", "NULL", "NULL", "1", "1", "2021-01-01", "2021-01-02", "1", ""},
                   {"7", "O'SUC_20190910_111111.xml", "2019-09-10", "1", "1", "2019-09-10",
                    "2019-09-10", "4", ""}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_Dependencias ORDER BY 1"),
            (Filas{{"1", "", "0", "", "0", "", ""},
                   {"2", "NORTE", "2", "S2", "890", "10.0.0.2", "velmar_norte"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_DpDisparador"),
            (Filas{{"3", "0", "01:00:00", "0", "0", "0"}}));

  ModificarEstructura89_AC(cnx_, ManejadorMySQL, 700);

  EXPECT_EQ(Consulta("SELECT Id_Paquete, Envio_Recep, XML_Contenido FROM tblAC_Paquetes "
                     "ORDER BY 1"),
            (Filas{{"1", "4", ""},
                   {"2", "4", "<p/>"},
                   {"3", "2", ""},
                   {"4", "4", ""},
                   {"5", "NULL", ""},
                   {"6", "4", ""},
                   {"7", "4", ""}}));
  EXPECT_THAT(prueba::Encabezados(log_.Contenido()), ElementsAreArray(kNombresSinFecha));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"700"}}));
}

// Run again, everything stays as it is (the trigger row is not doubled); only the two
// names without a date are logged again.
TEST_F(Administrador, SecondRunChangesNothing) {
  ModificarEstructura80_AC(cnx_, ManejadorMySQL, 890);
  ModificarEstructura89_AC(cnx_, ManejadorMySQL, 890);
  const Filas antes = Todo();

  ModificarEstructura80_AC(cnx_, ManejadorMySQL, 890);
  ModificarEstructura89_AC(cnx_, ManejadorMySQL, 890);

  EXPECT_EQ(Todo(), antes);
  std::vector<std::string> dosVeces = kNombresSinFecha;
  dosVeces.insert(dosVeces.end(), kNombresSinFecha.begin(), kNombresSinFecha.end());
  EXPECT_THAT(prueba::Encabezados(log_.Contenido()), ElementsAreArray(dosVeces));
}

// An existing trigger row, whatever its values, is left alone.
TEST_F(Administrador, ExistingTriggerRowStays) {
  bd_->EjecutaSql("INSERT INTO tblAC_DpDisparador VALUES (1, 15, NULL, 2, 1, 0);");
  ModificarEstructura80_AC(cnx_, ManejadorMySQL, 700);
  EXPECT_EQ(Consulta("SELECT * FROM tblAC_DpDisparador"),
            (Filas{{"1", "15", "NULL", "2", "1", "0"}}));
}

}  // namespace
