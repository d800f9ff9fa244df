// The structure synchronisation on the real MariaDB: what a database holds after a call,
// for an empty database, an up-to-date one, one with missing and foreign pieces, and the
// failures the user sees.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "data/clsBaseDatos.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;
using prueba::Filas;

constexpr const char* kCatalogo = "catalogo/sync_basico.sql";
constexpr const char* kCaptionEntrada = "Revisando estructura para versión 9.5.2";
constexpr const char* kCaptionFinal = "Base de datos generada...";

// tblArticulos as the catalogue describes it.
const Filas kColumnasArticulos = {{"COD_ART", "varchar(20)"},
                                  {"DES_ART", "varchar(60)"},
                                  {"PRECIO", "decimal(13,4)"},
                                  {"EXISTENCIA", "double"},
                                  {"FEC_ALTA", "date"},
                                  {"HORA_ALTA", "time"},
                                  {"ULT_MOV", "datetime"},
                                  {"NOTAS", "text"},
                                  {"XML_FICHA", "longtext"},
                                  {"IMGBIT_FOTO", "longblob"},
                                  {"ID", "bigint(20)"},
                                  {"ACTIVO", "tinyint(4)"},
                                  {"PIEZAS", "bigint(20)"}};
// Its indexes, with the key MySQL makes for the numbered column ID.
const Filas kIndicesArticulos = {{"ID", "ID", "0"},
                                 {"idxAltaPrecio", "FEC_ALTA,PRECIO", "1"},
                                 {"idxDescripcion", "DES_ART", "0"},
                                 {"PK_Articulos", "COD_ART", "0"}};

class SincronizacionMySQL : public ::testing::Test {
 protected:
  explicit SincronizacionMySQL(const std::string& sqlAdicional = {})
      : programa(sqlAdicional, kCatalogo) {}

  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    win::EstableceSleep([](unsigned) {});
    db.emplace();
  }
  void TearDown() override { win::EstableceSleep({}); }

  // One call as the ladder makes it, on the test database.
  void Sincroniza(std::uint8_t iEstructura = EstructuraPrincipal, bool bAgregaDefault = true) {
    SincronizaComo(db->Nombre(), iEstructura, bAgregaDefault);
  }
  void SincronizaComo(const std::string& nombreBaseDatos, std::uint8_t iEstructura,
                      bool bAgregaDefault) {
    lbl.Caption = kCaptionEntrada;
    bd.CrearBaseDeDatos(db->CadenaConexion(), ManejadorMySQL, nombreBaseDatos, bExisteError, lbl,
                        bAgregaDefault, iEstructura);
  }

  Filas Tablas() const {
    return db->Consulta(
        "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
        "ORDER BY TABLE_NAME;");
  }
  Filas Columnas(const std::string& tabla) const {
    return db->Consulta(
        "SELECT COLUMN_NAME, COLUMN_TYPE FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = "
        "DATABASE() AND TABLE_NAME = '" + tabla + "' ORDER BY ORDINAL_POSITION;");
  }
  // Name, columns in key order and whether the key is unique ("0") or not ("1").
  Filas Indices(const std::string& tabla) const {
    return db->Consulta(
        "SELECT INDEX_NAME, GROUP_CONCAT(COLUMN_NAME ORDER BY SEQ_IN_INDEX), NON_UNIQUE FROM "
        "information_schema.STATISTICS WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = '" +
        tabla + "' GROUP BY INDEX_NAME, NON_UNIQUE ORDER BY INDEX_NAME;");
  }
  // Everything a call could change: structure and rows of every table.
  Filas Foto() const {
    Filas foto = db->Consulta(
        "SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE, ORDINAL_POSITION FROM "
        "information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() ORDER BY 1, 4;");
    for (const auto& tabla : Tablas()) {
      for (auto& fila : Indices(tabla[0])) foto.push_back(fila);
      for (auto& fila : db->Consulta("SELECT * FROM " + tabla[0] + " ORDER BY 1;"))
        foto.push_back(fila);
    }
    return foto;
  }

  void EsperaExito() {
    EXPECT_THAT(ui.cajas, IsEmpty());
    EXPECT_FALSE(bExisteError);
    EXPECT_FALSE(bd.HayError());
    EXPECT_EQ(lbl.Caption, kCaptionFinal);
  }

  prueba::ProgramaConCatalogo programa;
  prueba::ScriptedUi ui;
  std::optional<prueba::TestDatabase> db;
  clsBaseDatos bd;
  ui::Label lbl;
  bool bExisteError = false;
};

