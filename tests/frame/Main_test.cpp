#include <gtest/gtest.h>

#include <filesystem>

#include "frame/modPrincipal.h"

namespace {
int dialogosMostrados = 0;
std::string rutaAlMostrar;
}  // namespace

// The programs show their dialog here; the test records what start-up had set by then.
void MuestraDialogoPrincipal() {
  ++dialogosMostrados;
  rutaAlMostrar = gRutaApp;
}

namespace {

TEST(Main, RecordsTheProgramFolderBeforeShowingTheDialog) {
  gRutaApp.clear();
  dialogosMostrados = 0;
  Main();
  EXPECT_EQ(dialogosMostrados, 1);
  EXPECT_EQ(rutaAlMostrar, gRutaApp);
  EXPECT_TRUE(std::filesystem::equivalent(gRutaApp, GRADIX_TEST_BUILD_DIR "/tests"));
  EXPECT_NE(gRutaApp.back(), '/');  // no trailing separator: callers append "\EstBDs.mdb"
}

}  // namespace
