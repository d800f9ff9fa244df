#include "steps/5x/modVersion54.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using ::testing::ElementsAre;

constexpr const char* kVersion540 = "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (540,0);";

struct FormaDelDialecto {
  std::int16_t iManejador;
  std::string ampliacion;
};

void PrintTo(const FormaDelDialecto& forma, std::ostream* os) { *os << "code " << forma.iManejador; }

class ModificarEstructura54Grabada : public prueba::RutinaGrabada,
                                     public ::testing::WithParamInterface<FormaDelDialecto> {};

TEST_P(ModificarEstructura54Grabada, StatementsOfTheDialect) {
  ModificarEstructura54(cnx_, GetParam().iManejador);
  EXPECT_THAT(db_.Textos(),
              ElementsAre(GetParam().ampliacion, "ALTER TABLE tblEmpresa DROP COLUMN DIR2_EMP;",
                          "SELECT * FROM tblVersion;", kVersion540,
                          "DELETE FROM tblVersion WHERE VER<>540;"));
  EXPECT_FALSE(log_.Existe());
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, ModificarEstructura54Grabada,
    ::testing::Values(
        FormaDelDialecto{4, "ALTER TABLE tblEmpresa MODIFY DIR1_EMP VARCHAR(70) NOT NULL;"},
        FormaDelDialecto{3, "ALTER TABLE tblEmpresa ALTER COLUMN DIR1_EMP VARCHAR(70) NOT NULL;"},
        FormaDelDialecto{2, "ALTER TABLE tblEmpresa ALTER COLUMN DIR1_EMP TEXT(70);"},
        FormaDelDialecto{0, "ALTER TABLE tblEmpresa MODIFY DIR1_EMP VARCHAR(70) NOT NULL;"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

// A widening the engine refuses is logged; the drop and the version row still follow.
TEST_F(ModificarEstructura54Grabada, ARefusedWidening) {
  db_.Falla(prueba::EmpiezaCon("ALTER TABLE tblEmpresa ALTER COLUMN"), -2147217900,
            "The object 'DF_tblEmpresa_DIR1' is dependent on column 'DIR1_EMP'.");
  ModificarEstructura54(cnx_, ManejadorSQLServer);
  EXPECT_EQ(db_.Textos().size(), 5u);
  EXPECT_EQ(db_.Textos()[1], "ALTER TABLE tblEmpresa DROP COLUMN DIR2_EMP;");
  EXPECT_EQ(log_.Contenido(),
            Entrada("Error en ModificarEstructura54 :", -2147217900,
                    "The object 'DF_tblEmpresa_DIR1' is dependent on column 'DIR1_EMP'."));
}

// ------------------------------------------------------------ on MariaDB

class Version54 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_530.sql");
  }
  // What the routines change, as one set of rows per table.
  std::vector<Filas> Datos() const {
    return {
        Consulta("SELECT NOM_EMP, DIR1_EMP, EXT_EMP, INT_EMP, COL_EMP, CP_EMP FROM tblEmpresa"),
        Consulta("SELECT COD_EMPRESA FROM tblEmpresasTA ORDER BY COD_EMPRESA"),
        Consulta("SELECT CLAVE_TA, COD_EMPRESA FROM tblMontosTA ORDER BY CLAVE_TA"),
        Consulta("SELECT COD1_ART, COD_TIPO FROM tblCatArticulos ORDER BY COD1_ART"),
        Consulta("SELECT ACT_CIN, CONX_CIN, OBLIGA_BASC, FE_LLAVE, FE_LLAVEPWD, FE_CERTIFICADO, "
                 "FE_ZONAHORA, FE_PAC FROM tblParametrosGenerales"),
        Consulta("SELECT COD_ALM, AP_ALM FROM tblCatAlmacenes ORDER BY COD_ALM"),
        Consulta("SELECT COD_CON, AP_ABONO FROM tblConceptos ORDER BY COD_CON"),
        Consulta("SELECT COD_CAJA, IMP_APTICKET FROM tblCajas ORDER BY COD_CAJA"),
        Consulta("SELECT COD_FRP, FRP_APAR FROM tblFormasPago ORDER BY COD_FRP"),
        Consulta("SELECT COD_PERFIL, PV_BLOQUEARAPAR, FF_MOVSMESACUENTA FROM tblPerfilPermisos "
                 "ORDER BY COD_PERFIL"),
        Consulta("SELECT COD_PERFIL, ORDEN_MENU, NOMBRE_OPCION, TITULO_OPCION, ES_RAMA_DE, "
                 "MODULO_EDICION FROM tblPlantillaMenus ORDER BY MODULO_EDICION, ORDEN_MENU, "
                 "COD_PERFIL"),
        Consulta("SELECT COD_USUARIO, ORDEN_MENU, NOMBRE_OPCION FROM tblMenusPV ORDER BY "
                 "COD_USUARIO, ORDEN_MENU")};
  }
};

TEST_F(Version54, FromADatabaseAt53) {
  ModificarEstructura54(cnx_, ManejadorMySQL);
  ActualizaCamposVersion54(cnx_);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"540", "0"}}));
  EXPECT_EQ(Consulta("SELECT COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS "
                     "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME='tblEmpresa' AND COLUMN_NAME "
                     "LIKE 'DIR%' ORDER BY COLUMN_NAME"),
            (Filas{{"DIR1_EMP", "varchar(70)", "NO"}}));
  const std::vector<Filas> datos = Datos();
  EXPECT_EQ(datos[0], (Filas{{"CAFETERÍA D'ANGELO", "AV. INSURGENTES SUR", "1602", "", "",
                              "03940"}}));
  EXPECT_EQ(datos[1], (Filas{{"1"}}));
  EXPECT_EQ(datos[2], (Filas{{"M020", "1"}, {"SM060", "0"}, {"SM120", "0"}, {"SM200", "6"}}));
  EXPECT_EQ(datos[3], (Filas{{"CAFE", "1"}, {"PAN", "1"}, {"SERV", "2"}}));
  EXPECT_EQ(datos[4], (Filas{{"1", "", "0", "C:\\Velmar\\Sat\\llave.key", "", "", "-06", "1"}}));
  EXPECT_EQ(datos[5], (Filas{{"01", "0"}, {"02", "1"}}));
  EXPECT_EQ(datos[6], (Filas{{"1", "1"}, {"2", "0"}}));
  EXPECT_EQ(datos[7], (Filas{{"1", "0"}, {"2", "1"}}));
  EXPECT_EQ(datos[8], (Filas{{"1", "0"}, {"2", "1"}}));
  // Profiles below 4 are blocked and those below 2 may move table accounts, whatever they
  // held; the others keep their values, Null turned to 0.
  EXPECT_EQ(datos[9], (Filas{{"0", "1", "1"},
                             {"1", "1", "1"},
                             {"2", "1", "1"},
                             {"3", "1", "0"},
                             {"4", "0", "0"},
                             {"5", "1", "1"}}));
  EXPECT_EQ(datos[10], (Filas{{"0", "60", "mnuAlmacen", "Almacén", "0", "10"},
                              {"0", "68", "mnuAlmSeg", "Segmentables", "60", "10"},
                              {"1", "68", "mnuAlmSeg", "Segmentables", "60", "10"},
                              {"2", "68", "mnuAlmSeg", "Segmentables", "60", "10"},
                              {"0", "1", "mnuArchivo", "Archivo", "0", "60"},
                              {"0", "3", "mnuArchivoAgregarEmp", "Agregar Empresa", "1", "60"},
                              {"1", "3", "mnuArchivoAgregarEmp", "Agregar Empresa", "1", "60"}}));
  // CAJERO had a row of order 68 already; MESERO's profile is outside the grant.
  EXPECT_EQ(datos[11], (Filas{{"ADMIN", "60", "mnuAlmacen"},
                              {"ADMIN", "68", "mnuAlmSeg"},
                              {"CAJERO", "68", "mnuAlmViejo"},
                              {"GERENTE", "68", "mnuAlmSeg"}}));
}

// Run again: nothing changes; only the drop of the column that is gone is logged.
TEST_F(Version54, TwiceChangesNothing) {
  ModificarEstructura54(cnx_, ManejadorMySQL);
  ActualizaCamposVersion54(cnx_);
  const std::vector<Filas> antes = Datos();
  ModificarEstructura54(cnx_, ManejadorMySQL);
  ActualizaCamposVersion54(cnx_);

  EXPECT_EQ(Datos(), antes);
  const std::string log = log_.Contenido();
  EXPECT_THAT(log, ::testing::StartsWith("\r\nError en ModificarEstructura54 :-2147217900\r\n"));
  EXPECT_THAT(log, ::testing::HasSubstr("DIR2_EMP"));
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"540"}}));
}

}  // namespace
