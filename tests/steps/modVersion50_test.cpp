// The 5.0 settings move: statement texts and failures on the recording provider, and the
// move itself on MariaDB, from a fixture database whose settings still live in tblEmpresa.
#include "steps/5x/modVersion50.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "steps/DireccionTiempoAire.h"
#include "support/CatalogoDePrueba.h"
#include "support/DescripcionesDeError.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Entrada;
using prueba::Filas;
using prueba::Resultado;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kEtiqueta = "Error en ModificarEstructura50 (Sin Dorvex.mdb) :";
constexpr const char* kConsultaEmpresa = "SELECT * FROM tblEmpresa WHERE COD_EMPRESA=1;";
constexpr const char* kConsultaParametros = "SELECT * FROM tblParametrosGenerales;";
constexpr const char* kConsultaImpuestos = "SELECT * FROM tblImpuestos WHERE COD_IMP<>0;";
constexpr const char* kPrincipales = "SELECT COD_SUCU FROM tblSucursales WHERE ES_PRINCIPAL<>0;";

std::string ValidaSucursal(const std::string& codigo) {
  return "SELECT COD_SUCU FROM tblSucursales WHERE (COD_SUCU='" + codigo +
         "') AND (ES_PRINCIPAL<>0);";
}

vb::Variant N(int valor) { return vb::Variant(static_cast<std::int16_t>(valor)); }

using Fila = std::vector<std::pair<std::string, vb::Variant>>;

// The company row of a 5.0 database with every setting set, each to a value of its own.
Fila EmpresaCompleta() {
  return {{"COD_EMPRESA", N(1)},   {"NOM_EMP", "ABARROTES"}, {"COD_SUCU", "SUC01"},
          {"FACT_MOSTRA", N(1)},   {"FACT_POREMP", N(2)},    {"NOTA_FACTURA", N(3)},
          {"CAMP_REDN", N(4)},     {"CAD_ACT", N(5)},        {"DIAS_CAD", N(6)},
          {"HORAS_CAD", N(7)},     {"LIM_RENVTA", N(8)},     {"MOD_FECPED", N(9)},
          {"CP_RESTPRES", N(10)},  {"LDV_CLIENTE", N(11)},   {"LDA", N(12)},
          {"LDC_TIPODOC", N(13)},  {"LDC_MONEDA", N(14)},    {"LDC_SUCURSAL", N(15)},
          {"LDC_PRESUP", N(16)},   {"TC_SERVICIO", N(17)},   {"TC_IDSITIO", "SITIO7"},
          {"TC_KEY", "LLAVE"},     {"TC_EMPRESA", "EMPRESA"}, {"TA_ACT", N(18)},
          {"TA_AGR", N(19)},       {"TA_IMPTO", N(20)},      {"TA_GRUPO", N(21)},
          {"TA_CADENA", N(22)},    {"TA_TIENDA", N(23)},     {"TA_URL", "https://ta.example.mx"},
          {"TA_FTP", "ftp.example.mx"}, {"TA_SALDO", 12.5},  {"CFD_FACT", N(1)},
          {"CFD_NCRE", N(1)},      {"CFD_NCAR", N(1)}};
}

// The company row after a run that moved the settings: only what 5.0 keeps.
Fila EmpresaYaMovida() {
  return {{"COD_EMPRESA", N(1)}, {"NOM_EMP", "ABARROTES"}, {"TC_KEY", "LLAVE"},
          {"TC_EMPRESA", "EMPRESA"}};
}

Fila Con(Fila fila, const std::string& columna, vb::Variant valor) {
  for (auto& [nombre, v] : fila)
    if (nombre == columna) v = std::move(valor);
  return fila;
}

Resultado Respuesta(const Fila& fila, bool conFila = true) {
  Resultado r;
  std::vector<vb::Variant> valores;
  for (const auto& [nombre, valor] : fila) {
    r.columnas.push_back(nombre);
    valores.push_back(valor);
  }
  if (conFila) r.filas.push_back(std::move(valores));
  return r;
}

Resultado UnCodigo(const std::string& codigo) { return {{"COD_SUCU"}, {{codigo}}}; }

const std::vector<std::string> kColumnasQuitadas = {
    "COD_SUCU",   "FACT_MOSTRA", "FACT_POREMP", "NOTA_FACTURA", "CAMP_REDN",   "CAD_ACT",
    "DIAS_CAD",   "HORAS_CAD",   "LIM_RENVTA",  "MOD_FECPED",   "CP_RESTPRES", "LDV_CLIENTE",
    "LDA",        "LDC_TIPODOC", "LDC_MONEDA",  "LDC_SUCURSAL", "LDC_PRESUP",  "TC_SERVICIO",
    "TC_IDSITIO", "TA_ACT",      "TA_AGR",      "TA_IMPTO",     "TA_GRUPO",    "TA_CADENA",
    "TA_TIENDA",  "TA_URL",      "TA_FTP",      "TA_SALDO",     "CFD_FACT",    "CFD_NCRE",
    "CFD_NCAR"};

