#include "platform/win/Ini.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/CatalogoDePrueba.h"

namespace {

class IniTest : public ::testing::Test {
 protected:
  std::string Escribe(const std::string& nombre, const std::string& contenido) {
    const std::string ruta = carpeta_.Ruta() + "/" + nombre;
    std::ofstream(ruta, std::ios::binary) << contenido;
    return ruta;
  }

  prueba::CarpetaTemporal carpeta_;
};

struct Caso {
  const char* seccion;
  const char* llave;
  const char* esperado;
};

TEST_F(IniTest, FindsValuesAsTheSystemCallDoes) {
  const std::string archivo = Escribe("Dorvex.INI",
                                      "; configuracion de la tienda\r\n"
                                      "[CODIGOBARRA]\r\n"
                                      "CODIGO =  20  \r\n"
                                      "\tLongitud\t=\t12\t\r\n"
                                      "Vacio=\r\n"
                                      "Comillas=\"  entre comillas  \"\r\n"
                                      "Simples='x'\r\n"
                                      "Abierta=\"abc\r\n"
                                      "Igual=a=b\r\n"
                                      "SinIgual\r\n"
                                      "[ Otra ]\r\n"
                                      "CODIGO=99\r\n"
                                      "[codigobarra]\r\n"
                                      "Posterior=1\r\n");
  const Caso casos[] = {
      {"CODIGOBARRA", "CODIGO", "20"},
      {"codigobarra", "codigo", "20"},
      {"CODIGOBARRA", "Longitud", "12"},
      {"CODIGOBARRA", "Vacio", ""},
      {"CODIGOBARRA", "Comillas", "  entre comillas  "},
      {"CODIGOBARRA", "Simples", "x"},
      {"CODIGOBARRA", "Abierta", "\"abc"},
      {"CODIGOBARRA", "Igual", "a=b"},
      {"CODIGOBARRA", "SinIgual", "(error)"},
      {"CODIGOBARRA", "Falta", "(error)"},
      {"Falta", "CODIGO", "(error)"},
      {"Otra", "CODIGO", "99"},
      // Only the first section of a name is read.
      {"CODIGOBARRA", "Posterior", "(error)"},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(win::GetPrivateProfileString(c.seccion, c.llave, "(error)", 255, archivo), c.esperado)
        << c.seccion << "/" << c.llave;
}

TEST_F(IniTest, MissingFileGivesTheDefaultWithoutTrailingBlanks) {
  const std::string archivo = carpeta_.Ruta() + "/NoExiste.INI";
  EXPECT_EQ(win::GetPrivateProfileString("A", "B", "(error)", 255, archivo), "(error)");
  EXPECT_EQ(win::GetPrivateProfileString("A", "B", "  x  ", 255, archivo), "  x");
}

TEST_F(IniTest, ResultIsCutToTheBufferLessTheTerminator) {
  const std::string largo(300, 'v');
  const std::string archivo = Escribe("Dorvex.INI", "[S]\nK=" + largo + "\n");
  EXPECT_EQ(win::GetPrivateProfileString("S", "K", "(error)", 255, archivo), largo.substr(0, 254));
  EXPECT_EQ(win::GetPrivateProfileString("S", "K", "(error)", 1, archivo), "");
  EXPECT_EQ(win::GetPrivateProfileString("S", "K", "(error)", 0, archivo), "");
  EXPECT_EQ(win::GetPrivateProfileString("S", "Falta", "(error)", 4, archivo), "(er");
}

TEST_F(IniTest, ReadsTheWindowsCodePageAndUtf8Alike) {
  const std::string ansi = Escribe("ansi.ini", "[S]\nNombre=Panader\xED" "a \x80\n");
  const std::string utf8 = Escribe("utf8.ini", "\xEF\xBB\xBF[S]\nNombre=Panadería €\n");
  EXPECT_EQ(win::GetPrivateProfileString("S", "Nombre", "", 255, ansi), "Panadería €");
  EXPECT_EQ(win::GetPrivateProfileString("S", "Nombre", "", 255, utf8), "Panadería €");
  // The cut counts characters, never leaving half of one.
  EXPECT_EQ(win::GetPrivateProfileString("S", "Nombre", "", 9, utf8), "Panaderí");
}

TEST_F(IniTest, TakesAWindowsStylePath) {
  Escribe("DORVEX.INI", "[S]\nK=1\n");
  const std::string ruta = carpeta_.Ruta() + "\\Dorvex.INI";
  EXPECT_EQ(win::GetPrivateProfileString("S", "K", "(error)", 255, ruta), "1");
}

}  // namespace
