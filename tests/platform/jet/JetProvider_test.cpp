// The Jet provider on catalogues built from SQL (SQLite files), as the program opens
// them: a Jet connection string, the catalogue's own SQL, ADO recordsets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <fstream>

#include "platform/ado/Ado.h"
#include "platform/vb/Variant.h"
#include "support/CatalogoDePrueba.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ProveedorJet : public ::testing::Test {
 protected:
  // Builds the file from `sql` and opens it through the Jet provider.
  void Abre(const std::string& sql) {
    prueba::CreaBaseSqlite(ruta, sql);
    cnx.Open(prueba::CadenaJet(ruta));
  }

  std::vector<std::string> Textos(const std::string& sql, const std::string& campo) {
    ado::Recordset rs;
    rs.Open(sql, cnx);
    std::vector<std::string> textos;
    for (; !rs.Eof(); rs.MoveNext()) textos.push_back(rs.Fields(campo).Value().AsString());
    return textos;
  }

  long Cuenta(const std::string& sql) {
    return cnx.Execute(sql).Fields("C").Value().AsLong();
  }

  prueba::CarpetaTemporal carpeta;
  std::string ruta = carpeta.Ruta() + "/EstBDs.mdb";
  ado::Connection cnx;
};

// Jet compares and sorts text without regard to case, whatever the script declared,
// and takes an accented capital for its small letter ("AÑO" is "año"), in lookups and
// in sorts alike.
TEST_F(ProveedorJet, ComparaYOrdenaElTextoSinMayusculas) {
  Abre("CREATE TABLE t (NOMBRE TEXT); INSERT INTO t VALUES ('tblB'), ('TBLa'), ('tblc');"
       "CREATE TABLE tblIndices (TABLA SMALLINT, NOMBRE TEXT);"
       "INSERT INTO tblIndices VALUES (7, 'idxAÑO'), (7, 'idxMES'), (8, 'camión'),"
       " (9, 'ÍNDICE2'), (9, 'índice1'), (9, 'Índice3'), (10, 'IDXaño');");
  struct Caso {
    const char* caso;
    const char* sql;
    std::vector<std::string> nombres;
  };
  const std::vector<Caso> casos = {
      {"ASCII capitals", "SELECT NOMBRE FROM t WHERE NOMBRE='TBLB';", {"tblB"}},
      {"ASCII capitals in a sort", "SELECT NOMBRE FROM t ORDER BY NOMBRE;",
       {"TBLa", "tblB", "tblc"}},
      {"an accented capital sought in small letters",
       "SELECT NOMBRE FROM tblIndices WHERE TABLA=7 AND NOMBRE='idxaño';", {"idxAÑO"}},
      {"an accented small letter sought in capitals",
       "SELECT NOMBRE FROM tblIndices WHERE NOMBRE='CAMIÓN';", {"camión"}},
      {"accented capitals in a list",
       "SELECT NOMBRE FROM tblIndices WHERE NOMBRE IN ('IDXAÑO', 'CAMIÓN') ORDER BY TABLA;",
       {"idxAÑO", "camión", "IDXaño"}},
      {"accented capitals in a sort",
       "SELECT NOMBRE FROM tblIndices WHERE TABLA=9 ORDER BY NOMBRE;",
       {"índice1", "ÍNDICE2", "Índice3"}},
      {"accented capitals in a join",
       "SELECT b.NOMBRE FROM tblIndices AS a INNER JOIN tblIndices AS b ON a.NOMBRE = "
       "b.NOMBRE WHERE a.TABLA=7 AND b.TABLA=10;",
       {"IDXaño"}},
  };
  for (const Caso& c : casos)
    EXPECT_THAT(Textos(c.sql, "NOMBRE"), ::testing::ContainerEq(c.nombres)) << c.caso;
  // idxAÑO and IDXaño are one name, idxMES another.
  EXPECT_EQ(Cuenta("SELECT COUNT(*) AS C FROM (SELECT DISTINCT NOMBRE FROM tblIndices WHERE "
                   "TABLA IN (7, 10));"),
            2);
}

