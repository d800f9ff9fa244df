// The update run on the test server, driven through the dialog over a data source, with
// the reference catalogue (target 9.5.2) beside the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "frame/modPrincipal.h"
#include "platform/ui/Usuario.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/ComponenteDePrueba.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "updater/frmActIngreso.h"

namespace {

namespace usuario = ui::usuario;
using prueba::UiQueAcepta;

bool Contiene(const std::string& texto, const std::string& parte) {
  return texto.find(parte) != std::string::npos;
}

class ActualizacionMariaDbTest : public ::testing::Test {
 protected:
  ActualizacionMariaDbTest() {
    win::EstableceSleep([](unsigned) {});
  }
  ~ActualizacionMariaDbTest() override { win::EstableceSleep({}); }

  // Loads the dialog, chooses the database's data source, names the database in the box
  // beside it and clicks update (the main kind is ticked when the dialog opens).
  void Actualiza(prueba::TestDatabase& db) {
    // A name of its own for each database: the driver manager keeps the data sources it
    // has read for the life of the process.
    static int creadas = 0;
    const std::string sFuente = "GradixEscalera" + std::to_string(++creadas);
    db.EscribeDsn(sFuente);
    frmActIngreso dialogo;
    dialogo.Load();
    usuario::Elige(dialogo.optTipoBD[1]);
    const auto& fuentes = dialogo.cmbDSNList.List;
    const auto fuente = std::find(fuentes.begin(), fuentes.end(), sFuente);
    ASSERT_NE(fuente, fuentes.end());
    usuario::EligeElemento(dialogo.cmbDSNList, static_cast<int>(fuente - fuentes.begin()));
    usuario::Escribe(dialogo.txtNomBD, db.Nombre());
    // Each step that runs to its end shows its closing caption and repaints.
    pasosTerminados_.clear();
    dialogo.alRefrescar = [&] {
      const std::string& caption = dialogo.lblMensaje.Caption;
      const std::string cierre = "Estructura modificada a versión ";
      if (caption.rfind(cierre, 0) == 0) pasosTerminados_.push_back(caption.substr(cierre.size()));
    };
    usuario::HaceClic(dialogo.cmdOpc[0]);
    EXPECT_TRUE(dialogo.cmdOpc[0].Enabled);
  }
  std::optional<prueba::Caja> Caja(const std::string& parte) const {
    for (const prueba::Caja& caja : ui_.cajas)
      if (Contiene(caja.prompt, parte)) return caja;
    return std::nullopt;
  }

  UiQueAcepta ui_;
  prueba::ProgramaConCatalogo programa_;
  std::vector<std::string> pasosTerminados_;
};

TEST_F(ActualizacionMariaDbTest, ADatabaseAheadOfTheCatalogueIsReportedAsUpdatedAndLeftUntouched) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::TestDatabase db;
  db.EjecutaSql(
      "CREATE TABLE tblVersion (VER SMALLINT NOT NULL DEFAULT 0, CXC_CENTRAL SMALLINT NOT NULL "
      "DEFAULT 0);"
      "INSERT INTO tblVersion VALUES (599, 0), (953, 0);"
      "CREATE TABLE tblCatAlmacenes (COD_ALM VARCHAR(5) NOT NULL DEFAULT '');"
      "INSERT INTO tblCatAlmacenes VALUES ('01');");
  const prueba::Filas tablas = db.Consulta("SHOW TABLES");
  const prueba::Filas columnas = db.Consulta("SHOW COLUMNS FROM tblCatAlmacenes");

  Actualiza(db);

  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt, "La base de datos ya se encuentra actualizada a la versión 9.5.2");
  EXPECT_EQ(db.Consulta("SHOW TABLES"), tablas);
  EXPECT_EQ(db.Consulta("SHOW COLUMNS FROM tblCatAlmacenes"), columnas);
  EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion ORDER BY VER"),
            (prueba::Filas{{"599"}, {"953"}}));
  EXPECT_FALSE(win::ExisteArchivo(gRutaLog));
}

// The reference catalogue standing for 9.5.2 (or another version).
prueba::SqlDeCatalogo CatalogoDelAscensoA952(int version = 952) {
  return prueba::CatalogoDeReferencia(
      {}, "UPDATE tblVersion SET VER = " + std::to_string(version) + ";");
}

