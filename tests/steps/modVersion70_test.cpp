#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/6x_7x/modVersion62.h"
#include "steps/6x_7x/modVersion63.h"
#include "steps/6x_7x/modVersion64_70.h"
#include "support/TestDatabase.h"

namespace {

using prueba::EmpiezaCon;
using prueba::Entrada;
using prueba::Filas;
using ::testing::ElementsAreArray;

constexpr long kFalla = -2147217900;
constexpr const char* kEtiqueta = "Error en ModificarEstructura70 :";

std::string Promocion(int codigo, int meses, int minimo) {
  return "INSERT INTO tblTcPromociones (COD_TCPROMO,DES_TCPROMO,MIN_TCPROMO,NUM_PARCIAL,"
         "ACTIVA_PROMO) VALUES (" +
         std::to_string(codigo) + ",'" + std::to_string(meses) + " MESES SIN INTERESES'," +
         std::to_string(minimo) + "," + std::to_string(meses) + ",0);";
}

// 7.0 on SQL Server with every seeded row missing and no parameters row.
std::vector<std::string> Version70EnSqlServer() {
  std::vector<std::string> s = {
      "UPDATE tblAuxCaja SET COD_TERMINAL=0 WHERE (COD_TERMINAL IS NULL);",
      "UPDATE tblAuxCaja SET COD_TCPROMO=0 WHERE (COD_TCPROMO IS NULL);",
      "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=2;",
      "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) VALUES "
      "(2,'ProsePago®','','');"};
  const int meses[] = {3, 6, 9, 12, 15, 18, 21, 24};
  for (int i = 0; i < 8; ++i) {
    s.push_back("SELECT COD_TCPROMO FROM tblTcPromociones WHERE COD_TCPROMO=" +
                std::to_string(i + 1) + ";");
    s.push_back(Promocion(i + 1, meses[i], meses[i] == 21 ? 0 : meses[i] * 100));
  }
  s.insert(s.end(), {
      "UPDATE tblTiposPago SET TARJ_BAN=0 WHERE (TARJ_BAN IS NULL);",
      "UPDATE tblFormasPago SET APLICA_PROMO=0 WHERE (APLICA_PROMO IS NULL);",
      "UPDATE tblParametrosGenerales SET FF_ORDENTOT=0 WHERE (FF_ORDENTOT IS NULL);",
      "ALTER TABLE tblEncPaquetes ALTER COLUMN DES1_PAQ VARCHAR(60) NOT NULL;",
      "SELECT * FROM tblProveedoresSE WHERE COD_PROVSE=1;",
      "INSERT INTO tblProveedoresSE (COD_PROVSE,DES_PROVSE) VALUES (1,'Multicom®');",
      "UPDATE tblParametrosGenerales SET PSE_CODPROV=0 WHERE (PSE_CODPROV IS NULL);",
      "SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;",
      "UPDATE tblParametrosGenerales SET ME_CODPROV=0 WHERE (ME_CODPROV IS NULL);",
      "UPDATE tblTiposPago SET MON_ELEC=0 WHERE (MON_ELEC IS NULL);",
      "UPDATE tblFormasPago SET SERV_ME=0 WHERE (SERV_ME IS NULL);",
      "SELECT * FROM tblProveedoresME WHERE COD_PROVME=1;",
      "INSERT INTO tblProveedoresME (COD_PROVME,DES_PROVME) VALUES (1,'ANTAD®');",
      "SELECT * FROM tblServiciosME WHERE COD_SERVME=1;",
      "INSERT INTO tblServiciosME (COD_SERVME,DES_SERVME,COD_PROVME) VALUES (1,'Transfer®',1);",
      "UPDATE tblProveedoresTC SET RESP_PROVTC='' WHERE (RESP_PROVTC IS NULL);",
      "UPDATE tblFormasPago SET SAT_MPAGO=DES_FRP WHERE (SAT_MPAGO IS NULL);",
      "UPDATE tblFormasPago SET SAT_MPAGO=DES_FRP WHERE (SAT_MPAGO='');",
      "UPDATE tblRenInvFisico SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);"});
  return s;
}

class Version70Grabada : public prueba::RutinaGrabada {
 protected:
  Version70Grabada() { db_.Responde(EmpiezaCon("SELECT"), prueba::SinFilas({"COD"})); }
};

TEST_F(Version70Grabada, OnSqlServer) {
  ModificarEstructura70(cnx_, ManejadorSQLServer);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_THAT(prueba::SinVersion(db_.Textos()), ElementsAreArray(Version70EnSqlServer()));
}

// MS Access differs in the widening and the date literal only.
TEST_F(Version70Grabada, OnMsAccess) {
  ModificarEstructura70(cnx_, ManejadorAccess);
  std::vector<std::string> esperado = Version70EnSqlServer();
  std::replace(esperado.begin(), esperado.end(),
               std::string("ALTER TABLE tblEncPaquetes ALTER COLUMN DES1_PAQ VARCHAR(60) NOT NULL;"),
               std::string("ALTER TABLE tblEncPaquetes ALTER COLUMN DES1_PAQ TEXT(60);"));
  esperado.back() = "UPDATE tblRenInvFisico SET FEC_CAD=#1800/01/01# WHERE (FEC_CAD IS NULL);";
  EXPECT_THAT(prueba::SinVersion(db_.Textos()), ElementsAreArray(esperado));
}

// Failures up to the electronic money are logged and skipped; the payment-form stretch
// runs without a handler: its first failure leaves, unlogged, before the version row.
TEST_F(Version70Grabada, HandlerStates) {
  db_.Falla(EmpiezaCon("INSERT INTO tblTcPromociones"), kFalla, "refused", 1);
  db_.Falla("UPDATE tblFormasPago SET SAT_MPAGO=DES_FRP WHERE (SAT_MPAGO IS NULL);", kFalla,
            "Unknown column 'SAT_MPAGO'");
  EXPECT_THROW(ModificarEstructura70(cnx_, ManejadorSQLServer), vb::Error);
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta, kFalla, "refused"));
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(textos.back(), "UPDATE tblFormasPago SET SAT_MPAGO=DES_FRP WHERE (SAT_MPAGO IS NULL);");
  EXPECT_EQ(std::count(textos.begin(), textos.end(), Promocion(8, 24, 2400)), 1);
}

