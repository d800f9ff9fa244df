#include "steps/5x/modVersion59x.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "steps/5x/modVersion59.h"
#include "support/CatalogoDePrueba.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Encabezados;
using prueba::Entrada;
using prueba::FallaQueSale;
using prueba::Filas;
using prueba::Mas;
using prueba::SinFilas;
using ::testing::ElementsAreArray;

std::vector<std::string> Version(int version) {
  const std::string v = std::to_string(version);
  return {"SELECT * FROM tblVersion;", "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (" + v + ",0);",
          "DELETE FROM tblVersion WHERE VER<>" + v + ";"};
}

// ================================================================ 5.9.3

constexpr const char* kRepNomEmp =
    "UPDATE tblParametrosGenerales SET REP_NOMEMP=1 WHERE (REP_NOMEMP IS NULL) OR (REP_NOMEMP=0);";
const std::vector<std::string> kLlenados593 = {
    kRepNomEmp,
    "UPDATE tblParametrosGenerales SET REP_NOMCOM=0 WHERE (REP_NOMCOM IS NULL);",
    "UPDATE tblFacturasRen SET IMP_SINDESC=0 WHERE (IMP_SINDESC IS NULL);",
    "UPDATE tblFacturasRen SET DCTO_GRAL=0 WHERE (DCTO_GRAL IS NULL);",
    "UPDATE tblRenVentas SET IMP_SINDESC=0 WHERE (IMP_SINDESC IS NULL);",
    "UPDATE tblRenVentas SET DCTO_GRAL=0 WHERE (DCTO_GRAL IS NULL);"};

class Version593Grabada : public prueba::RutinaGrabada {};

TEST_F(Version593Grabada, ASettingThatFailsIsLoggedAndTheRoutineGoesOn) {
  db_.Falla(kRepNomEmp, -2147217900, "Unknown column 'REP_NOMEMP'");
  ModificarEstructura593(cnx_);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(Mas(kLlenados593, Version(593))));
  EXPECT_EQ(log_.Contenido(), Entrada("Error en ModificarEstructura593 :", -2147217900,
                                      "Unknown column 'REP_NOMEMP'"));
}

// The line fills run with the handler off: the first that fails leaves the routine, with
// no entry and no version row.
TEST_F(Version593Grabada, ALineFillThatFailsLeavesTheRoutine) {
  db_.Falla(kLlenados593[4], -2147217900, "Table 'tblRenVentas' doesn't exist");
  const vb::Error error = FallaQueSale([&] { ModificarEstructura593(cnx_); });
  EXPECT_EQ(error.Number(), -2147217900);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(std::vector<std::string>(kLlenados593.begin(),
                                                                      kLlenados593.begin() + 5)));
  EXPECT_FALSE(log_.Existe());
}

// ================================================================ 5.9.5

const std::vector<std::string> kLlenados595 = {
    "UPDATE tblFacturasRen SET PCIO_UNI=0 WHERE (PCIO_UNI IS NULL);",
    "UPDATE tblFacturasRen SET PCIO_UNI=PCIO_VEN WHERE (PCIO_UNI=0);",
    "UPDATE tblParametrosGenerales SET PV_COSTOREP=0 WHERE (PV_COSTOREP IS NULL);",
    "UPDATE tblParametrosGenerales SET PV_PRINTREG=1 WHERE (PV_PRINTREG IS NULL);",
    "UPDATE tblParametrosGenerales SET PV_PRINTREG=1 WHERE (PV_PRINTREG=0);",
    "UPDATE tblModificadores SET ORDEN_MOD=0 WHERE (ORDEN_MOD IS NULL);",
    "UPDATE tblEncDevolucion SET FOLIO_FACT='' WHERE (FOLIO_FACT IS NULL);"};
constexpr const char* kModificadores =
    "SELECT COD_PAQ,COD_ART FROM tblModificadores WHERE (ORDEN_MOD=0) ORDER BY COD_PAQ,COD_ART;";

std::string Numera(int orden, const std::string& paquete, const std::string& articulo) {
  return "UPDATE tblModificadores SET ORDEN_MOD=" + std::to_string(orden) + " WHERE COD_PAQ='" +
         paquete + "' AND COD_ART='" + articulo + "';";
}

class Version595Grabada : public prueba::RutinaGrabada {};