std::string Insercion(const std::string& valores) {
  return "INSERT INTO tblParametrosGenerales (COD_SUCU,FACT_MOSTRA,FACT_POREMP,NOTA_FACTURA,"
         "CAMP_REDN,CAD_ACT,DIAS_CAD,HORAS_CAD,LIM_RENVTA,MOD_FECPED,CP_RESTPRES,LDV_CLIENTE,LDA,"
         "LDC_TIPODOC,LDC_MONEDA,LDC_SUCURSAL,LDC_PRESUP,TC_SERVICIO,TC_IDSITIO,TC_KEY,"
         "TC_EMPRESA,TA_ACT,TA_AGR,TA_IMPTO,TA_GRUPO,TA_CADENA,TA_TIENDA,TA_URL,TA_FTP,CFD_FACT,"
         "CONX_CXC,BD_CXC,FE_WEBSERVURL,FE_EMPRESA,FE_DOMINIO,FE_USUARIO,FE_CONTRASENA,"
         "FE_EMAILPV) VALUES (" +
         valores + ");";
}

// ------------------------------------------------------------ recorded

class ModificarEstructura50Grabada : public prueba::RutinaGrabada {
 protected:
  ModificarEstructura50Grabada() {
    // No taxes, unless a test gives its own.
    db_.Responde([this](const std::string& sql) { return sql == kConsultaImpuestos && !impuestos_; },
                 prueba::SinFilas({"COD_IMP", "DES_IMP", "TIPO_IMP"}));
    db_.Responde("SELECT * FROM tblVersion;", {{"VER", "CXC_CENTRAL"}, {{N(450), N(0)}}});
  }

  void Empresa(const Fila& fila) { db_.Responde(kConsultaEmpresa, Respuesta(fila)); }
  void SinEmpresa() { db_.Responde(kConsultaEmpresa, Respuesta(EmpresaCompleta(), false)); }
  void Principal(const std::string& codigo) {
    db_.Responde(ValidaSucursal(codigo), UnCodigo(codigo));
  }
  void Impuestos(Resultado impuestos) {
    impuestos_ = true;
    db_.Responde(kConsultaImpuestos, std::move(impuestos));
  }
  void ConParametros() { db_.Responde(kConsultaParametros, {{"COD_SUCU"}, {{"VIEJA"}}}); }
  void SinParametros() { db_.Responde(kConsultaParametros, prueba::SinFilas({"COD_SUCU"})); }

  // The statements sent, from the first one that begins with `inicio` (none: empty).
  std::vector<std::string> Desde(const std::string& inicio) const {
    const std::vector<std::string> textos = db_.Textos();
    auto it = std::find_if(textos.begin(), textos.end(),
                           [&](const std::string& t) { return t.rfind(inicio, 0) == 0; });
    return {it, textos.end()};
  }
  bool Envio(const std::string& sql) const {
    const std::vector<std::string> textos = db_.Textos();
    return std::find(textos.begin(), textos.end(), sql) != textos.end();
  }
  std::vector<std::string> Inserciones() const {
    std::vector<std::string> inserciones;
    for (const std::string& t : db_.Textos())
      if (t.rfind("INSERT INTO tblParametrosGenerales", 0) == 0) inserciones.push_back(t);
    return inserciones;
  }

  bool impuestos_ = false;
};