// SELECT * over a join names the fields that two tables share as "table.field", and
// the others by their name alone.
TEST_F(ProveedorJet, CalificaLosCamposRepetidosDeUnaUnion) {
  Abre(prueba::LeeFixture(prueba::kCatalogoDeMuestra));
  ado::Recordset rs;
  rs.Open(
      "SELECT * FROM (tblTablas INNER JOIN tblCamposTabla ON tblTablas.Numero = "
      "tblCamposTabla.Tabla) INNER JOIN tblDefaultCampos ON tblCamposTabla.Numero = "
      "tblDefaultCampos.Campo WHERE tblTablas.Numero=3 AND REGISTRO='ventas';",
      cnx);
  std::vector<std::string> pares;
  for (; !rs.Eof(); rs.MoveNext())
    pares.push_back(rs.Fields("tblCamposTabla.Nombre").Value().AsString() + "=" +
                    rs.Fields("tblDefaultCampos.Valor").Value().AsString() + " de " +
                    rs.Fields("tblTablas.NOMBRE").Value().AsString() + "/" +
                    rs.Fields("REGISTRO").Value().AsString());
  EXPECT_THAT(
      pares, ElementsAre("COD_FOLIO=VENTAS de tblFolios/VENTAS", "FOL_FOLIO=15 de tblFolios/VENTAS",
                         "SERIE=A de tblFolios/VENTAS"));
  EXPECT_THROW(rs.Fields("NOMBRE"), vb::Error);  // ambiguous: only the qualified names exist
}

TEST_F(ProveedorJet, LeeCadaTipoComoLoDaJet) {
  Abre(
      "CREATE TABLE t (SINO YESNO, B BOOLEAN, CORTO SMALLINT, LARGO INTEGER, TXT VARCHAR(10),"
      " MEMO LONGTEXT, F DATETIME, M CURRENCY, D DOUBLE);"
      "INSERT INTO t VALUES (1, 0, -5, 70000, '0001', 'largo', 43101.5, 12.3456, 0.25);"
      "INSERT INTO t VALUES (0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);");
  ado::Recordset rs;
  rs.Open("SELECT * FROM t;", cnx);
  const std::vector<ado::DataTypeEnum> tipos = {
      ado::adBoolean,      ado::adBoolean, ado::adSmallInt, ado::adInteger, ado::adVarWChar,
      ado::adLongVarWChar, ado::adDate,    ado::adCurrency, ado::adDouble};
  const std::vector<vb::Variant> primera = {
      true,   false,   std::int16_t{-5},      std::int32_t{70000},
      "0001", "largo", vb::DateTime{43101.5}, vb::Currency{123456},
      0.25};
  for (int i = 0; i < rs.FieldCount(); ++i) {
    EXPECT_EQ(rs.Fields(i).Type, tipos[i]) << rs.Fields(i).Name;
    EXPECT_EQ(rs.Fields(i).Value(), primera[i]) << rs.Fields(i).Name;
  }
  rs.MoveNext();
  EXPECT_EQ(rs.Fields("SINO").Value(), vb::Variant(false));
  for (int i = 1; i < rs.FieldCount(); ++i) EXPECT_TRUE(rs.Fields(i).Value().IsNull()) << i;
}

TEST_F(ProveedorJet, DaLosTiposTambienSinFilas) {
  Abre("CREATE TABLE t (SINO YESNO, N SMALLINT);");
  ado::Recordset rs;
  rs.Open("SELECT SINO, N FROM t;", cnx);
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.Fields("SINO").Type, ado::adBoolean);
  EXPECT_EQ(rs.Fields("N").Type, ado::adSmallInt);
}

TEST_F(ProveedorJet, LosCamposCalculadosTomanElTipoDeSuValor) {
  Abre("CREATE TABLE t (N SMALLINT); INSERT INTO t VALUES (1), (2);");
  ado::Recordset rs;
  rs.Open("SELECT COUNT(*) AS CUANTOS, MAX(N) + 0.5 AS TOPE FROM t;", cnx);
  EXPECT_EQ(rs.Fields("CUANTOS").Value(), vb::Variant(std::int32_t{2}));
  EXPECT_EQ(rs.Fields("TOPE").Value(), vb::Variant(2.5));
}

// The structure of a file never changes: such statements are refused, and the file
// keeps its table and rows.
TEST_F(ProveedorJet, RehusaLosCambiosDeEstructura) {
  Abre("CREATE TABLE t (N SMALLINT); INSERT INTO t VALUES (1);");
  for (const char* sql : {"DROP TABLE t;", "CREATE TABLE u (X SMALLINT);",
                          "ALTER TABLE t ADD COLUMN X SMALLINT;", "CREATE INDEX ix ON t (N);",
                          "PRAGMA user_version=3;"})
    prueba::EsperaSoloLectura(cnx, sql);
  ado::Connection otra;
  otra.Open(prueba::CadenaJet(ruta));
  ado::Recordset rs = otra.Execute("SELECT COUNT(*) AS C FROM t WHERE N=1;");
  EXPECT_EQ(rs.Fields("C").Value(), vb::Variant(std::int32_t{1}));
}