// Each package counts from 1; a code that differs only in case is another package; a row
// with a Null code gets no UPDATE; codes with a quote go in quoted.
TEST_F(Version595Grabada, NumbersTheModifiersOfEachPackage) {
  const vb::Variant nulo = vb::Variant::Null();
  db_.Responde(kModificadores, {{"COD_PAQ", "COD_ART"},
                                {{"P1", "A"},
                                 {"P1", "B"},
                                 {"P1", "C"},
                                 {"P2", "X"},
                                 {"p2", "Y"},
                                 {"p2", nulo},
                                 {"PAQ'CASA", "PAN D'ORO"}}});
  ModificarEstructura595(cnx_);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Mas(
                  Mas(kLlenados595, {kModificadores, Numera(1, "P1", "A"), Numera(2, "P1", "B"),
                                     Numera(3, "P1", "C"), Numera(1, "P2", "X"),
                                     Numera(1, "p2", "Y"), Numera(1, "PAQ''CASA", "PAN D''ORO")}),
                  Version(595))));
  EXPECT_EQ(log_.Contenido(),
            Entrada("Error en ModificarEstructura595 :", 94, prueba::kNuloNoValido));
}

TEST_F(Version595Grabada, ModifiersThatCannotBeReadAreLoggedAndTheVersionWritten) {
  db_.Falla(kModificadores, -2147217900, "Table 'tblModificadores' doesn't exist");
  ModificarEstructura595(cnx_);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Mas(Mas(kLlenados595, {kModificadores}), Version(595))));
  // The open; then the test for rows, the loop's end test and the close, on a closed
  // recordset.
  EXPECT_EQ(
      Encabezados(log_.Contenido()),
      (std::vector<std::string>{
          "Error en ModificarEstructura595 :-2147217900", "Error en ModificarEstructura595 :3704",
          "Error en ModificarEstructura595 :3704", "Error en ModificarEstructura595 :3704"}));
}

// ================================================================ 5.9.6

struct AnchoDelDialecto {
  std::int16_t iManejador;
  std::string verbo, tipo;
};

void PrintTo(const AnchoDelDialecto& a, std::ostream* os) { *os << "code " << a.iManejador; }

class ModificarEstructura596Grabada : public prueba::RutinaGrabada,
                                      public ::testing::WithParamInterface<AnchoDelDialecto> {};

TEST_P(ModificarEstructura596Grabada, WidensBothNames) {
  const AnchoDelDialecto& a = GetParam();
  ModificarEstructura596(cnx_, a.iManejador);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(Mas(
                                {"ALTER TABLE tblCatClientes " + a.verbo + " NOM_CLI " + a.tipo,
                                 "ALTER TABLE tblCatProveedor " + a.verbo + " NOM_PROV " + a.tipo},
                                Version(596))));
  EXPECT_FALSE(log_.Existe());
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, ModificarEstructura596Grabada,
    ::testing::Values(AnchoDelDialecto{4, "MODIFY", "VARCHAR(120) NOT NULL;"},
                      AnchoDelDialecto{3, "ALTER COLUMN", "VARCHAR(120) NOT NULL;"},
                      AnchoDelDialecto{2, "ALTER COLUMN", "TEXT(120);"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

// ================================================================ 5.9.7

constexpr const char* kFolioNum =
    "UPDATE tblParametrosGenerales SET FE_FOLIONUM=0 WHERE (FE_FOLIONUM IS NULL);";
constexpr const char* kPlantilla217 =
    "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=217) AND (COD_PERFIL=0) AND "
    "(MODULO_EDICION=11);";
constexpr const char* kPlantilla217Perfil1 =
    "SELECT * FROM tblPlantillaMenus WHERE (ORDEN_MENU=217) AND (COD_PERFIL=1) AND "
    "(MODULO_EDICION=11);";
constexpr const char* kUsuarios01 = "SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);";

std::string PlantillaKiosco(int perfil) {
  return "INSERT INTO tblPlantillaMenus (COD_PERFIL,ORDEN_MENU,NOMBRE_OPCION,TITULO_OPCION,"
         "ES_RAMA_DE,MODULO_EDICION) VALUES (" +
         std::to_string(perfil) + ",217,'mnuSisConfigKi','Configurar Kiosco',210,11);";
}

std::string MenuKiosco(const std::string& usuario) {
  return "INSERT INTO tblMenusFF (COD_USUARIO,ORDEN_MENU,NOMBRE_OPCION) VALUES ('" + usuario +
         "',217,'mnuSisConfigKi');";
}

class Version597Grabada : public prueba::RutinaGrabada {};

TEST_F(Version597Grabada, GrantsTheKioskOptionInModule11) {
  db_.Responde(kPlantilla217, SinFilas({"COD_PERFIL"}));
  db_.Responde(kPlantilla217Perfil1, SinFilas({"COD_PERFIL"}));
  db_.Responde(kUsuarios01,
               {{"COD_USU", "TIP_USU"}, {{"ADMIN", 0}, {vb::Variant::Null(), 1}, {"D'ANGELO", 1}}});
  db_.Falla(PlantillaKiosco(1), -2147217873, "Duplicate entry '1-11-217'");
  ModificarEstructura597(cnx_);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(Mas(
                                {kFolioNum, kPlantilla217, kPlantilla217Perfil1,
                                 PlantillaKiosco(1), PlantillaKiosco(0), kUsuarios01,
                                 MenuKiosco("ADMIN"), MenuKiosco("D''ANGELO")},
                                Version(597))));
  EXPECT_EQ(
      log_.Contenido(),
      Entrada("Error en ModificarEstructura597 :", -2147217873, "Duplicate entry '1-11-217'") +
          Entrada("Error en ModificarEstructura597 :", 94, prueba::kNuloNoValido));
}

// Profile 0's row decides for both profiles; the users get their rows all the same.
TEST_F(Version597Grabada, WithProfile0sRowNoTemplateRowIsAdded) {
  db_.Responde(kPlantilla217, {{"COD_PERFIL"}, {{0}}});
  db_.Responde(kUsuarios01, {{"COD_USU"}, {{"GERENTE"}}});
  ModificarEstructura597(cnx_);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Mas({kFolioNum, kPlantilla217, kUsuarios01, MenuKiosco("GERENTE")},
                                   Version(597))));
}