TEST_F(ModificarEstructura50Grabada, UpdatePathOnMySQLStatementByStatement) {
  Empresa(EmpresaCompleta());
  Principal("SUC01");
  ConParametros();

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  std::vector<std::string> esperadas = {
      "ALTER TABLE tblCatClientes MODIFY NOM_CLI VARCHAR(100) NOT NULL;",
      "ALTER TABLE tblCatProveedor MODIFY NOM_PROV VARCHAR(100) NOT NULL;",
      "ALTER TABLE tblCajas MODIFY TA_PASSWORD VARCHAR(10) NOT NULL;",
      kConsultaEmpresa,
      ValidaSucursal("SUC01"),
      kConsultaParametros,
      "UPDATE tblParametrosGenerales SET COD_SUCU='SUC01';",
      "UPDATE tblParametrosGenerales SET FACT_MOSTRA=1 WHERE FACT_MOSTRA IS NULL;",
      "UPDATE tblParametrosGenerales SET FACT_POREMP=2 WHERE FACT_POREMP IS NULL;",
      "UPDATE tblParametrosGenerales SET NOTA_FACTURA=3 WHERE NOTA_FACTURA IS NULL;",
      "UPDATE tblParametrosGenerales SET CAMP_REDN=4 WHERE CAMP_REDN IS NULL;",
      "UPDATE tblParametrosGenerales SET CAD_ACT=5 WHERE CAD_ACT IS NULL;",
      "UPDATE tblParametrosGenerales SET DIAS_CAD=6 WHERE DIAS_CAD IS NULL;",
      "UPDATE tblParametrosGenerales SET HORAS_CAD=7 WHERE HORAS_CAD IS NULL;",
      // Moving, the three settings the parameters row never had a statement for.
      "UPDATE tblParametrosGenerales SET LIM_RENVTA=8 WHERE LIM_RENVTA IS NULL;",
      "UPDATE tblParametrosGenerales SET MOD_FECPED=9 WHERE MOD_FECPED IS NULL;",
      "UPDATE tblParametrosGenerales SET CP_RESTPRES=10 WHERE CP_RESTPRES IS NULL;",
      "UPDATE tblParametrosGenerales SET LDV_CLIENTE=11 WHERE LDV_CLIENTE IS NULL;",
      "UPDATE tblParametrosGenerales SET LDA=12 WHERE LDA IS NULL;",
      "UPDATE tblParametrosGenerales SET LDC_TIPODOC=13 WHERE LDC_TIPODOC IS NULL;",
      "UPDATE tblParametrosGenerales SET LDC_MONEDA= 14 WHERE LDC_MONEDA IS NULL;",
      "UPDATE tblParametrosGenerales SET LDC_SUCURSAL=15 WHERE LDC_SUCURSAL IS NULL;",
      "UPDATE tblParametrosGenerales SET LDC_PRESUP=16 WHERE LDC_PRESUP IS NULL;",
      "UPDATE tblParametrosGenerales SET TC_SERVICIO=17 WHERE TC_SERVICIO IS NULL;",
      "UPDATE tblParametrosGenerales SET TC_IDSITIO='SITIO7' WHERE TC_IDSITIO IS NULL;",
      "UPDATE tblParametrosGenerales SET TC_KEY='' WHERE TC_KEY IS NULL;",
      "UPDATE tblParametrosGenerales SET TC_EMPRESA='' WHERE TC_EMPRESA IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_ACT=18 WHERE TA_ACT IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_AGR=19 WHERE TA_AGR IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_IMPTO=20 WHERE TA_IMPTO IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_GRUPO=21 WHERE TA_GRUPO IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_CADENA=22 WHERE TA_CADENA IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_TIENDA=23 WHERE TA_TIENDA IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_URL='https://ta.example.mx' WHERE TA_URL IS NULL;",
      "UPDATE tblParametrosGenerales SET TA_FTP='ftp.example.mx' WHERE TA_FTP IS NULL;",
      "UPDATE tblParametrosGenerales SET CFD_FACT = 0 WHERE CFD_FACT IS NULL;",
      "UPDATE tblParametrosGenerales SET FE_WEBSERVURL = '' WHERE FE_WEBSERVURL IS NULL;",
      "UPDATE tblParametrosGenerales SET FE_EMPRESA = '' WHERE FE_EMPRESA IS NULL;",
      "UPDATE tblParametrosGenerales SET FE_DOMINIO = '' WHERE FE_DOMINIO IS NULL;",
      "UPDATE tblParametrosGenerales SET FE_USUARIO = '' WHERE FE_USUARIO IS NULL;",
      "UPDATE tblParametrosGenerales SET FE_CONTRASENA ='' WHERE FE_CONTRASENA IS NULL;",
      "UPDATE tblParametrosGenerales SET FE_EMAILPV = '' WHERE FE_EMAILPV IS NULL;",
      "UPDATE tblParametrosGenerales SET CONX_CXC = '', BD_CXC = '';",
      kConsultaEmpresa,
      "UPDATE tblParametrosGenerales SET TC_KEY='LLAVE', TC_EMPRESA='EMPRESA';"};
  for (const std::string& columna : kColumnasQuitadas)
    esperadas.push_back("ALTER TABLE tblEmpresa DROP COLUMN " + columna + ";");
  const std::vector<std::string> resto = {
      "UPDATE tblCiudad SET MUN_CID=DES_CID WHERE MUN_CID IS NULL;",
      "UPDATE tblCatClientes SET NUM_EXT='' WHERE NUM_EXT IS NULL;",
      "UPDATE tblCatClientes SET NUM_INT='' WHERE NUM_INT IS NULL;",
      "UPDATE tblCatClientes SET MAIL_CFD='' WHERE MAIL_CFD IS NULL;",
      "UPDATE tblCatProveedor SET NUM_CLI='' WHERE NUM_CLI IS NULL;",
      "UPDATE tblImpuestos SET TIPO_IMP=0 WHERE COD_IMP=0;",
      "UPDATE tblImpuestos SET TIPO_IMP=1 WHERE COD_IMP<>0;",
      kConsultaImpuestos,
      "UPDATE tblCajas SET TA_USUARIO='' WHERE TA_USUARIO IS NULL;",
      "UPDATE tblCajas SET TA_PASSWORD='' WHERE TA_PASSWORD IS NULL;",
      "UPDATE tblCajas SET TA_EQUIPO='' WHERE TA_EQUIPO IS NULL;",
      "UPDATE tblArtiProveedor SET ART_PROV='' WHERE ART_PROV IS NULL;",
      "SELECT * FROM tblVersion;",
      "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (500,0);",
      "DELETE FROM tblVersion WHERE VER<>500;"};
  esperadas.insert(esperadas.end(), resto.begin(), resto.end());

  EXPECT_THAT(db_.Textos(), ElementsAreArray(esperadas));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// The dialect picks the widening words; texts are quoted for it (a backslash is doubled
// on MySQL only).
struct FormaDelDialecto {
  std::int16_t iManejador;
  std::vector<std::string> ampliaciones;
  std::string sitio;
  std::string ftp;
};

class ModificarEstructura50Dialecto
    : public ModificarEstructura50Grabada,
      public ::testing::WithParamInterface<FormaDelDialecto> {};

TEST_P(ModificarEstructura50Dialecto, WideningsAndQuotedTexts) {
  Empresa(Con(Con(EmpresaCompleta(), "TC_IDSITIO", "O'HARA"), "TA_FTP", "C:\\TA\\Entrada"));
  Principal("SUC01");
  ConParametros();

  ModificarEstructura50(cnx_, GetParam().iManejador, 500);

  const std::vector<std::string> textos = db_.Textos();
  EXPECT_THAT(std::vector<std::string>(textos.begin(), textos.begin() + 3),
              ElementsAreArray(GetParam().ampliaciones));
  EXPECT_TRUE(Envio("UPDATE tblParametrosGenerales SET TC_IDSITIO='" + GetParam().sitio +
                    "' WHERE TC_IDSITIO IS NULL;"));
  EXPECT_TRUE(Envio("UPDATE tblParametrosGenerales SET TA_FTP='" + GetParam().ftp +
                    "' WHERE TA_FTP IS NULL;"));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    Dialects, ModificarEstructura50Dialecto,
    ::testing::Values(
        FormaDelDialecto{4,
                         {"ALTER TABLE tblCatClientes MODIFY NOM_CLI VARCHAR(100) NOT NULL;",
                          "ALTER TABLE tblCatProveedor MODIFY NOM_PROV VARCHAR(100) NOT NULL;",
                          "ALTER TABLE tblCajas MODIFY TA_PASSWORD VARCHAR(10) NOT NULL;"},
                         "O''HARA",
                         "C:\\\\TA\\\\Entrada"},
        FormaDelDialecto{
            3,
            {"ALTER TABLE tblCatClientes ALTER COLUMN NOM_CLI VARCHAR(100) NOT NULL;",
             "ALTER TABLE tblCatProveedor ALTER COLUMN NOM_PROV VARCHAR(100) NOT NULL;",
             "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD VARCHAR(10) NOT NULL;"},
            "O''HARA",
            "C:\\TA\\Entrada"},
        FormaDelDialecto{2,
                         {"ALTER TABLE tblCatClientes ALTER COLUMN NOM_CLI TEXT(100);",
                          "ALTER TABLE tblCatProveedor ALTER COLUMN NOM_PROV TEXT(100);",
                          "ALTER TABLE tblCajas ALTER COLUMN TA_PASSWORD TEXT(10);"},
                         "O''HARA",
                         "C:\\TA\\Entrada"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.iManejador); });

// Each group of settings is read only from the start version that has it; the INSERT
// carries the starting values of the others (MOD_FECPED 1, CAMP_REDN 0 made 1, TA_URL
// the service's default address).
struct Compuerta {
  std::int16_t iVersionActual;
  std::string valores;
  bool copiaLlave;  // the key and company of the card service are copied (430 and up)
};

class ModificarEstructura50Compuertas : public ModificarEstructura50Grabada,
                                        public ::testing::WithParamInterface<Compuerta> {};

TEST_P(ModificarEstructura50Compuertas, InsertCarriesWhatTheStartVersionHas) {
  Empresa(EmpresaCompleta());
  Principal("SUC01");
  SinParametros();

  ModificarEstructura50(cnx_, ManejadorMySQL, GetParam().iVersionActual);

  EXPECT_THAT(Inserciones(), ElementsAreArray({Insercion(GetParam().valores)}));
  EXPECT_EQ(Envio("UPDATE tblParametrosGenerales SET TC_KEY='LLAVE', TC_EMPRESA='EMPRESA';"),
            GetParam().copiaLlave);
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

INSTANTIATE_TEST_SUITE_P(
    StartVersions, ModificarEstructura50Compuertas,
    ::testing::Values(
        Compuerta{500,
                  "'SUC01',1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,'SITIO7','','',18,19,20,21,"
                  "22,23,'https://ta.example.mx','ftp.example.mx',0,'','','','','','','',''",
                  true},
        Compuerta{430,
                  "'SUC01',1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,'SITIO7','','',0,0,0,0,0,0,"
                  "'https://tiempoaire.velmar.mx','',0,'','','','','','','',''",
                  true},
        Compuerta{420,
                  "'SUC01',1,2,3,4,5,6,7,0,1,0,11,12,13,14,15,16,0,'','','',0,0,0,0,0,0,"
                  "'https://tiempoaire.velmar.mx','',0,'','','','','','','',''",
                  false},
        Compuerta{330,
                  "'SUC01',1,2,3,1,0,0,0,0,1,0,0,0,0,0,0,0,0,'','','',0,0,0,0,0,0,"
                  "'https://tiempoaire.velmar.mx','',0,'','','','','','','',''",
                  false},
        Compuerta{329,
                  "'SUC01',1,0,0,1,0,0,0,0,1,0,0,0,0,0,0,0,0,'','','',0,0,0,0,0,0,"
                  "'https://tiempoaire.velmar.mx','',0,'','','','','','','',''",
                  false}),
    [](const auto& info) { return "From" + std::to_string(info.param.iVersionActual); });

// Fractions round half to even; a Null where a value is needed, a value out of range and a
// text that is no number each fail the read (one entry) and leave the starting value; a
// Null in a setting read only when set is no failure.
TEST_F(ModificarEstructura50Grabada, ValuesAreConvertedToTheirKinds) {
  Fila fila = EmpresaCompleta();
  fila = Con(fila, "FACT_MOSTRA", vb::Variant::Null());
  fila = Con(fila, "FACT_POREMP", 2.5);
  fila = Con(fila, "NOTA_FACTURA", 3.5);
  fila = Con(fila, "CAMP_REDN", vb::Variant::Null());
  fila = Con(fila, "CAD_ACT", N(300));
  fila = Con(fila, "DIAS_CAD", "12");
  fila = Con(fila, "HORAS_CAD", "siete");
  fila = Con(fila, "LIM_RENVTA", N(-5));
  fila = Con(fila, "MOD_FECPED", vb::Variant::Null());
  fila = Con(fila, "TA_AGR", vb::Variant(std::int32_t{40000}));
  fila = Con(fila, "TC_IDSITIO", vb::Variant::Null());
  fila = Con(fila, "TA_URL", "");
  Empresa(fila);
  Principal("SUC01");
  SinParametros();

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_THAT(Inserciones(),
              ElementsAreArray({Insercion(
                  "'SUC01',0,2,4,1,0,12,0,-5,1,10,11,12,13,14,15,16,17,'','','',18,0,20,21,22,"
                  "23,'https://tiempoaire.velmar.mx','ftp.example.mx',0,'','','','','','','',"
                  "''")}));
  EXPECT_EQ(log_.Contenido(), Entrada(kEtiqueta, 94, prueba::kNuloNoValido) +
                                  Entrada(kEtiqueta, 6, prueba::kDesbordamiento) +
                                  Entrada(kEtiqueta, 13, prueba::kTipoNoEsperado) +
                                  Entrada(kEtiqueta, 6, prueba::kDesbordamiento));
}

// Without a company row nothing is read: the first main branch gives the code, the
// numbers keep their starting values and the key of the service is not copied.
TEST_F(ModificarEstructura50Grabada, WithoutACompanyRow) {
  SinEmpresa();
  db_.Responde(ValidaSucursal(""), prueba::SinFilas({"COD_SUCU"}));
  db_.Responde(kPrincipales, {{"COD_SUCU"}, {{"SUC03"}, {"SUC01"}}});
  SinParametros();

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_TRUE(Envio(kPrincipales));
  EXPECT_THAT(Inserciones(),
              ElementsAreArray({Insercion(
                  "'SUC03',0,0,0,1,0,0,0,0,1,0,0,0,0,0,0,0,0,'','','',0,0,0,0,0,0,"
                  "'https://tiempoaire.velmar.mx','',0,'','','','','','','',''")}));
  EXPECT_THAT(Desde("UPDATE tblParametrosGenerales SET TC_KEY"), ::testing::IsEmpty());
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// A code that names no main branch gives way to the first main branch's, or to none; the
// update path writes it over the code in the parameters.
TEST_F(ModificarEstructura50Grabada, BranchCodeThatIsNoMainBranch) {
  Empresa(Con(EmpresaCompleta(), "COD_SUCU", "D'ANGELO"));
  db_.Responde(ValidaSucursal("D''ANGELO"), prueba::SinFilas({"COD_SUCU"}));
  db_.Responde(kPrincipales, prueba::SinFilas({"COD_SUCU"}));
  ConParametros();

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_TRUE(Envio(kPrincipales));
  EXPECT_TRUE(Envio("UPDATE tblParametrosGenerales SET COD_SUCU='';"));
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// A run on a company row whose settings are gone (a database that a run has already
// moved): the reads fail and are logged, but nothing that now lives only in the parameters
// is written over: not the branch code, not the receivables connection, not the key of
// the card service. The Null fills and the drops still run.
TEST_F(ModificarEstructura50Grabada, SecondRunWritesNothingOverWhatWasMoved) {
  Empresa(EmpresaYaMovida());
  db_.Responde(ValidaSucursal(""), prueba::SinFilas({"COD_SUCU"}));
  db_.Responde(kPrincipales, UnCodigo("SUC01"));
  ConParametros();
  db_.Falla(prueba::EmpiezaCon("ALTER TABLE tblEmpresa DROP COLUMN"), -2147217900,
            "Can't DROP COLUMN; check that it exists");

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  const std::vector<std::string> textos = db_.Textos();
  for (const std::string& t : textos) {
    EXPECT_THAT(t, Not(HasSubstr("SET COD_SUCU")));
    EXPECT_THAT(t, Not(HasSubstr("CONX_CXC")));
    EXPECT_THAT(t, Not(HasSubstr("SET TC_KEY='LLAVE'")));
  }
  EXPECT_EQ(std::count(textos.begin(), textos.end(), kConsultaEmpresa), 1);
  EXPECT_TRUE(Envio("UPDATE tblParametrosGenerales SET FACT_MOSTRA=0 WHERE FACT_MOSTRA IS NULL;"));
  EXPECT_TRUE(Envio("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (500,0);"));
  const std::string log = log_.Contenido();
  EXPECT_THAT(log, ::testing::StartsWith(Entrada(
                       kEtiqueta, 3265,
                       prueba::kNoEstaEnLaColeccion)));
  EXPECT_THAT(log, HasSubstr(Entrada(kEtiqueta, -2147217900,
                                     "Can't DROP COLUMN; check that it exists")));
}

// When the company lookup itself fails, every read fails in turn; nothing is known of
// the settings, so nothing in the parameters is written over either.
TEST_F(ModificarEstructura50Grabada, CompanyLookupThatFails) {
  db_.Falla(kConsultaEmpresa, -2147217865, "Table 'tblEmpresa' doesn't exist");
  db_.Responde(ValidaSucursal(""), prueba::SinFilas({"COD_SUCU"}));
  db_.Responde(kPrincipales, UnCodigo("SUC01"));
  ConParametros();

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_THAT(log_.Contenido(), ::testing::StartsWith(Entrada(
                                    kEtiqueta, -2147217865, "Table 'tblEmpresa' doesn't exist")));
  EXPECT_FALSE(Envio("UPDATE tblParametrosGenerales SET COD_SUCU='SUC01';"));
  EXPECT_FALSE(Envio("UPDATE tblParametrosGenerales SET CONX_CXC = '', BD_CXC = '';"));
  EXPECT_TRUE(Envio("UPDATE tblParametrosGenerales SET CAMP_REDN=1 WHERE CAMP_REDN IS NULL;"));
  EXPECT_TRUE(Envio("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (500,0);"));
}

// Tax kinds from the descriptions: IVA anywhere gives 1 and is looked for first, IEPS
// alone 2; lower case, Null or neither word leave the 1 that every tax got.
TEST_F(ModificarEstructura50Grabada, TaxKindsFromTheDescriptions) {
  Empresa(EmpresaCompleta());
  Principal("SUC01");
  ConParametros();
  Impuestos({{"COD_IMP", "DES_IMP", "TIPO_IMP"},
             {{N(1), "IVA 16%", N(0)},
              {N(2), "IEPS 8%", N(0)},
              {N(3), "iva reducido", N(0)},
              {N(4), "ieps", N(0)},
              {N(5), "IEPS CON IVA", N(0)},
              {N(6), vb::Variant::Null(), N(0)},
              {N(7), "HOSPEDAJE", N(0)}}});

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  const std::vector<std::string> desde = Desde("UPDATE tblImpuestos");
  EXPECT_THAT(std::vector<std::string>(desde.begin(), desde.begin() + 6),
              ElementsAreArray({"UPDATE tblImpuestos SET TIPO_IMP=0 WHERE COD_IMP=0;",
                                "UPDATE tblImpuestos SET TIPO_IMP=1 WHERE COD_IMP<>0;",
                                kConsultaImpuestos,
                                "UPDATE tblImpuestos SET TIPO_IMP=1 WHERE COD_IMP=1;",
                                "UPDATE tblImpuestos SET TIPO_IMP=2 WHERE COD_IMP=2;",
                                "UPDATE tblImpuestos SET TIPO_IMP=1 WHERE COD_IMP=5;"}));
  EXPECT_EQ(desde[6], "UPDATE tblCajas SET TA_USUARIO='' WHERE TA_USUARIO IS NULL;");
  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
}

// A tax table that cannot be read ends the walk; the fills after it still run.
TEST_F(ModificarEstructura50Grabada, TaxWalkThatCannotReadItsRows) {
  Empresa(EmpresaCompleta());
  Principal("SUC01");
  ConParametros();
  db_.Falla(kConsultaImpuestos, -2147217865, "Table 'tblImpuestos' doesn't exist");

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  const std::vector<std::string> desde = Desde(kConsultaImpuestos);
  ASSERT_GE(desde.size(), 2u);
  EXPECT_EQ(desde[1], "UPDATE tblCajas SET TA_USUARIO='' WHERE TA_USUARIO IS NULL;");
  EXPECT_TRUE(Envio("INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (500,0);"));
  EXPECT_THAT(log_.Contenido(), ::testing::StartsWith(Entrada(
                                    kEtiqueta, -2147217865, "Table 'tblImpuestos' doesn't exist")));
}

// ------------------------------------------------------------ on MariaDB

// Everything the move writes into tblParametrosGenerales, in the INSERT's column order.
constexpr const char* kParametros =
    "SELECT COD_SUCU,FACT_MOSTRA,FACT_POREMP,NOTA_FACTURA,CAMP_REDN,CAD_ACT,DIAS_CAD,HORAS_CAD,"
    "LIM_RENVTA,MOD_FECPED,CP_RESTPRES,LDV_CLIENTE,LDA,LDC_TIPODOC,LDC_MONEDA,LDC_SUCURSAL,"
    "LDC_PRESUP,TC_SERVICIO,TC_IDSITIO,TC_KEY,TC_EMPRESA,TA_ACT,TA_AGR,TA_IMPTO,TA_GRUPO,"
    "TA_CADENA,TA_TIENDA,TA_URL,TA_FTP,CFD_FACT,CONX_CXC,BD_CXC,FE_WEBSERVURL,FE_EMPRESA,"
    "FE_DOMINIO,FE_USUARIO,FE_CONTRASENA,FE_EMAILPV FROM tblParametrosGenerales";

class Version50 : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_500_ajustes.sql");
  }
  Filas Columna(const char* tabla, const char* columna) const {
    return Consulta(std::string("SELECT COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS "
                                "WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME='") +
                    tabla + "' AND COLUMN_NAME='" + columna + "'");
  }
  Filas ColumnasDeEmpresa() const {
    return Consulta(
        "SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE() AND "
        "TABLE_NAME='tblEmpresa' ORDER BY ORDINAL_POSITION");
  }
  // What the rest of the move leaves, whichever path the parameters took.
  void EsperaElRestoDelCambio() const {
    EXPECT_EQ(ColumnasDeEmpresa(),
              (Filas{{"COD_EMPRESA"}, {"NOM_EMP"}, {"TC_KEY"}, {"TC_EMPRESA"}}));
    EXPECT_EQ(Columna("tblCatClientes", "NOM_CLI"), (Filas{{"varchar(100)", "NO"}}));
    EXPECT_EQ(Columna("tblCatProveedor", "NOM_PROV"), (Filas{{"varchar(100)", "NO"}}));
    EXPECT_EQ(Columna("tblCajas", "TA_PASSWORD"), (Filas{{"varchar(10)", "NO"}}));
    EXPECT_EQ(Consulta("SELECT COD_CID, MUN_CID FROM tblCiudad ORDER BY COD_CID"),
              (Filas{{"1", "LEON"}, {"2", "SILAO DE LA VICTORIA"}}));
    EXPECT_EQ(Consulta("SELECT COD_CLI, NUM_EXT, NUM_INT, MAIL_CFD FROM tblCatClientes "
                       "ORDER BY COD_CLI"),
              (Filas{{"C001", "", "", ""}, {"C002", "120", "B", "facturas@bajio.mx"}}));
    EXPECT_EQ(Consulta("SELECT COD_PROV, NUM_CLI FROM tblCatProveedor ORDER BY COD_PROV"),
              (Filas{{"P001", ""}, {"P002", "CLI-88"}}));
    EXPECT_EQ(Consulta("SELECT COD_IMP, TIPO_IMP FROM tblImpuestos ORDER BY COD_IMP"),
              (Filas{{"0", "0"}, {"1", "1"}, {"2", "2"}, {"3", "1"}, {"4", "1"}, {"5", "1"}}));
    EXPECT_EQ(Consulta("SELECT COD_CAJA, TA_USUARIO, TA_PASSWORD, TA_EQUIPO FROM tblCajas "
                       "ORDER BY COD_CAJA"),
              (Filas{{"1", "tienda01", "clave01", "EQ01"}, {"2", "", "", ""}}));
    EXPECT_EQ(Consulta("SELECT COD1_ART, ART_PROV FROM tblArtiProveedor ORDER BY COD1_ART"),
              (Filas{{"LECHE1L", ""}, {"LECHE2L", "LV-200"}}));
    EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"500", "0"}}));
  }
};

