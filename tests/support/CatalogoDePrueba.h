#pragma once
// Structure catalogues for tests. No tool here writes Jet files, so a test catalogue is
// a SQLite file built from SQL; the Jet provider reads it like an "EstBDs.mdb".
//
//   prueba::ProgramaConCatalogo programa("INSERT INTO tblTablas VALUES (99,'tblX',0);");
//   // gRutaApp now holds a folder with "EstBDs.mdb": the sample catalogue plus the
//   // extra rows; catalogo::CadenaConexionEstBDs() opens it.
//
//   prueba::ProgramaConCatalogo programa(prueba::CatalogoDeReferencia());
//   // ... the suite's catalogue at 9.5.2 instead.
#include <string>
#include <vector>

#include "frame/modPrincipal.h"
#include "platform/ado/Ado.h"

namespace prueba {

// A small made-up catalogue under tests/fixtures/ for the tests of the catalogue's
// reading and of the synchronisation: a few tables of each kind with the odd cases
// (a table never synchronised, a quote and a backslash in a default value, an index
// whose uniqueness is Null).
inline constexpr const char* kCatalogoDeMuestra = "catalogo/muestra.sql";

// The whole SQL of a catalogue, for ProgramaConCatalogo.
struct SqlDeCatalogo {
  std::string sql;
};

// The suite's catalogue at 9.5.2: catalogo/referencia.sql names tables and columns,
// catalogo/numera.sql numbers them. `porNombre` runs in between, on the named rows
// (Tabla, Campo, Indice, Defecto), so a test adds or takes away tables, columns and
// indexes by name; `despues` runs on the numbered catalogue.
SqlDeCatalogo CatalogoDeReferencia(const std::string& porNombre = {},
                                   const std::string& despues = {});
// The reference catalogue with only the tables named (any case), for a test whose
// database holds a few tables of the suite.
SqlDeCatalogo CatalogoConTablas(const std::vector<std::string>& tablas,
                                const std::string& despues = {});

// The text of a file under tests/fixtures/ (a relative path) or anywhere (absolute).
std::string LeeFixture(const std::string& ruta);

// Builds the SQLite file `ruta` from SQL statements, replacing any file there. Raises
// std::runtime_error with SQLite's message when a statement fails.
void CreaBaseSqlite(const std::string& ruta, const std::string& sql);

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<ruta>;Persist Security Info=False"
std::string CadenaJet(const std::string& ruta);

// Expects `sql` to be refused on `cnx` as a change of a file opened read-only.
void EsperaSoloLectura(ado::Connection& cnx, const std::string& sql);

// A new empty folder under the build folder, removed with everything in it when the
// object goes.
class CarpetaTemporal {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

// A program folder whose "EstBDs.mdb" holds the script `script` (a fixture path) and
// then `sqlAdicional`, or the whole catalogue given. gRutaApp points at the folder while the object
// lives.
class ProgramaConCatalogo {
 public:
  explicit ProgramaConCatalogo(const std::string& sqlAdicional = {},
                               const std::string& script = kCatalogoDeMuestra)
      : ProgramaConCatalogo(SqlDeCatalogo{LeeFixture(script) + "\n" + sqlAdicional}) {}
  explicit ProgramaConCatalogo(const SqlDeCatalogo& catalogo) : rutaAnterior_(gRutaApp) {
    CreaBaseSqlite(RutaCatalogo(), catalogo.sql);
    gRutaApp = carpeta_.Ruta();
  }
  ~ProgramaConCatalogo() { gRutaApp = rutaAnterior_; }

  const std::string& Carpeta() const { return carpeta_.Ruta(); }
  std::string RutaCatalogo() const { return carpeta_.Ruta() + "/EstBDs.mdb"; }

 private:
  CarpetaTemporal carpeta_;
  std::string rutaAnterior_;
};

}  // namespace prueba
