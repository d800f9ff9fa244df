// The satellite update of a doctor's-office database found at 5.0, with a target past
// 9.1: its synchronisation, the 5.0 update and the 9.1 update in one pass, on the test
// server.
#include <gtest/gtest.h>

#include "AccesoPrivadoFrmActIngreso.h"
#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using Acceso = AccesoPrivadoFrmActIngreso;

std::string CatalogoDelConsultorio() {
  return prueba::LeeFixture("catalogo/v51_v52.sql") + "\n" +
         prueba::LeeFixture("catalogo/v50.sql") + "\n" +
         prueba::LeeFixture("catalogo/v91_consultorio.sql");
}

class SateliteConsultorio : public ::testing::Test {
 protected:
  SateliteConsultorio() {
    win::EstableceSleep([](unsigned) {});
    gRutaLog = programa_.Carpeta() + "\\Log_prueba.log";
  }
  ~SateliteConsultorio() override {
    gRutaLog.clear();
    win::EstableceSleep({});
  }

  prueba::ProgramaConCatalogo programa_{CatalogoDelConsultorio()};
};

TEST_F(SateliteConsultorio, From50PastThe91UpdateInOnePass) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::UiQueAcepta ui;
  prueba::TestDatabase db;
  db.EjecutaArchivo("bd/consultorio_500.sql");
  frmActIngreso dialogo;
  dialogo.Load();
  Acceso::mNombreBaseDatos(dialogo) = db.Nombre();
  Acceso::mAgregaDefault(dialogo) = false;

  EXPECT_TRUE(Acceso::ActualizaBD(dialogo, EstructuraConsultorio, db.CadenaConexion(), 500, 952,
                                  ManejadorMySQL));

  ASSERT_EQ(ui.cajas.size(), 2u);
  for (const prueba::Caja& caja : ui.cajas)
    EXPECT_EQ(caja.prompt, "La base de datos de Vudovizivev Azuzo fue actualizada");
  EXPECT_FALSE(win::ExisteArchivo(gRutaLog));
  // 5.0 widened the names; 9.1 the concepts and the serial numbers.
  EXPECT_EQ(db.Consulta("SELECT COLUMN_NAME, COLUMN_TYPE FROM information_schema.COLUMNS WHERE "
                        "TABLE_SCHEMA=DATABASE() AND ((TABLE_NAME='tblPersonas' AND "
                        "COLUMN_NAME='Nombre') OR (TABLE_NAME='tblConceptosCA' AND "
                        "COLUMN_NAME='Desc_Concepto')) ORDER BY 1"),
            (prueba::Filas{{"Desc_Concepto", "varchar(30)"}, {"Nombre", "varchar(100)"}}));
  EXPECT_EQ(db.Consulta("SELECT Id_Consultorio, Id_Serial FROM tblConsultorios ORDER BY 1"),
            (prueba::Filas{{"1", "0"}, {"2", "0"}}));
  EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (prueba::Filas{{"500"}}));
}

}  // namespace
