#include "steps/8x_9x/modVersion92.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoVersiones9x.h"
#include "data/clsBaseDatos.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::kObjetoCerrado;
using prueba::kRechazada;
using ::testing::Contains;
using ::testing::Not;

constexpr const char* kEtiqueta = "Error en ModificarEstructura92 :";
constexpr const char* kBuscaArticulo =
    "SELECT COD1_ART FROM tblCatArticulos WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';";
constexpr const char* kBorraGrupos =
    "DELETE FROM tblGpoArticulos WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';";
constexpr const char* kInsertaGrupo =
    "INSERT INTO tblGpoArticulos (COD1_ART,COD_GPO,COD_AGR) VALUES ('QZ_PEDIDO_CARGO_SERV',1,1) ";
constexpr const char* kBorraUnidades =
    "DELETE FROM tblUndCosPreArt WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';";
constexpr const char* kInsertaUnidad =
    "INSERT INTO tblUndCosPreArt (COD_UND,COD1_ART,EQV_UND,PRE_UND,PRE_IVA,CVE_OFR,COS_PRO,"
    "COS_REP,COS_UCO,IMPTO_IMP,COD_BARRAS,PCIO_PUNTOS) VALUES "
    "('ACT','QZ_PEDIDO_CARGO_SERV',1,0,0,'',0,0,0,0,'',0)";

std::string InsercionArticulo(const std::string& hoy, const std::string& cambio) {
  return "INSERT INTO tblCatArticulos (COD1_ART,DES1_ART,DES2_ART,COD_MON,PTO_MAR,COD_IMP,"
         "IMP2_ART,EXI_ACT,ARCHIVO,ART_PAQ,FEC_UCO,FEC_VEN,FEC_ING,FEC_UCP,COD_TIPO,ES_SERVICIO,"
         "COD_AIM,REST_PTOS,COD_EMPRESA,VTA_SOLOBASE,ART_CAD,UND_CFDI,EQV_IMP1,EQV_IMP2,CVE_CFDI,"
         "ES_ANTIBIOTICO,FEC_CAMBIO,IMGBIT_ART) VALUES ('QZ_PEDIDO_CARGO_SERV','CARGO POR "
         "SERVICIO EN PEDIDO','CARGO POR SERVICIO EN PEDIDO',1,0,0,0,0,'',0," +
         hoy + "," + hoy + "," + hoy + "," + hoy + ",0,1,0,0,1,0,0,1,0,0,'78121600',0," + cambio +
         ",'');";
}

std::string ModificacionArticulo(const std::string& hoy, const std::string& cambio) {
  return "UPDATE tblCatArticulos SET DES1_ART='CARGO POR SERVICIO EN PEDIDO',DES2_ART='CARGO POR "
         "SERVICIO EN PEDIDO',COD_MON=1,PTO_MAR=0,COD_IMP=0,IMP2_ART=0,EXI_ACT=0,ARCHIVO='',"
         "ART_PAQ=0,FEC_UCO=" +
         hoy + ",FEC_VEN=" + hoy + ",FEC_ING=" + hoy + ",FEC_UCP=" + hoy +
         ",COD_TIPO=0,ES_SERVICIO=1,COD_AIM=0,REST_PTOS=0,COD_EMPRESA=1,VTA_SOLOBASE=0,ART_CAD=0,"
         "UND_CFDI=1,EQV_IMP1=0,EQV_IMP2=0,CVE_CFDI='78121600',ES_ANTIBIOTICO=0,FEC_CAMBIO=" +
         cambio + ",IMGBIT_ART='' WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';";
}

std::vector<std::string> ProveedorSiFalta(const std::string& codigo, const std::string& nombre) {
  return {"SELECT COD_PROVTC FROM tblProveedoresTC WHERE COD_PROVTC=" + codigo + ";",
          "INSERT INTO tblProveedoresTC (COD_PROVTC,DES_PROVTC,SITIO_PROVTC,RESP_PROVTC) VALUES (" +
              codigo + ",'" + nombre + "','','');"};
}

