#include "steps/8x_9x/modVersion95.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoVersiones9x.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/modVersion94.h"
#include "steps/MarcoRutina.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::kRechazada;
using ::testing::ElementsAre;

// ------------------------------------------------------------ the tax-code recode

class Recodificacion : public prueba::BaseEn90 {
 protected:
  Filas Codigos() const {
    return Consulta("SELECT COD_IMP, EN_IMPORTE FROM tblImpuestos ORDER BY COD_IMP");
  }
};

// The fixture's tax rows (type, code before) and their codes after one pass and after two.
//   COD_IMP           0  1  2  3  4  5  6  7  8  9 10 11
//   type              0  1  1  1  1  2  2  4  3  3  3  3
//   code before       1  1  2  3  0  1  2  2  1  2  3  7
const Filas kTrasUnaPasada = {{"0", "9"}, {"1", "0"}, {"2", "1"},  {"3", "9"},
                              {"4", "0"}, {"5", "0"}, {"6", "1"},  {"7", "1"},
                              {"8", "1"}, {"9", "1"}, {"10", "9"}, {"11", "7"}};
const Filas kTrasDosPasadas = {{"0", "9"}, {"1", "0"}, {"2", "0"},  {"3", "9"},
                               {"4", "0"}, {"5", "0"}, {"6", "0"},  {"7", "0"},
                               {"8", "1"}, {"9", "1"}, {"10", "9"}, {"11", "7"}};

// A database at 9.5.0 takes step 9.5 alone: one pass.
TEST_F(Recodificacion, OnePass) {
  ModificarEstructura95(cnx_, ManejadorMySQL, 950, 952);
  EXPECT_EQ(Codigos(), kTrasUnaPasada);
}

// From 9.3 both steps run: two passes, and further passes change nothing.
TEST_F(Recodificacion, TwoPassesAndMore) {
  ModificarEstructura94(cnx_, ManejadorMySQL, 930, 952);
  EXPECT_EQ(Codigos(), kTrasUnaPasada);
  ModificarEstructura95(cnx_, ManejadorMySQL, 930, 952);
  EXPECT_EQ(Codigos(), kTrasDosPasadas);
  ModificarEstructura95(cnx_, ManejadorMySQL, 950, 952);
  EXPECT_EQ(Codigos(), kTrasDosPasadas);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// ------------------------------------------------------------ 9.5

class Version95 : public prueba::BaseEn90 {};

// Every Null of the 23 columns becomes 0, every other value stays.
TEST_F(Version95, FillsNullsWithZero) {
  const std::vector<std::pair<std::string, std::string>> columnas = {
      {"tblConceptoIE", "PAGO_TIPS"},    {"tblUndCosPreArt", "PRE_MAX"},
      {"tblCatArticulos", "IMP_LOCAL"},  {"tblEncPaquetes", "IMP_LOCAL"},
      {"tblRenVentas", "IMP0_ART"},      {"tblRenVentas", "IMP0_REG"},
      {"tblRenVentas", "COD0_IMP"},      {"tblApartadosRen", "IMP0_ART"},
      {"tblApartadosRen", "IMP0_REG"},   {"tblApartadosRen", "COD0_IMP"},
      {"tblFacturasRen", "IMP0_ART"},    {"tblFacturasRen", "IMP0_REG"},
      {"tblFacturasRen", "COD0_IMP"},    {"tblRenDevolucion", "IMP0_ART"},
      {"tblRenDevolucion", "IMP0_REG"},  {"tblRenDevolucion", "COD0_IMP"},
      {"tblRenPedidos", "IMP0_ART"},     {"tblRenPedidosRest", "IMP0_ART"},
      {"tblVentaEnEspera", "IMP0_ART"},  {"tblRenMesas", "TOT_IMP0"},
      {"tblFacturasServ", "COD_IMPTO0"}, {"tblFacturasServ", "PORC_IMPTO0"},
      {"tblFacturasServ", "IMP_IMPTO0"}};
  std::vector<Filas> esperadas;
  for (const auto& [tabla, columna] : columnas) {
    ASSERT_EQ(Consulta("SELECT COUNT(*) > 0 FROM " + tabla + " WHERE " + columna + " IS NULL"),
              (Filas{{"1"}}))
        << tabla << "." << columna << " holds no Null to fill";
    esperadas.push_back(
        Consulta("SELECT IFNULL(" + columna + ", 0) FROM " + tabla + " ORDER BY 1"));
  }
  // Run again (a database at 9.5.0 updated once more), nothing changes.
  for (std::int16_t iVersionActual : {940, 950}) {
    ModificarEstructura95(cnx_, ManejadorMySQL, iVersionActual, 952);
    EXPECT_FALSE(log_.Existe()) << log_.Contenido();
    for (std::size_t i = 0; i < columnas.size(); ++i) {
      const auto& [tabla, columna] = columnas[i];
      EXPECT_EQ(Consulta("SELECT " + columna + " FROM " + tabla + " ORDER BY 1"), esperadas[i])
          << tabla << "." << columna << " after the run from " << iVersionActual;
    }
  }
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"950", "0"}}));
}

