#include "steps/6x_7x/modTiempoAire.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Error.h"
#include "support/TestDatabase.h"

namespace {

using prueba::EmpiezaCon;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kBorraEmpresas = "DELETE FROM tblEmpresasTA;";
constexpr const char* kBorraMontos = "DELETE FROM tblMontosTA;";
constexpr const char* kCadena = "SELECT TA_CADENA FROM tblParametrosGenerales;";
constexpr const char* kParametrosArticulos =
    "SELECT TA_AGR,TA_IMPTO,TA_ACT FROM tblParametrosGenerales;";

struct Monto {
  int empresa;
  int monto;
  const char* clave;
};

// The amounts that the suite's point of sale offers, in the order they are written.
const std::vector<Monto> kCatalogo = {
    {1, 10, "M010"},  {1, 20, "M020"},  {1, 30, "M030"},  {1, 50, "M050"},    {1, 60, "M060"},
    {1, 100, "M100"}, {1, 120, "M120"}, {1, 150, "M150"}, {1, 200, "M200"},   {1, 300, "M300"},
    {1, 500, "M500"}, {2, 50, "I050"},  {2, 100, "I100"}, {2, 150, "I150"},   {2, 200, "I200"},
    {2, 300, "I300"}, {2, 500, "I500"}, {2, 750, "I750"}, {2, 1000, "I1000"}, {3, 20, "A020"},
    {3, 30, "A030"},  {3, 50, "A050"},  {3, 100, "A100"}, {3, 200, "A200"},   {3, 300, "A300"},
    {3, 500, "A500"}, {4, 50, "U050"},  {4, 100, "U100"}, {4, 150, "U150"},   {4, 200, "U200"},
    {4, 300, "U300"}, {4, 500, "U500"}, {4, 750, "U750"}, {4, 1000, "U1000"}, {5, 30, "N030"},
    {5, 50, "N050"},  {5, 100, "N100"}, {5, 200, "N200"}, {5, 300, "N300"},   {5, 500, "N500"},
};

std::string BuscaMonto(const Monto& m) {
  return "SELECT * FROM tblMontosTA WHERE COD_EMPRESA=" + std::to_string(m.empresa) +
         " AND CLAVE_TA='" + m.clave + "';";
}

std::string InsertaMonto(const Monto& m, int divisor = 1) {
  return "INSERT INTO tblMontosTA (COD_EMPRESA,MONTO_TA,CLAVE_TA) VALUES (" +
         std::to_string(m.empresa) + "," + std::to_string(m.monto / divisor) + ",'" + m.clave +
         "');";
}

std::string InsertaEmpresa(const std::string& valores) {
  return "INSERT INTO tblEmpresasTA (COD_EMPRESA,NOM_EMPRESA,IMAGEN_EMPRESA) VALUES (" + valores +
         ");";
}

// The failure that left a call, if one did.
template <class F>
std::optional<vb::Error> FallaQueSale(F llamada) {
  try {
    llamada();
  } catch (const vb::Error& error) {
    return error;
  }
  return std::nullopt;
}

// On the recording provider: TA_CADENA as given, no amount already there, air time off.
class TiempoAireGrabado : public prueba::RutinaGrabada {
 protected:
  void Prepara(prueba::Resultado cadena = {{"TA_CADENA"}, {{Variant(std::int16_t(0))}}}) {
    db_.Responde(kCadena, std::move(cadena));
    db_.Responde(EmpiezaCon("SELECT * FROM tblMontosTA WHERE "),
                 SinFilas({"COD_EMPRESA", "MONTO_TA", "CLAVE_TA"}));
    db_.Responde(
        kParametrosArticulos,
        {{"TA_AGR", "TA_IMPTO", "TA_ACT"},
         {{Variant(std::int16_t(5)), Variant(std::int16_t(1)), Variant(std::int16_t(0))}}});
  }
  std::vector<std::string> Insertados() const {
    std::vector<std::string> montos;
    for (const std::string& texto : db_.Textos())
      if (texto.rfind("INSERT INTO tblMontosTA", 0) == 0) montos.push_back(texto);
    return montos;
  }
};

TEST_F(TiempoAireGrabado, CarriersThenAmountsThenTheArticlesSettings) {
  Prepara();
  ActualizaTiempoAire(cnx_, "C:\\Suite", ManejadorSQLServer, 952);

  std::vector<std::string> esperadas = {
      kBorraEmpresas,
      InsertaEmpresa("1,'MOVISTAR','C:\\Suite\\Imagenes\\movistar.jpg'"),
      InsertaEmpresa("2,'IUSACELL','C:\\Suite\\Imagenes\\iusacell.jpg'"),
      InsertaEmpresa("3,'TELCEL','C:\\Suite\\Imagenes\\telcel.gif'"),
      InsertaEmpresa("4,'UNEFON','C:\\Suite\\Imagenes\\unefon.jpg'"),
      InsertaEmpresa("5,'AT&T','C:\\Suite\\Imagenes\\att.jpg'"),
      InsertaEmpresa("6,'VIRGIN','C:\\Suite\\Imagenes\\virgin.jpg'"),
      InsertaEmpresa("7,'TELCEL MEGAS','C:\\Suite\\Imagenes\\telcelmegas.jpg'"),
      InsertaEmpresa("8,'TELCEL SIN LIMITE','C:\\Suite\\Imagenes\\telcelplan.jpg'"),
      InsertaEmpresa("9,'ALO','C:\\Suite\\Imagenes\\alo.jpg'"),
      kCadena,
      kBorraMontos};
  for (const Monto& m : kCatalogo) {
    esperadas.push_back(BuscaMonto(m));
    esperadas.push_back(InsertaMonto(m));
  }
  esperadas.push_back(kParametrosArticulos);  // air time is off: the articles stop there

  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  EXPECT_FALSE(log_.Existe());
}

// ------------------------------------------------------------ picture paths

struct CasoDeRuta {
  const char* nombre;
  std::int16_t iManejador;
  std::string carpeta;
  std::string insercion;  // the first carrier's INSERT
};

void PrintTo(const CasoDeRuta& caso, std::ostream* os) { *os << caso.nombre; }

class RutaDeImagenes : public TiempoAireGrabado,
                       public ::testing::WithParamInterface<CasoDeRuta> {};

// MySQL reads a backslash in a text as an escape, so its statement carries each one
// twice; the other engines take them as they are.
TEST_P(RutaDeImagenes, FirstCarrierInsert) {
  Prepara();
  ActualizaTiempoAire(cnx_, GetParam().carpeta, GetParam().iManejador, 952);
  const std::vector<std::string> textos = db_.Textos();
  ASSERT_GT(textos.size(), 9u);
  EXPECT_EQ(textos[1], GetParam().insercion);
  // Every carrier shares the folder part.
  const std::string carpeta = GetParam().insercion.substr(
      0, GetParam().insercion.size() - std::string("movistar.jpg');").size());
  const std::string sinEmpresa = carpeta.substr(carpeta.find(",'MOVISTAR','") + 13);
  EXPECT_EQ(textos[9], InsertaEmpresa("9,'ALO','" + sinEmpresa + "alo.jpg'"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RutaDeImagenes,
    ::testing::Values(
        CasoDeRuta{"MySqlDoublesBackslashes", ManejadorMySQL, "C:\\Suite",
                   InsertaEmpresa("1,'MOVISTAR','C:\\\\Suite\\\\Imagenes\\\\movistar.jpg'")},
        CasoDeRuta{"SqlServerKeepsThem", ManejadorSQLServer, "C:\\Suite",
                   InsertaEmpresa("1,'MOVISTAR','C:\\Suite\\Imagenes\\movistar.jpg'")},
        CasoDeRuta{"AccessKeepsThem", ManejadorAccess, "C:\\Suite",
                   InsertaEmpresa("1,'MOVISTAR','C:\\Suite\\Imagenes\\movistar.jpg'")},
        CasoDeRuta{"EmptyFolderMySql", ManejadorMySQL, "",
                   InsertaEmpresa("1,'MOVISTAR','movistar.jpg'")},
        CasoDeRuta{"EmptyFolderSqlServer", ManejadorSQLServer, "",
                   InsertaEmpresa("1,'MOVISTAR','movistar.jpg'")},
        CasoDeRuta{"EmptyFolderAccess", ManejadorAccess, "",
                   InsertaEmpresa("1,'MOVISTAR','movistar.jpg'")},
        CasoDeRuta{"TrailingBackslashMySql", ManejadorMySQL, "C:\\Suite\\",
                   InsertaEmpresa("1,'MOVISTAR','C:\\\\Suite\\\\\\\\Imagenes\\\\movistar.jpg'")},
        CasoDeRuta{"ShareSqlServer", ManejadorSQLServer, "\\\\servidor\\pos",
                   InsertaEmpresa("1,'MOVISTAR','\\\\servidor\\pos\\Imagenes\\movistar.jpg'")},
        CasoDeRuta{"ApostropheMySql", ManejadorMySQL, "D:\\O'Brien",
                   InsertaEmpresa("1,'MOVISTAR','D:\\\\O''Brien\\\\Imagenes\\\\movistar.jpg'")},
        CasoDeRuta{"ApostropheSqlServer", ManejadorSQLServer, "D:\\O'Brien",
                   InsertaEmpresa("1,'MOVISTAR','D:\\O''Brien\\Imagenes\\movistar.jpg'")}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ the scale of the amounts

struct CasoDeEscala {
  const char* nombre;
  prueba::Resultado cadena;
  int divisor;
};

void PrintTo(const CasoDeEscala& caso, std::ostream* os) { *os << caso.nombre; }

class EscalaDeMontos : public TiempoAireGrabado,
                       public ::testing::WithParamInterface<CasoDeEscala> {};

TEST_P(EscalaDeMontos, AmountsWritten) {
  Prepara(GetParam().cadena);
  ActualizaTiempoAire(cnx_, "", ManejadorMySQL, 952);
  std::vector<std::string> esperadas;
  for (const Monto& m : kCatalogo) esperadas.push_back(InsertaMonto(m, GetParam().divisor));
  EXPECT_THAT(Insertados(), ElementsAreArray(esperadas));
}

prueba::Resultado Cadenas(std::vector<Variant> valores) {
  prueba::Resultado resultado{{"TA_CADENA"}, {}};
  for (Variant& valor : valores) resultado.filas.push_back({std::move(valor)});
  return resultado;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EscalaDeMontos,
    ::testing::Values(CasoDeEscala{"One", Cadenas({Variant(std::int16_t(1))}), 10},
                      CasoDeEscala{"OneAsText", Cadenas({Variant("1")}), 10},
                      CasoDeEscala{"Zero", Cadenas({Variant(std::int16_t(0))}), 1},
                      CasoDeEscala{"Two", Cadenas({Variant(std::int16_t(2))}), 1},
                      CasoDeEscala{"Null", Cadenas({Variant::Null()}), 1},
                      CasoDeEscala{"NoParametersRow", SinFilas({"TA_CADENA"}), 1},
                      CasoDeEscala{"FirstRowOne",
                                   Cadenas({Variant(std::int16_t(1)), Variant(std::int16_t(0))}),
                                   10},
                      CasoDeEscala{"FirstRowZero",
                                   Cadenas({Variant(std::int16_t(0)), Variant(std::int16_t(1))}),
                                   1}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A key that the table already holds for its carrier is not written twice.
TEST_F(TiempoAireGrabado, AnAmountAlreadyThereIsNotInsertedAgain) {
  db_.Responde(BuscaMonto(kCatalogo[3]),
               {{"COD_EMPRESA", "MONTO_TA", "CLAVE_TA"},
                {{Variant(std::int16_t(1)), Variant(50), Variant("M050")}}});
  Prepara();
  ActualizaTiempoAire(cnx_, "", ManejadorMySQL, 952);
  std::vector<std::string> esperadas;
  for (const Monto& m : kCatalogo)
    if (std::string(m.clave) != "M050") esperadas.push_back(InsertaMonto(m));
  EXPECT_THAT(Insertados(), ElementsAreArray(esperadas));
}

// ------------------------------------------------------------ failures

struct CasoDeFalla {
  const char* nombre;
  std::string falla;  // the statement that fails; it is the last one sent
};

void PrintTo(const CasoDeFalla& caso, std::ostream* os) { *os << caso.nombre; }

class FallasDelTiempoAire : public TiempoAireGrabado,
                            public ::testing::WithParamInterface<CasoDeFalla> {};

// Nothing traps a failure of the carriers or the amounts: the first one ends the rebuild,
// unlogged, and reaches the ladder; the articles are not touched.
TEST_P(FallasDelTiempoAire, TheFirstFailureEndsTheRebuildAndReachesTheCaller) {
  Prepara();
  db_.Falla(GetParam().falla, -2147217900, "refused");
  const std::optional<vb::Error> falla =
      FallaQueSale([&] { ActualizaTiempoAire(cnx_, "C:\\Suite", ManejadorMySQL, 952); });
  ASSERT_TRUE(falla);
  EXPECT_EQ(falla->Number(), -2147217900);
  EXPECT_EQ(falla->Description(), "refused");
  const std::vector<std::string> textos = db_.Textos();
  ASSERT_FALSE(textos.empty());
  EXPECT_EQ(textos.back(), GetParam().falla);
  EXPECT_EQ(std::count(textos.begin(), textos.end(), GetParam().falla), 1);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FallasDelTiempoAire,
    ::testing::Values(CasoDeFalla{"CarriersDelete", kBorraEmpresas},
                      CasoDeFalla{
                          "ThirdCarrier",
                          InsertaEmpresa("3,'TELCEL','C:\\\\Suite\\\\Imagenes\\\\telcel.gif'")},
                      CasoDeFalla{"ScaleRead", kCadena}, CasoDeFalla{"AmountsDelete", kBorraMontos},
                      CasoDeFalla{"AmountLookup", BuscaMonto(kCatalogo[28])},
                      CasoDeFalla{"AmountInsert", InsertaMonto(kCatalogo[19])}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A scale that is no number cannot be read, and that failure too reaches the ladder
// before the amounts are emptied.
TEST_F(TiempoAireGrabado, AScaleThatIsNoNumberReachesTheCaller) {
  Prepara(Cadenas({Variant("X")}));
  const std::optional<vb::Error> falla =
      FallaQueSale([&] { ActualizaTiempoAire(cnx_, "", ManejadorMySQL, 952); });
  ASSERT_TRUE(falla);
  EXPECT_EQ(falla->Number(), 13);
  EXPECT_EQ(db_.Textos().back(), kCadena);
}

// Failures of the articles stay inside them.
TEST_F(TiempoAireGrabado, AFailureOfTheArticlesDoesNotReachTheCaller) {
  Prepara();
  db_.Falla(kParametrosArticulos, -2147217865, "Table 'tblParametrosGenerales' doesn't exist");
  EXPECT_NO_THROW(ActualizaTiempoAire(cnx_, "", ManejadorMySQL, 952));
  EXPECT_EQ(db_.Textos().back(), kParametrosArticulos);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// ------------------------------------------------------------ on MariaDB

class TiempoAire : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/tiempoaire.sql");
  }
  Filas Empresas() const {
    return Consulta(
        "SELECT COD_EMPRESA,NOM_EMPRESA,IMAGEN_EMPRESA FROM tblEmpresasTA ORDER BY COD_EMPRESA");
  }
  Filas Montos() const {
    return Consulta(
        "SELECT COD_EMPRESA,CAST(MONTO_TA AS SIGNED),CLAVE_TA FROM tblMontosTA "
        "ORDER BY COD_EMPRESA,MONTO_TA");
  }
  static Filas MontosEsperados(int divisor) {
    Filas filas;
    for (const Monto& m : kCatalogo)
      filas.push_back({std::to_string(m.empresa), std::to_string(m.monto / divisor), m.clave});
    return filas;
  }
};

TEST_F(TiempoAire, RebuildsCarriersAndAmountsTheSameEachTime) {
  const Filas articulosAntes = Consulta("SELECT * FROM tblCatArticulos ORDER BY COD1_ART");
  const Filas empresas = {{"1", "MOVISTAR", "C:\\Suite\\Imagenes\\movistar.jpg"},
                          {"2", "IUSACELL", "C:\\Suite\\Imagenes\\iusacell.jpg"},
                          {"3", "TELCEL", "C:\\Suite\\Imagenes\\telcel.gif"},
                          {"4", "UNEFON", "C:\\Suite\\Imagenes\\unefon.jpg"},
                          {"5", "AT&T", "C:\\Suite\\Imagenes\\att.jpg"},
                          {"6", "VIRGIN", "C:\\Suite\\Imagenes\\virgin.jpg"},
                          {"7", "TELCEL MEGAS", "C:\\Suite\\Imagenes\\telcelmegas.jpg"},
                          {"8", "TELCEL SIN LIMITE", "C:\\Suite\\Imagenes\\telcelplan.jpg"},
                          {"9", "ALO", "C:\\Suite\\Imagenes\\alo.jpg"}};
  for (int vez = 1; vez <= 2; ++vez) {
    SCOPED_TRACE(vez);
    ActualizaTiempoAire(cnx_, "C:\\Suite", ManejadorMySQL, 952);
    EXPECT_EQ(Empresas(), empresas);
    // Carrier 0 and the keys of the former catalogue are gone; 6 to 9 have no amounts.
    EXPECT_EQ(Montos(), MontosEsperados(1));
  }
  // Air time is off in this database: no article changed.
  EXPECT_EQ(Consulta("SELECT * FROM tblCatArticulos ORDER BY COD1_ART"), articulosAntes);
  EXPECT_FALSE(log_.Existe());
}

TEST_F(TiempoAire, AmountsInTensAndNoFolder) {
  bd_->EjecutaSql("UPDATE tblParametrosGenerales SET TA_CADENA=1;");
  ActualizaTiempoAire(cnx_, "", ManejadorMySQL, 952);
  EXPECT_EQ(Montos(), MontosEsperados(10));
  EXPECT_EQ(Consulta("SELECT IMAGEN_EMPRESA FROM tblEmpresasTA WHERE COD_EMPRESA IN (1,9) "
                     "ORDER BY COD_EMPRESA"),
            (Filas{{"movistar.jpg"}, {"alo.jpg"}}));
}

TEST_F(TiempoAire, AFolderWithAnApostropheIsStoredAsWritten) {
  ActualizaTiempoAire(cnx_, "D:\\Tienda d'Angelo\\", ManejadorMySQL, 952);
  EXPECT_EQ(Consulta("SELECT IMAGEN_EMPRESA FROM tblEmpresasTA WHERE COD_EMPRESA=3"),
            (Filas{{"D:\\Tienda d'Angelo\\\\Imagenes\\telcel.gif"}}));
  EXPECT_EQ(Montos().size(), kCatalogo.size());
}

// Without TA_CADENA the scale cannot be read: the carriers are new, the amounts are the
// former ones, and the failure reaches the ladder.
TEST_F(TiempoAire, AMissingScaleColumnStopsTheRebuildAfterTheCarriers) {
  bd_->EjecutaSql("ALTER TABLE tblParametrosGenerales DROP COLUMN TA_CADENA;");
  const Filas montosAntes = Montos();
  EXPECT_THROW(ActualizaTiempoAire(cnx_, "C:\\Suite", ManejadorMySQL, 952), vb::Error);
  EXPECT_EQ(Empresas().size(), 9u);
  EXPECT_EQ(Montos(), montosAntes);
  EXPECT_FALSE(log_.Existe());
}

}  // namespace
