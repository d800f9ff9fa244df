#include "steps/8x_9x/PiezasComunes8x.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/MarcoRutina.h"

namespace {

using prueba::SinFilas;
using vb::Variant;

constexpr const char* kAjustes = "SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;";
constexpr const char* kUno = "UPDATE tblParametrosGenerales SET PSE_CODPROV=1;";

TEST(FechaDeHoy, EachEngine) {
  prueba::RelojFijo reloj(2026, 3, 7, 9, 8, 7);
  EXPECT_EQ(FechaDeHoy(ManejadorAccess), "#2026/03/07#");
  EXPECT_EQ(FechaDeHoy(ManejadorSQLServer), "'20260307'");
  EXPECT_EQ(FechaDeHoy(ManejadorMySQL), "'2026-03-07'");
}

struct CasoPSE {
  const char* nombre;
  std::vector<std::vector<Variant>> filas;  // CNX_PSE, PSE_CODPROV
  bool pideUno;
};

void PrintTo(const CasoPSE& c, std::ostream* os) { *os << c.nombre; }

class ReglaPSE : public prueba::RutinaGrabada, public ::testing::WithParamInterface<CasoPSE> {};

// Only the first settings row decides, and only the exact text with provider 0 asks for
// provider 1 (in every row).
TEST_P(ReglaPSE, FirstRowDecides) {
  db_.Responde(kAjustes, {{"CNX_PSE", "PSE_CODPROV"}, GetParam().filas});
  db_.Responde(prueba::EmpiezaCon("SELECT"), SinFilas({"X"}));
  Rutina r(cnx_, "Prueba", ManejadorMySQL);
  r.ArmaManejador();
  AseguraServiciosElectronicos(r);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(std::count(textos.begin(), textos.end(), kUno), GetParam().pideUno ? 1 : 0);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

const Variant k0(std::int16_t(0));
const Variant k2(std::int16_t(2));

INSTANTIATE_TEST_SUITE_P(
    Table, ReglaPSE,
    ::testing::Values(CasoPSE{"Defined", {{Variant("PSE_DEFINIDO"), k0}}, true},
                      CasoPSE{"OtherProvider", {{Variant("PSE_DEFINIDO"), k2}}, false},
                      CasoPSE{"LowerCase", {{Variant("pse_definido"), k0}}, false},
                      CasoPSE{"NullConnection", {{Variant::Null(), k0}}, false},
                      CasoPSE{"NullProvider", {{Variant("PSE_DEFINIDO"), Variant::Null()}}, false},
                      CasoPSE{"OnlyTheFirstRow",
                              {{Variant(""), k0}, {Variant("PSE_DEFINIDO"), k0}}, false},
                      CasoPSE{"NoRows", {}, false}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
