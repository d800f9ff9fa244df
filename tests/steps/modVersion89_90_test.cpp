// Versions 8.9 and 9.0: the dialect forms as text, the clock's year, the bar-code layout
// read from an INI file, and each routine's effect on MariaDB.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/FacturacionWeb.h"
#include "steps/8x_9x/modVersion89.h"
#include "steps/8x_9x/modVersion90.h"
#include "support/CatalogoDePrueba.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr long kFalla = -2147217900;
constexpr const char* kEtiqueta89 = "Error en ModificarEstructura89 :";
constexpr const char* kCerrado = prueba::kObjetoCerrado;

// ------------------------------------------------------------ forms by dialect

constexpr const char* kReinicioWeb2019 =
    "UPDATE tblGralVentas SET tblGralVentas.FACTWEB_STS=0 WHERE FEC_DOC<'2019-01-01' AND "
    "FACTWEB_STS=3";

// 8.9 and 8.9.4 for SQL Server and MS Access: the widening words, the date literal, no
// zero-date repairs (only MySQL keeps zero dates), the UPDATE ... FROM join.
std::vector<std::string> Sentencias89(const std::string& verbo, const std::string& t100,
                                      const std::string& t10, const std::string& t254,
                                      const std::string& fecha) {
  return {"ALTER TABLE tblCajas " + verbo + " TA_PASSWORD " + t100,
          "ALTER TABLE tblCajas " + verbo + " TA_PASSWORD2 " + t100,
          "ALTER TABLE tblCajas " + verbo + " PASWD_SER " + t100,
          "ALTER TABLE tblPedimentosVtas " + verbo + " ADUANA " + t100,
          "UPDATE tblParametrosGenerales SET CC_ACTIVA=0 WHERE CC_ACTIVA IS NULL;",
          "UPDATE tblParametrosGenerales SET ANTIB_ACTIVO=0 WHERE ANTIB_ACTIVO IS NULL;",
          "UPDATE tblCajas SET CDSO_SESION='' WHERE CDSO_SESION IS NULL;",
          "UPDATE tblCatArticulos SET ES_ANTIBIOTICO=0 WHERE ES_ANTIBIOTICO IS NULL;",
          "UPDATE tblConceptos SET ANTIB_USO=0 WHERE ANTIB_USO IS NULL;",
          "UPDATE tblTcTerminalCaja SET LINEA_TERMINAL='' WHERE LINEA_TERMINAL IS NULL;",
          "UPDATE tblTcTerminalCaja SET PUERTO_TERMINAL='' WHERE PUERTO_TERMINAL IS NULL;",
          "ALTER TABLE tblParametrosGenerales DROP COLUMN CONX_CXC;",
          "ALTER TABLE tblParametrosGenerales DROP COLUMN BD_CXC;",
          "UPDATE tblGralVentas SET FACTWEB_STS=0 WHERE FACTWEB_STS IS NULL;",
          "UPDATE tblGralVentas SET FACTWEB_CVE='' WHERE FACTWEB_CVE IS NULL;",
          "UPDATE tblServiciosElec SET FACTWEB_ACTIVO=0 WHERE FACTWEB_ACTIVO IS NULL;",
          "UPDATE tblServiciosElec SET FACTWEB_TIMER=0 WHERE FACTWEB_TIMER IS NULL;",
          "UPDATE tblServiciosElec SET FACTWEB_URL='' WHERE FACTWEB_URL IS NULL;",
          "UPDATE tblCatArticulos SET FEC_CAMBIO=" + fecha + " WHERE FEC_CAMBIO IS NULL;",
          "UPDATE tblCatArticulos SET IMGBIT_ART='' WHERE IMGBIT_ART IS NULL;",
          "UPDATE tblCostos SET FEC_PEDIM=" + fecha + " WHERE FEC_PEDIM IS NULL;",
          "UPDATE tblGralVentas SET tblGralVentas.FACTWEB_STS=3 FROM tblGralVentas INNER JOIN "
          "tblNotasPorFactura ON tblGralVentas.REF_DOC=tblNotasPorFactura.FOLIO_NV;",
          kReinicioWeb2019,
          "ALTER TABLE tblCDSOConfig " + verbo + " CDSO_CADENA " + t10,
          "ALTER TABLE tblCDSOConfig " + verbo + " CDSO_SUCU " + t10,
          "ALTER TABLE tblBitacoraAntibioticos " + verbo + " NOTAS " + t254};
}

