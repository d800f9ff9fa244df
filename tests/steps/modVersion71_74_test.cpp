#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Error.h"
#include "steps/6x_7x/ProveedoresTarjeta.h"
#include "steps/6x_7x/modVersion62.h"
#include "steps/6x_7x/modVersion63.h"
#include "steps/6x_7x/modVersion64_70.h"
#include "steps/6x_7x/modVersion71.h"
#include "steps/6x_7x/modVersion72.h"
#include "steps/6x_7x/modVersion73.h"
#include "steps/6x_7x/modVersion74.h"
#include "support/CatalogoDePrueba.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Encabezados;
using prueba::Entrada;
using prueba::FallaQueSale;
using prueba::Filas;
using prueba::Mas;
using prueba::SinFilas;
using prueba::SinVersion;
using ::testing::ElementsAreArray;
using Sentencias = std::vector<std::string>;

constexpr long kFalla = -2147217900;
constexpr const char* kCerrado = prueba::kObjetoCerrado;
const std::string kSitio4 = kSitioPruebaProveedor4;

bool GraboVersion(const Sentencias& textos) { return SinVersion(textos).size() != textos.size(); }

// ------------------------------------------------------------ shared statement texts

constexpr const char* kMulticom = "SELECT * FROM tblProveedoresSE WHERE COD_PROVSE=1;";
constexpr const char* kInsertaMulticom =
    "INSERT INTO tblProveedoresSE (COD_PROVSE,DES_PROVSE) VALUES (1,'Multicom®');";
constexpr const char* kPrimeraFilaPSE = "SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;";

// The expiry repair on SQL Server and MS Access (no zero dates there).
Sentencias Caducidades(const std::string& fecha) {
  return {"UPDATE tblRenInvFisico SET FEC_CAD=" + fecha + " WHERE (FEC_CAD IS NULL);"};
}

// The electronic-services block with provider 1 present and no parameters row.
const Sentencias kServiciosElectronicos = {
    kMulticom, "UPDATE tblParametrosGenerales SET PSE_CODPROV=0 WHERE (PSE_CODPROV IS NULL);",
    kPrimeraFilaPSE};

std::string ConsultaTC(int codigo) {
  return "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=" + std::to_string(codigo) +
         ";";
}

std::string InsertaTC(int codigo, const std::string& nombre, const std::string& sitio) {
  return "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) VALUES (" +
         std::to_string(codigo) + ",'" + nombre + "','" + sitio + "','');";
}

const std::string kSitioProveedor4 =
    "UPDATE tblProveedoresTC SET SITIO_PROVTC='" + kSitio4 + "' WHERE COD_PROVTC=4;";
const std::string kSitioParametros =
    "UPDATE tblParametrosGenerales SET TC_IDSITIO='" + kSitio4 + "' WHERE TC_SERVICIO=4;";

// A recorded run in which the lookups find what a database at 7.0 holds: providers 1 and
// 3 of cards, provider 1 of electronic services, no parameters row.
class Version7xGrabada : public prueba::RutinaGrabada {
 protected:
  Version7xGrabada() {
    for (int codigo : {1, 3}) db_.Responde(ConsultaTC(codigo), {{"COD_PROVTC"}, {{codigo}}});
    for (int codigo : {2, 4}) db_.Responde(ConsultaTC(codigo), SinFilas({"COD_PROVTC"}));
    db_.Responde(kMulticom, {{"COD_PROVSE", "DES_PROVSE"}, {{1, "Multicom®"}}});
    db_.Responde(kPrimeraFilaPSE, SinFilas({"CNX_PSE", "PSE_CODPROV"}));
  }
};

// ================================================================ 7.1 and 7.2

constexpr const char* kTotalNV =
    "UPDATE tblNotasPorFactura SET TOTAL_NV=0 WHERE (TOTAL_NV IS NULL);";

struct Dialecto {
  std::int16_t iManejador;
  const char* fecha;
};

void PrintTo(const Dialecto& d, std::ostream* os) { *os << d.iManejador; }

class Version71y72Formas : public Version7xGrabada,
                           public ::testing::WithParamInterface<Dialecto> {};

