// ADO over the real MariaDB ODBC driver, against the throwaway test server.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "platform/ado/Ado.h"
#include "platform/ado/OdbcSession.h"
#include "support/TestDatabase.h"

namespace {

using ::testing::HasSubstr;
using vb::Variant;

// The error an action raises; fails the test when it raises none.
template <typename Accion>
ado::ProviderError ErrorDe(Accion accion) {
  try {
    accion();
  } catch (const ado::ProviderError& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return ado::ProviderError({});
}

// A loopback port where nothing listens.
int PuertoCerrado() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in direccion{};
  direccion.sin_family = AF_INET;
  direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof direccion;
  bind(s, reinterpret_cast<sockaddr*>(&direccion), largo);
  getsockname(s, reinterpret_cast<sockaddr*>(&direccion), &largo);
  close(s);
  return ntohs(direccion.sin_port);
}

class OdbcMariaDb : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    db_.emplace();
    cn_.Open(db_->CadenaConexion());
  }

  prueba::TestDatabase& db() { return *db_; }

  // The rows of a query as Variants, read through ADO.
  std::vector<std::vector<Variant>> Filas(const std::string& sql) {
    ado::Recordset rs;
    rs.Open(sql, cn_);
    std::vector<std::vector<Variant>> filas;
    for (; !rs.Eof(); rs.MoveNext()) {
      std::vector<Variant> fila;
      for (int c = 0; c < rs.FieldCount(); ++c) fila.push_back(rs.Fields(c).Value());
      filas.push_back(std::move(fila));
    }
    return filas;
  }

  // The values of `columna` in the rows that pass `filtro`.
  static std::vector<std::string> Filtra(ado::Recordset& rs, const std::string& filtro,
                                         const std::string& columna) {
    rs.Filter(filtro);
    std::vector<std::string> valores;
    for (; !rs.Eof(); rs.MoveNext()) valores.push_back(rs.Fields(columna).Value().AsString());
    return valores;
  }

  std::optional<prueba::TestDatabase> db_;
  ado::Connection cn_;
};

TEST_F(OdbcMariaDb, DdlAndDmlRunAndReportTheRowsTheyTouched) {
  long afectadas = -5;
  cn_.Execute("CREATE TABLE tblPrueba (ID INT NOT NULL, NOMBRE VARCHAR(20))", nullptr,
              ado::adCmdText | ado::adExecuteNoRecords);
  cn_.Execute("INSERT INTO tblPrueba VALUES (1, 'uno'), (2, 'dos'), (3, 'tres');", &afectadas);
  EXPECT_EQ(afectadas, 3);
  const ado::Recordset rs = cn_.Execute("UPDATE tblPrueba SET NOMBRE = 'x' WHERE ID > 1", &afectadas);
  EXPECT_EQ(afectadas, 2);
  EXPECT_EQ(rs.State(), ado::adStateClosed);
  // A statement that touches no row is not a failure.
  cn_.Execute("DELETE FROM tblPrueba WHERE ID = 99", &afectadas);
  EXPECT_EQ(afectadas, 0);
  cn_.Execute("ALTER TABLE tblPrueba ADD COLUMN EXTRA SMALLINT");
  EXPECT_EQ(db().Consulta("SELECT ID, NOMBRE, EXTRA FROM tblprueba ORDER BY ID"),
            (prueba::Filas{{"1", "uno", "NULL"}, {"2", "x", "NULL"}, {"3", "x", "NULL"}}));
}

