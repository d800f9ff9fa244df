#include "steps/5x/modVersion58.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kEtiqueta = "Error en ActualizaCamposVersion58 :";
constexpr const char* kCerrado = prueba::kObjetoCerrado;
constexpr const char* kM050 = "SELECT * FROM tblMontosTA WHERE (CLAVE_TA='M050');";
constexpr const char* kInsertaM050 =
    "INSERT tblMontosTA (COD_EMPRESA,MONTO_TA,CLAVE_TA) VALUES (1,50,'M050');";
constexpr const char* kEncabezados = "SELECT FOL_DOC,COD_ALM FROM tblComprasEnc ORDER BY FOL_DOC;";
constexpr const char* kVersion580 = "INSERT INTO tblVersion (VER) VALUES (580);";

const std::vector<std::string> kBorraColumnas = {
    "ALTER TABLE tblBitacoraComanda DROP COLUMN COD_CON;",
    "ALTER TABLE tblBitacoraComanda DROP COLUMN PRE_INI;",
    "ALTER TABLE tblBitacoraComanda DROP COLUMN PRE_FIN;"};

constexpr const char* kSinAlmacenMySQL = "(COD_ALM IS NULL) OR (LENGTH(COD_ALM)=0)";
constexpr const char* kSinAlmacen = "(COD_ALM IS NULL) OR (LEN(COD_ALM)=0)";

// The entry of a purchase header without a folio or a warehouse, which is skipped.
std::string EncabezadoOmitido(const std::string& valores) {
  return Entrada(kEtiqueta, 94,
                 std::string(prueba::kNuloNoValido) + ": tblComprasEnc " + valores +
                     "; se omite el encabezado");
}

std::string CopiaAlmacen(const std::string& almacen, const std::string& folio,
                         const std::string& sinAlmacen) {
  return "UPDATE tblComprasRen SET COD_ALM='" + almacen + "' WHERE (FOL_DOC='" + folio +
         "') AND (" + sinAlmacen + ");";
}

// What follows the 28 fills (checked by their effect on MariaDB): the M050 lookup and,
// when it finds nothing, the insert; the column drops; the header query and the copies;
// the version row.
std::vector<std::string> TrasLosRellenos(bool insertaM050, const std::vector<std::string>& copias) {
  std::vector<std::string> s = {kM050};
  if (insertaM050) s.push_back(kInsertaM050);
  s.insert(s.end(), kBorraColumnas.begin(), kBorraColumnas.end());
  s.push_back(kEncabezados);
  s.insert(s.end(), copias.begin(), copias.end());
  s.insert(s.end(), {"SELECT * FROM tblVersion;", kVersion580, "DELETE FROM tblVersion WHERE VER<>580;"});
  return s;
}

constexpr std::size_t kRellenos = 28;

std::vector<std::string> Desde(const std::vector<std::string>& textos, std::size_t inicio) {
  if (inicio > textos.size()) return {};
  return {textos.begin() + static_cast<long>(inicio), textos.end()};
}

class Version58Grabada : public prueba::RutinaGrabada {};

// Every engine gets the same text but for the warehouse test: LENGTH on MySQL, LEN on
// SQL Server and MS Access.
TEST_F(Version58Grabada, TheEnginesDifferOnlyInTheWarehouseTest) {
  db_.Responde(kM050, {{"CLAVE_TA"}, {{"M050"}}});
  db_.Responde(kEncabezados, {{"FOL_DOC", "COD_ALM"}, {{"C001", "01"}, {"C003", ""}}});
  std::vector<std::vector<std::string>> porMotor;
  for (std::int16_t iManejador : {ManejadorMySQL, ManejadorSQLServer, ManejadorAccess}) {
    const std::size_t antes = db_.Textos().size();
    ActualizaCamposVersion58(cnx_, iManejador);
    porMotor.push_back(Desde(db_.Textos(), antes));
  }
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  for (const auto& textos : porMotor) ASSERT_GT(textos.size(), kRellenos);

  const std::vector<std::string> rellenos(porMotor[0].begin(), porMotor[0].begin() + kRellenos);
  EXPECT_EQ(rellenos[4], "DROP INDEX idxFOLIO_NV ON tblNotasPorFactura;");
  EXPECT_THAT(
      Desde(porMotor[0], kRellenos),
      ElementsAreArray(TrasLosRellenos(false, {CopiaAlmacen("01", "C001", kSinAlmacenMySQL),
                                               CopiaAlmacen("", "C003", kSinAlmacenMySQL)})));
  for (std::size_t motor : {1u, 2u}) {
    EXPECT_EQ(
        std::vector<std::string>(porMotor[motor].begin(), porMotor[motor].begin() + kRellenos),
        rellenos);
    EXPECT_THAT(Desde(porMotor[motor], kRellenos),
                ElementsAreArray(TrasLosRellenos(false, {CopiaAlmacen("01", "C001", kSinAlmacen),
                                                         CopiaAlmacen("", "C003", kSinAlmacen)})));
  }
}