// The parameters row exists: the company's settings fill what it leaves Null (MOD_FECPED
// and CP_RESTPRES included), what it has stays (FACT_POREMP, DIAS_CAD, LIM_RENVTA,
// TA_TIENDA, FE_USUARIO: nullable columns, so even a 0 there was set by hand), the branch
// code and the key of the card service come from the company, and the receivables
// connection is cleared.
TEST_F(Version50, UpdatePathMovesTheCompanySettings) {
  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta(kParametros),
            (Filas{{"SUC01", "1",    "0",           "0",
                    "1",     "1",    "7",           "4",
                    "10",    "0",    "1",           "1",
                    "1",     "2",    "1",           "1",
                    "0",     "1",    "SITIO'7",     "LLAVE-123",
                    "D'ANGELO SA",   "1",           "3",
                    "16",    "4",    "12",          "99",
                    kDireccionTiempoAire,           "C:\\TiempoAire\\Entrada",
                    "0",     "",     "",            "",
                    "",      "",     "factura01",   "",
                    ""}}));
  EsperaElRestoDelCambio();
}

// The parameters table is empty: one row with every setting.
TEST_F(Version50, InsertPathWritesOneRow) {
  bd_->EjecutaSql("DELETE FROM tblParametrosGenerales;");

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta(kParametros),
            (Filas{{"SUC01", "1",  "1",       "0",           "1",           "1",
                    "2",     "4",  "-5",      "0",           "1",           "1",
                    "1",     "2",  "1",       "1",           "0",           "1",
                    "SITIO'7",     "LLAVE-123", "D'ANGELO SA", "1",         "3",
                    "16",    "4",  "12",      "345",         kDireccionTiempoAire,
                    "C:\\TiempoAire\\Entrada", "0",          "",            "",
                    "",      "",   "",        "",            "",            ""}}));
  EsperaElRestoDelCambio();
}

