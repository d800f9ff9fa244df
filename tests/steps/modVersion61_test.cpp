#include "steps/6x_7x/modVersion61.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/6x_7x/modVersion60.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::Reemplaza;
using prueba::SinVersion;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using vb::Variant;

constexpr const char* kEtiqueta = "Error en ModificarEstructura61 :";
constexpr long kFalla = -2147217900;

constexpr const char* kPerfilHost = "SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST';";
constexpr const char* kMaximo = "SELECT MAX(COD_PERFIL) AS MAXPERFIL FROM tblPerfiles;";
constexpr const char* kUsuarioHost = "SELECT COD_USU FROM tblUsuarios WHERE COD_USU='HOST';";
constexpr const char* kSinProveedor2 = "DELETE FROM tblProveedoresTC WHERE (COD_PROVTC=2);";
constexpr const char* kPrimerRellenoTC =
    "UPDATE tblBitacoraTC SET APROBACION_MOV='' WHERE (APROBACION_MOV IS NULL);";
constexpr const char* kVersion614 = "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (614,0);";

std::string Permisos(int p) {
  return "SELECT COD_PERFIL FROM tblPerfilPermisos WHERE COD_PERFIL=" + std::to_string(p) + ";";
}
std::string InsertaPermisos(int p) {
  return "INSERT INTO tblPerfilPermisos (COD_PERFIL,PV_CAMBIARPRECIO,PV_LIMPIARSALIR,"
         "PV_CANCELARVEN,PV_DESCUENTO,PV_REIMPRIMIR,PV_BORRARESPERA,PV_FORMASPAGO,"
         "PV_AUTORIZARCXC,PV_AUTORIZARALM,FF_PWCOMANDAS,CP_TRASPRESUP,CP_AUTORIZAREQS,"
         "CP_AUTORIZAOCOM,CP_AUTORIZAREMS,CP_AUTORIZARECP,CP_SURTIRREQS,CP_AUTORIZARCXP,"
         "GT_AUTORIZARGTOS,GT_AUTORIZARTESOR,GT_CANCELARCONCIL,GT_REABRIRCONCIL,"
         "PV_BORRARMODULO,CP_BORRARMODULO,GT_BORRARMODULO,PV_BLOQUEARAPAR,FF_MOVSMESACUENTA,"
         "CP_COMPLEMENTO) VALUES (" +
         std::to_string(p) + ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0);";
}
std::string InsertaPerfil(int p) {
  return "INSERT INTO tblPerfiles (COD_PERFIL,DES_PERFIL) VALUES (" + std::to_string(p) +
         ",'HOST');";
}
std::string InsertaUsuario(int p) {
  return "INSERT INTO tblUsuarios (COD_USU,NOM_USU,ESTATUS,TIP_USU,PASS1_USU,PASS2_USU,COM_USU,"
         "MAX_DES) VALUES ('HOST','HOST',0," +
         std::to_string(p) + ",'Hq3WzK8rTbM=','Hq3WzK8rTbM=',0,0);";
}

