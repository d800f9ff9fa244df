// The catalogue's default rows of one table: the INSERTs each dialect receives (as text,
// against a recording provider), and the rows that land on the real MariaDB.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/AccesoPrivadoClsBaseDatos.h"
#include "data/Catalogo.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/TestDatabase.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The catalogue of the program folder and a destination whose statements are recorded.
class RegistrosDefault : public ::testing::Test {
 protected:
  explicit RegistrosDefault(const std::string& sqlAdicional = {}) : programa(sqlAdicional) {
    grabadora.DejaPasar(prueba::Contiene("Microsoft.Jet.OLEDB"));
    win::EstableceSleep([this](unsigned ms) {
      pausas.push_back(ms);
      sentenciasEnCadaPausa.push_back(grabadora.Textos().size());
    });
    cnxEstBDs.Open(catalogo::CadenaConexionEstBDs());
    cnxDestino.Open("DSN=destino");
  }
  ~RegistrosDefault() override { win::EstableceSleep({}); }

  // The statements that one call sends to the destination.
  std::vector<std::string> Agrega(std::int16_t iTabla, std::uint8_t iTipoBD) {
    const std::size_t antes = grabadora.Textos().size();
    AccesoPrivadoClsBaseDatos::AgregaRegistrosDefault(bd, cnxEstBDs, cnxDestino, iTabla, iTipoBD);
    const std::vector<std::string> todos = grabadora.Textos();
    return {todos.begin() + static_cast<long>(antes), todos.end()};
  }

  prueba::ProgramaConCatalogo programa;
  prueba::RecordingProvider grabadora;
  ado::Connection cnxEstBDs;
  ado::Connection cnxDestino;
  clsBaseDatos bd;
  std::vector<unsigned> pausas;
  std::vector<std::size_t> sentenciasEnCadaPausa;  // statements already sent at each pause
};

TEST_F(RegistrosDefault, UnInsertPorRegistroEnCadaDialecto) {
  EXPECT_THAT(Agrega(2, ManejadorMySQL),
              ElementsAre("INSERT INTO tblTiposImpuesto (NUM_TIPO,DES_TIPO,FEC_ALTA,CVE_CFDI) "
                          "VALUES (1,'IVA','20180101','002');",
                          "INSERT INTO tblTiposImpuesto (NUM_TIPO,DES_TIPO,FEC_ALTA,CVE_CFDI) "
                          "VALUES (2,'IEPS','2000/01/01','003');"));
  EXPECT_THAT(Agrega(2, ManejadorSQLServer),
              ElementsAre("INSERT INTO tblTiposImpuesto (NUM_TIPO,DES_TIPO,FEC_ALTA,CVE_CFDI) "
                          "VALUES (1,'IVA','20180101','002');",
                          "INSERT INTO tblTiposImpuesto (NUM_TIPO,DES_TIPO,FEC_ALTA,CVE_CFDI) "
                          "VALUES (2,'IEPS','2000/01/01','003');"));
  EXPECT_THAT(Agrega(2, ManejadorAccess),
              ElementsAre("INSERT INTO tblTiposImpuesto (NUM_TIPO,DES_TIPO,FEC_ALTA,CVE_CFDI) "
                          "VALUES (1,'IVA','2018/01/01','002');",
                          "INSERT INTO tblTiposImpuesto (NUM_TIPO,DES_TIPO,FEC_ALTA,CVE_CFDI) "
                          "VALUES (2,'IEPS','2000/01/01','003');"));
}

// Quotes and backslashes of a catalogue text are escaped as each dialect needs.
TEST_F(RegistrosDefault, ComillasYBarrasInvertidasLleganIntactas) {
  EXPECT_THAT(Agrega(4, ManejadorMySQL),
              ElementsAre("INSERT INTO tblMensajes (TEXTO,ORDEN) VALUES ('Bienvenido a "
                          "D''Angelo \\\\ Cía.',1);"));
  EXPECT_THAT(Agrega(4, ManejadorSQLServer),
              ElementsAre("INSERT INTO tblMensajes (TEXTO,ORDEN) VALUES ('Bienvenido a "
                          "D''Angelo \\ Cía.',1);"));
}

TEST_F(RegistrosDefault, LaPausaVaPrimeroAunqueNoHayaNadaQueAgregar) {
  for (std::int16_t tabla :
       {std::int16_t{2}, std::int16_t{5}, std::int16_t{6}, std::int16_t{99}, std::int16_t{1}})
    Agrega(tabla, ManejadorMySQL);
  EXPECT_THAT(pausas, ElementsAre(200, 200, 200, 200, 200));
  EXPECT_THAT(sentenciasEnCadaPausa, ElementsAre(0, 2, 2, 2, 2));
}

