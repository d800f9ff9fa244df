// Texts read back whole from the real MariaDB driver, whatever characters they hold:
// every column type read as text, values written by our own statements and by the
// mariadb client, compared byte for byte.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "data/clsBaseDatos.h"
#include "platform/ado/Ado.h"
#include "platform/vb/Conversions.h"
#include "support/TestDatabase.h"

namespace {

std::string Repite(const std::string& pieza, std::size_t veces) {
  std::string texto;
  for (std::size_t i = 0; i < veces; ++i) texto += pieza;
  return texto;
}

std::string Hex(const std::string& bytes) {
  static const char kDigitos[] = "0123456789ABCDEF";
  std::string hex;
  for (const unsigned char b : bytes) {
    hex += kDigitos[b >> 4];
    hex += kDigitos[b & 0xF];
  }
  return hex;
}

// "" when the texts are the same bytes; otherwise where they part, briefly (the long
// texts would fill the screen).
std::string Diferencia(const std::string& leido, const std::string& esperado) {
  if (leido == esperado) return "";
  std::size_t i = 0;
  while (i < leido.size() && i < esperado.size() && leido[i] == esperado[i]) ++i;
  return std::to_string(leido.size()) + " bytes read, " + std::to_string(esperado.size()) +
         " expected; first difference at byte " + std::to_string(i) + ": read " +
         Hex(leido.substr(i, 8)) + ", expected " + Hex(esperado.substr(i, 8));
}

struct Caso {
  const char* nombre;
  std::string texto;  // UTF-8
};

// Characters around the boundaries that have cut texts short: the NUL, UTF-16 units
// whose low byte is 0xD8-0xDB (taken by one driver for half a surrogate pair), the edges
// of the surrogate range and of each UTF-8 length, the last code point, and values
// whose characters straddle the reader's 4096-unit and 4096-byte pieces.
std::vector<Caso> Casos() {
  return {
      {"ascii", "MATRIZ"},
      {"empty", ""},
      {"nul inside", std::string("a\0b", 3)},
      {"nul alone and last", std::string("\0x\0", 3)},
      {"low byte D8-DB", "ØÙÚÛ ǘǚ ךכ ⃛"},
      {"user code", "ÁÉÍÓÚÑÑÑÑÑ"},
      {"package code", "PÚQ"},
      {"branch code", "S'Ú\\N ®"},
      {"small letters and signs", "ñandú ® \"%_\\'"},
      {"controls", "\x01\x7F\t\r\n"},
      {"utf-8 edges", "\u0080\u07FF\u0800\uD7FF\uE000\uFFFD\uFFFF"},
      {"other planes", "\U00010000😀\U0010FFFF"},
      {"a 2-byte letter across a byte piece", Repite("a", 4095) + "Ú" + "z"},
      {"a pair across a wide piece", Repite("a", 4095) + "😀" + "z"},
      {"long", Repite(std::string("Ú😀a\0'\\", 8), 12500)},
  };
}

// Code points: a 4-byte character is two UTF-16 units but one character to the server.
std::size_t Caracteres(const std::string& texto) {
  std::size_t n = 0;
  for (const unsigned char b : texto) n += (b & 0xC0) != 0x80;
  return n;
}

class TextosEnMariaDb : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    db_.emplace();
    // The short columns hold their texts at their limit.
    db_->EjecutaSql(
        "CREATE TABLE tblTextos (ID INT PRIMARY KEY, C CHAR(20) NULL, V VARCHAR(20) NULL,"
        " T TEXT NULL, L LONGTEXT NULL, E ENUM('MATRIZ','PÚQ') NULL)"
        " CHARACTER SET utf8mb4 COLLATE utf8mb4_bin;");
    cnx_.Open(db_->CadenaConexion());
  }

  // The columns a text fits in, with the text or NULL.
  static std::vector<std::string> Columnas() { return {"C", "V", "T", "L"}; }
  static bool Cabe(const std::string& columna, const std::string& texto) {
    if (columna == "C" || columna == "V") return Caracteres(texto) <= 20;
    if (columna == "T") return texto.size() <= 65535;
    return true;
  }

  // "INSERT ..." with each value made by `valor` where it fits.
  template <typename Valor>
  static std::string Insercion(int id, const std::string& texto, Valor valor) {
    std::string sql = "INSERT INTO tblTextos (ID,C,V,T,L) VALUES (" + std::to_string(id);
    for (const std::string& columna : Columnas())
      sql += "," + (Cabe(columna, texto) ? valor(texto) : std::string("NULL"));
    return sql + ");";
  }

  // Each text in its row as the mariadb client writes it, from its bytes.
  void EscribeConElCliente(const std::vector<Caso>& casos) {
    for (std::size_t i = 0; i < casos.size(); ++i)
      db_->EjecutaSql(Insercion(static_cast<int>(i), casos[i].texto, [](const std::string& t) {
        return "CONVERT(X'" + Hex(t) + "' USING utf8mb4)";
      }));
  }

  // The INSERT our routines would write: the text quoted as a MySQL literal.
  static std::string InsercionNuestra(int id, const std::string& texto) {
    return Insercion(id, texto,
                     [](const std::string& t) { return "'" + TextoSql(t, ManejadorMySQL) + "'"; });
  }

  // Every column of the row as ADO reads it.
  std::vector<vb::Variant> Leidos(int id) {
    ado::Recordset rs;
    rs.Open("SELECT C,V,T,L FROM tblTextos WHERE ID=" + std::to_string(id), cnx_);
    std::vector<vb::Variant> valores;
    for (int c = 0; c < rs.FieldCount(); ++c) valores.push_back(rs.Fields(c).Value());
    return valores;
  }

  void CompruebaLeidos(int id, const std::string& texto, const char* nombre) {
    const std::vector<vb::Variant> leidos = Leidos(id);
    for (std::size_t c = 0; c < leidos.size(); ++c) {
      if (!Cabe(Columnas()[c], texto)) continue;
      ASSERT_FALSE(leidos[c].IsNull()) << nombre << ", column " << Columnas()[c];
      EXPECT_EQ(Diferencia(leidos[c].AsString(), texto), "")
          << nombre << ", column " << Columnas()[c];
    }
  }

  std::optional<prueba::TestDatabase> db_;
  ado::Connection cnx_;
};