std::vector<std::string> Sentencias90(const std::string& ampliacion) {
  return {ampliacion,
          "UPDATE tblParamFarmacias SET REP_RESPSANIT=0 WHERE REP_RESPSANIT IS NULL;",
          "UPDATE tblEmpresa SET IMGBIT_TICKET='' WHERE IMGBIT_TICKET IS NULL;",
          "UPDATE tblEmpresa SET IMGBIT_TICKETPIE='' WHERE IMGBIT_TICKETPIE IS NULL;",
          "UPDATE tblServiciosElec SET FACTWEB_DESIEPS=0 WHERE FACTWEB_DESIEPS IS NULL;",
          "UPDATE tblServiciosElec SET FACTWEB_CTE='' WHERE FACTWEB_CTE IS NULL;",
          "UPDATE tblPerfilPermisos SET CP_AUTORIZARCANC=0 WHERE CP_AUTORIZARCANC IS NULL;",
          "UPDATE tblAreasImpresion SET STS_AIM=0 WHERE STS_AIM IS NULL;",
          "UPDATE tblPerfilPermisos SET CP_AUTCOMPLEMENTO=0 WHERE CP_AUTCOMPLEMENTO IS NULL;",
          "UPDATE tblPerfilPermisos SET CP_AUTCANCELARECP=0 WHERE CP_AUTCANCELARECP IS NULL;",
          "UPDATE tblPerfilPermisos SET CP_AUTORIZARCANC=1 WHERE COD_PERFIL=0;",
          "UPDATE tblPerfilPermisos SET CP_AUTCOMPLEMENTO=1 WHERE COD_PERFIL=0;",
          "UPDATE tblPerfilPermisos SET CP_AUTCANCELARECP=1 WHERE COD_PERFIL=0;",
          "UPDATE tblGralVentas SET COD_CLI='PUBLIC' WHERE (COD_CLI IS NULL);",
          "UPDATE tblGralVentas SET COD_CLI='PUBLIC' WHERE (COD_CLI='');",
          "UPDATE tblCajas SET TIPO_ESQUEMA=0 WHERE VEN_CAJ=0 AND TIPO_ESQUEMA IS NULL;",
          "UPDATE tblCajas SET TIPO_ESQUEMA=1 WHERE VEN_CAJ=0 AND TIPO_ESQUEMA=0;",
          std::string("UPDATE tblServiciosElec SET FACTWEB_URL='") + kFacturacionWebPredeterminada +
              "';"};
}

class Formas89y90 : public prueba::RutinaGrabada {
 protected:
  prueba::RelojFijo reloj_{2019, 6, 15, 10, 20, 30};
};

