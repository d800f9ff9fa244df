#include "steps/6x_7x/ProveedoresTarjeta.h"

#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;

// A card-provider table with the columns a database bound for `version` has.
std::string TablaDeProveedores(int version) {
  std::string columnas = "COD_PROVTC SMALLINT NOT NULL, DES_PROVTC VARCHAR(40) NOT NULL";
  if (version >= 630) columnas += ", SITIO_PROVTC VARCHAR(100) NULL";
  if (version > 630) columnas += ", RESP_PROVTC VARCHAR(100) NULL";
  return "CREATE TABLE tblProveedoresTC (" + columnas + ", PRIMARY KEY (COD_PROVTC));";
}

struct CasoDeDestino {
  std::int16_t version;
  Filas filas;  // every column of the table after codes 1 to 4
};

void PrintTo(const CasoDeDestino& caso, std::ostream* os) { *os << caso.version; }

class ProveedoresTarjeta : public prueba::RutinaEnMariaDB,
                           public ::testing::WithParamInterface<CasoDeDestino> {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("");
  }
};

// Each target version's INSERT names exactly the columns its table has; the test host is
// the site of provider 4 only.
TEST_P(ProveedoresTarjeta, ColumnsOfTheTargetVersion) {
  bd_->EjecutaSql(TablaDeProveedores(GetParam().version));
  Rutina r(cnx_, "Proveedores", ManejadorMySQL);
  r.ArmaManejador();
  for (int codigo : {1, 2, 3, 4}) AgregaProveedorTC(r, codigo, GetParam().version);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresTC ORDER BY 1"), GetParam().filas);
}

const std::string kHost = kSitioPruebaProveedor4;

INSTANTIATE_TEST_SUITE_P(
    Cases, ProveedoresTarjeta,
    ::testing::Values(
        CasoDeDestino{620,
                      {{"1", "MerchantWARE®"},
                       {"2", "ProsePago®"},
                       {"3", "SmartPayment®"},
                       {"4", "Moneris®"}}},
        CasoDeDestino{630,
                      {{"1", "MerchantWARE®", ""},
                       {"2", "ProsePago®", ""},
                       {"3", "SmartPayment®", ""},
                       {"4", "Moneris®", kHost}}},
        CasoDeDestino{700,
                      {{"1", "MerchantWARE®", "", ""},
                       {"2", "ProsePago®", "", ""},
                       {"3", "SmartPayment®", "", ""},
                       {"4", "Moneris®", kHost, ""}}},
        CasoDeDestino{952,
                      {{"1", "MerchantWARE®", "", ""},
                       {"2", "ProsePago®", "", ""},
                       {"3", "SmartPayment®", "", ""},
                       {"4", "Moneris®", kHost, ""}}}),
    [](const auto& info) { return std::to_string(info.param.version); });

// A provider that is there keeps its row; the call without a version names all four
// columns.
TEST_F(ProveedoresTarjeta, AnExistingProviderIsNeverChanged) {
  bd_->EjecutaSql(TablaDeProveedores(952) +
                  "INSERT INTO tblProveedoresTC VALUES (3,'Mi terminal','mi.sitio',NULL);");
  Rutina r(cnx_, "Proveedores", ManejadorMySQL);
  r.ArmaManejador();
  for (int codigo : {1, 2, 3, 4}) AgregaProveedorTC(r, codigo);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresTC ORDER BY 1"),
            (Filas{{"1", "MerchantWARE®", "", ""},
                   {"2", "ProsePago®", "", ""},
                   {"3", "Mi terminal", "mi.sitio", "NULL"},
                   {"4", "Moneris®", kHost, ""}}));
}

// Without a handler a provider table that cannot be read leaves the routine at once.
TEST_F(ProveedoresTarjeta, WithoutAHandlerAFailureLeaves) {
  Rutina r(cnx_, "Proveedores", ManejadorMySQL);
  EXPECT_THROW(AgregaProveedorTC(r, 1), vb::Error);
  EXPECT_FALSE(log_.Existe());
}

}  // namespace