// The statements of 6.1 for SQL Server, the version row left out, with the HOST
// profile, its permissions and user all missing and the highest profile 3.
std::vector<std::string> SqlServer() {
  return {"ALTER TABLE tblCatClientes ALTER COLUMN MAIL_CFD VARCHAR(255) NOT NULL;",
          "UPDATE tblFacturasRen SET NUM_LOT='' WHERE (NUM_LOT IS NULL);",
          "UPDATE tblFacturasRen SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);",
          "UPDATE tblFacturasRen SET PCIO_UNI=0 WHERE (PCIO_UNI IS NULL);",
          "UPDATE tblFacturasRen SET PCIO_UNI=PCIO_VEN WHERE (PCIO_UNI=0);",
          "UPDATE tblOfertasAgr SET CAT_AGR=0 WHERE (CAT_AGR IS NULL);",
          "UPDATE tblAuxCaja SET COD_TERMINAL=0 WHERE (COD_TERMINAL IS NULL);",
          "UPDATE tblAuxCaja SET COD_TCPROMO=0 WHERE (COD_TCPROMO IS NULL);",
          "UPDATE tblBitacoraTC SET NUM_TERMINAL='' WHERE (NUM_TERMINAL IS NULL);",
          "UPDATE tblBitacoraTC SET COD_TCPROMO=0 WHERE (COD_TCPROMO IS NULL);",
          "UPDATE tblTemporalesTC SET NUM_TERMINAL='' WHERE (NUM_TERMINAL IS NULL);",
          "UPDATE tblTemporalesTC SET COD_TCPROMO=0 WHERE (COD_TCPROMO IS NULL);",
          kSinProveedor2,
          kPerfilHost,
          kMaximo,
          InsertaPerfil(4),
          Permisos(4),
          InsertaPermisos(4),
          kUsuarioHost,
          InsertaUsuario(4),
          kPrimerRellenoTC,
          "UPDATE tblBitacoraTC SET PROPINA_MOVTC=0 WHERE (PROPINA_MOVTC IS NULL);",
          "UPDATE tblTemporalesTC SET APROBACION_MOV='' WHERE (APROBACION_MOV IS NULL);",
          "UPDATE tblTemporalesTC SET PROPINA_MOVTC=0 WHERE (PROPINA_MOVTC IS NULL);",
          "UPDATE tblTCTerminales SET ID_CLIENTE='' WHERE (ID_CLIENTE IS NULL);",
          "UPDATE tblCajas SET PRINT_TC='' WHERE (PRINT_TC IS NULL);",
          "DELETE FROM tblProveedoresTC WHERE (COD_PROVTC=3);",
          "DELETE FROM tblTcPromociones;",
          "UPDATE tblRenInvFisico SET FEC_CAD='1800-01-01' WHERE (FEC_CAD IS NULL);"};
}

// The statements of the HOST stretch: after provider 2's removal, before the first fill
// of the card columns.
std::vector<std::string> TramoHost(const std::vector<std::string>& textos) {
  const auto inicio = std::find(textos.begin(), textos.end(), kSinProveedor2);
  const auto fin = std::find(textos.begin(), textos.end(), kPrimerRellenoTC);
  if (inicio == textos.end() || fin < inicio) return {};
  return {inicio + 1, fin};
}

class Version61Grabada : public prueba::RutinaGrabada {
 protected:
  // The answers of a database without the HOST profile, permissions or user.
  void SinHost(Variant maximo = Variant(3)) {
    db_.Responde(kPerfilHost, SinFilas({"COD_PERFIL"}));
    db_.Responde(kMaximo, {{"MAXPERFIL"}, {{maximo}}});
    db_.Responde(prueba::EmpiezaCon("SELECT COD_PERFIL FROM tblPerfilPermisos"),
                 SinFilas({"COD_PERFIL"}));
    db_.Responde(kUsuarioHost, SinFilas({"COD_USU"}));
  }
};

