// The structure synchronisation as text, against a recording provider: the statements
// each engine receives and where it yields, the connection box with Retry and Cancel, and
// the error box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "data/clsBaseDatos.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr const char* kSQLServer =
    "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
    "Initial Catalog=tienda;Data Source=servidor";
constexpr const char* kMySQL = "DSN=tienda";
constexpr const char* kCaptionEntrada = "Revisando estructura para versión 9.5.2";
constexpr const char* kCaptionFinal = "Base de datos generada...";
constexpr long kErrSintaxis = -2147217900;
constexpr long kErrGeneral = -2147467259;
constexpr long kSinFilas = 0x81;  // adCmdText + adExecuteNoRecords

const std::string kCreaArticulos =
    "CREATE TABLE tblArticulos (COD_ART VARCHAR(20) NOT NULL DEFAULT(''),"
    "DES_ART VARCHAR(60) NOT NULL DEFAULT(''),PRECIO DECIMAL(13,4) NOT NULL DEFAULT(0.0000),"
    "EXISTENCIA REAL NOT NULL DEFAULT(0.0000),FEC_ALTA DATE,HORA_ALTA TIME,ULT_MOV DATETIME,"
    "NOTAS TEXT,XML_FICHA nvarchar(max),IMGBIT_FOTO nvarchar(max),"
    "ID BIGINT NOT NULL IDENTITY(1,1) UNIQUE,ACTIVO TINYINT NOT NULL DEFAULT(0),"
    "PIEZAS BIGINT NOT NULL DEFAULT(0));";
const std::string kCreaMensajes =
    "CREATE TABLE tblMensajes (TEXTO VARCHAR(100) NOT NULL DEFAULT(''),"
    "ORDEN SMALLINT NOT NULL DEFAULT(0));";

// Message boxes as ScriptedUi answers them; each yield notes how many statements had
// gone to the database by then and the caption it showed.
class UiQueAnotaCesiones : public prueba::ScriptedUi {
 public:
  UiQueAnotaCesiones(const prueba::RecordingProvider& grabadora, const ui::Label& lbl)
      : grabadora_(grabadora), lbl_(lbl) {}
  void DoEvents() override {
    cesiones.push_back(grabadora_.Textos().size());
    captions.push_back(lbl_.Caption);
  }
  std::vector<std::size_t> cesiones;
  std::vector<std::string> captions;

 private:
  const prueba::RecordingProvider& grabadora_;
  const ui::Label& lbl_;
};

class SincronizacionGrabada : public ::testing::Test {
 protected:
  explicit SincronizacionGrabada(const std::string& sqlAdicional = {})
      : programa(sqlAdicional, "catalogo/sync_basico.sql") {
    grabadora.DejaPasar(prueba::Contiene("Microsoft.Jet.OLEDB"));
    win::EstableceSleep([](unsigned) {});
    lbl.Caption = kCaptionEntrada;
  }
  ~SincronizacionGrabada() override { win::EstableceSleep({}); }

  void Sincroniza(const std::string& cadena, std::int32_t iManejador, bool bAgregaDefault,
                  std::uint8_t iEstructura = EstructuraPrincipal) {
    bd.CrearBaseDeDatos(cadena, iManejador, "tienda", bExisteError, lbl, bAgregaDefault,
                        iEstructura);
  }

  // SQL Server's answers for a database that holds tblFolios with one column and its index.
  void BaseSQLServerConFolios() {
    grabadora.Responde("EXEC sp_tables;",
                       {{"TABLE_QUALIFIER", "TABLE_OWNER", "TABLE_NAME", "TABLE_TYPE", "REMARKS"},
                        {{"tienda", "dbo", "tblFolios", "TABLE", vb::Variant::Null()},
                         {"tienda", "dbo", "tblPropia", "TABLE", vb::Variant::Null()}}});
    grabadora.Responde(
        "SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.Columns WHERE TABLE_NAME = 'tblFolios'",
        {{"COLUMN_NAME"}, {{"cod_folio"}}});
    grabadora.Responde("sp_helpIndex  tblFolios",
                       {{"index_name", "index_description", "index_keys"},
                        {{"idxCOD_FOLIO", "nonclustered, unique", "COD_FOLIO"}}});
  }