// ------------------------------------------------------------ 9.5.1

struct FormaFtp {
  std::int16_t iManejador;
  const char* verbo;
  const char* ancho100;
  const char* ancho50;
};

class Version951Grabada : public prueba::RutinaGrabada,
                          public ::testing::WithParamInterface<FormaFtp> {};

TEST_P(Version951Grabada, TheWidthsInEachDialect) {
  const FormaFtp& f = GetParam();
  ModificarEstructura951(cnx_, f.iManejador, 950, 952);
  const std::string inicio = std::string("ALTER TABLE tblFtpConexiones ") + f.verbo;
  EXPECT_THAT(
      prueba::SinVersion(db_.Textos()),
      ElementsAre(inicio + " DIR_FTP " + f.ancho100, inicio + " USU_FTP " + f.ancho50,
                  inicio + " PASS_FTP " + f.ancho100, inicio + " ARCHIVO_FTP " + f.ancho50));
}

INSTANTIATE_TEST_SUITE_P(
    Engines, Version951Grabada,
    ::testing::Values(FormaFtp{ManejadorMySQL, "MODIFY", "VARCHAR(100) NOT NULL;",
                               "VARCHAR(50) NOT NULL;"},
                      FormaFtp{ManejadorSQLServer, "ALTER COLUMN", "VARCHAR(100) NOT NULL;",
                               "VARCHAR(50) NOT NULL;"},
                      FormaFtp{ManejadorAccess, "ALTER COLUMN", "TEXT(100);", "TEXT(50);"}),
    [](const auto& info) { return std::to_string(info.param.iManejador); });

class Version951 : public prueba::BaseEn90 {};

TEST_F(Version951, WidensTheFtpColumnsAndKeepsTheirValues) {
  ModificarEstructura951(cnx_, ManejadorMySQL, 950, 952);
  ModificarEstructura951(cnx_, ManejadorMySQL, 951, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COLUMN_NAME, CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE FROM "
                     "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND "
                     "TABLE_NAME='tblFtpConexiones' AND COLUMN_NAME<>'COD_FTP' "
                     "ORDER BY ORDINAL_POSITION"),
            (Filas{{"DIR_FTP", "100", "NO"},
                   {"USU_FTP", "50", "NO"},
                   {"PASS_FTP", "100", "NO"},
                   {"ARCHIVO_FTP", "50", "NO"}}));
  EXPECT_EQ(Consulta("SELECT DIR_FTP, USU_FTP, PASS_FTP, ARCHIVO_FTP FROM tblFtpConexiones"),
            (Filas{{"ftp.example.mx/ventas", "tienda", "clave", "ventas.zip"}}));
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"951", "0"}}));
}

// ------------------------------------------------------------ 9.5.2

// The first parameters row decides; the second row holds a date of its own.
struct CasoFtp {
  const char* nombre;
  const char* primera;  // nullptr: Null
  Filas despues;
};

void PrintTo(const CasoFtp& caso, std::ostream* os) { *os << caso.nombre; }

class Version952Fecha : public prueba::BaseEn90, public ::testing::WithParamInterface<CasoFtp> {};

