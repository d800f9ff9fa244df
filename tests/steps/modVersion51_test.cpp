#include "steps/5x/modVersion51.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/DescripcionesDeError.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;

constexpr const char* kLeyenda =
    "Este documento es una impresión de un Comprobante Fiscal Digital, con Año y Número de "
    "Autorización del contribuyente: [XXXXX] y ha sido generado mediante el servicio de "
    "Facturación Electrónica RURO-VEVAVO, autorizado por el SAT mediante Oficio Número 66745, "
    "publicado en el sitio web del SAT el 2010-05-12T14:00:00";

std::string Plantilla(int perfil) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" +
         std::to_string(perfil) + ",178,'mnuTabAreaSurt','Áreas de Surtido',160,10);";
}

std::string ConsultaPlantilla(int perfil) {
  return "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=178) AND (COD_PERFIL=" +
         std::to_string(perfil) + ") AND (MODULO_EDICION=10);";
}

class ActualizaCampos51Grabada : public prueba::RutinaGrabada {
 protected:
  ui::Label lbl_;
};

// The same statements go to every engine.
TEST_F(ActualizaCampos51Grabada, StatementsInOrder) {
  db_.Responde("SELECT CLAVE_TA FROM tblMontosTA ORDER BY COD_EMPRESA;",
               {{"CLAVE_TA"}, {{"M040"}, {" M050 "}}});
  db_.Responde(ConsultaPlantilla(0), SinFilas({"COD_PERFIL"}));
  db_.Responde(ConsultaPlantilla(1), {{"COD_PERFIL"}, {{1}}});
  db_.Responde(ConsultaPlantilla(2), SinFilas({"COD_PERFIL"}));
  db_.Responde(ConsultaPlantilla(3), SinFilas({"COD_PERFIL"}));
  db_.Responde("SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<2;",
               {{"COD_USU"}, {{"ADMIN "}, {vb::Variant::Null()}}});
  ActualizaCamposVersion51(cnx_, "C:\\Velmar", ManejadorSQLServer, lbl_);
  const std::vector<std::string> esperadas = {
      "UPDATE tblEncPaquetes SET REC_MODIF=0 WHERE REC_MODIF IS NULL;",
      "UPDATE tblRenPaquetes SET MODIF_OPC=0,MODIF_INT=0,MODIF_LISTA=0 WHERE MODIF_OPC IS NULL;",
      "UPDATE tblAreasImpresion SET TIPO=0 WHERE TIPO IS NULL;",
      std::string("UPDATE tblParametrosGenerales SET FE_MENSAJE='") + kLeyenda +
          "' WHERE FE_MENSAJE IS NULL;",
      "UPDATE tblMontosTA SET COD_EMPRESA=0 WHERE (COD_EMPRESA=1) AND (CLAVE_TA='M040');",
      "UPDATE tblMontosTA SET COD_EMPRESA=0 WHERE (COD_EMPRESA=1) AND (CLAVE_TA='M050');",
      "SELECT CLAVE_TA FROM tblMontosTA ORDER BY COD_EMPRESA;",
      "UPDATE tblCatArticulos SET REST_PTOS=1 WHERE COD1_ART='M040';",
      "UPDATE tblCatArticulos SET REST_PTOS=1 WHERE COD1_ART='M050';",
      ConsultaPlantilla(0),
      Plantilla(0),
      ConsultaPlantilla(1),
      ConsultaPlantilla(2),
      Plantilla(2),
      ConsultaPlantilla(3),
      Plantilla(3),
      "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<2;",
      "INSERT INTO tblMenusPV (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES "
      "('ADMIN ',178,'mnuTabAreaSurt');",
      "SELECT * FROM tblVersion;",
      "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (510,0);",
      "DELETE FROM tblVersion WHERE VER<>510;"};
  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  EXPECT_EQ(log_.Contenido(),
            prueba::Entrada("Error en ActualizaCamposVersion51 :", 94, prueba::kNuloNoValido))
      << "the user with a Null code gets no row";
}

// A key that is Null matches no article: its statement is not sent (it would otherwise
// mark every article whose code is empty) and the walk goes on with the next key.
TEST_F(ActualizaCampos51Grabada, ANullAmountKeyMarksNoArticle) {
  db_.Responde("SELECT CLAVE_TA FROM tblMontosTA ORDER BY COD_EMPRESA;",
               {{"CLAVE_TA"}, {{vb::Variant::Null()}, {"M040"}}});
  db_.Responde(prueba::EmpiezaCon("SELECT * FROM tblPlantillaMenus"), {{"COD_PERFIL"}, {{0}}});
  db_.Responde("SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<2;", SinFilas({"COD_USU"}));
  ActualizaCamposVersion51(cnx_, "", ManejadorMySQL, lbl_);
  std::vector<std::string> articulos;
  for (const std::string& texto : db_.Textos())
    if (texto.rfind("UPDATE tblCatArticulos", 0) == 0) articulos.push_back(texto);
  EXPECT_THAT(articulos,
              ElementsAreArray({"UPDATE tblCatArticulos SET REST_PTOS=1 WHERE COD1_ART='M040';"}));
  EXPECT_EQ(log_.Contenido(),
            prueba::Entrada("Error en ActualizaCamposVersion51 :", 94, prueba::kNuloNoValido));
}