TEST_F(Version61Grabada, SqlServerAndAccessForms) {
  SinHost();
  ModificarEstructura61(cnx_, ManejadorSQLServer);
  const std::vector<std::string> sqlServer = db_.Textos();
  EXPECT_THAT(SinVersion(sqlServer), ElementsAreArray(SqlServer()));
  EXPECT_NE(std::find(sqlServer.begin(), sqlServer.end(), kVersion614), sqlServer.end());

  ModificarEstructura61(cnx_, ManejadorAccess);
  const std::vector<std::string> todos = db_.Textos();
  std::vector<std::string> access;
  for (const std::string& t : SqlServer())
    access.push_back(Reemplaza(Reemplaza(t, "VARCHAR(255) NOT NULL;", "TEXT(255);"),
                               "'1800-01-01'", "#1800/01/01#"));
  EXPECT_THAT(SinVersion({todos.begin() + static_cast<long>(sqlServer.size()), todos.end()}),
              ElementsAreArray(access));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// The HOST profile, its permission row and the user HOST, as the database has them.
struct CasoHost {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> base;
  std::vector<std::string> tramo;
  std::vector<std::string> log;  // the entries' "label number" lines
};

void PrintTo(const CasoHost& caso, std::ostream* os) { *os << caso.nombre; }

class Version61Host : public Version61Grabada, public ::testing::WithParamInterface<CasoHost> {};

TEST_P(Version61Host, ProfilePermissionsAndUser) {
  GetParam().base(db_);  // answered first: the answers of SinHost come after them
  SinHost();
  ModificarEstructura61(cnx_, ManejadorSQLServer);
  EXPECT_THAT(TramoHost(db_.Textos()), ElementsAreArray(GetParam().tramo));
  EXPECT_THAT(prueba::Encabezados(log_.Contenido()), ElementsAreArray(GetParam().log));
  const std::vector<std::string> textos = db_.Textos();
  EXPECT_NE(std::find(textos.begin(), textos.end(), kVersion614), textos.end());
}

const std::string kEntrada = std::string(kEtiqueta) + std::to_string(kFalla);

INSTANTIATE_TEST_SUITE_P(
    Cases, Version61Host,
    ::testing::Values(
        CasoHost{"ProfilesUpTo3GiveHost4", [](auto&) {},
                 {kPerfilHost, kMaximo, InsertaPerfil(4), Permisos(4), InsertaPermisos(4),
                  kUsuarioHost, InsertaUsuario(4)},
                 {}},
        CasoHost{"NoProfilesGiveHost6",
                 [](auto& db) { db.Responde(kMaximo, {{"MAXPERFIL"}, {{Variant::Null()}}}); },
                 {kPerfilHost, kMaximo, InsertaPerfil(6), Permisos(6), InsertaPermisos(6),
                  kUsuarioHost, InsertaUsuario(6)},
                 {}},
        CasoHost{"AnExistingHostProfileKeepsItsCode",
                 [](auto& db) { db.Responde(kPerfilHost, {{"COD_PERFIL"}, {{Variant(9)}}}); },
                 {kPerfilHost, Permisos(9), InsertaPermisos(9), kUsuarioHost, InsertaUsuario(9)},
                 {}},
        CasoHost{"EverythingThereOnlyLooks",
                 [](auto& db) {
                   db.Responde(kPerfilHost, {{"COD_PERFIL"}, {{Variant(4)}}});
                   db.Responde(Permisos(4), {{"COD_PERFIL"}, {{Variant(4)}}});
                   db.Responde(kUsuarioHost, {{"COD_USU"}, {{Variant("HOST")}}});
                 },
                 {kPerfilHost, Permisos(4), kUsuarioHost},
                 {}},
        // Where the profile's code cannot be established, the HOST user, whose password
        // is known, is not added under a guessed profile: the cause is logged once.
        CasoHost{"TheHostLookupFails",
                 [](auto& db) { db.Falla(kPerfilHost, kFalla, "Invalid object name"); },
                 {kPerfilHost},
                 {kEntrada}},
        CasoHost{"TheMaximumLookupFails",
                 [](auto& db) { db.Falla(kMaximo, kFalla, "Invalid object name"); },
                 {kPerfilHost, kMaximo},
                 {kEntrada}},
        CasoHost{"NoCodeAbove32767",
                 [](auto& db) { db.Responde(kMaximo, {{"MAXPERFIL"}, {{Variant(32767)}}}); },
                 {kPerfilHost, kMaximo},
                 {std::string(kEtiqueta) + "6"}},
        CasoHost{"AFailedUserLookupStillSendsTheInsert",
                 [](auto& db) { db.Falla(kUsuarioHost, kFalla, "refused"); },
                 {kPerfilHost, kMaximo, InsertaPerfil(4), Permisos(4), InsertaPermisos(4),
                  kUsuarioHost, InsertaUsuario(4)},
                 {kEntrada, std::string(kEtiqueta) + "3704", std::string(kEtiqueta) + "3704"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(Version61Grabada, TheLogSaysWhyNoHostUserWasAdded) {
  SinHost();
  db_.Falla(kPerfilHost, kFalla, "Invalid object name 'tblPerfiles'.");
  ModificarEstructura61(cnx_, ManejadorSQLServer);
  EXPECT_EQ(log_.Contenido(),
            Entrada(kEtiqueta, kFalla,
                    "Invalid object name 'tblPerfiles'. (no se pudo establecer el perfil HOST: "
                    "no se agregan sus permisos ni el usuario HOST)"));
}

// ------------------------------------------------------------ on MariaDB

class Version61 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_599.sql");
  }
};

TEST_F(Version61, AfterVersion60AndAgain) {
  ModificarEstructura60(cnx_, ManejadorMySQL);
  ModificarEstructura61(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"614", "0"}}));

  EXPECT_EQ(Consulta("SELECT CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE FROM information_schema.COLUMNS "
                     "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME='tblCatClientes' AND "
                     "COLUMN_NAME='MAIL_CFD'"),
            (Filas{{"255", "NO"}}));
  // Every invoice line whose unit price was Null or 0 has its sale price.
  EXPECT_EQ(Consulta("SELECT PCIO_UNI FROM tblFacturasRen ORDER BY RENGLON"),
            (Filas{{"10.5000"}, {"20.0000"}, {"25.0000"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVTC FROM tblProveedoresTC ORDER BY 1"), (Filas{{"1"}, {"4"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblTcPromociones"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT APROBACION_MOV, PROPINA_MOVTC FROM tblBitacoraTC ORDER BY FOLIO"),
            (Filas{{"", "0.0000"}, {"AP2", "5.0000"}}));
  EXPECT_EQ(Consulta("SELECT APROBACION_MOV, PROPINA_MOVTC FROM tblTemporalesTC"),
            (Filas{{"", "0.0000"}}));
  EXPECT_EQ(Consulta("SELECT ID_CLIENTE FROM tblTCTerminales ORDER BY NUM_TERMINAL"),
            (Filas{{""}, {"CLI2"}}));
  EXPECT_EQ(Consulta("SELECT PRINT_TC FROM tblCajas ORDER BY COD_CAJ LIMIT 2"),
            (Filas{{""}, {"EPSON"}}));

  // Profiles 0 to 3: HOST is 4, with every permission 0, and the user HOST has it.
  EXPECT_EQ(Consulta("SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST'"),
            (Filas{{"4"}}));
  const Filas permisos = Consulta("SELECT * FROM tblPerfilPermisos WHERE COD_PERFIL=4");
  ASSERT_EQ(permisos.size(), 1u);
  ASSERT_EQ(permisos[0].size(), 28u);
  EXPECT_TRUE(std::all_of(permisos[0].begin() + 1, permisos[0].end(),
                          [](const std::string& v) { return v == "0"; }));
  EXPECT_EQ(Consulta("SELECT NOM_USU, ESTATUS, TIP_USU, PASS1_USU, PASS2_USU, COM_USU, MAX_DES "
                     "FROM tblUsuarios WHERE COD_USU='HOST'"),
            (Filas{{"HOST", "0", "4", "Hq3WzK8rTbM=", "Hq3WzK8rTbM=", "0.0000", "0.0000"}}));

  // Again: nothing is added twice and nothing fails.
  ModificarEstructura61(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblPerfiles WHERE DES_PERFIL='HOST'"), (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblPerfilPermisos"), (Filas{{"5"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblUsuarios"), (Filas{{"2"}}));
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"614"}}));
}

// Zero dates of invoice and physical-inventory lines are repaired on MySQL too.
TEST_F(Version61, ZeroDatesOnMySQL) {
  ModificarEstructura61(cnx_, ManejadorMySQL);
  EXPECT_EQ(Consulta("SELECT NUM_LOT, FEC_CAD FROM tblFacturasRen ORDER BY RENGLON"),
            (Filas{{"", "1800-01-01"}, {"L1", "1800-01-01"}, {"L2", "2026-02-28"}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico ORDER BY FOLIO"),
            (Filas{{"1800-01-01"}, {"1800-01-01"}, {"2026-03-31"}}));
}

// An existing HOST user is left as it is, whatever its profile.
TEST_F(Version61, AnExistingHostUserStaysAsItIs) {
  bd_->EjecutaSql("INSERT INTO tblPerfiles VALUES (9, 'HOST');"
                  "INSERT INTO tblUsuarios (COD_USU, NOM_USU, TIP_USU, PASS1_USU, PASS2_USU) "
                  "VALUES ('HOST', 'MI HOST', 2, 'p1', 'p2');");
  ModificarEstructura61(cnx_, ManejadorMySQL);
  EXPECT_EQ(Consulta("SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST'"),
            (Filas{{"9"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblPerfilPermisos WHERE COD_PERFIL=9"), (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT NOM_USU, TIP_USU, PASS1_USU FROM tblUsuarios WHERE COD_USU='HOST'"),
            (Filas{{"MI HOST", "2", "p1"}}));
}

}  // namespace
