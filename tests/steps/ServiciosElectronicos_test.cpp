#include "steps/6x_7x/ServiciosElectronicos.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using vb::Variant;

constexpr const char* kEtiqueta = "Error en BloqueDeServicios :";
constexpr const char* kParametros = "SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;";
constexpr const char* kProveedorUno = "UPDATE tblParametrosGenerales SET PSE_CODPROV=1;";
constexpr const char* kCerrado = prueba::kObjetoCerrado;

void BloqueDeServicios(ado::Connection& cnx) {
  Rutina r(cnx, "BloqueDeServicios", ManejadorMySQL);
  r.ArmaManejador();
  AseguraServiciosElectronicos(r);
}

// ------------------------------------------------------------ on MariaDB

struct CasoDeParametros {
  const char* nombre;
  std::string filas;  // VALUES of tblParametrosGenerales (ID, CNX_PSE, PSE_CODPROV)
  Filas despues;      // ID, PSE_CODPROV
};

void PrintTo(const CasoDeParametros& caso, std::ostream* os) { *os << caso.nombre; }

class ServiciosElectronicos : public prueba::RutinaEnMariaDB,
                              public ::testing::WithParamInterface<CasoDeParametros> {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("");
    bd_->EjecutaSql(
        "CREATE TABLE tblProveedoresSE (COD_PROVSE SMALLINT NOT NULL, DES_PROVSE VARCHAR(40) "
        "NOT NULL DEFAULT '', PRIMARY KEY (COD_PROVSE));"
        "CREATE TABLE tblParametrosGenerales (ID SMALLINT NOT NULL, CNX_PSE VARCHAR(100) NULL, "
        "PSE_CODPROV SMALLINT NULL);");
  }
};

// Only the first row is read; when it asks for provider 1, every row gets it.
TEST_P(ServiciosElectronicos, ProviderCodeOfTheParameters) {
  if (!GetParam().filas.empty())
    bd_->EjecutaSql("INSERT INTO tblParametrosGenerales VALUES " + GetParam().filas + ";");
  BloqueDeServicios(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT ID, PSE_CODPROV FROM tblParametrosGenerales ORDER BY ID"),
            GetParam().despues);
  EXPECT_EQ(Consulta("SELECT COD_PROVSE, DES_PROVSE FROM tblProveedoresSE"),
            (Filas{{"1", "Multicom®"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServiciosElectronicos,
    ::testing::Values(
        CasoDeParametros{"DefinedWithProviderZero", "(1,'PSE_DEFINIDO',0),(2,'otra',3)",
                         {{"1", "1"}, {"2", "1"}}},
        CasoDeParametros{"DefinedWithNullProvider", "(1,'PSE_DEFINIDO',NULL),(2,NULL,NULL)",
                         {{"1", "1"}, {"2", "1"}}},
        CasoDeParametros{"OtherLetterCase", "(1,'pse_definido',0),(2,'PSE_DEFINIDO',NULL)",
                         {{"1", "0"}, {"2", "0"}}},
        CasoDeParametros{"NullConnection", "(1,NULL,0)", {{"1", "0"}}},
        CasoDeParametros{"AnotherProvider", "(1,'PSE_DEFINIDO',2)", {{"1", "2"}}},
        CasoDeParametros{"OnlyTheSecondRowDefined", "(1,'',0),(2,'PSE_DEFINIDO',0)",
                         {{"1", "0"}, {"2", "0"}}},
        CasoDeParametros{"NoParameters", "", {}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A provider 1 under another name keeps it; a second run changes nothing.
TEST_F(ServiciosElectronicos, AnExistingProviderKeepsItsName) {
  bd_->EjecutaSql("INSERT INTO tblProveedoresSE VALUES (1,'Otro'),(5,'Quinto');"
                  "INSERT INTO tblParametrosGenerales VALUES (1,'PSE_DEFINIDO',0);");
  BloqueDeServicios(cnx_);
  BloqueDeServicios(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COD_PROVSE, DES_PROVSE FROM tblProveedoresSE ORDER BY 1"),
            (Filas{{"1", "Otro"}, {"5", "Quinto"}}));
  EXPECT_EQ(Consulta("SELECT PSE_CODPROV FROM tblParametrosGenerales"), (Filas{{"1"}}));
}

// ------------------------------------------------------------ a first row that cannot be read

struct CasoDeLectura {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> guion;
  std::string log;
};

void PrintTo(const CasoDeLectura& caso, std::ostream* os) { *os << caso.nombre; }

class ServiciosSinLectura : public prueba::RutinaGrabada,
                            public ::testing::WithParamInterface<CasoDeLectura> {};

// The test then holds, but what it guards is a change of every row: nothing is set
// unless the row was really read and matched.
TEST_P(ServiciosSinLectura, TheProviderCodeIsLeftAlone) {
  db_.Responde("SELECT * FROM tblProveedoresSE WHERE COD_PROVSE=1;", {{"COD_PROVSE"}, {{1}}});
  GetParam().guion(db_);
  BloqueDeServicios(cnx_);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(std::count(textos.begin(), textos.end(), kProveedorUno), 0);
  EXPECT_EQ(log_.Contenido(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServiciosSinLectura,
    ::testing::Values(
        CasoDeLectura{"TheQueryCannotOpen",
                      [](auto& db) { db.Falla(kParametros, -2147467259, "Lost connection"); },
                      Entrada(kEtiqueta, -2147467259, "Lost connection") +
                          Entrada(kEtiqueta, 3704, kCerrado) + Entrada(kEtiqueta, 3704, kCerrado) +
                          Entrada(kEtiqueta, 3704, kCerrado)},
        CasoDeLectura{"TheRowLacksAColumn",
                      [](auto& db) {
                        db.Responde(kParametros, {{"CNX_PSE"}, {{Variant("PSE_DEFINIDO")}}});
                      },
                      Entrada(kEtiqueta, 3265,
                              prueba::kNoEstaEnLaColeccion)}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