TEST_F(TextosEnMariaDb, TextsWrittenByTheClientAreReadWhole) {
  const std::vector<Caso> casos = Casos();
  EscribeConElCliente(casos);
  for (std::size_t i = 0; i < casos.size(); ++i)
    CompruebaLeidos(static_cast<int>(i), casos[i].texto, casos[i].nombre);
}

TEST_F(TextosEnMariaDb, TextsWrittenByOurStatementsArriveAndComeBackWhole) {
  const std::vector<Caso> casos = Casos();
  for (std::size_t i = 0; i < casos.size(); ++i)
    cnx_.Execute(InsercionNuestra(static_cast<int>(i), casos[i].texto));
  for (std::size_t i = 0; i < casos.size(); ++i) {
    const std::string id = std::to_string(i);
    // As stored, seen by the client.
    const prueba::Filas guardado = db_->Consulta("SELECT HEX(L) FROM tblTextos WHERE ID=" + id);
    EXPECT_TRUE(guardado.size() == 1 && guardado[0][0] == Hex(casos[i].texto))
        << casos[i].nombre << " is not stored as written";
    CompruebaLeidos(static_cast<int>(i), casos[i].texto, casos[i].nombre);
  }
}

// The statements of the test above, each on many fresh connections. The driver used to read
// past the end of a statement for each unit such as U+00DA it held: it refused the
// statement (SQLSTATE 22018) when what lay there was not UTF-16, crashed, or wrote past its
// copy of the statement. On that path every run of this test failed (about 195 refusals).
// Every row must arrive, and arrive as the bytes of its text.
TEST_F(TextosEnMariaDb, StatementsOnceRefusedAtRandomArriveOnEveryConnectionAsTheirBytes) {
  const std::vector<Caso> casos = Casos();
  constexpr int kConexiones = 100;
  EscribeConElCliente(casos);
  int rechazos = 0;
  std::string primerRechazo;
  const auto envia = [&](ado::Connection& conexion, const std::string& sql, const char* nombre) {
    try {
      conexion.Execute(sql);
    } catch (const ado::ProviderError& e) {
      if (rechazos++ == 0)
        primerRechazo = std::string(nombre) + ": " + e.Errors().front().Description;
    }
  };
  for (int c = 1; c <= kConexiones; ++c) {
    ado::Connection nueva;
    nueva.Open(db_->CadenaConexion());
    for (std::size_t i = 0; i < casos.size(); ++i) {
      const int id = c * 100 + static_cast<int>(i);
      envia(nueva, InsercionNuestra(id, casos[i].texto), casos[i].nombre);
      // A statement whose length changes with each connection, so that what lies past its
      // end changes too.
      envia(nueva,
            "UPDATE tblTextos SET T='" + Repite("Ú", 20 + 37 * c % 400) +
                "' WHERE ID=" + std::to_string(id),
            "varying length");
    }
  }
  EXPECT_EQ(rechazos, 0) << "first refusal: " << primerRechazo;
  // Every row the same bytes as the one the client wrote, and T the Ú of its UPDATE.
  EXPECT_EQ(db_->Consulta("SELECT COUNT(*) FROM tblTextos a JOIN tblTextos b ON b.ID = a.ID % 100"
                          " WHERE a.ID >= 100 AND a.C <=> b.C AND a.V <=> b.V AND a.L <=> b.L"
                          " AND a.T = REPEAT('Ú', 20 + 37 * (a.ID DIV 100) % 400)"),
            (prueba::Filas{{std::to_string(kConexiones * casos.size())}}));
}

