// Recordsets and connections over the recording provider: navigation, fields,
// filters, states and the errors ADO raises when they are misused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "platform/ado/Ado.h"
#include "support/RecordingProvider.h"

namespace {

using ::testing::ElementsAre;
using vb::Variant;

template <typename Accion>
long NumeroDeError(Accion accion) {
  try {
    accion();
  } catch (const vb::Error& e) {
    return e.Number();
  }
  return 0;
}

// The columns of SHOW COLUMNS that the filters look at, with a few awkward rows.
const prueba::Resultado kColumnas{
    {"Field", "Type", "Key_Seq"},
    {{"COD_ARTI", "varchar(10)", std::int16_t{1}},
     {"DESCRIPCIÓN", "varchar(40)", std::int16_t{2}},
     {"O'Brien", "int", Variant::Null()},
     {"", "int", std::int16_t{3}},
     {Variant::Null(), "int", std::int16_t{4}}}};

class RecordsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.Responde("SHOW COLUMNS FROM t", kColumnas);
    db_.Responde("SELECT vacia", {{"A"}, {}});
    cn_.Open("DSN=Prueba");
  }

  ado::Recordset Columnas() { return cn_.Execute("SHOW COLUMNS FROM t"); }

  // The Field values of the rows that pass the filter, from its first row on.
  static std::vector<std::string> Visibles(ado::Recordset& rs) {
    std::vector<std::string> nombres;
    for (; !rs.Eof(); rs.MoveNext()) {
      const Variant& valor = rs.Fields("Field").Value();
      nombres.push_back(valor.IsNull() ? "<Null>" : valor.AsString());
    }
    return nombres;
  }

  prueba::RecordingProvider db_;
  ado::Connection cn_;
};

TEST_F(RecordsetTest, FilterKeepsTheRowsWhoseFieldEqualsTheTextWithoutRegardToCase) {
  struct Caso {
    std::string criterio;
    std::vector<std::string> filas;
  };
  const Caso casos[] = {
      {"FIELD='cod_arti'", {"COD_ARTI"}},
      {"Field = 'COD_ARTI'", {"COD_ARTI"}},
      {"[field]='Cod_Arti'", {"COD_ARTI"}},
      {"FIELD='descripción'", {"DESCRIPCIÓN"}},
      {"FIELD='O''BRIEN'", {"O'Brien"}},
      {"FIELD='COD'", {}},
      {"FIELD='COD_ARTI '", {}},
      {"FIELD=''", {""}},
      {"KEY_SEQ='2'", {"DESCRIPCIÓN"}},
      {"FIELD='cod_arti' AND TYPE='VARCHAR(10)'", {"COD_ARTI"}},
      {"FIELD='cod_arti' and TYPE='int'", {}},
      {"", {"COD_ARTI", "DESCRIPCIÓN", "O'Brien", "", "<Null>"}},
  };
  ado::Recordset rs = Columnas();
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.criterio);
    rs.Filter(caso.criterio);
    EXPECT_EQ(rs.FilterText(), caso.criterio);
    EXPECT_EQ(rs.BOF(), caso.filas.empty());
    EXPECT_EQ(Visibles(rs), caso.filas);
  }  // A column filtered again is looked up through an index of its values: the first filter
  // of a fresh recordset scans, and both give the same rows.
  for (const Caso& caso : casos) {
    SCOPED_TRACE("fresh " + caso.criterio);
    ado::Recordset nuevo = Columnas();
    nuevo.Filter(caso.criterio);
    EXPECT_EQ(Visibles(nuevo), caso.filas);
  }
}

TEST_F(RecordsetTest, ABadFilterRaisesAndKeepsTheRowsInView) {
  struct Caso {
    std::string criterio;
    long numero;
  };
  const Caso casos[] = {
      {"FIELD", ado::adErrInvalidArgument},
      {"FIELD=cod_arti", ado::adErrInvalidArgument},
      {"FIELD='cod_arti", ado::adErrInvalidArgument},
      {"='x'", ado::adErrInvalidArgument},
      {"FIELD='a' OR FIELD='b'", ado::adErrInvalidArgument},
      {"NO_HAY='x'", ado::adErrItemNotFound},
  };
  ado::Recordset rs = Columnas();
  rs.Filter("TYPE='int'");
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.criterio);
    EXPECT_EQ(NumeroDeError([&] { rs.Filter(caso.criterio); }), caso.numero);
    EXPECT_EQ(rs.FilterText(), "TYPE='int'");
    EXPECT_EQ(rs.RecordCount(), 3);
  }
}

