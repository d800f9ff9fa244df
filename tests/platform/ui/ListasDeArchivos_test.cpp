// The drive and folder lists of the folder picker on this system.
#include "platform/ui/ListasDeArchivos.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/vb/Error.h"

namespace {

TEST(RutaNormal, DropsTrailingSeparatorsAndDotsButKeepsTheRoot) {
  const std::pair<const char*, const char*> casos[] = {
      {"/srv/suite/", "/srv/suite"}, {"/srv//suite/./img/..", "/srv/suite"},
      {"/", "/"}, {"/srv/suite", "/srv/suite"}};
  for (const auto& [ruta, esperada] : casos) EXPECT_EQ(ui::RutaNormal(ruta), esperada) << ruta;
}

TEST(UnidadDe, TakesTheLongestMountPointThatHoldsTheFolder) {
  const std::vector<std::string> unidades = {"/", "/home", "/home/datos", "/media/usb"};
  const std::pair<const char*, const char*> casos[] = {
      {"/home/ana/fotos", "/home"}, {"/home/datos", "/home/datos"}, {"/home/datos/x/", "/home/datos"},
      {"/home/datosviejos", "/home"}, {"/media/usb2", "/"}, {"/etc", "/"}};
  for (const auto& [carpeta, unidad] : casos) EXPECT_EQ(ui::UnidadDe(carpeta, unidades), unidad) << carpeta;
}

TEST(PuntosDeMontaje, StartWithTheRootAndListEachOnce) {
  const std::vector<std::string> unidades = ui::PuntosDeMontaje();
  ASSERT_FALSE(unidades.empty());
  EXPECT_EQ(unidades.front(), "/");
  EXPECT_EQ(std::set<std::string>(unidades.begin(), unidades.end()).size(), unidades.size());
  for (const std::string& unidad : unidades) EXPECT_TRUE(std::filesystem::is_directory(unidad)) << unidad;
}

TEST(DirListBox, OpensExistingFoldersAndRefusesOthersKeepingItsPlace) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() / ("dirlista-" + std::to_string(getpid()));
  std::filesystem::create_directories(base / "imagenes");
  ui::DirListBox carpetas;
  carpetas.Path((base / "imagenes/").string());
  EXPECT_EQ(carpetas.Path(), (base / "imagenes").string());

  try {
    carpetas.Path((base / "no-existe").string());
    ADD_FAILURE() << "a missing folder was opened";
  } catch (const vb::Error& error) {
    EXPECT_EQ(error.Number(), 76);
    EXPECT_EQ(error.Description(), "No se encuentra la ruta: " + (base / "no-existe").string());
  }
  EXPECT_THROW(carpetas.Path(""), vb::Error);
  EXPECT_EQ(carpetas.Path(), (base / "imagenes").string());
  std::filesystem::remove_all(base);
}

}  // namespace