// The driver would end a statement at a NUL and send the rest of nothing: such a statement
// is refused whole, with a message that says why.
TEST_F(TextosEnMariaDb, AStatementWithANulInsideIsRefusedNotCutShort) {
  try {
    cnx_.Execute(std::string("INSERT INTO tblTextos (ID,V) VALUES (1,'a\0');", 45));
    ADD_FAILURE() << "no error";
  } catch (const ado::ProviderError& e) {
    EXPECT_NE(e.Errors().front().Description.find("NUL"), std::string::npos);
  }
  EXPECT_EQ(db_->Consulta("SELECT COUNT(*) FROM tblTextos"), (prueba::Filas{{"0"}}));
}

TEST_F(TextosEnMariaDb, AValueReadAndWrittenBackFindsItsOwnRow) {
  // Each text is read, then used as the key of an UPDATE: a text read short would
  // match another row or none.
  cnx_.Execute("INSERT INTO tblTextos (ID,V) VALUES (1,'A'),(2,'" + TextoSql("AÚB", 4) +
               "'),(3,'" + TextoSql(std::string("A\0B", 3), 4) + "'),(4,'" +
               TextoSql("ÁÉÍÓÚÑÑÑÑÑ", 4) + "'),(5,'ÁÉÍÓÚÑÑÑÑ');");
  ado::Recordset rs;
  rs.Open("SELECT ID,V FROM tblTextos ORDER BY ID", cnx_);
  for (; !rs.Eof(); rs.MoveNext())
    cnx_.Execute("UPDATE tblTextos SET T='" + vb::CStr(rs.Fields("ID").Value()) +
                 "' WHERE V='" + TextoSql(rs.Fields("V").Value().AsString(), 4) + "';");
  EXPECT_EQ(db_->Consulta("SELECT ID, T FROM tblTextos ORDER BY ID"),
            (prueba::Filas{{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}}));
}

// A connection whose results come in another character set (here MySQL's latin1, that is
// Windows-1252) gets the same texts whole: the driver's own UTF-16 would end long ones
// early and report success.
TEST_F(TextosEnMariaDb, AConnectionInAnotherCharacterSetReadsThemWholeToo) {
  const std::vector<std::string> textos = {"ØÙÚÛ €", "PÚQ", std::string("a\0b", 3),
                                           Repite("Ú", 4095) + "Øz", Repite("aÚ", 30000)};
  for (std::size_t i = 0; i < textos.size(); ++i)
    db_->EjecutaSql(Insercion(static_cast<int>(i), textos[i], [](const std::string& t) {
      return "CONVERT(X'" + Hex(t) + "' USING utf8mb4)";
    }));
  ado::Connection latin1;
  latin1.Open(db_->CadenaConexion() + ";CHARSET=latin1");
  ado::Recordset rs;
  rs.Open("SELECT @@character_set_results AS J", latin1);
  ASSERT_EQ(rs.Fields("J").Value().AsString(), "latin1");
  rs.Close();
  for (std::size_t i = 0; i < textos.size(); ++i) {
    rs.Open("SELECT C,V,T,L FROM tblTextos WHERE ID=" + std::to_string(i), latin1);
    for (int c = 0; c < rs.FieldCount(); ++c) {
      if (!Cabe(Columnas()[c], textos[i])) continue;
      EXPECT_EQ(Diferencia(rs.Fields(c).Value().AsString(), textos[i]), "")
          << i << ", column " << Columnas()[c];
    }
    rs.Close();
  }
}

TEST_F(TextosEnMariaDb, NamesEnumsAndMetadataWithTheseCharactersAreWhole) {
  db_->EjecutaSql("CREATE TABLE tblÚÚÚÚ (`ÚØÙÛǘ` VARCHAR(5)) CHARACTER SET utf8mb4;"
                  "INSERT INTO tblTextos (ID,E) VALUES (1,'PÚQ');");
  ado::Recordset rs;
  rs.Open("SELECT E AS `ÁÉÍÓÚÑ`, `ÚØÙÛǘ` FROM tblTextos, tblÚÚÚÚ", cnx_);
  EXPECT_EQ(rs.Fields(0).Name, "ÁÉÍÓÚÑ");
  EXPECT_EQ(rs.Fields(1).Name, "ÚØÙÛǘ");
  rs.Close();
  rs.Open("SELECT E FROM tblTextos", cnx_);
  EXPECT_EQ(rs.Fields("E").Value().AsString(), "PÚQ");
  rs.Close();
  rs.Open("SHOW COLUMNS FROM tblÚÚÚÚ", cnx_);
  EXPECT_EQ(rs.Fields("Field").Value().AsString(), "ÚØÙÛǘ");
  // The driver's message names the table whole.
  try {
    cnx_.Execute("SELECT * FROM tblÚÚÚÚÚÚ");
    ADD_FAILURE() << "no error";
  } catch (const ado::ProviderError& e) {
    EXPECT_NE(e.Errors().front().Description.find("tblúúúúúú' doesn't exist"), std::string::npos)
        << e.Errors().front().Description;
  }
}

}  // namespace
