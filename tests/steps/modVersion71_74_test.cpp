#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Error.h"
#include "steps/6x_7x/BloquesTarjetasYServicios.h"
#include "steps/6x_7x/modVersion71.h"
#include "steps/6x_7x/modVersion72.h"
#include "steps/6x_7x/modVersion73.h"
#include "steps/6x_7x/modVersion74.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Encabezados;
using prueba::Entrada;
using prueba::Filas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using Sentencias = std::vector<std::string>;

constexpr long kFalla = -2147217900;
constexpr const char* kCerrado = "Operation is not allowed when the object is closed.";
const std::string kSitio4 = kSitioPrueba4;

Sentencias Mas(Sentencias sentencias, const Sentencias& otras) {
  sentencias.insert(sentencias.end(), otras.begin(), otras.end());
  return sentencias;
}

// The statements sent, without those of the version row (checked on the server).
Sentencias SinVersion(const Sentencias& textos) {
  Sentencias resto;
  std::copy_if(textos.begin(), textos.end(), std::back_inserter(resto), [](const std::string& s) {
    return s.find("tblVersion") == std::string::npos;
  });
  return resto;
}

bool GraboVersion(const Sentencias& textos) { return SinVersion(textos).size() != textos.size(); }

// Runs a routine whose handler is off where the failure happens: the failure leaves it.
vb::Error FallaQueSale(const std::function<void()>& rutina) {
  try {
    rutina();
  } catch (const vb::Error& error) {
    return error;
  }
  ADD_FAILURE() << "the routine let no failure out";
  return vb::Error(0, "");
}

// ------------------------------------------------------------ shared statement texts

constexpr const char* kMulticom = "SELECT * FROM tblProveedoresSE WHERE COD_PROVSE=1;";
constexpr const char* kInsertaMulticom =
    "INSERT INTO tblProveedoresSE (COD_PROVSE,DES_PROVSE) VALUES (1,'Multicom®');";
constexpr const char* kPrimeraFilaPSE = "SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;";

Sentencias Caducidades(const std::string& fecha, bool ceros) {
  Sentencias s = {"UPDATE tblRenInvFisico SET FEC_CAD=" + fecha + " WHERE (FEC_CAD IS NULL);"};
  if (ceros)
    s.push_back("UPDATE tblRenInvFisico SET FEC_CAD=" + fecha + " WHERE (FEC_CAD='0000-00-00');");
  return s;
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

class Version71y72Formas : public Version7xGrabada,
                           public ::testing::WithParamInterface<Dialecto> {};

// SQL Server and MS Access: the date literal of each and no zero-date repair; only the
// missing card providers are added, 4 with its test site.
TEST_P(Version71y72Formas, AsStep72SendsThem) {
  const std::int16_t iManejador = GetParam().iManejador;
  ModificarEstructura71(cnx_, iManejador);
  ModificarEstructura72(cnx_, iManejador);
  const Sentencias caducidades = Caducidades(GetParam().fecha, false);
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
                      FallaDe72{"TheExpiryRepair", Caducidades("'1800-01-01'", false)[0], false},
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
                                       Caducidades(f.fecha, false)),
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

struct Forma74 {
  std::int16_t iManejador;
  const char* fecha;
};

class Version74Formas : public Version74Grabada, public ::testing::WithParamInterface<Forma74> {};

// The grant's parent is 64 in module 10 and 63 in module 11; the user code goes in quoted.
TEST_P(Version74Formas, FillsGrantAndBlocks) {
  ModificarEstructura74(cnx_, GetParam().iManejador, 730);
  EXPECT_THAT(SinVersion(db_.Textos()),
              ElementsAreArray(Mas(Mas(Mas(Rellenos74(GetParam().fecha), Otorgamiento()),
                                       kServiciosElectronicos),
                                   Caducidades(GetParam().fecha, false))));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(Dialectos, Version74Formas,
                         ::testing::Values(Forma74{ManejadorSQLServer, "'1800-01-01'"},
                                           Forma74{ManejadorAccess, "#1800/01/01#"}),
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

}  // namespace
