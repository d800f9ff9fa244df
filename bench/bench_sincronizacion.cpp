// Structure synchronisation on the test MariaDB: a generated catalogue of 300 tables of
// 25 columns and 3 indexes each, synchronised into an empty database and then again into
// the up-to-date one, with the default-row pause at 0. For comparison, the changing
// statements of the first call (those that succeeded) are replayed in one batch through
// the mariadb client into another empty database.
//
//   scripts/test-db.sh start build-bench/testdb && source build-bench/testdb/test-db.env
//   cmake -S . -B build-bench -G Ninja -DGRADIX_BENCH=ON
//   cmake --build build-bench --target bench_sincronizacion
//   build-bench/bench/bench_sincronizacion [tables]
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/ado/OdbcSession.h"
#include "platform/ado/Provider.h"
#include "platform/jet/JetProvider.h"
#include "platform/ui/Services.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/TestDatabase.h"

namespace {

int kTablas = 300;  // the first argument, when given
constexpr int kColumnas = 25;
constexpr int kIndices = 3;
constexpr int kRegistrosDefault = 2;

using Reloj = std::chrono::steady_clock;

double Segundos(Reloj::duration d) { return std::chrono::duration<double>(d).count(); }

std::string Numerado(int n) {
  char texto[12];
  std::snprintf(texto, sizeof texto, "%03d", n);
  return texto;
}

// The catalogue script: columns 1 and 2 are texts (keys), the others cycle through the
// engine's types; a principal, a unique and a two-column plain index; default rows keyed
// by the principal index, so a repeated call adds none.
std::string CatalogoGenerado() {
  static const int tipos[] = {0, 3, 4, 5, 7, 10, 11, 12, 1, 9};
  std::string sql =
      "CREATE TABLE tblTablas (NUMERO SMALLINT, NOMBRE VARCHAR(50), BD SMALLINT);"
      "CREATE TABLE tblCamposTabla (NUMERO INTEGER, TABLA SMALLINT, NOMBRE VARCHAR(50),"
      " TIPO SMALLINT, VALOR SMALLINT);"
      "CREATE TABLE tblIndices (NUMERO INTEGER, TABLA SMALLINT, NOMBRE VARCHAR(50),"
      " PRINCIPAL YESNO, UNICA YESNO);"
      "CREATE TABLE tblCamposIndice (INDICE INTEGER, CAMPO INTEGER);"
      "CREATE TABLE tblDefaultCampos (CAMPO INTEGER, REGISTRO VARCHAR(50), VALOR VARCHAR(255));"
      "CREATE TABLE tblVersion (VER SMALLINT); INSERT INTO tblVersion VALUES (952);\n";
  for (int t = 1; t <= kTablas; ++t) {
    const std::string n = std::to_string(t);
    const std::string nombre = "Banco" + Numerado(t);
    auto campo = [&](int c) { return std::to_string(t * 100 + c); };
    sql += "INSERT INTO tblTablas VALUES (" + n + ",'tbl" + nombre + "',0);\n";
    for (int c = 1; c <= kColumnas; ++c) {
      const int tipo = c <= 2 ? 9 : tipos[(c - 3) % 10];
      sql += "INSERT INTO tblCamposTabla VALUES (" + campo(c) + "," + n + ",'CAMPO" +
             Numerado(c) + "'," + std::to_string(tipo) + ",20);\n";
    }
    sql += "INSERT INTO tblIndices VALUES (" + n + "1," + n + ",'PK_" + nombre + "',1,1), (" +
           n + "2," + n + ",'UQ_" + nombre + "',0,1), (" + n + "3," + n + ",'IX_" + nombre +
           "',0,0);\n";
    sql += "INSERT INTO tblCamposIndice VALUES (" + n + "1," + campo(1) + "), (" + n + "2," +
           campo(2) + "), (" + n + "3," + campo(3) + "), (" + n + "3," + campo(4) + ");\n";
    for (int r = 1; r <= kRegistrosDefault; ++r) {
      const std::string registro = "'R" + std::to_string(r) + "'";
      sql += "INSERT INTO tblDefaultCampos VALUES (" + campo(1) + "," + registro + ",'C" +
             std::to_string(r) + "'), (" + campo(2) + "," + registro + ",'Valor " +
             std::to_string(r) + "'), (" + campo(3) + "," + registro + ",'" + std::to_string(r) +
             "');\n";
    }
  }
  return sql;
}

// No box is expected: one means the run went wrong, and the bench stops with its text.
class SinCajas : public ui::Services {
 public:
  ui::Respuesta MsgBox(const std::string& prompt, ui::Botones, ui::Icono,
                       const std::string& titulo) override {
    throw std::runtime_error("unexpected message box (" + titulo + "): " + prompt);
  }
  void MousePointer(ui::Puntero) override {}
  ui::Puntero MousePointer() const override { return ui::Puntero::Default; }
  void DoEvents() override {}
};

// Adds the time of its own life to a total.
class Cronometro {
 public:
  explicit Cronometro(Reloj::duration& total) : total_(total), inicio_(Reloj::now()) {}
  ~Cronometro() { total_ += Reloj::now() - inicio_; }

