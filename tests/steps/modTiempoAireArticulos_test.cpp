#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"
#include "steps/6x_7x/modArticulosTA.h"
#include "steps/6x_7x/modTiempoAire.h"
#include "support/TestDatabase.h"

namespace {

using prueba::EmpiezaCon;
using prueba::Filas;
using prueba::Resultado;
using prueba::SinFilas;
using ::testing::ElementsAreArray;
using vb::Variant;

constexpr const char* kParametros = "SELECT TA_AGR,TA_IMPTO,TA_ACT FROM tblParametrosGenerales;";
constexpr const char* kGrupo = "SELECT COD_GPO FROM tblCatAgrupacionArt WHERE COD_AGR=5;";
constexpr const char* kRecargas =
    "SELECT CLAVE_TA,MONTO_TA,NOM_EMPRESA FROM tblMontosTA INNER JOIN tblEmpresasTA ON "
    "tblMontosTA.COD_EMPRESA=tblEmpresasTA.COD_EMPRESA ORDER BY "
    "tblEmpresasTA.COD_EMPRESA,CLAVE_TA;";
constexpr const char* kTasa = "SELECT POR_IMP FROM tblImpuestos WHERE COD_IMP=1;";

Variant Entero(int valor) { return Variant(static_cast<std::int16_t>(valor)); }
Variant Moneda(double valor) { return Variant(vb::CCur(Variant(valor))); }

Resultado Parametros(Variant agrupacion, Variant impuesto, Variant activo) {
  return {{"TA_AGR", "TA_IMPTO", "TA_ACT"}, {{agrupacion, impuesto, activo}}};
}

// 2024-01-05 09:30:00, the clock of every test here.
vb::DateTime Momento() {
  return vb::DateTime{vb::DateSerial(2024, 1, 5).serial + vb::TimeSerial(9, 30, 0).serial};
}

std::string Existe(const std::string& clave) {
  return "SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='" + clave + "';";
}

// The statements that follow an article's own statement, up to its price row.
std::vector<std::string> FilasDelArticulo(const std::string& K, const std::string& unidad,
                                          const std::string& precio) {
  return {"DELETE FROM tblCodArticuloExtra WHERE COD_ART='" + K + "' OR CODART_EXTRA='" + K + "';",
          "DELETE FROM tblGpoArticulos WHERE COD1_ART='" + K + "';",
          "INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES ('" + K + "',12,5);",
          "DELETE FROM tblUndCosPreArt WHERE COD1_ART='" + K + "';",
          "DELETE FROM tblPrecios WHERE COD1_ART='" + K + "';",
          "DELETE FROM tblPrecVolum WHERE COD1_ART='" + K + "';",
          kTasa,
          unidad,
          precio};
}

std::string Unidad(const std::string& K, const std::string& N, const std::string& G,
                   bool conPuntos) {
  return std::string(
             "INSERT INTO tblUndCosPreArt (COD_UND,COD1_ART,EQV_UND,PRE_UND,IMPTO_IMP,"
             "PRE_IVA,COS_PRO,COS_REP,COS_UCO,CVE_OFR,COD_BARRAS") +
         (conPuntos ? ",PCIO_PUNTOS" : "") + ") VALUES ('PZA','" + K + "',1," + N + ",0," + G +
         ",0,0,0,'',''" + (conPuntos ? ",0" : "") + ");";
}

std::string Precio(const std::string& K, const std::string& N, const std::string& G) {
  return "INSERT INTO tblPrecios (COD1_ART,COD_LISTA,PRE_ART,IMPTO_IMP,PRE_IVA,COD_UND,PTO_MAR,"
         "COD_PRECIO,FOR_PRECIO,EQV_UND,AGRUPACIONES) VALUES ('" +
         K + "',1," + N + ",0," + G + ",'PZA',0,'','',1,'');";
}

class ArticulosGrabados : public prueba::RutinaGrabada {
 protected:
  ArticulosGrabados() {
    win::EstableceReloj([] { return Momento(); });
  }
  ~ArticulosGrabados() override { win::EstableceReloj({}); }