TEST_F(RegistrosDefault, UnInsertQueFallaNoDetieneLosDemas) {
  grabadora.Falla(prueba::Contiene("'FACTURAS'"), -2147217873, "Duplicate entry 'FACTURAS'");
  EXPECT_THAT(Agrega(3, ManejadorMySQL),
              ElementsAre("INSERT INTO tblFolios (COD_FOLIO,FOL_FOLIO,SERIE) VALUES "
                          "('FACTURAS','0001','F');",
                          "INSERT INTO tblFolios (COD_FOLIO,FOL_FOLIO,SERIE) VALUES "
                          "('VENTAS','15','A');"));
  EXPECT_FALSE(bd.HayError());
}

class TablasSinRegistrosDefault : public RegistrosDefault {
 protected:
  TablasSinRegistrosDefault()
      : RegistrosDefault(
            "INSERT INTO tblTablas VALUES (20, 'TBLCATALMACENES', 1), (21, 'tblpvConfigura', 1),"
            " (22, 'tblSinValores', 0);"
            "INSERT INTO tblCamposTabla VALUES (2001, 20, 'X', 9, 5), (2101, 21, 'X', 9, 5),"
            " (2201, 22, 'X', 9, 5);"
            "INSERT INTO tblDefaultCampos VALUES (2001, '1', 'a'), (2101, '1', 'b');") {}
};

TEST_F(TablasSinRegistrosDefault, AlmacenesConfiguracionYTablasSinValoresNoRecibenNada) {
  for (std::int16_t tabla : {5, 6, 20, 21, 22, 99})
    EXPECT_THAT(Agrega(tabla, ManejadorMySQL), IsEmpty()) << "table " << tabla;
}

// A REGISTRO key with a quote in it still finds its values.
class RegistroConComilla : public RegistrosDefault {
 protected:
  RegistroConComilla()
      : RegistrosDefault(
            "INSERT INTO tblTablas VALUES (23, 'tblComillas', 0);"
            "INSERT INTO tblCamposTabla VALUES (2301, 23, 'X', 9, 5);"
            "INSERT INTO tblDefaultCampos VALUES (2301, 'O''Neil', 'v'), (2301, 'Otro', 'w');") {}
};

TEST_F(RegistroConComilla, TambienSeAgrega) {
  EXPECT_THAT(Agrega(23, ManejadorMySQL), ElementsAre("INSERT INTO tblComillas (X) VALUES ('v');",
                                                      "INSERT INTO tblComillas (X) VALUES ('w');"));
}

// Each case is a default row of its own, one column and one value, in table 70.
struct Regla {
  const char* columna;
  const char* valor;  // nullptr: Null in the catalogue
  const char* mysql;
  const char* access;
};

class ReglasDeValor : public RegistrosDefault {
 protected:
  static const std::vector<Regla>& Casos() {
    static const std::vector<Regla> casos = {
        {"DATO", "0001", "'0001'", "'0001'"},
        {"DATO", "1000", "'1000'", "'1000'"},
        {"DATO", "15", "15", "15"},
        {"DATO", "-3.5", "-3.5", "-3.5"},
        {"FOL_FOLIO", "15", "'15'", "'15'"},
        {"AI", "15", "'15'", "'15'"},
        {"CVE_CFDI", "15", "'15'", "'15'"},
        {"ai", "15", "15", "15"},
        {" AI ", "15", "15", "15"},  // the name is compared as stored, listed trimmed
        {"DATO", "2018/01/01", "'20180101'", "'2018/01/01'"},
        {"DATO", "2000/01/01", "'2000/01/01'", "'2000/01/01'"},
        {"DATO", "General", "'General'", "'General'"},
        {"DATO", "D'Angelo", "'D''Angelo'", "'D''Angelo'"},
        {"DATO", "C:\\Datos", "'C:\\\\Datos'", "'C:\\Datos'"},
        {"DATO", nullptr, "''", "''"},
    };
    return casos;
  }

  static std::string Catalogo() {
    std::string sql = "INSERT INTO tblTablas VALUES (70, 'tblReglas', 0);";
    for (std::size_t i = 0; i < Casos().size(); ++i) {
      const std::string numero = std::to_string(7000 + i);
      const std::string valor =
          Casos()[i].valor ? "'" + Citado(Casos()[i].valor) + "'" : std::string("NULL");
      sql += "INSERT INTO tblCamposTabla VALUES (" + numero + ", 70, '" + Casos()[i].columna +
             "', 9, 20);";
      sql += "INSERT INTO tblDefaultCampos VALUES (" + numero + ", 'c" + std::to_string(i) + "', " +
             valor + ");";
    }
    return sql;
  }

  static std::string Citado(const std::string& texto) {
    std::string citado;
    for (char c : texto) citado += c == '\'' ? std::string("''") : std::string(1, c);
    return citado;
  }

  static std::string Insert(const Regla& regla, const char* valor) {
    const std::string columna = std::string(regla.columna) == " AI " ? "AI" : regla.columna;
    return "INSERT INTO tblReglas (" + columna + ") VALUES (" + valor + ");";
  }

  ReglasDeValor() : RegistrosDefault(Catalogo()) {}
};

