// Structure synchronisation: brings one database (MySQL or SQL Server) in line with the
// structure catalogue for one database kind. Tables and columns are only ever added,
// missing indexes created and, on MySQL, keys the catalogue does not know dropped.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/Catalogo.h"
#include "data/clsBaseDatos.h"
#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"

namespace {

constexpr const char* kCaptionFinal = "Base de datos generada...";
constexpr const char* kCaptionDefault = "Agregando registros default...";
// The one key that MySQL keeps even when the catalogue does not list it.
constexpr const char* kLlaveConservada = "NUM_MOV";
constexpr long kErrorInterno = 51;  // the runtime's "Internal error", for faults of our own
constexpr long kSinFilas = ado::adCmdText | ado::adExecuteNoRecords;

struct ErrorEnCurso {
  long numero;
  std::string descripcion;
};

// The error being handled; call only inside a catch block.
ErrorEnCurso ErrorActual() {
  try {
    throw;
  } catch (const vb::Error& e) {
    return {e.Number(), e.Description()};
  } catch (const std::exception& e) {
    return {kErrorInterno, e.what()};
  }
}

// A text between quotes in a list filter or in a catalogue query: both read a doubled
// quote as one and escape nothing else.
std::string Citado(const std::string& texto) { return TextoSql(texto, ManejadorAccess); }

// A list built as "," + item for each item, without its leading comma.
std::string SinComaInicial(const std::string& lista) {
  return lista.empty() ? lista : lista.substr(1);
}

// SQL Server's statement for a catalogue index: a principal or unique one is a constraint
// of its kind; a plain one is an index, as a constraint needs a kind.
std::string SentenciaIndiceSQLServer(const std::string& tabla,
                                     const catalogo::IndiceCatalogo& indice,
                                     const std::string& columnas) {
  if (!indice.principal && !indice.unica)
    return "CREATE INDEX " + indice.nombre + " ON " + tabla + " (" + columnas + ");";
  return "ALTER TABLE " + tabla + " ADD CONSTRAINT " + indice.nombre +
         (indice.principal ? " PRIMARY KEY" : " UNIQUE") + " (" + columnas + ");";
}

// The statements whose form differs by engine only in their text.
struct Dialecto {
  const char* listaDeTablas;  // statement that lists the database's tables
  int campoNombreDeTabla;     // field of that list that holds the table name
  const char* campoColumna;   // field of the column list that holds the column name
  std::string (*creaTabla)(const std::string& t, const std::string& defs);
  std::string (*columnas)(const std::string& t);
  std::string (*agregaColumna)(const std::string& t, const std::string& c, const std::string& tipo);
};

const Dialecto kMySQL{
    "SHOW TABLES;", 0, "FIELD",
    [](const std::string& t, const std::string& defs) {
      return "CREATE TABLE IF NOT EXISTS " + t + " (" + defs + ");";
    },
    [](const std::string& t) { return "SHOW COLUMNS FROM " + t; },
    [](const std::string& t, const std::string& c, const std::string& tipo) {
      return "ALTER TABLE " + t + " ADD COLUMN " + c + " " + tipo;
    }};

const Dialecto kSQLServer{
    "EXEC sp_tables;", 2, "COLUMN_NAME",
    [](const std::string& t, const std::string& defs) {
      return "CREATE TABLE " + t + " (" + defs + ");";
    },
    [](const std::string& t) {
      return "SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.Columns WHERE TABLE_NAME = '" +
             TextoSql(t, ManejadorSQLServer) + "'";
    },
    [](const std::string& t, const std::string& c, const std::string& tipo) {
      return "ALTER TABLE " + t + " ADD " + c + " " + tipo;
    }};

// Names that the database reported for one table (its columns, or its keys with one entry
// per indexed column), kept in step with what the call itself adds. The database is read
// once per table instead of once per catalogue column or index; names match without
// regard to letter case, accented capitals included, as the list filters do.
class NombresDeLaBase {
 public:
  NombresDeLaBase() = default;
  NombresDeLaBase(ado::Recordset lista, const char* campo) {
    for (; !lista.Eof(); lista.MoveNext()) {
      const vb::Variant& valor = lista.Fields(campo).Value();
      nombres_.push_back(valor.IsNull() ? std::string() : vb::CStr(valor));
    }
  }
  bool Contiene(const std::string& nombre) const {
    const std::string buscado = vb::LCase(nombre);
    for (const std::string& n : nombres_)
      if (vb::LCase(n) == buscado) return true;
    return false;
  }
  void Agrega(const std::string& nombre) { nombres_.push_back(nombre); }
  const std::vector<std::string>& Todos() const { return nombres_; }