  std::vector<std::string> Textos() const { return grabadora.Textos(); }

  // What SQL Server receives for that database, without default rows.
  static std::vector<std::string> SentenciasSQLServer() {
    return {"EXEC sp_tables;",
            kCreaArticulos,
            "sp_helpIndex  tblArticulos",
            "ALTER TABLE tblArticulos ADD CONSTRAINT PK_Articulos PRIMARY KEY (COD_ART);",
            "ALTER TABLE tblArticulos ADD CONSTRAINT idxDescripcion UNIQUE (DES_ART);",
            "CREATE INDEX idxAltaPrecio ON tblArticulos (FEC_ALTA,PRECIO);",
            "SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.Columns WHERE TABLE_NAME = 'tblFolios'",
            "ALTER TABLE tblFolios ADD FOL_FOLIO VARCHAR(20) NOT NULL DEFAULT('')",
            "sp_helpIndex  tblFolios",
            kCreaMensajes};
  }

  prueba::ProgramaConCatalogo programa;
  prueba::RecordingProvider grabadora;
  ui::Label lbl;
  UiQueAnotaCesiones ui{grabadora, lbl};
  clsBaseDatos bd;
  bool bExisteError = false;
};

// A table that lacks every index gets its constraints at once; an existing table gets
// the column it lacks; the kind of constraint follows the catalogue's flags, and an index
// that is neither principal nor unique is a plain index.
TEST_F(SincronizacionGrabada, SQLServerRecibeSusSentencias) {
  BaseSQLServerConFolios();

  Sincroniza(kSQLServer, ManejadorSQLServer, false);

  EXPECT_THAT(ui.cajas, IsEmpty());
  EXPECT_FALSE(bExisteError);
  EXPECT_FALSE(bd.HayError());
  EXPECT_EQ(lbl.Caption, kCaptionFinal);
  EXPECT_EQ(Textos(), SentenciasSQLServer());
  for (const prueba::Ejecucion& e : grabadora.Ejecuciones()) {
    const bool esIndice = e.sql.find("CONSTRAINT") != std::string::npos ||
                          e.sql.rfind("CREATE INDEX", 0) == 0;
    EXPECT_EQ(e.opciones == kSinFilas, esIndice) << e.sql;
  }
  ASSERT_EQ(grabadora.Aperturas().size(), 1u);
  EXPECT_EQ(grabadora.Aperturas()[0].cadena, kSQLServer);
  EXPECT_EQ(grabadora.Aperturas()[0].connectionTimeout, 0);
  EXPECT_EQ(grabadora.Aperturas()[0].commandTimeout, 0);
  EXPECT_EQ(grabadora.ConexionesAbiertas(), 0);
}

TEST_F(SincronizacionGrabada, SQLServerPasaPorAltoUnaRestriccionRechazada) {
  BaseSQLServerConFolios();
  grabadora.Falla(prueba::EmpiezaCon("ALTER TABLE tblArticulos ADD CONSTRAINT"), kErrSintaxis,
                  "Incorrect syntax near '('.");
  grabadora.Falla(prueba::EmpiezaCon("CREATE INDEX"), kErrSintaxis, "Cannot create index.");

  Sincroniza(kSQLServer, ManejadorSQLServer, false);

  EXPECT_THAT(ui.cajas, IsEmpty());
  EXPECT_FALSE(bExisteError);
  EXPECT_EQ(lbl.Caption, kCaptionFinal);
  EXPECT_EQ(Textos(), SentenciasSQLServer());
}

