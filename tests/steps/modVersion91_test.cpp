#include "steps/8x_9x/modVersion91.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoVersiones9x.h"
#include "data/clsBaseDatos.h"
#include "steps/8x_9x/FacturacionWeb.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::kObjetoCerrado;
using prueba::kRechazada;

constexpr const char* kEtiqueta = "Error en ModificarEstructura91 :";
constexpr const char* kEstado11 = "SELECT * FROM tblStatusDoc WHERE COD_STS=11;";
constexpr const char* kEstado12 = "SELECT * FROM tblStatusDoc WHERE COD_STS=12;";
constexpr const char* kInsertaEstado12 =
    "INSERT INTO tblStatusDoc (COD_STS,DES_STS) VALUES (12,'EN RUTA');";

// The lookups find state 11 and nothing else.
class Version91Grabada : public prueba::RutinaGrabada {
 protected:
  Version91Grabada() {
    db_.Responde(kEstado11, {{"COD_STS", "DES_STS"}, {{"11", "SALIDA"}}});
    db_.Responde([](const std::string& s) { return s.rfind("SELECT", 0) == 0 && s != kEstado11; },
                 prueba::SinFilas({"COD"}));
  }
  std::vector<std::string> Corre(std::int16_t iManejador) {
    const std::size_t antes = db_.Textos().size();
    ModificarEstructura91(cnx_, iManejador, 900, 952, lbl_);
    return prueba::EnviadasDesde(db_, antes);
  }
  ui::Label lbl_;
};

// No statement depends on the engine; the endpoint goes to every row.
TEST_F(Version91Grabada, EveryEngineGetsTheSameText) {
  const std::vector<std::string> mysql = Corre(ManejadorMySQL);
  EXPECT_EQ(Corre(ManejadorSQLServer), mysql);
  EXPECT_EQ(Corre(ManejadorAccess), mysql);
  ASSERT_FALSE(mysql.empty());
  EXPECT_EQ(mysql.front(), std::string("UPDATE tblServiciosElec SET FACTWEB_URL='") +
                               kFacturacionWebPredeterminada + "';");
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// A refused fill is logged and the next statement runs; a lookup that cannot be opened
// gives its own entries (open, test, close) and the insert it guards is sent anyway; the
// version is recorded at the end whatever failed.
TEST_F(Version91Grabada, FailuresAreLoggedAndSkipped) {
  db_.Falla("UPDATE tblEmpresa SET IMGBIT_EMPRESA='' WHERE IMGBIT_EMPRESA IS NULL;", kRechazada,
            "Table 'tblEmpresa' doesn't exist");
  db_.Falla(kEstado12, kRechazada, "Table 'tblStatusDoc' is locked");
  db_.Falla(kInsertaEstado12, -2147217873, "Duplicate entry '12'");
  const std::vector<std::string> enviadas = Corre(ManejadorSQLServer);

  EXPECT_THAT(enviadas, ::testing::Contains("UPDATE tblFacturasEnc SET SUSTIT_FACT='' WHERE "
                                            "SUSTIT_FACT IS NULL;"));
  EXPECT_THAT(enviadas, ::testing::Contains(kInsertaEstado12));
  EXPECT_THAT(db_.Textos(), ::testing::Contains("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES "
                                                "(910,0);"));
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta, kRechazada, "Table 'tblEmpresa' doesn't exist") +
                                  Entrada(kEtiqueta, kRechazada, "Table 'tblStatusDoc' is locked") +
                                  Entrada(kEtiqueta, 3704, kObjetoCerrado) +
                                  Entrada(kEtiqueta, -2147217873, "Duplicate entry '12'") +
                                  Entrada(kEtiqueta, 3704, kObjetoCerrado));
}

// ------------------------------------------------------------ on MariaDB

class Version91 : public prueba::BaseEn90 {
 protected:
  void Corre() { ModificarEstructura91(cnx_, ManejadorMySQL, 900, 952, lbl_); }
};