TEST_F(RecordsetTest, FieldsAreFoundByNameWithoutRegardToCaseAndByIndex) {
  ado::Recordset rs = Columnas();
  EXPECT_EQ(rs.FieldCount(), 3);
  EXPECT_EQ(rs.Fields("field").Value(), Variant("COD_ARTI"));
  EXPECT_EQ(rs.Fields("KEY_SEQ").Value(), Variant(std::int16_t{1}));
  EXPECT_EQ(rs.Fields(1).Value(), Variant("varchar(10)"));
  EXPECT_EQ(rs.Fields(1).Name, "Type");
  EXPECT_EQ(rs.Fields(2).Type, ado::adSmallInt);
  EXPECT_EQ(NumeroDeError([&] { rs.Fields("NoHay"); }), ado::adErrItemNotFound);
  EXPECT_EQ(NumeroDeError([&] { rs.Fields(3); }), ado::adErrItemNotFound);
  EXPECT_EQ(NumeroDeError([&] { rs.Fields(-1); }), ado::adErrItemNotFound);
}

TEST_F(RecordsetTest, MovingPastTheLastRowOrReadingThereRaises3021) {
  ado::Recordset rs = Columnas();
  EXPECT_FALSE(rs.BOF());
  for (int fila = 0; fila < 5; ++fila) rs.MoveNext();
  EXPECT_TRUE(rs.Eof());
  EXPECT_FALSE(rs.BOF());
  EXPECT_EQ(rs.Fields("Field").Name, "Field");  // the name is there without a row
  EXPECT_EQ(NumeroDeError([&] { rs.Fields("Field").Value(); }), ado::adErrNoCurrentRecord);
  EXPECT_EQ(NumeroDeError([&] { rs.MoveNext(); }), ado::adErrNoCurrentRecord);
  rs.MoveFirst();
  EXPECT_EQ(rs.Fields(0).Value(), Variant("COD_ARTI"));
}

TEST_F(RecordsetTest, AnEmptyResultIsAtBofAndEofAtOnce) {
  ado::Recordset rs = cn_.Execute("SELECT vacia");
  EXPECT_EQ(rs.State(), ado::adStateOpen);
  EXPECT_TRUE(rs.BOF());
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.RecordCount(), 0);
  EXPECT_EQ(NumeroDeError([&] { rs.MoveFirst(); }), ado::adErrNoCurrentRecord);
  EXPECT_EQ(NumeroDeError([&] { rs.MoveNext(); }), ado::adErrNoCurrentRecord);
}

TEST_F(RecordsetTest, AClosedRecordsetRefusesEverythingButOpen) {
  ado::Recordset rs;
  rs.Open("UPDATE t SET A = 1", cn_);  // no result set: stays closed
  EXPECT_EQ(rs.State(), ado::adStateClosed);
  const std::vector<std::function<void()>> usos = {
      [&] { rs.BOF(); },        [&] { rs.Eof(); },          [&] { rs.MoveNext(); },
      [&] { rs.MoveFirst(); },  [&] { rs.Fields(0); },      [&] { rs.Fields("A"); },
      [&] { rs.FieldCount(); }, [&] { rs.Filter("A='1'"); }, [&] { rs.Close(); },
  };
  for (const auto& uso : usos) EXPECT_EQ(NumeroDeError(uso), ado::adErrObjectClosed);

  rs.Open("SHOW COLUMNS FROM t", cn_);
  EXPECT_EQ(NumeroDeError([&] { rs.Open("SHOW COLUMNS FROM t", cn_); }), ado::adErrObjectOpen);
  rs.Close();
  EXPECT_EQ(rs.State(), ado::adStateClosed);
}

