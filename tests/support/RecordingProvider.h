#pragma once
// A provider for tests: while it lives, every connection opened through ADO goes to
// it. It records every opening and every statement, answers scripted result sets,
// fails chosen statements or openings, and returns no result set otherwise.
//
//   prueba::RecordingProvider db;
//   db.Responde("SELECT VER FROM tblVersion;", {{"VER"}, {{"952"}}});
//   db.Falla(prueba::EmpiezaCon("ALTER TABLE"), -2147217900, "Duplicate column name");
//   ... run the code ...
//   EXPECT_THAT(db.Textos(), ElementsAre("SELECT VER FROM tblVersion;", ...));
#include <concepts>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/ado/Provider.h"
#include "platform/vb/Variant.h"

namespace prueba {

// Which statement or connection string a script applies to: an exact text or a
// predicate.
class Coincide {
 public:
  Coincide(std::string exacto);
  Coincide(const char* exacto) : Coincide(std::string(exacto)) {}
  template <typename F>
    requires(std::predicate<F, const std::string&> && !std::same_as<std::decay_t<F>, Coincide>)
  Coincide(F predicado) : predicado_(std::move(predicado)) {}

  bool operator()(const std::string& texto) const { return predicado_(texto); }

 private:
  std::function<bool(const std::string&)> predicado_;
};

Coincide Contiene(std::string parte);
Coincide EmpiezaCon(std::string inicio);

// A scripted answer: a result set (column names and rows), or, without columns, a
// statement that returned no rows and affected `filasAfectadas`.
struct Resultado {
  std::vector<std::string> columnas;
  std::vector<std::vector<vb::Variant>> filas;
  long filasAfectadas = 0;

  static Resultado Afectadas(long filas) { return {{}, {}, filas}; }
};

struct Apertura {
  std::string cadena;  // the connection string as ADO received it
  std::string usuario;
  std::string contrasena;
  long connectionTimeout = 0;
  long commandTimeout = 0;
  bool cerrada = false;  // the connection has been closed (or released)
};

struct Ejecucion {
  std::string cadena;  // connection string of the session that ran it
  std::string sql;
  long opciones = 0;
};

inline constexpr int kSiempre = -1;

class RecordingProvider {
 public:
  RecordingProvider();  // installs itself as ADO's provider override
  ~RecordingProvider();  // removes it
  RecordingProvider(const RecordingProvider&) = delete;
  RecordingProvider& operator=(const RecordingProvider&) = delete;

  // Answers the matching statements. Several answers for the same statement are
  // given in the order they were added; the last one then repeats.
  void Responde(Coincide sentencia, Resultado resultado);

  // The matching statements fail with ADO's error `numero` and `descripcion`,
  // `veces` times (kSiempre: every time). Failures are looked at before answers.
  void Falla(Coincide sentencia, long numero, std::string descripcion, int veces = kSiempre);

  // The matching statements fail as on a connection that the server dropped (SQLSTATE
  // 08S01).
  void PierdeConexion(Coincide sentencia);

  // Opening a matching connection string fails `veces` times.
  void FallaApertura(Coincide cadena, long numero, std::string descripcion, int veces = 1);

  // Matching connection strings go to the real providers (e.g. a SQLite catalogue:
  // DejaPasar(Contiene("Microsoft.Jet.OLEDB"))); nothing of them is recorded.
  void DejaPasar(Coincide cadena);

  const std::vector<Apertura>& Aperturas() const;
  const std::vector<Ejecucion>& Ejecuciones() const;
  // The statement texts, in order.
  std::vector<std::string> Textos() const;
  // The connections opened and not yet closed.
  int ConexionesAbiertas() const;

  struct Estado;

 private:
  std::unique_ptr<ado::Session> Abre(const ado::OpenRequest& request);

  std::shared_ptr<Estado> estado_;  // shared with the sessions, which may outlive us
};

}  // namespace prueba