// The catalogue's lookups by table number, table, field number, field and index go
// through an index of the copy; the file gets none, nor does a table without those columns.
TEST_F(ProveedorJet, IndexaLasConsultasDelCatalogo) {
  Abre(prueba::LeeFixture(prueba::kCatalogoDeMuestra) + "\n" +
       "CREATE TABLE tblOtra (TABLA SMALLINT, CAMPO INTEGER);");
  for (const char* consulta : {"SELECT NUMERO,NOMBRE FROM tblTablas WHERE NUMERO=12",
                               "SELECT * FROM tblCamposTabla WHERE TABLA=12",
                               "SELECT NOMBRE FROM tblCamposTabla WHERE NUMERO=901",
                               "SELECT * FROM tblDefaultCampos WHERE CAMPO=7",
                               "SELECT * FROM tblIndices WHERE TABLA=12",
                               "SELECT CAMPO FROM tblCamposIndice WHERE INDICE=70000"})
    EXPECT_THAT(Textos(std::string("EXPLAIN QUERY PLAN ") + consulta, "detail"),
                ElementsAre(HasSubstr("INDEX ix_")))
        << consulta;
  EXPECT_EQ(Cuenta("SELECT COUNT(*) AS C FROM sqlite_schema WHERE type='index';"), 6);
  EXPECT_EQ(Cuenta("SELECT COUNT(*) AS C FROM sqlite_schema WHERE type='index' AND "
                   "tbl_name='tblOtra';"),
            0);

  sqlite3* archivo = nullptr;
  ASSERT_EQ(sqlite3_open_v2(ruta.c_str(), &archivo, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* indices = nullptr;
  sqlite3_prepare_v2(archivo, "SELECT COUNT(*) FROM sqlite_schema WHERE type='index'", -1,
                     &indices, nullptr);
  ASSERT_EQ(sqlite3_step(indices), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(indices, 0), 0);
  sqlite3_finalize(indices);
  sqlite3_close(archivo);
}

// A file with only some of those tables and columns gets the indexes it can hold.
TEST_F(ProveedorJet, IndexaSoloLoQueElArchivoTiene) {
  Abre("CREATE TABLE tblIndices (NUMERO INTEGER, TABLA SMALLINT);"
       "CREATE TABLE tblDefaultCampos (CAMPO INTEGER);");
  EXPECT_THAT(Textos("SELECT name FROM sqlite_schema WHERE type='index';", "name"),
              ElementsAre("ix_tblIndices_TABLA"));
}

// Rows of a SQLite file (the record import's work file) may change: each change is seen
// at once by the session and is in the file for the next one. Text still compares
// without regard to case.
TEST_F(ProveedorJet, EscribeLasFilasEnElArchivoSqlite) {
  Abre("CREATE TABLE t (NOMBRE TEXT, N SMALLINT); INSERT INTO t VALUES ('tblB', 1);");
  long filas = 0;
  cnx.Execute("INSERT INTO t (NOMBRE, N) VALUES ('tblC', 2);", &filas,
              ado::adCmdText | ado::adExecuteNoRecords);
  EXPECT_EQ(filas, 1);
  cnx.Execute("UPDATE t SET N=3 WHERE NOMBRE='TBLB';", &filas);
  EXPECT_EQ(filas, 1);
  cnx.Execute("DELETE FROM t WHERE N=2;", &filas);
  EXPECT_EQ(filas, 1);
  EXPECT_THAT(Textos("SELECT NOMBRE FROM t WHERE N=3;", "NOMBRE"), ElementsAre("tblB"));
  cnx.Close();
  cnx.Open(prueba::CadenaJet(ruta));
  EXPECT_THAT(Textos("SELECT NOMBRE FROM t WHERE N=3;", "NOMBRE"), ElementsAre("tblB"));
  EXPECT_EQ(Cuenta("SELECT COUNT(*) AS C FROM t;"), 1);
}

// A change that cannot be completed leaves neither the session nor the file with part
// of it.
TEST_F(ProveedorJet, UnCambioQueFallaNoQuedaANinguna) {
  struct Caso {
    const char* caso;
    std::function<void()> antes;  // what happens to the file before the change
    const char* sql;
    long numero;
    std::string descripcion;
  };
  const std::vector<Caso> casos = {
      {"a constraint fails", [] {}, "INSERT INTO t (N) VALUES (NULL);", ado::adErrIntegrity,
       "El campo 't.N' no admite valores nulos (Null)."},
      {"a key is taken", [] {}, "INSERT INTO t (N) VALUES (1);", ado::adErrIntegrity,
       "Valor duplicado: ya hay una fila con el mismo valor en 't.N'."},
      {"the file is gone", [&] { std::filesystem::remove(ruta); },
       "INSERT INTO t (N) VALUES (2);", ado::adErrUnspecified,
       "No se puede escribir en el archivo '" + ruta +
           "': No se puede abrir el archivo de base de datos."},
      {"the file lost the table",
       [&] { prueba::CreaBaseSqlite(ruta, "CREATE TABLE u (X INT);"); },
       "INSERT INTO t (N) VALUES (2);", ado::adErrSyntax,
       "No se encuentra la tabla 't'."},
  };
  for (const Caso& caso : casos) {
    Abre("CREATE TABLE t (N SMALLINT NOT NULL UNIQUE); INSERT INTO t VALUES (1);");
    caso.antes();
    try {
      cnx.Execute(caso.sql);
      ADD_FAILURE() << caso.caso << ": accepted";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.Number(), caso.numero) << caso.caso;
      EXPECT_EQ(e.Description(), caso.descripcion) << caso.caso;
    }
    EXPECT_EQ(Cuenta("SELECT COUNT(*) AS C FROM t WHERE N=1;"), 1) << caso.caso;
    EXPECT_EQ(Cuenta("SELECT COUNT(*) AS C FROM t;"), 1) << caso.caso;
    cnx.Close();
  }
}

// Statements the engine refuses are syntax errors, described in Spanish with the names
// they are about; a message without a Spanish form keeps the engine's detail.
TEST_F(ProveedorJet, LasSentenciasErroneasSonErroresDeSintaxis) {
  Abre("CREATE TABLE t (N SMALLINT);");
  struct Caso {
    const char* sql;
    const char* descripcion;
  };
  const Caso casos[] = {
      {"SELECT * FROM tblNoExiste;", "No se encuentra la tabla 'tblNoExiste'."},
      {"SELECT NOMBRE FROM t;", "No se encuentra la columna 'NOMBRE'."},
      {"SELEC N FROM t;", "Error de sintaxis en la instrucción SQL cerca de \"SELEC\"."},
      {"SELECT N FROM t WHERE N = 'a;", "La instrucción SQL tiene un elemento no reconocido: "
                                        "\"'a;\"."},
      {"SELECT N FROM t; SELECT N FROM t;",
       "Se encontraron caracteres después del final de la instrucción SQL."},
      {"SELECT COUNT(COUNT(N)) FROM t;",
       "Error en la instrucción SQL (misuse of aggregate function COUNT())."},
  };
  for (const Caso& caso : casos) {
    try {
      cnx.Execute(caso.sql);
      ADD_FAILURE() << caso.sql << " was accepted";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.Number(), ado::adErrSyntax) << caso.sql;
      EXPECT_EQ(e.Description(), caso.descripcion) << caso.sql;
    }
  }
}