// Step 5.0 again on a database that it already moved (its version still reads 500): what
// the users set since in the parameters stays, the branch code and the receivables
// connection included. Only reads and drops of the columns that are gone are logged.
TEST_F(Version50, SecondRunChangesNothingAlreadyMoved) {
  ModificarEstructura50(cnx_, ManejadorMySQL, 500);
  ASSERT_FALSE(log_.Existe()) << log_.Contenido();
  bd_->EjecutaSql(
      "UPDATE tblParametrosGenerales SET COD_SUCU='SUC03', CONX_CXC='DSN=Nueva', "
      "BD_CXC='cxc', TC_KEY='LLAVE-NUEVA', TC_EMPRESA='OTRA', TA_URL='https://otro.mx', "
      "FACT_MOSTRA=0;");
  bd_->EjecutaSql("UPDATE tblImpuestos SET DES_IMP='IVA 8%' WHERE COD_IMP=2;");
  const Filas antes = Consulta(kParametros);

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_EQ(Consulta(kParametros), antes);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"500"}}));
  // The tax kinds follow the descriptions as they are now.
  EXPECT_EQ(Consulta("SELECT TIPO_IMP FROM tblImpuestos WHERE COD_IMP=2"), (Filas{{"1"}}));
  const std::string log = log_.Contenido();
  EXPECT_THAT(log, HasSubstr("COD_SUCU"));
  EXPECT_THAT(log, Not(HasSubstr("tblParametrosGenerales")));
}

