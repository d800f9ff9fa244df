#pragma once
// What the tests of the version routines share: a run log in a folder of the test's own
// (gRutaLog written the Windows way, as the update run names it) and a connection.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"
#include "platform/vb/Error.h"
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace prueba {

// One run-log entry as the frame writes it.
std::string Entrada(const std::string& etiqueta, long numero, const std::string& descripcion);

// Sets gRutaLog to "<a folder of this test>\Log_prueba.log" and removes the folder at
// the end.
class RunLogDePrueba {
 public:
  RunLogDePrueba();
  ~RunLogDePrueba();
  bool Existe() const;
  std::string Contenido() const;  // empty when the file does not exist
  std::string RutaLocal() const;
  const std::string& Carpeta() const { return carpeta_; }

 private:
  std::string carpeta_;
};

// The run's clock stands at the given moment while the object lives.
class RelojFijo {
 public:
  RelojFijo(int anio, int mes, int dia, int hora, int minuto, int segundo);
  ~RelojFijo();
  RelojFijo(const RelojFijo&) = delete;
  RelojFijo& operator=(const RelojFijo&) = delete;
};

// A routine's run on the recording provider: the log and an open connection.
class RutinaGrabada : public ::testing::Test {
 protected:
  RutinaGrabada() { cnx_.Open("DSN=Grabada"); }
  RunLogDePrueba log_;
  RecordingProvider db_;
  ado::Connection cnx_;
};

// A routine's run on a fresh database of the test server. SetUp of the test skips it
// without the server (REQUIERE_SERVIDOR_DE_PRUEBA) and then calls CreaBase.
class RutinaEnMariaDB : public ::testing::Test {
 protected:
  // Creates the database from a fixture script (none when empty) and opens cnx_ on it.
  void CreaBase(const std::string& script);
  Filas Consulta(const std::string& sql) const { return bd_->Consulta(sql); }

  RunLogDePrueba log_;
  std::optional<TestDatabase> bd_;
  ado::Connection cnx_;
  ui::Label lbl_;
};

// A RutinaEnMariaDB beside a test catalogue (SetUp emplaces programa_), whose database is
// brought in line with it as a ladder step does.
class RutinaConCatalogo : public RutinaEnMariaDB {
 protected:
  // The synchronisation on a connection of its own: no error and no message box.
  void Sincroniza();

  ScriptedUi ui_;
  std::optional<ProgramaConCatalogo> programa_;
};

// An empty result set with these columns.
Resultado SinFilas(std::vector<std::string> columnas);

// The statements of `sentencias` followed by those of `otras`.
std::vector<std::string> Mas(std::vector<std::string> sentencias,
                             const std::vector<std::string>& otras);

// Runs a routine whose handler is off where the failure happens: returns the failure that
// leaves it (and fails the test when none does).
vb::Error FallaQueSale(const std::function<void()>& rutina);

// The statements without those of the version row (the frame writes it in its own way).
std::vector<std::string> SinVersion(const std::vector<std::string>& textos);

// The statements that hold `parte`, in order.
std::vector<std::string> QueContienen(const std::vector<std::string>& textos,
                                      const std::string& parte);
// Whether `sql` is one of the statements.
bool Envio(const std::vector<std::string>& textos, const std::string& sql);

// The text with every `de` replaced by `a` (one dialect's statements as another's).
std::string Reemplaza(std::string texto, const std::string& de, const std::string& a);

}  // namespace prueba
