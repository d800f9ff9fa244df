// An update cut short part-way and run again, as an administrator would after the server
// went away, ends exactly where an uninterrupted update ends: every table's rows and the
// structure. The connection is lost at chosen statements of the climb from 5.0: at each
// change of the version row (before its new row, and between the new row and the removal
// of the old ones) and in the middle of each step; one case kills the real server.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/CorteDeConexion.h"
#include "updater/AscensoDePrueba.h"

namespace prueba {
namespace {

namespace fs = std::filesystem;

constexpr int kPartes = 8;  // the cuts are shared among this many tests, run side by side

struct EstadoFinal {
  std::map<std::string, Filas> filas;
  std::map<std::string, Estructura> estructura;
};

class Corte : public AscensoPorElDialogo, public ::testing::WithParamInterface<int> {
 protected:
  EstadoFinal Estado() const { return {Contenido(db_), EstructuraDeLaBase(db_)}; }

  // A fresh copy of the 5.0 shop in the test's database.
  void Reinicia() {
    db_.EjecutaSql("DROP DATABASE `" + db_.Nombre() + "`; CREATE DATABASE `" + db_.Nombre() +
                   "` CHARACTER SET utf8mb4;");
    db_.EjecutaArchivo("bd/ascenso_500.sql");
  }

  // Every run at the same moment, so that the values made from the clock agree.
  void ActualizaYTermina() {
    Actualiza(9);
    ASSERT_TRUE(HayCaja("La base de datos fue actualizada a la versión")) << Cajas();
  }

  void EsperaIgual(const EstadoFinal& esperado, const std::string& donde) const {
    const EstadoFinal real = Estado();
    for (const auto& [tabla, filas] : esperado.filas) {
      const auto r = real.filas.find(tabla);
      EXPECT_TRUE(r != real.filas.end() && r->second == filas) << tabla << " after " << donde;
    }
    EXPECT_EQ(real.filas.size(), esperado.filas.size()) << donde;
    for (const auto& [tabla, estructura] : esperado.estructura) {
      const auto r = real.estructura.find(tabla);
      EXPECT_TRUE(r != real.estructura.end() && r->second == estructura)
          << "structure of " << tabla << " after " << donde;
    }
  }
};

// Where to cut, counted from 1 over the statements of an uninterrupted climb: each change of
// the version row, at its new row and at the removal of the old ones, and the middle of the
// stretch before each change.
std::vector<long> PuntosDeCorte(const std::vector<std::string>& enviadas) {
  std::vector<long> puntos;
  long anterior = 0;
  for (long i = 0; i < static_cast<long>(enviadas.size()); ++i) {
    const std::string& sql = enviadas[i];
    if (sql.rfind("INSERT INTO tblVersion", 0) == 0) {
      puntos.push_back((anterior + i) / 2 + 1);
      puntos.push_back(i + 1);
      anterior = i;
    } else if (sql.rfind("DELETE FROM tblVersion", 0) == 0) {
      puntos.push_back(i + 1);
    }
  }
  return puntos;
}

TEST_P(Corte, N) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  PreparaBase("bd/ascenso_500.sql");
  std::vector<std::string> enviadas;
  {
    CorteDeConexion registro;
    ActualizaYTermina();
    enviadas = registro.Enviadas();
  }
  const EstadoFinal esperado = Estado();
  const std::vector<long> puntos = PuntosDeCorte(enviadas);
  ASSERT_GE(puntos.size(), 20u) << "the climb changes its version row at every step";

  for (std::size_t p = GetParam(); p < puntos.size(); p += kPartes) {
    const long n = puntos[p];
    const std::string donde =
        "a cut at statement " + std::to_string(n) + " (" + enviadas[n - 1] + ")";
    Reinicia();
    {
      CorteDeConexion corte(n);
      Actualiza(9);
      ASSERT_TRUE(corte.Cortada()) << donde;
      EXPECT_FALSE(HayCaja("La base de datos fue actualizada")) << donde << "\n" << Cajas();
    }
    ActualizaYTermina();
    EsperaIgual(esperado, donde);
  }
}

INSTANTIATE_TEST_SUITE_P(C, Corte, ::testing::Range(0, kPartes));

}  // namespace
}  // namespace prueba
