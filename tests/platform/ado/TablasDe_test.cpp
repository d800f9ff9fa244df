// The tables of a database as ADOX's catalogue lists them, on the test server and on a
// provider that cannot list them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "platform/ado/Ado.h"
#include "support/CatalogoDePrueba.h"
#include "support/TestDatabase.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The error an action raises; fails the test when it raises none.
template <typename Accion>
vb::Error ErrorDe(Accion accion) {
  try {
    accion();
  } catch (const vb::Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return vb::Error(0, "");
}

// Tables and views in the order the server's catalogue gives them (by name on MariaDB,
// whose names are in lower case here); only the connection's own database.
TEST(TablasDe, ListaLasTablasYVistasDeSuBaseEnOrdenDeCatalogo) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::TestDatabase db;
  prueba::TestDatabase otra;
  otra.EjecutaSql("CREATE TABLE tblDeOtra (N INT);");
  db.EjecutaSql(
      "CREATE TABLE tblZona (N INT); CREATE TABLE clientes (N INT); CREATE TABLE tblArticulos "
      "(N INT); CREATE VIEW tblVista AS SELECT N FROM tblZona;");
  ado::Connection cnx;
  cnx.Open(db.CadenaConexion());
  EXPECT_THAT(ado::TablasDe(cnx), ElementsAre("clientes", "tblarticulos", "tblvista", "tblzona"));
}

TEST(TablasDe, UnaBaseSinTablasNoDaNinguna) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  prueba::TestDatabase db;
  ado::Connection cnx;
  cnx.Open(db.CadenaConexion());
  EXPECT_TRUE(ado::TablasDe(cnx).empty());
}

TEST(TablasDe, UnaConexionCerradaDaElErrorDeAdo) {
  ado::Connection cnx;
  EXPECT_EQ(ErrorDe([&] { ado::TablasDe(cnx); }).Number(), ado::adErrInvalidConnection);
}

// The Jet provider has no catalogue of tables: the failure is clear and kept in Errors.
TEST(TablasDe, UnProveedorQueNoSabeListarlasDaUnErrorClaro) {
  prueba::CarpetaTemporal carpeta;
  const std::string ruta = carpeta.Ruta() + "/datos.mdb";
  prueba::CreaBaseSqlite(ruta, "CREATE TABLE tblA (N INT);");
  ado::Connection cnx;
  cnx.Open(prueba::CadenaJet(ruta));
  const vb::Error error = ErrorDe([&] { ado::TablasDe(cnx); });
  EXPECT_EQ(error.Number(), ado::adErrFeatureNotAvailable);
  EXPECT_THAT(error.Description(), HasSubstr("no puede listar las tablas"));
  ASSERT_EQ(cnx.Errors().size(), 1u);
  EXPECT_EQ(cnx.Errors()[0].Number, ado::adErrFeatureNotAvailable);
}

}  // namespace