// A table created by the call receives its default rows twice (after its creation and
// at the end of its turn), an existing table once.
TEST_F(SincronizacionGrabada, SQLServerAgregaLosRegistrosDefaultEnCadaVueltaDeTabla) {
  const std::string insert =
      "INSERT INTO tblConsultorios (Id_Consultorio,Nombre) VALUES (1,'Consultorio General');";
  const std::string restriccion =
      "ALTER TABLE tblConsultorios ADD CONSTRAINT PK_Consultorios PRIMARY KEY (Id_Consultorio);";
  grabadora.Responde("EXEC sp_tables;", {{"Q", "O", "TABLE_NAME"}, {}});

  Sincroniza(kSQLServer, ManejadorSQLServer, true, EstructuraConsultorio);

  EXPECT_THAT(Textos(),
              ElementsAre("EXEC sp_tables;",
                          "CREATE TABLE tblConsultorios (Id_Consultorio BIGINT NOT NULL "
                          "DEFAULT(0),Nombre VARCHAR(50) NOT NULL DEFAULT(''));",
                          insert, "sp_helpIndex  tblConsultorios", restriccion, insert));
  EXPECT_EQ(lbl.Caption, kCaptionFinal);
  // The table had no index at all: its constraint goes at once, without a yield.
  const std::string entrada = std::string(kCaptionEntrada) + "\r\n\r\n";
  EXPECT_THAT(ui.cesiones, ElementsAre(1, 5, 6));
  EXPECT_THAT(ui.captions, ElementsAre(entrada + "tblConsultorios",
                                       entrada + "Agregando registros default...", kCaptionFinal));
}

TEST_F(SincronizacionGrabada, SQLServerConLaTablaAlDiaSoloLeeYAgregaSusRegistros) {
  grabadora.Responde("EXEC sp_tables;",
                     {{"Q", "O", "TABLE_NAME"}, {{"t", "dbo", "TBLCONSULTORIOS"}}});
  grabadora.Responde(prueba::Contiene("INFORMATION_SCHEMA"),
                     {{"COLUMN_NAME"}, {{"Id_Consultorio"}, {"Nombre"}}});
  grabadora.Responde("sp_helpIndex  tblConsultorios",
                     {{"index_name"}, {{"pk_consultorios"}}});

  Sincroniza(kSQLServer, ManejadorSQLServer, true, EstructuraConsultorio);

  EXPECT_THAT(Textos(),
              ElementsAre("EXEC sp_tables;",
                          "SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.Columns WHERE TABLE_NAME = "
                          "'tblConsultorios'",
                          "sp_helpIndex  tblConsultorios",
                          "INSERT INTO tblConsultorios (Id_Consultorio,Nombre) VALUES "
                          "(1,'Consultorio General');"));
}

// MySQL: the changing statements and their order; the database's metadata is read once
// per table. A key of two columns gets one drop per column; NUM_MOV stays, num_mov not.
class SincronizacionGrabadaMySQL : public SincronizacionGrabada {
 protected:
  SincronizacionGrabadaMySQL()
      : SincronizacionGrabada(
            "INSERT INTO tblTablas VALUES (20, 'tblCitas', 10);"
            "INSERT INTO tblCamposTabla VALUES (2001, 20, 'Id_Cita', 0, 0),"
            " (2002, 20, 'Paciente', 9, 40), (2003, 20, 'Fecha', 7, 0);"
            "INSERT INTO tblIndices VALUES (20, 20, 'idxPaciente', FALSE, FALSE),"
            " (21, 20, 'PK_Citas', TRUE, TRUE);"
            "INSERT INTO tblCamposIndice VALUES (20, 2002), (21, 2001);") {
    grabadora.Responde("SHOW DATABASES;", {{"Database"}, {{"mysql"}, {"TIENDA"}}});
    grabadora.Responde("SHOW TABLES;", {{"Tables_in_tienda"}, {{"tblcitas"}}});
    grabadora.Responde("SHOW COLUMNS FROM tblCitas", {{"Field", "Type"},
                                                      {{"Id_Cita", "smallint(6)"},
                                                       {"Fecha", "date"}}});
    grabadora.Responde("SHOW INDEX FROM tblCitas",
                       {{"Table", "Non_unique", "Key_name", "Column_name"},
                        {{"tblcitas", "0", "PK_Citas", "Id_Cita"},
                         {"tblcitas", "1", "idxViejo", "Id_Cita"},
                         {"tblcitas", "1", "idxViejo", "Fecha"},
                         {"tblcitas", "1", "NUM_MOV", "Fecha"},
                         {"tblcitas", "1", "num_mov", "Id_Cita"}}});
    grabadora.Responde("SHOW INDEX FROM tblConsultorios", {{"Key_name"}, {}});
    grabadora.Responde("SHOW INDEX FROM tblDp_Envios", {{"Key_name"}, {}});
  }
};