TEST_F(ActualizacionMariaDbTest, ADatabaseAt50IsSynchronisedAndClimbsTo952) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::ProgramaConCatalogo programa(CatalogoDelAscensoA952());
  prueba::CarpetaConComponente::Instala(prueba::Componente::Proyecto, programa.Carpeta());
  prueba::TestDatabase db;
  db.EjecutaArchivo("bd/ascenso_500.sql");

  Actualiza(db);

  // Step 5.0 synchronised the main kind's tables, and only those.
  for (const char* tabla : {"tbltiposimpuesto", "tblfolios", "tblmensajes", "tblpvconfigura"})
    EXPECT_EQ(db.Consulta(std::string("SHOW TABLES LIKE '") + tabla + "'").size(), 1u) << tabla;
  for (const char* tabla :
       {"tblconsultorios", "tblac_usuarios", "tbldp_configuracion", "tblobsoleta"})
    EXPECT_TRUE(db.Consulta(std::string("SHOW TABLES LIKE '") + tabla + "'").empty()) << tabla;

  const prueba::Filas version = db.Consulta("SELECT MAX(VER) FROM tblVersion");
  ASSERT_EQ(version.size(), 1u);
  const std::optional<prueba::Caja> error = Caja("Error ");
  EXPECT_FALSE(error) << error->titulo << ": " << error->prompt;
  EXPECT_TRUE(Caja("La base de datos fue actualizada a la versión 9.5.2"));
  EXPECT_EQ(version[0][0], "952");
  // Every rung of the ladder ran its step to the end: no step is a stand-in.
  EXPECT_EQ(pasosTerminados_,
            (std::vector<std::string>{
                "5.0",   "5.1",   "5.2",   "5.3",   "5.4",   "5.5",   "5.6", "5.7", "5.8",
                "5.9.0", "5.9.3", "5.9.5", "5.9.6", "5.9.7", "5.9.8", "5.9.9", "6.0", "6.1",
                "6.2",   "6.3",   "7.0",   "7.2",   "7.3",   "7.4",   "8.0",   "8.1", "8.2",
                "8.3",   "8.4",   "8.5",   "8.6",   "8.7",   "8.8",   "8.9",   "9.0", "9.1",
                "9.2",   "9.3",   "9.4",   "9.5",   "9.5.1", "9.5.2"}));
}

// A database at 7.3 takes step 7.3 again (as every run bound for 7.3 or later does) and
// stops in 7.2's card providers. The version stays at 7.3, so the next run still treats
// the database as one at 7.3 and leaves the returns that were never sent unsent.
TEST_F(ActualizacionMariaDbTest, AStopInStep73LeavesTheVersionAndTheReturnsAsTheyWere) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::ProgramaConCatalogo programa(CatalogoDelAscensoA952(730));
  prueba::TestDatabase db;
  db.EjecutaArchivo("bd/version_700_73x.sql");
  db.EjecutaSql(
      "UPDATE tblVersion SET VER=730;"
      "CREATE TRIGGER trgRechaza BEFORE INSERT ON tblProveedoresTC FOR EACH ROW "
      "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='INSERT refused';");

  Actualiza(db);
  const std::optional<prueba::Caja> error = Caja("Error ");
  ASSERT_TRUE(error);
  EXPECT_TRUE(Contiene(error->prompt, "INSERT refused")) << error->prompt;
  EXPECT_TRUE(Caja("La base de datos no se actualizó a la versión 7.3."));
  EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (prueba::Filas{{"730"}}));

  ui_.cajas.clear();
  db.EjecutaSql("DROP TRIGGER trgRechaza;");
  Actualiza(db);
  EXPECT_FALSE(Caja("Error "));
  EXPECT_TRUE(Caja("La base de datos fue actualizada a la versión 7.3"));
  EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (prueba::Filas{{"730"}}));
  EXPECT_EQ(db.Consulta("SELECT ENVIADO FROM tblEncDevolucion ORDER BY FOLIO"),
            (prueba::Filas{{"0"}, {"0"}, {"1"}}));
  EXPECT_EQ(db.Consulta("SELECT COUNT(*) FROM tblProveedoresTC"), (prueba::Filas{{"4"}}));
}

