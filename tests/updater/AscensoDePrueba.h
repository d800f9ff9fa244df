#pragma once
// What the climb tests share: the climb's catalogue, the run through the dialog over a
// data source, and the structure and rows of a database to compare with the catalogue or
// with another run's.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/vb/Conversions.h"
#include "support/CatalogoDePrueba.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace prueba {

// The catalogue of the climb to 5.9.9: the reference catalogue, its version set to 5.9.9.
SqlDeCatalogo CatalogoDelAscenso();

struct Indice {
  bool unico = false;
  std::vector<std::string> columnas;
  bool operator==(const Indice&) const = default;
};

// One table's structure: column -> type, index -> uniqueness and columns; names in lower
// case, as the server keeps them.
struct Estructura {
  std::map<std::string, std::string> columnas;
  std::map<std::string, Indice> indices;
  bool operator==(const Estructura&) const = default;
};

// The tables of the catalogue of the kinds that `clases` selects (a condition on BD; the
// main kind's unless told), as the synchronisation builds them on MySQL.
inline constexpr const char* kClasePrincipal = "BD NOT IN (5,10,11,12)";
std::map<std::string, Estructura> EstructuraDelCatalogo(
    const std::string& rutaCatalogo, const std::string& clases = kClasePrincipal);
std::map<std::string, Estructura> EstructuraDeLaBase(const TestDatabase& db);

// Where the database departs from the catalogue, one line each: a catalogue table, column
// or index that is missing or differs, and any index the catalogue lacks.
std::vector<std::string> Diferencias(const std::map<std::string, Estructura>& catalogo,
                                     const std::map<std::string, Estructura>& base);
// Tables and columns of the database that the catalogue does not list (the
// synchronisation never drops them).
std::set<std::string> ExtrasDe(const std::map<std::string, Estructura>& catalogo,
                               const std::map<std::string, Estructura>& base);

// Every row of every table, sorted, so that two end states can be compared.
std::map<std::string, Filas> Contenido(const TestDatabase& db);

// The run log named by the last run; empty when it does not exist.
std::string LeeLog();

// A shop database of the test server and a program folder with the climb's catalogue;
// runs go through the dialog over a data source named as the database, every box
// accepted, the clock fixed and the default-row pause skipped.
class AscensoPorElDialogo : public ::testing::Test {
 protected:
  explicit AscensoPorElDialogo(const SqlDeCatalogo& catalogo = CatalogoDelAscenso());
  ~AscensoPorElDialogo() override;

  // Loads the shop's fixture and writes its data source.
  void PreparaBase(const std::string& fixture);
  // The administrator's run at a time of the run day (which names the run's log): the
  // database's data source, the main kind, the catalogue's default rows and the images
  // folder of the installation; then the update button.
  void Actualiza(int hora) { Actualiza(hora, db_); }
  // The same on another database of the test server, whose data source is written, with
  // the box of kind `caja` (0 main, 1 central administrator, 2 branch, 3 doctor's office)
  // the only one ticked; the images folder only goes with the main kind.
  void Actualiza(int hora, const TestDatabase& db, int caja = 0);

  std::string Cajas() const;  // the run's boxes, one line each
  bool HayCaja(const std::string& inicio) const;
  Filas Consulta(const std::string& sql) const { return db_.Consulta(sql); }

  vb::DateTime ahora_{};
  UiQueAcepta ui_;
  ProgramaConCatalogo programa_;
  TestDatabase db_;
};

}  // namespace prueba