TEST_F(Formas89y90, SqlServer) {
  ModificarEstructura89(cnx_, ManejadorSQLServer, 880, 952, false, "");
  ModificarEstructura894(cnx_, ManejadorSQLServer, 880, 952);
  EXPECT_THAT(prueba::SinVersion(db_.Textos()),
              ElementsAreArray(Sentencias89("ALTER COLUMN", "VARCHAR(100) NOT NULL;",
                                            "VARCHAR(10) NOT NULL;", "VARCHAR(254) NOT NULL;",
                                            "'18000101 10:20:30'")));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

TEST_F(Formas89y90, Access) {
  ModificarEstructura89(cnx_, ManejadorAccess, 880, 952, false, "");
  ModificarEstructura894(cnx_, ManejadorAccess, 880, 952);
  EXPECT_THAT(prueba::SinVersion(db_.Textos()),
              ElementsAreArray(Sentencias89("ALTER COLUMN", "TEXT(100);", "TEXT(10);", "TEXT(254);",
                                            "#1800/01/01 10:20:30#")));
}

// The versions change nothing in 9.0: the same statements whatever they hold.
TEST_F(Formas89y90, Version90) {
  ModificarEstructura90(cnx_, ManejadorSQLServer, 880, 952);
  EXPECT_THAT(prueba::SinVersion(db_.Textos()),
              ElementsAreArray(Sentencias90(
                  "ALTER TABLE tblBitacoraAntibioticos ALTER COLUMN MED_RECETA VARCHAR(70) NOT "
                  "NULL;")));
  const std::size_t sqlServer = db_.Textos().size();
  ModificarEstructura90(cnx_, ManejadorAccess, 900, 900);
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_THAT(
      prueba::SinVersion({textos.begin() + static_cast<long>(sqlServer), textos.end()}),
      ElementsAreArray(
          Sentencias90("ALTER TABLE tblBitacoraAntibioticos ALTER COLUMN MED_RECETA TEXT(70);")));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(kFacturacionWebPredeterminada,
            std::string("https://facturacion.velmar.com.mx/FacturarTicket"));
}

// ------------------------------------------------------------ bar-code layout

constexpr const char* kPLU = "SELECT COD_PLU FROM tblPLUConfig WHERE COD_PLU=1";

std::string InsertaPLU(const std::string& valores) {
  return "INSERT INTO tblPLUConfig (COD_PLU,PLU_ACTIVO,LONG_COD,PROD_LONG,PROD_ID,PLU_POS,"
         "PLU_LONG,PESO_POS,PESO_ENT,PESO_LONG) VALUES (" +
         valores + ");";
}

struct CasoINI {
  const char* nombre;
  const char* ini;  // nullptr: no file
  bool filaExiste;
  std::vector<std::string> sentencias;  // those about tblPLUConfig
  std::vector<std::string> log;         // headers of the log entries
};

void PrintTo(const CasoINI& caso, std::ostream* os) { *os << caso.nombre; }

class CodigoDeBarras89 : public prueba::RutinaGrabada,
                         public ::testing::WithParamInterface<CasoINI> {};

TEST_P(CodigoDeBarras89, LayoutFromTheIniFile) {
  prueba::CarpetaTemporal carpeta;
  if (GetParam().ini) std::ofstream(carpeta.Ruta() + "/DORVEX.INI") << GetParam().ini;
  if (GetParam().filaExiste)
    db_.Responde(kPLU, {{"COD_PLU"}, {{vb::Variant(std::int16_t{1})}}});
  else
    db_.Responde(kPLU, SinFilas({"COD_PLU"}));

  ModificarEstructura89(cnx_, ManejadorMySQL, 880, 952, true, carpeta.Ruta());

  std::vector<std::string> plu = db_.Textos();
  std::erase_if(plu, [](const std::string& t) { return t.find("tblPLUConfig") == t.npos; });
  EXPECT_THAT(plu, ElementsAreArray(GetParam().sentencias));
  EXPECT_THAT(prueba::Encabezados(log_.Contenido()), ElementsAreArray(GetParam().log));
}

const std::string kActualizaCeros =
    "UPDATE tblPLUConfig SET PLU_ACTIVO=1,LONG_COD=0,PROD_LONG=0,PROD_ID='',PLU_POS=0,"
    "PLU_LONG=0,PESO_POS=0,PESO_ENT=0,PESO_LONG=0 WHERE COD_PLU=1;";

INSTANTIATE_TEST_SUITE_P(
    Cases, CodigoDeBarras89,
    ::testing::Values(
        CasoINI{"NoFile", nullptr, false, {}, {}},
        CasoINI{"NoSection", "[OTRA]\nACTIVO=1\n", false, {}, {}},
        CasoINI{"ActiveEmpty", "[CODIGOBARRA]\nACTIVO=\n", false, {}, {}},
        CasoINI{"ActiveZero", "[CODIGOBARRA]\nACTIVO=0\n", false, {}, {}},
        CasoINI{"ActiveNotANumber",
                "[CODIGOBARRA]\nACTIVO=si\n",
                false,
                {},
                {std::string(kEtiqueta89) + "13"}},
        CasoINI{"ActiveOnlyEmptyTable",
                "[CODIGOBARRA]\nACTIVO=1\n",
                false,
                {kPLU, InsertaPLU("1,1,0,0,'',0,0,0,0,0")},
                {}},
        CasoINI{
            "ActiveOnlyRowThere", "[codigobarra]\nactivo = 1\n", true, {kPLU, kActualizaCeros}, {}},
        // Every key; a quote in the product id goes in whole; a fraction rounds half to
        // even; a number out of range is logged and leaves its column at 0.
        CasoINI{"EveryKey",
                "[CODIGOBARRA]\nACTIVO=1\nLONGITUD=13\nLONGCODIGO=2\nCODIGO=2'0\n"
                "PLUPOSICION=2.5\nPLULONGITUD=5\nPESOPOSICION=8\nPESONUMENTEROS=2\n"
                "PESOLONGITUD=70000\n",
                false,
                {kPLU, InsertaPLU("1,1,13,2,'2''0',2,5,8,2,0")},
                {std::string(kEtiqueta89) + "6"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Without tblPLUConfig the failed lookup, its test and its close are logged; the failed
// test holds, so the insert is attempted.
TEST_F(Formas89y90, BarCodeTableMissing) {
  prueba::CarpetaTemporal carpeta;
  std::ofstream(carpeta.Ruta() + "/Dorvex.ini") << "[CODIGOBARRA]\nACTIVO=1\n";
  db_.Falla(kPLU, kFalla, "Table 'tblPLUConfig' doesn't exist");

  ModificarEstructura89(cnx_, ManejadorMySQL, 880, 952, true, carpeta.Ruta());

  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta89, kFalla, "Table 'tblPLUConfig' doesn't exist") +
                                  Entrada(kEtiqueta89, 3704, kCerrado) +
                                  Entrada(kEtiqueta89, 3704, kCerrado));
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_NE(std::find(textos.begin(), textos.end(), InsertaPLU("1,1,0,0,'',0,0,0,0,0")),
            textos.end());
  EXPECT_EQ(prueba::SinVersion(textos).back(), kReinicioWeb2019);  // and the routine went on
}

// ------------------------------------------------------------ on MariaDB

class Versiones89y90 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_890_900.sql");
  }
  Filas Version() const { return Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"); }
  Filas Tipo(const std::string& tabla, const std::string& columna) const {
    return Consulta(
        "SELECT COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS WHERE "
        "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='" +
        tabla + "' AND COLUMN_NAME='" + columna + "'");
  }
  Filas EstadosWeb() const {
    return Consulta("SELECT REF_DOC, FACTWEB_STS, FACTWEB_CVE FROM tblGralVentas ORDER BY 1");
  }
};

TEST_F(Versiones89y90, Version89From88) {
  prueba::RelojFijo reloj(2020, 2, 3, 14, 5, 9);
  ModificarEstructura89(cnx_, ManejadorMySQL, 880, 952, false, "");
  ModificarEstructura894(cnx_, ManejadorMySQL, 880, 952);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"890", "0"}}));
  for (const char* columna : {"TA_PASSWORD", "TA_PASSWORD2", "PASWD_SER"})
    EXPECT_EQ(Tipo("tblCajas", columna), (Filas{{"varchar(100)", "NO"}})) << columna;
  EXPECT_EQ(Tipo("tblPedimentosVtas", "ADUANA"), (Filas{{"varchar(100)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT TA_PASSWORD, CDSO_SESION FROM tblCajas ORDER BY COD_CAJ"),
            (Filas{{"clave1", ""}, {"", "S-2"}, {"", ""}, {"", ""}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"MATRIZ", "0", "0"}, {"SUC01", "1", "1"}}));
  // Null and zero dates become 1 January 1800 at the clock's time; real dates stay.
  EXPECT_EQ(Consulta("SELECT * FROM tblCatArticulos ORDER BY COD1_ART"),
            (Filas{{"A1", "0", "1800-01-01 14:05:09", ""},
                   {"A2", "1", "1800-01-01 14:05:09", "a2.bmp"},
                   {"A3", "0", "2018-05-06 07:08:09", ""}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblCostos ORDER BY COD1_ART"),
            (Filas{{"A1", "1800-01-01"}, {"A2", "1800-01-01"}, {"A3", "2018-02-03"}}));
  EXPECT_EQ(Consulta("SELECT ANTIB_USO FROM tblConceptos ORDER BY COD_CON"), (Filas{{"0"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblTcTerminalCaja ORDER BY COD_CAJ"),
            (Filas{{"1", "", ""}, {"2", "L2", "COM2"}}));
  // From 2020 on, every invoiced sale keeps 3.
  EXPECT_EQ(EstadosWeb(),
            (Filas{{"V1", "3", ""}, {"V2", "3", "K2"}, {"V3", "0", ""}, {"V4", "1", ""}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblServiciosElec ORDER BY COD_SERV"),
            (Filas{{"1", "0", "0", "", "NULL", "NULL"},
                   {"2", "1", "30", "https://facturas.example.mx/propia", "1", "CTE2"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblPLUConfig"), (Filas{{"0"}}));
  EXPECT_EQ(Tipo("tblCDSOConfig", "CDSO_CADENA"), (Filas{{"varchar(10)", "NO"}}));
  EXPECT_EQ(Tipo("tblCDSOConfig", "CDSO_SUCU"), (Filas{{"varchar(10)", "NO"}}));
  EXPECT_EQ(Tipo("tblBitacoraAntibioticos", "NOTAS"), (Filas{{"varchar(254)", "NO"}}));
}

// While the clock stands in 2019, invoiced sales of earlier years go back to 0.
TEST_F(Versiones89y90, ClockIn2019) {
  prueba::RelojFijo reloj(2019, 12, 31, 23, 59, 59);
  ModificarEstructura89(cnx_, ManejadorMySQL, 880, 952, false, "");
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(EstadosWeb(),
            (Filas{{"V1", "0", ""}, {"V2", "3", "K2"}, {"V3", "0", ""}, {"V4", "1", ""}}));
}

// A second run: the drops of the columns already gone are logged, nothing else changes.
TEST_F(Versiones89y90, Version89RunAgain) {
  prueba::RelojFijo reloj(2021, 1, 1, 8, 0, 0);
  ModificarEstructura89(cnx_, ManejadorMySQL, 880, 952, false, "");
  const Filas articulos = Consulta("SELECT * FROM tblCatArticulos ORDER BY 1");
  const Filas ventas = EstadosWeb();

  ModificarEstructura89(cnx_, ManejadorMySQL, 880, 952, false, "");

  EXPECT_THAT(prueba::Encabezados(log_.Contenido()),
              ElementsAreArray({std::string(kEtiqueta89) + std::to_string(kFalla),
                                std::string(kEtiqueta89) + std::to_string(kFalla)}));
  EXPECT_EQ(Consulta("SELECT * FROM tblCatArticulos ORDER BY 1"), articulos);
  EXPECT_EQ(EstadosWeb(), ventas);
  EXPECT_EQ(Version(), (Filas{{"890", "0"}}));
}

TEST_F(Versiones89y90, Version90) {
  ModificarEstructura90(cnx_, ManejadorMySQL, 890, 952);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"900", "0"}}));
  EXPECT_EQ(Tipo("tblBitacoraAntibioticos", "MED_RECETA"), (Filas{{"varchar(70)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblParamFarmacias ORDER BY 1"),
            (Filas{{"MATRIZ", "0"}, {"SUC01", "1"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblEmpresa"), (Filas{{"1", "", "pie.bmp"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblPerfilPermisos ORDER BY 1"),
            (Filas{{"0", "1", "1", "1"}, {"1", "0", "1", "0"}, {"2", "1", "0", "0"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblAreasImpresion ORDER BY 1"),
            (Filas{{"1", "0"}, {"2", "1"}}));
  EXPECT_EQ(Consulta("SELECT REF_DOC, COD_CLI FROM tblGralVentas ORDER BY 1"),
            (Filas{{"V1", "C1"}, {"V2", "PUBLIC"}, {"V3", "PUBLIC"}, {"V4", "C4"}}));
  EXPECT_EQ(Consulta("SELECT COD_CAJ, TIPO_ESQUEMA FROM tblCajas ORDER BY 1"),
            (Filas{{"1", "1"}, {"2", "1"}, {"3", "2"}, {"4", "NULL"}}));
  // Every configuration row points at the default endpoint, its own address lost.
  EXPECT_EQ(Consulta("SELECT COD_SERV, FACTWEB_URL, FACTWEB_DESIEPS, FACTWEB_CTE FROM "
                     "tblServiciosElec ORDER BY 1"),
            (Filas{{"1", kFacturacionWebPredeterminada, "0", ""},
                   {"2", kFacturacionWebPredeterminada, "1", "CTE2"}}));
}

}  // namespace