TEST_F(SincronizacionGrabadaMySQL, MySQLRecibeSusSentencias) {
  grabadora.Falla(prueba::EmpiezaCon("DROP INDEX"), kErrSintaxis, "Can't DROP 'idxViejo'", 1);
  const std::string insert =
      "INSERT INTO tblConsultorios (Id_Consultorio,Nombre) VALUES (1,'Consultorio General');";

  Sincroniza(kMySQL, ManejadorMySQL, true, EstructuraConsultorio);

  EXPECT_THAT(ui.cajas, IsEmpty());
  EXPECT_FALSE(bExisteError);
  EXPECT_EQ(lbl.Caption, kCaptionFinal);
  EXPECT_THAT(Textos(),
              ElementsAre("SHOW DATABASES;", "SHOW TABLES;", "SHOW COLUMNS FROM tblCitas",
                          "ALTER TABLE tblCitas ADD COLUMN Paciente VARCHAR(40) NOT NULL "
                          "DEFAULT ''",
                          "SHOW INDEX FROM tblCitas",
                          "CREATE INDEX idxPaciente ON tblCitas (Paciente);",
                          "DROP INDEX idxViejo ON tblCitas;", "DROP INDEX idxViejo ON tblCitas;",
                          "DROP INDEX num_mov ON tblCitas;",
                          "CREATE TABLE IF NOT EXISTS tblConsultorios (Id_Consultorio BIGINT NOT "
                          "NULL DEFAULT 0,Nombre VARCHAR(50) NOT NULL DEFAULT '');",
                          insert, "SHOW INDEX FROM tblConsultorios",
                          "CREATE UNIQUE INDEX PK_Consultorios ON tblConsultorios "
                          "(Id_Consultorio);",
                          insert, "FLUSH TABLES;"));
  for (const prueba::Ejecucion& e : grabadora.Ejecuciones()) {
    const bool sinFilas = e.sql.starts_with("CREATE INDEX") ||
                          e.sql.starts_with("CREATE UNIQUE") || e.sql.starts_with("DROP") ||
                          e.sql.starts_with("FLUSH");
    EXPECT_EQ(e.opciones == kSinFilas, sinFilas) << e.sql;
  }
  // Yields: after connecting; tblCitas: caption, columns, the added one, indexes, each
  // index read, its creation, each drop; tblConsultorios: caption, the new table, each of
  // its columns, indexes, the index read and its creation; default rows; the end.
  EXPECT_THAT(ui.cesiones, ElementsAre(0, 2, 2, 3, 4, 4, 5, 6, 6, 7, 8, 9, 9, 9, 9, 11, 11, 12,
                                       13, 15));
}

TEST_F(SincronizacionGrabadaMySQL, SinRegistrosDefaultIgualTerminaConFlush) {
  Sincroniza(kMySQL, ManejadorMySQL, false, EstructuraDependencia);

  EXPECT_THAT(Textos(), ElementsAre("SHOW DATABASES;", "SHOW TABLES;",
                                    "CREATE TABLE IF NOT EXISTS tblDp_Envios (Id_Envio SMALLINT "
                                    "NOT NULL DEFAULT 0);",
                                    "SHOW INDEX FROM tblDp_Envios", "FLUSH TABLES;"));
}

// Column and index names that the database writes with other capitals than the catalogue,
// accented capitals included, are found as the list filters find them: nothing is added.
class NombresConAcentos : public SincronizacionGrabada {
 protected:
  NombresConAcentos()
      : SincronizacionGrabada(
            "INSERT INTO tblTablas VALUES (20, 'tblDp_Anios', 12);"
            "INSERT INTO tblCamposTabla VALUES (2001, 20, 'AÑO', 0, 0),"
            " (2002, 20, 'Descripción', 9, 40);"
            "INSERT INTO tblIndices VALUES (20, 20, 'idxAÑO', FALSE, TRUE);"
            "INSERT INTO tblCamposIndice VALUES (20, 2001);") {}
};

