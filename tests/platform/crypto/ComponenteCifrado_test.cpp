#include "platform/crypto/ComponenteCifrado.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/vb/Error.h"
#include "support/ComponenteDePrueba.h"

namespace {

using prueba::CarpetaConComponente;
using prueba::Componente;

bool Contiene(const std::string& texto, const std::string& parte) {
  return texto.find(parte) != std::string::npos;
}

// The error that `accion` raises; fails the test when it raises none.
template <class F>
vb::Error ErrorDe(F accion) {
  try {
    accion();
  } catch (const vb::Error& error) {
    return error;
  }
  ADD_FAILURE() << "no error was raised";
  return vb::Error(0, "");
}

bool EsBase64(const std::string& texto) {
  return texto.find_first_not_of(
             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/") ==
         std::string::npos;
}

// Passwords of 1 to 10 characters (accented letters take two bytes each) come back whole,
// as printable text of 11 to 40 characters without quotes, different at each call.
TEST(ComponenteDelProyecto, EncryptsReversiblyIntoPrintableText) {
  const CarpetaConComponente carpeta(Componente::Proyecto);
  const cifrado::Componente componente(carpeta.Ruta());
  for (const std::string password :
       {"k", "clave12345", "ñandú", "ÁÉÍÓÚáéíóú", "a'b\\c\"d", "1234567890"}) {
    const std::string cifrado = componente.Encripta(password);
    EXPECT_TRUE(EsBase64(cifrado)) << cifrado;
    EXPECT_GE(cifrado.size(), 11u) << password;
    EXPECT_LE(cifrado.size(), 40u) << password;
    EXPECT_EQ(componente.Desencripta(cifrado), password);
    EXPECT_NE(componente.Encripta(password), cifrado) << "a nonce of its own for every call";
  }
}

TEST(ComponenteDelProyecto, AnotherKeyDoesNotGiveThePasswordBack) {
  const CarpetaConComponente carpeta(Componente::Proyecto);
  const std::string cifrado = cifrado::Componente(carpeta.Ruta()).Encripta("clave01");
  carpeta.EscribeClave(std::string(64, 'f'));
  EXPECT_NE(cifrado::Componente(carpeta.Ruta()).Desencripta(cifrado), "clave01");
}

// A key file that is missing or not 64 hexadecimal digits is a clear error naming it.
TEST(ComponenteDelProyecto, RefusesAMissingOrMalformedKey) {
  const CarpetaConComponente carpeta(Componente::Proyecto);
  const cifrado::Componente componente(carpeta.Ruta());
  const std::string completa = prueba::kClaveDePrueba;
  for (const std::string& clave :
       {std::string(), completa.substr(2), completa + "00", "zz" + completa.substr(2),
        completa.substr(0, 32) + " " + completa.substr(32)}) {
    carpeta.EscribeClave(clave);
    const vb::Error error = ErrorDe([&] { componente.Encripta("clave"); });
    EXPECT_EQ(error.Number(), cifrado::kErrorDelComponente) << clave;
    EXPECT_TRUE(Contiene(error.Description(), carpeta.RutaClave())) << error.Description();
  }
  carpeta.EscribeClave("\r\n  " + completa + "\r\n");
  EXPECT_EQ(componente.Desencripta(componente.Encripta("clave")), "clave")
      << "blanks and line ends around the digits are allowed";
}

TEST(ComponenteDelProyecto, RefusesTextsItDidNotMake) {
  const CarpetaConComponente carpeta(Componente::Proyecto);
  const cifrado::Componente componente(carpeta.Ruta());
  for (const char* texto : {"no es base64!", "QUJD", ""}) {
    const vb::Error error = ErrorDe([&] { componente.Desencripta(texto); });
    EXPECT_EQ(error.Number(), cifrado::kErrorDelComponente) << texto;
  }
}

// A missing library or function is an error naming the library's path.
TEST(CargaDelComponente, MissingLibraryOrFunction) {
  const CarpetaConComponente sinBiblioteca(Componente::Ninguno);
  const vb::Error sinComponente = ErrorDe([&] { cifrado::Componente c(sinBiblioteca.Ruta()); });
  EXPECT_EQ(sinComponente.Number(), cifrado::kErrorSinComponente);
  EXPECT_EQ(sinComponente.Description(), "No se puede cargar el componente de cifrado " +
                                             sinBiblioteca.Ruta() + "/" +
                                             cifrado::kArchivoComponente +
                                             ": el archivo o la carpeta no existe");

  const CarpetaConComponente incompleta(Componente::SinDesencriptar);
  const vb::Error sinFuncion = ErrorDe([&] { cifrado::Componente c(incompleta.Ruta()); });
  EXPECT_EQ(sinFuncion.Number(), cifrado::kErrorSinFuncion);
  EXPECT_TRUE(Contiene(sinFuncion.Description(),
                       incompleta.Ruta() + "/" + cifrado::kArchivoComponente))
      << sinFuncion.Description();
  EXPECT_TRUE(Contiene(sinFuncion.Description(), "Desencriptar")) << sinFuncion.Description();
}

// A file in the library's place that the system cannot load is named as such, in Spanish,
// with the system loader's own detail after it.
TEST(CargaDelComponente, AFileThatIsNoLibrary) {
  const CarpetaConComponente carpeta(Componente::Ninguno);
  const std::string ruta = carpeta.Ruta() + "/" + cifrado::kArchivoComponente;
  std::ofstream(ruta) << "no soy una biblioteca\n";
  const vb::Error error = ErrorDe([&] { cifrado::Componente c(carpeta.Ruta()); });
  EXPECT_EQ(error.Number(), cifrado::kErrorSinComponente);
  EXPECT_EQ(error.Description().rfind("No se puede cargar el componente de cifrado " + ruta +
                                          ": no es una biblioteca que este equipo pueda "
                                          "cargar, o le falta una biblioteca de la que depende "
                                          "(detalle del sistema: ",
                                      0),
            0u)
      << error.Description();
}

// A component of a site's own is called through the same two functions; its failure
// reaches the caller with its message.
TEST(CargaDelComponente, AnotherComponentInItsPlace) {
  const CarpetaConComponente carpeta(Componente::Prueba);
  const prueba::RegistroDelComponente registro;
  {
    const cifrado::Componente componente(carpeta.Ruta());
    EXPECT_EQ(componente.Encripta("abc"), "[cifrado abc]");
    EXPECT_EQ(componente.Desencripta("[cifrado abc]"), "abc");
    const vb::Error error = ErrorDe([&] { componente.Encripta("falla"); });
    EXPECT_EQ(error.Number(), cifrado::kErrorDelComponente);
    EXPECT_TRUE(Contiene(error.Description(), "fallo de prueba")) << error.Description();
  }
  EXPECT_EQ(registro.Lineas(), "carga\nEncriptar abc\nEncriptar falla\ndescarga\n");
}

}  // namespace
