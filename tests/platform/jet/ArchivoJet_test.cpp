// The Jet provider on a real Jet 4 file (fruit.mdb of the npm package mdb 0.1.0, fetched
// by the build), checked against what mdb-export reads from the same file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "platform/ado/Ado.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "support/CatalogoDePrueba.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

#ifndef GRADIX_FRUIT_MDB
#define GRADIX_FRUIT_MDB GRADIX_TEST_BUILD_DIR "/fixtures/fruit.mdb"
#endif

std::string ParaShell(const std::string& texto) {
  std::string citado = "'";
  for (char c : texto) citado += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return citado + "'";
}

// What a command printed; the test fails when it does not end well.
std::string Salida(const std::string& comando) {
  FILE* tubo = popen(comando.c_str(), "r");
  if (!tubo) throw std::runtime_error("cannot run " + comando);
  std::string texto;
  char bloque[4096];
  for (std::size_t n; (n = fread(bloque, 1, sizeof bloque, tubo)) > 0;) texto.append(bloque, n);
  const int estado = pclose(tubo);
  if (estado != 0) throw std::runtime_error(comando + " failed");
  return texto;
}

std::vector<std::string> Lineas(const std::string& texto) {
  std::vector<std::string> lineas;
  std::istringstream entrada(texto);
  for (std::string linea; std::getline(entrada, linea);) lineas.push_back(linea);
  return lineas;
}

// One field of mdb-export's CSV: a quoted text, a bare value, or nothing for a Null.
struct CampoCsv {
  std::string texto;
  bool nulo;
};

std::vector<CampoCsv> CamposCsv(const std::string& linea) {
  std::vector<CampoCsv> campos;
  std::size_t i = 0;
  while (true) {
    CampoCsv campo{"", true};
    if (i < linea.size() && linea[i] == '"') {
      campo.nulo = false;
      for (++i; i < linea.size(); ++i) {
        if (linea[i] == '"' && i + 1 < linea.size() && linea[i + 1] == '"') {
          campo.texto += '"';
          ++i;
        } else if (linea[i] == '"') {
          ++i;
          break;
        } else {
          campo.texto += linea[i];
        }
      }
    } else {
      const std::size_t fin = std::min(linea.find(',', i), linea.size());
      campo.texto = linea.substr(i, fin - i);
      campo.nulo = campo.texto.empty();
      i = fin;
    }
    campos.push_back(campo);
    if (i >= linea.size()) return campos;
    ++i;  // the comma
  }
}

class ArchivoJet : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(ruta)) << ruta
                                  << " is missing: the build fetches it with `npm pack "
                                     "mdb@0.1.0`; see the build's warning";
    cnx.Open(prueba::CadenaJet(ruta));
  }

  std::vector<std::string> TablasDeUsuario() {
    return Lineas(Salida("mdb-tables -1 " + ParaShell(ruta)));
  }

  std::vector<std::string> Exportacion(const std::string& tabla, const std::string& opciones = {}) {
    return Lineas(
        Salida("mdb-export " + opciones + " " + ParaShell(ruta) + " " + ParaShell(tabla)));
  }

  ado::Recordset Consulta(const std::string& sql) {
    ado::Recordset rs;
    rs.Open(sql, cnx);
    return rs;
  }

  std::string ruta = GRADIX_FRUIT_MDB;
  ado::Connection cnx;
};

TEST_F(ArchivoJet, CadaTablaYCadaValorSonLosDeMdbExport) {
  const std::vector<std::string> tablas = TablasDeUsuario();
  ASSERT_THAT(tablas, ::testing::Contains("Muffin/Bread"));
  for (const std::string& tabla : tablas) {
    const std::vector<std::string> csv = Exportacion(tabla);
    ado::Recordset rs = Consulta("SELECT * FROM [" + tabla + "];");
    const std::vector<CampoCsv> cabecera = CamposCsv(csv.at(0));
    ASSERT_EQ(rs.FieldCount(), static_cast<int>(cabecera.size())) << tabla;
    for (int c = 0; c < rs.FieldCount(); ++c) EXPECT_EQ(rs.Fields(c).Name, cabecera[c].texto);
    std::size_t fila = 1;
    for (; !rs.Eof(); rs.MoveNext(), ++fila) {
      ASSERT_LT(fila, csv.size()) << tabla << ": more rows than mdb-export";
      const std::vector<CampoCsv> esperados = CamposCsv(csv[fila]);
      for (int c = 0; c < rs.FieldCount(); ++c) {
        const vb::Variant valor = rs.Fields(c).Value();
        const std::string leido = valor.IsNull() ? "<Null>" : vb::CStr(valor);
        EXPECT_EQ(leido, esperados[c].nulo ? "<Null>" : esperados[c].texto)
            << tabla << " row " << fila << " field " << rs.Fields(c).Name;
      }
    }
    EXPECT_EQ(fila, csv.size()) << tabla << ": fewer rows than mdb-export";
  }
}

