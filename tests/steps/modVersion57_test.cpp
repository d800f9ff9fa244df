#include "steps/5x/modVersion57.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/DireccionTiempoAire.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kEtiqueta = "Error en ActualizaCamposVersion57 :";
constexpr const char* kSucursal = "SELECT COD_SUCU FROM tblParametrosGenerales;";
constexpr const char* kCerrado = prueba::kObjetoCerrado;

// Every statement of the routine, with the branch code and the emptiness test given.
std::vector<std::string> Sentencias57(const std::string& sucursal, const std::string& vacio) {
  return {"UPDATE tblCatClientes SET METODO_PAGO=1 WHERE (METODO_PAGO IS NULL);",
          "UPDATE tblCatClientes SET CUENTA_PAGO='' WHERE (CUENTA_PAGO IS NULL);",
          "UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO WHERE (TA_USUARIO2 IS NULL);",
          "UPDATE tblCajas SET TA_USUARIO2 = TA_USUARIO WHERE (TA_USUARIO2='');",
          "UPDATE tblCajas SET TA_PASSWORD2 = TA_PASSWORD WHERE (TA_PASSWORD2 IS NULL);",
          "UPDATE tblCajas SET TA_PASSWORD2 = TA_PASSWORD WHERE (TA_PASSWORD2='');",
          "UPDATE tblParametrosGenerales SET TA_URL='https://tiempoaire.velmar.mx';",
          "UPDATE tblParametrosGenerales SET FE_PFX='' WHERE (FE_PFX IS NULL);",
          "UPDATE tblFacturaElectronica SET CONCILIADA=0 WHERE (CONCILIADA IS NULL);",
          kSucursal,
          "UPDATE tblAuxCaja SET COD_SUCU='" + sucursal + "' WHERE (COD_SUCU IS NULL) OR (" +
              vacio + ");",
          "UPDATE tblCortes SET COD_SUCU='" + sucursal + "' WHERE (COD_SUCU IS NULL) OR (" + vacio +
              ");",
          "SELECT * FROM tblVersion;",
          "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (570,0);",
          "DELETE FROM tblVersion WHERE VER<>570;"};
}

struct FormaDelDialecto {
  std::int16_t iManejador;
  std::string vacio;
};

void PrintTo(const FormaDelDialecto& forma, std::ostream* os) {
  *os << "code " << forma.iManejador;
}

class Version57Grabada : public prueba::RutinaGrabada,
                         public ::testing::WithParamInterface<FormaDelDialecto> {};

// Only MySQL names the length function LENGTH; everything else is the same text.
TEST_P(Version57Grabada, StatementsOfTheDialect) {
  db_.Responde(kSucursal, {{"COD_SUCU"}, {{"MATRIZ"}, {"NORTE"}}});
  ActualizaCamposVersion57(cnx_, GetParam().iManejador);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(Sentencias57("MATRIZ", GetParam().vacio)));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(Dialects, Version57Grabada,
                         ::testing::Values(FormaDelDialecto{4, "LENGTH(COD_SUCU)=0"},
                                           FormaDelDialecto{3, "LEN(COD_SUCU)=0"},
                                           FormaDelDialecto{2, "LEN(COD_SUCU)=0"}),
                         [](const auto& info) {
                           return "Code" + std::to_string(info.param.iManejador);
                         });

// When the branch code cannot be had, the failure is logged and the rows get the empty
// text; nothing stops the routine.
struct CasoDeSucursal {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> guion;
  std::string log;
};

void PrintTo(const CasoDeSucursal& caso, std::ostream* os) { *os << caso.nombre; }

class Version57SinSucursal : public prueba::RutinaGrabada,
                             public ::testing::WithParamInterface<CasoDeSucursal> {};