// ------------------------------------------------------------ on MariaDB

class Version70 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_614.sql");
  }
  void Hasta63() {
    ModificarEstructura62(cnx_, ManejadorMySQL, 952);
    ModificarEstructura63(cnx_, ManejadorMySQL, 952);
  }
  void CompruebaVersion70() const {
    EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"700", "0"}}));
    EXPECT_EQ(Consulta("SELECT FOLIO, COD_TERMINAL, COD_TCPROMO FROM tblAuxCaja ORDER BY FOLIO"),
              (Filas{{"1", "0", "0"}, {"2", "1", "2"}, {"3", "0", "0"}, {"4", "0", "0"},
                     {"5", "3", "0"}}));
    EXPECT_EQ(Consulta("SELECT COD_PROVTC, DES_PROVTC, SITIO_PROVTC, RESP_PROVTC FROM "
                       "tblProveedoresTC WHERE COD_PROVTC=2"),
              (Filas{{"2", "ProsePago®", "", ""}}));
    EXPECT_EQ(Consulta("SELECT * FROM tblTcPromociones ORDER BY 1"),
              (Filas{{"1", "3 MESES SIN INTERESES", "300.0000", "3", "0"},
                     {"2", "6 MESES SIN INTERESES", "600.0000", "6", "0"},
                     {"3", "9 MESES SIN INTERESES", "900.0000", "9", "0"},
                     {"4", "12 MESES SIN INTERESES", "1200.0000", "12", "0"},
                     {"5", "15 MESES SIN INTERESES", "1500.0000", "15", "0"},
                     {"6", "18 MESES SIN INTERESES", "1800.0000", "18", "0"},
                     {"7", "21 MESES SIN INTERESES", "0.0000", "21", "0"},
                     {"8", "24 MESES SIN INTERESES", "2400.0000", "24", "0"}}));
    EXPECT_EQ(Consulta("SELECT TARJ_BAN, MON_ELEC FROM tblTiposPago ORDER BY COD_TIPO"),
              (Filas{{"0", "0"}, {"1", "1"}}));
    // A payment form without a SAT method takes its description; one with it keeps it.
    EXPECT_EQ(Consulta("SELECT APLICA_PROMO, SERV_ME, SAT_MPAGO FROM tblFormasPago ORDER BY "
                       "COD_FRP"),
              (Filas{{"0", "0", "EFECTIVO"}, {"1", "1", "TARJETA"}, {"0", "0", "02"}}));
    // The first parameters row asks for the defined services: every row gets provider 1.
    EXPECT_EQ(Consulta("SELECT FF_ORDENTOT, ME_CODPROV, PSE_CODPROV FROM tblParametrosGenerales "
                       "ORDER BY COD_SUCU"),
              (Filas{{"0", "0", "1"}, {"1", "2", "1"}, {"0", "0", "1"}}));
    EXPECT_EQ(Consulta("SELECT CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE FROM "
                       "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND "
                       "TABLE_NAME='tblEncPaquetes' AND COLUMN_NAME='DES1_PAQ'"),
              (Filas{{"60", "NO"}}));
    EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresSE"), (Filas{{"1", "Multicom®"}}));
    EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresME"), (Filas{{"1", "Mi monedero"}}));
    EXPECT_EQ(Consulta("SELECT * FROM tblServiciosME"), (Filas{{"1", "Transfer®", "1"}}));
  }
};

TEST_F(Version70, AfterVersions62And63) {
  Hasta63();
  ModificarEstructura70(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  CompruebaVersion70();
}

// A database at 7.0 runs the step again: the seeds find their rows and nothing changes.
TEST_F(Version70, Twice) {
  Hasta63();
  ModificarEstructura70(cnx_, ManejadorMySQL);
  ModificarEstructura70(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  CompruebaVersion70();
}

// Payment forms without a SAT method stop the routine unlogged: what came before stays
// (promotions 1 and 9 keep their values, the missing ones are added), the expiry repair
// and the version row do not run.
TEST_F(Version70, StopsOnPaymentFormsWithoutTheSatMethod) {
  bd_->EjecutaSql("ALTER TABLE tblFormasPago DROP COLUMN SAT_MPAGO;");
  EXPECT_THROW(ModificarEstructura70(cnx_, ManejadorMySQL), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"614"}}));
  EXPECT_EQ(Consulta("SELECT COD_TCPROMO, DES_TCPROMO, ACTIVA_PROMO FROM tblTcPromociones WHERE "
                     "COD_TCPROMO IN (1, 2, 9) ORDER BY 1"),
            (Filas{{"1", "TRES MESES", "1"}, {"2", "6 MESES SIN INTERESES", "0"},
                   {"9", "BUEN FIN", "1"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblServiciosME"), (Filas{{"1", "Transfer®", "1"}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico WHERE RENGLON=1"), (Filas{{"NULL"}}));
}

}  // namespace