TEST_F(RecordsetTest, ClosingTheConnectionClosesItsRecordsetsButNotOthers) {
  ado::Recordset deEsta = Columnas();
  ado::Connection otra;
  otra.Open("DSN=Otra");
  ado::Recordset deOtra = otra.Execute("SHOW COLUMNS FROM t");
  cn_.Close();
  EXPECT_EQ(deEsta.State(), ado::adStateClosed);
  EXPECT_EQ(deOtra.State(), ado::adStateOpen);
  EXPECT_EQ(db_.ConexionesAbiertas(), 1);
}

TEST_F(RecordsetTest, ExecuteWithNoRecordsGivesAClosedRecordsetAndTheAffectedRows) {
  db_.Responde("DELETE FROM t", prueba::Resultado::Afectadas(4));
  long afectadas = 0;
  EXPECT_EQ(cn_.Execute("DELETE FROM t", &afectadas, ado::adCmdText | ado::adExecuteNoRecords)
                .State(),
            ado::adStateClosed);
  EXPECT_EQ(afectadas, 4);
  EXPECT_EQ(cn_.Execute("SHOW COLUMNS FROM t", nullptr, ado::adCmdText | ado::adExecuteNoRecords)
                .State(),
            ado::adStateClosed);
}

TEST(ConnectionTest, TheProviderReceivesTheOpeningAndEveryStatementWithItsOptions) {
  prueba::RecordingProvider db;
  ado::Connection cn;
  cn.ConnectionString = "DSN=Velmar";
  cn.ConnectionTimeout = 0;
  cn.CommandTimeout = 0;
  cn.Open("", "usuario", "clave");
  cn.Execute("DELETE FROM tblVersion;", nullptr, ado::adCmdText | ado::adExecuteNoRecords);
  ado::Recordset rs;
  rs.Open("SELECT VER FROM tblVersion ORDER BY VER DESC;", cn, ado::adOpenForwardOnly,
          ado::adLockReadOnly, ado::adCmdText);
  cn.Execute("FLUSH TABLES;");

  ASSERT_EQ(db.Aperturas().size(), 1u);
  const prueba::Apertura& apertura = db.Aperturas()[0];
  EXPECT_EQ(apertura.cadena, "DSN=Velmar");
  EXPECT_EQ(apertura.usuario, "usuario");
  EXPECT_EQ(apertura.contrasena, "clave");
  EXPECT_EQ(apertura.connectionTimeout, 0);
  EXPECT_EQ(apertura.commandTimeout, 0);
  ASSERT_EQ(db.Ejecuciones().size(), 3u);
  EXPECT_EQ(db.Ejecuciones()[0].opciones, ado::adCmdText | ado::adExecuteNoRecords);
  EXPECT_EQ(db.Ejecuciones()[1].opciones, ado::adCmdText);
  EXPECT_EQ(db.Ejecuciones()[2].opciones, ado::adOptionUnspecified);
  EXPECT_EQ(db.Ejecuciones()[2].cadena, "DSN=Velmar");
  EXPECT_EQ(rs.State(), ado::adStateClosed);  // nothing scripted: no result set
}

TEST(ConnectionTest, FailuresFillTheErrorsCollectionUntilTheNextOperation) {
  prueba::RecordingProvider db;
  db.FallaApertura("DSN=Caido", ado::adErrUnspecified, "Can't connect", 2);
  db.Falla(prueba::EmpiezaCon("ALTER"), ado::adErrSyntax, "Duplicate column name 'A'");
  ado::Connection cn;
  for (int intento = 0; intento < 2; ++intento) {
    EXPECT_EQ(NumeroDeError([&] { cn.Open("DSN=Caido"); }), ado::adErrUnspecified);
    EXPECT_EQ(cn.State(), ado::adStateClosed);
    ASSERT_EQ(cn.Errors().size(), 1u);
    EXPECT_EQ(cn.Errors()[0].Description, "Can't connect");
  }
  cn.Open("DSN=Caido");  // the third time it opens
  EXPECT_TRUE(cn.Errors().empty());
  EXPECT_EQ(NumeroDeError([&] { cn.Open("DSN=Caido"); }), ado::adErrObjectOpen);

  EXPECT_EQ(NumeroDeError([&] { cn.Execute("ALTER TABLE t ADD A INT"); }), ado::adErrSyntax);
  ASSERT_EQ(cn.Errors().size(), 1u);
  EXPECT_EQ(cn.Errors()[0].Description, "Duplicate column name 'A'");
  cn.Execute("SELECT 1");
  EXPECT_TRUE(cn.Errors().empty());
  EXPECT_EQ(db.Aperturas().size(), 3u);
  EXPECT_EQ(db.ConexionesAbiertas(), 1);
}

