#include <gtest/gtest.h>

#include "platform/vb/Conversions.h"
#include "platform/vb/ErrorDe.h"
#include "platform/vb/Text.h"

namespace vb {
namespace {

// 2021-03-24 14:05:09
const DateTime kMomento{44279 + (14 * 3600 + 5 * 60 + 9) / 86400.0};

struct Caso {
  Variant valor;
  const char* mascara;
  const char* texto;
};

TEST(Format, MascarasDeFecha) {
  const Caso casos[] = {
      {kMomento, "YYYY/MM/DD", "2021/03/24"},
      {kMomento, "YYYY-MM-DD", "2021-03-24"},
      {kMomento, "YYYYMMDD", "20210324"},
      {kMomento, "HH:MM:SS", "14:05:09"},
      {kMomento, "HHMMSS", "140509"},
      {kMomento, "yyyy-mm-dd hh:mm:ss", "2021-03-24 14:05:09"},
      {kMomento, "hh:nn", "14:05"},
      {kMomento, "MM:SS", "05:09"},  // before seconds, MM is minutes too
      {kMomento, "d/m/yy h", "24/3/21 14"},
      {kMomento, "y", "83"},  // day of the year
      {kMomento, "\\Log_YYYYMMDD", "Log_20210324"},
      {kMomento, "\"day\" DD", "day 24"},
      {DateTime{-36522 - 8.5 / 24}, "YYYY-MM-DD HH:MM:SS", "1800-01-01 08:30:00"},
      {DateTime{-1.25}, "YYYYMMDD HHMMSS", "18991229 060000"},
      {DateTime{9.0 / 24 + 4.0 / 1440 + 3.0 / 86400}, "HH:MM:SS", "09:04:03"},
      {"2019-05-31", "YYYYMMDD", "20190531"},
      {"no es fecha", "YYYYMMDD", "no es fecha"},
      {44279.0, "YYYY/MM/DD", "2021/03/24"},
      {Variant(), "YYYY", "1899"},
      {Variant::Null(), "YYYY", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(Format(c.valor, c.mascara), c.texto) << c.mascara;
}

TEST(Format, MascarasDeNumero) {
  const Caso casos[] = {
      {std::int16_t{5}, "0", "5"},     {std::int16_t{5}, "00", "05"},   {std::int16_t{5}, "000", "005"},
      {std::int32_t{1234}, "00", "1234"},                              {-5.0, "000", "-005"},
      {2.5, "0", "3"},                  {-2.5, "0", "-3"},              {2.675, "0.00", "2.68"},
      {1.0, "0.00", "1.00"},            {0.5, "#.##", ".5"},            {1.0, "#.##", "1"},
      {0.999, "0.00", "1.00"},          {9.996, "0.00", "10.00"},       {-0.001, "0.00", "0.00"},
      {1234567.891, "#,##0.00", "1,234,567.89"},                       {12.0, "Total: 0", "Total: 12"},
      {"7", "000", "007"},              {"abc", "000", "abc"},          {Currency{12345}, "0.0", "1.2"},
  };
  for (const auto& c : casos) EXPECT_EQ(Format(c.valor, c.mascara), c.texto) << CStr(c.valor) << " " << c.mascara;
}

TEST(Format, SinMascaraEsElTextoGeneral) {
  EXPECT_EQ(Format(2.5, ""), "2.5");
  EXPECT_EQ(Format(kMomento, ""), "2021/03/24 14:05:09");
}

TEST(Format, MascarasQueNoSeSabenAplicarSonUnError) {
  EXPECT_EQ(ErrorDe([] { Format(kMomento, "dddd"); }), err::InvalidProcedureCall);
  EXPECT_EQ(ErrorDe([] { Format(kMomento, "mmm"); }), err::InvalidProcedureCall);
  EXPECT_EQ(ErrorDe([] { Format(5.0, "texto"); }), err::InvalidProcedureCall);
}

}  // namespace
}  // namespace vb