TEST_F(SincronizacionMySQL, UnaBaseVaciaRecibeTablasColumnasIndicesYRegistrosDeSuClase) {
  Sincroniza();

  EsperaExito();
  EXPECT_EQ(Tablas(), (Filas{{"tblarticulos"}, {"tblfolios"}, {"tblmensajes"}}));
  EXPECT_EQ(Columnas("tblarticulos"), kColumnasArticulos);
  EXPECT_EQ(Indices("tblarticulos"), kIndicesArticulos);
  EXPECT_EQ(Columnas("tblfolios"),
            (Filas{{"COD_FOLIO", "varchar(10)"}, {"FOL_FOLIO", "varchar(20)"}}));
  EXPECT_EQ(Indices("tblfolios"), (Filas{{"idxCOD_FOLIO", "COD_FOLIO", "0"}}));
  EXPECT_THAT(Indices("tblmensajes"), IsEmpty());

  EXPECT_EQ(db->Consulta("SELECT COD_ART, DES_ART, PRECIO, FEC_ALTA FROM tblArticulos;"),
            (Filas{{"0001", "General", "10.5000", "2018-01-01"}}));
  EXPECT_EQ(db->Consulta("SELECT COD_FOLIO, FOL_FOLIO FROM tblFolios ORDER BY 1;"),
            (Filas{{"FACTURAS", "0001"}, {"VENTAS", "15"}}));
}

TEST_F(SincronizacionMySQL, UnaSegundaLlamadaNoCambiaNada) {
  Sincroniza();
  const Filas antes = Foto();
  ASSERT_THAT(antes, Not(IsEmpty()));

  Sincroniza();

  EsperaExito();
  EXPECT_EQ(Foto(), antes);
}

// Only what the database lacks is added: a column of another type, a column and a table
// the catalogue does not list stay as they are.
TEST_F(SincronizacionMySQL, UnaTablaExistenteRecibeSoloLaColumnaYElIndiceQueLeFaltan) {
  db->EjecutaSql(
      "CREATE TABLE tblArticulos (COD_ART INT NOT NULL, DES_ART VARCHAR(60), OTRA INT,"
      " PRECIO DECIMAL(13,4), EXISTENCIA DOUBLE, FEC_ALTA DATE, HORA_ALTA TIME,"
      " ULT_MOV DATETIME, NOTAS TEXT, XML_FICHA LONGTEXT, IMGBIT_FOTO LONGBLOB,"
      " ID BIGINT NOT NULL AUTO_INCREMENT UNIQUE, ACTIVO TINYINT);"
      "CREATE UNIQUE INDEX PK_Articulos ON tblArticulos (COD_ART);"
      "CREATE UNIQUE INDEX idxDescripcion ON tblArticulos (DES_ART);"
      "CREATE TABLE tblPropia (X INT, Y VARCHAR(5));"
      "CREATE INDEX idxPropia ON tblPropia (X);");
  const Filas propiaAntes = Columnas("tblpropia");

  Sincroniza(EstructuraPrincipal, false);

  EsperaExito();
  Filas esperadas = kColumnasArticulos;
  esperadas[0] = {"COD_ART", "int(11)"};
  esperadas.insert(esperadas.begin() + 2, {"OTRA", "int(11)"});
  EXPECT_EQ(Columnas("tblarticulos"), esperadas);
  EXPECT_EQ(Indices("tblarticulos"), kIndicesArticulos);
  EXPECT_EQ(Columnas("tblpropia"), propiaAntes);
  EXPECT_EQ(Indices("tblpropia"), (Filas{{"idxPropia", "X", "1"}}));
  // Without default rows even the tables created by the call stay empty.
  EXPECT_EQ(db->Consulta("SELECT COUNT(*) FROM tblFolios;"), (Filas{{"0"}}));
}

// Keys the catalogue does not list for a table are dropped, however many columns they
// have; NUM_MOV (exactly so written) stays, and so do keys the server refuses to drop.
TEST_F(SincronizacionMySQL, LasLlavesQueElCatalogoNoConoceSeQuitanSalvoNUM_MOV) {
  db->EjecutaSql(
      "CREATE TABLE tblArticulos (COD_ART VARCHAR(20), DES_ART VARCHAR(60), FEC_ALTA DATE,"
      " PRECIO DECIMAL(13,4));"
      "CREATE UNIQUE INDEX PK_Articulos ON tblArticulos (COD_ART);"
      "CREATE INDEX idxViejo ON tblArticulos (PRECIO);"
      "CREATE INDEX idxDoble ON tblArticulos (DES_ART, FEC_ALTA);"
      "CREATE TABLE tblMensajes (TEXTO VARCHAR(100), ORDEN SMALLINT NOT NULL PRIMARY KEY);"
      "CREATE INDEX NUM_MOV ON tblMensajes (TEXTO);"
      "CREATE TABLE tblFolios (COD_FOLIO VARCHAR(10), FOL_FOLIO VARCHAR(20));"
      "CREATE INDEX num_mov ON tblFolios (FOL_FOLIO);"
      "CREATE INDEX `it's` ON tblFolios (COD_FOLIO, FOL_FOLIO);"
      "CREATE TABLE tblPropia (X INT);"
      "CREATE INDEX idxPropia ON tblPropia (X);");

  Sincroniza(EstructuraPrincipal, false);

  EsperaExito();
  EXPECT_EQ(Indices("tblarticulos"), kIndicesArticulos);
  // "DROP INDEX PRIMARY ..." and a name with a quote are refused by the server.
  EXPECT_EQ(Indices("tblmensajes"), (Filas{{"NUM_MOV", "TEXTO", "1"}, {"PRIMARY", "ORDEN", "0"}}));
  EXPECT_EQ(Indices("tblfolios"),
            (Filas{{"idxCOD_FOLIO", "COD_FOLIO", "0"}, {"it's", "COD_FOLIO,FOL_FOLIO", "1"}}));
  EXPECT_EQ(Indices("tblpropia"), (Filas{{"idxPropia", "X", "1"}}));
}

