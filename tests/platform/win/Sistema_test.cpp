#include "platform/win/Sistema.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/vb/Conversions.h"
#include "support/CatalogoDePrueba.h"

namespace {

namespace fs = std::filesystem;

// A folder holding EstBDs.mdb and the subfolder Datos.
class RutasTest : public ::testing::Test {
 protected:
  RutasTest() {
    fs::create_directories(carpeta_.Ruta() + "/Datos");
    std::ofstream(carpeta_.Ruta() + "/EstBDs.mdb") << "x";
  }

  // The folder written the Windows way, as the programs build paths.
  std::string Windows(const std::string& resto) const {
    std::string ruta = carpeta_.Ruta() + "\\" + resto;
    for (char& c : ruta)
      if (c == '/') c = '\\';
    return ruta;
  }

  prueba::CarpetaTemporal carpeta_;
};

TEST_F(RutasTest, BackslashesBecomeSlashesAndCaseFollowsTheDisk) {
  const std::string& base = carpeta_.Ruta();
  const struct {
    std::string windows;
    std::string local;
  } casos[] = {
      {"EstBDs.mdb", base + "/EstBDs.mdb"},
      {"ESTBDS.MDB", base + "/EstBDs.mdb"},
      {"datos\\Log_20210324-140509.log", base + "/Datos/Log_20210324-140509.log"},
      {"Nada\\estbds.mdb", base + "/Nada/estbds.mdb"},
  };
  for (const auto& c : casos) EXPECT_EQ(win::RutaLocal(Windows(c.windows)), c.local) << c.windows;
}

TEST(RutaLocal, PathsThatDoNotExistKeepTheirNames) {
  EXPECT_EQ(win::RutaLocal("C:\\Datos\\Tienda.mdb"), "C:/Datos/Tienda.mdb");
  EXPECT_EQ(win::RutaLocal("\\Dorvex.INI"), "/Dorvex.INI");
  EXPECT_EQ(win::RutaLocal(""), "");
}

TEST_F(RutasTest, ExisteArchivoFindsFilesOnlyWhateverTheCase) {
  EXPECT_TRUE(win::ExisteArchivo(Windows("EstBDs.mdb")));
  EXPECT_TRUE(win::ExisteArchivo(Windows("estbds.MDB")));
  EXPECT_FALSE(win::ExisteArchivo(Windows("Datos")));
  EXPECT_FALSE(win::ExisteArchivo(Windows("Otro.mdb")));
}

TEST(CarpetaDelPrograma, IsTheFolderOfTheRunningExecutable) {
  EXPECT_TRUE(fs::equivalent(win::CarpetaDelPrograma(), GRADIX_TEST_BUILD_DIR "/tests"));
  EXPECT_NE(win::CarpetaDelPrograma().back(), '/');
}

class RelojTest : public ::testing::Test {
 protected:
  ~RelojTest() override { win::EstableceReloj({}); }
};

TEST_F(RelojTest, DateAndTimeAreThePartsOfTheInjectedClock) {
  const vb::DateTime momento{vb::DateSerial(2021, 3, 24).serial + vb::TimeSerial(14, 5, 9).serial};
  win::EstableceReloj([&] { return momento; });
  EXPECT_EQ(win::Now(), momento);
  EXPECT_EQ(win::Date(), vb::DateSerial(2021, 3, 24));
  const vb::DateTime hora = win::Time();
  EXPECT_LT(hora.serial, 1.0);
  EXPECT_EQ(vb::Hour(hora) * 10000 + vb::Minute(hora) * 100 + vb::Second(hora), 140509);
}

TEST_F(RelojTest, TimeOfADayBefore1900CountsForwards) {
  // 1899-12-29 06:00:00 is the serial -1.25.
  win::EstableceReloj([] { return vb::DateTime{-1.25}; });
  EXPECT_EQ(win::Date(), vb::DateTime{-1.0});
  EXPECT_EQ(win::Time(), vb::DateTime{0.25});
}

TEST_F(RelojTest, RemovingTheInjectedClockRestoresTheSystemClock) {
  win::EstableceReloj([] { return vb::DateSerial(1999, 1, 1); });
  win::EstableceReloj({});
  const std::time_t ahora = std::time(nullptr);
  std::tm local{};
  localtime_r(&ahora, &local);
  const vb::DateTime reloj = win::Now();
  EXPECT_EQ(vb::Year(reloj), local.tm_year + 1900);
  EXPECT_EQ(vb::Month(reloj), local.tm_mon + 1);
  EXPECT_EQ(vb::Day(reloj), local.tm_mday);
}

TEST(Sleep, GoesToTheInjectedPause) {
  std::vector<unsigned> pausas;
  win::EstableceSleep([&](unsigned ms) { pausas.push_back(ms); });
  win::Sleep(200);
  win::EstableceSleep({});
  EXPECT_EQ(pausas, std::vector<unsigned>{200});
}

}  // namespace