// Step 9.5.2 records 952 before it checks the stored FTP date; a check that then fails
// stops the climb with the database at 9.5.2 already. The next run takes the step again.
TEST_F(ActualizacionMariaDbTest, Step952RecordsItsVersionBeforeTheDateCheckThatStopsIt) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::ProgramaConCatalogo programa(
      prueba::CatalogoConTablas({"tblVersion", "tblParametrosGenerales", "tblFtpConexiones"},
                                "UPDATE tblVersion SET VER=952;"));
  prueba::TestDatabase db;
  db.EjecutaSql(
      "CREATE TABLE tblVersion (VER SMALLINT NOT NULL DEFAULT 0, CXC_CENTRAL SMALLINT NOT NULL "
      "DEFAULT 0);"
      "INSERT INTO tblVersion VALUES (951, 0);"
      "CREATE TABLE tblParametrosGenerales (TA_FTP VARCHAR(255) NOT NULL DEFAULT '');"
      "INSERT INTO tblParametrosGenerales (TA_FTP) VALUES ('sin fecha');"
      "CREATE TRIGGER trgRechaza BEFORE UPDATE ON tblParametrosGenerales FOR EACH ROW "
      "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='UPDATE refused';");

  Actualiza(db);
  const std::optional<prueba::Caja> error = Caja("UPDATE refused");
  ASSERT_TRUE(error) << (ui_.cajas.empty() ? "" : ui_.cajas.front().prompt);
  EXPECT_EQ(error->titulo.rfind("Error al actualizar a v.9.5.2  a partir de v.9.5.1", 0), 0u)
      << error->titulo;
  EXPECT_EQ(pasosTerminados_, std::vector<std::string>{"9.5.1"});
  EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (prueba::Filas{{"952"}}));

  ui_.cajas.clear();
  db.EjecutaSql("DROP TRIGGER trgRechaza;");
  Actualiza(db);
  EXPECT_FALSE(Caja("Error "));
  EXPECT_TRUE(Caja("La base de datos fue actualizada a la versión 9.5.2"));
  EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (prueba::Filas{{"952"}}));
  EXPECT_EQ(db.Consulta("SELECT TA_FTP FROM tblParametrosGenerales"),
            (prueba::Filas{{"1800-01-01"}}));
}

// Step 6.0 without the encryption component: the ladder stops there with the library's
// path in its box, before any password changes; the database keeps 5.9.9, and once the
// component is in place the next run converts the passwords and climbs on.
TEST_F(ActualizacionMariaDbTest, WithoutItsComponentStep60StopsBeforeAnyPasswordChanges) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::ProgramaConCatalogo programa(CatalogoDelAscensoA952());
  prueba::TestDatabase db;
  db.EjecutaArchivo("bd/version_599.sql");
  // A Null password may come out empty: later steps of the climb make the column NOT NULL.
  const std::string sPasswords =
      "SELECT COD_CAJ, COALESCE(TA_PASSWORD, '') FROM tblCajas ORDER BY COD_CAJ";
  const prueba::Filas passwords = db.Consulta(sPasswords);

  Actualiza(db);
  const std::optional<prueba::Caja> error = Caja("libgradixcifrado.so");
  ASSERT_TRUE(error) << (ui_.cajas.empty() ? "" : ui_.cajas.front().prompt);
  EXPECT_TRUE(Contiene(error->prompt, programa.Carpeta() + "/libgradixcifrado.so"));
  EXPECT_EQ(error->titulo.rfind("Error al actualizar a v.9.5.2  a partir de v.5.9.9", 0), 0u)
      << error->titulo;
  EXPECT_EQ(db.Consulta(sPasswords), passwords);
  EXPECT_EQ(db.Consulta("SELECT MAX(VER) FROM tblVersion"), (prueba::Filas{{"599"}}));

  ui_.cajas.clear();
  prueba::CarpetaConComponente::Instala(prueba::Componente::Proyecto, programa.Carpeta());
  Actualiza(db);
  EXPECT_FALSE(Caja("libgradixcifrado.so"));
  const prueba::Filas despues = db.Consulta(sPasswords);
  ASSERT_EQ(despues.size(), passwords.size());
  for (std::size_t i = 0; i < despues.size(); ++i)
    EXPECT_EQ(despues[i][1] != passwords[i][1], i == 2 || i == 3 || i == 5) << despues[i][0];
  EXPECT_GE(std::stoi(db.Consulta("SELECT MAX(VER) FROM tblVersion")[0][0]), 614);
}

}  // namespace