TEST_F(NombresConAcentos, UnaColumnaOUnIndiceQueYaEstanNoSeAgregan) {
  struct Caso {
    std::int32_t iManejador;
    const char* cadena;
    std::vector<std::string> sentencias;
  };
  const Caso casos[] = {
      {ManejadorMySQL,
       kMySQL,
       {"SHOW DATABASES;", "SHOW TABLES;", "SHOW COLUMNS FROM tblDp_Anios",
        "SHOW INDEX FROM tblDp_Anios", "SHOW COLUMNS FROM tblDp_Envios",
        "SHOW INDEX FROM tblDp_Envios", "FLUSH TABLES;"}},
      {ManejadorSQLServer,
       kSQLServer,
       {"EXEC sp_tables;",
        "SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.Columns WHERE TABLE_NAME = 'tblDp_Anios'",
        "sp_helpIndex  tblDp_Anios",
        "SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.Columns WHERE TABLE_NAME = 'tblDp_Envios'"}},
  };
  grabadora.Responde("SHOW DATABASES;", {{"Database"}, {{"tienda"}}});
  grabadora.Responde("SHOW TABLES;", {{"Tables_in_tienda"}, {{"tbldp_anios"}, {"tbldp_envios"}}});
  grabadora.Responde("EXEC sp_tables;", {{"Q", "O", "TABLE_NAME"},
                                         {{"t", "dbo", "tblDp_Anios"}, {"t", "dbo", "tblDp_Envios"}}});
  grabadora.Responde("SHOW COLUMNS FROM tblDp_Anios", {{"Field"}, {{"año"}, {"DESCRIPCIÓN"}}});
  grabadora.Responde(prueba::Contiene("TABLE_NAME = 'tblDp_Anios'"),
                     {{"COLUMN_NAME"}, {{"año"}, {"DESCRIPCIÓN"}}});
  grabadora.Responde("SHOW COLUMNS FROM tblDp_Envios", {{"Field"}, {{"Id_Envio"}}});
  grabadora.Responde(prueba::Contiene("TABLE_NAME = 'tblDp_Envios'"),
                     {{"COLUMN_NAME"}, {{"Id_Envio"}}});
  // The MySQL key differs in unaccented capitals only: it also goes through the
  // catalogue's key lookup, which this case does not set out to test.
  grabadora.Responde("SHOW INDEX FROM tblDp_Anios", {{"Key_name"}, {{"IDXAÑO"}}});
  grabadora.Responde("sp_helpIndex  tblDp_Anios", {{"index_name"}, {{"idxaño"}}});
  grabadora.Responde("SHOW INDEX FROM tblDp_Envios", {{"Key_name"}, {}});

  for (const Caso& caso : casos) {
    const std::size_t antes = Textos().size();

    Sincroniza(caso.cadena, caso.iManejador, false, EstructuraDependencia);

    EXPECT_THAT(ui.cajas, IsEmpty()) << caso.iManejador;
    EXPECT_FALSE(bExisteError) << caso.iManejador;
    EXPECT_EQ(lbl.Caption, kCaptionFinal) << caso.iManejador;
    const std::vector<std::string> todos = Textos();
    EXPECT_EQ(std::vector<std::string>(todos.begin() + static_cast<long>(antes), todos.end()),
              caso.sentencias)
        << caso.iManejador;
  }
}

// A column without a type code in a table to be created: on MySQL the yield after its
// name has come before the conversion fails and the error box ends the call.
class ColumnaNuevaSinTipo : public SincronizacionGrabada {
 protected:
  ColumnaNuevaSinTipo()
      : SincronizacionGrabada(
            "INSERT INTO tblTablas VALUES (20, 'tblDp_Nulos', 12);"
            "INSERT INTO tblCamposTabla VALUES (2001, 20, 'A', NULL, 0);") {}
};