// The program writes local paths the Windows way (gRutaApp & "\EstBDs.mdb").
TEST_F(ProveedorJet, AbreUnaRutaConBarrasInvertidas) {
  prueba::CreaBaseSqlite(ruta, "CREATE TABLE t (N SMALLINT);");
  cnx.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + carpeta.Ruta() +
           "\\EstBDs.mdb;Persist Security Info=False;Jet OLEDB:Database Password=");
  EXPECT_EQ(cnx.State(), ado::adStateOpen);
}

struct AperturaFallida {
  const char* caso;
  std::string cadena;
  const char* mensaje;
};

TEST_F(ProveedorJet, UnArchivoQueNoSePuedeLeerDaUnErrorClaro) {
  const std::string texto = carpeta.Ruta() + "/texto.mdb";
  std::ofstream(texto) << "no soy una base de datos, solo texto que ocupa algo de sitio\n";
  const std::string danado = carpeta.Ruta() + "/danado.mdb";
  prueba::CreaBaseSqlite(danado, "CREATE TABLE t (N SMALLINT); INSERT INTO t VALUES (1);");
  std::filesystem::resize_file(danado, 100);  // the header stays, the pages are gone
  const std::vector<AperturaFallida> casos = {
      {"missing file", prueba::CadenaJet(carpeta.Ruta() + "/NoExiste.mdb"), "No se encuentra"},
      {"a folder", prueba::CadenaJet(carpeta.Ruta()), "no es un archivo"},
      {"not a database", prueba::CadenaJet(texto), "No se reconoce el formato"},
      {"damaged SQLite", prueba::CadenaJet(danado), "danado.mdb' está dañado."},
      {"no Data Source", "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False",
       "Data Source"},
  };
  for (const AperturaFallida& caso : casos) {
    ado::Connection conexion;
    try {
      conexion.Open(caso.cadena);
      ADD_FAILURE() << caso.caso << ": opened";
    } catch (const vb::Error& e) {
      EXPECT_THAT(e.Description(), HasSubstr(caso.mensaje)) << caso.caso;
      EXPECT_EQ(e.Number(), ado::adErrUnspecified) << caso.caso;
      EXPECT_EQ(conexion.State(), ado::adStateClosed) << caso.caso;
      EXPECT_FALSE(conexion.Errors().empty()) << caso.caso;
    }
  }
}

}  // namespace
