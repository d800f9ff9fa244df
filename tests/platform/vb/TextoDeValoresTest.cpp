#include <gtest/gtest.h>

#include "platform/vb/Conversions.h"

namespace vb {
namespace {

TEST(CStr, FormasDeTextoDeCadaTipo) {
  struct Caso {
    Variant valor;
    const char* texto;
  };
  const Caso casos[] = {
      {Variant(), ""},
      {std::int16_t{-32768}, "-32768"},
      {std::int32_t{2147483647}, "2147483647"},
      {true, "True"},
      {false, "False"},
      {"tal cual ", "tal cual "},
      {0.5, "0.5"},
      {12.0, "12"},
      {-3.25, "-3.25"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E+15"},
      {1.5e20, "1.5E+20"},
      {-2.5e-7, "-2.5E-07"},
      {0.0001, "0.0001"},
      {0.00001, "1E-05"},
      {Currency{15000}, "1.5"},
      {Currency{1000000}, "100"},
      {Currency{-1}, "-0.0001"},
      {Currency{123456789}, "12345.6789"},
      {Currency{INT64_MIN}, "-922337203685477.5808"},
      {Currency{0}, "0"},
  };
  for (const auto& c : casos) EXPECT_EQ(CStr(c.valor), c.texto);
}

// Dates read "YYYY/MM/DD HH:MM:SS": no time at midnight, no date on day 0 (pure times).
TEST(CStr, FormaGeneralDeLasFechas) {
  struct Caso {
    double serial;
    const char* texto;
  };
  const Caso casos[] = {
      {44279, "2021/03/24"},
      {44279.5, "2021/03/24 12:00:00"},
      {44279 + (14 * 3600 + 5 * 60 + 9) / 86400.0, "2021/03/24 14:05:09"},
      {0, "00:00:00"},
      {0.75, "18:00:00"},
      {1, "1899/12/31"},
      {-1.25, "1899/12/29 06:00:00"},
      {-36522, "1800/01/01"},
      {2958465, "9999/12/31"},
      {-657434, "0100/01/01"},
  };
  for (const auto& c : casos) EXPECT_EQ(CStr(DateTime{c.serial}), c.texto) << c.serial;
}

}  // namespace
}  // namespace vb
