#include "platform/ado/OdbcSession.h"

#include <sqlext.h>

#include <algorithm>

#include "platform/ado/DiagnosticoOdbc.h"
#include "platform/ado/JuegoDeCaracteres.h"
#include "platform/ado/LectorOdbc.h"
#include "platform/ado/Utf16.h"
#include "platform/vb/Text.h"

namespace ado {

namespace {
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the wide ODBC calls must take UTF-16");

// TABLE_NAME in the result of SQLTables (TABLE_CAT, TABLE_SCHEM, TABLE_NAME, ...).
constexpr std::size_t kColumnaNombreDeTabla = 2;

SQLWCHAR* TextoAncho(TextoParaOdbc& texto) { return reinterpret_cast<SQLWCHAR*>(texto.Unidades()); }

// The process's ODBC environment. It is never freed: connections may outlive any
// static object that would own it.
SQLHENV Entorno() {
  static const SQLHENV entorno = [] {
    SQLHENV h = SQL_NULL_HENV;
    if (!ExitoOdbc(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h)))
      throw ProviderError({{adErrUnspecified,
                            "No se pudo iniciar el administrador de controladores ODBC",
                            kOrigenOdbc, "HY000", 0}});
    SQLSetEnvAttr(h, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return h;
  }();
  return entorno;
}

// An ODBC handle freed when it goes out of scope.
class HandleOdbc {
 public:
  HandleOdbc(SQLSMALLINT tipo, SQLHANDLE padre, SQLSMALLINT tipoPadre, const std::string& origen)
      : tipo_(tipo) {
    if (!ExitoOdbc(SQLAllocHandle(tipo, padre, &handle_)))
      LanzaDiagnosticos(tipoPadre, padre, origen, "SQLAllocHandle");
  }
  HandleOdbc(const HandleOdbc&) = delete;
  HandleOdbc& operator=(const HandleOdbc&) = delete;
  ~HandleOdbc() { SQLFreeHandle(tipo_, handle_); }
  SQLHANDLE get() const { return handle_; }

 private:
  SQLSMALLINT tipo_;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

std::string CadenaConCredenciales(const OpenRequest& request) {
  std::string cadena = request.connectionString;
  if (request.userId.empty() && request.password.empty()) return cadena;
  if (!cadena.empty() && cadena.back() != ';') cadena += ';';
  return cadena + "UID=" + CitaValorOdbc(request.userId) + ";PWD=" +
         CitaValorOdbc(request.password);
}

SQLPOINTER ComoAtributo(long valor) {
  return reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(valor < 0 ? 0 : valor));
}

class OdbcSession : public Session {
 public:
  OdbcSession(const OpenRequest& request, std::string origen)
      : origen_(std::move(origen)),
        conexion_(SQL_HANDLE_DBC, Entorno(), SQL_HANDLE_ENV, origen_),
        commandTimeout_(request.commandTimeout) {
    SQLSetConnectAttr(dbc(), SQL_ATTR_LOGIN_TIMEOUT, ComoAtributo(request.connectionTimeout), 0);
    TextoParaOdbc cadena(CadenaConCredenciales(request));
    const SQLRETURN rc = SQLDriverConnectW(dbc(), nullptr, TextoAncho(cadena), SQL_NTS, nullptr,
                                           0, nullptr, SQL_DRIVER_NOPROMPT);
    VerificaOdbc(rc, SQL_HANDLE_DBC, dbc(), origen_, "SQLDriverConnectW");
    mySql_ = EsMySql();
    if (mySql_) lecturaDeTexto_ = LecturaDeTextoDeMySql();
  }

  ~OdbcSession() override { SQLDisconnect(dbc()); }

