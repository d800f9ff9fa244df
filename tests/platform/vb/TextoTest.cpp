#include <gtest/gtest.h>

#include "platform/vb/ErrorDe.h"
#include "platform/vb/Text.h"

namespace vb {
namespace {

TEST(Texto, CortesConPosicionesDesdeUno) {
  EXPECT_EQ(Left("abcdef", 2), "ab");
  EXPECT_EQ(Left("abc", 10), "abc");
  EXPECT_EQ(Left("abc", 0), "");
  EXPECT_EQ(Right("abcdef", 2), "ef");
  EXPECT_EQ(Right("abc", 10), "abc");
  EXPECT_EQ(Mid("abcdef", 3), "cdef");
  EXPECT_EQ(Mid("abcdef", 3, 2), "cd");
  EXPECT_EQ(Mid("abcdef", 5, 10), "ef");
  EXPECT_EQ(Mid("abc", 4), "");
  EXPECT_EQ(Mid("abc", 9, 2), "");
  EXPECT_EQ(Mid("abc", 2, 0), "");
  EXPECT_EQ(Len("abc"), 3);
  EXPECT_EQ(Len(""), 0);
}

TEST(Texto, ArgumentosFueraDeRangoSonLlamadaNoValida) {
  const std::function<void()> llamadas[] = {
      [] { Left("abc", -1); },  [] { Right("abc", -1); },  [] { Mid("abc", 0); },
      [] { Mid("abc", 0, 1); }, [] { Mid("abc", 1, -1); }, [] { InStr(0, "abc", "a"); },
      [] { Space(-1); },        [] { String(-2, 'x'); },
  };
  for (const auto& llamada : llamadas) EXPECT_EQ(ErrorDe(llamada), err::InvalidProcedureCall);
}

TEST(Texto, Busquedas) {
  struct Caso {
    long inicio;
    const char* texto;
    const char* buscado;
    long posicion;
  };
  const Caso casos[] = {
      {1, "C:\\a\\b", "\\", 3}, {4, "C:\\a\\b", "\\", 5}, {6, "C:\\a\\b", "\\", 0},
      {1, "abc", "x", 0},       {1, "abc", "", 1},        {3, "abc", "", 3},
      {1, "", "", 0},           {1, "", "a", 0},          {9, "abc", "a", 0},
      {1, "abc", "abcd", 0},    {1, "aAa", "A", 2},
  };
  for (const auto& c : casos)
    EXPECT_EQ(InStr(c.inicio, c.texto, c.buscado), c.posicion) << c.texto << " " << c.buscado << " " << c.inicio;
  EXPECT_EQ(InStr("SELECT LEN(A)", "LEN("), 8);
  EXPECT_EQ(InStrRev("a\\b\\c", "\\"), 4);
  EXPECT_EQ(InStrRev("abc", "x"), 0);
  EXPECT_EQ(InStrRev("abc", ""), 3);
}

TEST(Texto, BlancosMayusculasYReemplazos) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");  // only blanks are trimmed
  EXPECT_EQ(LTrim("  a "), "a ");
  EXPECT_EQ(RTrim("  a "), "  a");
  EXPECT_EQ(RTrim("   "), "");
  EXPECT_EQ(UCase("Año ñandú é1"), "AÑO ÑANDÚ É1");
  EXPECT_EQ(LCase("AÑO ÉXITO ×"), "año éxito ×");
  EXPECT_EQ(Replace("a\\b\\c", "\\", "\\\\"), "a\\\\b\\\\c");
  EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(Replace("abc", "", "x"), "abc");
  EXPECT_EQ(Replace("abc", "b", ""), "ac");
  EXPECT_EQ(Space(3), "   ");
  EXPECT_EQ(String(2, '*'), "**");
}

TEST(Texto, IgualesSinMayusculas) {
  EXPECT_TRUE(IgualesSinMayusculas("COD_SUCU", "cod_Sucu"));
  EXPECT_FALSE(IgualesSinMayusculas("COD_SUCU", "COD_SUC"));
  EXPECT_FALSE(IgualesSinMayusculas("a", "b"));
  EXPECT_TRUE(IgualesSinMayusculas("", ""));
}

// Orders as the lowered texts do, accented capitals included, and never differs from
// comparing LCase of both.
TEST(Texto, ComparaSinMayusculas) {
  struct Caso {
    const char* a;
    const char* b;
    int signo;
  };
  const Caso casos[] = {
      {"idxAÑO", "idxaño", 0},
      {"CAMIÓN", "camión", 0},
      {"ÁÉÍÓÚÜÑ", "áéíóúüñ", 0},
      {"COD_SUCU", "cod_Sucu", 0},
      {"", "", 0},
      {"tblA", "TBLB", -1},
      {"TBLc", "tblB", 1},
      {"AÑO", "añoS", -1},
      {"año", "ANO", 1},  // ñ is past every ASCII letter
      {"×", "÷", -1},     // signs keep their bytes
      {"\xC3" "A", "\xC3" "a", 0},  // an ASCII letter after a lead byte still folds
      {"a\x91", "A\xB1", -1},          // a second byte lowers only after its lead
  };
  const auto signo = [](int n) { return (n > 0) - (n < 0); };
  for (const Caso& c : casos) {
    EXPECT_EQ(signo(ComparaSinMayusculas(c.a, c.b)), c.signo) << c.a << " / " << c.b;
    EXPECT_EQ(signo(ComparaSinMayusculas(c.a, c.b)), signo(LCase(c.a).compare(LCase(c.b))))
        << c.a << " / " << c.b;
  }
}

}  // namespace
}  // namespace vb