TEST_F(ArchivoJet, LosNumerosSonLongYLosVaciosNull) {
  ado::Recordset rs = Consulta("SELECT Fruit, Fiber, [Vit E] FROM Fruit WHERE Fruit='FIG';");
  ASSERT_FALSE(rs.Eof());
  EXPECT_EQ(rs.Fields("Fruit").Value(), vb::Variant("Fig"));  // found without regard to case
  EXPECT_EQ(rs.Fields("Fruit").Type, ado::adVarWChar);
  EXPECT_EQ(rs.Fields("Fiber").Value(), vb::Variant(std::int32_t{2}));
  EXPECT_EQ(rs.Fields("Fiber").Type, ado::adInteger);
  EXPECT_TRUE(rs.Fields("Vit E").Value().IsNull());
}

// Jet keeps a yes/no value in the row's null mask; it reads as a Boolean, never Null.
TEST_F(ArchivoJet, UnaColumnaSiNoSeLeeComoBoolean) {
  std::map<std::string, int> exportados;
  for (const std::string& linea : Exportacion("MSysACEs"))
    ++exportados[CamposCsv(linea).back().texto];
  ado::Recordset rs = Consulta("SELECT FInheritable FROM MSysACEs;");
  EXPECT_EQ(rs.Fields("FInheritable").Type, ado::adBoolean);
  std::map<bool, int> leidos;
  for (; !rs.Eof(); rs.MoveNext()) {
    const vb::Variant valor = rs.Fields("FInheritable").Value();
    ASSERT_EQ(valor.Type(), vb::VarType::Boolean);
    ++leidos[valor.AsBoolean()];
  }
  EXPECT_GT(leidos[true], 0);
  EXPECT_EQ(leidos[true], exportados["1"]);
  EXPECT_EQ(leidos[false], exportados["0"]);
}

TEST_F(ArchivoJet, LasFechasSonDeLaFechaQueGuardaJet) {
  const std::vector<std::string> csv =
      Exportacion("MSysObjects", "-b strip -T '%Y-%m-%d %H:%M:%S'");
  ado::Recordset rs = Consulta("SELECT DateCreate FROM MSysObjects;");
  EXPECT_EQ(rs.Fields("DateCreate").Type, ado::adDate);
  for (std::size_t fila = 1; !rs.Eof(); rs.MoveNext(), ++fila) {
    const std::vector<CampoCsv> campos = CamposCsv(csv.at(fila));
    EXPECT_EQ(vb::Format(rs.Fields("DateCreate").Value(), "YYYY-MM-DD HH:MM:SS"),
              campos.at(4).texto);
  }
}

// Nothing writes Jet files: a statement that would change one is refused.
TEST_F(ArchivoJet, UnArchivoJetEsDeSoloLectura) {
  for (const char* sql : {"INSERT INTO Fruit (Fruit) VALUES ('KIWI');", "DELETE FROM Fruit;"})
    prueba::EsperaSoloLectura(cnx, sql);
  EXPECT_FALSE(Consulta("SELECT Fruit FROM Fruit;").Eof());
}

TEST_F(ArchivoJet, UnArchivoJetCortadoDaUnErrorClaro) {
  prueba::CarpetaTemporal carpeta;
  const std::string cortado = carpeta.Ruta() + "/cortado.mdb";
  fs::copy_file(ruta, cortado);
  fs::resize_file(cortado, 4096 * 3);  // the header and the first pages only
  ado::Connection conexion;
  try {
    conexion.Open(prueba::CadenaJet(cortado));
    ADD_FAILURE() << "a cut Jet file opened";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.Number(), ado::adErrUnspecified);
    EXPECT_THAT(e.Description(), HasSubstr(cortado));
  }
}

}  // namespace
