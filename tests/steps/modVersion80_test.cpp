#include "steps/8x_9x/modVersion80.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::QueContienen;
using prueba::Envio;
using prueba::EmpiezaCon;
using prueba::Entrada;
using prueba::Filas;
using prueba::Resultado;
using prueba::SinFilas;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr long kFalla = -2147217900;
constexpr const char* kEtiqueta80 = "Error en ModificarEstructura80 :";
constexpr const char* kEtiqueta81 = "Error en ModificarEstructura81 :";

class Version80Grabada : public prueba::RutinaGrabada {
 protected:
  void SinFilasLasDemas() { db_.Responde(EmpiezaCon("SELECT"), SinFilas({"X"})); }
};

// ------------------------------------------------------------ 8.0 as text

struct CasoDialecto {
  const char* nombre;
  std::int16_t iManejador;
  std::vector<std::string> ampliaciones80;
  std::string ampliacion81;
  std::vector<std::string> caducidad;
};

void PrintTo(const CasoDialecto& c, std::ostream* os) { *os << c.nombre; }

class Versiones80y81PorMotor : public Version80Grabada,
                               public ::testing::WithParamInterface<CasoDialecto> {};

TEST_P(Versiones80y81PorMotor, WideningsAndExpiryDates) {
  const CasoDialecto& c = GetParam();
  SinFilasLasDemas();
  ModificarEstructura80(cnx_, c.iManejador, 852);
  const std::vector<std::string> textos80 = db_.Textos();
  ASSERT_GE(textos80.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(textos80.begin(), textos80.begin() + 5), c.ampliaciones80);
  EXPECT_EQ(QueContienen(textos80, "tblRenInvFisico"), c.caducidad);

  const std::size_t antes = textos80.size();
  ModificarEstructura81(cnx_, c.iManejador, 800);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(textos[antes], c.ampliacion81);
  EXPECT_EQ(QueContienen(std::vector<std::string>(textos.begin() + static_cast<long>(antes), textos.end()),
                         "tblRenInvFisico"),
            c.caducidad);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Engines, Versiones80y81PorMotor,
    ::testing::Values(
        CasoDialecto{"SQLServer", ManejadorSQLServer,
                     {"ALTER TABLE tblRegimenEmpresa ALTER COLUMN DES_REGIMEN VARCHAR(100) NOT NULL;",
                      "ALTER TABLE tblFormasPago ALTER COLUMN SAT_MPAGO VARCHAR(50) NOT NULL;",
                      "ALTER TABLE tblEmpresa ALTER COLUMN NOM_EMP VARCHAR(254) NOT NULL;",
                      "ALTER TABLE tblCatClientes ALTER COLUMN NOM_CLI VARCHAR(254) NOT NULL;",
                      "ALTER TABLE tblCatProveedor ALTER COLUMN NOM_PROV VARCHAR(254) NOT NULL;"},
                     "ALTER TABLE tblPedimentosVtas ALTER COLUMN PEDIMENTO VARCHAR(21) NOT NULL;",
                     {"UPDATE tblRenInvFisico SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);"}},
        CasoDialecto{"Access", ManejadorAccess,
                     {"ALTER TABLE tblRegimenEmpresa ALTER COLUMN DES_REGIMEN TEXT(100);",
                      "ALTER TABLE tblFormasPago ALTER COLUMN SAT_MPAGO TEXT(50);",
                      "ALTER TABLE tblEmpresa ALTER COLUMN NOM_EMP TEXT(254);",
                      "ALTER TABLE tblCatClientes ALTER COLUMN NOM_CLI TEXT(254);",
                      "ALTER TABLE tblCatProveedor ALTER COLUMN NOM_PROV TEXT(254);"},
                     "ALTER TABLE tblPedimentosVtas ALTER COLUMN PEDIMENTO TEXT(21);",
                     {"UPDATE tblRenInvFisico SET FEC_CAD=#1800/01/01# WHERE (FEC_CAD IS NULL);"}},
        // MySQL's widenings are checked by their effect; its zero dates are repaired too.
        CasoDialecto{"MySQL", ManejadorMySQL,
                     {"ALTER TABLE tblRegimenEmpresa MODIFY DES_REGIMEN VARCHAR(100) NOT NULL;",
                      "ALTER TABLE tblFormasPago MODIFY SAT_MPAGO VARCHAR(50) NOT NULL;",
                      "ALTER TABLE tblEmpresa MODIFY NOM_EMP VARCHAR(254) NOT NULL;",
                      "ALTER TABLE tblCatClientes MODIFY NOM_CLI VARCHAR(254) NOT NULL;",
                      "ALTER TABLE tblCatProveedor MODIFY NOM_PROV VARCHAR(254) NOT NULL;"},
                     "ALTER TABLE tblPedimentosVtas MODIFY PEDIMENTO VARCHAR(21) NOT NULL;",
                     {"UPDATE tblRenInvFisico SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
                      "UPDATE tblRenInvFisico SET FEC_CAD='1800-01-01' WHERE (FEC_CAD='0000-00-00');"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// The workstation's date decides the switch to CFDI 3.3, inclusive of 1 January 2018.
TEST_F(Version80Grabada, InvoiceVersionSwitchesOnTheFirstDayOf2018) {
  const std::string sCambio = "UPDATE tblParametrosGenerales SET FE_ACTUAL=1,FE_VERSION=33 ;";
  SinFilasLasDemas();
  {
    prueba::RelojFijo reloj(2017, 12, 31, 23, 59, 59);
    ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  }
  EXPECT_FALSE(Envio(db_.Textos(), sCambio));
  {
    prueba::RelojFijo reloj(2018, 1, 1, 0, 0, 0);
    ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  }
  EXPECT_EQ(QueContienen(db_.Textos(), "FE_VERSION=33"), std::vector<std::string>{sCambio});
}

// The missing article comes with group 1, subgroup 1 and its unit row; its date literals
// are the engine's. A failed lookup counts as missing.
TEST_F(Version80Grabada, ArticleRowsWhenMissing) {
  db_.Falla("SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT';", kFalla,
            "refused");
  SinFilasLasDemas();
  prueba::RelojFijo reloj(2026, 12, 10, 14, 5, 9);
  ModificarEstructura80(cnx_, ManejadorAccess, 890);
  EXPECT_THAT(
      QueContienen(db_.Textos(), "VENTA VELMAR"),
      ElementsAre(
          "INSERT INTO tblCatArticulos (COD1_ART,DES1_ART,DES2_ART,COD_MON,PTO_MAR,COD_IMP,"
          "IMP2_ART,EXI_ACT,ARCHIVO,ART_PAQ,FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,COD_TIPO,ES_SERVICIO,"
          "COD_AIM,REST_PTOS,COD_EMPRESA,VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2,CVE_CFDI,"
          "ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART) VALUES ('QZ_CFDI33_VELMAR_SAT','VENTA VELMAR',"
          "'VENTA VELMAR',1,0,0,0,0,'',0,#2026/12/10#,#2026/12/10#,#2026/12/10#,#2026/12/10#,"
          "0,0,0,0,1,0,0,1,0,0,'01010101',0,#1800/01/01 14:05:09#,'');"));
  EXPECT_THAT(QueContienen(db_.Textos(), "INSERT INTO tblGpoArticulos"),
              ElementsAre("INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES "
                          "('QZ_CFDI33_VELMAR_SAT',1,1) "));
  EXPECT_EQ(QueContienen(db_.Textos(), "INSERT INTO tblUndCosPreArt").size(), 1u);
  EXPECT_THAT(prueba::Encabezados(log_.Contenido()),
              ElementsAre(kEtiqueta80 + std::to_string(kFalla), std::string(kEtiqueta80) + "3704",
                          std::string(kEtiqueta80) + "3704"));
}

TEST_F(Version80Grabada, PresentArticleGetsNothingHere) {
  db_.Responde("SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT';",
               {{"COD1_ART"}, {{"QZ_CFDI33_VELMAR_SAT"}}});
  SinFilasLasDemas();
  ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  EXPECT_THAT(QueContienen(db_.Textos(), "QZ_CFDI33_VELMAR_SAT'"),
              ::testing::Each(::testing::Not(::testing::StartsWith("INSERT"))));
}

// A failed lookup of the unit ACT leads to its UPDATE, not to its INSERT.
TEST_F(Version80Grabada, FailedActivityLookupUpdates) {
  db_.Falla("SELECT COD_UND FROM tblCatUnidades WHERE COD_UND='ACT';", kFalla, "refused");
  SinFilasLasDemas();
  ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  EXPECT_THAT(QueContienen(db_.Textos(), "'ACTIVIDAD'"),
              ElementsAre(::testing::StartsWith("UPDATE tblCatUnidades SET DES_UND='ACTIVIDAD'")));
}

// Each payment form with a blank key takes its SAT payment key when it is one (at most two
// characters), quoted; a form whose payment key cannot be read is skipped with its entry
// and never takes the key of the form before it.
TEST_F(Version80Grabada, PaymentKeysAreQuotedAndANullNeverTakesTheKeyBefore) {
  db_.Responde("SELECT COD_FRP,SAT_MPAGO,CLAVE_SAT FROM tblFormasPago;",
               {{"COD_FRP", "SAT_MPAGO", "CLAVE_SAT"},
                {{Variant(std::int16_t(1)), Variant("01"), Variant("")},
                 {Variant(std::int16_t(2)), Variant::Null(), Variant("")},
                 {Variant(std::int16_t(3)), Variant("O'"), Variant("")},
                 {Variant(std::int16_t(4)), Variant("a\\"), Variant("")},
                 {Variant(std::int16_t(5)), Variant("EFECTIVO"), Variant("")},
                 {Variant(std::int16_t(6)), Variant("é1"), Variant("")},
                 {Variant(std::int16_t(7)), Variant("04"), Variant::Null()},
                 {Variant(std::int16_t(8)), Variant("1"), Variant("99")}}});
  SinFilasLasDemas();
  ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  EXPECT_THAT(QueContienen(db_.Textos(), "WHERE COD_FRP="),
              ElementsAre("UPDATE tblFormasPago SET CLAVE_SAT='01' WHERE COD_FRP=1;",
                          "UPDATE tblFormasPago SET CLAVE_SAT='O''' WHERE COD_FRP=3;",
                          "UPDATE tblFormasPago SET CLAVE_SAT='a\\\\' WHERE COD_FRP=4;",
                          "UPDATE tblFormasPago SET CLAVE_SAT='é1' WHERE COD_FRP=6;"));
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta80, 94, prueba::kNuloNoValido));
}

// ------------------------------------------------------------ 8.1 handler states

struct CasoFalla81 {
  const char* nombre;
  std::string falla;
  bool llegaAlLlamador;
  std::size_t enviadas;  // statements sent, version row left out
};

void PrintTo(const CasoFalla81& c, std::ostream* os) { *os << c.nombre; }

class Version81Fallas : public Version80Grabada, public ::testing::WithParamInterface<CasoFalla81> {};

// The widening and the ten statements before the version row run unguarded: their failure
// leaves the routine without an entry and 810 is not recorded. Anything else is logged and
// skipped.
TEST_P(Version81Fallas, HandlerStateOfEachStretch) {
  const CasoFalla81& c = GetParam();
  db_.Falla(c.falla, kFalla, "refused");
  SinFilasLasDemas();
  if (c.llegaAlLlamador)
    EXPECT_THROW(ModificarEstructura81(cnx_, ManejadorSQLServer, 800), vb::Error);
  else
    EXPECT_NO_THROW(ModificarEstructura81(cnx_, ManejadorSQLServer, 800));
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(!QueContienen(textos, "tblVersion").empty(), !c.llegaAlLlamador);
  EXPECT_EQ(textos.size() - QueContienen(textos, "tblVersion").size(), c.enviadas);
  EXPECT_EQ(log_.Contenido(), c.llegaAlLlamador ? "" : Entrada(kEtiqueta81, kFalla, "refused"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Version81Fallas,
    ::testing::Values(
        CasoFalla81{"Widening", "ALTER TABLE tblPedimentosVtas ALTER COLUMN PEDIMENTO VARCHAR(21) NOT NULL;", true, 1},
        CasoFalla81{"PaymentComplement", "UPDATE tblAuxCaja SET RFC_ORDEN='' WHERE (RFC_ORDEN IS NULL);", false, 28},
        CasoFalla81{"ProviderInsert", "INSERT INTO tblProveedoresSE (COD_PROVSE,DES_PROVSE) VALUES (1,'Multicom®');", false, 28},
        CasoFalla81{"FirstTaxKey", "UPDATE tblTipoImpuesto SET CLAVE_CFDI='' WHERE (CLAVE_CFDI IS NULL);", true, 19},
        CasoFalla81{"LoyaltyTokens", "UPDATE tblPuntos SET TOKEN_ZEVOZOR='',PROMO_ZEVOZOR=0;", true, 27}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ on MariaDB

class Version80y81 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_740_84x.sql");
  }
  Filas Todo() const {
    Filas todo;
    for (const char* tabla :
         {"tblRegimenEmpresa", "tblFormasPago", "tblCatClientes", "tblFacturasEnc", "tblCatUnidades",
          "tblTipoImpuesto", "tblImpuestos", "tblNVDescripciones", "tblCatArticulos",
          "tblGpoArticulos", "tblUndCosPreArt", "tblPrecios", "tblParametrosGenerales", "tblEncPaquetes",
          "tblComandas", "tblConceptos", "tblRenInvFisico", "tblProveedoresSE", "tblAuxCaja",
          "tblPuntos", "tblPedimentosVtas", "tblFacturaElectronica"}) {
      const Filas filas = Consulta(std::string("SELECT * FROM ") + tabla + " ORDER BY 1,2");
      todo.insert(todo.end(), filas.begin(), filas.end());
    }
    return todo;
  }
};

TEST_F(Version80y81, Version80FromTheFixture) {
  prueba::RelojFijo reloj(2026, 12, 10, 14, 5, 9);
  ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"800"}}));
  EXPECT_EQ(Consulta("SELECT COLUMN_NAME,CHARACTER_MAXIMUM_LENGTH,IS_NULLABLE FROM "
                     "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND COLUMN_NAME IN "
                     "('DES_REGIMEN','SAT_MPAGO','NOM_EMP','NOM_CLI','NOM_PROV') ORDER BY 1"),
            (Filas{{"DES_REGIMEN", "100", "NO"},
                   {"NOM_CLI", "254", "NO"},
                   {"NOM_EMP", "254", "NO"},
                   {"NOM_PROV", "254", "NO"},
                   {"SAT_MPAGO", "50", "NO"}}));
  EXPECT_EQ(Consulta("SELECT COD_FRP,CLAVE_SAT FROM tblFormasPago ORDER BY COD_FRP"),
            (Filas{{"2", "2"}, {"3", ""}, {"4", "04"}, {"5", "O'"}, {"7", "99"}, {"8", "4"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO,USO_CFDI,CONF_CFDI FROM tblFacturasEnc ORDER BY FOLIO"),
            (Filas{{"1", "P01", ""}, {"2", "P01", "ABC"}, {"3", "G01", ""}}));
  EXPECT_EQ(Consulta("SELECT COD_UND,DES_UND,ENT_UND,PESA_UND,CVE_CFDI FROM tblCatUnidades ORDER BY COD_UND"),
            (Filas{{"ACT", "ACTIVIDAD", "1", "0", "ACT"},
                   {"CJA", "CAJA", "1", "0", "AB"},
                   {"KG", "KILO", "0", "1", "KGM"},
                   {"LT", "LITRO", "0", "0", "XYZ"},
                   {"M", "METRO", "0", "0", "ZZ"},
                   {"PAQ", "PAQUETE", "1", "0", "KIT"},
                   {"PZA", "PIEZA", "1", "0", "H87"}}));
  // Blank keys on invoice lines go to ZZ but for CJA/PAQ; Null keys take PZA/KG/LT's.
  EXPECT_EQ(Consulta("SELECT FOLIO,RENGLON,UND_CFDI,FOLIO_NV FROM tblFacturasRen ORDER BY 1,2"),
            (Filas{{"1", "1", "ZZ", ""},
                   {"1", "2", "H87", "NV1"},
                   {"1", "3", "", ""},
                   {"1", "4", "AB", ""},
                   {"2", "1", "", ""},
                   {"2", "2", "ZZ", ""},
                   {"2", "3", "H87", ""},
                   {"2", "4", "KIT", ""}}));
  EXPECT_EQ(Consulta("SELECT COD_IMP,EN_IMPORTE,CLAVE_CFDI FROM tblImpuestos ORDER BY 1"),
            (Filas{{"1", "0", "002"}, {"2", "9", "ZZZ"}, {"3", "1", "003"}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART,CVE_CFDI FROM tblCatArticulos ORDER BY 1"),
            (Filas{{"CAFE", "01010101"},
                   {"CAJA", "01010101"},
                   {"DEPURADO", "01010101"},
                   {"PAQ1", "1010101"},
                   {"QZ_CFDI33_VELMAR_SAT", "01010101"},
                   {"VTADIA", "50202301"}}));
  EXPECT_EQ(Consulta("SELECT FEC_UCO,FEC_CAMBIO FROM tblCatArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"2026-12-10", "NULL"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblGpoArticulos ORDER BY 1"),
            (Filas{{"CAFE", "3", "2"}, {"QZ_CFDI33_VELMAR_SAT", "1", "1"}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART,COD_UND,PCIO_PUNTOS FROM tblUndCosPreArt ORDER BY 1"),
            (Filas{{"CAFE", "PZA", "NULL"},
                   {"DEPURADO", "ACT", "NULL"},
                   {"QZ_CFDI33_VELMAR_SAT", "ACT", "0.0000"},
                   {"VTADIA", "ACT", "3.0000"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblPrecios ORDER BY 1"),
            (Filas{{"CAFE", "1", "PZA"}, {"VTADIA", "1", "ACT"}}));
  EXPECT_EQ(Consulta("SELECT COD_SUCU,FE_VERSION,FE_ACTUAL,PSE_CODPROV FROM tblParametrosGenerales ORDER BY 1"),
            (Filas{{"MATRIZ", "33", "1", "1"}, {"SUC01", "33", "1", "1"}, {"SUC02", "33", "1", "1"}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico ORDER BY RENGLON"),
            (Filas{{"1800-01-01"}, {"1800-01-01"}, {"2026-05-31"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblConceptos ORDER BY 1"), (Filas{{"1", "0"}, {"2", "1"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresSE"), (Filas{{"1", "Multicom®"}}));

  // A second pass duplicates nothing and changes only the invoice lines whose Null key the
  // first pass blanked (CJA, and a line without a unit): they now take the blank keys' rule.
  const Filas antes = Todo();
  ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  EXPECT_EQ(Todo(), antes);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT FOLIO,RENGLON,UND_CFDI FROM tblFacturasRen WHERE RENGLON IN(1,3) ORDER BY 1,2"),
            (Filas{{"1", "1", "ZZ"}, {"1", "3", "AB"}, {"2", "1", "ZZ"}, {"2", "3", "H87"}}));
}

// Before 2018 the invoices stay at 3.2; a missing table costs one entry and the rest runs.
TEST_F(Version80y81, Version80Before2018WithoutComandas) {
  bd_->EjecutaSql("DROP TABLE tblComandas;");
  prueba::RelojFijo reloj(2017, 12, 31, 10, 0, 0);
  ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  EXPECT_EQ(Consulta("SELECT COD_SUCU,FE_VERSION,FE_ACTUAL FROM tblParametrosGenerales ORDER BY 1"),
            (Filas{{"MATRIZ", "32", "0"}, {"SUC01", "32", "1"}, {"SUC02", "40", "0"}}));
  EXPECT_EQ(prueba::Encabezados(log_.Contenido()),
            (std::vector<std::string>{kEtiqueta80 + std::to_string(kFalla)}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"800"}}));
}

TEST_F(Version80y81, Version81AfterVersion80) {
  ModificarEstructura80(cnx_, ManejadorMySQL, 852);
  bd_->EjecutaSql("UPDATE tblCatUnidades SET CVE_CFDI='KIT' WHERE COD_UND='CJA';"
                  "UPDATE tblRenInvFisico SET FEC_CAD=NULL WHERE RENGLON=3;");
  ModificarEstructura81(cnx_, ManejadorMySQL, 800);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"810"}}));
  EXPECT_EQ(Consulta("SELECT CHARACTER_MAXIMUM_LENGTH FROM information_schema.COLUMNS WHERE "
                     "TABLE_SCHEMA=DATABASE() AND COLUMN_NAME='PEDIMENTO'"),
            (Filas{{"21"}}));
  EXPECT_EQ(Consulta("SELECT COD_UND,CVE_CFDI FROM tblCatUnidades WHERE COD_UND IN('PAQ','CJA') ORDER BY 1"),
            (Filas{{"CJA", "KIT"}, {"PAQ", "KT"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO,RENGLON,COD_UND,UND_CFDI,CVEART_CFDI FROM tblFacturasRen "
                     "WHERE FOLIO=2 ORDER BY 2"),
            (Filas{{"2", "1", "PZA", "", ""},
                   {"2", "2", "", "ZZ", ""},
                   {"2", "3", "NULL", "H87", ""},
                   {"2", "4", "PAQ", "KT", ""}}));
  EXPECT_EQ(Consulta("SELECT RFC_ORDEN,CUENTA_ORDEN,RFC_BENEF,CUENTA_BENEF,TIPCAD_PAGO,CERT_PAGO,"
                     "CAD_PAGO,SELLO_PAGO FROM tblAuxCaja"),
            (Filas{{"", "", "", "", "", "", "", ""}}));
  EXPECT_EQ(Consulta("SELECT CVEPAGO_SAT FROM tblFacturaElectronica"), (Filas{{""}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico WHERE RENGLON=3"), (Filas{{"1800-01-01"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblPuntos ORDER BY 1"),
            (Filas{{"C1", "1", "", "0"}, {"C2", "0", "", "0"}}));

  // The ladder retakes 8.1 at 8.1: the tokens are cleared again, nothing is duplicated.
  bd_->EjecutaSql("UPDATE tblPuntos SET TOKEN_ZEVOZOR='tok-3',PROMO_ZEVOZOR=2 WHERE COD_CLI='C2';");
  ModificarEstructura81(cnx_, ManejadorMySQL, 810);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblPuntos ORDER BY 1"),
            (Filas{{"C1", "1", "", "0"}, {"C2", "0", "", "0"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblProveedoresSE"), (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"810"}}));
}

// Without tblPuntos the climb stops at 8.1: nothing logged, the version stays.
TEST_F(Version80y81, Version81WithoutPuntosStops) {
  bd_->EjecutaSql("DROP TABLE tblPuntos;");
  EXPECT_THROW(ModificarEstructura81(cnx_, ManejadorMySQL, 740), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"740"}}));
  EXPECT_EQ(Consulta("SELECT COD_UND FROM tblFacturasRen WHERE FOLIO=2 AND RENGLON=1"), (Filas{{"NULL"}}));
}

}  // namespace
