// The record import between two databases of the test server: the values as they arrive,
// the work file that lets a stopped copy resume, the user's answers to a row that cannot
// be written, the error file, and the failures that reach the caller.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "AccesoPrivadoClsBaseDatos.h"
#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "support/CatalogoDePrueba.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using prueba::Filas;

constexpr const char* kTablasOk = "CREATE TABLE TablasOk (NOM_TABLA VARCHAR(50));";

// Scripted boxes. Every yield records the label's caption, and an action may run when a
// box shows: the user mending the destination before answering.
class UiDeImportacion : public prueba::ScriptedUi {
 public:
  explicit UiDeImportacion(const ui::Label& lbl) : lbl_(lbl) {}

  void DoEvents() override {
    ScriptedUi::DoEvents();
    captions.push_back(lbl_.Caption);
  }
  ui::Respuesta MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                       const std::string& titulo) override {
    if (alMostrarCaja) alMostrarCaja(cajas.size() + 1);
    return ScriptedUi::MsgBox(prompt, botones, icono, titulo);
  }

  std::vector<std::string> captions;
  std::function<void(std::size_t)> alMostrarCaja;  // receives the box's number, from 1

 private:
  const ui::Label& lbl_;
};

// What a box or an error-file entry says after the driver's description.
std::string Detalle(const std::string& texto, const std::string& descripcion) {
  EXPECT_EQ(texto.substr(0, descripcion.size()), descripcion);
  return texto.substr(descripcion.size());
}

class Importacion : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    origen.emplace();
    destino.emplace();
    gRutaApp = carpeta.Ruta();
    prueba::CreaBaseSqlite(RutaTrabajo(), kTablasOk);
  }
  void TearDown() override { gRutaApp = rutaAnterior; }

  void Importa() {
    bd.ImportarRegistros(vb::Variant(origen->CadenaConexion()), destino->CadenaConexion(), lbl);
  }

  std::string RutaTrabajo() const { return carpeta.Ruta() + "/QZTMP.MDB"; }

  // The tables noted as finished in the work file, read without the code under test.
  std::vector<std::string> Listadas() const {
    sqlite3* db = nullptr;
    sqlite3_open_v2(RutaTrabajo().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* consulta = nullptr;
    sqlite3_prepare_v2(db, "SELECT NOM_TABLA FROM TablasOk ORDER BY rowid", -1, &consulta,
                       nullptr);
    std::vector<std::string> tablas;
    while (sqlite3_step(consulta) == SQLITE_ROW)
      tablas.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(consulta, 0)));
    sqlite3_finalize(consulta);
    sqlite3_close(db);
    return tablas;
  }

  // QZError.log as written; empty when there is none.
  std::string Bitacora() const {
    std::ifstream archivo(carpeta.Ruta() + "/QZError.log", std::ios::binary);
    std::ostringstream texto;
    texto << archivo.rdbuf();
    return texto.str();
  }

  prueba::CarpetaTemporal carpeta;
  std::string rutaAnterior = gRutaApp;
  std::optional<prueba::TestDatabase> origen;
  std::optional<prueba::TestDatabase> destino;
  ui::Label lbl;
  UiDeImportacion ui{lbl};
  clsBaseDatos bd;
};

constexpr const char* kArticulos =
    "CREATE TABLE tblArticulos (COD VARCHAR(10) PRIMARY KEY, DESCRIPCION VARCHAR(60),"
    " CLAVE CHAR(3), PRECIO DECIMAL(13,4), EXISTENCIA DOUBLE, CANTIDAD INT, FECHA DATE,"
    " HORA TIME, HR_GENERA TIME, FE_ALTA DATETIME, ACTIVO BIT(1), NOTA TEXT, IMAGEN BLOB);";

constexpr const char* kFilasArticulos =
    "INSERT INTO tblArticulos VALUES ('A1', 'Taza \"grande\" d''Ana', 'X''Y', 12.5, 1.25, 3,"
    " '2021-03-24', '14:05:09', '08:00:01', '2021-03-24 14:05:09', 1, 'C:\\\\Suite\\\\Xml',"
    " 0x00FF41);"
    "INSERT INTO tblArticulos VALUES ('A2', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,"
    " NULL, NULL, '', NULL);";