// As ladder step 5.0 runs it: the synchronisation with the catalogue first, then the
// routine, without a single failure.
TEST_F(Version50, AfterTheSynchronisationNothingFails) {
  prueba::ScriptedUi ui;
  prueba::ProgramaConCatalogo programa(prueba::CatalogoDeReferencia());
  bool bExisteError = false;
  clsBaseDatos().CrearBaseDeDatos(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(),
                                  bExisteError, lbl_, false, EstructuraPrincipal);
  ASSERT_FALSE(bExisteError);

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta("SELECT COD_SUCU, TC_KEY FROM tblParametrosGenerales"),
            (Filas{{"SUC01", "LLAVE-123"}}));
}

// The parameters table before 5.0's synchronisation adds the settings' columns (NOT NULL,
// default 0 or ''): the branch code, the receivables connection (which the catalogue does
// not list), and three settings that were there already, two of
// them set by hand (DIAS_CAD 7 in a nullable column, LIM_RENVTA 10 in a NOT NULL one) and
// FACT_MOSTRA at its default.
class Version50Sincronizada : public Version50 {
 protected:
  void SetUp() override {
    Version50::SetUp();
    if (IsSkipped()) return;
    bd_->EjecutaSql(
        "DROP TABLE tblParametrosGenerales;"
        "CREATE TABLE tblParametrosGenerales (COD_SUCU VARCHAR(10) NULL, DIAS_CAD SMALLINT NULL,"
        " LIM_RENVTA SMALLINT NOT NULL DEFAULT 0, FACT_MOSTRA SMALLINT NOT NULL DEFAULT 0,"
        " CONX_CXC VARCHAR(255) NULL, BD_CXC VARCHAR(50) NULL);"
        "INSERT INTO tblParametrosGenerales VALUES ('SUC02', 7, 10, 0, 'DSN=Central', 'central');");
  }
  void Sincroniza() {
    bool bExisteError = false;
    clsBaseDatos().CrearBaseDeDatos(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(),
                                    bExisteError, lbl_, false, EstructuraPrincipal);
    ASSERT_FALSE(bExisteError);
  }
  // Every setting of the company row, converted to its kind, in kParametros's order.
  static Filas Movidos(const std::string& diasCad, const std::string& limRenVta,
                       const std::string& taUrl) {
    return {{"SUC01", "1",  "1",     "0",      "1",           "1",
             diasCad, "4",  limRenVta, "0",    "1",           "1",
             "1",     "2",  "1",     "1",      "0",           "1",
             "SITIO'7", "LLAVE-123", "D'ANGELO SA", "1",      "3",
             "16",    "4",  "12",    "345",    taUrl,         "C:\\TiempoAire\\Entrada",
             "0",     "",   "",      "",       "",            "",
             "",      "",   ""}};
  }