 private:
  std::vector<std::string> nombres_;
};

// The class fields that a call works with, and its private members for column types and
// default rows.
struct Recursos {
  std::unique_ptr<ado::Connection>& cnxDestino;
  std::unique_ptr<ado::Connection>& cnxEstructura;
  std::unique_ptr<ado::Recordset>& rsTablas;
  std::unique_ptr<ado::Recordset>& rsCampos;
  std::unique_ptr<ado::Recordset>& rsIndices;
  std::unique_ptr<ado::Recordset>& rsCamposIndice;
  std::function<std::string(std::int16_t iTipo, std::int16_t iValor)> tipoCampo;
  std::function<void(std::int16_t iTabla)> agregaRegistrosDefault;
};

struct Peticion {
  const std::string& cadenaConexion;
  const std::string& nombreBaseDatos;
  ui::Label& lblMensajes;
  bool agregaDefault;
  std::uint8_t estructura;
};

enum class Desenlace { Completa, Cancelada, BaseInexistente, Fallida };

// The catalogue table in hand and what the database said about it.
struct TablaEnCurso {
  TablaEnCurso(std::int16_t iNumero, std::string sNombre)
      : numero(iNumero), nombre(std::move(sNombre)) {}
  std::int16_t numero;
  std::string nombre;  // as stored, not trimmed
  std::optional<NombresDeLaBase> columnas;
  bool indicesLeidos = false;
  bool sinIndices = false;  // SQL Server: the table had no index at all
  NombresDeLaBase indices;
};

// One call of the synchronisation for MySQL or SQL Server. Whatever it opened is closed
// and released when the object goes.
class Sincronizacion {
 public:
  Sincronizacion(Recursos recursos, const Peticion& peticion, bool esMySQL)
      : r_(std::move(recursos)), p_(peticion), mysql_(esMySQL),
        dialecto_(esMySQL ? kMySQL : kSQLServer), captionEntrada_(peticion.lblMensajes.Caption) {}
  ~Sincronizacion() { Limpia(); }
  Sincronizacion(const Sincronizacion&) = delete;
  Sincronizacion& operator=(const Sincronizacion&) = delete;

  Desenlace Ejecuta() {
    if (!Conecta()) return Desenlace::Cancelada;
    try {
      if (mysql_ && !ExisteLaBase()) return AvisaBaseInexistente();
      RecorreTablas();
      if (mysql_) TerminaMySQL();
      return Desenlace::Completa;
    } catch (const std::exception&) {
      const ErrorEnCurso e = ErrorActual();
      ui::MsgBox("Error " + std::to_string(e.numero) + ":" + vb::vbCrLf + e.descripcion,
                 ui::Botones::OK, ui::Icono::Ninguno, "Actualización");
      return Desenlace::Fallida;
    }
  }

 private:
  // ------------------------------------------------------------ connection phase

  bool Conecta() {
    return ConReintento([&] { AbreDestino(); }) && ConReintento([&] { AbreEstructura(); }) &&
           LeeListasDeLaBase();
  }

  bool LeeListasDeLaBase() {
    if (mysql_) {
      ui::DoEvents();
      if (!ConReintento([&] { rsBases_ = r_.cnxDestino->Execute("SHOW DATABASES;"); }))
        return false;
    }
    return ConReintento([&] { rsTablasBD_ = r_.cnxDestino->Execute(dialecto_.listaDeTablas); });
  }

  // Runs one step of the connection phase again, with the same values, for as long as it
  // fails and the user answers Retry.
  static bool ConReintento(const std::function<void()>& paso) {
    for (;;) {
      try {
        paso();
        return true;
      } catch (const std::exception&) {
        const ErrorEnCurso e = ErrorActual();
        if (ui::MsgBox(e.descripcion, ui::Botones::RetryCancel, ui::Icono::Ninguno,
                       std::to_string(e.numero)) != ui::Respuesta::Retry)
          return false;
      }
    }
  }

  void AbreDestino() {
    if (!r_.cnxDestino) {
      r_.cnxDestino = std::make_unique<ado::Connection>();
      r_.cnxDestino->ConnectionString = p_.cadenaConexion;
      r_.cnxDestino->ConnectionTimeout = 0;
      r_.cnxDestino->CommandTimeout = 0;
      r_.cnxDestino->CursorLocation = ado::adUseServer;
    }
    r_.cnxDestino->Open({}, {}, {}, ado::adConnectUnspecified);
  }