// The fill and the lookups run with no handler: their failure leaves the routine unlogged.
TEST_F(Version597Grabada, AFailingLookupLeavesTheRoutine) {
  db_.Responde(kPlantilla217, SinFilas({"COD_PERFIL"}));
  db_.Responde(kPlantilla217Perfil1, SinFilas({"COD_PERFIL"}));
  db_.Falla(kUsuarios01, -2147217900, "Table 'tblUsuarios' doesn't exist");
  EXPECT_EQ(FallaQueSale([&] { ModificarEstructura597(cnx_); }).Number(), -2147217900);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(std::vector<std::string>{
                  kFolioNum, kPlantilla217, kPlantilla217Perfil1, PlantillaKiosco(1),
                  PlantillaKiosco(0), kUsuarios01}));
  EXPECT_FALSE(log_.Existe());
}

// ================================================================ 5.9.8

const std::vector<std::string> kLlenados598 = {
    kFolioNum, "UPDATE tblGpoKioscoRen SET ORDEN_ART=0 WHERE (ORDEN_ART IS NULL);",
    "UPDATE tblParametrosGenerales SET TA_CADENA=0 WHERE (TA_CADENA IS NULL);"};

class Version598Grabada : public prueba::RutinaGrabada {};

TEST_F(Version598Grabada, FillsThenVersion) {
  ModificarEstructura598(cnx_);
  EXPECT_THAT(db_.Textos(), ElementsAreArray(Mas(kLlenados598, Version(598))));
  EXPECT_FALSE(log_.Existe());
}

TEST_F(Version598Grabada, AFailingFillLeavesTheRoutine) {
  db_.Falla(kLlenados598[1], -2147217900, "Table 'tblGpoKioscoRen' doesn't exist");
  EXPECT_EQ(FallaQueSale([&] { ModificarEstructura598(cnx_); }).Number(), -2147217900);
  EXPECT_THAT(db_.Textos(), ElementsAreArray({kLlenados598[0], kLlenados598[1]}));
  EXPECT_FALSE(log_.Existe());
}

// ================================================================ 5.9.9

// The run's day: 10 December 2026, in the afternoon.
struct RelojFijo : prueba::RelojFijo {
  RelojFijo() : prueba::RelojFijo(2026, 12, 10, 15, 42, 7) {}
};

constexpr const char* kTipo3 = "SELECT * FROM tblTipoImpuesto WHERE COD_TIPO=3;";
constexpr const char* kInsertaTipo3 =
    "INSERT INTO tblTipoImpuesto (COD_TIPO,DES_TIPO) VALUES (3,'IMPUESTO LOCAL');";