// Quotes become "´" and "”", a backslash stays one backslash, Nulls become '' or 0, and
// every date, time and date-time arrives whole. Only the "tbl" tables are copied, and
// the destination's own rows of them are gone.
TEST_F(Importacion, CopiaLasTablasTblConSusValores) {
  origen->EjecutaSql(std::string(kArticulos) + kFilasArticulos +
                     "CREATE TABLE clientes (N INT); INSERT INTO clientes VALUES (1);");
  destino->EjecutaSql(std::string(kArticulos) +
                      "INSERT INTO tblArticulos (COD) VALUES ('VIEJO');"
                      "CREATE TABLE clientes (N INT);");
  Importa();

  EXPECT_EQ(destino->Consulta(
                "SELECT COD, DESCRIPCION, CLAVE, PRECIO, EXISTENCIA, CANTIDAD, FECHA, HORA,"
                " HR_GENERA, FE_ALTA, ACTIVO + 0, NOTA, HEX(IMAGEN) FROM tblArticulos ORDER BY COD"),
            (Filas{{"A1", "Taza ”grande” d´Ana", "X´Y", "12.5000", "1.25", "3", "2021-03-24",
                    "14:05:09", "08:00:01", "2021-03-24 14:05:09", "1", "C:\\Suite\\Xml",
                    "00FF41"},
                   {"A2", "", "", "0.0000", "0", "0", "0000-00-00", "00:00:00", "00:00:00",
                    "0000-00-00 00:00:00", "0", "", ""}}));
  EXPECT_THAT(destino->Consulta("SELECT N FROM clientes"), IsEmpty());
  EXPECT_THAT(Listadas(), ElementsAre("tblarticulos"));
  EXPECT_FALSE(bd.HayError());
  EXPECT_THAT(ui.cajas, IsEmpty());
  EXPECT_EQ(Bitacora(), "");
}

// The destination lacks the table: each row fails, and the box shows the statement's
// parts exactly as they were sent, every value in the MySQL form.
TEST_F(Importacion, LaCajaMuestraLaFilaComoSeEnvio) {
  origen->EjecutaSql(std::string(kArticulos) + kFilasArticulos);
  ui.Responde(ui::Respuesta::Ignore);
  ui.Responde(ui::Respuesta::Ignore);
  Importa();

  ASSERT_EQ(ui.cajas.size(), 2u);
  const std::string descripcion = ui.cajas[0].prompt.substr(0, ui.cajas[0].prompt.find('\r'));
  EXPECT_THAT(descripcion, HasSubstr("doesn't exist"));
  const std::string campos =
      "CAMPOS : COD,DESCRIPCION,CLAVE,PRECIO,EXISTENCIA,CANTIDAD,FECHA,HORA,HR_GENERA,FE_ALTA,"
      "ACTIVO,NOTA,IMAGEN\r\n";
  EXPECT_EQ(Detalle(ui.cajas[0].prompt, descripcion),
            "\r\n\r\nAGREGAR A\r\nTABLA : tblarticulos\r\n" + campos +
                "VALORES : 'A1','Taza ”grande” d´Ana','X´Y',12.5,1.25,3,'2021-03-24',"
                "'14:05:09','08:00:01','2021-03-24 14:05:09',-1,'C:\\\\Suite\\\\Xml',0x00FF41");
  EXPECT_EQ(Detalle(ui.cajas[1].prompt, descripcion),
            "\r\n\r\nAGREGAR A\r\nTABLA : tblarticulos\r\n" + campos +
                "VALORES : 'A2','','',0,0,0,'','','','','','',''");
  EXPECT_EQ(ui.cajas[0].titulo, std::to_string(ado::adErrSyntax));
  EXPECT_EQ(ui.cajas[0].botones, ui::Botones::AbortRetryIgnore);
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Critico);
  // Both rows were let go: the table counts as done.
  EXPECT_THAT(Listadas(), ElementsAre("tblarticulos"));
  EXPECT_FALSE(bd.HayError());
}

