// An update cut short part-way and run again, as an administrator would after the server
// went away, ends exactly where an uninterrupted update ends: every table's rows and the
// structure. The connection is lost at chosen statements of the climb from 5.0 to 9.5.2
// (beside the reference catalogue and the project's encryption component): at each change
// of the version row (before its new row, and between the new row and the removal of the
// old ones) and in the middle of every second step; one case kills the real server.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/ComponenteDePrueba.h"
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

class AscensoCortado : public AscensoPorElDialogo {
 protected:
  AscensoCortado() : AscensoPorElDialogo(CatalogoDeReferencia()) {
    CarpetaConComponente::Instala(Componente::Proyecto, programa_.Carpeta());
  }

  // Each encryption draws a nonce of its own, so the tills' passwords are compared by their
  // length, which a password encrypted twice would not keep.
  EstadoFinal Estado() const {
    db_.EjecutaSql(
        "UPDATE tblCajas SET TA_PASSWORD=CONCAT('cifrada ', LENGTH(TA_PASSWORD)) "
        "WHERE TA_PASSWORD<>'';");
    return {Contenido(db_), EstructuraDeLaBase(db_)};
  }

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

  // The 5.0 shop climbed without a cut: the statements it sent, and where it ended.
  std::vector<std::string> AsciendeSinCorte(EstadoFinal& final) {
    PreparaBase("bd/ascenso_500.sql");
    CorteDeConexion registro;
    ActualizaYTermina();
    final = Estado();
    return registro.Enviadas();
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

class Corte : public AscensoCortado, public ::testing::WithParamInterface<int> {};

// Where to cut, counted from 1 over the statements of an uninterrupted climb: each change of
// the version row, at its new row and at the removal of the old ones, and the middle of the
// stretch before every second change (the climb has some forty steps).
std::vector<long> PuntosDeCorte(const std::vector<std::string>& enviadas) {
  std::vector<long> puntos;
  long anterior = 0;
  int cambios = 0;
  for (long i = 0; i < static_cast<long>(enviadas.size()); ++i) {
    const std::string& sql = enviadas[i];
    if (sql.rfind("INSERT INTO tblVersion", 0) == 0) {
      if (cambios++ % 2 == 0) puntos.push_back((anterior + i) / 2 + 1);
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
  EstadoFinal esperado;
  const std::vector<std::string> enviadas = AsciendeSinCorte(esperado);
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

// A MariaDB server of the test's own (so that killing it disturbs no other test), started
// before the test's database is made: the test's environment points at it while it lives.
class ServidorPropio {
 public:
  ServidorPropio() : carpeta_(fs::path(GRADIX_TEST_BUILD_DIR) / "tmp" /
                              ("servidor-" + std::to_string(getpid()))) {
    if (!HayServidorDePrueba()) return;
    Arranca();
    std::ifstream entorno(carpeta_ / "test-db.env");
    for (std::string linea; std::getline(entorno, linea);) {
      // export NAME='value'
      const auto igual = linea.find('=');
      if (linea.rfind("export ", 0) != 0 || igual == std::string::npos) continue;
      const std::string nombre = linea.substr(7, igual - 7);
      const std::string valor = linea.substr(igual + 2, linea.size() - igual - 3);
      if (const char* anterior = std::getenv(nombre.c_str())) anteriores_[nombre] = anterior;
      setenv(nombre.c_str(), valor.c_str(), 1);
    }
    puerto_ = std::getenv("GRADIX_TEST_PORT");
  }
  ~ServidorPropio() {
    if (puerto_.empty()) return;
    Script("stop");
    for (const auto& [nombre, valor] : anteriores_) setenv(nombre.c_str(), valor.c_str(), 1);
    fs::remove_all(carpeta_);
  }

  // kill -9, and back only once it is gone.
  void Mata() {
    std::ifstream archivo(carpeta_ / "mariadb.pid");
    pid_t pid = 0;
    archivo >> pid;
    ASSERT_GT(pid, 0);
    kill(pid, SIGKILL);
    while (kill(pid, 0) == 0) usleep(10000);
  }
  // Starts it on its data, on the same port.
  void Arranca() {
    if (!puerto_.empty()) setenv("TEST_DB_PORT", puerto_.c_str(), 1);
    Script("start");
    unsetenv("TEST_DB_PORT");
  }

 private:
  void Script(const std::string& orden) {
    const fs::path script = fs::path(GRADIX_FIXTURES_DIR) / ".." / ".." / "scripts" / "test-db.sh";
    const std::string comando =
        "bash '" + script.string() + "' " + orden + " '" + carpeta_.string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(comando.c_str()), 0) << comando;
  }

  fs::path carpeta_;
  std::string puerto_;
  std::map<std::string, std::string> anteriores_;
};

class Matado : public ServidorPropio, public AscensoCortado {};

// The real server killed in the middle of the climb and started again; the next run
// resumes to the same end state.
TEST_F(Matado, Servidor) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  EstadoFinal esperado;
  const std::vector<std::string> enviadas = AsciendeSinCorte(esperado);
  const long mitad = static_cast<long>(enviadas.size()) / 2;
  Reinicia();
  {
    CorteDeConexion corte(mitad, [this] { Mata(); });
    Actualiza(9);
    ASSERT_TRUE(corte.Cortada());
    EXPECT_TRUE(HayCaja("La base de datos no se actualizó")) << Cajas();
  }
  Arranca();
  ActualizaYTermina();
  EsperaIgual(esperado, "the server killed at statement " + std::to_string(mitad) + " (" +
                            enviadas[mitad - 1] + ")");
}

}  // namespace
}  // namespace prueba