 private:
  Reloj::duration& total_;
  Reloj::time_point inicio_;
};

struct Registro {
  std::map<std::string, int> porVerbo;  // statements sent, by their first word
  std::vector<std::string> cambios;     // changing statements that succeeded, in order
  int cambiosFallidos = 0;
  Reloj::duration enLaBase{};           // waiting for the database's answers
  int consultasAlCatalogo = 0;
  Reloj::duration enElCatalogo{};
  int Total() const {
    int total = 0;
    for (const auto& [verbo, n] : porVerbo) total += n;
    return total;
  }
};

bool EsDeCambio(const std::string& verbo) {
  return verbo == "CREATE" || verbo == "ALTER" || verbo == "INSERT" || verbo == "DROP";
}

// Passes every statement of a database session on to the real ODBC session, counting it.
class SesionContada : public ado::Session {
 public:
  SesionContada(std::unique_ptr<ado::Session> real, Registro& registro)
      : real_(std::move(real)), registro_(registro) {}
  ado::RowSet Execute(const std::string& sql, long options) override {
    const std::string verbo = sql.substr(0, sql.find(' '));
    ++registro_.porVerbo[verbo];
    const Cronometro cronometro(registro_.enLaBase);
    try {
      ado::RowSet filas = real_->Execute(sql, options);
      if (EsDeCambio(verbo)) registro_.cambios.push_back(sql);
      return filas;
    } catch (...) {
      if (EsDeCambio(verbo)) ++registro_.cambiosFallidos;
      throw;
    }
  }

 private:
  std::unique_ptr<ado::Session> real_;
  Registro& registro_;
};

// Times the catalogue's queries (the in-memory copy of "EstBDs.mdb").
class CatalogoCronometrado : public ado::Session {
 public:
  CatalogoCronometrado(std::unique_ptr<ado::Session> real, Registro& registro)
      : real_(std::move(real)), registro_(registro) {}
  ado::RowSet Execute(const std::string& sql, long options) override {
    ++registro_.consultasAlCatalogo;
    const Cronometro cronometro(registro_.enElCatalogo);
    return real_->Execute(sql, options);
  }