// The database list is checked for the name the caller gives; a quote in it is no fault.
TEST_F(SincronizacionMySQL, UnaBaseQueNoExisteDaSuAvisoYAmbasBanderas) {
  for (const std::string nombre : {"bd_que_no_existe", "o'brien"}) {
    ui.Responde(ui::Respuesta::OK);
    bExisteError = false;

    SincronizaComo(nombre, EstructuraPrincipal, true);

    ASSERT_EQ(ui.cajas.size(), 1u) << nombre;
    EXPECT_EQ(ui.cajas[0].prompt, "La base de datos no existe...");
    EXPECT_EQ(ui.cajas[0].botones, ui::Botones::OK);
    EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Informacion);
    EXPECT_EQ(ui.cajas[0].titulo, "Base de dato");
    EXPECT_TRUE(bExisteError) << nombre;
    EXPECT_TRUE(bd.HayError()) << nombre;
    EXPECT_EQ(lbl.Caption, kCaptionFinal);
    EXPECT_THAT(Tablas(), IsEmpty()) << nombre;
    ui.cajas.clear();
  }
}

TEST_F(SincronizacionMySQL, CadaClaseDeBaseTomaSusTablas) {
  struct Caso {
    std::uint8_t estructura;
    Filas tablas;
  };
  const Caso casos[] = {
      {EstructuraPrincipal, {{"tblarticulos"}, {"tblfolios"}, {"tblmensajes"}}},
      {EstructuraConsultorio, {{"tblconsultorios"}}},
      {EstructuraAdministrador, {{"tblac_usuarios"}}},
      {EstructuraDependencia, {{"tbldp_envios"}}},
  };
  for (const Caso& caso : casos) {
    db.reset();
    db.emplace();

    Sincroniza(caso.estructura);

    EsperaExito();
    EXPECT_EQ(Tablas(), caso.tablas) << int(caso.estructura);
  }
}

TEST_F(SincronizacionMySQL, LosRegistrosDefaultDeUnaClaseSatelite) {
  Sincroniza(EstructuraConsultorio);

  EsperaExito();
  EXPECT_EQ(db->Consulta("SELECT Id_Consultorio, Nombre FROM tblConsultorios;"),
            (Filas{{"1", "Consultorio General"}}));
}

// A column without a type makes the server refuse its table: the call ends in its error
// box and reports failure; the tables before it in name order stay as the call left them.
class SincronizacionMySQLConTipoSinTexto : public SincronizacionMySQL {
 protected:
  SincronizacionMySQLConTipoSinTexto()
      : SincronizacionMySQL(
            "INSERT INTO tblTablas VALUES (9, 'tblZeta', 0);"
            "INSERT INTO tblCamposTabla VALUES (901, 9, 'A', 0, 0), (902, 9, 'B', 8, 0);") {}
};

TEST_F(SincronizacionMySQLConTipoSinTexto, ElErrorSeMuestraYLaLlamadaInformaElFallo) {
  ui.Responde(ui::Respuesta::OK);

  Sincroniza();

  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_THAT(ui.cajas[0].prompt, StartsWith("Error -2147217900:\r\n"));
  EXPECT_EQ(ui.cajas[0].botones, ui::Botones::OK);
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Ninguno);
  EXPECT_EQ(ui.cajas[0].titulo, "Actualización");
  EXPECT_TRUE(bExisteError);
  EXPECT_TRUE(bd.HayError());
  EXPECT_EQ(lbl.Caption, std::string(kCaptionEntrada) + "\r\n\r\ntblZeta");
  EXPECT_EQ(Tablas(), (Filas{{"tblarticulos"}, {"tblfolios"}, {"tblmensajes"}}));
  // The pass of default rows after the loop never came: only the call after each
  // table's creation ran.
  EXPECT_EQ(db->Consulta("SELECT COUNT(*) FROM tblFolios;"), (Filas{{"2"}}));
}

TEST_F(SincronizacionMySQL, UnOrigenDeDatosQueNoExisteLlevaAlAvisoDeConexion) {
  ui.Responde(ui::Respuesta::Cancel);
  lbl.Caption = kCaptionEntrada;

  bd.CrearBaseDeDatos("DSN=GradixNoExiste", ManejadorMySQL, db->Nombre(), bExisteError, lbl,
                      true, EstructuraPrincipal);

  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_THAT(ui.cajas[0].prompt, ::testing::HasSubstr("Data source name not found"));
  EXPECT_EQ(ui.cajas[0].botones, ui::Botones::RetryCancel);
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Ninguno);
  EXPECT_EQ(ui.cajas[0].titulo, "-2147467259");
  EXPECT_TRUE(bExisteError);
  EXPECT_FALSE(bd.HayError());
  EXPECT_EQ(lbl.Caption, kCaptionEntrada);
}

}  // namespace