// An empty table is emptied in the destination and noted; the caption counts the rows
// of each table; a second call touches no table that was noted.
TEST_F(Importacion, LasTablasListadasNoSeVuelvenATocar) {
  origen->EjecutaSql(
      "CREATE TABLE tblA (N INT); INSERT INTO tblA VALUES (1), (2), (3);"
      "CREATE TABLE tblVacia (N INT);");
  destino->EjecutaSql(
      "CREATE TABLE tblA (N INT); CREATE TABLE tblVacia (N INT); INSERT INTO tblVacia VALUES (9);");
  Importa();
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblA ORDER BY N"), (Filas{{"1"}, {"2"}, {"3"}}));
  EXPECT_THAT(destino->Consulta("SELECT N FROM tblVacia"), IsEmpty());
  EXPECT_THAT(Listadas(), ElementsAre("tbla", "tblvacia"));
  EXPECT_THAT(ui.captions, ElementsAre("<tbla> # de Registro:1", "<tbla> # de Registro:2",
                                       "<tbla> # de Registro:3"));
  EXPECT_EQ(lbl.Caption, "tblvacia");

  origen->EjecutaSql("INSERT INTO tblA VALUES (4); INSERT INTO tblVacia VALUES (5);");
  destino->EjecutaSql("INSERT INTO tblVacia VALUES (7);");
  ui.captions.clear();
  Importa();
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblA ORDER BY N"), (Filas{{"1"}, {"2"}, {"3"}}));
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblVacia"), (Filas{{"7"}}));
  EXPECT_THAT(ui.captions, IsEmpty());
  EXPECT_THAT(Listadas(), ElementsAre("tbla", "tblvacia"));
}

// Retry sends the row again, as often as asked: here the user adds the missing column
// before the second retry. Each retry is noted in the error file.
TEST_F(Importacion, ReintentarVuelveAEnviarLaFila) {
  origen->EjecutaSql("CREATE TABLE tblB (N INT, N2 INT); INSERT INTO tblB VALUES (1, 10);");
  destino->EjecutaSql("CREATE TABLE tblB (N INT);");
  ui.alMostrarCaja = [&](std::size_t caja) {
    if (caja == 2) destino->EjecutaSql("ALTER TABLE tblB ADD N2 INT;");
  };
  ui.Responde(ui::Respuesta::Retry);
  ui.Responde(ui::Respuesta::Retry);
  Importa();

  EXPECT_EQ(destino->Consulta("SELECT N, N2 FROM tblB"), (Filas{{"1", "10"}}));
  ASSERT_EQ(ui.cajas.size(), 2u);
  EXPECT_EQ(ui.cajas[0].titulo, std::to_string(ado::adErrSyntax));
  const std::string descripcion = ui.cajas[0].prompt.substr(0, ui.cajas[0].prompt.find('\r'));
  const std::string entrada = "\r\nError :\r\n" + descripcion +
                              "\r\nAGREGAR A\r\nTABLA : tblb\r\nCAMPOS :N,N2\r\nVALORES :1,10"
                              "\r\nReintentar\r\n";
  EXPECT_EQ(Bitacora(), entrada + entrada);
  EXPECT_FALSE(bd.HayError());
  EXPECT_THAT(Listadas(), ElementsAre("tblb"));
}