TEST_P(Version57SinSucursal, FillsWithTheEmptyText) {
  GetParam().guion(db_);
  ActualizaCamposVersion57(cnx_, ManejadorSQLServer);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(Sentencias57("", "LEN(COD_SUCU)=0")));
  EXPECT_EQ(log_.Contenido(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Version57SinSucursal,
    ::testing::Values(
        CasoDeSucursal{"NoParameterRow",
                       [](auto& db) { db.Responde(kSucursal, SinFilas({"COD_SUCU"})); }, ""},
        CasoDeSucursal{"ANullBranchCode",
                       [](auto& db) {
                         db.Responde(kSucursal, {{"COD_SUCU"}, {{Variant::Null()}}});
                       },
                       Entrada(kEtiqueta, 94, prueba::kNuloNoValido)},
        CasoDeSucursal{
            "ALookupThatCannotOpen",
            [](auto& db) { db.Falla(kSucursal, -2147217900, "Unknown column 'COD_SUCU'"); },
            Entrada(kEtiqueta, -2147217900, "Unknown column 'COD_SUCU'") +
                Entrada(kEtiqueta, 3704, kCerrado) + Entrada(kEtiqueta, 3704, kCerrado) +
                Entrada(kEtiqueta, 3704, kCerrado)}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ on MariaDB

class Version57 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_560.sql");
  }
  Filas Sucursales() const {
    return Consulta(
        "SELECT 'aux', FOLIO, COD_SUCU FROM tblAuxCaja UNION ALL "
        "SELECT 'corte', FOLIO, COD_SUCU FROM tblCortes ORDER BY 1, 2");
  }
};

TEST_F(Version57, FromADatabaseAt56) {
  ActualizaCamposVersion57(cnx_, ManejadorMySQL);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"570", "0"}}));
  EXPECT_EQ(Consulta("SELECT METODO_PAGO, CUENTA_PAGO FROM tblCatClientes ORDER BY COD_CLI"),
            (Filas{{"1", ""}, {"0", "9876"}, {"3", ""}}));
  // The second pair takes the first where it is Null or empty, each column on its own.
  EXPECT_EQ(Consulta("SELECT TA_USUARIO2, TA_PASSWORD2 FROM tblCajas ORDER BY COD_CAJA"),
            (Filas{{"tienda01", "clave01"}, {"tienda02", "clave02"}, {"otro03", "otra03"}}));
  EXPECT_EQ(Consulta("SELECT TA_URL, FE_PFX FROM tblParametrosGenerales"),
            (Filas{{kDireccionTiempoAire, ""}}));
  EXPECT_EQ(Consulta("SELECT CONCILIADA FROM tblFacturaElectronica ORDER BY FOLIO"),
            (Filas{{"0"}, {"1"}}));
  EXPECT_EQ(Sucursales(), (Filas{{"aux", "1", "MATRIZ"},
                                 {"aux", "2", "MATRIZ"},
                                 {"aux", "3", "NORTE"},
                                 {"corte", "1", "MATRIZ"},
                                 {"corte", "2", "NORTE"},
                                 {"corte", "3", "MATRIZ"}}));
}

// A branch code with a quote and a backslash reaches the rows as it is.
TEST_F(Version57, ABranchCodeWithAQuoteAndABackslash) {
  bd_->EjecutaSql("UPDATE tblParametrosGenerales SET COD_SUCU='O''HIG\\\\2';");
  ActualizaCamposVersion57(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Sucursales(), (Filas{{"aux", "1", "O'HIG\\2"},
                                 {"aux", "2", "O'HIG\\2"},
                                 {"aux", "3", "NORTE"},
                                 {"corte", "1", "O'HIG\\2"},
                                 {"corte", "2", "NORTE"},
                                 {"corte", "3", "O'HIG\\2"}}));
}

// Codes that were read back short (a letter whose UTF-16 unit ends in 0xD8-0xDB, a NUL,
// another plane) reach the rows byte for byte.
TEST_F(Version57, BranchCodesOfAnyCharactersReachTheRowsWhole) {
  const std::string hexCasos[] = {
      "5327C39A5CC398",        // S'Ú\Ø
      "C39A00C398",            // Ú NUL Ø
      "F09F988043C39BC399",    // 😀CÛÙ
  };
  for (const std::string& hex : hexCasos) {
    const std::string codigo = "CONVERT(X'" + hex + "' USING utf8mb4)";
    bd_->EjecutaSql("UPDATE tblParametrosGenerales SET COD_SUCU=" + codigo +
                    "; UPDATE tblAuxCaja SET COD_SUCU=NULL WHERE FOLIO<3;"
                    " UPDATE tblCortes SET COD_SUCU='' WHERE FOLIO<>2;");
    ActualizaCamposVersion57(cnx_, ManejadorMySQL);
    EXPECT_FALSE(log_.Existe()) << log_.Contenido();
    EXPECT_EQ(Consulta("SELECT 'aux', FOLIO, HEX(COD_SUCU) FROM tblAuxCaja UNION ALL "
                       "SELECT 'corte', FOLIO, HEX(COD_SUCU) FROM tblCortes ORDER BY 1, 2"),
              (Filas{{"aux", "1", hex},
                     {"aux", "2", hex},
                     {"aux", "3", "4E4F525445"},
                     {"corte", "1", hex},
                     {"corte", "2", "4E4F525445"},
                     {"corte", "3", hex}}))
        << hex;
  }
}

// Of several parameter rows the first gives the branch; without any, the gaps get the
// empty text and the address changes no row.
TEST_F(Version57, ParameterRows) {
  bd_->EjecutaSql("INSERT INTO tblParametrosGenerales (COD_SUCU, TA_URL) VALUES ('SUR', 'x');");
  ActualizaCamposVersion57(cnx_, ManejadorMySQL);
  EXPECT_EQ(Consulta("SELECT COD_SUCU FROM tblCortes WHERE FOLIO=3"), (Filas{{"MATRIZ"}}));
  EXPECT_EQ(Consulta("SELECT DISTINCT TA_URL FROM tblParametrosGenerales"),
            (Filas{{kDireccionTiempoAire}}));

  bd_->EjecutaSql(
      "DELETE FROM tblParametrosGenerales; UPDATE tblAuxCaja SET COD_SUCU=NULL WHERE FOLIO=1;");
  ActualizaCamposVersion57(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT FOLIO, COD_SUCU FROM tblAuxCaja ORDER BY FOLIO"),
            (Filas{{"1", ""}, {"2", "MATRIZ"}, {"3", "NORTE"}}));
}

}  // namespace