  RowSet Execute(const std::string& sql, long) override {
    HandleOdbc sentencia(SQL_HANDLE_STMT, dbc(), SQL_HANDLE_DBC, origen_);
    SQLHSTMT stmt = sentencia.get();
    // A driver that cannot limit statements runs them without a limit.
    if (commandTimeout_ > 0)
      SQLSetStmtAttr(stmt, SQL_ATTR_QUERY_TIMEOUT, ComoAtributo(commandTimeout_), 0);
    TextoParaOdbc texto(sql);
    // MySQL's driver is given the statement terminated (see TextoParaOdbc); one with a NUL
    // inside would end there, so it is refused whole rather than sent cut short.
    if (mySql_ && texto.TieneNul())
      throw ProviderError({{adErrUnspecified,
                            "La sentencia contiene un carácter NUL, que no puede enviarse a MySQL.",
                            origen_, "HY000", 0}});
    const SQLINTEGER largo = mySql_ ? SQL_NTS : static_cast<SQLINTEGER>(texto.Largo());
    const SQLRETURN rc = SQLExecDirectW(stmt, TextoAncho(texto), largo);
    if (rc == SQL_NO_DATA) {  // an UPDATE or DELETE that matched no row
      RowSet ninguna;
      ninguna.rowsAffected = 0;
      return ninguna;
    }
    VerificaOdbc(rc, SQL_HANDLE_STMT, stmt, origen_, "SQLExecDirectW");
    RowSet resultado = LeeResultado(stmt, origen_, lecturaDeTexto_);
    DescartaResultadosSiguientes(stmt);
    return resultado;
  }

  // SQLTables of every kind in the connection's current database (without it some
  // drivers list every database of the server), in the order the driver gives them.
  // The name is the third column.
  std::vector<std::string> Tablas() override {
    TextoParaOdbc base(BaseActual());
    HandleOdbc sentencia(SQL_HANDLE_STMT, dbc(), SQL_HANDLE_DBC, origen_);
    SQLHSTMT stmt = sentencia.get();
    VerificaOdbc(SQLTablesW(stmt, TextoAncho(base), SQL_NTS, nullptr, 0, nullptr, 0, nullptr, 0),
                 SQL_HANDLE_STMT, stmt, origen_, "SQLTablesW");
    std::vector<std::string> nombres;
    for (const std::vector<vb::Variant>& fila : LeeResultado(stmt, origen_, lecturaDeTexto_).rows)
      nombres.push_back(fila.at(kColumnaNombreDeTabla).AsString());
    return nombres;
  }

 private:
  SQLHDBC dbc() const { return conexion_.get(); }

  std::string BaseActual() {
    std::u16string nombre(256, u'\0');
    SQLINTEGER bytes = 0;
    VerificaOdbc(SQLGetConnectAttrW(dbc(), SQL_ATTR_CURRENT_CATALOG, nombre.data(),
                                    static_cast<SQLINTEGER>(nombre.size() * sizeof(char16_t)),
                                    &bytes),
                 SQL_HANDLE_DBC, dbc(), origen_, "SQLGetConnectAttrW");
    return TextoTerminado(nombre.data(), nombre.size());
  }

  bool EsMySql() {
    std::vector<SQLWCHAR> nombre(128, 0);
    SQLSMALLINT bytes = 0;
    if (!ExitoOdbc(SQLGetInfoW(dbc(), SQL_DBMS_NAME, nombre.data(),
                               static_cast<SQLSMALLINT>(nombre.size() * sizeof(SQLWCHAR)),
                               &bytes)))
      return false;
    const std::string servidor =
        vb::LCase(TextoTerminado(reinterpret_cast<const char16_t*>(nombre.data()), nombre.size()));
    return servidor.find("mysql") != std::string::npos ||
           servidor.find("mariadb") != std::string::npos;
  }

  // MySQL and MariaDB send results in the connection's character set: read as its bytes
  // when the set is one iconv knows. Any other set or failure to tell keeps the wide
  // reading.
  LecturaDeTexto LecturaDeTextoDeMySql() {
    try {
      const RowSet juego = Execute("SELECT @@character_set_results;", 0);
      if (juego.rows.size() != 1 || juego.rows[0].empty() || juego.rows[0][0].IsNull()) return {};
      return {JuegoIconvDeMySql(juego.rows[0][0].AsString()).value_or("")};
    } catch (const ProviderError&) {
      return {};
    }
  }

  // Only the first result counts; the others are read off so that the connection
  // is ready for the next statement, and a failure among them is still reported.
  void DescartaResultadosSiguientes(SQLHSTMT stmt) {
    SQLRETURN rc;
    while ((rc = SQLMoreResults(stmt)) != SQL_NO_DATA)
      VerificaOdbc(rc, SQL_HANDLE_STMT, stmt, origen_, "SQLMoreResults");
  }

  std::string origen_;
  HandleOdbc conexion_;
  long commandTimeout_;
  bool mySql_ = false;
  LecturaDeTexto lecturaDeTexto_;
};
}  // namespace

std::unique_ptr<Session> OpenOdbcSession(const OpenRequest& request, const std::string& origen) {
  return std::make_unique<OdbcSession>(request, origen);
}

}  // namespace ado
