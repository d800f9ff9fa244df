#include "steps/6x_7x/modVersion60.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Envio;
using prueba::Entrada;
using prueba::Filas;
using prueba::Reemplaza;
using prueba::SinVersion;
using ::testing::ElementsAreArray;

constexpr const char* kEtiqueta = "Error en ModificarEstructura60 :";
constexpr const char* kCerrado = prueba::kObjetoCerrado;
constexpr const char* kIdEmpresa = "SELECT * FROM tblIdEmpresa;";
constexpr const char* kVersion605 = "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (605,0);";
constexpr long kFalla = -2147217900;

// The statements of 6.0 for SQL Server, the version row left out, when tblIdEmpresa is
// empty.
const std::vector<std::string> kSqlServer = {
    "ALTER TABLE tblEmpresa ALTER COLUMN DIR1_EMP VARCHAR(70) NOT NULL;",
    "ALTER TABLE tblCajas ALTER COLUMN PASWD_SER VARCHAR(40) NOT NULL;",
    "ALTER TABLE tblUsuarios ALTER COLUMN PASS1_USU VARCHAR(40) NOT NULL;",
    "ALTER TABLE tblUsuarios ALTER COLUMN PASS2_USU VARCHAR(40) NOT NULL;",
    "DROP TABLE MGW10008;",
    "DROP TABLE MGW10038;",
    "DROP TABLE MGW10039;",
    "DROP TABLE POLIZASVERIFICADAS;",
    "DROP TABLE SINCPOLIZAS;",
    "UPDATE tblCostos SET NUM_LOT='' WHERE (NUM_LOT IS NULL);",
    "UPDATE tblRenAlmacen SET NUM_LOT='' WHERE (NUM_LOT IS NULL);",
    "UPDATE tblRenVentas SET NUM_LOT='' WHERE (NUM_LOT IS NULL);",
    "UPDATE tblFacturasRen SET NUM_LOT='' WHERE (NUM_LOT IS NULL);",
    "UPDATE tblCostos SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
    "UPDATE tblRenAlmacen SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
    "UPDATE tblRenVentas SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
    "UPDATE tblFacturasRen SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
    "UPDATE tblRenInvFisico SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
    "UPDATE tblArtRestringe SET FEC_INI='1800-01-01' WHERE (FEC_INI IS NULL);",
    "UPDATE tblArtRestringe SET FEC_FIN='2500-01-01' WHERE (FEC_FIN IS NULL);",
    "UPDATE tblOfertas SET FEC_FIN='2500-01-01' WHERE (FEC_FIN IS NULL);",
    "UPDATE tblAreasImpresion SET VER_MESERO=1 WHERE (VER_MESERO IS NULL);",
    "UPDATE tblAreasImpresion SET FOL_INI='' WHERE (FOL_INI IS NULL);",
    "UPDATE tblAreasImpresion SET FOL_FIN='' WHERE (FOL_FIN IS NULL);",
    "UPDATE tblAreasImpresion SET MESA_INI='' WHERE (MESA_INI IS NULL);",
    "UPDATE tblAreasImpresion SET MESA_FIN='' WHERE (MESA_FIN IS NULL);",
    "UPDATE tblAreasImpresion SET VER_CLI=1 WHERE (VER_CLI IS NULL);",
    "UPDATE tblAreasImpresion SET CLI_INI='' WHERE (CLI_INI IS NULL);",
    "UPDATE tblAreasImpresion SET CLI_FIN='' WHERE (CLI_FIN IS NULL);",
    "UPDATE tblAreasImpresion SET VER_AREAM=1 WHERE (VER_AREAM IS NULL);",
    "UPDATE tblAreasImpresion SET AREAM_INI='' WHERE (AREAM_INI IS NULL);",
    "UPDATE tblAreasImpresion SET AREAM_FIN='' WHERE (AREAM_FIN IS NULL);",
    "UPDATE tblCatClientes SET NOM_COM='' WHERE (NOM_COM IS NULL);",
    "UPDATE tblCatProveedor SET NOM_COM='' WHERE (NOM_COM IS NULL);",
    "UPDATE tblCajas SET USUARIO_SER='' WHERE (USUARIO_SER IS NULL);",
    "UPDATE tblPagoServicios SET COMIS_PAGO=0 WHERE (COMIS_PAGO IS NULL);",
    "UPDATE tblCatAgrupacionArt SET BLOQ_CAMBIO=0 WHERE (BLOQ_CAMBIO IS NULL);",
    "UPDATE tblOfertasAgr SET CAT_AGR=0 WHERE (CAT_AGR IS NULL);",
    "UPDATE tblPrecVolum SET CAN_INI=0 WHERE (CAN_INI IS NULL);",
    "UPDATE tblMesas SET CUPO_MAX=0 WHERE (CUPO_MAX IS NULL);",
    "UPDATE tblPuntos SET TOKEN_ZEVOZOR='' WHERE (TOKEN_ZEVOZOR IS NULL);",
    "UPDATE tblPuntos SET PROMO_ZEVOZOR=0 WHERE (PROMO_ZEVOZOR IS NULL);",
    "UPDATE tblParametrosGenerales SET FF_MESERO=0 WHERE (FF_MESERO IS NULL);",
    "UPDATE tblParametrosGenerales SET FF_NUMPERS=0 WHERE (FF_NUMPERS IS NULL);",
    "UPDATE tblRenVentas SET CLAVE_OFR='' WHERE (CLAVE_OFR IS NULL);",
    "UPDATE tblCatAgrupacionArt SET BLOQ_PCIO=0 WHERE (BLOQ_PCIO IS NULL);",
    "UPDATE tblIdEmpresa SET ID_EMPRESA='' WHERE (ID_EMPRESA IS NULL);",
    kIdEmpresa,
    "INSERT INTO tblIdEmpresa (ID_EMPRESA) VALUES ('');",
    "UPDATE tblAuxCaja SET COD_TERMINAL=0 WHERE (COD_TERMINAL IS NULL);",
    "UPDATE tblAuxCaja SET COD_TCPROMO=0 WHERE (COD_TCPROMO IS NULL);",
    "UPDATE tblBitacoraTC SET NUM_TERMINAL='' WHERE (NUM_TERMINAL IS NULL);",
    "UPDATE tblBitacoraTC SET COD_TCPROMO=0 WHERE (COD_TCPROMO IS NULL);",
    "UPDATE tblTemporalesTC SET NUM_TERMINAL='' WHERE (NUM_TERMINAL IS NULL);",
    "UPDATE tblTemporalesTC SET COD_TCPROMO=0 WHERE (COD_TCPROMO IS NULL);",
    "ALTER TABLE tblRenMesas DROP COLUMN COD2_ART;",
};

