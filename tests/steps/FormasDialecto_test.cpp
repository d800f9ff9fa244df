#include "steps/FormasDialecto.h"

#include <gtest/gtest.h>

namespace {

struct CasoDeDialecto {
  std::int16_t iManejador;
  const char* ampliacion;  // AmpliaTexto(tblCajas, TA_PASSWORD, 10)
  const char* moneda;      // CambiaColumna(tblPrecios, PTO_MAR, TipoMoneda)
  const char* borrado;     // BorraTabla(tblModificadores)
  const char* fecha;       // FechaLiteral(1800, 1, 1)
};

TEST(FormasDialecto, WordsOfEachCode) {
  const CasoDeDialecto casos[] = {
      {2, "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD TEXT(10);",
       "ALTER TABLE tblPrecios ALTER COLUMN PTO_MAR CURRENCY;", "DROP TABLE tblModificadores;",
       "#1800/01/01#"},
      {3, "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD VARCHAR(10) NOT NULL;",
       "ALTER TABLE tblPrecios ALTER COLUMN PTO_MAR DECIMAL(13,4) NOT NULL;",
       "DROP TABLE tblModificadores;", "'1800-01-01'"},
      {4, "ALTER TABLE tblCajas MODIFY TA_PASSWORD VARCHAR(10) NOT NULL;",
       "ALTER TABLE tblPrecios MODIFY PTO_MAR DECIMAL(13,4) NOT NULL;",
       "DROP TABLE IF EXISTS tblModificadores;", "'1800-01-01'"},
      // Codes the dialog never gives take the MySQL words, as every three-way choice does.
      {0, "ALTER TABLE tblCajas MODIFY TA_PASSWORD VARCHAR(10) NOT NULL;",
       "ALTER TABLE tblPrecios MODIFY PTO_MAR DECIMAL(13,4) NOT NULL;",
       "DROP TABLE IF EXISTS tblModificadores;", "'1800-01-01'"},
  };
  for (const CasoDeDialecto& c : casos) {
    EXPECT_EQ(AmpliaTexto(c.iManejador, "tblCajas", "TA_PASSWORD", 10), c.ampliacion)
        << c.iManejador;
    EXPECT_EQ(CambiaColumna(c.iManejador, "tblPrecios", "PTO_MAR", TipoMoneda(c.iManejador)),
              c.moneda)
        << c.iManejador;
    EXPECT_EQ(BorraTabla(c.iManejador, "tblModificadores"), c.borrado) << c.iManejador;
    EXPECT_EQ(FechaLiteral(c.iManejador, 1800, 1, 1), c.fecha) << c.iManejador;
  }
  EXPECT_EQ(FechaLiteral(2, 2500, 12, 31), "#2500/12/31#");
}

}  // namespace