TEST_F(Version91, FromTheFixtureAt90) {
  Corre();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), (Filas{{"910", "0"}}));

  const std::string url = kFacturacionWebPredeterminada;
  EXPECT_EQ(Consulta("SELECT FACTWEB_URL, FACTWEB_CONC, FACTWEB_CVE FROM tblServiciosElec "
                     "ORDER BY COD_SERV"),
            (Filas{{url, "Consumo de alimentos", "90101501"},
                   {url, "Consumo de alimentos", "90101501"},
                   {url, "Servicio de comedor", "50192100"}}));
  EXPECT_EQ(Consulta("SELECT NUM_TIEMPO FROM tblComandas ORDER BY FOLIO"),
            (Filas{{"1"}, {"1"}, {"2"}}));
  EXPECT_EQ(Consulta("SELECT NUM_TIEMPO FROM tblRenMesas ORDER BY COD_MESA, RENGLON"),
            (Filas{{"1"}, {"3"}, {"1"}}));
  EXPECT_EQ(Consulta("SELECT IMGBIT_EMPRESA FROM tblEmpresa ORDER BY 1"),
            (Filas{{""}, {"iVBORw0KGgo="}}));
  EXPECT_EQ(Consulta("SELECT SUSTIT_FACT FROM tblFacturasEnc ORDER BY FOLIO"),
            (Filas{{""}, {"A-17"}}));
  EXPECT_EQ(Consulta("SELECT CLIENTE_MOS FROM tblGralVentas ORDER BY FOLIO"),
            (Filas{{""}, {"Juana O'Brien"}}));
  EXPECT_EQ(Consulta("SELECT ENVIADO FROM tblComprasEnc UNION ALL SELECT ENVIADO FROM tblOCOMEnc"),
            (Filas{{"0"}, {"1"}, {"0"}, {"1"}}));
  // Lines without codes get 0 ("not coded"), never a real code; coded lines keep theirs.
  EXPECT_EQ(Consulta("SELECT FOL_DOC, RENGLON, COD1_IMP, COD2_IMP FROM tblComprasRen UNION ALL "
                     "SELECT * FROM tblCotizacionesRen UNION ALL SELECT * FROM tblOCOMRen "
                     "UNION ALL SELECT * FROM tblDevolucionRen ORDER BY 1, 2"),
            (Filas{{"C001", "1", "0", "0"},
                   {"C001", "2", "2", "0"},
                   {"C002", "1", "1", "3"},
                   {"D001", "1", "5", "0"},
                   {"O001", "1", "0", "0"},
                   {"Q001", "1", "0", "4"},
                   {"Q001", "2", "2", "3"}}));
  EXPECT_EQ(Consulta("SELECT FORM_VOL FROM tblPrecVolum ORDER BY COD1_ART"),
            (Filas{{""}, {"3x2"}}));
  // State 11 is rewritten, 12 keeps its own description, 13 is added.
  EXPECT_EQ(
      Consulta("SELECT COD_STS, DES_STS FROM tblStatusDoc ORDER BY COD_STS"),
      (Filas{{"1", "ABIERTO"}, {"11", "POR SALIR"}, {"12", "EN CAMINO"}, {"13", "ENTREGADO"}}));
  EXPECT_EQ(Consulta("SELECT COD_TIP, DES_TIP FROM tblTipoVendedor ORDER BY COD_TIP"),
            (Filas{{"0", "REPARTIDOR"}, {"1", "MOSTRADOR"}}));
  EXPECT_EQ(Consulta("SELECT COD_PAIS, NOM_PAIS FROM tblPais ORDER BY 1"),
            (Filas{{"MEX", "MEX"}, {"USA", "ESTADOS UNIDOS"}}));
}

// Run again after the shop changed things: the endpoint and state 11 are written back,
// the rest of the shop's changes stay and nothing is added twice.
TEST_F(Version91, SecondRun) {
  Corre();
  bd_->EjecutaSql(
      "UPDATE tblServiciosElec SET FACTWEB_URL='https://propia.example/x', "
      "FACTWEB_CONC='Comidas' WHERE COD_SERV=1;"
      "UPDATE tblStatusDoc SET DES_STS='EN ESPERA' WHERE COD_STS IN (11, 12, 13);"
      "UPDATE tblTipoVendedor SET DES_TIP='CHOFER' WHERE COD_TIP=0;");
  Corre();
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT FACTWEB_URL, FACTWEB_CONC FROM tblServiciosElec WHERE COD_SERV=1"),
            (Filas{{kFacturacionWebPredeterminada, "Comidas"}}));
  EXPECT_EQ(Consulta("SELECT COD_STS, DES_STS FROM tblStatusDoc WHERE COD_STS > 10 ORDER BY 1"),
            (Filas{{"11", "POR SALIR"}, {"12", "EN ESPERA"}, {"13", "EN ESPERA"}}));
  EXPECT_EQ(Consulta("SELECT DES_TIP FROM tblTipoVendedor WHERE COD_TIP=0"), (Filas{{"CHOFER"}}));
  EXPECT_EQ(Version(), (Filas{{"910", "0"}}));
}

}  // namespace