std::vector<std::string> Sentencias599(const std::string& ruta, const std::string& fecha,
                                       bool conFechaCero, bool conTipo3) {
  std::vector<std::string> s = {
      "UPDATE tblParametrosGenerales SET CNX_PSE='' WHERE (CNX_PSE IS NULL);",
      "UPDATE tblParametrosGenerales SET IMPTO_SER=0 WHERE (IMPTO_SER IS NULL);",
      "UPDATE tblServicios SET ACTIVO_ELEC=0 WHERE (ACTIVO_ELEC IS NULL);",
      "UPDATE tblServicios SET ID_CARRIER=0 WHERE (ID_CARRIER IS NULL);",
      "UPDATE tblFacturasServ SET COD_IMPTO2=0 WHERE (COD_IMPTO2 IS NULL);",
      "UPDATE tblFacturasServ SET PORC_IMPTO2=0 WHERE (PORC_IMPTO2 IS NULL);",
      "UPDATE tblFacturasServ SET IMP_IMPTO2=0 WHERE (IMP_IMPTO2 IS NULL);",
      kTipo3};
  if (conTipo3) s.push_back(kInsertaTipo3);
  s = Mas(
      s,
      {"UPDATE tblImpuestos SET IMPTE_IMP=0 WHERE (IMPTE_IMP IS NULL);",
       "UPDATE tblImpuestos SET EN_IMPORTE=0 WHERE (EN_IMPORTE IS NULL);",
       "UPDATE tblCatArticulos SET EQV_IMP1=0 WHERE (EQV_IMP1 IS NULL);",
       "UPDATE tblCatArticulos SET EQV_IMP2=0 WHERE (EQV_IMP2 IS NULL);",
       "UPDATE tblParametrosGenerales SET FE_RUTAXML='" + ruta + "' WHERE (FE_RUTAXML IS NULL);",
       "UPDATE tblParametrosGenerales SET FE_RUTAXML='" + ruta + "' WHERE (FE_RUTAXML='');",
       "UPDATE tblParametrosGenerales SET FE_VENCERT=" + fecha + " WHERE (FE_VENCERT IS NULL);"});
  if (conFechaCero)
    s.push_back("UPDATE tblParametrosGenerales SET FE_VENCERT=" + fecha +
                " WHERE (FE_VENCERT='0000-00-00');");
  return Mas(Mas(s, {"UPDATE tblCajas SET COMER_SER=0 WHERE (COMER_SER IS NULL);",
                     "UPDATE tblCajas SET CORRESP_SER=0 WHERE (CORRESP_SER IS NULL);",
                     "UPDATE tblCajas SET PASWD_SER='' WHERE (PASWD_SER IS NULL);",
                     "UPDATE tblCajas SET PRINT_SER='' WHERE (PRINT_SER IS NULL);"}),
             Version(599));
}

struct Forma599 {
  std::int16_t iManejador;
  std::string rutaRecibida;  // as the step passes it
  std::string rutaEnviada;
  std::string fecha;
  bool conFechaCero;
};

void PrintTo(const Forma599& f, std::ostream* os) { *os << "code " << f.iManejador; }

class ModificarEstructura599Grabada : public prueba::RutinaGrabada,
                                      public ::testing::WithParamInterface<Forma599> {
 protected:
  RelojFijo reloj_;
};

TEST_P(ModificarEstructura599Grabada, StatementsOfTheDialect) {
  const Forma599& f = GetParam();
  db_.Responde(kTipo3, SinFilas({"COD_TIPO", "DES_TIPO"}));
  ModificarEstructura599(cnx_, f.rutaRecibida, f.iManejador);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Sentencias599(f.rutaEnviada, f.fecha, f.conFechaCero, true)));
  EXPECT_FALSE(log_.Existe());
}

// The path's backslashes arrive doubled on MySQL and are not doubled again; a quote in the
// folder's name is doubled.
INSTANTIATE_TEST_SUITE_P(
    Dialects, ModificarEstructura599Grabada,
    ::testing::Values(
        Forma599{4, "C:\\\\Velmar\\\\XmlCfdi", "C:\\\\Velmar\\\\XmlCfdi", "'2026-12-10'", true},
        Forma599{3, "C:\\Velmar\\XmlCfdi", "C:\\Velmar\\XmlCfdi", "'20261210'", false},
        Forma599{2, "\\XmlCfdi", "\\XmlCfdi", "#2026/12/10#", false},
        Forma599{4, "D:\\\\Tienda D'Angelo\\\\XmlCfdi", "D:\\\\Tienda D''Angelo\\\\XmlCfdi",
                 "'2026-12-10'", true}),
    [](const auto& info) {
      return "Code" + std::to_string(info.param.iManejador) + "_" + std::to_string(info.index);
    });