// Every lookup finds nothing unless a test says otherwise; the clock stands still.
class Version92Grabada : public prueba::RutinaGrabada {
 protected:
  Version92Grabada() : reloj_(2024, 1, 5, 9, 30, 15) {
    db_.Responde(prueba::EmpiezaCon("SELECT"), prueba::SinFilas({"COD"}));
  }
  std::vector<std::string> Corre(std::int16_t iManejador) {
    const std::size_t antes = db_.Textos().size();
    ModificarEstructura92(cnx_, iManejador, 910, 952);
    return prueba::EnviadasDesde(db_, antes);
  }
  prueba::RelojFijo reloj_;
};

// SQL Server: the whole list, the literals in its date forms.
TEST_F(Version92Grabada, OnSqlServer) {
  std::vector<std::string> esperadas = {
      "UPDATE tblCatUnidades SET CVE_CFDI='KT' WHERE (CVE_CFDI='KIT') AND (COD_UND='PAQ');",
      "UPDATE tblTcTerminales SET PWD_CLIENTE='' WHERE PWD_CLIENTE IS NULL;",
      "DELETE FROM tblProveedoresTC WHERE COD_PROVTC=1;",
      "DELETE FROM tblProveedoresTC WHERE COD_PROVTC=4;"};
  for (const auto& [codigo, nombre] : std::vector<std::pair<std::string, std::string>>{
           {"2", "ProsePago®"}, {"3", "SmartPayment®"}, {"5", "Banorte"}}) {
    const std::vector<std::string> par = ProveedorSiFalta(codigo, nombre);
    esperadas.insert(esperadas.end(), par.begin(), par.end());
  }
  esperadas.insert(esperadas.end(),
                   {"UPDATE tblCatArticulos SET IMGBIT_ART='' WHERE IMGBIT_ART IS NULL;",
                    "UPDATE tblEncPedidos SET CARGO_PED=0 WHERE CARGO_PED IS NULL;", kBuscaArticulo,
                    InsercionArticulo("'20240105'", "'18000101 09:30:15'"),
                    "DELETE FROM tblCodArticuloExtra WHERE COD_ART='QZ_PEDIDO_CARGO_SERV';",
                    "DELETE FROM tblCodArticuloExtra WHERE CODART_EXTRA='QZ_PEDIDO_CARGO_SERV';",
                    kBorraGrupos, kInsertaGrupo, kBorraUnidades, kInsertaUnidad,
                    "DELETE FROM tblPrecios WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';",
                    "DELETE FROM tblListaDeOfertas WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';"});
  EXPECT_THAT(Corre(ManejadorSQLServer), ::testing::ElementsAreArray(esperadas));
  EXPECT_THAT(db_.Textos(), Contains("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (920,0);"));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// MS Access differs only in the date literals; an article that exists is overwritten.
TEST_F(Version92Grabada, OnAccessTheArticleIsOverwritten) {
  db_.Responde(kBuscaArticulo, {{"COD1_ART"}, {{"QZ_PEDIDO_CARGO_SERV"}}});
  const std::vector<std::string> enviadas = Corre(ManejadorAccess);
  EXPECT_THAT(enviadas, Contains(ModificacionArticulo("#2024/01/05#", "#1800/01/01 09:30:15#")));
  EXPECT_THAT(enviadas, Not(Contains(::testing::StartsWith("INSERT INTO tblCatArticulos"))));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// When the article's lookup cannot be read the article is inserted, which its key refuses
// when it is there already. When the old group or unit rows cannot be deleted, no new one
// is added beside them. Each failure has its entry, and the routine goes on to its version
// row.
TEST_F(Version92Grabada, FailuresNeverAddASecondArticleGroupOrUnit) {
  db_.Falla(kBuscaArticulo, kRechazada, "Lock wait timeout exceeded");
  db_.Falla(kBorraGrupos, kRechazada, "Lock wait timeout exceeded");
  db_.Falla(kBorraUnidades, kRechazada, "Lock wait timeout exceeded");
  const std::vector<std::string> enviadas = Corre(ManejadorSQLServer);

  EXPECT_THAT(enviadas, Contains(::testing::StartsWith("INSERT INTO tblCatArticulos")));
  EXPECT_THAT(enviadas,
              Not(Contains(ModificacionArticulo("'20240105'", "'18000101 09:30:15'"))));
  EXPECT_THAT(enviadas, Not(Contains(kInsertaGrupo)));
  EXPECT_THAT(enviadas, Not(Contains(kInsertaUnidad)));
  EXPECT_THAT(enviadas,
              Contains("DELETE FROM tblListaDeOfertas WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV';"));
  EXPECT_THAT(db_.Textos(), Contains("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (920,0);"));
  const std::string bloqueo = Entrada(kEtiqueta, kRechazada, "Lock wait timeout exceeded");
  EXPECT_EQ(log_.Contenido(), bloqueo + Entrada(kEtiqueta, 3704, kObjetoCerrado) +
                                  Entrada(kEtiqueta, 3704, kObjetoCerrado) + bloqueo + bloqueo);
}

// ------------------------------------------------------------ on MariaDB

class Version92 : public prueba::BaseEn90 {
 protected:
  void Corre() { ModificarEstructura92(cnx_, ManejadorMySQL, 910, 952); }
  Filas Articulo() const {
    return Consulta(
        "SELECT DES1_ART, DES2_ART, COD_MON, PTO_MAR, COD_IMP, IMP2_ART, EXI_ACT, ARCHIVO, "
        "ART_PAQ, FEC_UCO, FEC_VEN, FEC_ING, FEC_UCP, COD_TIPO, ES_SERVICIO, COD_AIM, REST_PTOS, "
        "COD_EMPRESA, VTA_SOLOBASE, ART_CAD, UND_CFDI, EQV_IMP1, EQV_IMP2, CVE_CFDI, "
        "ES_ANTIBIOTICO, FEC_CAMBIO, IMGBIT_ART FROM tblCatArticulos WHERE "
        "COD1_ART='QZ_PEDIDO_CARGO_SERV'");
  }
  // The article's rows in the other tables, one line per table and row.
  Filas FilasDelArticulo() const {
    return Consulta(
        "SELECT 'extra', COD_ART, CODART_EXTRA, '' FROM tblCodArticuloExtra WHERE "
        "'QZ_PEDIDO_CARGO_SERV' IN (COD_ART, CODART_EXTRA) UNION ALL "
        "SELECT 'grupo', COD_GPO, COD_AGR, '' FROM tblGpoArticulos WHERE "
        "COD1_ART='QZ_PEDIDO_CARGO_SERV' UNION ALL "
        "SELECT 'unidad', COD_UND, EQV_UND, CONCAT_WS(',', PRE_UND, PRE_IVA, CVE_OFR, COS_PRO, "
        "COS_REP, COS_UCO, IMPTO_IMP, COD_BARRAS, PCIO_PUNTOS) FROM tblUndCosPreArt WHERE "
        "COD1_ART='QZ_PEDIDO_CARGO_SERV' UNION ALL "
        "SELECT 'precio', LISTA, '', '' FROM tblPrecios WHERE COD1_ART='QZ_PEDIDO_CARGO_SERV' "
        "UNION ALL SELECT 'oferta', CVE_OFR, '', '' FROM tblListaDeOfertas WHERE "
        "COD1_ART='QZ_PEDIDO_CARGO_SERV'");
  }
  const Filas kSoloGrupoYUnidad = {
      {"grupo", "1", "1", ""},
      {"unidad", "ACT", "1.0000", "0.0000,0.0000,,0.0000,0.0000,0.0000,0.0000,,0.0000"}};
};

Filas ArticuloDelDia(const std::string& dia, const std::string& hora) {
  return {{"CARGO POR SERVICIO EN PEDIDO", "CARGO POR SERVICIO EN PEDIDO", "1", "0.0000", "0", "0",
           "0.0000", "", "0", dia, dia, dia, dia, "0", "1", "0", "0", "1", "0", "0", "1", "0", "0",
           "78121600", "0", "1800-01-01 " + hora, ""}};
}

TEST_F(Version92, FromTheFixtureAt91) {
  prueba::RelojFijo reloj(2024, 1, 5, 9, 30, 15);
  Corre();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"920", "0"}}));

  EXPECT_EQ(Consulta("SELECT COD_UND, CVE_CFDI FROM tblCatUnidades ORDER BY 1"),
            (Filas{{"JGO", "KIT"}, {"PAQ", "KT"}, {"PZA", "H87"}}));
  EXPECT_EQ(Consulta("SELECT PWD_CLIENTE FROM tblTcTerminales ORDER BY COD_TERM"),
            (Filas{{""}, {"Xq9#"}}));
  // 1 and 4 go, 2 and 5 are added, 3 and 6 stay as they were.
  EXPECT_EQ(Consulta("SELECT * FROM tblProveedoresTC ORDER BY COD_PROVTC"),
            (Filas{{"2", "ProsePago®", "", ""},
                   {"3", "Smart Payment propio", "smart.example", "ok"},
                   {"5", "Banorte", "", ""},
                   {"6", "Terminal local", "", ""}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART, IMGBIT_ART FROM tblCatArticulos WHERE COD1_ART IN "
                     "('CAFE', 'PAN') ORDER BY 1"),
            (Filas{{"CAFE", ""}, {"PAN", "R0lGOD"}}));
  EXPECT_EQ(Consulta("SELECT CARGO_PED FROM tblEncPedidos ORDER BY FOLIO"),
            (Filas{{"0.0000"}, {"15.5000"}}));

  EXPECT_EQ(Articulo(), ArticuloDelDia("2024-01-05", "09:30:15"));
  EXPECT_EQ(FilasDelArticulo(), kSoloGrupoYUnidad);
  // Other articles keep their rows.
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCodArticuloExtra UNION ALL SELECT COUNT(*) FROM "
                     "tblGpoArticulos UNION ALL SELECT COUNT(*) FROM tblUndCosPreArt UNION ALL "
                     "SELECT COUNT(*) FROM tblPrecios UNION ALL SELECT COUNT(*) FROM "
                     "tblListaDeOfertas"),
            (Filas{{"1"}, {"2"}, {"3"}, {"1"}, {"1"}}));
}

