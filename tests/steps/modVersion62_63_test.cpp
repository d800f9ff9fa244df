#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/6x_7x/ProveedoresTarjeta.h"
#include "steps/6x_7x/modVersion62.h"
#include "steps/6x_7x/modVersion63.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Envio;
using prueba::EmpiezaCon;
using prueba::Entrada;
using prueba::Filas;
using ::testing::ElementsAreArray;

constexpr long kFalla = -2147217900;
const std::string kHost = kSitioPruebaProveedor4;

// ------------------------------------------------------------ SQL Server and MS Access

class Version62y63Grabadas : public prueba::RutinaGrabada {
 protected:
  Version62y63Grabadas() { db_.Responde(EmpiezaCon("SELECT"), prueba::SinFilas({"COD_PROVTC"})); }
};

TEST_F(Version62y63Grabadas, Version62OnSqlServer) {
  ModificarEstructura62(cnx_, ManejadorSQLServer, 630);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_THAT(
      prueba::SinVersion(db_.Textos()),
      ElementsAreArray(std::vector<std::string>{
          "DELETE FROM tblProveedoresTC;",
          "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=1;",
          "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC) VALUES "
          "(1,'MerchantWARE®','');",
          "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=3;",
          "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC) VALUES "
          "(3,'SmartPayment®','');",
          "DELETE FROM tblTcPromociones;",
          "UPDATE tblParametrosGenerales SET TC_IDSITIO='' WHERE (TC_IDSITIO IS NULL) OR "
          "(TC_SERVICIO=0);",
          "UPDATE tblBitacoraTC SET APROBACION_MOV='' WHERE (APROBACION_MOV IS NULL);",
          "UPDATE tblBitacoraTC SET PROPINA_MOVTC=0 WHERE (PROPINA_MOVTC IS NULL);",
          "UPDATE tblTemporalesTC SET APROBACION_MOV='' WHERE (APROBACION_MOV IS NULL);",
          "UPDATE tblTemporalesTC SET PROPINA_MOVTC=0 WHERE (PROPINA_MOVTC IS NULL);",
          "UPDATE tblTCTerminales SET ID_CLIENTE='' WHERE (ID_CLIENTE IS NULL);",
          "UPDATE tblCajas SET PRINT_TC='' WHERE (PRINT_TC IS NULL);",
          "UPDATE tblAuxCaja SET CON_CEP=COD_CON WHERE (COD_CON IN('IEFE','RCAJ')) AND "
          "(CON_CEP='');",
          "UPDATE tblRenInvFisico SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
      }));
}

TEST_F(Version62y63Grabadas, Version63OnMsAccess) {
  ModificarEstructura63(cnx_, ManejadorAccess, 700);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_THAT(
      prueba::SinVersion(db_.Textos()),
      ElementsAreArray(std::vector<std::string>{
          "UPDATE tblAuxCaja SET CON_CEP=COD_CON WHERE (COD_CON IN('IEFE','RCAJ')) AND "
          "(CON_CEP='');",
          "UPDATE tblTiposPago SET SIN_IMP=0 WHERE (SIN_IMP IS NULL);",
          "UPDATE tblFormasPago SET CAR_MAX=0 WHERE (CAR_MAX IS NULL);",
          "UPDATE tblBitacoraTC SET PENDIENTE_BIT=0 WHERE (PENDIENTE_BIT IS NULL);",
          "UPDATE tblTemporalesTC SET PENDIENTE_BIT=0 WHERE (PENDIENTE_BIT IS NULL);",
          "UPDATE tblBitacoraTC SET NUM_TRANSAC='' WHERE (NUM_TRANSAC IS NULL);",
          "UPDATE tblTemporalesTC SET NUM_TRANSAC='' WHERE (NUM_TRANSAC IS NULL);",
          "UPDATE tblParametrosGenerales SET FE_CANCELASAT=0 WHERE (FE_CANCELASAT IS NULL);",
          "UPDATE tblProveedoresTC SET SITIO_PROVTC='' WHERE (SITIO_PROVTC IS NULL);",
          "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=4;",
          "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) VALUES "
          "(4,'Moneris®','" + kHost + "','');",
          "UPDATE tblRenInvFisico SET FEC_CAD=#1800/01/01# WHERE (FEC_CAD IS NULL);",
      }));
}

