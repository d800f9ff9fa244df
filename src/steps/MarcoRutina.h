#pragma once
// The frame of the version routines. A routine makes one Rutina for its call and sends
// every statement, lookup, test and row step through it, so that it reads statement by
// statement, with its handler state in plain sight and no try/catch of its own:
//
//   void ActualizaCamposVersion99(ado::Connection& cnx, std::int16_t iManejador) {
//     Rutina r(cnx, "ActualizaCamposVersion99", iManejador);  // "Error en ... :"
//     r.ArmaManejador();
//     r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "TA_PASSWORD", 40));  // FormasDialecto.h
//     ado::Recordset rs = r.Abre("SELECT COD_USU FROM tblUsuarios;");
//     if (r.ConFilas(rs))
//       r.Recorre(rs, [&] {
//         r.Ejecuta([&] {
//           return "INSERT INTO tblX (COD) VALUES ('" + r.UnePropagandoNulo(Campo(rs, "COD_USU")) +
//                  "');";
//         });
//       });
//     r.Cierra(rs);
//     r.EjecutaSiFalta("SELECT * FROM tblY WHERE ID=1;", "INSERT INTO tblY (ID) VALUES (1);");
//     r.RegistraVersion(990);
//   }
//
// Handler states. A new Rutina has no handler yet: a failure leaves the routine (raised to
// the caller as vb::Error; nothing after it runs, version row included).
//   ArmaManejador()  failures are written to the run log under the routine's label and
//                    skipped; the next statement runs.
//   SinManejador()   no handler again: failures reach the caller.
//   Silencioso()     failures are skipped without a log entry.
//   Intenta(bloque)  a block that is left at its first failure, without a log entry.
//   IntentaAnotando(bloque)  the same, with one log entry for that failure.
// A failure to write the run log is never handled: it reaches the caller. Neither is a lost
// connection (ado::EsConexionPerdida): every later statement would fail as well, so the
// routine stops there and the step with it, and the next run takes the step again.
//
// Resume rules (armed or silent):
//   - a failing statement is skipped, the next one runs;
//   - a test that fails (SinFilas, ConFilas, Si) counts as held: the block it guards
//     runs, and an else block does not;
//   - a lookup that cannot be opened gives a closed recordset: its tests fail (and hold),
//     the end test of a loop over it fails and ends the loop, and closing it fails, each
//     with its own entry;
//   - a loop ends when its end test or its step to the next row fails;
//   - a value that cannot be read into a variable (Lee: a Null into a text, a missing
//     field, no current row) leaves the variable as it was.
//
// Row values joined into statements: Une (Null adds nothing) or UnePropagandoNulo (a Null
// makes the statement fail with error 94, invalid use of Null, so it is not sent). Both
// quote the text for the dialect (' doubled, and \ on MySQL), so that a value holding a
// quote can neither break nor change the statement; values without those characters go in
// unchanged. A statement built from row values is passed as a lambda, so that a failure
// while building it counts as that statement's failure.
//
// Other pieces: FormasDialecto.h (widenings, CURRENCY/DECIMAL, IF EXISTS, date literals),
// PermisosMenu.h (menu-option grants), CopiaSucursal.h (branch code of till movements and
// cash cuts), clsBaseDatos (GeneraFecHr, ConvierteLen).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "frame/RunLog.h"
#include "platform/ado/Ado.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Variant.h"

// The value of a field of the current row (3021 at BOF/EOF, 3265 for an unknown name,
// 3704 when the recordset is closed).
vb::Variant Campo(const ado::Recordset& rs, std::string_view nombre);

class Rutina {
 public:
  enum class Manejador { Ninguno, Armado, Silencioso };

  // The log label is "Error en " + nombre + " :". The dialect code picks the quoting of
  // joined values; routines that take none leave it out and the connection's provider
  // decides (SQLOLEDB: SQL Server, Jet: MS Access, anything else: MySQL).
  Rutina(ado::Connection& cnx, const std::string& nombre);
  Rutina(ado::Connection& cnx, const std::string& nombre, std::int16_t iManejador);
  // For the few labels outside that pattern: the whole label as it is written.
  static Rutina ConEtiqueta(ado::Connection& cnx, std::string etiqueta,
                            std::int16_t iManejador);

  Rutina(const Rutina&) = delete;
  Rutina& operator=(const Rutina&) = delete;

  void ArmaManejador() { manejador_ = Manejador::Armado; }
  void SinManejador() { manejador_ = Manejador::Ninguno; }
  void Silencioso() { manejador_ = Manejador::Silencioso; }
  Manejador EstadoManejador() const { return manejador_; }
  void EstadoManejador(Manejador estado) { manejador_ = estado; }

  // One statement on the connection. True when it ran; false when it failed and the
  // handler skipped it.
  bool Ejecuta(const std::string& sql);
  bool Ejecuta(const std::function<std::string()>& sentencia);
  // Any other statement: an assignment, a call of another routine. A vb::Error that
  // leaves it is that statement's failure.
  bool Paso(const std::function<void()>& paso);