TEST_F(ActualizaCampos51Grabada, AConnectionThatDidNotOpenLogsEveryStatementAndEnds) {
  ado::Connection sinAbrir;
  ActualizaCamposVersion51(sinAbrir, "", ManejadorMySQL, lbl_);
  const std::string log = log_.Contenido();
  std::size_t entradas = 0;
  for (std::size_t i = log.find("\r\nError en ActualizaCamposVersion51 :"); i != std::string::npos;
       i = log.find("\r\nError en ActualizaCamposVersion51 :", i + 1))
    ++entradas;
  // 6 statements, the amounts' lookup (open, test, end test, close), 4 template lookups
  // with their inserts (open, test, insert, close each), the users (open, test, end test,
  // close) and the version row (its INSERT; nothing is deleted when it fails).
  EXPECT_EQ(entradas, 6u + 4u + 16u + 4u + 1u);
  EXPECT_TRUE(db_.Textos().empty());
}

// ------------------------------------------------------------ on MariaDB

class ActualizaCampos51 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_500.sql");
  }
};

TEST_F(ActualizaCampos51, FromADatabaseAt50) {
  ActualizaCamposVersion51(cnx_, "C:\\Velmar", ManejadorMySQL, lbl_);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"510", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD1_PAQ, REC_MODIF FROM tblEncPaquetes ORDER BY COD1_PAQ"),
            (Filas{{"PAQCOM", "1"}, {"PAQDES", "0"}}));
  // The three flags are set together where MODIF_OPC is null, whatever the other two held.
  EXPECT_EQ(
      Consulta("SELECT COD1_ART, MODIF_OPC, MODIF_INT, MODIF_LISTA FROM tblRenPaquetes "
               "ORDER BY COD1_ART"),
      (Filas{{"CAFE", "0", "0", "0"}, {"PAN", "0", "0", "0"}, {"REFRESCO", "1", "0", "NULL"}}));
  EXPECT_EQ(Consulta("SELECT COD_AREA, TIPO FROM tblAreasImpresion ORDER BY COD_AREA"),
            (Filas{{"1", "0"}, {"2", "1"}}));
  EXPECT_EQ(Consulta("SELECT FE_MENSAJE FROM tblParametrosGenerales"), (Filas{{kLeyenda}}));
  EXPECT_EQ(Consulta("SELECT CLAVE_TA, COD_EMPRESA FROM tblMontosTA ORDER BY MONTO_TA"),
            (Filas{{"M020", "1"}, {"M040", "0"}, {"M050", "0"}, {" T100 ", "2"}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART, REST_PTOS FROM tblCatArticulos ORDER BY COD1_ART"),
            (Filas{{"CAFE", "0"},
                   {"M020", "1"},
                   {"M040", "1"},
                   {"M050", "1"},
                   {"PAN", "NULL"},
                   {"REFRESCO", "0"},
                   {"T100", "1"}}));
  EXPECT_EQ(
      Consulta("SELECT COD_PERFIL, NOMBRE_OPCION, TITULO_OPCION, ES_RAMA_DE FROM "
               "tblPlantillaMenus WHERE ORDEN_MENU=178 AND MODULO_EDICION=10 ORDER BY COD_PERFIL"),
      (Filas{{"0", "mnuTabAreaSurt", "Áreas de Surtido", "160"},
             {"1", "mnuTabAreaSurt", "Áreas de Surtido", "160"},
             {"2", "mnuTabAreaSurt", "Áreas de Surtido", "160"},
             {"3", "mnuTabAreaSurt", "Áreas de Surtido", "160"}}));
  // Profiles 0 and 1 only; a code with a quote is stored as it is.
  EXPECT_EQ(Consulta("SELECT COD_USUARIO, NOMBRE_OPCION FROM tblMenusPV WHERE ORDEN_MENU=178 "
                     "ORDER BY COD_USUARIO"),
            (Filas{{"ADMIN", "mnuTabAreaSurt"},
                   {"D'ANGELO", "mnuTabAreaSurt"},
                   {"GERENTE", "mnuTabAreaSurt"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblMenusPV"), (Filas{{"5"}}));
}

// A second run changes nothing more: the template rows are found, and each user's row is
// refused by the table's key, one entry per user; the version row is rewritten.
TEST_F(ActualizaCampos51, SecondRun) {
  ActualizaCamposVersion51(cnx_, "", ManejadorMySQL, lbl_);
  const Filas articulos = Consulta("SELECT * FROM tblCatArticulos ORDER BY COD1_ART");
  const Filas plantilla = Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6");
  ActualizaCamposVersion51(cnx_, "", ManejadorMySQL, lbl_);

  const std::string log = log_.Contenido();
  std::vector<std::string> lineas;
  for (std::size_t inicio = 0, fin; (fin = log.find("\r\n", inicio)) != std::string::npos;
       inicio = fin + 2)
    lineas.push_back(log.substr(inicio, fin - inicio));
  ASSERT_EQ(lineas.size(), 9u) << log;
  for (std::size_t i = 0; i < 9; i += 3) {
    EXPECT_EQ(lineas[i], "");
    EXPECT_EQ(lineas[i + 1], "Error en ActualizaCamposVersion51 :-2147217873");
    EXPECT_THAT(lineas[i + 2], ::testing::HasSubstr("Duplicate entry"));
  }
  EXPECT_EQ(Consulta("SELECT * FROM tblCatArticulos ORDER BY COD1_ART"), articulos);
  EXPECT_EQ(Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6"), plantilla);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"510"}}));
}

}  // namespace
