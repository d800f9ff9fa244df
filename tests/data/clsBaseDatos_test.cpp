#include "data/clsBaseDatos.h"

#include <gtest/gtest.h>

#include "frame/modPrincipal.h"
#include "platform/vb/Conversions.h"
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"

namespace {

// A provider whose statements all fail with the given errors, as a driver reports
// several diagnostics for one failure.
struct ProveedorConErrores {
  explicit ProveedorConErrores(std::vector<ado::ErrorInfo> errores) {
    struct Sesion : ado::Session {
      std::vector<ado::ErrorInfo> errores;
      ado::RowSet Execute(const std::string&, long) override { throw ado::ProviderError(errores); }
    };
    ado::SetProviderOverride([errores](const ado::OpenRequest&) -> std::unique_ptr<ado::Session> {
      auto sesion = std::make_unique<Sesion>();
      sesion->errores = errores;
      return sesion;
    });
  }
  ~ProveedorConErrores() { ado::SetProviderOverride({}); }
};

TEST(clsBaseDatos, NewInstanceStartsEmpty) {
  const clsBaseDatos bd;
  EXPECT_EQ(bd.ManejadorDatos(), 0);
  EXPECT_FALSE(bd.HayError());
  EXPECT_EQ(bd.RutaEstructura(), "");
  EXPECT_EQ(bd.AccessDirDatos(), "");
  EXPECT_EQ(bd.AccessNomArchivo(), "");
  EXPECT_EQ(bd.CadenaDeConexion(), "");
}

TEST(clsBaseDatos, TextPropertiesKeepWhatIsWritten) {
  clsBaseDatos bd;
  bd.RutaEstructura("C:\\Suite\\EstBDs.mdb");
  bd.AccessDirDatos("C:\\Datos\\");
  bd.AccessNomArchivo("Tienda.mdb");
  EXPECT_EQ(bd.RutaEstructura(), "C:\\Suite\\EstBDs.mdb");
  EXPECT_EQ(bd.AccessDirDatos(), "C:\\Datos\\");
  EXPECT_EQ(bd.AccessNomArchivo(), "Tienda.mdb");
}

// The number of the runtime error that `accion` raises; 0 when it raises none.
template <typename Accion>
long ErrorQueLanza(Accion accion) {
  try {
    accion();
  } catch (const vb::Error& e) {
    return e.Number();
  }
  return 0;
}

TEST(clsBaseDatos, ManejadorDatosHoldsA16BitCode) {
  const struct {
    std::int32_t valor;
    long error;
  } casos[] = {{4, 0}, {32767, 0}, {-32768, 0}, {32768, vb::err::Overflow},
               {-32769, vb::err::Overflow}, {2147483647, vb::err::Overflow}};
  for (const auto& c : casos) {
    clsBaseDatos bd;
    bd.ManejadorDatos(3);
    EXPECT_EQ(ErrorQueLanza([&] { bd.ManejadorDatos(c.valor); }), c.error) << c.valor;
    EXPECT_EQ(bd.ManejadorDatos(), c.error ? 3 : c.valor) << c.valor;  // kept on overflow
  }
}

TEST(AccessDirectorioArchivo, SplitsTheDataSourceIntoFolderAndFile) {
  const struct {
    const char* cadena;
    const char* carpeta;
    const char* archivo;
  } casos[] = {
      {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Datos\\Tienda.mdb;User Id=Admin;Password=",
       "C:\\Datos\\", "Tienda.mdb"},
      {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Tienda.mdb;", "", "Tienda.mdb"},
      {"Data Source=\\\\srv\\Tienda.mdb\\Tienda.mdb;", "\\\\srv\\Tienda.mdb\\", "Tienda.mdb"},
      {"Data Source=C:\\Datos\\;", "C:\\Datos\\", ""},
  };
  for (const auto& c : casos) {
    clsBaseDatos bd;
    bd.AccessDirectorioArchivo(c.cadena);
    EXPECT_EQ(bd.AccessDirDatos(), c.carpeta) << c.cadena;
    EXPECT_EQ(bd.AccessNomArchivo(), c.archivo) << c.cadena;
  }
}

TEST(AccessDirectorioArchivo, WithoutSemicolonAfterThePathRaisesInvalidArgument) {
  clsBaseDatos bd;
  const std::string cadena = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Datos\\Tienda.mdb";
  EXPECT_EQ(ErrorQueLanza([&] { bd.AccessDirectorioArchivo(cadena); }),
            vb::err::InvalidProcedureCall);
  EXPECT_EQ(bd.AccessNomArchivo(), "");
}

TEST(AbrirConexion, OpensANewServerSideConnectionWithTheProgramWideString) {
  prueba::RecordingProvider proveedor;
  prueba::ScriptedUi ui;
  auto cnx = std::make_unique<ado::Connection>();
  const ado::Connection* anterior = cnx.get();
  clsBaseDatos bd;
  EXPECT_EQ(bd.AbrirConexion(cnx), "");
  ASSERT_TRUE(cnx);
  EXPECT_NE(cnx.get(), anterior);
  EXPECT_EQ(cnx->State(), ado::adStateOpen);
  EXPECT_EQ(cnx->CursorLocation, ado::adUseServer);
  ASSERT_EQ(proveedor.Aperturas().size(), 1u);
  EXPECT_EQ(proveedor.Aperturas()[0].cadena, "");
  EXPECT_EQ(ui.MousePointer(), ui::Puntero::Default);
}

TEST(AbrirConexion, FailedOpenShowsTheErrorBoxAndLeavesTheConnectionClosed) {
  prueba::RecordingProvider proveedor;
  proveedor.FallaApertura("", ado::adErrUnspecified, "Data source name not found");
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);
  std::unique_ptr<ado::Connection> cnx;
  clsBaseDatos bd;
  EXPECT_EQ(bd.AbrirConexion(cnx), "");
  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(ui.cajas[0].titulo, "Error -2147467259");
  EXPECT_EQ(ui.cajas[0].prompt, "Ocurrió un error:\r\nData source name not found");
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Exclamacion);
  ASSERT_TRUE(cnx);
  EXPECT_EQ(cnx->State(), ado::adStateClosed);
  EXPECT_EQ(ui.MousePointer(), ui::Puntero::Default);
}

