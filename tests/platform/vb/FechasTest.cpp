#include <gtest/gtest.h>

#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/ErrorDe.h"

namespace vb {
namespace {

struct Partes {
  int anio, mes, dia, hora, minuto, segundo;
  friend bool operator==(const Partes&, const Partes&) = default;
};

Partes PartesDe(DateTime d) { return {Year(d), Month(d), Day(d), Hour(d), Minute(d), Second(d)}; }

void PrintTo(const Partes& p, std::ostream* os) {
  *os << p.anio << "-" << p.mes << "-" << p.dia << " " << p.hora << ":" << p.minuto << ":" << p.segundo;
}

TEST(Fechas, PartesDeUnSerial) {
  struct Caso {
    double serial;
    Partes partes;
  };
  const Caso casos[] = {
      {0, {1899, 12, 30, 0, 0, 0}},
      {1, {1899, 12, 31, 0, 0, 0}},
      {60, {1900, 2, 28, 0, 0, 0}},
      {61, {1900, 3, 1, 0, 0, 0}},  // 1900 is not a leap year
      {36585, {2000, 2, 29, 0, 0, 0}},
      {44279.25, {2021, 3, 24, 6, 0, 0}},
      {-1.25, {1899, 12, 29, 6, 0, 0}},  // the fraction counts forward also before day 0
      {-0.5, {1899, 12, 30, 12, 0, 0}},
      {-36522, {1800, 1, 1, 0, 0, 0}},
      {2958465.999988, {9999, 12, 31, 23, 59, 59}},
      {44279 + 86399.6 / 86400, {2021, 3, 25, 0, 0, 0}},  // rounds to the second, into the next day
      {44279 + 59.6 / 86400, {2021, 3, 24, 0, 1, 0}},
  };
  for (const auto& c : casos) EXPECT_EQ(PartesDe(DateTime{c.serial}), c.partes) << c.serial;
}

TEST(Fechas, DateSerialYTimeSerial) {
  EXPECT_EQ(DateSerial(2021, 3, 24).serial, 44279);
  EXPECT_EQ(DateSerial(1800, 1, 1).serial, -36522);
  EXPECT_EQ(DateSerial(1899, 12, 30).serial, 0);
  EXPECT_EQ(DateSerial(2021, 13, 1).serial, DateSerial(2022, 1, 1).serial);
  EXPECT_EQ(DateSerial(2021, 3, 0).serial, DateSerial(2021, 2, 28).serial);
  EXPECT_EQ(DateSerial(2021, 0, 1).serial, DateSerial(2020, 12, 1).serial);
  EXPECT_EQ(DateSerial(2021, -11, 1).serial, DateSerial(2020, 1, 1).serial);
  EXPECT_EQ(DateSerial(21, 1, 1).serial, DateSerial(2021, 1, 1).serial);
  EXPECT_EQ(DateSerial(99, 1, 1).serial, DateSerial(1999, 1, 1).serial);
  EXPECT_EQ(ErrorDe([] { DateSerial(10000, 1, 1); }), err::InvalidProcedureCall);

  EXPECT_DOUBLE_EQ(TimeSerial(14, 5, 9).serial, (14 * 3600 + 5 * 60 + 9) / 86400.0);
  EXPECT_EQ(PartesDe(TimeSerial(25, 0, 0)), (Partes{1899, 12, 31, 1, 0, 0}));
  EXPECT_EQ(PartesDe(TimeSerial(-1, 0, 0)), (Partes{1899, 12, 29, 23, 0, 0}));
  EXPECT_EQ(PartesDe(TimeSerial(0, 90, -1)), (Partes{1899, 12, 30, 1, 29, 59}));
}

TEST(Fechas, FueraDelIntervaloDesborda) {
  EXPECT_EQ(ErrorDe([] { Year(DateTime{2958466}); }), err::Overflow);
  EXPECT_EQ(ErrorDe([] { Year(DateTime{-657435}); }), err::Overflow);
  EXPECT_EQ(ErrorDe([] { CDate(3e6); }), err::Overflow);
  EXPECT_EQ(ErrorDe([] { CStr(DateTime{1e300}); }), err::Overflow);
}

TEST(Fechas, TextosQueSonFechas) {
  struct Caso {
    const char* texto;
    Partes partes;
  };
  const Caso casos[] = {
      {"2021-03-24", {2021, 3, 24, 0, 0, 0}},
      {"2021/03/24", {2021, 3, 24, 0, 0, 0}},
      {"24/03/2021", {2021, 3, 24, 0, 0, 0}},
      {"4-3-2021", {2021, 3, 4, 0, 0, 0}},
      {"2021-3-4", {2021, 3, 4, 0, 0, 0}},
      {" 1800-01-01 ", {1800, 1, 1, 0, 0, 0}},
      {"2021/03/24 14:05:09", {2021, 3, 24, 14, 5, 9}},
      {"2021-03-24  8:30", {2021, 3, 24, 8, 30, 0}},
      {"2021-03-24 14:05:09.400", {2021, 3, 24, 14, 5, 9}},
      {"2020-02-29", {2020, 2, 29, 0, 0, 0}},
      {"14:05:09", {1899, 12, 30, 14, 5, 9}},
      {"23:59", {1899, 12, 30, 23, 59, 0}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.texto);
    EXPECT_TRUE(IsDate(c.texto));
    EXPECT_EQ(PartesDe(CDate(c.texto)), c.partes);
  }
  EXPECT_DOUBLE_EQ(CDate("1899-12-30").serial, 0);
  EXPECT_DOUBLE_EQ(CDate("1899/12/29 06:00").serial, -1.25);
}

TEST(Fechas, TextosQueNoSonFechas) {
  for (const char* texto : {"", "no-date", "2021-02-29", "2021-13-01", "2021-00-10", "32/01/2021",
                            "2021-03/24", "21-03-24", "2021-03-24 24:00", "2021-03-24 10:60",
                            "2021-03-24x", "12", "1.5", "10:00:00:00", "0099-01-01", "14:05 2021-03-24"}) {
    SCOPED_TRACE(texto);
    EXPECT_FALSE(IsDate(texto));
    EXPECT_EQ(ErrorDe([&] { CDate(texto); }), err::TypeMismatch);
  }
  EXPECT_FALSE(IsDate(Variant::Null()));
  EXPECT_FALSE(IsDate(44279.0));
  EXPECT_TRUE(IsDate(DateTime{44279}));
}

TEST(Fechas, ElTextoGeneralSeVuelveALeer) {
  for (double serial : {44279.0, 44279.5, -1.25, 0.75, -36522.0}) {
    const std::string texto = CStr(DateTime{serial});
    EXPECT_DOUBLE_EQ(CDate(texto).serial, serial) << texto;
  }
}

TEST(Fechas, CDateDeNumerosYVacio) {
  EXPECT_DOUBLE_EQ(CDate(44279.5).serial, 44279.5);
  EXPECT_DOUBLE_EQ(CDate(Variant()).serial, 0);
  EXPECT_DOUBLE_EQ(CDate(true).serial, -1);
}

}  // namespace
}  // namespace vb