  // A lookup: forward-only, read-only. When it cannot be opened the recordset is closed.
  ado::Recordset Abre(const std::string& sql, long opciones = ado::adCmdUnspecified);
  ado::Recordset Abre(const std::function<std::string()>& sentencia,
                      long opciones = ado::adCmdUnspecified);
  // "If rs.BOF And rs.EOF": no row. A failing test holds.
  bool SinFilas(const ado::Recordset& rs);
  // "If Not (rs.BOF And rs.EOF)": a row. A failing test holds.
  bool ConFilas(const ado::Recordset& rs);
  // Any other test. A failing test holds.
  bool Si(const std::function<bool()>& prueba);
  // "Do While Not rs.EOF: cuerpo: rs.MoveNext: Loop". A failing end test or step ends it.
  void Recorre(ado::Recordset& rs, const std::function<void()>& cuerpo);
  void Cierra(ado::Recordset& rs);
  // Reads a field of the current row into a variable of the routine, converted as the
  // variable's type asks (text: CStr, 16-bit: CInt, 32-bit: CLng, ...). A value that
  // cannot be converted (a Null into a text) fails and leaves the variable unchanged.
  template <class T>
  bool Lee(T& variable, const ado::Recordset& rs, std::string_view campo) {
    return Paso([&] { variable = Convierte(Campo(rs, campo), variable); });
  }
  // Shorthand for a lookup that guards one statement: open, "if no row" the statement,
  // close, with each part failing and resuming on its own.
  void EjecutaSiFalta(const std::string& consulta, const std::string& sentencia);

  // A row value joined as text: Null and Empty add nothing. Quoted for the dialect.
  std::string Une(const vb::Variant& valor) const;
  // A row value joined so that a Null makes the whole statement fail (error 94).
  std::string UnePropagandoNulo(const vb::Variant& valor) const;

  // The version row, written so that no failure or interruption can leave tblVersion
  // empty or lower than it was:
  //   "SELECT * FROM tblVersion;"  (no log entry when it fails)
  //   nothing more when a higher version is already recorded;
  //   "INSERT INTO tblVersion (VER,CXC_CENTRAL) VALUES (<version>,0);" unless that
  //   version is already there, then, only once it is,
  //   "DELETE FROM tblVersion WHERE VER<><version>;" when other rows are (or may be) left.
  // The INSERT and the DELETE run under the current handler state. While a ladder step
  // is under way (VersionDelPaso), the row waits for the step's end.
  void RegistraVersion(int version);
  // The same with the INSERT written out, for a routine whose row has another form.
  void RegistraVersion(int version, const std::string& insercion);
  // The version row written at once, also inside a step (with whatever the step noted
  // before): for a routine whose later statements may stop the step, and whose version
  // must stand all the same.
  void RegistraVersionAhora(int version);

  // A block left at its first failure, as a handler that jumps to the block's end does.
  // Inside it there is no handler (unless the block arms one); the failure, if any, is
  // returned and nothing is logged. The handler state is restored afterwards.
  std::optional<vb::Error> Intenta(const std::function<void()>& bloque);
  // Intenta with one log entry under the routine's label for the failure, whatever the
  // handler state: for one item of a loop (a user, a row) that is passed over while the
  // loop goes on. True when the block ran to its end.
  bool IntentaAnotando(const std::function<void()>& bloque);

  const std::string& Etiqueta() const { return etiqueta_; }

 private:
  friend class VersionDelPaso;
  struct EtiquetaCompleta {};
  Rutina(ado::Connection& cnx, std::string etiqueta, std::optional<std::int16_t> iManejador,
         EtiquetaCompleta);

  void EscribeVersion(int version, const std::string& insercion);
  // Runs one statement under the handler state: a failure is logged, skipped or raised.
  bool Protege(const std::function<void()>& accion);
  void Atiende(const vb::Error& error);

  static std::string Convierte(const vb::Variant& v, const std::string&) { return vb::CStr(v); }
  static std::int16_t Convierte(const vb::Variant& v, std::int16_t) { return vb::CInt(v); }
  static std::int32_t Convierte(const vb::Variant& v, std::int32_t) { return vb::CLng(v); }
  static std::uint8_t Convierte(const vb::Variant& v, std::uint8_t) { return vb::CByte(v); }
  static double Convierte(const vb::Variant& v, double) { return vb::CDbl(v); }
  static bool Convierte(const vb::Variant& v, bool) { return vb::CBool(v); }
  static vb::Currency Convierte(const vb::Variant& v, vb::Currency) { return vb::CCur(v); }
  static vb::DateTime Convierte(const vb::Variant& v, vb::DateTime) { return vb::CDate(v); }
  static vb::Variant Convierte(const vb::Variant& v, const vb::Variant&) { return v; }

  ado::Connection& cnx_;
  std::string etiqueta_;
  std::int16_t manejadorDatos_;
  Manejador manejador_ = Manejador::Ninguno;
};

// While a ladder step runs, the version rows that its routines record wait for the end of
// the step: a step cut short (an error, a lost connection, the program or the server
// killed) leaves the version it started from, so the next run takes the whole step again
// instead of skipping what it had not done. Only one exists at a time.
class VersionDelPaso {
 public:
  VersionDelPaso();
  ~VersionDelPaso();
  VersionDelPaso(const VersionDelPaso&) = delete;
  VersionDelPaso& operator=(const VersionDelPaso&) = delete;

  // The highest version that a routine of the step recorded, written on cnx as that routine
  // would have written it (its label and handler state); nothing when none was recorded.
  // The wait ends here: a version that a routine records afterwards is written at once.
  void Escribe(ado::Connection& cnx);
  bool HayVersion() const { return nota_.has_value(); }
  // For a step that reports success: a version still waiting was never written, which is
  // a fault of the step's code. Raises error 51 naming it, so that the climb stops there
  // instead of passing the version over.
  void CompruebaEscrita() const;

  // The step under way, if any (the frame asks it).
  static VersionDelPaso* EnCurso();
  void Anota(int version, const std::string& insercion, const Rutina& rutina);

 private:
  struct Nota {
    int version;
    std::string insercion;
    std::string etiqueta;
    std::int16_t dialecto;
    Rutina::Manejador manejador;
  };
  std::optional<Nota> nota_;
};