  void AbreEstructura() {
    if (!r_.cnxEstructura) r_.cnxEstructura = std::make_unique<ado::Connection>();
    r_.cnxEstructura->Open(catalogo::CadenaConexionEstBDs(), {}, {}, ado::adConnectUnspecified);
  }

  // ------------------------------------------------------------ database check

  bool ExisteLaBase() {
    rsBases_.Filter("DATABASE='" + Citado(p_.nombreBaseDatos) + "'");
    return !rsBases_.Eof();
  }

  Desenlace AvisaBaseInexistente() {
    ui::MsgBox("La base de datos no existe...", ui::Botones::OK, ui::Icono::Informacion,
               "Base de dato");
    return Desenlace::BaseInexistente;
  }

  // ------------------------------------------------------------ table loop

  void RecorreTablas() {
    AbreCatalogo(r_.rsTablas, catalogo::ConsultaTablas(p_.estructura));
    for (; !r_.rsTablas->Eof(); r_.rsTablas->MoveNext()) {
      TablaEnCurso tabla{vb::CInt(r_.rsTablas->Fields("NUMERO").Value()),
                         vb::CStr(r_.rsTablas->Fields("NOMBRE").Value())};
      SincronizaTabla(tabla);
    }
    r_.rsTablas->Close();
  }

  void SincronizaTabla(TablaEnCurso& tabla) {
    MuestraProgreso(tabla.nombre);
    if (ExisteTabla(tabla.nombre)) {
      CompletaColumnas(tabla);
    } else {
      CreaTabla(tabla);
    }
    CreaIndices(tabla);
    if (mysql_) {
      QuitaLlavesAjenas(tabla);
    } else if (p_.agregaDefault) {
      MuestraProgreso(kCaptionDefault);
      r_.agregaRegistrosDefault(tabla.numero);
    }
  }

  bool ExisteTabla(const std::string& sTabla) {
    const std::string campo = rsTablasBD_.Fields(dialecto_.campoNombreDeTabla).Name;
    rsTablasBD_.Filter(campo + "='" + Citado(vb::LCase(sTabla)) + "'");
    return !rsTablasBD_.Eof();
  }

  void CreaTabla(const TablaEnCurso& tabla) {
    CedeEnMySQL();
    std::string definiciones;
    AbreCatalogo(r_.rsCampos, catalogo::ConsultaCamposTablaNueva(tabla.numero));
    for (; !r_.rsCampos->Eof(); r_.rsCampos->MoveNext()) {
      // The yield comes once the column's name is read, before its type and length are.
      catalogo::NombreDeCampo(*r_.rsCampos);
      CedeEnMySQL();
      const catalogo::CampoCatalogo campo = catalogo::LeeCampo(*r_.rsCampos);
      definiciones += "," + Definicion(campo);
    }
    r_.rsCampos->Close();
    r_.cnxDestino->Execute(dialecto_.creaTabla(tabla.nombre, SinComaInicial(definiciones)));
    if (p_.agregaDefault) r_.agregaRegistrosDefault(tabla.numero);
  }

  void CompletaColumnas(TablaEnCurso& tabla) {
    CedeEnMySQL();
    AbreCatalogo(r_.rsCampos, catalogo::ConsultaCamposTablaExistente(tabla.numero));
    for (; !r_.rsCampos->Eof(); r_.rsCampos->MoveNext()) {
      if (ColumnasDe(tabla).Contiene(catalogo::NombreDeCampo(*r_.rsCampos))) continue;
      CedeEnMySQL();
      const catalogo::CampoCatalogo campo = catalogo::LeeCampo(*r_.rsCampos);
      const std::string tipo = r_.tipoCampo(campo.tipo, campo.valor);
      r_.cnxDestino->Execute(dialecto_.agregaColumna(tabla.nombre, campo.nombre, tipo));
      tabla.columnas->Agrega(campo.nombre);
    }
    r_.rsCampos->Close();
  }

  NombresDeLaBase& ColumnasDe(TablaEnCurso& tabla) {
    if (!tabla.columnas)
      tabla.columnas.emplace(r_.cnxDestino->Execute(dialecto_.columnas(tabla.nombre)),
                             dialecto_.campoColumna);
    return *tabla.columnas;
  }

