// The programs' Qt application: Qt's own texts in Spanish from the translation that the
// install script brings, and a folder without it changing nothing and raising nothing.
#include "platform/qt/Aplicacion.h"

#include <gtest/gtest.h>

#include <QAbstractButton>

#include "platform/qt/QtDePrueba.h"
#include "platform/qt/ServiciosQt.h"
#include "support/CatalogoDePrueba.h"

namespace {

TEST(TraduceQtAlEspanol, LoadsQtsSpanishTranslationFromQtsFolder) {
  prueba::AplicacionQt();
  EXPECT_TRUE(qtviews::TraduceQtAlEspanol());
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste").remove('&'), "Pegar");
}

// Without the file nothing is installed, no error is raised, and the boxes still show
// with their Spanish buttons, which are ours.
TEST(TraduceQtAlEspanol, WithoutTheFileNothingIsInstalledAndTheBoxesStillShow) {
  prueba::AplicacionQt();
  const prueba::CarpetaTemporal sinTraduccion;
  EXPECT_FALSE(qtviews::TraduceQtAlEspanol(QString::fromStdString(sinTraduccion.Ruta())));
  qtviews::ServiciosQt servicios;
  QString boton;
  prueba::AlAparecerCaja([&](QMessageBox& caja) {
    boton = caja.buttons().first()->text();
    caja.buttons().first()->click();
  });
  EXPECT_EQ(ui::MsgBox("Listo", ui::Botones::OK, ui::Icono::Informacion, "Prueba"),
            ui::Respuesta::OK);
  EXPECT_EQ(boton, "Aceptar");
}

}  // namespace