TEST_F(ColumnaNuevaSinTipo, MySQLCedeTrasElNombreAntesDelError) {
  grabadora.Responde("SHOW DATABASES;", {{"Database"}, {{"tienda"}}});
  grabadora.Responde("SHOW TABLES;", {{"Tables_in_tienda"}, {{"tbldp_envios"}}});
  grabadora.Responde("SHOW COLUMNS FROM tblDp_Envios", {{"Field"}, {{"Id_Envio"}}});
  grabadora.Responde("SHOW INDEX FROM tblDp_Envios", {{"Key_name"}, {}});
  ui.Responde(ui::Respuesta::OK);

  Sincroniza(kMySQL, ManejadorMySQL, false, EstructuraDependencia);

  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_THAT(ui.cajas[0].prompt, ::testing::StartsWith("Error 94:\r\n"));
  EXPECT_EQ(Textos().size(), 4u);
  // After connecting; tblDp_Envios: caption, its columns, its indexes; tblDp_Nulos:
  // caption, the new table, the name of its column.
  EXPECT_THAT(ui.cesiones, ElementsAre(0, 2, 2, 3, 4, 4, 4));
}

// The connection phase: a failing step shows the provider's message with Retry and
// Cancel and the error's number as title.
struct PasoQueFalla {
  const char* nombre;
  void (*prepara)(prueba::RecordingProvider&, const prueba::ProgramaConCatalogo&, int veces);
  std::size_t aperturasTrasDosReintentos;  // openings of the database
};

void PrintTo(const PasoQueFalla& paso, std::ostream* os) { *os << paso.nombre; }

constexpr const char* kSinServidor = "[DBNETLIB]SQL Server does not exist or access denied.";

const PasoQueFalla kPasos[] = {
    {"Conexion",
     [](prueba::RecordingProvider& g, const prueba::ProgramaConCatalogo&, int veces) {
       g.FallaApertura(kSQLServer, kErrGeneral, kSinServidor, veces);
     },
     3},
    {"ListaDeTablas",
     [](prueba::RecordingProvider& g, const prueba::ProgramaConCatalogo&, int veces) {
       g.Falla("EXEC sp_tables;", kErrGeneral, kSinServidor, veces);
     },
     1},
};

// A missing catalogue file cannot come back while the box is shown: Cancel only.
const PasoQueFalla kCatalogoAusente = {
    "Catalogo",
    [](prueba::RecordingProvider&, const prueba::ProgramaConCatalogo& programa, int) {
      std::filesystem::remove(programa.RutaCatalogo());
    },
    1};

class ConexionGrabada : public SincronizacionGrabada,
                        public ::testing::WithParamInterface<PasoQueFalla> {};
using ConexionCancelada = ConexionGrabada;
using ConexionReintentada = ConexionGrabada;

TEST_P(ConexionCancelada, CancelarTerminaSinTocarNadaMas) {
  BaseSQLServerConFolios();
  GetParam().prepara(grabadora, programa, prueba::kSiempre);
  ui.Responde(ui::Respuesta::Cancel);

  Sincroniza(kSQLServer, ManejadorSQLServer, true);

  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(ui.cajas[0].botones, ui::Botones::RetryCancel);
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Ninguno);
  EXPECT_THAT(ui.cajas[0].prompt, Not(IsEmpty()));
  EXPECT_TRUE(bExisteError);
  EXPECT_FALSE(bd.HayError());
  EXPECT_EQ(lbl.Caption, kCaptionEntrada);
  EXPECT_THAT(Textos(), ::testing::Each("EXEC sp_tables;"));
  EXPECT_EQ(grabadora.ConexionesAbiertas(), 0);
}

TEST_P(ConexionReintentada, ReintentarRepiteElPasoQueFalloYLaLlamadaSigue) {
  BaseSQLServerConFolios();
  GetParam().prepara(grabadora, programa, 2);
  ui.Responde(ui::Respuesta::Retry);
  ui.Responde(ui::Respuesta::Retry);

  Sincroniza(kSQLServer, ManejadorSQLServer, false);

  ASSERT_EQ(ui.cajas.size(), 2u);
  for (const prueba::Caja& caja : ui.cajas) {
    EXPECT_EQ(caja.prompt, kSinServidor);
    EXPECT_EQ(caja.titulo, "-2147467259");
  }
  EXPECT_EQ(grabadora.Aperturas().size(), GetParam().aperturasTrasDosReintentos);
  EXPECT_EQ(Textos().back(), kCreaMensajes);
  EXPECT_FALSE(bExisteError);
  EXPECT_EQ(lbl.Caption, kCaptionFinal);
  EXPECT_EQ(grabadora.ConexionesAbiertas(), 0);
}

