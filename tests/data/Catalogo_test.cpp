// The structure catalogue as the data-access class reads it: column types per engine,
// the name overrides, the selection of tables by database kind, the catalogue's queries
// run on the reference catalogue, and the reading of its rows.
#include "data/Catalogo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data/AccesoPrivadoClsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "support/CatalogoDePrueba.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct TipoEsperado {
  std::int16_t tipo;
  std::int16_t valor;
  const char* mysql;
  const char* sqlServer;
};

TEST(TiposDeCampo, CadaCodigoDaElTipoDeCadaMotor) {
  const std::vector<TipoEsperado> casos = {
      {0, 0, "SMALLINT NOT NULL DEFAULT 0", "SMALLINT NOT NULL DEFAULT(0)"},
      {1, 0, "TINYINT NOT NULL DEFAULT 0", "TINYINT NOT NULL DEFAULT(0)"},
      {2, 0, "SMALLINT NOT NULL DEFAULT 0", "SMALLINT NOT NULL DEFAULT(0)"},
      {3, 0, "BIGINT NOT NULL DEFAULT 0", "BIGINT NOT NULL DEFAULT(0)"},
      {4, 0, "DECIMAL(13,4) NOT NULL DEFAULT 0.0000", "DECIMAL(13,4) NOT NULL DEFAULT(0.0000)"},
      {5, 0, "DOUBLE NOT NULL DEFAULT 0.0000", "REAL NOT NULL DEFAULT(0.0000)"},
      {6, 0, "DOUBLE NOT NULL DEFAULT 0.0000", "REAL NOT NULL DEFAULT(0.0000)"},
      {7, 0, "DATE NOT NULL", "DATE"},
      {8, 0, "", ""},
      {9, 50, "VARCHAR(50) NOT NULL DEFAULT ''", "VARCHAR(50) NOT NULL DEFAULT('')"},
      {9, -5, "VARCHAR(-5) NOT NULL DEFAULT ''", "VARCHAR(-5) NOT NULL DEFAULT('')"},
      {10, 7, "DATETIME", "DATETIME"},
      {11, 7, "TEXT NOT NULL", "TEXT"},
      {12, 0, "TIME NULL", "TIME"},
      {13, 0, "BIGINT NOT NULL AUTO_INCREMENT UNIQUE", "BIGINT NOT NULL IDENTITY(1,1) UNIQUE"},
      {14, 0, "LONGTEXT NOT NULL", "nvarchar(max)"},
      {15, 0, "LONGBLOB", "nvarchar(max)"},
      {16, 9, "", ""},
      {-1, 9, "", ""},
  };
  clsBaseDatos bd;
  for (const TipoEsperado& caso : casos) {
    EXPECT_EQ(AccesoPrivadoClsBaseDatos::TipoCampoMySQL(bd, caso.tipo, caso.valor), caso.mysql)
        << "code " << caso.tipo;
    EXPECT_EQ(AccesoPrivadoClsBaseDatos::TipoCampoSQLServer(bd, caso.tipo, caso.valor),
              caso.sqlServer)
        << "code " << caso.tipo;
  }
}

TEST(Catalogo, LosPrefijosXmlEImgbitFuerzanElTipo) {
  EXPECT_EQ(catalogo::TipoPorNombre("XML_CIERRE"), catalogo::TipoXml);
  EXPECT_EQ(catalogo::TipoPorNombre("XML_Contenido"), catalogo::TipoXml);
  EXPECT_EQ(catalogo::TipoPorNombre("IMGBIT_ART"), catalogo::TipoImagen);
  for (const char* nombre : {"xml_cierre", "imgbit_art", "XML", "IMGBIT", "NUM_XML_", " XML_A"})
    EXPECT_EQ(catalogo::TipoPorNombre(nombre), std::nullopt) << nombre;
}