TEST_F(OdbcMariaDb, MetadataStatementsComeBackAsFilterableRecordsets) {
  db().EjecutaSql(
      "CREATE TABLE tblArticulos (COD_ARTI VARCHAR(10) NOT NULL, DESCRIPCION VARCHAR(40),"
      " PRECIO DECIMAL(12,2), PRIMARY KEY (COD_ARTI));\n"
      "CREATE UNIQUE INDEX IX_DESC ON tblArticulos (DESCRIPCION, PRECIO);\n"
      "CREATE TABLE tblOtra (A INT);\n");

  ado::Recordset bases = cn_.Execute("SHOW DATABASES;");
  EXPECT_EQ(Filtra(bases, "DATABASE='" + db().Nombre() + "'", "Database"),
            std::vector<std::string>{db().Nombre()});
  EXPECT_TRUE(Filtra(bases, "DATABASE='no_existe_ninguna'", "Database").empty());
  EXPECT_TRUE(bases.BOF() && bases.Eof());

  ado::Recordset tablas = cn_.Execute("SHOW TABLES;");
  const std::string primerCampo = tablas.Fields(0).Name;
  EXPECT_EQ(Filtra(tablas, primerCampo + "='tblarticulos'", primerCampo).size(), 1u);
  EXPECT_EQ(Filtra(tablas, primerCampo + "='TBLOTRA'", primerCampo).size(), 1u);
  EXPECT_TRUE(Filtra(tablas, primerCampo + "='tblfalta'", primerCampo).empty());

  ado::Recordset columnas = cn_.Execute("SHOW COLUMNS FROM tblArticulos");
  EXPECT_EQ(Filtra(columnas, "FIELD='Descripcion'", "Field"),
            std::vector<std::string>{"DESCRIPCION"});
  EXPECT_TRUE(Filtra(columnas, "FIELD='EXISTENCIA'", "Field").empty());

  ado::Recordset indices = cn_.Execute("SHOW INDEX FROM tblArticulos");
  EXPECT_EQ(Filtra(indices, "KEY_NAME='IX_DESC'", "Column_name"),
            (std::vector<std::string>{"DESCRIPCION", "PRECIO"}));
  EXPECT_EQ(Filtra(indices, "KEY_NAME='primary'", "Column_name"),
            std::vector<std::string>{"COD_ARTI"});
  EXPECT_EQ(Filtra(indices, "", "Key_name").size(), 3u);
}

TEST_F(OdbcMariaDb, FailingStatementsRaiseTheMappedNumberWithTheDriversMessage) {
  db().EjecutaSql("CREATE TABLE tblClave (ID INT PRIMARY KEY);\nINSERT INTO tblClave VALUES (1);\n");
  struct Caso {
    std::string sql;
    long numero;
    std::string sqlState;
    long nativo;
    std::string mensaje;
  };
  const Caso casos[] = {
      {"SELEC 1", ado::adErrSyntax, "42000", 1064, "You have an error in your SQL syntax"},
      {"SELECT * FROM tblNoHay", ado::adErrSyntax, "42S02", 1146, "doesn't exist"},
      {"ALTER TABLE tblClave ADD COLUMN ID INT", ado::adErrSyntax, "42S21", 1060,
       "Duplicate column name 'ID'"},
      {"INSERT INTO tblClave VALUES (1)", ado::adErrIntegrity, "23000", 1062, "Duplicate entry"},
      {"DROP INDEX IX_NADA ON tblClave;", ado::adErrSyntax, "42000", 1091, "IX_NADA"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.sql);
    const ado::ProviderError e = ErrorDe([&] { cn_.Execute(caso.sql); });
    EXPECT_EQ(e.Number(), caso.numero);
    EXPECT_THAT(e.Description(), HasSubstr(caso.mensaje));
    ASSERT_FALSE(cn_.Errors().empty());
    const ado::ErrorInfo& error = cn_.Errors().front();
    EXPECT_EQ(error.Number, caso.numero);
    EXPECT_EQ(error.Description, e.Description());
    EXPECT_EQ(error.SQLState, caso.sqlState);
    EXPECT_EQ(error.NativeError, caso.nativo);
    EXPECT_EQ(error.Source, ado::kOrigenOdbc);
  }
  // The connection stays usable, and a success clears the errors.
  cn_.Execute("INSERT INTO tblClave VALUES (2)");
  EXPECT_TRUE(cn_.Errors().empty());
}

