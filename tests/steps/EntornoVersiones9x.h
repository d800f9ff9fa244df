#pragma once
// What the tests of versions 9.1 to 9.5.2 share: the statement list without the version
// row (whose form belongs to the frame) and the fixture database at 9.0.
#include <algorithm>
#include <string>
#include <vector>

#include "EntornoRutina.h"

namespace prueba {

// The statements sent, leaving out those of the version row.
inline std::vector<std::string> SinFilaDeVersion(const std::vector<std::string>& textos) {
  std::vector<std::string> resto;
  std::copy_if(textos.begin(), textos.end(), std::back_inserter(resto),
               [](const std::string& s) { return s.find("tblVersion") == std::string::npos; });
  return resto;
}

// The statements sent from position `inicio` on, version row left out.
inline std::vector<std::string> EnviadasDesde(const RecordingProvider& db, std::size_t inicio) {
  const std::vector<std::string> textos = db.Textos();
  return SinFilaDeVersion(
      {textos.begin() + static_cast<long>(std::min(inicio, textos.size())), textos.end()});
}

inline constexpr long kRechazada = -2147217900;  // a statement the engine refuses
inline constexpr const char* kObjetoCerrado = "Operation is not allowed when the object is closed.";

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
