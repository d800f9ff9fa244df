// The folder picker: where it opens, what accepting, cancelling, closing and choosing a
// drive leave in gDirElegido, and its Qt view offscreen.
#include "updater/frmDirectorios.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTreeView>
#include <filesystem>

#include "frame/modPrincipal.h"
#include "platform/qt/QtDePrueba.h"
#include "platform/qt/VistaFormulario.h"
#include "platform/ui/Usuario.h"
#include "support/CatalogoDePrueba.h"

namespace {

namespace usuario = ui::usuario;

class SelectorTest : public ::testing::Test {
 protected:
  SelectorTest() {
    std::filesystem::create_directories(suite_.Ruta() + "/Imagenes/Articulos");
    std::filesystem::create_directories(suite_.Ruta() + "/XmlCfdi");
  }
  ~SelectorTest() override { gDirElegido = anterior_; }

  std::string Carpeta(const std::string& relativa) const { return suite_.Ruta() + relativa; }

  prueba::CarpetaTemporal suite_;
  frmDirectorios selector;

 private:
  std::string anterior_ = gDirElegido;
};

TEST_F(SelectorTest, OpensAtTheStoredFolderOrTheNearestOneLeft) {
  const std::string cwd = std::filesystem::current_path().string();
  const std::pair<std::string, std::string> casos[] = {
      {Carpeta("/Imagenes/"), Carpeta("/Imagenes")},
      {Carpeta("/Imagenes/Borrada/Mas"), Carpeta("/Imagenes")},
      {"", cwd}};
  for (const auto& [guardada, inicial] : casos) {
    gDirElegido = guardada;
    frmDirectorios nuevo;
    nuevo.Load();
    EXPECT_EQ(nuevo.dirLista.Path(), inicial) << guardada;
    EXPECT_EQ(nuevo.drvLista.Drive, ui::UnidadDe(inicial, nuevo.drvLista.List)) << guardada;
  }
}

TEST_F(SelectorTest, AcceptingStoresTheOpenFolderAndCancellingOrClosingKeepsTheStoredOne) {
  gDirElegido = Carpeta("/XmlCfdi");
  selector.Load();
  usuario::AbreCarpeta(selector.dirLista, Carpeta("/Imagenes/Articulos/"));
  usuario::HaceClic(selector.cmdCancel);
  EXPECT_FALSE(selector.Cargado());
  EXPECT_EQ(gDirElegido, Carpeta("/XmlCfdi"));

  frmDirectorios cerrado;
  cerrado.Load();
  usuario::AbreCarpeta(cerrado.dirLista, Carpeta("/Imagenes"));
  EXPECT_TRUE(usuario::CierraVentana(cerrado));
  EXPECT_EQ(gDirElegido, Carpeta("/XmlCfdi"));

  frmDirectorios aceptado;
  aceptado.Load();
  usuario::AbreCarpeta(aceptado.dirLista, Carpeta("/Imagenes/Articulos/"));
  usuario::HaceClic(aceptado.cmdAcepta);
  EXPECT_FALSE(aceptado.Cargado());
  EXPECT_EQ(gDirElegido, Carpeta("/Imagenes/Articulos"));
}

TEST_F(SelectorTest, ChoosingADriveOpensItAndAnUnreadableOneChangesNothing) {
  gDirElegido = Carpeta("/Imagenes");
  selector.Load();
  usuario::EligeUnidad(selector.drvLista, "/sin/unidad");
  EXPECT_EQ(selector.dirLista.Path(), Carpeta("/Imagenes"));

  usuario::EligeUnidad(selector.drvLista, "/");
  EXPECT_EQ(selector.dirLista.Path(), "/");
  usuario::HaceClic(selector.cmdAcepta);
  EXPECT_EQ(gDirElegido, "/") << "the drive's root is stored as it is";
}

TEST_F(SelectorTest, TheQtViewShowsTheDrivesAndTheFolderTree) {
  prueba::AplicacionQt();
  gDirElegido = Carpeta("/Imagenes");
  selector.Load();
  qtviews::VistaFormulario vista(selector);
  vista.show();
  EXPECT_EQ(vista.windowTitle(), "Directorio de Datos");
  auto* arbol = vista.findChild<QTreeView*>("dirLista");
  ASSERT_NE(arbol, nullptr);
  EXPECT_EQ(vista.focusWidget(), arbol) << "the folder list has the focus first";

  auto* carpetas = qobject_cast<QFileSystemModel*>(arbol->model());
  ASSERT_NE(carpetas, nullptr);
  // The tree reads folders in the background; let it reach the open folder and its siblings.
  const auto listo = [&] {
    return arbol->currentIndex().data().toString() == "Imagenes" &&
           carpetas->rowCount(arbol->currentIndex().parent()) == 2 &&
           arbol->viewport()->rect().contains(arbol->visualRect(arbol->currentIndex()));
  };
  QElapsedTimer reloj;
  reloj.start();
  while (!listo() && reloj.elapsed() < 5000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_TRUE(listo());
  EXPECT_TRUE(prueba::GuardaCaptura(vista, "gradix-folders.png"));

  arbol->setCurrentIndex(carpetas->index(QString::fromStdString(Carpeta("/XmlCfdi"))));
  EXPECT_EQ(selector.dirLista.Path(), Carpeta("/XmlCfdi")) << "moving in the tree opens the folder";
  vista.findChild<QPushButton*>("cmdAcepta")->click();
  EXPECT_EQ(gDirElegido, Carpeta("/XmlCfdi"));
  EXPECT_FALSE(vista.isVisible());
}

}  // namespace