class Version599Grabada : public prueba::RutinaGrabada {
 protected:
  RelojFijo reloj_;
};

TEST_F(Version599Grabada, AnExistingTaxType3IsLeftAsItIs) {
  db_.Responde(kTipo3, {{"COD_TIPO", "DES_TIPO"}, {{3, "ISH"}}});
  ModificarEstructura599(cnx_, "\\XmlCfdi", ManejadorSQLServer);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Sentencias599("\\XmlCfdi", "'20261210'", false, false)));
}

// Everything before the version row runs with no handler.
TEST_F(Version599Grabada, AFailingStatementLeavesTheRoutine) {
  const std::vector<std::string> todas = Sentencias599("\\\\XmlCfdi", "'2026-12-10'", true, true);
  db_.Responde(kTipo3, SinFilas({"COD_TIPO"}));
  db_.Falla(todas[2], -2147217900, "Table 'tblServicios' doesn't exist");
  EXPECT_EQ(
      FallaQueSale([&] { ModificarEstructura599(cnx_, "\\\\XmlCfdi", ManejadorMySQL); }).Number(),
      -2147217900);
  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(std::vector<std::string>(todas.begin(), todas.begin() + 3)));
  EXPECT_FALSE(log_.Existe());
}

// ================================================================ on MariaDB

class Versiones59x : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_580_59x.sql");
  }
  std::string Version() const { return Consulta("SELECT VER FROM tblVersion").at(0).at(0); }
};

