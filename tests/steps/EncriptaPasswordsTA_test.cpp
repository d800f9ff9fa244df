#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/crypto/ComponenteCifrado.h"
#include "steps/6x_7x/modVersion60.h"
#include "support/ComponenteDePrueba.h"
#include "support/TestDatabase.h"

namespace {

using prueba::CarpetaConComponente;
using prueba::Componente;
using prueba::Filas;
using prueba::RegistroDelComponente;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using vb::Variant;

constexpr const char* kCajas = "SELECT TA_PASSWORD,COD_CAJ FROM tblCajas;";
constexpr long kFalla = -2147217900;

std::string Actualiza(const std::string& password, int caja) {
  return "UPDATE tblCajas SET TA_PASSWORD='" + password + "' WHERE COD_CAJ=" +
         std::to_string(caja) + ";";
}

// The routine with a component in the program's folder.
class PasswordsTA : public prueba::RutinaGrabada {
 protected:
  explicit PasswordsTA(Componente componente = Componente::Prueba)
      : carpeta_(componente), rutaAnterior_(gRutaApp) {
    gRutaApp = carpeta_.Ruta();
  }
  ~PasswordsTA() override { gRutaApp = rutaAnterior_; }

  void Cajas(std::vector<std::vector<Variant>> filas) {
    db_.Responde(kCajas, {{"TA_PASSWORD", "COD_CAJ"}, std::move(filas)});
  }
  vb::Error ErrorDeLaRutina() {
    try {
      EncriptaPasswordsTA(cnx_);
    } catch (const vb::Error& error) {
      return error;
    }
    ADD_FAILURE() << "the routine raised nothing";
    return vb::Error(0, "");
  }

  CarpetaConComponente carpeta_;
  std::string rutaAnterior_;
};

// Only passwords of 1 to 10 characters are encrypted, in row order, through one load of
// the component, which is released when the routine ends.
TEST_F(PasswordsTA, OnlyPasswordsOfOneToTenCharacters) {
  const RegistroDelComponente registro;
  Cajas({{Variant::Null(), Variant(1)},
         {Variant(""), Variant(2)},
         {Variant("k"), Variant(3)},
         {Variant("clave12345"), Variant(4)},
         {Variant("clave123456"), Variant(5)},
         {Variant("ñandúñandú"), Variant(6)}});
  EncriptaPasswordsTA(cnx_);
  EXPECT_THAT(db_.Textos(),
              ElementsAre(kCajas, Actualiza("[cifrado k]", 3),
                          Actualiza("[cifrado clave12345]", 4),
                          Actualiza("[cifrado ñandúñandú]", 6)));
  EXPECT_EQ(registro.Lineas(),
            "carga\nEncriptar k\nEncriptar clave12345\nEncriptar ñandúñandú\ndescarga\n");
  EXPECT_FALSE(log_.Existe());
}

// Without a password to encrypt the component is never loaded, so a missing one does no
// harm.
TEST_F(PasswordsTA, NothingToEncryptLoadsNothing) {
  const RegistroDelComponente registro;
  for (auto filas : std::vector<std::vector<std::vector<Variant>>>{
           {}, {{Variant::Null(), Variant(1)}, {Variant("clave123456"), Variant(2)}}}) {
    Cajas(filas);
    EncriptaPasswordsTA(cnx_);
  }
  gRutaApp = CarpetaConComponente(Componente::Ninguno).Ruta();
  EXPECT_NO_THROW(EncriptaPasswordsTA(cnx_));
  EXPECT_THAT(db_.Textos(), ElementsAre(kCajas, kCajas, kCajas));
  EXPECT_EQ(registro.Lineas(), "");
}

// A result goes into the UPDATE quoted; one that a second run would encrypt again, one
// that the column would cut, and an empty one are refused before anything is stored.
TEST_F(PasswordsTA, ResultsAreQuotedAndCheckedBeforeTheyAreStored) {
  {
    const RegistroDelComponente registro("O'Brien\\cifrado");
    Cajas({{Variant("k"), Variant(3)}});
    EncriptaPasswordsTA(cnx_);
    EXPECT_EQ(db_.Textos().back(), Actualiza("O''Brien\\\\cifrado", 3));
  }
  for (const std::string& resultado :
       {std::string(), std::string("0123456789"), std::string(41, 'x')}) {
    const RegistroDelComponente registro(resultado.c_str());
    const std::size_t antes = db_.Textos().size();
    const vb::Error error = ErrorDeLaRutina();
    EXPECT_EQ(error.Number(), vb::err::InvalidProcedureCall);
    EXPECT_THAT(error.Description(), HasSubstr("caja 3")) << resultado;
    EXPECT_EQ(db_.Textos().size(), antes + 1) << "only the lookup is sent";
  }
  EXPECT_FALSE(log_.Existe());
}

// No handler: the first failure leaves the routine, with the rows before it converted and
// nothing written to the run log.
TEST_F(PasswordsTA, TheFirstFailureLeaves) {
  const RegistroDelComponente registro;
  Cajas({{Variant("uno"), Variant(1)},
         {Variant("falla"), Variant(2)},
         {Variant("tres"), Variant(3)}});
  EXPECT_THAT(ErrorDeLaRutina().Description(), HasSubstr("fallo de prueba"));
  EXPECT_THAT(db_.Textos(), ElementsAre(kCajas, Actualiza("[cifrado uno]", 1)));

  db_.Falla(Actualiza("[cifrado uno]", 1), kFalla, "refused");
  EXPECT_EQ(ErrorDeLaRutina().Description(), "refused");
  db_.Falla(kCajas, kFalla, "Invalid column name 'COD_CAJ'.");
  EXPECT_EQ(ErrorDeLaRutina().Description(), "Invalid column name 'COD_CAJ'.");
  EXPECT_FALSE(log_.Existe());
  EXPECT_EQ(registro.Lineas(),
            "carga\nEncriptar uno\nEncriptar falla\ndescarga\ncarga\nEncriptar uno\ndescarga\n");
}

class PasswordsTASinComponente : public PasswordsTA {
 protected:
  PasswordsTASinComponente() : PasswordsTA(Componente::Ninguno) {}
};

TEST_F(PasswordsTASinComponente, AMissingLibraryStopsBeforeAnyRowChanges) {
  Cajas({{Variant(""), Variant(1)}, {Variant("k"), Variant(2)}});
  const vb::Error error = ErrorDeLaRutina();
  EXPECT_EQ(error.Number(), cifrado::kErrorSinComponente);
  EXPECT_THAT(error.Description(), HasSubstr(carpeta_.Ruta() + "/libgradixcifrado.so"));
  EXPECT_THAT(db_.Textos(), ElementsAre(kCajas));
}

// ------------------------------------------------------------ on MariaDB

class PasswordsTAEnMariaDB : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_599.sql");
    rutaAnterior_ = gRutaApp;
  }
  void TearDown() override { gRutaApp = rutaAnterior_; }
  Filas Passwords() const {
    return Consulta("SELECT COD_CAJ, TA_PASSWORD FROM tblCajas ORDER BY COD_CAJ");
  }
  std::string rutaAnterior_;
};