TEST_P(Version952Fecha, TheStoredDate) {
  const CasoFtp& caso = GetParam();
  bd_->EjecutaSql("UPDATE tblParametrosGenerales SET TA_FTP=" +
                  (caso.primera ? "'" + std::string(caso.primera) + "'" : std::string("NULL")) +
                  " WHERE COD_SUCU='MATRIZ'; UPDATE tblParametrosGenerales SET "
                  "TA_FTP='2020-01-01' WHERE COD_SUCU='SUC01';");
  ModificarEstructura952(cnx_, ManejadorMySQL, 951, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT TA_FTP FROM tblParametrosGenerales ORDER BY COD_SUCU"), caso.despues);
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"952", "0"}}));
}

const Filas kSeQuedan = {{"2019-05-31"}, {"2020-01-01"}};
const Filas kPrimeraRepuesta = {{"1800-01-01"}, {"2020-01-01"}};
const Filas kTodasRepuestas = {{"1800-01-01"}, {"1800-01-01"}};

INSTANTIATE_TEST_SUITE_P(Cases, Version952Fecha,
                         ::testing::Values(CasoFtp{"ADate", "2019-05-31", kSeQuedan},
                                           CasoFtp{"TheResetDate", "1800-01-01", kPrimeraRepuesta},
                                           CasoFtp{"Null", nullptr, kPrimeraRepuesta},
                                           CasoFtp{"Star", "*", kPrimeraRepuesta},
                                           CasoFtp{"Empty", "", kPrimeraRepuesta},
                                           CasoFtp{"NoHyphen", "31/05/2019", kTodasRepuestas},
                                           CasoFtp{"HyphenButNoDate", "no-date", kTodasRepuestas},
                                           CasoFtp{"NoSuchDay", "2019-02-30", kTodasRepuestas},
                                           CasoFtp{"TheZeroDate", "1899-12-30", kTodasRepuestas}),
                         [](const auto& info) { return std::string(info.param.nombre); });

class Version952 : public prueba::BaseEn90 {};

TEST_F(Version952, WithoutParameterRows) {
  bd_->EjecutaSql("DELETE FROM tblParametrosGenerales;");
  ModificarEstructura952(cnx_, ManejadorMySQL, 951, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblParametrosGenerales"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"952", "0"}}));
}

// After the version row the check runs without a handler: a date that cannot be read
// reaches the caller, unlogged, with 952 already recorded, also inside a ladder step,
// where other versions wait for the step's end; the fills before it are logged.
class Version952Grabada : public prueba::RutinaGrabada {
 protected:
  VersionDelPaso paso_;
};

constexpr const char* kLeeFecha = "SELECT TA_FTP FROM tblParametrosGenerales ;";
constexpr const char* kVersion952 = "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (952,0);";

TEST_F(Version952Grabada, AReadThatFailsReachesTheCaller) {
  db_.Falla(prueba::EmpiezaCon("UPDATE tblParametrosGenerales"), kRechazada,
            "Unknown column 'TA_FTP'");
  db_.Falla(kLeeFecha, kRechazada, "Unknown column 'TA_FTP'");
  EXPECT_THROW(ModificarEstructura952(cnx_, ManejadorSQLServer, 951, 952), vb::Error);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(textos.back(), kLeeFecha);
  EXPECT_THAT(textos, ::testing::Contains(kVersion952));
  const std::string entrada =
      Entrada("Error en ModificarEstructura952 :", kRechazada, "Unknown column 'TA_FTP'");
  EXPECT_EQ(log_.Contenido(), entrada + entrada + entrada);
}

TEST_F(Version952Grabada, ANullDateReachesTheCaller) {
  db_.Responde(kLeeFecha, {{"TA_FTP"}, {{vb::Variant::Null()}}});
  try {
    ModificarEstructura952(cnx_, ManejadorSQLServer, 951, 952);
    ADD_FAILURE() << "no error";
  } catch (const vb::Error& error) {
    EXPECT_EQ(error.Number(), 94);
  }
  EXPECT_EQ(db_.Textos().back(), kLeeFecha);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

}  // namespace