TEST(AbrirConexion, WithoutAnyProviderTheEmptyStringFailsInTheBox) {
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);
  std::unique_ptr<ado::Connection> cnx;
  clsBaseDatos bd;
  bd.AbrirConexion(cnx);
  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(ui.cajas[0].titulo.rfind("Error ", 0), 0u);
  EXPECT_EQ(ui.cajas[0].prompt.rfind("Ocurrió un error:\r\n", 0), 0u);
  EXPECT_EQ(cnx->State(), ado::adStateClosed);
}

TEST(CerrarConexion, ClosesWhenOpenAndAlwaysReleases) {
  prueba::RecordingProvider proveedor;
  clsBaseDatos bd;
  auto abierta = std::make_unique<ado::Connection>();
  abierta->Open("DSN=Prueba");
  auto cerrada = std::make_unique<ado::Connection>();
  EXPECT_EQ(bd.CerrarConexion(abierta), "");
  EXPECT_EQ(bd.CerrarConexion(cerrada), "");
  EXPECT_FALSE(abierta);
  EXPECT_FALSE(cerrada);
  EXPECT_EQ(proveedor.ConexionesAbiertas(), 0);
}

TEST(CerrarConexion, WithoutAConnectionObjectRaises) {
  clsBaseDatos bd;
  std::unique_ptr<ado::Connection> ninguna;
  try {
    bd.CerrarConexion(ninguna);
    ADD_FAILURE() << "closing no connection was accepted";
  } catch (const vb::Error& error) {
    EXPECT_EQ(error.Number(), 91);
    EXPECT_EQ(error.Description(), "La variable de objeto no tiene un objeto asignado");
  }
}