  prueba::ScriptedUi ui_;
  // The company table as 5.0 leaves it: without the columns that later versions add.
  prueba::ProgramaConCatalogo programa_{prueba::CatalogoDeReferencia(
      "DELETE FROM Campo WHERE lower(TABLA)='tblempresa' AND NOMBRE NOT IN "
      "('COD_EMPRESA','NOM_EMP','TC_KEY','TC_EMPRESA');")};
};

// Every setting in use reaches the row: the columns just added hold the company's values
// instead of their defaults, and so does FACT_MOSTRA, which was there at its default.
// DIAS_CAD and LIM_RENVTA keep the values set by hand. A company TA_URL that is Null was no
// setting in use: the added column keeps its ''. A second run changes nothing.
TEST_F(Version50Sincronizada, RowPresentTheSettingsInUseReachTheAddedColumns) {
  Sincroniza();
  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta(kParametros), Movidos("7", "10", ""));
  EsperaElRestoDelCambio();

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);
  EXPECT_EQ(Consulta(kParametros), Movidos("7", "10", ""));
}

TEST_F(Version50Sincronizada, RowAbsentOneRowWithEverySetting) {
  bd_->EjecutaSql("DELETE FROM tblParametrosGenerales;");
  Sincroniza();
  ModificarEstructura50(cnx_, ManejadorMySQL, 500);

  EXPECT_FALSE(log_.Existe()) << log_.Contenido();
  EXPECT_EQ(Consulta(kParametros), Movidos("2", "-5", kDireccionTiempoAire));
  EsperaElRestoDelCambio();

  ModificarEstructura50(cnx_, ManejadorMySQL, 500);
  EXPECT_EQ(Consulta(kParametros), Movidos("2", "-5", kDireccionTiempoAire));
}

}  // namespace