TEST(Catalogo, TextosDeLasConsultas) {
  EXPECT_EQ(catalogo::ConsultaTablas(EstructuraPrincipal),
            "SELECT NUMERO,NOMBRE FROM tblTablas WHERE BD NOT IN(5,10,11,12) ORDER BY NOMBRE;");
  EXPECT_EQ(catalogo::ConsultaTablas(EstructuraDependencia),
            "SELECT NUMERO,NOMBRE FROM tblTablas WHERE  BD = 12 ORDER BY NOMBRE;");
  EXPECT_EQ(catalogo::ConsultaCamposTablaNueva(-3),
            "SELECT * FROM tblCamposTabla WHERE TABLA=-3 ORDER BY NUMERO;");
  EXPECT_EQ(catalogo::ConsultaCamposTablaExistente(12),
            "SELECT NOMBRE,TIPO,VALOR FROM tblCamposTabla WHERE TABLA=12 ORDER BY NUMERO;");
  EXPECT_EQ(catalogo::ConsultaIndices(12), "SELECT * FROM tblIndices WHERE TABLA=12;");
  EXPECT_EQ(catalogo::ConsultaCamposIndice(70000),
            "SELECT CAMPO FROM tblCamposIndice WHERE INDICE=70000;");
  EXPECT_EQ(catalogo::ConsultaNombreCampo(901),
            "SELECT NOMBRE FROM tblCamposTabla WHERE NUMERO=901;");
  EXPECT_EQ(catalogo::ConsultaLlaveDeTabla(2, "idxA"),
            "SELECT TABLA FROM tblIndices WHERE TABLA=2 AND NOMBRE='idxA';");
  EXPECT_EQ(catalogo::ConsultaTablaPorNumero(2),
            "SELECT NUMERO,NOMBRE FROM tblTablas WHERE NUMERO=2;");
  const std::string union_ =
      " FROM (tblTablas INNER JOIN tblCamposTabla ON tblTablas.Numero = tblCamposTabla.Tabla) "
      "INNER JOIN tblDefaultCampos ON tblCamposTabla.Numero = tblDefaultCampos.Campo WHERE "
      "tblTablas.Numero=";
  EXPECT_EQ(catalogo::ConsultaRegistrosDefault(2), "SELECT DISTINCT REGISTRO" + union_ + "2;");
  EXPECT_EQ(catalogo::ConsultaValoresDefault(2, "R1"),
            "SELECT *" + union_ + "2 AND REGISTRO='R1';");
}

TEST(Catalogo, CadenaDeConexionDelCatalogo) {
  const std::string anterior = gRutaApp;
  gRutaApp = "C:\\Suite";
  EXPECT_EQ(catalogo::CadenaConexionEstBDs(),
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Suite\\EstBDs.mdb;Persist Security "
            "Info=False;Jet OLEDB:Database Password=");
  gRutaApp = anterior;
}

// The reference catalogue in a program folder, opened as the program opens it.
class CatalogoDeReferencia : public ::testing::Test {
 protected:
  explicit CatalogoDeReferencia(const std::string& sqlAdicional = {}) : programa(sqlAdicional) {
    cnx.Open(catalogo::CadenaConexionEstBDs());
  }

  std::vector<std::string> Columna(const std::string& sql, const std::string& campo) {
    ado::Recordset rs;
    rs.Open(sql, cnx, ado::adOpenForwardOnly, ado::adLockReadOnly);
    std::vector<std::string> textos;
    for (; !rs.Eof(); rs.MoveNext()) textos.push_back(vb::CStr(rs.Fields(campo).Value()));
    return textos;
  }

  prueba::ProgramaConCatalogo programa;
  ado::Connection cnx;
};

class SeleccionPorEstructura : public CatalogoDeReferencia {
 protected:
  SeleccionPorEstructura()
      : CatalogoDeReferencia(
            "INSERT INTO tblTablas VALUES (50, 'tblSinTipo', NULL), (51, 'TBLa_Primera', 7);") {}
};

TEST_F(SeleccionPorEstructura, CadaTipoDeBaseTomaSusTablasEnOrdenDeNombre) {
  EXPECT_THAT(Columna(catalogo::ConsultaTablas(EstructuraPrincipal), "NOMBRE"),
              ElementsAre("TBLa_Primera", "tblCatAlmacenes", "tblFolios", "tblMensajes",
                          "tblPVConfigura", "tblTiposImpuesto", "tblVersion"));
  EXPECT_THAT(Columna(catalogo::ConsultaTablas(EstructuraConsultorio), "NOMBRE"),
              ElementsAre("tblConsultorios"));
  EXPECT_THAT(Columna(catalogo::ConsultaTablas(EstructuraAdministrador), "NOMBRE"),
              ElementsAre("tblAC_Usuarios"));
  EXPECT_THAT(Columna(catalogo::ConsultaTablas(EstructuraDependencia), "NUMERO"), ElementsAre("9"));
}