// tblMenus keeps the destination's own rows: the rows it already holds fail, and Ignore
// skips them while the rest of the table is copied.
TEST_F(Importacion, IgnorarOmiteLaFilaYSigueConLaTabla) {
  origen->EjecutaSql(
      "CREATE TABLE tblMenus (ID INT PRIMARY KEY, NOMBRE VARCHAR(20));"
      "INSERT INTO tblMenus VALUES (1, 'del origen'), (2, 'nuevo');");
  destino->EjecutaSql(
      "CREATE TABLE tblMenus (ID INT PRIMARY KEY, NOMBRE VARCHAR(20));"
      "INSERT INTO tblMenus VALUES (1, 'propio');");
  ui.Responde(ui::Respuesta::Ignore);
  Importa();

  EXPECT_EQ(destino->Consulta("SELECT ID, NOMBRE FROM tblMenus ORDER BY ID"),
            (Filas{{"1", "propio"}, {"2", "nuevo"}}));
  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(ui.cajas[0].titulo, std::to_string(ado::adErrIntegrity));
  const std::string descripcion = ui.cajas[0].prompt.substr(0, ui.cajas[0].prompt.find('\r'));
  EXPECT_THAT(descripcion, HasSubstr("Duplicate entry"));
  EXPECT_EQ(Bitacora(), "\r\nError Omitido :\r\n" + descripcion +
                            "\r\nAGREGAR A\r\nTABLA : tblmenus\r\nCAMPOS :ID,NOMBRE\r\n"
                            "VALORES :1,'del origen'\r\n");
  EXPECT_FALSE(bd.HayError());
  EXPECT_THAT(Listadas(), ElementsAre("tblmenus"));
}

// Abort stops the whole copy with HayError set and nothing logged; the table it stopped
// in keeps the rows already sent and is not noted. The next call skips the tables noted
// before and copies the stopped table again from its first row.
TEST_F(Importacion, AbortarDetieneLaCopiaYLaSiguienteLlamadaLaRetoma) {
  origen->EjecutaSql(
      "CREATE TABLE tblA (N INT); INSERT INTO tblA VALUES (1);"
      "CREATE TABLE tblB (N INT); INSERT INTO tblB VALUES (1), (2), (3);"
      "CREATE TABLE tblC (N INT); INSERT INTO tblC VALUES (1);");
  destino->EjecutaSql(
      "CREATE TABLE tblA (N INT); CREATE TABLE tblB (N INT, CONSTRAINT SOLO_UNO CHECK (N < 2));"
      "CREATE TABLE tblC (N INT);");
  ui.Responde(ui::Respuesta::Abort);
  Importa();

  EXPECT_TRUE(bd.HayError());
  EXPECT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(Bitacora(), "");
  EXPECT_THAT(Listadas(), ElementsAre("tbla"));
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblB"), (Filas{{"1"}}));
  EXPECT_THAT(destino->Consulta("SELECT N FROM tblC"), IsEmpty());

  destino->EjecutaSql("ALTER TABLE tblB DROP CONSTRAINT SOLO_UNO; INSERT INTO tblA VALUES (8);");
  Importa();
  EXPECT_FALSE(bd.HayError());
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblA ORDER BY N"), (Filas{{"1"}, {"8"}}));
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblB ORDER BY N"), (Filas{{"1"}, {"2"}, {"3"}}));
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblC"), (Filas{{"1"}}));
  EXPECT_THAT(Listadas(), ElementsAre("tbla", "tblb", "tblc"));
}

// A malformed row of tblConceptoIE or tblFolios is let go without a box (the server
// gives the names in lower case) but noted; the same failure elsewhere asks the user.
TEST_F(Importacion, LasFilasMalFormadasDeConceptosYFoliosSeOmitenSinPreguntar) {
  origen->EjecutaSql(
      "CREATE TABLE tblConceptoIE (N INT, X INT); INSERT INTO tblConceptoIE VALUES (1, 1);"
      "CREATE TABLE tblFolios (N INT, X INT); INSERT INTO tblFolios VALUES (1, 1), (2, 2);"
      "CREATE TABLE tblOtra (N INT, X INT); INSERT INTO tblOtra VALUES (1, 1);");
  destino->EjecutaSql(
      "CREATE TABLE tblConceptoIE (N INT); CREATE TABLE tblFolios (N INT);"
      "CREATE TABLE tblOtra (N INT);");
  ui.Responde(ui::Respuesta::Ignore);
  Importa();

  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_THAT(ui.cajas[0].prompt, HasSubstr("TABLA : tblotra"));
  const std::string bitacora = Bitacora();
  for (const char* omitida : {"TABLA : tblconceptoie\r\nCAMPOS :N,X\r\nVALORES :1,1\r\n",
                              "TABLA : tblfolios\r\nCAMPOS :N,X\r\nVALORES :1,1\r\n",
                              "TABLA : tblfolios\r\nCAMPOS :N,X\r\nVALORES :2,2\r\n",
                              "TABLA : tblotra\r\nCAMPOS :N,X\r\nVALORES :1,1\r\n"})
    EXPECT_THAT(bitacora, HasSubstr(omitida));
  EXPECT_THAT(bitacora, Not(HasSubstr("Reintentar")));
  EXPECT_FALSE(bd.HayError());
  EXPECT_THAT(Listadas(), ElementsAre("tblconceptoie", "tblfolios", "tblotra"));
}