// MS Access differs from SQL Server only in its column types and date literals.
std::vector<std::string> FormaAccess() {
  std::vector<std::string> textos;
  for (std::string t : kSqlServer) {
    t = Reemplaza(t, "VARCHAR(70) NOT NULL;", "TEXT(70);");
    t = Reemplaza(t, "VARCHAR(40) NOT NULL;", "TEXT(40);");
    t = Reemplaza(t, "'1800-01-01'", "#1800/01/01#");
    textos.push_back(Reemplaza(t, "'2500-01-01'", "#2500/01/01#"));
  }
  return textos;
}

class Version60Grabada : public prueba::RutinaGrabada {};

TEST_F(Version60Grabada, SqlServerAndAccessForms) {
  db_.Responde(kIdEmpresa, prueba::SinFilas({"ID_EMPRESA"}));
  ModificarEstructura60(cnx_, ManejadorSQLServer);
  EXPECT_THAT(SinVersion(db_.Textos()), ElementsAreArray(kSqlServer));
  EXPECT_TRUE(Envio(db_.Textos(), kVersion605));
  const std::size_t antes = db_.Textos().size();
  ModificarEstructura60(cnx_, ManejadorAccess);
  const std::vector<std::string> todos = db_.Textos();
  const std::vector<std::string> access(todos.begin() + static_cast<long>(antes), todos.end());
  EXPECT_THAT(SinVersion(access), ElementsAreArray(FormaAccess()));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// Every statement runs under the handler: a failure is logged and the next one runs, up
// to the version row. A failed lookup of tblIdEmpresa is logged with its test and close,
// and the insert it guards is still sent.
TEST_F(Version60Grabada, FailuresAreLoggedAndSkipped) {
  db_.Responde(kIdEmpresa, {{"ID_EMPRESA"}, {{""}}});
  db_.Falla("DROP TABLE MGW10038;", kFalla, "Cannot drop the table 'MGW10038'");
  db_.Falla(kSqlServer[0], kFalla, "refused");
  db_.Falla(kSqlServer.back(), kFalla, "no COD2_ART");
  ModificarEstructura60(cnx_, ManejadorSQLServer);
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta, kFalla, "refused") +
                                  Entrada(kEtiqueta, kFalla, "Cannot drop the table 'MGW10038'") +
                                  Entrada(kEtiqueta, kFalla, "no COD2_ART"));
  EXPECT_TRUE(Envio(db_.Textos(), "DROP TABLE MGW10039;"));
  EXPECT_FALSE(Envio(db_.Textos(), "INSERT INTO tblIdEmpresa (ID_EMPRESA) VALUES ('');"))
      << "a table that holds a row gets none";
  EXPECT_TRUE(Envio(db_.Textos(), kVersion605));
}

