// The tax-code lookup and the recoder against recorded statements: the lookup's queries
// and results, the recoder's statements, captions and its failure path.
#include "taxrecode/modImptosCompras.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frame/modPrincipal.h"
#include "platform/vb/Error.h"
#include "support/CatalogoDePrueba.h"
#include "support/EntradasLog.h"
#include "support/RecordingProvider.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

constexpr const char* kCadena = "DSN=Compras";

// A run log in a folder of its own; gRutaLog names it while the object lives.
class LogDePrueba {
 public:
  LogDePrueba() : anterior_(gRutaLog) { gRutaLog = carpeta_.Ruta() + "/Log_prueba.log"; }
  ~LogDePrueba() { gRutaLog = anterior_; }
  std::string Contenido() const {
    std::ifstream archivo(gRutaLog, std::ios::binary);
    std::stringstream texto;
    texto << archivo.rdbuf();
    return texto.str();
  }

 private:
  prueba::CarpetaTemporal carpeta_;
  std::string anterior_;
};

// Every purchase-document table without lines to code, unless answered before.
void SinLineas(prueba::RecordingProvider& db) {
  db.Responde(prueba::Contiene(",GRAVA_IMP1,COD1_IMP,COD2_IMP FROM "), {{"COD1_IMP"}, {}});
}

class ImpuestosComprasTest : public ::testing::Test {
 protected:
  ImpuestosComprasTest() { cnx_.Open(kCadena); }

  prueba::RecordingProvider db_;
  ado::Connection cnx_;
};

// The lookup's three queries, each looser than the one before.
constexpr const char* kQ1Primero16 =
    "SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=16 AND (TIPO_IMP=1) AND (GRAVA_IMP=1);";
constexpr const char* kQ2Primero16 =
    "SELECT COD_IMP,GRAVA_IMP FROM tblImpuestos WHERE POR_IMP=16 AND (TIPO_IMP=1);";
constexpr const char* kQ3Primero16 = "SELECT COD_IMP,GRAVA_IMP FROM tblImpuestos WHERE POR_IMP=16;";

TEST_F(ImpuestosComprasTest, TheLookupTriesLooserQueriesUntilOneFindsARow) {
  struct Caso {
    const char* que;
    vb::Currency tasa;
    std::uint8_t grava;
    std::uint8_t tipo;
    int respondida;  // the query that finds a row (1 to 3), 0 for none
    std::vector<std::string> consultas;
    std::int16_t codigo;
  };
  const Caso casos[] = {
      {"levied, found at once", {160000}, 1, 1, 1, {kQ1Primero16}, 1},
      {"levied, only an unlevied type-1 row", {160000}, 1, 1, 2, {kQ1Primero16, kQ2Primero16}, 2},
      {"unlevied, a row of another type", {160000}, 0, 1, 3,
       {"SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=16 AND (TIPO_IMP=1) AND (GRAVA_IMP=0);",
        kQ2Primero16, kQ3Primero16},
       3},
      {"rate not found", {160000}, 1, 1, 0, {kQ1Primero16, kQ2Primero16, kQ3Primero16}, 0},
      {"exempt, rate 0", {0}, 0, 1, 1,
       {"SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=0 AND (TIPO_IMP=1) AND (GRAVA_IMP=0);"}, 0},
      {"second tax with a fraction", {265000}, 0, 2, 1,
       {"SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=26.5 AND (TIPO_IMP=2);"}, 5},
      {"second tax of another type, the flag plays no part", {80000}, 7, 2, 2,
       {"SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=8 AND (TIPO_IMP=2);",
        "SELECT COD_IMP,GRAVA_IMP FROM tblImpuestos WHERE POR_IMP=8;"},
       4},
      {"second tax not found: no third query", {1234}, 0, 2, 0,
       {"SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=0.1234 AND (TIPO_IMP=2);",
        "SELECT COD_IMP,GRAVA_IMP FROM tblImpuestos WHERE POR_IMP=0.1234;"},
       0},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.que);
    prueba::RecordingProvider db;
    for (std::size_t i = 0; i < caso.consultas.size(); ++i) {
      const bool responde = static_cast<int>(i) + 1 == caso.respondida;
      db.Responde(caso.consultas[i],
                  responde ? prueba::Resultado{{"COD_IMP"}, {{vb::Variant(caso.codigo)}, {99}}}
                           : prueba::Resultado{{"COD_IMP"}, {}});
    }
    ado::Connection cnx;
    cnx.Open(kCadena);
    EXPECT_EQ(BuscaCodImpuesto(cnx, caso.tasa, caso.grava, caso.tipo), caso.codigo);
    EXPECT_THAT(db.Textos(), ElementsAreArray(caso.consultas));
  }
}