 private:
  std::unique_ptr<ado::Session> real_;
  Registro& registro_;
};

struct Corrida {
  Registro registro;
  double segundos = 0;
};

Corrida Sincroniza(const prueba::TestDatabase& db) {
  Corrida corrida;
  ado::SetProviderOverride(
      [&corrida](const ado::OpenRequest& request) -> std::unique_ptr<ado::Session> {
        if (request.connectionString.rfind("DSN=", 0) == 0)
          return std::make_unique<SesionContada>(ado::OpenOdbcSession(request), corrida.registro);
        return std::make_unique<CatalogoCronometrado>(jet::OpenSession(request),
                                                      corrida.registro);
      });
  clsBaseDatos bd;
  ui::Label lbl;
  bool bExisteError = false;
  const auto inicio = Reloj::now();
  bd.CrearBaseDeDatos(db.CadenaConexion(), ManejadorMySQL, db.Nombre(), bExisteError, lbl, true,
                      EstructuraPrincipal);
  corrida.segundos = Segundos(Reloj::now() - inicio);
  ado::SetProviderOverride({});
  if (bExisteError || lbl.Caption != "Base de datos generada...")
    throw std::runtime_error("the synchronisation did not complete: " + lbl.Caption);
  return corrida;
}

void Informa(const char* titulo, const Corrida& corrida) {
  std::printf("%s: %.3f s, %d statements (", titulo, corrida.segundos, corrida.registro.Total());
  const char* separador = "";
  for (const auto& [verbo, n] : corrida.registro.porVerbo) {
    std::printf("%s%s %d", separador, verbo.c_str(), n);
    separador = ", ";
  }
  std::printf("); changing statements: %zu applied, %d refused\n",
              corrida.registro.cambios.size(), corrida.registro.cambiosFallidos);
  std::printf("  waiting for the database %.3f s; %d catalogue queries %.3f s\n",
              Segundos(corrida.registro.enLaBase), corrida.registro.consultasAlCatalogo,
              Segundos(corrida.registro.enElCatalogo));
}

void CompruebaEstructura(const prueba::TestDatabase& db) {
  const prueba::Filas cuenta = db.Consulta(
      "SELECT (SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()),"
      " (SELECT COUNT(*) FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE()),"
      " (SELECT COUNT(DISTINCT TABLE_NAME, INDEX_NAME) FROM information_schema.STATISTICS"
      "  WHERE TABLE_SCHEMA = DATABASE());");
  const prueba::Filas esperado{{std::to_string(kTablas), std::to_string(kTablas * kColumnas),
                                std::to_string(kTablas * kIndices)}};
  if (cuenta != esperado)
    throw std::runtime_error("the database does not hold the catalogue's structure");
}

double Reproduce(const std::vector<std::string>& sentencias) {
  prueba::TestDatabase db;
  std::string lote;
  for (const std::string& s : sentencias) lote += s + (s.ends_with(";") ? "\n" : ";\n");
  const auto inicio = Reloj::now();
  db.EjecutaSql(lote);
  const double segundos = Segundos(Reloj::now() - inicio);
  CompruebaEstructura(db);
  return segundos;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc > 1) kTablas = std::stoi(argv[1]);
    SinCajas cajas;
    ui::Instala(&cajas);
    win::EstableceSleep([](unsigned) {});
    prueba::CarpetaTemporal programa;
    gRutaApp = programa.Ruta();
    prueba::CreaBaseSqlite(programa.Ruta() + "/EstBDs.mdb", CatalogoGenerado());

    prueba::TestDatabase db;
    std::printf("catalogue: %d tables x %d columns x %d indexes, %d default rows per table\n",
                kTablas, kColumnas, kIndices, kRegistrosDefault);
    const Corrida vacia = Sincroniza(db);
    CompruebaEstructura(db);
    Informa("into the empty database", vacia);
    const Corrida alDia = Sincroniza(db);
    Informa("into the up-to-date database", alDia);
    if (!alDia.registro.cambios.empty())
      throw std::runtime_error("the second call changed the database");

    const double lote = Reproduce(vacia.registro.cambios);
    std::printf("replay of the %zu applied changing statements through the mariadb client in "
                "one batch: %.3f s\n",
                vacia.registro.cambios.size(), lote);
    // Re-reading a table's columns and indexes for every catalogue column and index would
    // cost these metadata statements per call into the up-to-date database.
    std::printf("metadata statements if re-read per column and index: %d (sent: %d)\n",
                kTablas * (kColumnas + kIndices + 1),
                alDia.registro.porVerbo.at("SHOW") - 2);
    ui::Instala(nullptr);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_sincronizacion: %s\n", e.what());
    return 1;
  }
}