TEST_F(Versiones59x, ModificarEstructura593) {
  ModificarEstructura593(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"593", "0"}}));
  // A 0 becomes 1 as a Null does; the branch that chose 2 keeps it.
  EXPECT_EQ(Consulta("SELECT COD_SUCU, REP_NOMEMP, REP_NOMCOM FROM tblParametrosGenerales "
                     "ORDER BY COD_SUCU"),
            (Filas{{"MATRIZ", "1", "0"}, {"SUC01", "2", "1"}, {"SUC02", "1", "0"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, RENGLON, IMP_SINDESC, DCTO_GRAL FROM tblFacturasRen "
                     "ORDER BY 1, 2"),
            (Filas{{"101", "1", "0.0000", "0.0000"},
                   {"101", "2", "9.0000", "0.0000"},
                   {"102", "1", "23.5000", "1.5000"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, RENGLON, IMP_SINDESC, DCTO_GRAL FROM tblRenVentas "
                     "ORDER BY 1, 2"),
            (Filas{{"5001", "1", "0.0000", "0.0000"}, {"5001", "2", "9.0000", "0.5000"}}));
}

// Without the sales lines the routine stops after the invoice lines: the version stays at
// 5.8 and nothing is logged, so the ladder reports the failure.
TEST_F(Versiones59x, ModificarEstructura593WithoutSalesLines) {
  bd_->EjecutaSql("DROP TABLE tblRenVentas;");
  EXPECT_THROW(ModificarEstructura593(cnx_), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "580");
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblFacturasRen WHERE DCTO_GRAL IS NULL"),
            (Filas{{"0"}}));
}

TEST_F(Versiones59x, ModificarEstructura595) {
  ModificarEstructura595(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "595");
  // A Null unit price becomes the sale price, as a 0 does.
  EXPECT_EQ(Consulta("SELECT FOLIO, RENGLON, PCIO_UNI FROM tblFacturasRen ORDER BY 1, 2"),
            (Filas{{"101", "1", "25.0000"}, {"101", "2", "9.0000"}, {"102", "1", "23.5000"}}));
  EXPECT_EQ(Consulta("SELECT COD_SUCU, PV_COSTOREP, PV_PRINTREG FROM tblParametrosGenerales "
                     "ORDER BY COD_SUCU"),
            (Filas{{"MATRIZ", "0", "1"}, {"SUC01", "1", "1"}, {"SUC02", "0", "2"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, FOLIO_FACT FROM tblEncDevolucion ORDER BY FOLIO"),
            (Filas{{"1", ""}, {"2", "A101"}}));
  // New modifiers count from 1 in article order, also beside numbered ones; a numbered
  // modifier stays; a code with a quote is numbered too.
  EXPECT_EQ(Consulta("SELECT COD_PAQ, COD_ART, ORDEN_MOD FROM tblModificadores "
                     "ORDER BY COD_PAQ, COD_ART"),
            (Filas{{"PAQ'CASA", "PAN", "1"},
                   {"PAQCEN", "VINO", "5"},
                   {"PAQCOM", "AGUA", "1"},
                   {"PAQCOM", "JUGO", "1"},
                   {"PAQCOM", "REFRESCO", "2"},
                   {"PAQCOM", "TE", "2"},
                   {"PAQDES", "A", "1"},
                   {"PAQDES", "B", "2"},
                   {"PAQDES", "C", "3"}}));
}

// Again at 595: only what is new is numbered, from 1 in its package; the rest stays.
TEST_F(Versiones59x, ModificarEstructura595SecondRun) {
  ModificarEstructura595(cnx_);
  bd_->EjecutaSql(
      "INSERT INTO tblModificadores (COD_PAQ, COD_ART, ORDEN_MOD) VALUES ('PAQDES', 'D', NULL);"
      "UPDATE tblParametrosGenerales SET PV_PRINTREG=0 WHERE COD_SUCU='SUC02';");
  const Filas antes = Consulta("SELECT * FROM tblModificadores WHERE COD_ART<>'D' ORDER BY 1, 2");
  ModificarEstructura595(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT * FROM tblModificadores WHERE COD_ART<>'D' ORDER BY 1, 2"), antes);
  EXPECT_EQ(Consulta("SELECT ORDEN_MOD FROM tblModificadores WHERE COD_ART='D'"), (Filas{{"1"}}));
  EXPECT_EQ(Consulta("SELECT PV_PRINTREG FROM tblParametrosGenerales WHERE COD_SUCU='SUC02'"),
            (Filas{{"1"}}));
}

// The counter is one byte: a package's modifiers past the 255th keep 0, each with an
// overflow entry, so no number is given twice; the next package starts at 1 again.
TEST_F(Versiones59x, ModificarEstructura595PastTheCounterLimit) {
  std::string valores;
  for (int i = 1; i <= 300; ++i) {
    const std::string numero = std::to_string(i);
    valores += std::string(valores.empty() ? "" : ",") + "('PAQGRANDE','M" +
               std::string(3 - numero.size(), '0') + numero + "',0)";
  }
  bd_->EjecutaSql(
      "DELETE FROM tblModificadores;"
      "INSERT INTO tblModificadores (COD_PAQ, COD_ART, ORDEN_MOD) VALUES " +
      valores + ",('PAQOTRO','X',0);");
  ModificarEstructura595(cnx_);

  // The 256th modifier and every later one get 255, each with an overflow entry; none is
  // left at 0 for a later run to number again.
  EXPECT_EQ(Encabezados(log_.Contenido()),
            std::vector<std::string>(45, "Error en ModificarEstructura595 :6"));
  EXPECT_EQ(Consulta("SELECT COUNT(*), COUNT(DISTINCT ORDEN_MOD), MIN(ORDEN_MOD), MAX(ORDEN_MOD) "
                     "FROM tblModificadores WHERE COD_PAQ='PAQGRANDE' AND COD_ART<'M256'"),
            (Filas{{"255", "255", "1", "255"}}));
  EXPECT_EQ(Consulta("SELECT MIN(COD_ART), MAX(COD_ART), COUNT(*) FROM tblModificadores "
                     "WHERE ORDEN_MOD=255"),
            (Filas{{"M255", "M300", "46"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblModificadores WHERE ORDEN_MOD=0"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT ORDEN_MOD FROM tblModificadores WHERE COD_PAQ='PAQOTRO'"),
            (Filas{{"1"}}));
  EXPECT_EQ(Version(), "595");
}

TEST_F(Versiones59x, ModificarEstructura596) {
  ModificarEstructura596(cnx_, ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "596");
  EXPECT_EQ(Consulta("SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE FROM "
                     "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND "
                     "COLUMN_NAME IN ('NOM_CLI','NOM_PROV') ORDER BY 1"),
            (Filas{{"tblcatclientes", "NOM_CLI", "varchar(120)", "NO"},
                   {"tblcatproveedor", "NOM_PROV", "varchar(120)", "NO"}}));
  EXPECT_EQ(Consulta("SELECT NOM_CLI FROM tblCatClientes WHERE COD_CLI='C002'"),
            (Filas{{"DISTRIBUIDORA DE ALIMENTOS DEL NORTE DE MEXICO, SOCIEDAD ANONIMA DE CAPITAL "
                    "VARIABLE"}}));
}

TEST_F(Versiones59x, ModificarEstructura597) {
  ModificarEstructura597(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "597");
  EXPECT_EQ(Consulta("SELECT COD_SUCU, FE_FOLIONUM FROM tblParametrosGenerales ORDER BY 1"),
            (Filas{{"MATRIZ", "0"}, {"SUC01", "3"}, {"SUC02", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_PERFIL, MODULO_EDICION, NOMBRE_OPCION, TITULO_OPCION, ES_RAMA_DE "
                     "FROM tblPlantillaMenus WHERE ORDEN_MENU=217 ORDER BY 1"),
            (Filas{{"0", "11", "mnuSisConfigKi", "Configurar Kiosco", "210"},
                   {"1", "11", "mnuSisConfigKi", "Configurar Kiosco", "210"}}));
  EXPECT_EQ(Consulta("SELECT COD_USUARIO FROM tblMenusFF WHERE ORDEN_MENU=217 AND "
                     "NOMBRE_OPCION='mnuSisConfigKi' ORDER BY 1"),
            (Filas{{"ADMIN"}, {"D'ANGELO"}, {"GERENTE"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblMenusPV WHERE ORDEN_MENU=217"), (Filas{{"0"}}));
}

// Again at 597: the template is found; each user's row is refused, one entry each.
TEST_F(Versiones59x, ModificarEstructura597SecondRun) {
  ModificarEstructura597(cnx_);
  const Filas plantilla = Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6");
  ModificarEstructura597(cnx_);
  EXPECT_EQ(Encabezados(log_.Contenido()),
            std::vector<std::string>(3, "Error en ModificarEstructura597 :-2147217873"));
  EXPECT_EQ(Consulta("SELECT * FROM tblPlantillaMenus ORDER BY 1, 2, 6"), plantilla);
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblMenusFF WHERE ORDEN_MENU=217"), (Filas{{"3"}}));
  EXPECT_EQ(Version(), "597");
}

TEST_F(Versiones59x, ModificarEstructura598) {
  ModificarEstructura598(cnx_);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "598");
  EXPECT_EQ(Consulta("SELECT COD_SUCU, FE_FOLIONUM, TA_CADENA FROM tblParametrosGenerales "
                     "ORDER BY 1"),
            (Filas{{"MATRIZ", "0", "0"}, {"SUC01", "3", "1"}, {"SUC02", "0", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART, ORDEN_ART FROM tblGpoKioscoRen ORDER BY 1"),
            (Filas{{"CAFE", "0"}, {"PAN", "2"}}));
}

class Version599 : public Versiones59x {
 protected:
  RelojFijo reloj_;
};

TEST_F(Version599, FromADatabaseAt598) {
  // The step's path on MySQL, backslashes doubled, for a folder with a quote in its name.
  ModificarEstructura599(cnx_, "C:\\\\Tienda D'Angelo\\\\XmlCfdi", ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "599");
  // Only a Null or an empty folder takes the path; only a Null or zero date takes the day.
  EXPECT_EQ(Consulta("SELECT COD_SUCU, CNX_PSE, IMPTO_SER, FE_RUTAXML, FE_VENCERT FROM "
                     "tblParametrosGenerales ORDER BY 1"),
            (Filas{{"MATRIZ", "", "0", "C:\\Tienda D'Angelo\\XmlCfdi", "2026-12-10"},
                   {"SUC01", "pse01", "1", "D:\\Facturas\\Xml", "2027-03-31"},
                   {"SUC02", "", "0", "C:\\Tienda D'Angelo\\XmlCfdi", "2026-12-10"}}));
  EXPECT_EQ(Consulta("SELECT COD_TIPO, DES_TIPO, TRASLADADO FROM tblTipoImpuesto ORDER BY 1"),
            (Filas{{"1", "IVA", "1"}, {"2", "IEPS", "1"}, {"3", "IMPUESTO LOCAL", "1"}}));
  EXPECT_EQ(Consulta("SELECT COD_SERV, ACTIVO_ELEC, ID_CARRIER FROM tblServicios ORDER BY 1"),
            (Filas{{"1", "0", "0"}, {"2", "1", "3"}}));
  EXPECT_EQ(Consulta("SELECT FOLIO, COD_IMPTO2, PORC_IMPTO2, IMP_IMPTO2 FROM tblFacturasServ "
                     "ORDER BY 1"),
            (Filas{{"7001", "0", "0.0000", "0.0000"}, {"7002", "2", "3.0000", "0.9000"}}));
  EXPECT_EQ(Consulta("SELECT COD_IMP, IMPTE_IMP, EN_IMPORTE FROM tblImpuestos ORDER BY 1"),
            (Filas{{"1", "0", "0"}, {"2", "1", "0"}}));
  EXPECT_EQ(
      Consulta("SELECT COD1_ART, EQV_IMP1, EQV_IMP2 FROM tblCatArticulos ORDER BY 1"),
      (Filas{{"AZUCAR", "0", "0"}, {"CAFE", "0", "0"}, {"LECHE", "0", "2"}, {"PAN", "1", "0"}}));
  EXPECT_EQ(Consulta("SELECT COD_CAJA, COMER_SER, CORRESP_SER, PASWD_SER, PRINT_SER FROM "
                     "tblCajas ORDER BY 1"),
            (Filas{{"1", "0", "0", "", ""}, {"2", "12", "34", "serv2", "EPSON"}}));
}

// Again at 599: nothing changes but the version row.
TEST_F(Version599, SecondRun) {
  ModificarEstructura599(cnx_, "\\\\XmlCfdi", ManejadorMySQL);
  const char* const tablas[] = {
      "tblParametrosGenerales", "tblTipoImpuesto", "tblServicios", "tblFacturasServ",
      "tblImpuestos",           "tblCatArticulos", "tblCajas"};
  std::vector<Filas> antes;
  for (const char* tabla : tablas)
    antes.push_back(Consulta(std::string("SELECT * FROM ") + tabla + " ORDER BY 1"));
  ModificarEstructura599(cnx_, "\\\\OtraRuta", ManejadorMySQL);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  for (std::size_t i = 0; i < antes.size(); ++i)
    EXPECT_EQ(Consulta(std::string("SELECT * FROM ") + tablas[i] + " ORDER BY 1"), antes[i])
        << tablas[i];
  EXPECT_EQ(Version(), "599");
}

// A failure before the version row leaves the routine: no entry, the version stays, and
// what ran before stays done.
TEST_F(Version599, WithoutTheTillsTable) {
  bd_->EjecutaSql("DROP TABLE tblCajas;");
  EXPECT_THROW(ModificarEstructura599(cnx_, "\\\\XmlCfdi", ManejadorMySQL), vb::Error);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "580");
  EXPECT_EQ(Consulta("SELECT FE_VENCERT FROM tblParametrosGenerales WHERE COD_SUCU='SUC02'"),
            (Filas{{"2026-12-10"}}));
}

// The fixture and the reference catalogue agree: brought in line with the catalogue, the
// fixture goes through every routine of 5.9 to 5.9.9, in the steps' order, without a
// run-log entry.
TEST_F(Version599, TheFixtureWithTheCatalogueThroughEveryStep) {
  prueba::ScriptedUi ui;
  prueba::ProgramaConCatalogo programa(prueba::CatalogoDeReferencia());
  bool bExisteError = false;
  clsBaseDatos().CrearBaseDeDatos(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(),
                                  bExisteError, lbl_, false, EstructuraPrincipal);
  ASSERT_FALSE(bExisteError);
  ASSERT_TRUE(ui.cajas.empty()) << ui.cajas.front().prompt;

  ModificarEstructura59(cnx_, ManejadorMySQL);
  ActualizaCamposVersion59(cnx_);
  ModificarEstructura593(cnx_);
  ModificarEstructura595(cnx_);
  ModificarEstructura596(cnx_, ManejadorMySQL);
  ModificarEstructura597(cnx_);
  ModificarEstructura598(cnx_);
  ModificarEstructura599(cnx_, "C:\\\\Velmar\\\\XmlCfdi", ManejadorMySQL);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Version(), "599");
  EXPECT_EQ(Consulta("SELECT FE_RUTAXML FROM tblParametrosGenerales WHERE COD_SUCU='MATRIZ'"),
            (Filas{{"C:\\Velmar\\XmlCfdi"}}));
}

}  // namespace