// ------------------------------------------------------------ handler states

constexpr long kFalla = -2147217900;

struct CasoDeFalla {
  const char* nombre;
  std::string falla;     // the statement that fails
  bool llegaAlLlamador;  // the failure leaves the routine
  std::string log;
};

void PrintTo(const CasoDeFalla& caso, std::ostream* os) { *os << caso.nombre; }

class Version58Fallas : public prueba::RutinaGrabada,
                        public ::testing::WithParamInterface<CasoDeFalla> {};

TEST_P(Version58Fallas, HandlerStateOfEachStretch) {
  db_.Responde(kM050, SinFilas({"CLAVE_TA"}));
  db_.Responde(kEncabezados, {{"FOL_DOC", "COD_ALM"}, {{"C001", "01"}, {"C002", "02"}}});
  db_.Falla(GetParam().falla, kFalla, "refused");
  if (GetParam().llegaAlLlamador)
    EXPECT_THROW(ActualizaCamposVersion58(cnx_, ManejadorSQLServer), vb::Error);
  else
    EXPECT_NO_THROW(ActualizaCamposVersion58(cnx_, ManejadorSQLServer));
  EXPECT_EQ(log_.Contenido(), GetParam().log);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(std::find(textos.begin(), textos.end(), kVersion580) != textos.end(),
            !GetParam().llegaAlLlamador);
  const bool siguioConLaCopia = std::find(textos.begin(), textos.end(),
                                          CopiaAlmacen("02", "C002", kSinAlmacen)) != textos.end();
  EXPECT_EQ(siguioConLaCopia, !GetParam().llegaAlLlamador);
}

const std::string kRechazo = Entrada(kEtiqueta, kFalla, "refused");

INSTANTIATE_TEST_SUITE_P(
    Cases, Version58Fallas,
    ::testing::Values(
        CasoDeFalla{"AFill", "UPDATE tblTiposPago SET PAGO_CFDI=0 WHERE (PAGO_CFDI IS NULL);",
                    false, kRechazo},
        CasoDeFalla{"TheIndexDrop", "DROP INDEX idxFOLIO_NV ON tblNotasPorFactura;", false,
                    kRechazo},
        CasoDeFalla{"TheM050Insert", kInsertaM050, false, kRechazo},
        CasoDeFalla{"AColumnDrop", kBorraColumnas[1], false, kRechazo},
        CasoDeFalla{"TheHeaderQuery", kEncabezados, true, ""},
        CasoDeFalla{"AWarehouseCopy", CopiaAlmacen("01", "C001", kSinAlmacen), true, ""}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A failed M050 lookup is logged with its test and close; the failed test holds, so the
// insert is sent.
class Version58Lecturas : public prueba::RutinaGrabada {};

TEST_F(Version58Lecturas, TheM050LookupCannotOpen) {
  db_.Falla(kM050, kFalla, "Table 'tblMontosTA' doesn't exist");
  db_.Responde(kEncabezados, SinFilas({"FOL_DOC", "COD_ALM"}));
  ActualizaCamposVersion58(cnx_, ManejadorMySQL);
  EXPECT_THAT(Desde(db_.Textos(), kRellenos), ElementsAreArray(TrasLosRellenos(true, {})));
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta, kFalla, "Table 'tblMontosTA' doesn't exist") +
                                  Entrada(kEtiqueta, 3704, kCerrado) +
                                  Entrada(kEtiqueta, 3704, kCerrado));
}