TEST_F(CatalogoDeReferencia, LaVersionSonSusTresPrimerasCifras) {
  ado::Recordset rs;
  rs.Open(catalogo::ConsultaVersion, cnx, ado::adOpenForwardOnly, ado::adLockReadOnly,
          ado::adCmdText);
  EXPECT_EQ(catalogo::VersionDeCatalogo(rs.Fields("VER").Value()), 952);
  EXPECT_EQ(catalogo::VersionDeCatalogo(vb::Variant("9521")), 952);
  EXPECT_EQ(catalogo::VersionDeCatalogo(vb::Variant(std::int32_t{605})), 605);
  EXPECT_THROW(catalogo::VersionDeCatalogo(vb::Variant::Null()), vb::Error);
}

TEST_F(CatalogoDeReferencia, LasColumnasDeUnIndiceSonSusNombresEnElOrdenGuardado) {
  EXPECT_EQ(catalogo::ListaCamposIndice(cnx, 6), "Id_Dp,Parametro");
  EXPECT_EQ(catalogo::ListaCamposIndice(cnx, 1), "NUM_TIPO");
  EXPECT_EQ(catalogo::ListaCamposIndice(cnx, 999), "");
}

TEST_F(CatalogoDeReferencia, UnaLlaveSeBuscaSinMayusculas) {
  EXPECT_THAT(Columna(catalogo::ConsultaLlaveDeTabla(2, "pk_tiposimpuesto"), "TABLA"),
              ElementsAre("2"));
  EXPECT_THAT(Columna(catalogo::ConsultaLlaveDeTabla(3, "PK_TiposImpuesto"), "TABLA"),
              ElementsAre());
}

TEST_F(CatalogoDeReferencia, UnIndiceSinMarcaNoEsUnico) {
  ado::Recordset rs;
  rs.Open(catalogo::ConsultaIndices(9), cnx, ado::adOpenForwardOnly, ado::adLockReadOnly);
  const catalogo::IndiceCatalogo indice = catalogo::LeeIndice(rs);
  EXPECT_EQ(indice.nombre, "PK_Dp_Configuracion");
  EXPECT_EQ(indice.numero, 6);
  EXPECT_TRUE(indice.principal);
  EXPECT_FALSE(indice.unica);  // UNICA is Null
}

// Columns of a table 60 that show how a column definition is read.
class LecturaDeCampos : public CatalogoDeReferencia {
 protected:
  LecturaDeCampos()
      : CatalogoDeReferencia(
            "INSERT INTO tblCamposTabla VALUES"
            " (6001, 60, '  XML_DOC ', NULL, 0),"  // overridden: TIPO is never read
            " (6002, 60, 'IMGBIT_FOTO', 9, 8),"
            " (6003, 60, ' NOMBRE ', 9, 40),"
            " (6004, 60, 'SIN_TIPO', NULL, 0),"
            " (6005, 60, 'LARGO', 9, 40000),"
            " (6006, 60, 'xml_minusculas', 9, 12);"
            "INSERT INTO tblCamposIndice VALUES (7, 6003), (7, 6099), (7, 6006);") {}

  // Reads every column of table 60; a conversion failure gives its number.
  std::vector<std::string> Campos() {
    ado::Recordset rs;
    rs.Open(catalogo::ConsultaCamposTablaNueva(60), cnx, ado::adOpenForwardOnly,
            ado::adLockReadOnly);
    std::vector<std::string> leidos;
    for (; !rs.Eof(); rs.MoveNext()) {
      try {
        const catalogo::CampoCatalogo campo = catalogo::LeeCampo(rs);
        leidos.push_back(campo.nombre + " " + std::to_string(campo.tipo) + " " +
                         std::to_string(campo.valor));
      } catch (const vb::Error& e) {
        leidos.push_back(catalogo::NombreDeCampo(rs) + " error " + std::to_string(e.Number()));
      }
    }
    return leidos;
  }
};

TEST_F(LecturaDeCampos, NombreRecortadoTipoForzadoYErroresDeConversion) {
  EXPECT_THAT(Campos(),
              ElementsAreArray({"XML_DOC 14 0", "IMGBIT_FOTO 15 8", "NOMBRE 9 40",
                                "SIN_TIPO error 94", "LARGO error 6", "xml_minusculas 9 12"}));
}

TEST_F(LecturaDeCampos, UnaColumnaDeIndiceQueNoExisteNoSeLista) {
  EXPECT_EQ(catalogo::ListaCamposIndice(cnx, 7), "NOMBRE,xml_minusculas");
}

}  // namespace
