#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>

#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/ErrorDe.h"
#include "support/DescripcionesDeError.h"

namespace vb {
namespace {

const Variant kNull = Variant::Null();

TEST(ConversionesEnteras, RedondeanLaMitadAlPar) {
  struct Caso {
    Variant valor;
    long esperado;
  };
  const Caso casos[] = {
      {2.5, 2},          {3.5, 4},         {-2.5, -2},       {-3.5, -4},     {0.5, 0},
      {1.5, 2},          {2.4999, 2},      {2.5001, 3},      {"2.5", 2},     {" 12 ", 12},
      {"1.5", 2},        {"-7", -7},       {"+7", 7},        {"1E3", 1000},  {".5", 0},
      {"&H10", 16},      {"&HFFFF", -1},   {"&O17", 15},     {true, -1},     {false, 0},
      {Variant(), 0},    {Currency{25000}, 2},               {Currency{35000}, 4},
      {Currency{-25001}, -3},              {std::int16_t{-32768}, -32768}, {DateTime{1.5}, 2},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(CStr(c.valor));
    EXPECT_EQ(CInt(c.valor), c.esperado);
    EXPECT_EQ(CLng(c.valor), c.esperado);
  }
  EXPECT_EQ(CByte(Variant(254.5)), 254);
  EXPECT_EQ(CByte(Variant(-0.5)), 0);
}

TEST(ConversionesEnteras, FueraDeRangoDesbordan) {
  struct Caso {
    const char* nombre;
    std::function<void()> accion;
  };
  const Caso casos[] = {
      {"CInt 32767.5", [] { CInt(32767.5); }},
      {"CInt -32768.6", [] { CInt(-32768.6); }},
      {"CInt 40000 text", [] { CInt("40000"); }},
      {"CInt long", [] { CInt(std::int32_t{32768}); }},
      {"CLng 2147483647.5", [] { CLng(2147483647.5); }},
      {"CLng -2147483649", [] { CLng(-2147483649.0); }},
      {"CByte -1", [] { CByte(std::int16_t{-1}); }},
      {"CByte 255.5", [] { CByte(255.5); }},
      {"CByte 256 text", [] { CByte("256"); }},
      {"CDbl 1E400", [] { CDbl("1E400"); }},
      {"CDbl &H123456789", [] { CDbl("&H123456789"); }},
  };
  for (const auto& c : casos) EXPECT_EQ(ErrorDe(c.accion), err::Overflow) << c.nombre;
  EXPECT_EQ(CInt(-32768.5), -32768);  // the half goes to the even neighbour, inside the range
  EXPECT_EQ(CLng(-2147483648.0), std::numeric_limits<std::int32_t>::min());
}

TEST(Conversiones, TextoQueNoEsNumeroEsTipoIncorrecto) {
  for (const char* texto : {"", " ", "abc", "12abc", "1,5", "1 2", "1e", "-", ".", "--1", "- 1", "$5", "1.2.3"}) {
    SCOPED_TRACE(texto);
    EXPECT_EQ(ErrorDe([&] { CInt(texto); }), err::TypeMismatch);
    EXPECT_EQ(ErrorDe([&] { CLng(texto); }), err::TypeMismatch);
    EXPECT_EQ(ErrorDe([&] { CByte(texto); }), err::TypeMismatch);
    EXPECT_EQ(ErrorDe([&] { CDbl(texto); }), err::TypeMismatch);
    EXPECT_EQ(ErrorDe([&] { CCur(texto); }), err::TypeMismatch);
  }
}

TEST(Conversiones, NullEsUsoNoValido) {
  const std::function<void()> conversiones[] = {
      [] { CInt(kNull); },  [] { CLng(kNull); },  [] { CByte(kNull); },  [] { CDbl(kNull); },
      [] { CCur(kNull); },  [] { CBool(kNull); }, [] { CDate(kNull); },  [] { CStr(kNull); },
  };
  for (const auto& c : conversiones) EXPECT_EQ(ErrorDe(c), err::InvalidUseOfNull);
  try {
    CStr(kNull);
  } catch (const Error& e) {
    EXPECT_EQ(e.Description(), prueba::kNuloNoValido);
  }
}

TEST(Conversiones, CDblLeeTextosSinDependerDelIdioma) {
  EXPECT_DOUBLE_EQ(CDbl("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(CDbl("  -0.25\t"), -0.25);
  EXPECT_DOUBLE_EQ(CDbl("2.5e-3"), 0.0025);
  EXPECT_DOUBLE_EQ(CDbl("1E-400"), 0.0);
  EXPECT_DOUBLE_EQ(CDbl(Currency{-12345}), -1.2345);
  EXPECT_DOUBLE_EQ(CDbl(Variant()), 0.0);
  EXPECT_DOUBLE_EQ(CDbl(true), -1.0);
  EXPECT_DOUBLE_EQ(CDbl(DateTime{44279.5}), 44279.5);
}

TEST(Conversiones, CCurRedondeaAlParEnElCuartoDecimal) {
  struct Caso {
    Variant valor;
    std::int64_t escalada;
  };
  const Caso casos[] = {
      {"0.00005", 0},      {"0.00015", 2},        {"0.000151", 2},       {"-0.00025", -2},
      {"1.23456", 12346},  {"12", 120000},        {0.00005, 0},          {1.5, 15000},
      {std::int32_t{-3}, -30000},                 {true, -10000},        {"&HFFFF", -10000},
      {"922337203685477.5807", INT64_MAX},        {"-922337203685477.5808", INT64_MIN},
      {"0.000000000000000000000001", 0}, {"-922337203685477.58085", INT64_MIN},
  };
  for (const auto& c : casos) EXPECT_EQ(CCur(c.valor).scaled, c.escalada) << CStr(c.valor);
  for (const char* texto : {"922337203685477.5808", "-922337203685477.58095", "1E20"})
    EXPECT_EQ(ErrorDe([&] { CCur(texto); }), err::Overflow) << texto;
  EXPECT_EQ(ErrorDe([] { CCur(1e16); }), err::Overflow);
}

TEST(Conversiones, CBool) {
  EXPECT_TRUE(CBool("true"));
  EXPECT_FALSE(CBool("FALSE"));
  EXPECT_TRUE(CBool("-1"));
  EXPECT_FALSE(CBool("0"));
  EXPECT_TRUE(CBool(0.1));
  EXPECT_FALSE(CBool(Variant()));
  EXPECT_EQ(ErrorDe([] { CBool("si"); }), err::TypeMismatch);
}

TEST(Val, LeeElNumeroDelPrincipio) {
  struct Caso {
    const char* texto;
    double esperado;
  };
  const Caso casos[] = {
      {"12abc", 12},      {"abc", 0},        {"", 0},          {" 1 2", 12},     {"\t-3\n4", -34},
      {"1.5.6", 1.5},     {"1e2", 100},      {"1D2", 100},     {"1e", 1},        {"1e+", 1},
      {"2E-1x", 0.2},     {".5", 0.5},       {"-", 0},         {"+7", 7},        {"&H10", 16},
      {"&h1f", 31},       {"&HFFFF", -1},    {"&HFFFFFFFF", -1}, {"&H10000", 65536}, {"&O17", 15},
      {"&17", 15},        {"&H", 0},         {"&Hg", 0},       {"952", 952},     {"0,5", 0},
      {"1 000", 1000},
  };
  for (const auto& c : casos) EXPECT_DOUBLE_EQ(Val(c.texto), c.esperado) << c.texto;
  EXPECT_EQ(ErrorDe([] { Val("1E400"); }), err::Overflow);
  EXPECT_EQ(ErrorDe([] { Val("&H123456789"); }), err::Overflow);
}

TEST(IsNumeric, AceptaLoQueCDblConvierte) {
  const Variant numericos[] = {"12", " 12 ", "-1.5", "+.5", "1.", "1E3", "1e-3", "&H1F",
                               std::int16_t{1}, 2.5, Currency{1}, true, Variant()};
  for (const auto& v : numericos) EXPECT_TRUE(IsNumeric(v)) << CStr(v);
  const Variant noNumericos[] = {"", " ", "abc", "1,5", "1 2", "1D2", "1E400", "2021-03-24",
                                 kNull, DateTime{1}};
  for (const auto& v : noNumericos) EXPECT_FALSE(IsNumeric(v)) << (v.IsNull() ? "Null" : CStr(v));
  EXPECT_TRUE(IsNull(kNull));
  EXPECT_FALSE(IsNull(Variant()));
  EXPECT_TRUE(IsEmpty(Variant()));
}

}  // namespace
}  // namespace vb