  std::string Definicion(const catalogo::CampoCatalogo& campo) const {
    return campo.nombre + " " + r_.tipoCampo(campo.tipo, campo.valor);
  }

  // ------------------------------------------------------------ indexes

  void CreaIndices(TablaEnCurso& tabla) {
    CedeEnMySQL();
    AbreCatalogo(r_.rsIndices, catalogo::ConsultaIndices(tabla.numero));
    for (; !r_.rsIndices->Eof(); r_.rsIndices->MoveNext()) {
      const catalogo::IndiceCatalogo indice = catalogo::LeeIndice(*r_.rsIndices);
      CedeEnMySQL();
      const std::string columnas = catalogo::ListaCamposIndice(*r_.cnxEstructura, indice.numero);
      if (mysql_) {
        CreaIndiceMySQL(tabla, indice, columnas);
      } else {
        CreaRestriccionSQLServer(tabla, indice, columnas);
      }
    }
    r_.rsIndices->Close();
  }

  void CreaIndiceMySQL(TablaEnCurso& tabla, const catalogo::IndiceCatalogo& indice,
                       const std::string& columnas) {
    if (IndicesDe(tabla).Contiene(indice.nombre)) return;
    ui::DoEvents();
    const std::string unico = indice.unica ? " UNIQUE" : "";
    r_.cnxDestino->Execute("CREATE" + unico + " INDEX " + indice.nombre + " ON " + tabla.nombre +
                               " (" + columnas + ");",
                           nullptr, kSinFilas);
    tabla.indices.Agrega(indice.nombre);
  }

  // A statement that the server refuses is passed over: the table keeps the indexes it has.
  void CreaRestriccionSQLServer(TablaEnCurso& tabla, const catalogo::IndiceCatalogo& indice,
                                const std::string& columnas) {
    NombresDeLaBase& indices = IndicesDe(tabla);
    if (!tabla.sinIndices) {
      if (indices.Contiene(indice.nombre)) return;
      ui::DoEvents();
    }
    if (EjecutaSiSePuede(SentenciaIndiceSQLServer(tabla.nombre, indice, columnas))) {
      tabla.sinIndices = false;
      indices.Agrega(indice.nombre);
    }
  }

  NombresDeLaBase& IndicesDe(TablaEnCurso& tabla) {
    if (!tabla.indicesLeidos) {
      tabla.indicesLeidos = true;
      if (mysql_) {
        tabla.indices = {r_.cnxDestino->Execute("SHOW INDEX FROM " + tabla.nombre), "KEY_NAME"};
      } else {
        ado::Recordset lista;
        lista.Open("sp_helpIndex  " + tabla.nombre, *r_.cnxDestino, ado::adOpenForwardOnly,
                   ado::adLockReadOnly);
        // sp_helpIndex returns no result set for a table without indexes.
        tabla.sinIndices = lista.State() == ado::adStateClosed;
        if (!tabla.sinIndices) tabla.indices = {std::move(lista), "INDEX_NAME"};
      }
    }
    return tabla.indices;
  }

  // MySQL drops every key the catalogue does not list for the table, PRIMARY included,
  // one attempt per indexed column; the attempts after the first fail and are passed over.
  void QuitaLlavesAjenas(TablaEnCurso& tabla) {
    const std::vector<std::string> llaves = IndicesDe(tabla).Todos();
    for (const std::string& llave : llaves) {
      if (llave == kLlaveConservada || CatalogoTieneLlave(tabla.numero, llave)) continue;
      ui::DoEvents();
      EjecutaSiSePuede("DROP INDEX " + llave + " ON " + tabla.nombre + ";");
    }
  }

  bool CatalogoTieneLlave(std::int16_t iTabla, const std::string& llave) {
    ado::Recordset rs;
    rs.Open(catalogo::ConsultaLlaveDeTabla(iTabla, Citado(llave)), *r_.cnxEstructura,
            ado::adOpenForwardOnly, ado::adLockReadOnly, ado::adCmdText);
    return !rs.Eof();
  }

  // ------------------------------------------------------------ MySQL ending

  void TerminaMySQL() {
    if (p_.agregaDefault) {
      MuestraProgreso(kCaptionDefault);
      AbreCatalogo(r_.rsTablas, catalogo::ConsultaTablas(p_.estructura));
      for (; !r_.rsTablas->Eof(); r_.rsTablas->MoveNext())
        r_.agregaRegistrosDefault(vb::CInt(r_.rsTablas->Fields("NUMERO").Value()));
      r_.rsTablas->Close();
    }
    r_.cnxDestino->Execute("FLUSH TABLES;", nullptr, kSinFilas);
  }

