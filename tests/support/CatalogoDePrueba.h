#pragma once
// Structure catalogues for tests. No tool here writes Jet files, so a test catalogue is
// a SQLite file built from SQL; the Jet provider reads it like an "EstBDs.mdb".
//
//   prueba::ProgramaConCatalogo programa("INSERT INTO tblTablas VALUES (99,'tblX',0);");
//   // gRutaApp now holds a folder with "EstBDs.mdb": the reference catalogue plus the
//   // extra rows; catalogo::CadenaConexionEstBDs() opens it.
#include <string>

#include "frame/modPrincipal.h"
#include "platform/ado/Ado.h"

namespace prueba {

// The project's reference catalogue, under tests/fixtures/.
inline constexpr const char* kCatalogoDeReferencia = "catalogo/referencia.sql";

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
// then `sqlAdicional`. gRutaApp points at the folder while the object lives.
class ProgramaConCatalogo {
 public:
  explicit ProgramaConCatalogo(const std::string& sqlAdicional = {},
                               const std::string& script = kCatalogoDeReferencia)
      : rutaAnterior_(gRutaApp) {
    CreaBaseSqlite(RutaCatalogo(), LeeFixture(script) + "\n" + sqlAdicional);
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