TEST_F(ImpuestosComprasTest, ACodeThatIsEmptyOrTooLargeGoesBackToTheCaller) {
  for (const vb::Variant& codigo : {vb::Variant::Null(), vb::Variant(std::int32_t{40000})}) {
    prueba::RecordingProvider db;
    db.Responde(kQ1Primero16, {{"COD_IMP"}, {{codigo}}});
    ado::Connection cnx;
    cnx.Open(kCadena);
    EXPECT_THROW(BuscaCodImpuesto(cnx, {160000}, 1, 1), vb::Error);
  }
}

// One uncoded levied line in the receipts, nothing elsewhere.
constexpr const char* kSeleccion1 =
    "SELECT IMP1_ART,IMP2_ART,GRAVA_IMP1,COD1_IMP,COD2_IMP FROM tblComprasRen WHERE (COD1_IMP=0) "
    "OR (IMP2_ART>0 AND COD2_IMP=0) ORDER BY IMP1_ART,IMP2_ART";
const std::vector<std::string> kColumnas1 = {"IMP1_ART", "IMP2_ART", "GRAVA_IMP1", "COD1_IMP",
                                             "COD2_IMP"};

TEST_F(ImpuestosComprasTest, EachPassSelectsCodesAndClosesAndTheCaptionFollowsTheRows) {
  LogDePrueba log;
  db_.Responde(kSeleccion1, {kColumnas1, {{16.0, 8.0, 1, 0, 0}}});
  db_.Responde(kQ1Primero16, {{"COD_IMP"}, {{1}}});
  db_.Responde("SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=8 AND (TIPO_IMP=2);",
               {{"COD_IMP"}, {{3}}});
  SinLineas(db_);
  ui::Label lblMensaje;
  lblMensaje.Caption = "Actualizando impuestos...";
  std::vector<std::string> captions;
  lblMensaje.alRefrescar = [&](const std::string& caption) { captions.push_back(caption); };

  EXPECT_TRUE(AgregarImpuestosCompras(cnx_, lblMensaje));

  EXPECT_THAT(
      db_.Textos(),
      ElementsAre(
          kSeleccion1, kQ1Primero16,
          "UPDATE tblComprasRen SET COD1_IMP=1 WHERE (IMP1_ART=16 AND COD1_IMP=0) AND (GRAVA_IMP1>0);",
          "SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=8 AND (TIPO_IMP=2);",
          "UPDATE tblComprasRen SET COD2_IMP=3 WHERE (IMP2_ART=8 AND COD2_IMP=0);",
          "UPDATE tblComprasRen SET COD1_IMP=0 WHERE (IMP1_ART=0 AND COD2_IMP=0);",
          "SELECT REN_IMP1,REN_IMP2,GRAVA_IMP1,COD1_IMP,COD2_IMP FROM tblCotizacionesRen WHERE "
          "(COD1_IMP=0) OR (REN_IMP2>0 AND COD2_IMP=0) ORDER BY REN_IMP1,REN_IMP2",
          "UPDATE tblCotizacionesRen SET COD1_IMP=0 WHERE (REN_IMP1=0 AND COD2_IMP=0);",
          "SELECT IMP1_REG,IMP2_REG,GRAVA_IMP1,COD1_IMP,COD2_IMP FROM tblOCOMRen WHERE "
          "(COD1_IMP=0) OR (IMP2_REG>0 AND COD2_IMP=0) ORDER BY IMP1_REG,IMP2_REG",
          "UPDATE tblOCOMRen SET COD1_IMP=0 WHERE (IMP1_REG=0 AND COD2_IMP=0);",
          "SELECT IMP1_REN,IMP2_REN,GRAVA_IMP1,COD1_IMP,COD2_IMP FROM tblDevolucionRen WHERE "
          "(COD1_IMP=0) OR (IMP2_REN>0 AND COD2_IMP=0) ORDER BY IMP1_REN,IMP2_REN",
          "UPDATE tblDevolucionRen SET COD1_IMP=0 WHERE (IMP1_REN=0 AND COD2_IMP=0);"));
  const std::string recepciones =
      "Actualizando impuestos...\r\n\r\nActualizar impuestos en recepciones (Compras)";
  EXPECT_THAT(captions, ElementsAre(recepciones, recepciones + ".", recepciones + "..",
                                    recepciones + "..", recepciones + "..."))
      << "passes without lines leave the caption as it was";
  EXPECT_EQ(lblMensaje.Caption, recepciones + "...");
  EXPECT_FALSE(std::filesystem::exists(gRutaLog));
}