TEST_F(OdbcMariaDb, ALookupStaysReadableWhileStatementsRunOnTheSameConnection) {
  db().EjecutaSql(
      "CREATE TABLE tblLista (ID INT, VALOR INT);\n"
      "INSERT INTO tblLista VALUES (1, 10), (2, 20), (3, 30);\n");
  ado::Recordset rs;
  rs.Open("SELECT ID, VALOR FROM tblLista ORDER BY ID", cn_, ado::adOpenForwardOnly,
          ado::adLockReadOnly, ado::adCmdText);
  std::vector<int> vistos;
  for (; !rs.Eof(); rs.MoveNext()) {
    const int id = rs.Fields("id").Value().AsLong();
    vistos.push_back(rs.Fields("VALOR").Value().AsLong());
    cn_.Execute("UPDATE tblLista SET VALOR = VALOR + 1 WHERE ID = " + std::to_string(id));
    cn_.Execute("SELECT COUNT(*) FROM tblLista");
  }
  EXPECT_EQ(vistos, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(db().Consulta("SELECT VALOR FROM tblLista ORDER BY ID"),
            (prueba::Filas{{"11"}, {"21"}, {"31"}}));
}

TEST_F(OdbcMariaDb, ValuesArriveAsTheLanguagesKindsAndNullAsNull) {
  db().EjecutaSql(
      "CREATE TABLE tblTipos (A SMALLINT, B INT, C BIGINT, D BIGINT, E DECIMAL(12,2),"
      " F DECIMAL(20,6), G DOUBLE, H BIT(1), I DATE, J DATETIME, K TIME, L VARCHAR(30),"
      " M BLOB, N TINYINT, O DECIMAL(30,2));\n"
      "INSERT INTO tblTipos VALUES (-7, 70000, 42, 9000000000, -1234.5, 1.234567, 0.5, 1,"
      " '2024-02-29', '1999-12-31 18:00:00', '06:00:00', 'texto', 0x00FF41, 5,"
      " 12345678901234567890.25);\n"
      "INSERT INTO tblTipos (A) VALUES (NULL);\n");
  const auto filas = Filas("SELECT * FROM tblTipos");
  ASSERT_EQ(filas.size(), 2u);
  const std::vector<Variant> esperados = {
      Variant(std::int16_t{-7}),
      Variant(std::int32_t{70000}),
      Variant(std::int32_t{42}),
      Variant(9000000000.0),
      Variant(vb::Currency{-12345000}),
      Variant(1.234567),
      Variant(0.5),
      Variant(true),
      Variant(vb::DateTime{45351}),
      Variant(vb::DateTime{36525.75}),
      Variant(vb::DateTime{0.25}),
      Variant("texto"),
      Variant(std::string("\0\xFF" "A", 3)),
      Variant(std::int16_t{5}),
      Variant(12345678901234567890.25),
  };
  EXPECT_EQ(filas[0], esperados);
  for (const Variant& valor : filas[1]) EXPECT_TRUE(valor.IsNull());
}

TEST_F(OdbcMariaDb, FieldTypesAreTheNearestAdoTypes) {
  db().EjecutaSql(
      "CREATE TABLE tblTipos (A SMALLINT, B INT, C BIGINT, E DECIMAL(12,2), G DOUBLE,"
      " H BIT(1), I DATE, J DATETIME, K TIME, L VARCHAR(30), M BLOB);\n");
  ado::Recordset rs = cn_.Execute("SELECT * FROM tblTipos");
  std::vector<ado::DataTypeEnum> tipos;
  for (int c = 0; c < rs.FieldCount(); ++c) tipos.push_back(rs.Fields(c).Type);
  EXPECT_EQ(tipos, (std::vector<ado::DataTypeEnum>{
                       ado::adSmallInt, ado::adInteger, ado::adBigInt, ado::adDecimal,
                       ado::adDouble, ado::adBoolean, ado::adDBDate, ado::adDBTimeStamp,
                       ado::adDBTime, ado::adVarWChar, ado::adLongVarBinary}));
  EXPECT_TRUE(rs.BOF() && rs.Eof());
}

TEST_F(OdbcMariaDb, FieldsTellWhetherTheirColumnMayHoldNull) {
  db().EjecutaSql("CREATE TABLE tblNulos (A SMALLINT NOT NULL DEFAULT 0, B SMALLINT NULL,"
                  " C VARCHAR(5) NOT NULL DEFAULT '');\n");
  ado::Recordset rs = cn_.Execute("SELECT * FROM tblNulos");
  const long puedeSerNulo = ado::adFldIsNullable | ado::adFldMayBeNull;
  EXPECT_EQ(rs.Fields("A").Attributes & puedeSerNulo, 0);
  EXPECT_EQ(rs.Fields("B").Attributes & puedeSerNulo, puedeSerNulo);
  EXPECT_EQ(rs.Fields("C").Attributes & puedeSerNulo, 0);
}

TEST_F(OdbcMariaDb, AccentedTextRoundTripsUnchanged) {
  const std::string texto = "ACTUALIZACIÓN de Bases de Datos Norvale Soft ® — ñandú €";
  cn_.Execute("CREATE TABLE tblTexto (T VARCHAR(100)) CHARACTER SET utf8mb4");
  cn_.Execute("INSERT INTO tblTexto VALUES ('" + texto + "')");
  EXPECT_EQ(Filas("SELECT T FROM tblTexto WHERE T LIKE 'ACTUALIZACIÓN%'"),
            (std::vector<std::vector<Variant>>{{Variant(texto)}}));
  // Stored as the same characters, not as their bytes taken one by one.
  EXPECT_EQ(db().Consulta("SELECT T, CHAR_LENGTH(T) FROM tblTexto"),
            (prueba::Filas{{texto, "56"}}));
}

TEST_F(OdbcMariaDb, OnlyTheFirstResultOfAStatementIsKept) {
  db().EjecutaSql(
      "DELIMITER //\n"
      "CREATE PROCEDURE dos_resultados() BEGIN SELECT 1 AS UNO; SELECT 2 AS DOS; END//\n"
      "DELIMITER ;\n");
  EXPECT_EQ(Filas("CALL dos_resultados()"),
            (std::vector<std::vector<Variant>>{{Variant(std::int32_t{1})}}));
  EXPECT_EQ(Filas("SELECT 3"), (std::vector<std::vector<Variant>>{{Variant(std::int32_t{3})}}));
}

TEST_F(OdbcMariaDb, StatementsWithoutAResultSetGiveAClosedRecordset) {
  ado::Recordset rs;
  rs.Open("CREATE TABLE tblCerrada (A INT)", cn_);
  EXPECT_EQ(rs.State(), ado::adStateClosed);
  rs.Open("FLUSH TABLES;", cn_);
  EXPECT_EQ(rs.State(), ado::adStateClosed);
  // With adExecuteNoRecords even a query gives no recordset.
  EXPECT_EQ(cn_.Execute("SELECT 1", nullptr, ado::adCmdText | ado::adExecuteNoRecords).State(),
            ado::adStateClosed);
}

TEST_F(OdbcMariaDb, ClosingTheConnectionClosesItsRecordsets) {
  ado::Recordset rs = cn_.Execute("SELECT 1");
  cn_.Close();
  EXPECT_EQ(cn_.State(), ado::adStateClosed);
  EXPECT_EQ(rs.State(), ado::adStateClosed);
  EXPECT_EQ(ErrorDe([&] { cn_.Execute("SELECT 1"); }).Number(), ado::adErrInvalidConnection);
  cn_.Open();  // again with its ConnectionString
  EXPECT_EQ(cn_.State(), ado::adStateOpen);
}

TEST_F(OdbcMariaDb, APrivateDataSourceOpensTheTestDatabaseByNameAlone) {
  db().EjecutaSql("CREATE TABLE tblMarca (A INT);\n");
  const std::string cadena = db().EscribeDsn("GradixPropio");
  ado::Connection propia;
  propia.Open(cadena);
  EXPECT_EQ(propia.Execute("SELECT DATABASE()").Fields(0).Value(), Variant(db().Nombre()));
}

TEST_F(OdbcMariaDb, APasswordWithSeparatorsAndBracesIsPassedWhole) {
  const std::string usuario = "u" + db().Nombre().substr(db().Nombre().size() - 8);
  const std::string contrasena = "a;b{c}d";
  db().EjecutaSql("CREATE OR REPLACE USER '" + usuario + "'@'localhost' IDENTIFIED BY '" +
                  contrasena + "';\nCREATE OR REPLACE USER '" + usuario +
                  "'@'127.0.0.1' IDENTIFIED BY '" + contrasena + "';\n");
  const std::string dsn = "DSN=" + std::string(std::getenv("GRADIX_TEST_DSN"));

  ado::Connection porArgumentos;
  porArgumentos.Open(dsn, usuario, contrasena);
  EXPECT_EQ(porArgumentos.Execute("SELECT 1").Fields(0).Value(), Variant(std::int32_t{1}));

  ado::Connection citada;
  citada.Open(dsn + ";UID=" + usuario + ";PWD=" + ado::CitaValorOdbc(contrasena));
  EXPECT_EQ(citada.State(), ado::adStateOpen);

  // Unquoted, the string does not parse: a clear refusal, not a crash.
  ado::Connection sinCitar;
  const ado::ProviderError e =
      ErrorDe([&] { sinCitar.Open(dsn + ";UID=" + usuario + ";PWD=" + contrasena); });
  EXPECT_EQ(e.Number(), ado::adErrUnspecified);
  EXPECT_THAT(e.Description(), HasSubstr("Error while parsing DSN"));
  EXPECT_EQ(sinCitar.State(), ado::adStateClosed);
  db().EjecutaSql("DROP USER '" + usuario + "'@'localhost';\nDROP USER '" + usuario +
                  "'@'127.0.0.1';\n");
}

// Connections that cannot be made: each gives a clear error and leaves the
// connection closed.
TEST(OdbcSinServidor, ConnectionsThatCannotBeMadeGiveClearErrors) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  const std::string puerto = std::to_string(PuertoCerrado());
  struct Caso {
    std::string cadena;
    std::string mensaje;
    std::string origen;
  };
  const Caso casos[] = {
      {"DSN=NoExisteEsteOrigen", "Data source name not found", ado::kOrigenOdbc},
      {"Driver={MariaDB Unicode};Server=127.0.0.1;Port=" + puerto + ";UID=x;PWD=y",
       "Can't connect", ado::kOrigenOdbc},
      {"Provider=SQLOLEDB.1; Password=secreta; Persist Security Info=True; User ID=sa; "
       "Initial Catalog=Velmar; Data Source=127.0.0.1," + puerto,
       "Unable to connect", ado::kOrigenSqlServer},
      {"Provider=SQLOLEDB.1; Integrated Security=SSPI; Persist Security Info=False; "
       "Initial Catalog=Velmar; Data Source=127.0.0.1," + puerto,
       "Unable to connect", ado::kOrigenSqlServer},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.cadena);
    ado::Connection cn;
    cn.ConnectionTimeout = 3;
    const ado::ProviderError e = ErrorDe([&] { cn.Open(caso.cadena); });
    EXPECT_EQ(e.Number(), ado::adErrUnspecified);
    EXPECT_THAT(e.Description(), HasSubstr(caso.mensaje));
    EXPECT_EQ(e.Source(), caso.origen);
    EXPECT_EQ(cn.State(), ado::adStateClosed);
    EXPECT_FALSE(cn.Errors().empty());
  }
}

}  // namespace
