#pragma once
// What the tests of versions 9.1 to 9.5.2 share: the statements sent after a point, without
// the version row, and the fixture database at 9.0.
#include <algorithm>
#include <string>
#include <vector>

#include "EntornoRutina.h"
#include "support/DescripcionesDeError.h"

namespace prueba {

// The statements sent from position `inicio` on, version row left out.
inline std::vector<std::string> EnviadasDesde(const RecordingProvider& db, std::size_t inicio) {
  const std::vector<std::string> textos = db.Textos();
  return SinVersion(
      {textos.begin() + static_cast<long>(std::min(inicio, textos.size())), textos.end()});
}

inline constexpr long kRechazada = -2147217900;  // a statement the engine refuses

// A fresh database at 9.0 (tests/fixtures/bd/version_900_95x.sql) on the test server.
class BaseEn90 : public RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    CreaBase("bd/version_900_95x.sql");
  }
  Filas Version() const { return Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"); }
};

}  // namespace prueba