TEST_F(ReglasDeValor, ElTextoYElNombreDeLaColumnaDecidenComoSeEscribe) {
  const std::vector<std::string> mysql = Agrega(70, ManejadorMySQL);
  const std::vector<std::string> access = Agrega(70, ManejadorAccess);
  ASSERT_EQ(mysql.size(), Casos().size());
  ASSERT_EQ(access.size(), Casos().size());
  for (std::size_t i = 0; i < Casos().size(); ++i) {
    const Regla& regla = Casos()[i];
    const std::string caso =
        std::string(regla.columna) + "=" + (regla.valor ? regla.valor : "Null");
    EXPECT_EQ(mysql[i], Insert(regla, regla.mysql)) << caso;
    EXPECT_EQ(access[i], Insert(regla, regla.access)) << caso;
  }
}

// A catalogue that cannot be read ends the member quietly: nothing is sent, nothing
// is raised.
TEST(RegistrosDefaultSinCatalogoLegible, TerminaSinDecirNada) {
  prueba::ProgramaConCatalogo programa("DROP TABLE tblDefaultCampos;");
  prueba::RecordingProvider grabadora;
  grabadora.DejaPasar(prueba::Contiene("Microsoft.Jet.OLEDB"));
  win::EstableceSleep([](unsigned) {});
  ado::Connection cnxEstBDs;
  ado::Connection cnxDestino;
  cnxEstBDs.Open(catalogo::CadenaConexionEstBDs());
  cnxDestino.Open("DSN=destino");
  clsBaseDatos bd;
  EXPECT_NO_THROW(
      AccesoPrivadoClsBaseDatos::AgregaRegistrosDefault(bd, cnxEstBDs, cnxDestino, 2, 4));
  EXPECT_THAT(grabadora.Textos(), IsEmpty());
  EXPECT_FALSE(bd.HayError());
  win::EstableceSleep({});
}

// The default rows of the reference catalogue on the test server.
TEST(RegistrosDefaultEnMariaDB, LleganUnaVezDondeLasLlavesLoImpiden) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::TestDatabase db;
  db.EjecutaSql(
      "CREATE TABLE tblTiposImpuesto (NUM_TIPO SMALLINT NOT NULL DEFAULT 0 PRIMARY KEY,"
      " DES_TIPO VARCHAR(30) NOT NULL DEFAULT '', FEC_ALTA DATE NOT NULL,"
      " CVE_CFDI VARCHAR(3) NOT NULL DEFAULT '');"
      "CREATE TABLE tblFolios (COD_FOLIO VARCHAR(10) NOT NULL DEFAULT '',"
      " FOL_FOLIO VARCHAR(20) NOT NULL DEFAULT '', SERIE VARCHAR(10) NOT NULL DEFAULT '',"
      " UNIQUE KEY idxCOD_FOLIO (COD_FOLIO));"
      "CREATE TABLE tblMensajes (TEXTO VARCHAR(100) NOT NULL DEFAULT '',"
      " ORDEN SMALLINT NOT NULL DEFAULT 0);"
      "CREATE TABLE tblCatAlmacenes (COD_ALM VARCHAR(5) NOT NULL DEFAULT '',"
      " NOM_ALM VARCHAR(30) NOT NULL DEFAULT '');");
  prueba::ProgramaConCatalogo programa;
  win::EstableceSleep([](unsigned) {});
  ado::Connection cnxEstBDs;
  ado::Connection cnxDestino;
  cnxEstBDs.Open(catalogo::CadenaConexionEstBDs());
  cnxDestino.Open(db.CadenaConexion());
  clsBaseDatos bd;
  for (int vuelta = 0; vuelta < 2; ++vuelta)
    for (std::int16_t tabla : {2, 3, 4, 5})
      AccesoPrivadoClsBaseDatos::AgregaRegistrosDefault(bd, cnxEstBDs, cnxDestino, tabla,
                                                        ManejadorMySQL);
  win::EstableceSleep({});

  EXPECT_EQ(db.Consulta("SELECT NUM_TIPO, DES_TIPO, FEC_ALTA, CVE_CFDI FROM tblTiposImpuesto "
                        "ORDER BY NUM_TIPO"),
            (prueba::Filas{{"1", "IVA", "2018-01-01", "002"}, {"2", "IEPS", "2000-01-01", "003"}}));
  EXPECT_EQ(db.Consulta("SELECT COD_FOLIO, FOL_FOLIO, SERIE FROM tblFolios ORDER BY SERIE"),
            (prueba::Filas{{"VENTAS", "15", "A"}, {"FACTURAS", "0001", "F"}}));
  // Without a key the rows come again at every call.
  EXPECT_EQ(db.Consulta("SELECT TEXTO, ORDEN FROM tblMensajes"),
            (prueba::Filas{{"Bienvenido a D'Angelo \\ Cía.", "1"},
                           {"Bienvenido a D'Angelo \\ Cía.", "1"}}));
  EXPECT_EQ(db.Consulta("SELECT COUNT(*) FROM tblCatAlmacenes"), (prueba::Filas{{"0"}}));
}

}  // namespace