TEST(ColeccionErrores, ShowsOneBoxPerErrorInOrder) {
  ProveedorConErrores proveedor({
      {ado::adErrSyntax, "Table 'velmar.tblx' doesn't exist", "MariaDB ODBC", "42S02", 1146},
      {ado::adErrUnspecified, "Second", "ODBC", "HY000", 0}});
  ado::Connection cnx;
  cnx.Open("DSN=Prueba");
  EXPECT_THROW(cnx.Execute("SELECT * FROM tblx;"), vb::Error);
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);
  ui.Responde(ui::Respuesta::OK);
  clsBaseDatos bd;
  EXPECT_EQ(bd.ColeccionErrores(cnx), "");
  ASSERT_EQ(ui.cajas.size(), 2u);
  EXPECT_EQ(ui.cajas[0].prompt,
            "Error #-2147217900\r"
            "   Table 'velmar.tblx' doesn't exist\r"
            "   (Source: MariaDB ODBC)\r"
            "   (SQL State: 42S02)\r"
            "   (NativeError: 1146)\r");
  EXPECT_EQ(ui.cajas[0].titulo, "Error");
  EXPECT_EQ(ui.cajas[0].botones, ui::Botones::OK);
  EXPECT_EQ(ui.cajas[0].icono, ui::Icono::Exclamacion);
  EXPECT_EQ(ui.cajas[1].prompt,
            "Error #-2147467259\r   Second\r   (Source: ODBC)\r   (SQL State: HY000)\r"
            "   (NativeError: 0)\r");
}

TEST(ColeccionErrores, ShowsNothingWithoutErrors) {
  prueba::ScriptedUi ui;
  ado::Connection cnx;
  clsBaseDatos bd;
  EXPECT_EQ(bd.ColeccionErrores(cnx), "");
  EXPECT_TRUE(ui.cajas.empty());
}

// gRutaApp names an empty program folder while the test runs.
class AbreEstBDsTest : public ::testing::Test {
 protected:
  AbreEstBDsTest() : rutaApp_(gRutaApp) { gRutaApp = carpeta_.Ruta(); }
  ~AbreEstBDsTest() override { gRutaApp = rutaApp_; }
  prueba::CarpetaTemporal carpeta_;
  std::string rutaApp_;
};

TEST_F(AbreEstBDsTest, OpensTheCatalogueBesideTheProgramWithClientCursors) {
  prueba::RecordingProvider proveedor;
  ado::Connection cnx;
  clsBaseDatos().AbreEstBDs(cnx);
  EXPECT_EQ(cnx.State(), ado::adStateOpen);
  EXPECT_EQ(cnx.CursorLocation, ado::adUseClient);
  const std::string esperada = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + gRutaApp +
                               "\\EstBDs.mdb;Persist Security Info=False;"
                               "Jet OLEDB:Database Password=";
  ASSERT_EQ(proveedor.Aperturas().size(), 1u);
  EXPECT_EQ(proveedor.Aperturas()[0].cadena, esperada);
}

TEST_F(AbreEstBDsTest, MissingCatalogueRaisesTheProvidersError) {
  ado::Connection cnx;
  EXPECT_THROW(clsBaseDatos().AbreEstBDs(cnx), vb::Error);
  EXPECT_EQ(cnx.State(), ado::adStateClosed);
}

TEST(AbreEstBDs, ReadsTheCatalogueFile) {
  const prueba::ProgramaConCatalogo programa;
  ado::Connection cnx;
  clsBaseDatos().AbreEstBDs(cnx);
  ado::Recordset rs = cnx.Execute("SELECT VER FROM tblVersion;");
  EXPECT_EQ(vb::CStr(rs.Fields("VER").Value()), "952");
}

}  // namespace
