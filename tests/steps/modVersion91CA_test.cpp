// The doctor's-office update of 9.1: its synchronisation of kind 10 without default
// rows, its two statements on a connection of its own, and its boxes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Error.h"
#include "steps/8x_9x/modVersion91.h"
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kActualizada = "La base de datos de Vudovizivev Azuzo fue actualizada";
constexpr const char* kSinActualizar =
    "No es posible actualizar estructura de la Base de Datos de Vudovizivev Azuzo";
constexpr const char* kEtiqueta = "Error en ModificarEstructura91... Vudovizivev Azuzo: ";
constexpr const char* kRellenaSerial =
    "UPDATE tblConsultorios SET Id_Serial=0 WHERE Id_Serial IS NULL;";

std::string CatalogoDelConsultorio() {
  return prueba::LeeFixture("catalogo/v51_v52.sql") + "\n" +
         prueba::LeeFixture("catalogo/v50.sql") + "\n" +
         prueba::LeeFixture("catalogo/v91_consultorio.sql");
}

void EsperaCaja(const prueba::Caja& caja, const std::string& prompt, ui::Icono icono,
                const std::string& titulo) {
  EXPECT_EQ(caja.prompt, prompt);
  EXPECT_EQ(caja.botones, ui::Botones::OK);
  EXPECT_EQ(caja.icono, icono);
  EXPECT_EQ(caja.titulo, titulo);
}

class Consultorio91Grabado : public ::testing::Test {
 protected:
  prueba::RunLogDePrueba log_;
  prueba::ScriptedUi ui_;
  prueba::RecordingProvider db_;
  ui::Label lbl_;
};

// MS Access: nothing to synchronise; the two statements with its widening on a
// connection of its own, then the success box with the default pointer.
TEST_F(Consultorio91Grabado, AccessCode) {
  ui_.Responde(ui::Respuesta::OK);
  ui_.MousePointer(ui::Puntero::Hourglass);

  ModificarEstructura91_CA("DSN=Consultorio", ManejadorAccess, "consultorio", lbl_);

  EXPECT_THAT(db_.Textos(),
              ElementsAre("ALTER TABLE tblConceptosCA ALTER COLUMN Desc_Concepto TEXT(30);",
                          kRellenaSerial));
  ASSERT_EQ(db_.Aperturas().size(), 1u);
  EXPECT_EQ(db_.Aperturas()[0].cadena, "DSN=Consultorio");
  EXPECT_EQ(db_.ConexionesAbiertas(), 0);
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EsperaCaja(ui_.cajas[0], kActualizada, ui::Icono::Informacion, "Actualizador");
  EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
  EXPECT_FALSE(log_.Existe());
}

// A failed statement is logged under the update's label, the other still runs, and the
// database is not reported as updated.
TEST_F(Consultorio91Grabado, FailedStatementIsNotReportedAsSuccess) {
  db_.Falla(kRellenaSerial, -2147217900, "Unknown column 'Id_Serial'");
  ui_.Responde(ui::Respuesta::OK);
  ui_.MousePointer(ui::Puntero::Hourglass);

  ModificarEstructura91_CA("DSN=Consultorio", ManejadorAccess, "consultorio", lbl_);

  EXPECT_EQ(db_.Textos().size(), 2u);
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta, -2147217900, "Unknown column 'Id_Serial'"));
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EsperaCaja(ui_.cajas[0], kSinActualizar, ui::Icono::Exclamacion, "Actualización");
  EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
}

// The user gives up in the synchronisation's connection box: no statement, no box of
// this update.
TEST_F(Consultorio91Grabado, CancelledSynchronisationEndsSilently) {
  prueba::ProgramaConCatalogo programa(CatalogoDelConsultorio());
  db_.FallaApertura("DSN=Consultorio", -2147467259, "Can't connect to server", 1);
  ui_.Responde(ui::Respuesta::Cancel);

  ModificarEstructura91_CA("DSN=Consultorio", ManejadorMySQL, "consultorio", lbl_);

  EXPECT_THAT(db_.Textos(), IsEmpty());
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].botones, ui::Botones::RetryCancel);
  EXPECT_FALSE(log_.Existe());
}

// A database that cannot be opened for the statements: the error goes to the caller and
// no box says the database was updated.
TEST_F(Consultorio91Grabado, ConnectionThatCannotOpenReachesTheCaller) {
  db_.FallaApertura("DSN=Consultorio", -2147467259, "Can't connect to server", 1);
  EXPECT_THROW(ModificarEstructura91_CA("DSN=Consultorio", ManejadorAccess, "consultorio", lbl_),
               vb::Error);
  EXPECT_THAT(db_.Textos(), IsEmpty());
  EXPECT_THAT(ui_.cajas, IsEmpty());
}

// ------------------------------------------------------------ on MariaDB

class Consultorio91 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(CatalogoDelConsultorio());
    CreaBase("bd/consultorio_910.sql");
    cnx_.Close();  // the update opens its own
  }
  void Actualiza() {
    ModificarEstructura91_CA(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(), lbl_);
  }

  std::optional<prueba::ProgramaConCatalogo> programa_;
};

TEST_F(Consultorio91, BringsTheDoctorsOfficeTo91) {
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);

  Actualiza();

  ASSERT_EQ(ui.cajas.size(), 1u);
  EsperaCaja(ui.cajas[0], kActualizada, ui::Icono::Informacion, "Actualizador");
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  // The synchronisation created the missing table without its default doctor.
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblMedicos"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS WHERE "
                     "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='tblConceptosCA' AND "
                     "COLUMN_NAME='Desc_Concepto'"),
            (Filas{{"varchar(30)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT Desc_Concepto FROM tblConceptosCA"), (Filas{{"CONSULTA GENERAL"}}));
  EXPECT_EQ(Consulta("SELECT Id_Consultorio, Id_Serial FROM tblConsultorios ORDER BY 1"),
            (Filas{{"1", "0"}, {"2", "7"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"910"}}));

  // Run again: the same box, nothing changed.
  const Filas consultorios = Consulta("SELECT * FROM tblConsultorios ORDER BY 1");
  ui.Responde(ui::Respuesta::OK);
  Actualiza();
  ASSERT_EQ(ui.cajas.size(), 2u);
  EXPECT_EQ(ui.cajas[1].prompt, kActualizada);
  EXPECT_EQ(Consulta("SELECT * FROM tblConsultorios ORDER BY 1"), consultorios);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// A database name that does not exist on MySQL: after the synchronisation's own box the
// update sends nothing and shows nothing.
TEST_F(Consultorio91, MissingDatabaseEndsAfterTheSynchronisationsBox) {
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);

  ModificarEstructura91_CA(bd_->CadenaConexion(), ManejadorMySQL, "no_existe_consultorio", lbl_);

  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(ui.cajas[0].prompt, "La base de datos no existe...");
  EXPECT_EQ(Consulta("SELECT Id_Serial FROM tblConsultorios ORDER BY Id_Consultorio"),
            (Filas{{"NULL"}, {"7"}}));
}

}  // namespace