// Headers without a folio or a warehouse are logged and skipped; a quote or a backslash
// in a value read goes into the statement quoted.
TEST_F(Version58Lecturas, HeadersWithNullsAndQuotes) {
  db_.Responde(kM050, {{"CLAVE_TA"}, {{"M050"}}});
  db_.Responde(kEncabezados, {{"FOL_DOC", "COD_ALM"},
                              {{Variant::Null(), Variant("09")},
                               {Variant("C002"), Variant("O'B\\2")},
                               {Variant("C004"), Variant::Null()},
                               {Variant("C'5"), Variant("05")}}});
  ActualizaCamposVersion58(cnx_, ManejadorMySQL);
  EXPECT_THAT(
      Desde(db_.Textos(), kRellenos),
      ElementsAreArray(TrasLosRellenos(false, {CopiaAlmacen("O''B\\\\2", "C002", kSinAlmacenMySQL),
                                               CopiaAlmacen("05", "C''5", kSinAlmacenMySQL)})));
  EXPECT_EQ(log_.Contenido(), EncabezadoOmitido("FOL_DOC=Null, COD_ALM='09'") +
                                  EncabezadoOmitido("FOL_DOC='C004', COD_ALM=Null"));
}

// ------------------------------------------------------------ on MariaDB

class Version58 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_570.sql");
  }
  Filas Columnas(const char* tabla) const {
    return Consulta(std::string("SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE "
                                "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='") +
                    tabla + "' ORDER BY ORDINAL_POSITION");
  }
};

const std::string kEncabezadosNulos = EncabezadoOmitido("FOL_DOC=Null, COD_ALM='09'") +
                                      EncabezadoOmitido("FOL_DOC='C004', COD_ALM=Null");