  // Air time on, grouping 5 in group 12, tax code 1 at 16 %; one amount, M010 of 10.
  void Prepara(Resultado recargas = {{"CLAVE_TA", "MONTO_TA", "NOM_EMPRESA"},
                                     {{Variant("M010"), Moneda(10), Variant("MOVISTAR")}}}) {
    db_.Responde(kParametros, Parametros(Entero(5), Entero(1), Entero(1)));
    db_.Responde(kGrupo, {{"COD_GPO"}, {{Entero(12)}}});
    db_.Responde(kRecargas, std::move(recargas));
    db_.Responde(EmpiezaCon("SELECT COD1_ART FROM tblCatArticulos"), SinFilas({"COD1_ART"}));
    db_.Responde(kTasa, {{"POR_IMP"}, {{Moneda(16)}}});
  }
  std::vector<std::string> Que(const char* inicio) const {
    std::vector<std::string> textos;
    for (const std::string& texto : db_.Textos())
      if (texto.rfind(inicio, 0) == 0) textos.push_back(texto);
    return textos;
  }
};

// ------------------------------------------------------------ air time off

struct CasoApagado {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> parametros;
};

void PrintTo(const CasoApagado& caso, std::ostream* os) { *os << caso.nombre; }

class AireApagado : public ArticulosGrabados, public ::testing::WithParamInterface<CasoApagado> {};

TEST_P(AireApagado, OnlyTheSettingsAreRead) {
  GetParam().parametros(db_);
  Prepara();  // the answers below the settings are there, but must not be asked for
  ActualizaArticulosTA(cnx_, ManejadorMySQL, 952);
  EXPECT_THAT(db_.Textos(), ElementsAreArray({kParametros}));
  EXPECT_FALSE(log_.Existe());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AireApagado,
    ::testing::Values(
        CasoApagado{"Null",
                    [](auto& db) {
                      db.Responde(kParametros, Parametros(Entero(5), Entero(1), Variant::Null()));
                    }},
        CasoApagado{"Zero",
                    [](auto& db) {
                      db.Responde(kParametros, Parametros(Entero(5), Entero(1), Entero(0)));
                    }},
        CasoApagado{"NoParametersRow",
                    [](auto& db) {
                      db.Responde(kParametros, SinFilas({"TA_AGR", "TA_IMPTO", "TA_ACT"}));
                    }},
        CasoApagado{
            "SettingsCannotBeRead",
            [](auto& db) { db.Falla(kParametros, -2147217900, "Unknown column 'TA_ACT'"); }}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ forms by target version

struct CasoDeVersion {
  const char* nombre;
  std::int16_t iManejador;
  std::int16_t iVersionDestino;
  bool existe;
  std::string articulo;  // statement A or B
  bool conPuntos;        // the unit row carries PCIO_PUNTOS
};

void PrintTo(const CasoDeVersion& caso, std::ostream* os) { *os << caso.nombre; }

class FormasDelArticulo : public ArticulosGrabados,
                          public ::testing::WithParamInterface<CasoDeVersion> {};

TEST_P(FormasDelArticulo, StatementsOfOneAmount) {
  if (GetParam().existe) db_.Responde(Existe("M010"), {{"COD1_ART"}, {{Variant("M010")}}});
  Prepara();
  ActualizaArticulosTA(cnx_, GetParam().iManejador, GetParam().iVersionDestino);

  std::vector<std::string> esperadas = {kParametros, kGrupo, kRecargas, Existe("M010"),
                                        GetParam().articulo};
  for (const std::string& s :
       FilasDelArticulo("M010", Unidad("M010", "8.6207", "10", GetParam().conPuntos),
                        Precio("M010", "8.6207", "10")))
    esperadas.push_back(s);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  EXPECT_FALSE(log_.Existe());
}

const std::string kInsercion =
    "INSERT INTO tblCatArticulos (COD1_ART,FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,DES1_ART,DES2_ART,"
    "COD_MON,PTO_MAR,COD_IMP,IMP2_ART,ARCHIVO,EXI_ACT,ES_SERVICIO,COD_AIM,REST_PTOS,ART_PAQ,"
    "COD_TIPO,COD_EMPRESA,VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2";
const std::string kModificacion =
    "UPDATE tblCatArticulos SET DES1_ART='RECARGA MOVISTAR 10',DES2_ART='',COD_MON=1,PTO_MAR=0,"
    "COD_IMP=1,IMP2_ART=0,ARCHIVO='',EXI_ACT=0,ES_SERVICIO=1,COD_AIM=0,REST_PTOS=1,ART_PAQ=0,"
    "COD_TIPO=1,COD_EMPRESA=0,VTA_SOLOBASE=1,ART_CAD=0,UND_CFDI=1,EQV_IMP1=0,EQV_IMP2=0";

std::string ValoresConFecha(const std::string& T) {
  return ") VALUES ('M010'," + T + "," + T + "," + T + "," + T +
         ",'RECARGA MOVISTAR 10','',1,0,1,0,'',0,1,0,1,0,1,0,1,0,1,0,0";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormasDelArticulo,
    ::testing::Values(
        CasoDeVersion{"Insert790", ManejadorMySQL, 790, false,
                      kInsercion + ValoresConFecha("'2024-01-05'") + ");", false},
        CasoDeVersion{"Insert800", ManejadorMySQL, 800, false,
                      kInsercion + ",CVE_CFDI" + ValoresConFecha("'2024-01-05'") + ",'83111603');",
                      false},
        CasoDeVersion{"Insert830", ManejadorSQLServer, 830, false,
                      kInsercion + ",CVE_CFDI" + ValoresConFecha("'20240105'") + ",'83111603');",
                      true},
        CasoDeVersion{"Insert889", ManejadorMySQL, 889, false,
                      kInsercion + ",CVE_CFDI" + ValoresConFecha("'2024-01-05'") + ",'83111603');",
                      true},
        CasoDeVersion{"Insert890MySql", ManejadorMySQL, 890, false,
                      kInsercion + ",CVE_CFDI,ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART" +
                          ValoresConFecha("'2024-01-05'") +
                          ",'83111603',0,'1800-01-01 09:30:00','');",
                      true},
        CasoDeVersion{"Insert952SqlServer", ManejadorSQLServer, 952, false,
                      kInsercion + ",CVE_CFDI,ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART" +
                          ValoresConFecha("'20240105'") + ",'83111603',0,'18000101 09:30:00','');",
                      true},
        CasoDeVersion{"Insert952Access", ManejadorAccess, 952, false,
                      kInsercion + ",CVE_CFDI,ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART" +
                          ValoresConFecha("#2024/01/05#") +
                          ",'83111603',0,#1800/01/01 09:30:00#,'');",
                      true},
        CasoDeVersion{"Update799", ManejadorMySQL, 799, true,
                      kModificacion + " WHERE COD1_ART='M010';", false},
        CasoDeVersion{"Update800", ManejadorMySQL, 800, true,
                      kModificacion + ",CVE_CFDI='83111603' WHERE COD1_ART='M010';", false},
        CasoDeVersion{"Update952", ManejadorSQLServer, 952, true,
                      kModificacion + ",CVE_CFDI='83111603' WHERE COD1_ART='M010';", true}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ prices

struct CasoDePrecio {
  const char* nombre;
  std::vector<Resultado> tasas;  // the answers to the rate lookup, one per amount
  std::vector<double> montos;
  std::vector<std::string> precios;  // "N,G" per amount, as the price row carries them
};

void PrintTo(const CasoDePrecio& caso, std::ostream* os) { *os << caso.nombre; }

class Precios : public ArticulosGrabados, public ::testing::WithParamInterface<CasoDePrecio> {};

TEST_P(Precios, PriceBeforeAndWithTax) {
  Resultado recargas{{"CLAVE_TA", "MONTO_TA", "NOM_EMPRESA"}, {}};
  std::vector<std::string> esperados;
  for (std::size_t i = 0; i < GetParam().montos.size(); ++i) {
    const std::string clave = "K" + std::to_string(i);
    recargas.filas.push_back({Variant(clave), Moneda(GetParam().montos[i]), Variant("MOVISTAR")});
    const std::string& precio = GetParam().precios[i];
    const std::string N = precio.substr(0, precio.find(',')),
                      G = precio.substr(precio.find(',') + 1);
    esperados.push_back(Precio(clave, N, G));
  }
  for (const Resultado& tasa : GetParam().tasas) db_.Responde(kTasa, tasa);
  Prepara(recargas);
  ActualizaArticulosTA(cnx_, ManejadorMySQL, 952);
  EXPECT_THAT(Que("INSERT INTO tblPrecios"), ElementsAreArray(esperados));
}

const Resultado kTasa16{{"POR_IMP"}, {{Moneda(16)}}};

INSTANTIATE_TEST_SUITE_P(
    Cases, Precios,
    ::testing::Values(
        CasoDePrecio{
            "Rate16", {kTasa16}, {10, 100, 1000}, {"8.6207,10", "86.2069,100", "862.069,1000"}},
        CasoDePrecio{"AmountsInTens", {kTasa16}, {1, 5}, {"0.8621,1", "4.3103,5"}},
        CasoDePrecio{"RateZero", {{{"POR_IMP"}, {{Moneda(0)}}}}, {10}, {"10,10"}},
        CasoDePrecio{"NoSuchTaxCode", {SinFilas({"POR_IMP"})}, {10}, {"10,10"}},
        CasoDePrecio{"NullRateFirst", {{{"POR_IMP"}, {{Variant::Null()}}}}, {10}, {"10,10"}},
        // A rate that cannot be read keeps the one of the amount before.
        CasoDePrecio{"NullRateLater",
                     {kTasa16, {{"POR_IMP"}, {{Variant::Null()}}}},
                     {10, 20},
                     {"8.6207,10", "17.2414,20"}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// ------------------------------------------------------------ failures stay inside

struct CasoDeFalla {
  const char* nombre;
  std::function<void(prueba::RecordingProvider&)> falla;
  std::vector<std::string> enviadas;  // what is sent, in order
};

void PrintTo(const CasoDeFalla& caso, std::ostream* os) { *os << caso.nombre; }

class FallasDeArticulos : public ArticulosGrabados,
                          public ::testing::WithParamInterface<CasoDeFalla> {};

TEST_P(FallasDeArticulos, AreClearedWithoutALogEntry) {
  GetParam().falla(db_);
  Prepara();
  EXPECT_NO_THROW(ActualizaArticulosTA(cnx_, ManejadorMySQL, 952));
  EXPECT_THAT(db_.Textos(), ElementsAreArray(GetParam().enviadas));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

const std::string kInserta952 = kInsercion + ",CVE_CFDI,ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART" +
                                ValoresConFecha("'2024-01-05'") +
                                ",'83111603',0,'1800-01-01 09:30:00','');";

std::vector<std::string> Enviadas(std::vector<std::string> inicio, const std::string& articulo,
                                  const std::string& grupo = "12") {
  inicio.push_back(Existe("M010"));
  inicio.push_back(articulo);
  std::vector<std::string> filas = FilasDelArticulo("M010", Unidad("M010", "8.6207", "10", true),
                                                    Precio("M010", "8.6207", "10"));
  filas[2] =
      "INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES ('M010'," + grupo + ",5);";
  inicio.insert(inicio.end(), filas.begin(), filas.end());
  return inicio;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FallasDeArticulos,
    ::testing::Values(
        // The failed existence test counts as held: the update is sent, the insert is not.
        CasoDeFalla{"ExistenceLookup",
                    [](auto& db) { db.Falla(Existe("M010"), -2147217900, "refused"); },
                    Enviadas({kParametros, kGrupo, kRecargas},
                             kModificacion + ",CVE_CFDI='83111603' WHERE COD1_ART='M010';")},
        CasoDeFalla{"ArticleInsert",
                    [](auto& db) { db.Falla(kInserta952, -2147217873, "Duplicate entry"); },
                    Enviadas({kParametros, kGrupo, kRecargas}, kInserta952)},
        CasoDeFalla{"GroupLookup", [](auto& db) { db.Falla(kGrupo, -2147217900, "refused"); },
                    Enviadas({kParametros, kGrupo, kRecargas}, kInserta952, "0")},
        CasoDeFalla{"NoGroupForTheGrouping",
                    [](auto& db) { db.Responde(kGrupo, SinFilas({"COD_GPO"})); },
                    Enviadas({kParametros, kGrupo, kRecargas}, kInserta952, "0")},
        CasoDeFalla{"AmountsCannotBeRead",
                    [](auto& db) { db.Falla(kRecargas, -2147217900, "refused"); },
                    {kParametros, kGrupo, kRecargas}},
        CasoDeFalla{"EveryStatement",
                    [](auto& db) {
                      db.Falla(EmpiezaCon("DELETE"), -2147217900, "refused");
                      db.Falla(EmpiezaCon("INSERT"), -2147217900, "refused");
                    },
                    Enviadas({kParametros, kGrupo, kRecargas}, kInserta952)}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Texts read from the database go into the statements quoted.
TEST_F(ArticulosGrabados, KeysAndCarrierNamesAreQuoted) {
  Prepara({{"CLAVE_TA", "MONTO_TA", "NOM_EMPRESA"},
           {{Variant("O'1\\0"), Moneda(10), Variant("D'ANGELO")}}});
  ActualizaArticulosTA(cnx_, ManejadorMySQL, 790);
  EXPECT_THAT(Que("INSERT INTO tblCatArticulos"),
              ElementsAreArray({kInsercion + ") VALUES ('O''1\\\\0','2024-01-05','2024-01-05',"
                                             "'2024-01-05','2024-01-05','RECARGA D''ANGELO 10',"
                                             "'',1,0,1,0,'',0,1,0,1,0,1,0,1,0,1,0,0);"}));
  EXPECT_THAT(Que("DELETE FROM tblGpoArticulos"),
              ElementsAreArray({"DELETE FROM tblGpoArticulos WHERE COD1_ART='O''1\\\\0';"}));
}

// A run that passes midnight while it writes an article: each of the four dates is made
// from the clock at its own moment.
TEST_F(ArticulosGrabados, TheFourDatesAreReadFromTheClockInTurn) {
  int lecturas = 0;
  win::EstableceReloj([&] { return vb::DateTime{Momento().serial + lecturas++}; });
  Prepara();
  ActualizaArticulosTA(cnx_, ManejadorMySQL, 790);
  EXPECT_THAT(Que("INSERT INTO tblCatArticulos"),
              ElementsAreArray({kInsercion + ") VALUES ('M010','2024-01-05','2024-01-06',"
                                             "'2024-01-07','2024-01-08','RECARGA MOVISTAR 10',"
                                             "'',1,0,1,0,'',0,1,0,1,0,1,0,1,0,1,0,0);"}));
}

// ------------------------------------------------------------ on MariaDB

class ArticulosTA : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    win::EstableceReloj([] { return Momento(); });
    CreaBase("bd/tiempoaire.sql");
    bd_->EjecutaSql("UPDATE tblParametrosGenerales SET TA_ACT=1;");
  }
  void TearDown() override { win::EstableceReloj({}); }

  Filas Articulo(const std::string& clave) const {
    return Consulta(
        "SELECT FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,DES1_ART,DES2_ART,COD_MON,PTO_MAR,COD_IMP,"
        "IMP2_ART,ARCHIVO,EXI_ACT,ES_SERVICIO,COD_AIM,REST_PTOS,ART_PAQ,COD_TIPO,COD_EMPRESA,"
        "VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2,CVE_CFDI,ES_ANTIBIOTICO,FEC_CAMBIO,"
        "IMGBIT_ART FROM tblCatArticulos WHERE COD1_ART='" +
        clave + "'");
  }
  // Group, unit, price and volume rows of an article, in that order.
  Filas FilasDe(const std::string& clave) const {
    const std::string donde = " WHERE COD1_ART='" + clave + "'";
    Filas filas;
    for (const std::string& consulta :
         {"SELECT 'G',COD_GPO,COD_AGR FROM tblGpoArticulos" + donde,
          "SELECT COD_UND,EQV_UND,PRE_UND,PRE_IVA,PCIO_PUNTOS FROM tblUndCosPreArt" + donde,
          "SELECT COD_LISTA,PRE_ART,PRE_IVA,COD_UND,EQV_UND FROM tblPrecios" + donde,
          "SELECT 'V',CANTIDAD,PRECIO FROM tblPrecVolum" + donde}) {
      const Filas parte = Consulta(consulta);
      filas.insert(filas.end(), parte.begin(), parte.end());
    }
    return filas;
  }
  Filas Todo() const {
    Filas filas;
    for (const char* consulta : {"SELECT * FROM tblCatArticulos ORDER BY COD1_ART",
                                 "SELECT * FROM tblCodArticuloExtra ORDER BY COD_ART,CODART_EXTRA",
                                 "SELECT * FROM tblGpoArticulos ORDER BY COD1_ART,COD_GPO",
                                 "SELECT * FROM tblUndCosPreArt ORDER BY COD1_ART,COD_UND",
                                 "SELECT * FROM tblPrecios ORDER BY COD1_ART,COD_LISTA",
                                 "SELECT * FROM tblPrecVolum ORDER BY COD1_ART"}) {
      const Filas parte = Consulta(consulta);
      filas.insert(filas.end(), parte.begin(), parte.end());
    }
    return filas;
  }
};

TEST_F(ArticulosTA, EveryAmountBecomesAServiceArticle) {
  ActualizaTiempoAire(cnx_, "C:\\Suite", ManejadorMySQL, 952);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();

  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCatArticulos a INNER JOIN tblMontosTA m ON "
                     "a.COD1_ART=m.CLAVE_TA"),
            (Filas{{"40"}}));
  // M010 existed: its dates, antibiotic mark, change date and picture stay.
  EXPECT_EQ(Articulo("M010"), (Filas{{"2019-03-04",
                                      "2019-03-05",
                                      "2019-03-06",
                                      "2019-03-07",
                                      "RECARGA MOVISTAR 10",
                                      "",
                                      "1",
                                      "0.0000",
                                      "1",
                                      "0.0000",
                                      "",
                                      "0.0000",
                                      "1",
                                      "0",
                                      "1",
                                      "0",
                                      "1",
                                      "0",
                                      "1",
                                      "0",
                                      "1",
                                      "0.0000",
                                      "0.0000",
                                      "83111603",
                                      "1",
                                      "2020-01-02 03:04:05",
                                      "imagen"}}));
  // A new one, at the clock of the run.
  EXPECT_EQ(Articulo("I1000"), (Filas{{"2024-01-05",
                                       "2024-01-05",
                                       "2024-01-05",
                                       "2024-01-05",
                                       "RECARGA IUSACELL 1000",
                                       "",
                                       "1",
                                       "0.0000",
                                       "1",
                                       "0.0000",
                                       "",
                                       "0.0000",
                                       "1",
                                       "0",
                                       "1",
                                       "0",
                                       "1",
                                       "0",
                                       "1",
                                       "0",
                                       "1",
                                       "0.0000",
                                       "0.0000",
                                       "83111603",
                                       "0",
                                       "1800-01-01 09:30:00",
                                       ""}}));
  // Its former group, unit, price and volume rows are replaced by one of each kind.
  EXPECT_EQ(FilasDe("M010"), (Filas{{"G", "12", "5"},
                                    {"PZA", "1.0000", "8.6207", "10.0000", "0.0000"},
                                    {"1", "8.6207", "10.0000", "PZA", "1.0000"}}));
  EXPECT_EQ(FilasDe("I1000"), (Filas{{"G", "12", "5"},
                                     {"PZA", "1.0000", "862.0690", "1000.0000", "0.0000"},
                                     {"1", "862.0690", "1000.0000", "PZA", "1.0000"}}));
  // Extra codes that are air-time keys go, whichever article holds them; the article of a
  // former key keeps everything.
  EXPECT_EQ(Consulta("SELECT COD_ART,CODART_EXTRA FROM tblCodArticuloExtra ORDER BY COD_ART"),
            (Filas{{"OLD1", "7502000000020"}, {"SM060", "SM-60"}}));
  EXPECT_EQ(FilasDe("SM060"), (Filas{{"G", "12", "5"},
                                     {"PZA", "1.0000", "60.0000", "60.0000", "0.0000"},
                                     {"1", "60.0000", "60.0000", "PZA", "1.0000"},
                                     {"V", "2.0000", "55.0000"}}));
  EXPECT_EQ(Consulta("SELECT DES1_ART FROM tblCatArticulos WHERE COD1_ART IN ('SM060','OLD1') "
                     "ORDER BY COD1_ART"),
            (Filas{{"REFRESCO"}, {"RECARGA SALDOMAX 60"}}));
}

// The second run updates the articles it inserted: the same rows, dates included.
TEST_F(ArticulosTA, ASecondRunGivesTheSameRows) {
  ActualizaTiempoAire(cnx_, "C:\\Suite", ManejadorMySQL, 952);
  const Filas primera = Todo();
  win::EstableceReloj([] { return vb::DateTime{Momento().serial + 1.25}; });
  ActualizaTiempoAire(cnx_, "C:\\Suite", ManejadorMySQL, 952);
  EXPECT_EQ(Todo(), primera);
}

// Below 8.0 the SAT key is neither written nor changed.
TEST_F(ArticulosTA, AmountsInTensBeforeCfdi) {
  bd_->EjecutaSql("UPDATE tblParametrosGenerales SET TA_CADENA=1;");
  ActualizaTiempoAire(cnx_, "", ManejadorMySQL, 790);
  EXPECT_EQ(Consulta("SELECT DES1_ART,CVE_CFDI,FEC_CAMBIO FROM tblCatArticulos WHERE "
                     "COD1_ART IN ('M010','M500') ORDER BY COD1_ART"),
            (Filas{{"RECARGA MOVISTAR 1", "01010101", "2020-01-02 03:04:05"},
                   {"RECARGA MOVISTAR 50", "", "NULL"}}));
  EXPECT_EQ(FilasDe("M010"), (Filas{{"G", "12", "5"},
                                    {"PZA", "1.0000", "0.8621", "1.0000", "0.0000"},
                                    {"1", "0.8621", "1.0000", "PZA", "1.0000"}}));
}

}  // namespace
