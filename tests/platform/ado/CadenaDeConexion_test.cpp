// Connection strings: the SQLOLEDB strings of the dialog as FreeTDS strings, the
// quoting of ODBC values and the provider each string goes to.
#include <gtest/gtest.h>

#include "platform/ado/Ado.h"
#include "platform/ado/OdbcSession.h"

namespace {

struct Traduccion {
  std::string oledb;
  std::string odbc;
};

TEST(TraduceCadenaSqlOledb, GivesTheFreeTdsStringOfEachForm) {
  const Traduccion casos[] = {
      // SQL Server authentication, as the dialog writes it.
      {R"(Provider=SQLOLEDB.1; Password=secreta; Persist Security Info=True; User ID=sa; Initial Catalog=Velmar; Data Source=SERVIDOR\SQLEXPRESS)",
       R"(Driver={FreeTDS};Server=SERVIDOR\SQLEXPRESS;Database=Velmar;UID=sa;PWD=secreta)"},
      // An empty instance leaves the Data Source ending in a backslash.
      {R"(Provider=SQLOLEDB.1; Password=secreta; Persist Security Info=True; User ID=sa; Initial Catalog=Velmar; Data Source=SERVIDOR\)",
       R"(Driver={FreeTDS};Server=SERVIDOR;Database=Velmar;UID=sa;PWD=secreta)"},
      // Windows authentication: FreeTDS's integrated (Kerberos) login.
      {R"(Provider=SQLOLEDB.1; Integrated Security=SSPI; Persist Security Info=False; Initial Catalog=Velmar; Data Source=SERVIDOR\SQLEXPRESS)",
       R"(Driver={FreeTDS};Server=SERVIDOR\SQLEXPRESS;Database=Velmar;Trusted_Connection=Yes)"},
      // A password is taken exactly as typed, separators, braces and blanks included.
      {R"(Provider=SQLOLEDB.1; Password=a;b}c; Persist Security Info=True; User ID=sa; Initial Catalog=V; Data Source=S\I)",
       R"(Driver={FreeTDS};Server=S\I;Database=V;UID=sa;PWD={a;b}}c})"},
      {R"(Provider=SQLOLEDB.1; Password= con blancos ; Persist Security Info=True; User ID=sa; Initial Catalog=V; Data Source=S\I)",
       R"(Driver={FreeTDS};Server=S\I;Database=V;UID=sa;PWD={ con blancos })"},
      {R"(Provider=SQLOLEDB.1; Password=termina;; Persist Security Info=True; User ID=sa; Initial Catalog=V; Data Source=S\I)",
       R"(Driver={FreeTDS};Server=S\I;Database=V;UID=sa;PWD={termina;})"},
      {R"(Provider=SQLOLEDB.1; Password=x=1;y; Persist Security Info=True; User ID=sa; Initial Catalog=V; Data Source=S\I)",
       R"(Driver={FreeTDS};Server=S\I;Database=V;UID=sa;PWD={x=1;y})"},
      // Quoted OLE DB values, a port, the local server.
      {R"(Provider=SQLOLEDB; Initial Catalog="Mi;Base"; User ID='o''brien'; Data Source=10.1.2.3,1433)",
       R"(Driver={FreeTDS};Server=10.1.2.3;Port=1433;Database={Mi;Base};UID=o'brien)"},
      {R"(Provider=SQLOLEDB.1;Data Source=(local)\VELMAR;Initial Catalog=V;Trusted_Connection=yes)",
       R"(Driver={FreeTDS};Server=localhost\VELMAR;Database=V;Trusted_Connection=Yes)"},
      {R"(Provider=SQLOLEDB.1;Integrated Security=False;User ID=u;Password=p;Data Source=tcp:srv)",
       R"(Driver={FreeTDS};Server=srv;UID=u;PWD=p)"},
  };
  for (const Traduccion& caso : casos) {
    SCOPED_TRACE(caso.oledb);
    EXPECT_EQ(ado::TraduceCadenaSqlOledb(caso.oledb), caso.odbc);
  }
}

TEST(CitaValorOdbc, BraceQuotesOnlyTheValuesThatNeedIt) {
  const std::pair<std::string, std::string> casos[] = {
      {"clave", "clave"},     {"", ""},           {"a b", "a b"},     {"a;b", "{a;b}"},
      {"a}b", "{a}}b}"},      {"{x}", "{{x}}}"},  {" a", "{ a}"},     {"a ", "{a }"},
      {"ñandú®", "ñandú®"},
  };
  for (const auto& [valor, citado] : casos) EXPECT_EQ(ado::CitaValorOdbc(valor), citado) << valor;
}

TEST(ValorDeCadena, FindsAKeyWithoutRegardToCase) {
  const std::string jet =
      "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\App\\EstBDs.mdb;Persist Security "
      "Info=False;Jet OLEDB:Database Password=";
  EXPECT_EQ(ado::ValorDeCadena(jet, "provider"), "Microsoft.Jet.OLEDB.4.0");
  EXPECT_EQ(ado::ValorDeCadena(jet, "DATA SOURCE"), "C:\\App\\EstBDs.mdb");
  EXPECT_EQ(ado::ValorDeCadena(jet, "Jet OLEDB:Database Password"), "");
  EXPECT_EQ(ado::ValorDeCadena("DSN=Velmar", "Provider"), "");
  EXPECT_EQ(ado::ValorDeCadena("Driver={MariaDB Unicode};Server=h", "server"), "h");
}

// The error that opening `cadena` raises (no server is reached by any of them).
ado::ProviderError ErrorAlAbrir(const std::string& cadena) {
  ado::Connection cn;
  cn.ConnectionTimeout = 2;
  try {
    cn.Open(cadena);
  } catch (const ado::ProviderError& e) {
    EXPECT_EQ(cn.State(), ado::adStateClosed);
    return e;
  }
  ADD_FAILURE() << cadena << " opened";
  return ado::ProviderError({});
}

TEST(OpenSession, TheConnectionStringChoosesTheProvider) {
  const ado::ProviderError desconocido = ErrorAlAbrir("Provider=Otro.1;Data Source=x");
  EXPECT_EQ(desconocido.Number(), ado::adErrProviderNotFound);
  EXPECT_EQ(desconocido.Description(),
            "No se encuentra el proveedor 'Otro.1'. Puede que no esté instalado correctamente.");
  for (const std::string odbc :
       {"DSN=NoExisteEsteOrigen", "dsn=NoExisteEsteOrigen;UID=u", "UID=u;DSN=NoExisteEsteOrigen",
        "Provider=MSDASQL.1;DSN=NoExisteEsteOrigen", ""}) {
    SCOPED_TRACE(odbc);
    const ado::ProviderError e = ErrorAlAbrir(odbc);
    EXPECT_EQ(e.Source(), ado::kOrigenOdbc);
    EXPECT_EQ(e.Errors().at(0).SQLState, "IM002");
  }
  EXPECT_EQ(ErrorAlAbrir("Provider=SQLOLEDB.1;Data Source=127.0.0.1,1;User ID=u;Password=p")
                .Source(),
            ado::kOrigenSqlServer);
  const ado::ProviderError jet =
      ErrorAlAbrir("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/no/existe/EstBDs.mdb");
  EXPECT_NE(jet.Source(), ado::kOrigenOdbc);
  EXPECT_FALSE(jet.Description().empty());
}

}  // namespace