  // ------------------------------------------------------------ helpers

  void AbreCatalogo(std::unique_ptr<ado::Recordset>& rs, const std::string& consulta) {
    rs = std::make_unique<ado::Recordset>();
    rs->Open(consulta, *r_.cnxEstructura, ado::adOpenForwardOnly, ado::adLockReadOnly);
  }

  // Sends a statement whose failure the synchronisation passes over; true when it ran.
  bool EjecutaSiSePuede(const std::string& sentencia) {
    try {
      r_.cnxDestino->Execute(sentencia, nullptr, kSinFilas);
      return true;
    } catch (const vb::Error&) {
      return false;
    }
  }

  void MuestraProgreso(const std::string& texto) {
    p_.lblMensajes.Caption = captionEntrada_ + vb::vbCrLf + vb::vbCrLf + texto;
    ui::DoEvents();
  }

  void CedeEnMySQL() {
    if (mysql_) ui::DoEvents();
  }

  // Runs with every error passed over: nothing of the call may outlive it.
  void Limpia() noexcept {
    CierraLista(rsBases_);
    CierraLista(rsTablasBD_);
    CierraConexion(r_.cnxDestino);
    CierraConexion(r_.cnxEstructura);
    r_.rsTablas.reset();
    r_.rsCampos.reset();
    r_.rsIndices.reset();
    r_.rsCamposIndice.reset();
  }

  static void CierraLista(ado::Recordset& lista) noexcept {
    try {
      if (lista.State() == ado::adStateOpen) lista.Close();
    } catch (...) {
    }
  }

  static void CierraConexion(std::unique_ptr<ado::Connection>& cnx) noexcept {
    try {
      if (cnx && cnx->State() == ado::adStateOpen) cnx->Close();
    } catch (...) {
    }
    cnx.reset();
  }

  Recursos r_;
  const Peticion& p_;
  const bool mysql_;
  const Dialecto& dialecto_;
  const std::string captionEntrada_;
  ado::Recordset rsBases_;     // MySQL: the server's databases
  ado::Recordset rsTablasBD_;  // the database's tables, read once per call
};

// Runs the call for one engine; its connections are closed and released on return.
Desenlace Sincroniza(Recursos recursos, const Peticion& peticion, bool esMySQL) {
  Sincronizacion sincronizacion(std::move(recursos), peticion, esMySQL);
  return sincronizacion.Ejecuta();
}

}  // namespace

void clsBaseDatos::CrearBaseDeDatos(const std::string& ConectarseUsando, std::int32_t BaseDeDatos,
                                    const std::string& NombreBaseDatos, bool& bExisteError,
                                    ui::Label& lblMensajes, bool bAgregaDefault,
                                    std::uint8_t iEstructuraBaseDeDatos) {
  mHayError = false;
  if (BaseDeDatos == ManejadorMySQL || BaseDeDatos == ManejadorSQLServer) {
    const bool esMySQL = BaseDeDatos == ManejadorMySQL;
    const std::uint8_t iTipoBD = esMySQL ? ManejadorMySQL : ManejadorSQLServer;
    Recursos recursos{
        mCnxDestino, mCnxEstructura, mRsTablas, mRsCampos, mRsIndices, mRsCamposIndice,
        [this, esMySQL](std::int16_t iTipo, std::int16_t iValor) {
          return esMySQL ? TipoCampoMySQL(iTipo, iValor) : TipoCampoSQLServer(iTipo, iValor);
        },
        [this, iTipoBD](std::int16_t iTabla) {
          AgregaRegistrosDefault(*mCnxEstructura, *mCnxDestino, iTabla, iTipoBD);
        }};
    const Peticion peticion{ConectarseUsando, NombreBaseDatos, lblMensajes, bAgregaDefault,
                            iEstructuraBaseDeDatos};
    switch (Sincroniza(std::move(recursos), peticion, esMySQL)) {
      case Desenlace::Cancelada:
        bExisteError = true;
        return;
      case Desenlace::Fallida:
        // A structure left half-done must not pass for a synchronised one.
        bExisteError = true;
        mHayError = true;
        return;
      case Desenlace::BaseInexistente:
        mHayError = true;
        bExisteError = true;
        break;
      case Desenlace::Completa:
        break;
    }
  }
  lblMensajes.Caption = kCaptionFinal;
  ui::DoEvents();
}