// 6.2 logs and goes on everywhere; 6.3's first statement runs before its handler, so its
// failure leaves the routine unlogged and before anything else.
TEST_F(Version62y63Grabadas, HandlerStates) {
  db_.Falla("DELETE FROM tblProveedoresTC;", kFalla, "refused");
  ModificarEstructura62(cnx_, ManejadorSQLServer, 700);
  EXPECT_EQ(log_.Contenido(), Entrada("Error en ModificarEstructura62 :", kFalla, "refused"));
  EXPECT_TRUE(Envio(db_.Textos(), "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (620,0);"));

  const std::size_t antes = db_.Textos().size();
  db_.Falla(EmpiezaCon("UPDATE tblAuxCaja"), kFalla, "Unknown column 'CON_CEP'");
  EXPECT_THROW(ModificarEstructura63(cnx_, ManejadorSQLServer, 700), vb::Error);
  EXPECT_EQ(db_.Textos().size(), antes + 1);
  EXPECT_EQ(log_.Contenido(), Entrada("Error en ModificarEstructura62 :", kFalla, "refused"));
}

// ------------------------------------------------------------ on MariaDB

class Version62y63 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_614.sql");
  }
  Filas Version() const { return Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"); }
  Filas Proveedores() const { return Consulta("SELECT * FROM tblProveedoresTC ORDER BY 1"); }
};

struct CasoDeDestino {
  std::int16_t destino;
  const char* sitio;  // SITIO_PROVTC and RESP_PROVTC of the seeded providers
  const char* respuesta;
};

void PrintTo(const CasoDeDestino& caso, std::ostream* os) { *os << caso.destino; }

class Version62PorDestino : public Version62y63,
                            public ::testing::WithParamInterface<CasoDeDestino> {};

