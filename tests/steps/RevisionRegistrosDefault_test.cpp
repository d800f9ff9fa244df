#include "steps/8x_9x/RevisionRegistrosDefault.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "steps/8x_9x/modVersion82.h"
#include "steps/8x_9x/modVersion83.h"
#include "steps/8x_9x/modVersion84.h"
#include "steps/8x_9x/modVersion85.h"
#include "steps/8x_9x/modVersion86.h"
#include "steps/8x_9x/modVersion87.h"
#include "steps/8x_9x/modVersion88.h"
#include "steps/8x_9x/modVersion89.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "support/TestDatabase.h"

namespace {

using prueba::QueContienen;
using prueba::Envio;
using prueba::Contiene;
using prueba::EmpiezaCon;
using prueba::Entrada;
using prueba::Filas;
using prueba::Resultado;
using prueba::SinFilas;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr long kFalla = -2147217900;
constexpr const char* kCerrado = prueba::kObjetoCerrado;

class RevisionGrabada : public prueba::RutinaGrabada {
 protected:
  // Every lookup not answered otherwise finds no row. Call after the specific answers.
  void SinFilasLasDemas() { db_.Responde(EmpiezaCon("SELECT"), SinFilas({"X"})); }
  // The article, its group and its unit row are there.
  void ConArticulo() {
    for (const char* tabla : {"tblCatArticulos", "tblGpoArticulos", "tblUndCosPreArt"})
      db_.Responde(std::string("SELECT COD1_ART FROM ") + tabla +
                       " WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT';",
                   {{"COD1_ART"}, {{"QZ_CFDI33_VELMAR_SAT"}}});
  }
  void Revisa(std::int16_t iVersionDestino, std::int16_t iManejador = ManejadorMySQL) {
    RevisaRegistrosDefault(cnx_, iManejador, iVersionDestino, kRevision82);
  }
};

// ------------------------------------------------------------ the members

using Miembro = void (*)(ado::Connection&, std::int16_t, std::int16_t);

struct CasoMiembro {
  const char* nombre;
  Miembro miembro;
  std::string etiqueta;
  bool proveedoresPresentes;  // card providers 1 to 4 are all there, or none is
  std::set<int> insertados;
  std::set<int> borrados;
  bool corrigeMoneda;
};

void PrintTo(const CasoMiembro& c, std::ostream* os) { *os << c.nombre; }

class RevisionMiembros : public RevisionGrabada, public ::testing::WithParamInterface<CasoMiembro> {};

// Each member logs under its own name, and treats card providers and the currency as its
// row of the member table says.
TEST_P(RevisionMiembros, ProvidersAndCurrencyByMember) {
  const CasoMiembro& c = GetParam();
  for (int codigo = 1; codigo <= 4; ++codigo) {
    const std::string consulta =
        "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=" + std::to_string(codigo) + ";";
    if (c.proveedoresPresentes) db_.Responde(consulta, {{"COD_PROVTC"}, {{Variant(std::int16_t(codigo))}}});
  }
  SinFilasLasDemas();
  db_.Falla("UPDATE tblFormasPago SET CLAVE_SAT='01' WHERE (CLAVE_SAT='1');", kFalla, "refused");
  c.miembro(cnx_, ManejadorMySQL, 852);

  std::set<int> insertados, borrados;
  for (const std::string& t : QueContienen(db_.Textos(), "tblProveedoresTC")) {
    if (t.rfind("INSERT", 0) == 0)
      insertados.insert(t[t.find("VALUES (") + 8] - '0');
    else if (t.rfind("DELETE", 0) == 0)
      borrados.insert(t[t.find("COD_PROVTC=") + 11] - '0');
  }
  EXPECT_EQ(insertados, c.insertados);
  EXPECT_EQ(borrados, c.borrados);
  EXPECT_EQ(QueContienen(db_.Textos(), "tblMonedas"),
            c.corrigeMoneda ? std::vector<std::string>{"UPDATE tblMonedas SET ABREVIA='MXN' WHERE "
                                                       "(COD_MON=1) AND (ABREVIA IN('MN','M.N.'));"}
                            : std::vector<std::string>{});
  EXPECT_EQ(log_.Contenido(), Entrada(c.etiqueta, kFalla, "refused"));
}

std::string Etiqueta(int v) {
  return "Error en ModificarEstructura" + std::to_string(v) + " - Revisar Registros Default :";
}

INSTANTIATE_TEST_SUITE_P(
    Table, RevisionMiembros,
    ::testing::Values(
        CasoMiembro{"m82_none", modVersion82::RevisarRegistrosDefault, Etiqueta(82), false, {1, 2, 3, 4}, {}, false},
        CasoMiembro{"m82_all", modVersion82::RevisarRegistrosDefault, Etiqueta(82), true, {}, {}, false},
        CasoMiembro{"m83_none", modVersion83::RevisarRegistrosDefault, Etiqueta(83), false, {1, 2, 3, 4}, {}, false},
        CasoMiembro{"m84_all", modVersion84::RevisarRegistrosDefault, Etiqueta(84), true, {}, {}, false},
        CasoMiembro{"m85_none", modVersion85::RevisarRegistrosDefault, Etiqueta(85), false, {1, 2, 3, 4}, {}, true},
        CasoMiembro{"m86_all", modVersion86::RevisarRegistrosDefault, Etiqueta(86), true, {}, {}, true},
        CasoMiembro{"m87_none", modVersion87::RevisarRegistrosDefault, Etiqueta(87), false, {1, 2, 3, 4}, {}, true},
        CasoMiembro{"m88_none", modVersion88::RevisarRegistrosDefault, Etiqueta(88), false, {2, 3, 4}, {}, true},
        CasoMiembro{"m88_all", modVersion88::RevisarRegistrosDefault, Etiqueta(88), true, {}, {1}, true},
        CasoMiembro{"m89_none", modVersion89::RevisarRegistrosDefault, Etiqueta(89), false, {2, 3}, {4}, true},
        CasoMiembro{"m89_all", modVersion89::RevisarRegistrosDefault, Etiqueta(89), true, {}, {1, 4}, true}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Provider 4's row as it is written, and 8.9's delete of it, which needs no lookup.
TEST_F(RevisionGrabada, Provider4RowAndItsDeleteWithoutLookup) {
  SinFilasLasDemas();
  Revisa(852);
  EXPECT_TRUE(Envio(db_.Textos(),
                    "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) "
                    "VALUES (4,'Moneris®','pruebas-tc.velmar.mx','');"));
  const std::size_t antes = db_.Textos().size();
  modVersion89::RevisarRegistrosDefault(cnx_, ManejadorMySQL, 890);
  std::vector<std::string> textos = db_.Textos();
  textos.erase(textos.begin(), textos.begin() + static_cast<long>(antes));
  EXPECT_FALSE(Envio(textos, "SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=4;"));
  EXPECT_TRUE(Envio(textos, "DELETE FROM tblProveedoresTC WHERE COD_PROVTC=4;"));
}

// ------------------------------------------------------------ the article's forms

struct CasoArticulo {
  const char* nombre;
  std::int16_t iVersionDestino;
  std::int16_t iManejador;
  std::string articulo;
  std::string unidad;
};

void PrintTo(const CasoArticulo& c, std::ostream* os) { *os << c.nombre; }

class RevisionArticulo : public RevisionGrabada, public ::testing::WithParamInterface<CasoArticulo> {};

const std::string kCabeza =
    "INSERT INTO tblCatArticulos (COD1_ART,DES1_ART,DES2_ART,COD_MON,PTO_MAR,COD_IMP,IMP2_ART,"
    "EXI_ACT,ARCHIVO,ART_PAQ,FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,COD_TIPO,ES_SERVICIO,COD_AIM,"
    "REST_PTOS,COD_EMPRESA,VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2";
const std::string kValores = "('QZ_CFDI33_VELMAR_SAT','VENTA VELMAR','VENTA VELMAR',1,0,0,0,0,'',0,";
const std::string kUnidad =
    "INSERT INTO tblUndCosPreArt (COD_UND,COD1_ART,EQV_UND,PRE_UND,PRE_IVA,CVE_OFR,COS_PRO,"
    "COS_REP,COS_UCO,IMPTO_IMP,COD_BARRAS";

std::string Cuatro(const std::string& f) { return f + "," + f + "," + f + "," + f; }

// The article's columns by target (below 800, 800 to 889, from 890), its date literals per
// engine, and the unit row with PCIO_PUNTOS from 830.
TEST_P(RevisionArticulo, FormsByTargetAndEngine) {
  const CasoArticulo& c = GetParam();
  SinFilasLasDemas();
  prueba::RelojFijo reloj(2026, 12, 10, 14, 5, 9);
  Revisa(c.iVersionDestino, c.iManejador);
  EXPECT_THAT(QueContienen(db_.Textos(), "INSERT INTO tblCatArticulos"), ElementsAre(c.articulo));
  EXPECT_THAT(QueContienen(db_.Textos(), "INSERT INTO tblUndCosPreArt"), ElementsAre(c.unidad));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Table, RevisionArticulo,
    ::testing::Values(
        CasoArticulo{"t890_MySQL", 890, ManejadorMySQL,
                     kCabeza + ",CVE_CFDI,ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART) VALUES " + kValores +
                         Cuatro("'2026-12-10'") +
                         ",0,0,0,0,1,0,0,1,0,0,'01010101',0,'1800-01-01 14:05:09','');",
                     kUnidad + ",PCIO_PUNTOS) VALUES ('ACT','QZ_CFDI33_VELMAR_SAT',1,0,0,'',0,0,0,0,'',0)"},
        CasoArticulo{"t952_Access", 952, ManejadorAccess,
                     kCabeza + ",CVE_CFDI,ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART) VALUES " + kValores +
                         Cuatro("#2026/12/10#") +
                         ",0,0,0,0,1,0,0,1,0,0,'01010101',0,#1800/01/01 14:05:09#,'');",
                     kUnidad + ",PCIO_PUNTOS) VALUES ('ACT','QZ_CFDI33_VELMAR_SAT',1,0,0,'',0,0,0,0,'',0)"},
        CasoArticulo{"t889_SQLServer", 889, ManejadorSQLServer,
                     kCabeza + ",CVE_CFDI) VALUES " + kValores + Cuatro("'20261210'") +
                         ",0,0,0,0,1,0,0,1,0,0,'01010101');",
                     kUnidad + ",PCIO_PUNTOS) VALUES ('ACT','QZ_CFDI33_VELMAR_SAT',1,0,0,'',0,0,0,0,'',0)"},
        CasoArticulo{"t829_MySQL", 829, ManejadorMySQL,
                     kCabeza + ",CVE_CFDI) VALUES " + kValores + Cuatro("'2026-12-10'") +
                         ",0,0,0,0,1,0,0,1,0,0,'01010101');",
                     kUnidad + ") VALUES ('ACT','QZ_CFDI33_VELMAR_SAT',1,0,0,'',0,0,0,0,'')"},
        CasoArticulo{"t800_Access", 800, ManejadorAccess,
                     kCabeza + ",CVE_CFDI) VALUES " + kValores + Cuatro("#2026/12/10#") +
                         ",0,0,0,0,1,0,0,1,0,0,'01010101');",
                     kUnidad + ") VALUES ('ACT','QZ_CFDI33_VELMAR_SAT',1,0,0,'',0,0,0,0,'')"},
        CasoArticulo{"t799_SQLServer", 799, ManejadorSQLServer,
                     kCabeza + ") VALUES " + kValores + Cuatro("'20261210'") + ",0,0,0,0,1,0,0,1,0,0);",
                     kUnidad + ") VALUES ('ACT','QZ_CFDI33_VELMAR_SAT',1,0,0,'',0,0,0,0,'')"}),
    [](const auto& info) { return std::string(info.param.nombre); });

// An article that is there keeps it: only its missing unit row is added, and the clock is
// never read for date literals that are not needed.
TEST_F(RevisionGrabada, ExistingArticleGetsOnlyItsMissingUnitRow) {
  db_.Responde("SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT';",
               {{"COD1_ART"}, {{"QZ_CFDI33_VELMAR_SAT"}}});
  db_.Responde("SELECT COD1_ART FROM tblGpoArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT';",
               {{"COD1_ART"}, {{"QZ_CFDI33_VELMAR_SAT"}}});
  SinFilasLasDemas();
  int lecturas = 0;
  win::EstableceReloj([&]() -> vb::DateTime {
    ++lecturas;
    return vb::DateSerial(2026, 12, 10);
  });
  Revisa(852);
  win::EstableceReloj({});
  EXPECT_EQ(lecturas, 0);
  EXPECT_THAT(QueContienen(db_.Textos(), "INSERT INTO tbl"),
              ::testing::Contains(::testing::StartsWith("INSERT INTO tblUndCosPreArt")));
  EXPECT_THAT(QueContienen(db_.Textos(), "INSERT INTO tblCatArticulos"), ElementsAre());
  EXPECT_THAT(QueContienen(db_.Textos(), "INSERT INTO tblGpoArticulos"), ElementsAre());
}

// ------------------------------------------------------------ the article's group

struct CasoGrupo {
  const char* nombre;
  std::vector<int> grupos;      // answered by the group lookup, lowest first
  std::vector<int> subgrupos;   // answered for the lowest group, lowest first
  bool fallaGrupos, fallaSubgrupos;
  std::string fila;  // the values of the group row
  int entradas;      // run-log entries
};

void PrintTo(const CasoGrupo& c, std::ostream* os) { *os << c.nombre; }

class RevisionGrupo : public RevisionGrabada, public ::testing::WithParamInterface<CasoGrupo> {};

Resultado Columna(const std::string& nombre, const std::vector<int>& valores) {
  Resultado r{{nombre}, {}};
  for (int v : valores) r.filas.push_back({Variant(std::int16_t(v))});
  return r;
}

TEST_P(RevisionGrupo, LowestGroupAndSubgroup) {
  const CasoGrupo& c = GetParam();
  const std::string sGrupos = "SELECT COD_GPO FROM tblAgrupacionArt ORDER BY COD_GPO;";
  if (c.fallaGrupos) db_.Falla(sGrupos, kFalla, "no groups");
  db_.Responde(sGrupos, Columna("COD_GPO", c.grupos));
  if (c.fallaSubgrupos) db_.Falla(Contiene("FROM tblCatAgrupacionArt"), kFalla, "no subgroups");
  db_.Responde(Contiene("FROM tblCatAgrupacionArt"), Columna("COD_AGR", c.subgrupos));
  SinFilasLasDemas();
  Revisa(852);
  EXPECT_THAT(QueContienen(db_.Textos(), "INSERT INTO tblGpoArticulos"),
              ElementsAre("INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES "
                          "('QZ_CFDI33_VELMAR_SAT'," + c.fila + ") "));
  EXPECT_EQ(prueba::Encabezados(log_.Contenido()).size(), static_cast<std::size_t>(c.entradas));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RevisionGrupo,
    ::testing::Values(CasoGrupo{"SubgroupZeroBecomesOne", {3, 5}, {0, 2}, false, false, "3,1", 0},
                      CasoGrupo{"LowestSubgroup", {3, 5}, {2, 4}, false, false, "3,2", 0},
                      CasoGrupo{"NoSubgroup", {3, 5}, {}, false, false, "3,1", 0},
                      CasoGrupo{"NoGroup", {}, {}, false, false, "1,0", 0},
                      CasoGrupo{"LowestGroupZero", {0, 5}, {1}, false, false, "1,0", 0},
                      // open, test, read and close each leave an entry
                      CasoGrupo{"GroupLookupFails", {}, {}, true, false, "1,0", 4},
                      CasoGrupo{"SubgroupLookupFails", {3}, {}, false, true, "3,1", 4}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ the HOST profile

struct CasoHost {
  const char* nombre;
  std::optional<Variant> host;     // COD_PERFIL of the HOST profile, when there is one
  std::optional<Variant> maximo;   // MAXPERFIL
  std::string falla;               // a statement that fails
  std::vector<std::string> perfil; // what is sent on the profiles' tables
};

void PrintTo(const CasoHost& c, std::ostream* os) { *os << c.nombre; }

class RevisionHost : public RevisionGrabada, public ::testing::WithParamInterface<CasoHost> {};

const std::string kHost = "SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST';";
const std::string kMaximo = "SELECT MAX(COD_PERFIL) AS MAXPERFIL FROM tblPerfiles;";
std::string Permisos(const std::string& p) {
  return "SELECT COD_PERFIL FROM tblPerfilPermisos WHERE COD_PERFIL=" + p + ";";
}
std::string InsertaPermisos(const std::string& p) {
  return "INSERT INTO tblPerfilPermisos (COD_PERFIL,PV_CAMBIARPRECIO,PV_LIMPIARSALIR,"
         "PV_CANCELARVEN,PV_DESCUENTO,PV_REIMPRIMIR,PV_BORRARESPERA,PV_FORMASPAGO,"
         "PV_AUTORIZARCXC,PV_AUTORIZARALM,FF_PWCOMANDAS,CP_TRASPRESUP,CP_AUTORIZAREQS,"
         "CP_AUTORIZAOCOM,CP_AUTORIZAREMS,CP_AUTORIZARECP,CP_SURTIRREQS,CP_AUTORIZARCXP,"
         "GT_AUTORIZARGTOS,GT_AUTORIZARTESOR,GT_CANCELARCONCIL,GT_REABRIRCONCIL,PV_BORRARMODULO,"
         "CP_BORRARMODULO,GT_BORRARMODULO,PV_BLOQUEARAPAR,FF_MOVSMESACUENTA,CP_COMPLEMENTO) "
         "VALUES (" + p + ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0);";
}
std::string InsertaHost(const std::string& p) {
  return "INSERT INTO tblPerfiles (COD_PERFIL,DES_PERFIL) VALUES (" + p + ",'HOST');";
}

// The profile's code is found or made; where it cannot be established, nothing is written
// for any profile.
TEST_P(RevisionHost, ProfileCodeAndPermissionRow) {
  const CasoHost& c = GetParam();
  if (!c.falla.empty()) db_.Falla(c.falla, kFalla, "refused");
  db_.Responde(kHost, c.host ? Resultado{{"COD_PERFIL"}, {{*c.host}}} : SinFilas({"COD_PERFIL"}));
  if (c.maximo) db_.Responde(kMaximo, {{"MAXPERFIL"}, {{*c.maximo}}});
  SinFilasLasDemas();
  Revisa(852);
  EXPECT_THAT(QueContienen(db_.Textos(), "tblPerfil"), ElementsAreArray(c.perfil));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RevisionHost,
    ::testing::Values(
        CasoHost{"HostKeepsItsCode", Variant(std::int16_t(7)), {}, "",
                 {kHost, Permisos("7"), InsertaPermisos("7")}},
        CasoHost{"NextAfterTheHighest", {}, Variant(std::int16_t(4)), "",
                 {kHost, kMaximo, InsertaHost("5"), Permisos("5"), InsertaPermisos("5")}},
        CasoHost{"NoProfilesAtAll", {}, Variant::Null(), "",
                 {kHost, kMaximo, InsertaHost("6"), Permisos("6"), InsertaPermisos("6")}},
        CasoHost{"HostLookupFails", {}, Variant(std::int16_t(4)), kHost, {kHost}},
        CasoHost{"MaximumLookupFails", {}, {}, kMaximo, {kHost, kMaximo}},
        CasoHost{"MaximumAtTheLimit", {}, Variant(std::int16_t(32767)), "", {kHost, kMaximo}},
        CasoHost{"ProfileInsertRefused", {}, Variant(std::int16_t(4)), InsertaHost("5"),
                 {kHost, kMaximo, InsertaHost("5")}},
        CasoHost{"HostCodeNull", Variant::Null(), {}, "", {kHost}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ failures

// A failed lookup counts as "missing": the guarded inserts are attempted. The settings
// rule of the services provider is the exception: an unreadable settings row sets nothing.
TEST_F(RevisionGrabada, FailedLookupsLeadIntoTheirInsertsButNotIntoTheProviderRule) {
  db_.Falla("SELECT COD_FRP FROM tblFormasPago;", kFalla, "no table");
  db_.Falla("SELECT CNX_PSE,PSE_CODPROV FROM tblParametrosGenerales;", kFalla, "no table");
  SinFilasLasDemas();
  Revisa(852);
  EXPECT_EQ(QueContienen(db_.Textos(), "INSERT INTO tblFormasPago").size(), 7u);
  EXPECT_FALSE(Envio(db_.Textos(), "UPDATE tblParametrosGenerales SET PSE_CODPROV=1;"));
  const std::string etiqueta = Etiqueta(82);
  EXPECT_THAT(prueba::Encabezados(log_.Contenido()),
              ElementsAre(etiqueta + std::to_string(kFalla), etiqueta + "3704",
                          etiqueta + "3704", etiqueta + std::to_string(kFalla),
                          etiqueta + "3704", etiqueta + "3704", etiqueta + "3704"))
      << "the settings' open, row test, read and close each fail on their own";
}

// ------------------------------------------------------------ on MariaDB

class Revision : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_740_84x.sql");
  }
  Filas Todo() const {
    Filas todo;
    for (const char* consulta :
         {"SELECT COD_FRP,DES_FRP,COD_PAG,SAT_MPAGO,CLAVE_SAT FROM tblFormasPago ORDER BY COD_FRP",
          "SELECT COD_TIPO,DES_TIPO,CLAVE_CFDI FROM tblTipoImpuesto ORDER BY COD_TIPO",
          "SELECT COD_IMP,DES_IMP,TIPO_IMP,CLAVE_CFDI FROM tblImpuestos ORDER BY COD_IMP",
          "SELECT * FROM tblPerfiles ORDER BY COD_PERFIL",
          "SELECT * FROM tblPerfilPermisos ORDER BY COD_PERFIL",
          "SELECT COD1_ART,DES1_ART,CVE_CFDI,ES_ANTIBIOTICO FROM tblCatArticulos ORDER BY COD1_ART",
          "SELECT * FROM tblGpoArticulos ORDER BY COD1_ART",
          "SELECT COD_UND,COD1_ART,PCIO_PUNTOS FROM tblUndCosPreArt ORDER BY COD1_ART",
          "SELECT * FROM tblProveedoresSE", "SELECT * FROM tblParametrosGenerales ORDER BY COD_SUCU",
          "SELECT * FROM tblProveedoresTC ORDER BY COD_PROVTC", "SELECT * FROM tblMonedas"}) {
      const Filas filas = Consulta(consulta);
      todo.insert(todo.end(), filas.begin(), filas.end());
    }
    return todo;
  }
};

// The 8.2 member on the fixture: what is missing is added, the keys repaired; a second run
// changes nothing and writes no entry.
TEST_F(Revision, Member82AddsWhatIsMissingOnce) {
  modVersion82::RevisarRegistrosDefault(cnx_, ManejadorMySQL, 852);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COD_FRP,SAT_MPAGO,CLAVE_SAT FROM tblFormasPago ORDER BY COD_FRP"),
            (Filas{{"1", "Efectivo", "01"},
                   {"2", "2", "NULL"},
                   {"3", "EFECTIVO", ""},
                   {"4", "04", ""},
                   {"5", "O'", ""},
                   {"7", "3", "99"},
                   {"8", "1", "04"}}));
  EXPECT_EQ(Consulta("SELECT COD_TIPO,DES_TIPO,CLAVE_CFDI FROM tblTipoImpuesto ORDER BY COD_TIPO"),
            (Filas{{"0", "EXENTO", ""},
                   {"1", "IVA", "002"},
                   {"2", "IEPS", "003"},
                   {"3", "IMPUESTO LOCAL", ""},
                   {"4", "ISR", "001"}}));
  EXPECT_EQ(Consulta("SELECT COD_IMP,DES_IMP,CLAVE_CFDI FROM tblImpuestos ORDER BY COD_IMP"),
            (Filas{{"0", "EXENTO", ""}, {"1", "IVA 16", "002"}, {"2", "TASA CERO", "ZZZ"},
                   {"3", "IEPS 8", "003"}}));
  EXPECT_EQ(Consulta("SELECT COD_PERFIL FROM tblPerfiles WHERE DES_PERFIL='HOST'"), (Filas{{"5"}}));
  EXPECT_EQ(Consulta("SELECT PV_CAMBIARPRECIO+CP_COMPLEMENTO+FF_MOVSMESACUENTA FROM "
                     "tblPerfilPermisos WHERE COD_PERFIL=5"),
            (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT DES1_ART,DES2_ART,COD_MON,COD_EMPRESA,UND_CFDI,CVE_CFDI,"
                     "FEC_ING=CURDATE(),FEC_CAMBIO FROM tblCatArticulos WHERE "
                     "COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"VENTA VELMAR", "VENTA VELMAR", "1", "1", "1", "01010101", "1", "NULL"}}));
  EXPECT_EQ(Consulta("SELECT COD_GPO,COD_AGR FROM tblGpoArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"3", "1"}}));
  EXPECT_EQ(Consulta("SELECT COD_UND,EQV_UND,PCIO_PUNTOS FROM tblUndCosPreArt WHERE "
                     "COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"ACT", "1.0000", "0.0000"}}));
  EXPECT_EQ(Consulta("SELECT CVE_CFDI FROM tblCatArticulos WHERE COD1_ART='PAQ1'"), (Filas{{"01010101"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresSE"), (Filas{{"1", "Multicom®"}}));
  EXPECT_EQ(Consulta("SELECT COD_SUCU,PSE_CODPROV FROM tblParametrosGenerales ORDER BY COD_SUCU"),
            (Filas{{"MATRIZ", "1"}, {"SUC01", "1"}, {"SUC02", "1"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVTC,DES_PROVTC,SITIO_PROVTC FROM tblProveedoresTC ORDER BY COD_PROVTC"),
            (Filas{{"1", "MerchantWARE®", ""},
                   {"2", "ProsePago®", ""},
                   {"3", "SmartPayment®", "sp.example"},
                   {"4", "Moneris®", "pruebas-tc.velmar.mx"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblMonedas"), (Filas{{"1", "M.N."}, {"2", "MN"}}));

  const Filas antes = Todo();
  modVersion82::RevisarRegistrosDefault(cnx_, ManejadorMySQL, 852);
  EXPECT_EQ(Todo(), antes);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// Member 8.9 on an empty payment-form table, with the 28-column article: every payment
// form, providers 1 and 4 gone, the currency's abbreviation corrected.
TEST_F(Revision, Member89FromEmptyTables) {
  bd_->EjecutaSql("DELETE FROM tblFormasPago; DELETE FROM tblTipoImpuesto; DELETE FROM tblPerfiles;"
                  "DELETE FROM tblAgrupacionArt;"
                  "INSERT INTO tblProveedoresTC VALUES (4,'Moneris®','x','');");
  prueba::RelojFijo reloj(2026, 12, 10, 14, 5, 9);
  modVersion89::RevisarRegistrosDefault(cnx_, ManejadorMySQL, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COD_FRP,DES_FRP,COD_PAG,SAT_MPAGO,CLAVE_SAT FROM tblFormasPago ORDER BY COD_FRP"),
            (Filas{{"1", "EFECTIVO", "1", "Efectivo", "01"},
                   {"2", "CHEQUE BANCARIO", "4", "Cheque nominativo", "02"},
                   {"3", "CHEQUE GOBIERNO", "4", "Cheque nominativo", "02"},
                   {"4", "TARJETA DE CREDITO", "2", "Tarjeta de crédito", "04"},
                   {"5", "CREDITO", "0", "Por definir", "99"},
                   {"6", "TARJETA DE LA TIENDA", "3", "Por definir", "99"}}));
  EXPECT_EQ(Consulta("SELECT COD_TIPO FROM tblTipoImpuesto ORDER BY COD_TIPO"),
            (Filas{{"0"}, {"1"}, {"2"}, {"3"}, {"4"}}));
  EXPECT_EQ(Consulta("SELECT COD_PERFIL,DES_PERFIL FROM tblPerfiles"), (Filas{{"6", "HOST"}}));
  EXPECT_EQ(Consulta("SELECT ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART FROM tblCatArticulos WHERE "
                     "COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"0", "1800-01-01 14:05:09", ""}}));
  EXPECT_EQ(Consulta("SELECT COD_GPO,COD_AGR FROM tblGpoArticulos WHERE COD1_ART='QZ_CFDI33_VELMAR_SAT'"),
            (Filas{{"1", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVTC FROM tblProveedoresTC ORDER BY COD_PROVTC"),
            (Filas{{"2"}, {"3"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblMonedas ORDER BY COD_MON"), (Filas{{"1", "MXN"}, {"2", "MN"}}));
}

}  // namespace