TEST_F(ImpuestosComprasTest, AFailingStatementIsLoggedOnceAndStopsTheLaterPasses) {
  LogDePrueba log;
  db_.Falla(prueba::EmpiezaCon("SELECT IMP1_REG"), -2147217900, "Table 'tblOCOMRen' doesn't exist");
  SinLineas(db_);
  ui::Label lblMensaje;

  EXPECT_FALSE(AgregarImpuestosCompras(cnx_, lblMensaje));

  const std::vector<std::string> textos = db_.Textos();
  EXPECT_EQ(textos.back().rfind("SELECT IMP1_REG", 0), 0u) << "pass 4 never runs";
  EXPECT_THAT(textos, ::testing::Contains(
                          "UPDATE tblCotizacionesRen SET COD1_IMP=0 WHERE (REN_IMP1=0 AND COD2_IMP=0);"));
  EXPECT_EQ(log.Contenido(),
            "\r\nError al Agregar Impuestos de Compras :-2147217900\r\nTable 'tblOCOMRen' "
            "doesn't exist\r\n");
}

TEST_F(ImpuestosComprasTest, BadValuesOfALineStopTheRecoderButALineWithoutRateIsOnlyLeftUncoded) {
  struct Caso {
    const char* que;
    std::vector<vb::Variant> fila;
    long error;  // the number logged
    bool masPasadas;  // the later passes still run
    const char* descripcion;  // the entry's text; nullptr: the runtime's own
  };
  const Caso casos[] = {
      {"a levied flag above 255", {16.0, 0.0, 300, 0, 0}, 6, false, nullptr},
      {"a first rate that is not a number", {"x", 0.0, 1, 0, 0}, 13, false, nullptr},
      {"no first rate", {vb::Variant::Null(), 0.0, 1, 0, 0}, 94, true,
       "Una línea de tblComprasRen sin tasa en IMP1_ART quedó sin código de impuesto."},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.que);
    LogDePrueba log;
    prueba::RecordingProvider db;
    db.Responde(kSeleccion1, {kColumnas1, {caso.fila, {16.0, 0.0, 1, 0, 0}}});
    db.Responde(kQ1Primero16, {{"COD_IMP"}, {{1}}});
    SinLineas(db);
    ado::Connection cnx;
    cnx.Open(kCadena);
    ui::Label lblMensaje;

    EXPECT_FALSE(AgregarImpuestosCompras(cnx, lblMensaje));

    EXPECT_EQ(prueba::Encabezados(log.Contenido()),
              std::vector<std::string>{"Error al Agregar Impuestos de Compras :" +
                                       std::to_string(caso.error)});
    if (caso.descripcion) {
      EXPECT_EQ(log.Contenido(), "\r\nError al Agregar Impuestos de Compras :94\r\n" +
                                     std::string(caso.descripcion) + "\r\n");
    }
    const std::vector<std::string> textos = db.Textos();
    const bool codificada =
        std::count(textos.begin(), textos.end(),
                   "UPDATE tblComprasRen SET COD1_IMP=1 WHERE (IMP1_ART=16 AND COD1_IMP=0) AND "
                   "(GRAVA_IMP1>0);") == 1;
    EXPECT_EQ(codificada, caso.masPasadas) << "the other line of the pass";
    EXPECT_EQ(textos.back() == "UPDATE tblDevolucionRen SET COD1_IMP=0 WHERE (IMP1_REN=0 AND COD2_IMP=0);",
              caso.masPasadas);
  }
}

}  // namespace