// A source table that cannot be read leaves the destination's table as it was.
TEST_F(Importacion, UnOrigenQueNoSePuedeLeerNoVaciaElDestino) {
  origen->EjecutaSql(
      "CREATE TABLE base (N INT); CREATE VIEW tblVista AS SELECT N FROM base; DROP TABLE base;");
  destino->EjecutaSql("CREATE TABLE tblVista (N INT); INSERT INTO tblVista VALUES (5);");
  EXPECT_THROW(Importa(), vb::Error);
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblVista"), (Filas{{"5"}}));
  EXPECT_THAT(Listadas(), IsEmpty());
}

// Without a usable work file or source the call fails to its caller before it touches
// the destination.
TEST_F(Importacion, LasFallasDeAperturaLleganAlLlamador) {
  origen->EjecutaSql("CREATE TABLE tblA (N INT); INSERT INTO tblA VALUES (1);");
  destino->EjecutaSql("CREATE TABLE tblA (N INT); INSERT INTO tblA VALUES (7);");
  const std::vector<std::pair<const char*, std::function<void()>>> casos = {
      {"no work file", [&] { std::filesystem::remove(RutaTrabajo()); }},
      {"no TablasOk", [&] { prueba::CreaBaseSqlite(RutaTrabajo(), "CREATE TABLE u (N INT);"); }},
  };
  for (const auto& [caso, prepara] : casos) {
    prepara();
    EXPECT_THROW(Importa(), vb::Error) << caso;
    EXPECT_EQ(destino->Consulta("SELECT N FROM tblA"), (Filas{{"7"}})) << caso;
  }
  prueba::CreaBaseSqlite(RutaTrabajo(), kTablasOk);
  EXPECT_THROW(bd.ImportarRegistros(vb::Variant("DSN=NoExisteEsteOrigen"),
                                    destino->CadenaConexion(), lbl),
               vb::Error);
  EXPECT_EQ(destino->Consulta("SELECT N FROM tblA"), (Filas{{"7"}}));
}

// ------------------------------------------------------------------ LimpiaComillas

struct CasoLimpia {
  std::string texto;
  std::int16_t iTipoBD;
  std::string esperado;
};

TEST(LimpiaComillas, CambiaLasComillasYDuplicaLasBarrasFueraDeAccess) {
  const std::vector<CasoLimpia> casos = {
      {"d'Ana dijo \"sí\" en C:\\Suite\\", ManejadorMySQL, "d´Ana dijo ”sí” en C:\\\\Suite\\\\"},
      {"'' y \"\"", ManejadorSQLServer, "´´ y ””"},
      {"C:\\Suite 'a'", ManejadorAccess, "C:\\Suite ´a´"},
      {"sin nada que cambiar", ManejadorMySQL, "sin nada que cambiar"},
      {"", ManejadorMySQL, ""},
      {std::string("F\0\\1", 4), ManejadorMySQL, "F\\0\\\\1"},
      {std::string("F\0", 2), ManejadorSQLServer, std::string("F\0", 2)},
  };
  clsBaseDatos bd;
  for (const CasoLimpia& caso : casos) {
    std::string cadena = caso.texto;
    EXPECT_EQ(AccesoPrivadoClsBaseDatos::LimpiaComillas(bd, cadena, caso.iTipoBD), caso.esperado)
        << caso.texto;
    EXPECT_EQ(cadena, caso.esperado) << caso.texto;
  }
}

}  // namespace