TEST_F(Version60Grabada, TheCompanyLookupCannotOpen) {
  db_.Falla(kIdEmpresa, kFalla, "Invalid object name 'tblIdEmpresa'.");
  ModificarEstructura60(cnx_, ManejadorSQLServer);
  EXPECT_THAT(SinVersion(db_.Textos()), ElementsAreArray(kSqlServer));
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta, kFalla, "Invalid object name 'tblIdEmpresa'.") +
                                  Entrada(kEtiqueta, 3704, kCerrado) +
                                  Entrada(kEtiqueta, 3704, kCerrado));
  EXPECT_TRUE(Envio(db_.Textos(), kVersion605));
}

// ------------------------------------------------------------ on MariaDB

class Version60 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_599.sql");
  }
  Filas Columna(const char* tabla, const char* columna) const {
    return Consulta(std::string("SELECT CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE FROM "
                                "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND "
                                "TABLE_NAME='") +
                    tabla + "' AND COLUMN_NAME='" + columna + "'");
  }
};

TEST_F(Version60, FromTheFixtureAt599AndAgain) {
  ModificarEstructura60(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << "missing accounting tables are dropped IF EXISTS: "
                              << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"605", "0"}}));

  EXPECT_EQ(Columna("tblEmpresa", "DIR1_EMP"), (Filas{{"70", "NO"}}));
  EXPECT_EQ(Columna("tblCajas", "PASWD_SER"), (Filas{{"40", "NO"}}));
  EXPECT_EQ(Columna("tblUsuarios", "PASS1_USU"), (Filas{{"40", "NO"}}));
  EXPECT_EQ(Columna("tblUsuarios", "PASS2_USU"), (Filas{{"40", "NO"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM information_schema.TABLES WHERE "
                     "TABLE_SCHEMA=DATABASE() AND TABLE_NAME IN ('MGW10008','SINCPOLIZAS')"),
            (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT DIR1_EMP FROM tblEmpresa"), (Filas{{"AV. REFORMA 10"}}));

  // Missing and zero dates become 1800-01-01 (expiry, start) or 2500-01-01 (end); real
  // dates and batch numbers stay.
  EXPECT_EQ(Consulta("SELECT NUM_LOT, FEC_CAD FROM tblCostos ORDER BY COD1_ART"),
            (Filas{{"", "1800-01-01"}, {"L2", "1800-01-01"}, {"L3", "2027-05-31"}}));
  EXPECT_EQ(Consulta("SELECT NUM_LOT, FEC_CAD FROM tblRenAlmacen ORDER BY FOLIO"),
            (Filas{{"", "1800-01-01"}, {"L9", "1800-01-01"}}));
  EXPECT_EQ(Consulta("SELECT NUM_LOT, FEC_CAD, CLAVE_OFR FROM tblRenVentas ORDER BY FOLIO"),
            (Filas{{"", "1800-01-01", ""}, {"L1", "2026-01-31", "OF1"}}));
  EXPECT_EQ(Consulta("SELECT NUM_LOT, FEC_CAD FROM tblFacturasRen ORDER BY RENGLON"),
            (Filas{{"", "1800-01-01"}, {"L1", "1800-01-01"}, {"L2", "2026-02-28"}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico ORDER BY FOLIO"),
            (Filas{{"1800-01-01"}, {"1800-01-01"}, {"2026-03-31"}}));
  EXPECT_EQ(Consulta("SELECT FEC_INI, FEC_FIN FROM tblArtRestringe ORDER BY COD1_ART"),
            (Filas{{"1800-01-01", "2500-01-01"},
                   {"1800-01-01", "2500-01-01"},
                   {"2025-01-01", "2025-12-31"}}));
  EXPECT_EQ(Consulta("SELECT FEC_FIN FROM tblOfertas ORDER BY CLAVE_OFR"),
            (Filas{{"2500-01-01"}, {"2500-01-01"}}));

  // The Null fills; values already there stay.
  EXPECT_EQ(Consulta("SELECT * FROM tblAreasImpresion ORDER BY COD_AREA"),
            (Filas{{"1", "1", "", "", "", "", "1", "", "", "1", "", ""},
                   {"2", "0", "<", ">", "[", "]", "0", "(", ")", "0", "{", "}"}}));
  EXPECT_EQ(Consulta("SELECT NOM_COM FROM tblCatClientes ORDER BY COD_CLI"),
            (Filas{{""}, {"LA ESQUINA"}}));
  EXPECT_EQ(Consulta("SELECT NOM_COM FROM tblCatProveedor"), (Filas{{""}}));
  EXPECT_EQ(Consulta("SELECT USUARIO_SER FROM tblCajas ORDER BY COD_CAJ LIMIT 2"),
            (Filas{{""}, {"usr2"}}));
  EXPECT_EQ(Consulta("SELECT COMIS_PAGO FROM tblPagoServicios ORDER BY FOLIO"),
            (Filas{{"0.0000"}, {"7.5000"}}));
  EXPECT_EQ(Consulta("SELECT BLOQ_CAMBIO, BLOQ_PCIO FROM tblCatAgrupacionArt ORDER BY COD_AGR"),
            (Filas{{"0", "0"}, {"1", "1"}}));
  EXPECT_EQ(Consulta("SELECT CAT_AGR FROM tblOfertasAgr"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT CAN_INI FROM tblPrecVolum"), (Filas{{"0.0000"}}));
  EXPECT_EQ(Consulta("SELECT CUPO_MAX FROM tblMesas ORDER BY MESA"), (Filas{{"0"}, {"4"}}));
  EXPECT_EQ(Consulta("SELECT TOKEN_ZEVOZOR, PROMO_ZEVOZOR FROM tblPuntos"), (Filas{{"", "0"}}));
  EXPECT_EQ(Consulta("SELECT FF_MESERO, FF_NUMPERS FROM tblParametrosGenerales"),
            (Filas{{"0", "1"}}));
  EXPECT_EQ(Consulta("SELECT COD_TERMINAL, COD_TCPROMO FROM tblAuxCaja ORDER BY FOLIO"),
            (Filas{{"0", "0"}, {"3", "4"}}));
  EXPECT_EQ(Consulta("SELECT NUM_TERMINAL, COD_TCPROMO FROM tblBitacoraTC ORDER BY FOLIO"),
            (Filas{{"", "0"}, {"T2", "1"}}));
  EXPECT_EQ(Consulta("SELECT NUM_TERMINAL, COD_TCPROMO FROM tblTemporalesTC"),
            (Filas{{"", "0"}}));
  EXPECT_EQ(Consulta("SELECT ID_EMPRESA FROM tblIdEmpresa"), (Filas{{""}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblRenMesas"), (Filas{{"M1", "A1"}}));

  // Again at 605: the fills find nothing, tblIdEmpresa keeps its one row, and only the
  // drop of the column already gone fails.
  ModificarEstructura60(cnx_, ManejadorMySQL);
  const std::string log = log_.Contenido();
  EXPECT_THAT(prueba::Encabezados(log),
              ElementsAreArray({std::string(kEtiqueta) + std::to_string(kFalla)}));
  EXPECT_THAT(log, ::testing::HasSubstr("Can't DROP COLUMN `COD2_ART`"));
  EXPECT_EQ(Consulta("SELECT ID_EMPRESA FROM tblIdEmpresa"), (Filas{{""}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"605"}}));
}

// A table that holds rows keeps them, its Null identifiers turned into the empty text.
TEST_F(Version60, CompanyIdentifiersThatAreThere) {
  bd_->EjecutaSql("INSERT INTO tblIdEmpresa VALUES (NULL), ('EMP01');");
  ModificarEstructura60(cnx_, ManejadorMySQL);
  EXPECT_EQ(Consulta("SELECT ID_EMPRESA FROM tblIdEmpresa ORDER BY 1"), (Filas{{""}, {"EMP01"}}));
}

}  // namespace