// Run again on a later day, after the shop had changed the article and given it more
// rows: it is overwritten (its dates move to the day of the run) and ends with one group
// and one unit row again.
TEST_F(Version92, SecondRun) {
  {
    prueba::RelojFijo reloj(2024, 1, 5, 9, 30, 15);
    Corre();
  }
  bd_->EjecutaSql(
      "UPDATE tblCatArticulos SET DES1_ART='CARGO', COD_IMP=2, PTO_MAR=10, IMGBIT_ART='x' WHERE "
      "COD1_ART='QZ_PEDIDO_CARGO_SERV';"
      "INSERT INTO tblGpoArticulos VALUES ('QZ_PEDIDO_CARGO_SERV', 4, 1);"
      "INSERT INTO tblUndCosPreArt (COD_UND, COD1_ART, EQV_UND) VALUES "
      "('ACT', 'QZ_PEDIDO_CARGO_SERV', 1);"
      "INSERT INTO tblPrecios VALUES ('QZ_PEDIDO_CARGO_SERV', 2, 5);"
      "INSERT INTO tblProveedoresTC VALUES (1, 'De nuevo', '', '');");
  prueba::RelojFijo reloj(2024, 2, 10, 18, 5, 0);
  Corre();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Articulo(), ArticuloDelDia("2024-02-10", "18:05:00"));
  EXPECT_EQ(FilasDelArticulo(), kSoloGrupoYUnidad);
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblCatArticulos WHERE "
                     "COD1_ART='QZ_PEDIDO_CARGO_SERV'"),
            (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT COD_PROVTC FROM tblProveedoresTC ORDER BY 1"),
            (Filas{{"2"}, {"3"}, {"5"}, {"6"}}));
  EXPECT_EQ(Version(), (Filas{{"920", "0"}}));
}

}  // namespace