TEST(ConnectionTest, AClosedConnectionRefusesStatementsAndASecondClose) {
  prueba::RecordingProvider db;
  ado::Connection cn;
  ado::Recordset rs;
  EXPECT_EQ(NumeroDeError([&] { cn.Execute("SELECT 1"); }), ado::adErrInvalidConnection);
  EXPECT_EQ(NumeroDeError([&] { rs.Open("SELECT 1", cn); }), ado::adErrInvalidConnection);
  EXPECT_EQ(NumeroDeError([&] { cn.Close(); }), ado::adErrObjectClosed);
  EXPECT_TRUE(db.Ejecuciones().empty());
}

TEST(RecordingProviderTest, AnswersInSequenceThenRepeatsTheLast) {
  prueba::RecordingProvider db;
  db.Responde("SELECT VER FROM tblVersion;", {{"VER"}, {{"500"}}});
  db.Responde("SELECT VER FROM tblVersion;", {{"VER"}, {{"952"}}});
  db.Responde(prueba::Contiene("tblTablas"), {{"NUM", "NOMBRE"}, {{std::int32_t{1}, "tblA"}}});
  ado::Connection cn;
  cn.Open("DSN=x");
  const auto ver = [&] { return cn.Execute("SELECT VER FROM tblVersion;").Fields(0).Value(); };
  EXPECT_EQ(ver(), Variant("500"));
  EXPECT_EQ(ver(), Variant("952"));
  EXPECT_EQ(ver(), Variant("952"));
  ado::Recordset tablas = cn.Execute("SELECT * FROM tblTablas ORDER BY NOMBRE");
  EXPECT_EQ(tablas.Fields("nombre").Value(), Variant("tblA"));
  EXPECT_EQ(tablas.Fields("NUM").Type, ado::adInteger);
  EXPECT_THAT(db.Textos(), ElementsAre("SELECT VER FROM tblVersion;", "SELECT VER FROM tblVersion;",
                                       "SELECT VER FROM tblVersion;",
                                       "SELECT * FROM tblTablas ORDER BY NOMBRE"));
}

TEST(RecordingProviderTest, FailsOnceOrAlwaysAndStillRecordsTheStatement) {
  prueba::RecordingProvider db;
  db.Falla("INSERT A", -1, "una vez", 1);
  db.Falla([](const std::string& sql) { return sql.ends_with("B"); }, -2, "siempre");
  ado::Connection cn;
  cn.Open("DSN=x");
  EXPECT_EQ(NumeroDeError([&] { cn.Execute("INSERT A"); }), -1);
  EXPECT_EQ(NumeroDeError([&] { cn.Execute("INSERT A"); }), 0);
  EXPECT_EQ(NumeroDeError([&] { cn.Execute("INSERT B"); }), -2);
  EXPECT_EQ(NumeroDeError([&] { cn.Execute("INSERT B"); }), -2);
  EXPECT_EQ(db.Textos().size(), 4u);
}

TEST(RecordingProviderTest, LetsChosenConnectionStringsThroughToTheRealProviders) {
  prueba::RecordingProvider db;
  db.DejaPasar(prueba::EmpiezaCon("Provider=Desconocido"));
  ado::Connection cn;
  EXPECT_EQ(NumeroDeError([&] { cn.Open("Provider=Desconocido.1;Data Source=x"); }),
            ado::adErrProviderNotFound);
  EXPECT_TRUE(db.Aperturas().empty());
  cn.Open("Provider=SQLOLEDB.1;Data Source=x");  // recorded, not translated
  EXPECT_EQ(db.Aperturas().at(0).cadena, "Provider=SQLOLEDB.1;Data Source=x");
}

}  // namespace