const Filas kPasswordsDelFixture = {{"1", "NULL"},      {"2", ""},
                                    {"3", "k"},         {"4", "clave12345"},
                                    {"5", "clave123456"}, {"6", "ñandú"}};

// The project's component: the passwords of 1 to 10 characters are stored encrypted and
// decrypt to what they were; a second run leaves everything as it is.
TEST_F(PasswordsTAEnMariaDB, WithTheProjectsComponent) {
  const CarpetaConComponente carpeta(Componente::Proyecto);
  gRutaApp = carpeta.Ruta();
  EncriptaPasswordsTA(cnx_);
  const Filas despues = Passwords();
  ASSERT_EQ(despues.size(), kPasswordsDelFixture.size());
  const cifrado::Componente componente(carpeta.Ruta());
  for (std::size_t i = 0; i < despues.size(); ++i) {
    const bool convertida = i == 2 || i == 3 || i == 5;
    if (!convertida) {
      EXPECT_EQ(despues[i], kPasswordsDelFixture[i]);
      continue;
    }
    EXPECT_NE(despues[i][1], kPasswordsDelFixture[i][1]);
    EXPECT_EQ(componente.Desencripta(despues[i][1]), kPasswordsDelFixture[i][1]);
  }
  EncriptaPasswordsTA(cnx_);
  EXPECT_EQ(Passwords(), despues);
  EXPECT_FALSE(log_.Existe());
}

// Step 6.0 without its component: 6.0's changes and version stand, the passwords keep
// their values, and the error names the missing library.
TEST_F(PasswordsTAEnMariaDB, AMissingComponentStopsAt605WithThePasswordsUnchanged) {
  const CarpetaConComponente carpeta(Componente::Ninguno);
  gRutaApp = carpeta.Ruta();
  ModificarEstructura60(cnx_, ManejadorMySQL);
  try {
    EncriptaPasswordsTA(cnx_);
    ADD_FAILURE() << "the routine raised nothing";
  } catch (const vb::Error& error) {
    EXPECT_THAT(error.Description(), HasSubstr(carpeta.Ruta() + "/libgradixcifrado.so"));
  }
  EXPECT_EQ(Passwords(), kPasswordsDelFixture);
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"605"}}));
}

// A run that stopped half-way is taken again: the rows converted before are long enough
// to be left alone, and the rest are converted.
TEST_F(PasswordsTAEnMariaDB, ARunAfterAFailureConvertsOnlyTheRest) {
  const CarpetaConComponente carpeta(Componente::Prueba);
  gRutaApp = carpeta.Ruta();
  bd_->EjecutaSql("UPDATE tblCajas SET TA_PASSWORD='falla' WHERE COD_CAJ=4;");
  {
    const RegistroDelComponente registro;
    EXPECT_THROW(EncriptaPasswordsTA(cnx_), vb::Error);
  }
  bd_->EjecutaSql("UPDATE tblCajas SET TA_PASSWORD='otra' WHERE COD_CAJ=4;");
  const RegistroDelComponente registro;
  EncriptaPasswordsTA(cnx_);
  EXPECT_EQ(registro.Lineas(), "carga\nEncriptar otra\nEncriptar ñandú\ndescarga\n");
  EXPECT_EQ(Passwords(), (Filas{{"1", "NULL"},
                                {"2", ""},
                                {"3", "[cifrado k]"},
                                {"4", "[cifrado otra]"},
                                {"5", "clave123456"},
                                {"6", "[cifrado ñandú]"}}));
}

}  // namespace
