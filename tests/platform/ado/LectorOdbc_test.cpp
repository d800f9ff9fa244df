// The pieces of the ODBC reading that need no server: text conversion and dates.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/ado/JuegoDeCaracteres.h"
#include "platform/ado/LectorOdbc.h"
#include "platform/ado/Utf16.h"

namespace {

TEST(Utf16, ConvertsBothWaysAndKeepsWhatCannotBeConverted) {
  for (const std::string& texto :
       std::vector<std::string>{"", "ACTUALIZACIÓN ®", "ñandú € 😀", std::string("a\0b", 3)})
    EXPECT_EQ(ado::Utf16AUtf8(ado::Utf8AUtf16(texto)), texto);
  EXPECT_EQ(ado::Utf8AUtf16("Ó😀"), (std::u16string{0x00D3, 0xD83D, 0xDE00}));
  // A byte that is not UTF-8 is read as the Latin-1 letter of that value.
  EXPECT_EQ(ado::Utf8AUtf16("ACTUALIZACI\xD3N"), u"ACTUALIZACIÓN");
  EXPECT_EQ(ado::Utf8AUtf16("\xE2\x82"), u"\u00E2\u0082");  // cut short
  EXPECT_EQ(ado::Utf8AUtf16("\xC0\xAF"), u"\u00C0\u00AF");  // overlong
  // A lone surrogate cannot be written in UTF-8.
  EXPECT_EQ(ado::Utf16AUtf8(std::u16string{u'a', 0xD800, u'b'}), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(ado::Utf16AUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
}

// How many units the MariaDB driver converts of a wide text: it steps over two units
// wherever a unit's low byte is 0xD8-0xDB; given a length it takes that many steps, given
// none it stops on a NUL.
std::size_t UnidadesQueLeeElDriver(const char16_t* texto, std::optional<std::size_t> largo) {
  std::size_t leidas = 0;
  for (std::size_t paso = 0; largo ? paso < *largo : texto[leidas] != 0; ++paso)
    leidas += (texto[leidas] & 0xFC) == 0xD8 ? 2 : 1;
  return leidas;
}

TEST(TextoParaOdbc, WhatTheDriverReadsPastTheEndIsNul) {
  for (const std::string& texto :
       std::vector<std::string>{"", "INSERT 'S''Ú\\\\N ®'", "ÚÚÚÚ", "ØÙÚÛ ǘǚ ךכ ⃛", "Ú😀Ø",
                                "a\u0800\u20DB", "Û", "aÛ"}) {
    ado::TextoParaOdbc ancho(texto);
    ASSERT_EQ(ado::Utf16AUtf8(std::u16string(ancho.Unidades(), ancho.Largo())), texto);
    EXPECT_FALSE(ancho.TieneNul());
    for (const std::optional<std::size_t> largo :
         {std::optional(ancho.Largo()), std::optional<std::size_t>()}) {
      const std::size_t leidas = UnidadesQueLeeElDriver(ancho.Unidades(), largo);
      for (std::size_t i = ancho.Largo(); i <= leidas; ++i)
        EXPECT_EQ(ancho.Unidades()[i], u'\0') << texto << ", unit " << i;
      // Terminated, it reads at most the terminator beyond the text: its length stays put.
      if (!largo) {
        EXPECT_LE(leidas, ancho.Largo() + 1) << texto;
      }
    }
  }
  EXPECT_TRUE(ado::TextoParaOdbc(std::string("a\0b", 3)).TieneNul());
}

TEST(JuegoDeCaracteres, MySqlSetsBecomeUtf8WithNothingLost) {
  EXPECT_EQ(ado::JuegoIconvDeMySql("utf8mb4"), "UTF-8");
  EXPECT_EQ(ado::JuegoIconvDeMySql("LATIN1"), "CP1252");
  EXPECT_EQ(ado::JuegoIconvDeMySql("binary"), std::nullopt);
  EXPECT_EQ(ado::AUtf8("\xDA\x80" "a", "CP1252"), "Ú€a");
  // Bytes Windows-1252 leaves undefined, and a NUL, are kept.
  EXPECT_EQ(ado::AUtf8(std::string("\x81\0\x9D", 3), "CP1252"),
            std::string("\xC2\x81\0\xC2\x9D", 5));
  EXPECT_EQ(ado::AUtf8(std::string("\x00\xDA\xD8\x3D\xDE\x00", 6), "UTF-16BE"), "Ú😀");
  EXPECT_EQ(ado::AUtf8("Ú😀", "UTF-8"), "Ú😀");
}

TEST(SerialDeFechaHora, CountsDaysFromTheLanguagesEpoch) {
  struct Caso {
    int anio, mes, dia, hora, minuto, segundo;
    double serial;
  };
  const Caso casos[] = {
      {1899, 12, 30, 0, 0, 0, 0},        {1900, 1, 1, 0, 0, 0, 2},
      {2024, 2, 29, 0, 0, 0, 45351},     {1999, 12, 31, 18, 0, 0, 36525.75},
      {1899, 12, 29, 6, 0, 0, -1.25},    {1800, 1, 1, 12, 0, 0, -36522.5},
      {9999, 12, 31, 0, 0, 0, 2958465},
  };
  for (const Caso& c : casos)
    EXPECT_DOUBLE_EQ(ado::SerialDeFechaHora(c.anio, c.mes, c.dia, c.hora, c.minuto, c.segundo).serial,
                     c.serial)
        << c.anio << "-" << c.mes << "-" << c.dia;
}

}  // namespace