TEST_P(Version62PorDestino, FromADatabaseAt61) {
  const CasoDeDestino& caso = GetParam();
  ModificarEstructura62(cnx_, ManejadorMySQL, caso.destino);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"620", "0"}}));
  // Every provider goes, users' own too; 1 and 3 come back with the target's columns.
  EXPECT_EQ(Proveedores(), (Filas{{"1", "MerchantWARE®", caso.sitio, caso.respuesta},
                                  {"3", "SmartPayment®", caso.sitio, caso.respuesta}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblTcPromociones"), (Filas{{"0"}}));
  // No card service, no site; a Null site becomes empty; the site of a card service stays.
  EXPECT_EQ(Consulta("SELECT COD_SUCU, TC_IDSITIO FROM tblParametrosGenerales ORDER BY 1"),
            (Filas{{"MATRIZ", ""}, {"SUC01", ""}, {"SUC02", "sitio4"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblBitacoraTC ORDER BY FOLIO"),
            (Filas{{"1", "", "0.0000", "NULL", "NULL"}, {"2", "A123", "5.5000", "1", "T9"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblTemporalesTC"),
            (Filas{{"7", "", "0.0000", "NULL", "NULL"}}));
  EXPECT_EQ(Consulta("SELECT ID_CLIENTE FROM tblTCTerminales ORDER BY 1"),
            (Filas{{""}, {"CLI2"}}));
  EXPECT_EQ(Consulta("SELECT PRINT_TC FROM tblCajas ORDER BY COD_CAJA"), (Filas{{""}, {"EPSON"}}));
  // Only the cash concepts with an empty CON_CEP take their code.
  EXPECT_EQ(Consulta("SELECT CON_CEP FROM tblAuxCaja ORDER BY FOLIO"),
            (Filas{{"IEFE"}, {"NULL"}, {""}, {"OTRO"}, {"RCAJ"}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico ORDER BY RENGLON"),
            (Filas{{"1800-01-01"}, {"1800-01-01"}, {"2026-05-01"}}));
}

INSTANTIATE_TEST_SUITE_P(Cases, Version62PorDestino,
                         ::testing::Values(CasoDeDestino{620, "NULL", "NULL"},
                                           CasoDeDestino{630, "", "NULL"},
                                           CasoDeDestino{700, "", ""}),
                         [](const auto& info) { return std::to_string(info.param.destino); });

// A database at 6.2 runs the step again: providers and promotions are rebuilt once more.
TEST_F(Version62y63, Version62Twice) {
  ModificarEstructura62(cnx_, ManejadorMySQL, 952);
  bd_->EjecutaSql("INSERT INTO tblProveedoresTC VALUES (6,'Otro banco','',''); "
                  "INSERT INTO tblTcPromociones VALUES (2,'SEIS',600,6,1);");
  ModificarEstructura62(cnx_, ManejadorMySQL, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Proveedores(), (Filas{{"1", "MerchantWARE®", "", ""}, {"3", "SmartPayment®", "", ""}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblTcPromociones"), (Filas{{"0"}}));
  EXPECT_EQ(Version(), (Filas{{"620", "0"}}));
}

TEST_F(Version62y63, Version63AfterVersion62) {
  ModificarEstructura62(cnx_, ManejadorMySQL, 952);
  ModificarEstructura63(cnx_, ManejadorMySQL, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"630", "0"}}));
  EXPECT_EQ(Proveedores(), (Filas{{"1", "MerchantWARE®", "", ""},
                                  {"3", "SmartPayment®", "", ""},
                                  {"4", "Moneris®", kHost, ""}}));
  EXPECT_EQ(Consulta("SELECT SIN_IMP FROM tblTiposPago ORDER BY COD_TIPO"), (Filas{{"0"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT CAR_MAX FROM tblFormasPago ORDER BY COD_FRP"),
            (Filas{{"0"}, {"5"}, {"0"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblBitacoraTC ORDER BY FOLIO"),
            (Filas{{"1", "", "0.0000", "0", ""}, {"2", "A123", "5.5000", "1", "T9"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblTemporalesTC"), (Filas{{"7", "", "0.0000", "0", ""}}));
  EXPECT_EQ(Consulta("SELECT FE_CANCELASAT FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"0"}, {"1"}, {"0"}}));
}

// A database at 6.3 runs the step again: provider 4 keeps what it holds, values that are
// no longer Null or empty stay.
TEST_F(Version62y63, Version63Twice) {
  ModificarEstructura63(cnx_, ManejadorMySQL, 630);
  EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresTC WHERE COD_PROVTC=4"),
            (Filas{{"4", "Moneris®", kHost, "NULL"}}));
  bd_->EjecutaSql("UPDATE tblProveedoresTC SET DES_PROVTC='Mi Moneris', SITIO_PROVTC='otro.host' "
                  "WHERE COD_PROVTC=4; UPDATE tblAuxCaja SET CON_CEP='X' WHERE FOLIO=1;");
  ModificarEstructura63(cnx_, ManejadorMySQL, 700);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Proveedores(), (Filas{{"1", "MERCHANT", "", "NULL"},
                                  {"4", "Mi Moneris", "otro.host", "NULL"},
                                  {"5", "Mi banco", "mibanco.mx", "NULL"}}));
  EXPECT_EQ(Consulta("SELECT CON_CEP FROM tblAuxCaja ORDER BY FOLIO"),
            (Filas{{"X"}, {"NULL"}, {""}, {"OTRO"}, {"RCAJ"}}));
  EXPECT_EQ(Version(), (Filas{{"630", "0"}}));
}

// A till table without CON_CEP stops 6.3 at its first statement: nothing of 6.3 is written
// and nothing is logged.
TEST_F(Version62y63, Version63StopsOnATillTableWithoutItsConcept) {
  ModificarEstructura62(cnx_, ManejadorMySQL, 952);
  bd_->EjecutaSql("ALTER TABLE tblAuxCaja DROP COLUMN CON_CEP;");
  EXPECT_THROW(ModificarEstructura63(cnx_, ManejadorMySQL, 952), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"620", "0"}}));
  EXPECT_EQ(Consulta("SELECT SIN_IMP FROM tblTiposPago ORDER BY COD_TIPO"),
            (Filas{{"NULL"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblProveedoresTC WHERE COD_PROVTC=4"), (Filas{{"0"}}));
}

}  // namespace