std::string NombreDelPaso(const ::testing::TestParamInfo<PasoQueFalla>& info) {
  return info.param.nombre;
}
INSTANTIATE_TEST_SUITE_P(Pasos, ConexionCancelada,
                         ::testing::Values(kPasos[0], kPasos[1], kCatalogoAusente), NombreDelPaso);
INSTANTIATE_TEST_SUITE_P(Pasos, ConexionReintentada, ::testing::ValuesIn(kPasos), NombreDelPaso);

// A failing statement after the connection phase ends the call in the error box, which
// reports failure; the caption keeps the table in hand and nothing more is sent.
struct SentenciaQueFalla {
  const char* nombre;
  const char* inicio;  // how the failing statement begins
  const char* tabla;   // the table in hand
};

void PrintTo(const SentenciaQueFalla& sentencia, std::ostream* os) { *os << sentencia.inicio; }

const SentenciaQueFalla kSentencias[] = {
    {"IndicesDeLaBase", "sp_helpIndex  tblArticulos", "tblArticulos"},
    {"CreacionDeTabla", "CREATE TABLE tblMensajes", "tblMensajes"},
    {"ColumnasDeLaBase", "SELECT COLUMN_NAME", "tblFolios"},
    {"NuevaColumna", "ALTER TABLE tblFolios ADD FOL_FOLIO", "tblFolios"},
};

class FalloGrabado : public SincronizacionGrabada,
                     public ::testing::WithParamInterface<SentenciaQueFalla> {};

TEST_P(FalloGrabado, TerminaEnLaCajaDeErrorEInformaElFallo) {
  BaseSQLServerConFolios();
  grabadora.Falla(prueba::EmpiezaCon(GetParam().inicio), kErrSintaxis,
                  "Incorrect syntax near ')'.");
  ui.Responde(ui::Respuesta::OK);

  Sincroniza(kSQLServer, ManejadorSQLServer, true);

  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(ui.cajas[0].prompt, "Error -2147217900:\r\nIncorrect syntax near ')'.");
  EXPECT_EQ(ui.cajas[0].botones, ui::Botones::OK);
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Ninguno);
  EXPECT_EQ(ui.cajas[0].titulo, "Actualización");
  EXPECT_EQ(lbl.Caption, std::string(kCaptionEntrada) + "\r\n\r\n" + GetParam().tabla);
  EXPECT_TRUE(bExisteError);
  EXPECT_TRUE(bd.HayError());
  EXPECT_THAT(Textos().back(), ::testing::StartsWith(GetParam().inicio));
  EXPECT_EQ(grabadora.ConexionesAbiertas(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sentencias, FalloGrabado, ::testing::ValuesIn(kSentencias),
                         [](const auto& info) { return std::string(info.param.nombre); });

// MS Access, or any code but SQL Server's and MySQL's, does no structure work.
TEST_F(SincronizacionGrabada, OtrosDialectosNoHacenNada) {
  for (const std::int32_t iManejador : {std::int32_t{ManejadorAccess}, 0, 5}) {
    for (const bool bAntes : {false, true}) {
      bExisteError = bAntes;
      lbl.Caption = kCaptionEntrada;

      Sincroniza(kMySQL, iManejador, true);

      EXPECT_EQ(bExisteError, bAntes);
      EXPECT_FALSE(bd.HayError());
      EXPECT_EQ(lbl.Caption, kCaptionFinal);
    }
  }
  EXPECT_THAT(grabadora.Aperturas(), IsEmpty());
  EXPECT_THAT(ui.cajas, IsEmpty());
}

}  // namespace