TEST_F(Version58, FromADatabaseAt57) {
  ActualizaCamposVersion58(cnx_, ManejadorMySQL);

  // Only the two headers that have nothing to give are written to the log.
  EXPECT_EQ(log_.Contenido(), kEncabezadosNulos);
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"580", "0"}}))
      << "the version row leaves CXC_CENTRAL to its default";

  EXPECT_EQ(Consulta("SELECT PAGO_CFDI, CAR_DET FROM tblTiposPago ORDER BY COD_TIPO"),
            (Filas{{"0", "0"}, {"3", "1"}}));
  EXPECT_EQ(Consulta("SELECT METODO_PAGO, CUENTA_PAGO FROM tblCatClientes ORDER BY COD_CLI"),
            (Filas{{"1", ""}, {"1", "9876"}, {"3", ""}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM information_schema.STATISTICS WHERE "
                     "TABLE_SCHEMA=DATABASE() AND INDEX_NAME='idxFOLIO_NV'"),
            (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT UND_CFDI FROM tblCatArticulos ORDER BY COD1_ART"),
            (Filas{{"5"}, {"1"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT COD_BARRAS FROM tblUndCosPreArt ORDER BY COD1_ART"),
            (Filas{{""}, {"7501"}}));
  EXPECT_EQ(Consulta("SELECT FE_DESCTO, FE_ORIGEN, FE_DESCUND, CP_PREVIO, CP_RECPREV, LOT_SAL, "
                     "FE_LOT, FE_CAD, PRECIO_BASE, PRECIO_DECIMAL, PRECIO_TRUNCAR FROM "
                     "tblParametrosGenerales"),
            (Filas{{"1", "0", "1", "0", "1", "0", "1", "0", "0", "4", "0"}}));
  // Profile 0 gets the complement; non-zero permissions become 1, 0 and Null stay.
  EXPECT_EQ(Consulta("SELECT COD_PERFIL, CP_COMPLEMENTO, PV_BLOQUEARAPAR, FF_MOVSMESACUENTA "
                     "FROM tblPerfilPermisos ORDER BY COD_PERFIL"),
            (Filas{{"0", "1", "1", "1"},
                   {"1", "0", "0", "0"},
                   {"2", "0", "1", "1"},
                   {"3", "1", "NULL", "NULL"}}));
  EXPECT_EQ(Consulta("SELECT NO_OC FROM tblCatProveedor ORDER BY COD_PROV"),
            (Filas{{"1"}, {"1"}, {"2"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, COD_ACCION, IMPORTE, MESA2, COD_CAJA FROM tblBitacoraComanda "
                     "ORDER BY FOLIO"),
            (Filas{{"1", "205", "0.0000", "", "0"},
                   {"2", "205", "15.5000", "M2", "1"},
                   {"3", "101", "0.0000", "", "2"}}));
  EXPECT_EQ(Columnas("tblBitacoraComanda"),
            (Filas{{"FOLIO"}, {"COD_ACCION"}, {"IMPORTE"}, {"MESA2"}, {"COD_CAJA"}}));
  // M050 is back with carrier 1; nothing is added.
  EXPECT_EQ(Consulta("SELECT COD_EMPRESA, MONTO_TA, CLAVE_TA FROM tblMontosTA ORDER BY MONTO_TA"),
            (Filas{{"1", "20", "M020"}, {"1", "50", "M050"}, {"2", "100", "T100"}}));
  // Lines without a warehouse take their header's, quote and backslash included; lines
  // with one keep it; the headers without folio or warehouse leave theirs as they were.
  EXPECT_EQ(Consulta("SELECT FOL_DOC, RENGLON, COD_ALM FROM tblComprasRen ORDER BY 1, 2"),
            (Filas{{"NULL", "1", "NULL"},
                   {"C001", "1", "01"},
                   {"C001", "2", "01"},
                   {"C001", "3", "02"},
                   {"C002", "1", "O'B\\2"},
                   {"C003", "1", ""},
                   {"C003", "2", "03"},
                   {"C004", "1", "NULL"},
                   {"C004", "2", ""},
                   {"C005", "1", "05"}}));
}

TEST_F(Version58, WithoutAnM050Row) {
  bd_->EjecutaSql("DELETE FROM tblMontosTA WHERE CLAVE_TA='M050';");
  ActualizaCamposVersion58(cnx_, ManejadorMySQL);
  EXPECT_EQ(Consulta("SELECT COD_EMPRESA, MONTO_TA FROM tblMontosTA WHERE CLAVE_TA='M050'"),
            (Filas{{"1", "50"}}));
}

// Run again (as after a stop in the warehouse copy): the index and the columns are gone,
// one entry each, and nothing else changes.
TEST_F(Version58, SecondRun) {
  ActualizaCamposVersion58(cnx_, ManejadorMySQL);
  const Filas lineas = Consulta("SELECT * FROM tblComprasRen ORDER BY 1, 2");
  const Filas permisos = Consulta("SELECT * FROM tblPerfilPermisos ORDER BY 1");
  const std::string primera = log_.Contenido();
  ActualizaCamposVersion58(cnx_, ManejadorMySQL);

  const std::string segunda = log_.Contenido().substr(primera.size());
  EXPECT_THAT(segunda, ::testing::StartsWith("\r\n" + std::string(kEtiqueta) + "-2147"));
  EXPECT_THAT(segunda, ::testing::HasSubstr("idxFOLIO_NV"));
  EXPECT_THAT(segunda, ::testing::HasSubstr("PRE_FIN"));
  EXPECT_THAT(segunda, ::testing::EndsWith(kEncabezadosNulos));
  EXPECT_EQ(std::count(segunda.begin(), segunda.end(), '\n'), 3 * (4 + 2)) << segunda;
  EXPECT_EQ(Consulta("SELECT * FROM tblComprasRen ORDER BY 1, 2"), lineas);
  EXPECT_EQ(Consulta("SELECT * FROM tblPerfilPermisos ORDER BY 1"), permisos);
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblMontosTA WHERE CLAVE_TA='M050'"), (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"580"}}));
}

}  // namespace