// SQL Server and MS Access: the date literal of each and no zero-date repair; only the
// missing card providers are added, 4 with its test site.
TEST_P(Version71y72Formas, AsStep72SendsThem) {
  const std::int16_t iManejador = GetParam().iManejador;
  ModificarEstructura71(cnx_, iManejador);
  ModificarEstructura72(cnx_, iManejador);
  const Sentencias caducidades = Caducidades(GetParam().fecha);
  EXPECT_THAT(SinVersion(db_.Textos()),
              ElementsAreArray(Mas(Mas(Mas({kTotalNV}, caducidades), kServiciosElectronicos),
                                   Mas(Mas({ConsultaTC(1), ConsultaTC(2),
                                            InsertaTC(2, "ProsePago®", ""), ConsultaTC(3),
                                            ConsultaTC(4), InsertaTC(4, "Moneris®", kSitio4)},
                                           caducidades),
                                       kServiciosElectronicos))));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(Dialectos, Version71y72Formas,
                         ::testing::Values(Dialecto{ManejadorSQLServer, "'1800-01-01'"},
                                           Dialecto{ManejadorAccess, "#1800/01/01#"}),
                         [](const auto& info) { return std::to_string(info.param.iManejador); });

// 7.1 logs every failure and goes on: a lookup that cannot be read still sends its insert,
// after the entries of its test and its close.
TEST_F(Version7xGrabada, Version71LogsEveryFailureAndRecordsItsVersion) {
  db_.Falla(kTotalNV, kFalla, "Unknown column 'TOTAL_NV'");
  db_.Falla(kMulticom, kFalla, "Table 'tblProveedoresSE' doesn't exist");
  db_.Falla(kInsertaMulticom, kFalla, "Table 'tblProveedoresSE' doesn't exist");
  EXPECT_NO_THROW(ModificarEstructura71(cnx_, ManejadorSQLServer));
  const std::string etiqueta = "Error en ModificarEstructura71 :";
  const std::string sinTabla = Entrada(etiqueta, kFalla, "Table 'tblProveedoresSE' doesn't exist");
  EXPECT_EQ(log_.Contenido(), Entrada(etiqueta, kFalla, "Unknown column 'TOTAL_NV'") + sinTabla +
                                  Entrada(etiqueta, 3704, kCerrado) + sinTabla +
                                  Entrada(etiqueta, 3704, kCerrado));
  EXPECT_TRUE(GraboVersion(db_.Textos()));
}

struct FallaDe72 {
  const char* nombre;
  std::string falla;
  bool sale;  // the failure leaves the routine, before its version row
};

void PrintTo(const FallaDe72& caso, std::ostream* os) { *os << caso.nombre; }

class Version72Fallas : public Version7xGrabada,
                        public ::testing::WithParamInterface<FallaDe72> {};

// The card providers run with no handler: their first failure leaves the routine with no
// entry, the codes after it unseen. Later statements are logged and skipped.
TEST_P(Version72Fallas, HandlerStateOfEachStretch) {
  db_.Falla(GetParam().falla, kFalla, "refused");
  if (GetParam().sale) {
    EXPECT_EQ(FallaQueSale([&] { ModificarEstructura72(cnx_, ManejadorSQLServer); }).Number(),
              kFalla);
    EXPECT_EQ(db_.Textos().back(), GetParam().falla);
    EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  } else {
    EXPECT_NO_THROW(ModificarEstructura72(cnx_, ManejadorSQLServer));
    EXPECT_EQ(log_.Contenido(), Entrada("Error en ModificarEstructura72 :", kFalla, "refused"));
  }
  EXPECT_EQ(GraboVersion(db_.Textos()), !GetParam().sale);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Version72Fallas,
    ::testing::Values(FallaDe72{"AProviderLookup", ConsultaTC(1), true},
                      FallaDe72{"AProviderInsert", InsertaTC(2, "ProsePago®", ""), true},
                      FallaDe72{"TheExpiryRepair", Caducidades("'1800-01-01'")[0], false},
                      FallaDe72{"TheProviderCodeFill", kServiciosElectronicos[1], false}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ================================================================ 7.3

Sentencias Ampliaciones73(const std::string& verbo, const std::string& tipo) {
  return {"ALTER TABLE tblEmpresa " + verbo + " INT_EMP " + tipo,
          "ALTER TABLE tblLugarExpedicion " + verbo + " INT_EXP " + tipo,
          "ALTER TABLE tblCatClientes " + verbo + " NUM_INT " + tipo};
}

constexpr const char* kDevolucionesNulas =
    "UPDATE tblEncDevolucion SET ENVIADO=1 WHERE (ENVIADO IS NULL);";

Sentencias SinManejador73(bool desdeAntes) {
  Sentencias s;
  if (desdeAntes)
    s = {kDevolucionesNulas, "UPDATE tblEncDevolucion SET ENVIADO=1 WHERE (ENVIADO=0);"};
  else
    s = {"UPDATE tblEncDevolucion SET ENVIADO=0 WHERE (ENVIADO IS NULL);"};
  s.push_back("UPDATE tblParametrosGenerales SET CP_PLAZOBACK=0 WHERE (CP_PLAZOBACK IS NULL);");
  s.push_back("UPDATE tblParametrosGenerales SET PV_LOTCAD=1 WHERE (PV_LOTCAD IS NULL);");
  if (desdeAntes) s.push_back("UPDATE tblParametrosGenerales SET PV_LOTCAD=1;");
  return Mas(s, {"UPDATE tblParametrosGenerales SET REM_CODPROV=0 WHERE (REM_CODPROV IS NULL);",
                 "UPDATE tblFacturasEnc SET SAT_MPAGO='' WHERE (SAT_MPAGO IS NULL);",
                 "UPDATE tblFacturasEnc SET CTA_PAGO='' WHERE (CTA_PAGO IS NULL);",
                 kSitioProveedor4, kSitioParametros});
}

struct Forma73 {
  std::int16_t iManejador;
  std::int16_t iVersionActual;
  const char* verbo;
  const char* tipo;
  const char* fecha;
};

void PrintTo(const Forma73& f, std::ostream* os) { *os << f.iManejador << "/" << f.iVersionActual; }

class Version73Formas : public Version7xGrabada, public ::testing::WithParamInterface<Forma73> {};

TEST_P(Version73Formas, WideningsAndTheStretchForTheVersionAtTheStart) {
  const Forma73& f = GetParam();
  ModificarEstructura73(cnx_, f.iManejador, f.iVersionActual);
  EXPECT_THAT(SinVersion(db_.Textos()),
              ElementsAreArray(Mas(Mas(Mas(Ampliaciones73(f.verbo, f.tipo),
                                           SinManejador73(f.iVersionActual < 730)),
                                       Caducidades(f.fecha)),
                                   kServiciosElectronicos)));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Dialectos, Version73Formas,
    ::testing::Values(
        Forma73{ManejadorSQLServer, 720, "ALTER COLUMN", "VARCHAR(255) NOT NULL;", "'1800-01-01'"},
        Forma73{ManejadorSQLServer, 730, "ALTER COLUMN", "VARCHAR(255) NOT NULL;", "'1800-01-01'"},
        Forma73{ManejadorAccess, 710, "ALTER COLUMN", "TEXT(255);", "#1800/01/01#"}));

// A widening that fails is logged; a failure in the stretch without a handler leaves the
// routine with no entry, nothing after it sent.
TEST_F(Version7xGrabada, Version73HandlerStates) {
  const Sentencias ampliaciones = Ampliaciones73("ALTER COLUMN", "VARCHAR(255) NOT NULL;");
  db_.Falla(ampliaciones[1], kFalla, "Table 'tblLugarExpedicion' doesn't exist");
  db_.Falla(kDevolucionesNulas, kFalla, "UPDATE denied");
  EXPECT_EQ(
      FallaQueSale([&] { ModificarEstructura73(cnx_, ManejadorSQLServer, 720); }).Description(),
      "UPDATE denied");
  EXPECT_THAT(db_.Textos(), ElementsAreArray(Mas(ampliaciones, {kDevolucionesNulas})));
  EXPECT_EQ(log_.Contenido(), Entrada("Error en ModificarEstructura73 :", kFalla,
                                      "Table 'tblLugarExpedicion' doesn't exist"));
}

// ================================================================ 7.4

// The fills and fixes before the handler, for SQL Server and MS Access (no zero dates).
Sentencias Rellenos74(const std::string& fecha) {
  return {
      "UPDATE tblAvisos SET AVISOS_ACTIVO=0 WHERE (AVISOS_ACTIVO IS NULL);",
      "UPDATE tblAvisos SET CORREO_SALIDA='' WHERE (CORREO_SALIDA IS NULL);",
      "UPDATE tblAvisos SET PASS_MAILSALIDA='' WHERE (PASS_MAILSALIDA IS NULL);",
      "UPDATE tblAvisos SET CORREO_AVISOS='' WHERE (CORREO_AVISOS IS NULL);",
      "UPDATE tblAvisos SET AVISO_CANCELANV=0 WHERE (AVISO_CANCELANV IS NULL);",
      "UPDATE tblCatAlmacenes SET INV_CICLICO=0 WHERE (INV_CICLICO IS NULL);",
      "UPDATE tblCatAlmacenes SET DIA_CICLICO=0 WHERE (DIA_CICLICO IS NULL);",
      "UPDATE tblCatAlmacenes SET CANT_CICLICO=0 WHERE (CANT_CICLICO IS NULL);",
      "UPDATE tblCatAlmacenes SET PORC_SINMOV=0 WHERE (PORC_SINMOV IS NULL);",
      "UPDATE tblCatAlmacenes SET ULTIMO_CICLICO=" + fecha + " WHERE (ULTIMO_CICLICO IS NULL);",
      "UPDATE tblParametrosGenerales SET INV_SUCPPAL=0 WHERE (INV_SUCPPAL IS NULL);",
      kSitioProveedor4,
      kSitioParametros,
      "UPDATE tblEncPedidos SET FOL_FACTURA='' WHERE (FOL_FACTURA IS NULL);",
      "UPDATE tblOCOMEnc SET ENVIADO=0 WHERE (ENVIADO IS NULL);",
      "UPDATE tblCatClientes SET DP_CLI='' WHERE (DP_CLI IS NULL);",
      "UPDATE tblGralVentas SET DP_DESTINO='' WHERE (DP_DESTINO IS NULL);",
      "UPDATE tblGralVentas SET DP_ENTREGA=0 WHERE (DP_ENTREGA IS NULL);",
      "UPDATE tblFacturasEnc SET DP_DESTINO='' WHERE (DP_DESTINO IS NULL);",
      "UPDATE tblFacturasEnc SET DP_ENTREGA=0 WHERE (DP_ENTREGA IS NULL);",
      "UPDATE tblEmpresa SET WEBPAGE='' WHERE (WEBPAGE IS NULL);",
      "UPDATE tblSucursales SET ES_PRINCIPAL=1 WHERE (ES_PRINCIPAL<>0);"};
}

std::string PlantillaConteo(int perfil, int orden, int rama, int modulo) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" +
         std::to_string(perfil) + "," + std::to_string(orden) +
         ",'mnuAlmFisCont','Generar Conteo'," + std::to_string(rama) + "," +
         std::to_string(modulo) + ");";
}

std::string BuscaPlantilla(int orden, int perfil, int modulo) {
  return "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=" + std::to_string(orden) +
         ") AND (COD_PERFIL=" + std::to_string(perfil) +
         ") AND (MODULO_EDICION=" + std::to_string(modulo) + ");";
}

constexpr const char* kUsuarios74 = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<=2;";

Sentencias MenusDe(const std::string& usuario) {
  return {"INSERT INTO tblMenusPV (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + usuario +
              "',69,'mnuAlmFisCont');",
          "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + usuario +
              "',67,'mnuAlmFisCont');"};
}

class Version74Grabada : public Version7xGrabada {
 protected:
  // Profile 1 of module 10 already holds order 69; every other template row is missing.
  Version74Grabada() {
    for (int perfil : {0, 1, 2}) {
      db_.Responde(BuscaPlantilla(69, perfil, 10),
                   perfil == 1 ? prueba::Resultado{{"COD_PERFIL"}, {{1}}}
                               : SinFilas({"COD_PERFIL"}));
      db_.Responde(BuscaPlantilla(67, perfil, 11), SinFilas({"COD_PERFIL"}));
    }
    db_.Responde(kUsuarios74, {{"COD_USU"}, {{"ADMIN"}, {"D'ANGELO"}}});
  }
  Sentencias Otorgamiento() const {
    return Mas(Mas({BuscaPlantilla(69, 0, 10), PlantillaConteo(0, 69, 64, 10),
                    BuscaPlantilla(69, 1, 10), BuscaPlantilla(69, 2, 10),
                    PlantillaConteo(2, 69, 64, 10), BuscaPlantilla(67, 0, 11),
                    PlantillaConteo(0, 67, 63, 11), BuscaPlantilla(67, 1, 11),
                    PlantillaConteo(1, 67, 63, 11), BuscaPlantilla(67, 2, 11),
                    PlantillaConteo(2, 67, 63, 11), kUsuarios74},
                   MenusDe("ADMIN")),
               MenusDe("D''ANGELO"));
  }
};

class Version74Formas : public Version74Grabada, public ::testing::WithParamInterface<Dialecto> {};

// The grant's parent is 64 in module 10 and 63 in module 11; the user code goes in quoted.
TEST_P(Version74Formas, FillsGrantAndBlocks) {
  ModificarEstructura74(cnx_, GetParam().iManejador, 730);
  EXPECT_THAT(SinVersion(db_.Textos()),
              ElementsAreArray(Mas(Mas(Mas(Rellenos74(GetParam().fecha), Otorgamiento()),
                                       kServiciosElectronicos),
                                   Caducidades(GetParam().fecha))));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(Dialectos, Version74Formas,
                         ::testing::Values(Dialecto{ManejadorSQLServer, "'1800-01-01'"},
                                           Dialecto{ManejadorAccess, "#1800/01/01#"}),
                         [](const auto& info) { return std::to_string(info.param.iManejador); });

// A fill before the handler that fails leaves the routine at once, with no entry.
TEST_F(Version74Grabada, AFillBeforeTheHandlerLeavesTheRoutine) {
  const Sentencias rellenos = Rellenos74("'1800-01-01'");
  db_.Falla(rellenos[0], kFalla, "Table 'tblAvisos' doesn't exist");
  FallaQueSale([&] { ModificarEstructura74(cnx_, ManejadorSQLServer, 720); });
  EXPECT_THAT(db_.Textos(), ElementsAreArray({rellenos[0]}));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// Under the handler: a refused template row or per-user row is logged and the rest goes
// on; a users' query that cannot be read gives no per-user rows (its test, the loop's end
// test and its close are logged).
TEST_F(Version74Grabada, GrantFailuresAreLogged) {
  db_.Falla(PlantillaConteo(0, 69, 64, 10), kFalla, "Duplicate entry");
  db_.Falla(kUsuarios74, kFalla, "Table 'tblUsuarios' doesn't exist");
  ModificarEstructura74(cnx_, ManejadorSQLServer, 730);
  const std::string etiqueta = "Error en ModificarEstructura74 :";
  EXPECT_EQ(log_.Contenido(),
            Entrada(etiqueta, kFalla, "Duplicate entry") +
                Entrada(etiqueta, kFalla, "Table 'tblUsuarios' doesn't exist") +
                Entrada(etiqueta, 3704, kCerrado) + Entrada(etiqueta, 3704, kCerrado) +
                Entrada(etiqueta, 3704, kCerrado));
  const Sentencias textos = db_.Textos();
  EXPECT_EQ(std::count_if(textos.begin(), textos.end(),
                          [](const std::string& s) { return s.find("tblMenus") != s.npos; }),
            0);
  EXPECT_TRUE(GraboVersion(textos));
}

// ================================================================ on MariaDB

class Version7x : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_700_73x.sql");
  }
  void PonVersion(int version) const {
    bd_->EjecutaSql("UPDATE tblVersion SET VER=" + std::to_string(version) + ";");
  }
  // A trigger that refuses every change of one kind to a table, as a locked table would.
  void Rechaza(const std::string& tabla, const std::string& cambio) const {
    bd_->EjecutaSql("CREATE TRIGGER trgRechaza BEFORE " + cambio + " ON " + tabla +
                    " FOR EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='" + cambio +
                    " refused';");
  }
  // Step 7.2's calls.
  void Paso72() {
    ModificarEstructura71(cnx_, ManejadorMySQL);
    ModificarEstructura72(cnx_, ManejadorMySQL);
  }
  // Step 7.3's calls, with the version the run reads at its start.
  void Paso73(std::int16_t iVersionActual) {
    Paso72();
    ModificarEstructura73(cnx_, ManejadorMySQL, iVersionActual);
  }
  Filas Version() const { return Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"); }
};

const Filas kProveedoresTC = {{"1", "MerchantWARE®", "", ""},
                              {"2", "ProsePago®", "", ""},
                              {"3", "SmartPayment®", "pagos.tienda.local", "R3"},
                              {"4", "Moneris®", kSitio4, ""}};
constexpr const char* kConsultaTC =
    "SELECT COD_PROVTC, DES_PROVTC, SITIO_PROVTC, RESP_PROVTC FROM tblProveedoresTC ORDER BY 1";

// Steps 6.2 to 7.4 as the ladder runs them on a shop at 6.1: each step brings the
// database in line with the reference catalogue before
// its routines, and nothing is logged. A warehouse written without a last-count date gets
// the zero date, which 7.4 repairs.
class Catalogo7x : public prueba::RutinaConCatalogo {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(prueba::CatalogoDeReferencia());
  }
};

TEST_F(Catalogo7x, FromTheFixtureAt61To74) {
  CreaBase("bd/version_614.sql");
  const std::int16_t iVersionActual = 614;
  for (const std::function<void()>& paso : std::vector<std::function<void()>>{
           [&] {
             bd_->EjecutaSql("INSERT INTO tblCatAlmacenes (COD_ALM, NOM_ALM) VALUES ('01', 'G');");
             ModificarEstructura62(cnx_, ManejadorMySQL, 952);
           },
           [&] { ModificarEstructura63(cnx_, ManejadorMySQL, 952); },
           [&] { ModificarEstructura70(cnx_, ManejadorMySQL); },
           [&] {
             ModificarEstructura71(cnx_, ManejadorMySQL);
             ModificarEstructura72(cnx_, ManejadorMySQL);
           },
           [&] {
             ModificarEstructura71(cnx_, ManejadorMySQL);
             ModificarEstructura72(cnx_, ManejadorMySQL);
             ModificarEstructura73(cnx_, ManejadorMySQL, iVersionActual);
           },
           [&] { ModificarEstructura74(cnx_, ManejadorMySQL, iVersionActual); }}) {
    Sincroniza();
    paso();
  }
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"740"}}));
  EXPECT_EQ(Consulta("SELECT COD_ALM, ULTIMO_CICLICO FROM tblCatAlmacenes"),
            (Filas{{"01", "1800-01-01"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblPlantillaMenus WHERE NOMBRE_OPCION='mnuAlmFisCont'"),
            (Filas{{"6"}}));
}

// Step 7.2 from 7.0: the fills, both date repairs, provider 1 of electronic services for
// the shop that names its connection, the missing card providers; and a second run changes
// nothing and logs nothing.
TEST_F(Version7x, Step72FromTheFixtureAndAgain) {
  Paso72();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"720", "0"}}));
  EXPECT_EQ(Consulta("SELECT TOTAL_NV FROM tblNotasPorFactura ORDER BY FOLIO_NV"),
            (Filas{{"0.0000"}, {"150.5000"}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico ORDER BY RENGLON"),
            (Filas{{"1800-01-01"}, {"1800-01-01"}, {"2027-05-31"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVSE, DES_PROVSE FROM tblProveedoresSE ORDER BY 1"),
            (Filas{{"1", "Multicom®"}, {"2", "PAGOS LOCALES"}}));
  EXPECT_EQ(Consulta("SELECT PSE_CODPROV FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"1"}, {"1"}, {"1"}}));
  EXPECT_EQ(Consulta(kConsultaTC), kProveedoresTC);

  const Filas proveedores = Consulta("SELECT * FROM tblProveedoresSE ORDER BY 1");
  Paso72();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresSE ORDER BY 1"), proveedores);
  EXPECT_EQ(Consulta(kConsultaTC), kProveedoresTC);
  EXPECT_EQ(Version(), (Filas{{"720", "0"}}));
}

// A card provider that cannot be added stops step 7.2 with no entry: 7.1 is recorded,
// 7.2 is not.
TEST_F(Version7x, ARefusedCardProviderStopsAt71) {
  Rechaza("tblProveedoresTC", "INSERT");
  EXPECT_THROW(Paso72(), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"710", "0"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblProveedoresTC"), (Filas{{"2"}}));
}

struct Desde73 {
  std::int16_t iVersionActual;
  Filas enviados;  // ENVIADO of returns 1 (Null), 2 (0) and 3 (1)
  Filas lotesCaducidad;  // PV_LOTCAD of MATRIZ (0), SUC01 (Null), SUC02 (2)
};

void PrintTo(const Desde73& caso, std::ostream* os) { *os << caso.iVersionActual; }

class Version73Desde : public Version7x, public ::testing::WithParamInterface<Desde73> {};

// Below 7.3 every return counts as sent and every row keeps batch expiries; re-run at 7.3
// only the Nulls are filled.
TEST_P(Version73Desde, ReturnsAndBatchExpiries) {
  PonVersion(GetParam().iVersionActual);
  Paso73(GetParam().iVersionActual);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"730", "0"}}));
  EXPECT_EQ(Consulta("SELECT ENVIADO FROM tblEncDevolucion ORDER BY FOLIO"), GetParam().enviados);
  EXPECT_EQ(Consulta("SELECT PV_LOTCAD FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            GetParam().lotesCaducidad);
  // The rest does not depend on the version.
  EXPECT_EQ(Consulta("SELECT COD_SUCU, CP_PLAZOBACK, REM_CODPROV, TC_SERVICIO, TC_IDSITIO FROM "
                     "tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"MATRIZ", "0", "0", "1", "sitio1"},
                   {"SUC01", "5", "3", "4", kSitio4},
                   {"SUC02", "0", "0", "0", ""}}));
  EXPECT_EQ(Consulta("SELECT SAT_MPAGO, CTA_PAGO FROM tblFacturasEnc ORDER BY FOLIO"),
            (Filas{{"", ""}, {"01", "1234"}}));
  EXPECT_EQ(Consulta(kConsultaTC), kProveedoresTC);
  EXPECT_EQ(Consulta("SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE FROM "
                     "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND COLUMN_NAME "
                     "IN ('INT_EMP','INT_EXP','NUM_INT') ORDER BY 1"),
            (Filas{{"tblcatclientes", "NUM_INT", "varchar(255)", "NO"},
                   {"tblempresa", "INT_EMP", "varchar(255)", "NO"},
                   {"tbllugarexpedicion", "INT_EXP", "varchar(255)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT INT_EMP FROM tblEmpresa"), (Filas{{"A-3"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Versiones, Version73Desde,
    ::testing::Values(Desde73{700, {{"1"}, {"1"}, {"1"}}, {{"1"}, {"1"}, {"1"}}},
                      Desde73{720, {{"1"}, {"1"}, {"1"}}, {{"1"}, {"1"}, {"1"}}},
                      Desde73{730, {{"0"}, {"0"}, {"1"}}, {{"0"}, {"1"}, {"2"}}}),
    [](const auto& info) { return std::to_string(info.param.iVersionActual); });

// Returns that cannot be written stop step 7.3 with no entry, at 720, the widenings done.
TEST_F(Version7x, RefusedReturnsStopStep73At720) {
  PonVersion(720);
  Rechaza("tblEncDevolucion", "UPDATE");
  EXPECT_THROW(Paso73(720), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"720", "0"}}));
  EXPECT_EQ(Consulta("SELECT COLUMN_TYPE FROM information_schema.COLUMNS WHERE "
                     "TABLE_SCHEMA=DATABASE() AND COLUMN_NAME='INT_EMP'"),
            (Filas{{"varchar(255)"}}));
  EXPECT_EQ(Consulta("SELECT PV_LOTCAD FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"0"}, {"NULL"}, {"2"}}));
}

// A database at 7.3 runs step 7.3 again and stops in 7.2's providers: 7.1's row does not
// take its version down, so the next run still starts from 7.3 and the returns that were
// not sent stay unsent.
TEST_F(Version7x, AStopInStep73NeverTakesTheVersionDown) {
  PonVersion(730);
  bd_->EjecutaSql("DELETE FROM tblProveedoresTC WHERE COD_PROVTC=3;");
  Rechaza("tblProveedoresTC", "INSERT");
  EXPECT_THROW(Paso73(730), vb::Error);
  EXPECT_EQ(Version(), (Filas{{"730", "0"}}));

  bd_->EjecutaSql("DROP TRIGGER trgRechaza;");
  const Filas leida = Consulta("SELECT MAX(VER) FROM tblVersion");
  Paso73(static_cast<std::int16_t>(std::stoi(leida[0][0])));
  EXPECT_EQ(Version(), (Filas{{"730", "0"}}));
  EXPECT_EQ(Consulta("SELECT ENVIADO FROM tblEncDevolucion ORDER BY FOLIO"),
            (Filas{{"0"}, {"0"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT PV_LOTCAD FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"0"}, {"1"}, {"2"}}));
}

const Filas kPlantillaConteo = {{"0", "69", "64", "10"}, {"0", "67", "63", "11"},
                                {"1", "67", "63", "11"}, {"2", "69", "64", "10"},
                                {"2", "67", "63", "11"}};
constexpr const char* kConsultaPlantilla =
    "SELECT COD_PERFIL, ORDEN_MENU, ES_RAMA_DE, MODULO_EDICION FROM tblPlantillaMenus WHERE "
    "NOMBRE_OPCION='mnuAlmFisCont' ORDER BY 1, 4";
const Filas kMenusConteo = {{"ADMIN", "67", "FF"},    {"ADMIN", "69", "PV"},
                            {"CAJA1", "67", "FF"},    {"CAJA1", "69", "PV"},
                            {"D'ANGELO", "67", "FF"}, {"D'ANGELO", "69", "PV"}};
constexpr const char* kConsultaMenus =
    "SELECT COD_USUARIO, ORDEN_MENU, 'PV' FROM tblMenusPV WHERE NOMBRE_OPCION='mnuAlmFisCont' "
    "UNION ALL SELECT COD_USUARIO, ORDEN_MENU, 'FF' FROM tblMenusFF WHERE "
    "NOMBRE_OPCION='mnuAlmFisCont' ORDER BY 1, 2";

// Step 7.4 from 7.3: the fills, the zero dates, the main-branch flags; the option goes to
// profiles 0 to 2 (not where profile 1 already holds order 69 of module 10, nor profile 3)
// and to their users. A second run adds no template row and logs the per-user rows the
// keys refuse.
TEST_F(Version7x, Step74FromTheFixtureAndAgain) {
  PonVersion(730);
  ModificarEstructura74(cnx_, ManejadorMySQL, 730);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"740", "0"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblAvisos ORDER BY 1"),
            (Filas{{"1", "0", "", "", "", "0"},
                   {"2", "1", "salida@tienda.mx", "clave", "avisos@tienda.mx", "1"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblCatAlmacenes ORDER BY 1"),
            (Filas{{"01", "GENERAL", "0", "0", "0", "0", "1800-01-01"},
                   {"02", "BODEGA", "1", "3", "50", "10", "1800-01-01"},
                   {"03", "MOSTRADOR", "0", "0", "0", "0", "2026-11-30"}}));
  EXPECT_EQ(Consulta("SELECT FEC_CAD FROM tblRenInvFisico ORDER BY RENGLON"),
            (Filas{{"1800-01-01"}, {"1800-01-01"}, {"2027-05-31"}}));
  EXPECT_EQ(Consulta("SELECT COD_SUCU, INV_SUCPPAL, TC_IDSITIO FROM tblParametrosGenerales "
                     "ORDER BY 1"),
            (Filas{{"MATRIZ", "0", "sitio1"}, {"SUC01", "1", kSitio4}, {"SUC02", "0", ""}}));
  // Provider 4 is not there yet: the site update changes nothing and is no error.
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblProveedoresTC WHERE COD_PROVTC=4"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT FOL_FACTURA FROM tblEncPedidos ORDER BY 1"), (Filas{{""}, {"F9001"}}));
  EXPECT_EQ(Consulta("SELECT ENVIADO FROM tblOCOMEnc ORDER BY FOL_DOC"), (Filas{{"0"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT DP_CLI FROM tblCatClientes ORDER BY 1"), (Filas{{""}, {"DP7"}}));
  EXPECT_EQ(Consulta("SELECT DP_DESTINO, DP_ENTREGA FROM tblGralVentas ORDER BY FOLIO"),
            (Filas{{"", "0"}, {"DP7", "1"}}));
  EXPECT_EQ(Consulta("SELECT DP_DESTINO, DP_ENTREGA FROM tblFacturasEnc ORDER BY FOLIO"),
            (Filas{{"", "0"}, {"DP7", "2"}}));
  EXPECT_EQ(Consulta("SELECT WEBPAGE FROM tblEmpresa"), (Filas{{""}}));
  EXPECT_EQ(Consulta("SELECT COD_SUCU, ES_PRINCIPAL FROM tblSucursales ORDER BY 1"),
            (Filas{{"MATRIZ", "1"}, {"SUC01", "0"}, {"SUC02", "1"}, {"SUC03", "NULL"},
                   {"SUC04", "1"}}));
  EXPECT_EQ(Consulta(kConsultaPlantilla), kPlantillaConteo);
  EXPECT_EQ(Consulta("SELECT NOMBRE_OPCION FROM tblPlantillaMenus WHERE COD_PERFIL=1 AND "
                     "ORDEN_MENU=69"),
            (Filas{{"mnuAlmFisAju"}}));
  EXPECT_EQ(Consulta(kConsultaMenus), kMenusConteo);

  ModificarEstructura74(cnx_, ManejadorMySQL, 740);
  const std::vector<std::string> encabezados = Encabezados(log_.Contenido());
  EXPECT_EQ(encabezados, std::vector<std::string>(6, "Error en ModificarEstructura74 :-2147217873"))
      << log_.Contenido();
  EXPECT_EQ(Consulta(kConsultaPlantilla), kPlantillaConteo);
  EXPECT_EQ(Consulta(kConsultaMenus), kMenusConteo);
  EXPECT_EQ(Version(), (Filas{{"740", "0"}}));
}

// Warehouses that cannot be written stop step 7.4 with no entry, before the grant, the
// version left as it was.
TEST_F(Version7x, ARefusedFillStopsStep74BeforeTheGrant) {
  PonVersion(730);
  Rechaza("tblCatAlmacenes", "UPDATE");
  EXPECT_THROW(ModificarEstructura74(cnx_, ManejadorMySQL, 730), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"730", "0"}}));
  EXPECT_EQ(Consulta("SELECT AVISOS_ACTIVO FROM tblAvisos ORDER BY 1"), (Filas{{"0"}, {"1"}}));
  EXPECT_EQ(Consulta(kConsultaPlantilla), Filas{});
}

}  // namespace
