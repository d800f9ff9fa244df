#include <gtest/gtest.h>

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "support/TestDatabase.h"

namespace {

vb::DateTime Momento(const char* texto) { return vb::CDate(vb::Variant(texto)); }

class GeneraFecHrTest : public ::testing::Test {
 protected:
  GeneraFecHrTest() { win::EstableceReloj([] { return Momento("2021-03-24 08:30:00"); }); }
  ~GeneraFecHrTest() override { win::EstableceReloj({}); }
  clsBaseDatos bd_;
};

struct CasoFecHr {
  std::int16_t iFecHr;
  const char* valor;
  std::int16_t iManejador;
  const char* esperado;
};

TEST_F(GeneraFecHrTest, WritesTheLiteralOfEachKindAndDialect) {
  const CasoFecHr casos[] = {
      // A date: the time part of the value is ignored; unknown codes take SQL Server's form.
      {0, "2021-07-05 14:05:09", 2, "#2021/07/05#"},
      {0, "2021-07-05 14:05:09", 4, "'2021-07-05'"},
      {0, "2021-07-05 14:05:09", 3, "'20210705'"},
      {0, "2021-07-05 14:05:09", 0, "'20210705'"},
      {0, "2021-07-05 14:05:09", 5, "'20210705'"},
      // A time: any kind but 0 and 2; the date part is ignored.
      {1, "2021-07-05 09:04:03", 2, "#09:04:03#"},
      {1, "2021-07-05 09:04:03", 4, "'09:04:03'"},
      {7, "2021-07-05 09:04:03", 3, "'09:04:03'"},
      {-1, "2021-07-05 09:04:03", 3, "'09:04:03'"},
      {1, "23:00:00", 4, "'23:00:00'"},
      // The placeholder date with the clock's time, not the value's.
      {2, "1800-01-01 23:59:59", 4, "'1800-01-01 08:30:00'"},
      {2, "1800-01-01 23:59:59", 3, "'18000101 08:30:00'"},
      {2, "1800-01-01 23:59:59", 2, "#1800/01/01 08:30:00#"},
      {2, "2021-12-31", 0, "'20211231 08:30:00'"},
  };
  for (const CasoFecHr& c : casos)
    EXPECT_EQ(bd_.GeneraFecHr(c.iFecHr, Momento(c.valor), c.iManejador), c.esperado)
        << "kind " << c.iFecHr << ", " << c.valor << ", code " << c.iManejador;
}

TEST_F(GeneraFecHrTest, DateWithTimeReadsTheClockWhenTheLiteralIsMade) {
  const vb::DateTime fecha = Momento("1800-01-01");
  EXPECT_EQ(bd_.GeneraFecHr(FecHrFechaHora, fecha, ManejadorMySQL), "'1800-01-01 08:30:00'");
  win::EstableceReloj([] { return Momento("2021-03-24 17:45:01"); });
  EXPECT_EQ(bd_.GeneraFecHr(FecHrFechaHora, fecha, ManejadorMySQL), "'1800-01-01 17:45:01'");
}

struct CasoBackSlash {
  std::string cadena;
  std::int16_t iTipoBD;
  std::string cambiada;
  std::string resultado;
};

TEST(ConvierteBackSlash, DoublesEveryBackslashExceptForAccess) {
  const std::string ruta = "C:\\Suite\\XmlCfdi";
  const std::string doblada = "C:\\\\Suite\\\\XmlCfdi";
  const std::string largo(40000, 'x');
  const CasoBackSlash casos[] = {
      {ruta, 4, doblada, ""},
      {ruta, 3, doblada, ""},
      {ruta, 2, ruta, ruta},
      {"sin barra", 4, "sin barra", ""},
      {"sin barra", 2, "sin barra", ""},
      {"", 3, "", ""},
      {"termina\\", 4, "termina\\\\", ""},
      {"\\\\red\\a\\\\b", 4, "\\\\\\\\red\\\\a\\\\\\\\b", ""},  // already doubled: doubled again
      // Positions far past a 16-bit count: the whole text is still converted.
      {largo + "\\" + largo + "\\", 4, largo + "\\\\" + largo + "\\\\", ""},
  };
  clsBaseDatos bd;
  for (const CasoBackSlash& c : casos) {
    std::string cadena = c.cadena;
    EXPECT_EQ(bd.ConvierteBackSlash(cadena, c.iTipoBD), c.resultado) << c.cadena.substr(0, 30);
    EXPECT_EQ(cadena, c.cambiada) << c.cadena.substr(0, 30) << ", code " << c.iTipoBD;
  }
}

TEST(ConvierteLen, RewritesEveryUpperCaseLen) {
  const struct {
    const char* antes;
    const char* despues;
  } casos[] = {
      {"SELECT LEN(A), LEN(B)", "SELECT LENGTH(A), LENGTH(B)"},
      {"SELECT len(A), Len(B)", "SELECT len(A), Len(B)"},
      {"WHERE LEN(LEN(A))>0", "WHERE LENGTH(LENGTH(A))>0"},
      {"SELECT STRLEN(A) FROM T WHERE X='LEN('", "SELECT STRLENGTH(A) FROM T WHERE X='LENGTH('"},
      {"SELECT LENGTH(A), LEN (B)", "SELECT LENGTH(A), LEN (B)"},
      {"", ""},
  };
  clsBaseDatos bd;
  for (const auto& c : casos) {
    std::string cadena = c.antes;
    bd.ConvierteLen(cadena);
    EXPECT_EQ(cadena, c.despues);
  }
}

TEST(TextoSql, DoublesQuotesAndOnMySqlBackslashes) {
  const struct {
    const char* texto;
    std::int16_t iManejador;
    const char* esperado;
  } casos[] = {
      {"O'Brien", ManejadorMySQL, "O''Brien"},
      {"O'Brien", ManejadorSQLServer, "O''Brien"},
      {"O'Brien", ManejadorAccess, "O''Brien"},
      {"C:\\Img\\", ManejadorMySQL, "C:\\\\Img\\\\"},
      {"C:\\Img\\", ManejadorSQLServer, "C:\\Img\\"},
      {"C:\\Img\\", ManejadorAccess, "C:\\Img\\"},
      {"'\\''", ManejadorMySQL, "''\\\\''''"},
      {"PANADERÍA", ManejadorMySQL, "PANADERÍA"},
      {"", ManejadorMySQL, ""},
  };
  for (const auto& c : casos)
    EXPECT_EQ(TextoSql(c.texto, c.iManejador), c.esperado) << c.texto << ", code " << c.iManejador;
  // A NUL inside a text: MySQL's escape, the other engines take it as it is.
  const std::string conNulo("F\0'1", 4);
  EXPECT_EQ(TextoSql(conNulo, ManejadorMySQL), "F\\0''1");
  EXPECT_EQ(TextoSql(conNulo, ManejadorSQLServer), std::string("F\0''1", 5));
}

TEST(LiteralesEnMySql, TextsAndDatesReachTheServerAsMeant) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::TestDatabase db;
  db.EjecutaSql("CREATE TABLE tblPrueba (ID INT, TEXTO VARCHAR(100), FECHA DATE, HORA TIME,"
                " FECHAHORA DATETIME);");
  win::EstableceReloj([] { return Momento("2021-03-24 08:30:00"); });
  clsBaseDatos bd;
  const std::string texto = "C:\\Imágenes\\O'Brien\\";
  std::string ruta = "C:\\Suite\\XmlCfdi\\";
  bd.ConvierteBackSlash(ruta, ManejadorMySQL);
  const vb::DateTime valor = Momento("2021-07-05 09:04:03");
  ado::Connection cnx;
  cnx.Open(db.CadenaConexion());
  cnx.Execute("INSERT INTO tblPrueba VALUES (1, '" + TextoSql(texto, ManejadorMySQL) + "', " +
              bd.GeneraFecHr(FecHrFecha, valor, ManejadorMySQL) + ", " +
              bd.GeneraFecHr(FecHrHora, valor, ManejadorMySQL) + ", " +
              bd.GeneraFecHr(FecHrFechaHora, Momento("1800-01-01"), ManejadorMySQL) + ");");
  cnx.Execute("INSERT INTO tblPrueba (ID, TEXTO) VALUES (2, '" + ruta + "');");
  win::EstableceReloj({});
  EXPECT_EQ(db.Consulta("SELECT TEXTO, FECHA, HORA, FECHAHORA FROM tblPrueba ORDER BY ID"),
            (prueba::Filas{{texto, "2021-07-05", "09:04:03", "1800-01-01 08:30:00"},
                           {"C:\\Suite\\XmlCfdi\\", "NULL", "NULL", "NULL"}}));
}

}  // namespace
