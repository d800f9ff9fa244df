#pragma once
// Private ODBC data sources for a test: the driver manager reads a user file and a
// system folder of the test's own while the object lives.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace prueba {

class FuentesDePrueba {
 public:
  FuentesDePrueba(const std::string& usuario, const std::string& sistema)
      : carpeta_(std::filesystem::path(GRADIX_TEST_BUILD_DIR) / ("odbc-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(carpeta_);
    std::ofstream(carpeta_ / "usuario.ini") << usuario;
    std::ofstream(carpeta_ / "odbc.ini") << sistema;
    std::ofstream(carpeta_ / "odbcinst.ini") << "[Prueba]\nDriver=/nonexistent/libprueba.so\n";
    Guarda("ODBCINI", ini_);
    Guarda("ODBCSYSINI", sysini_);
    setenv("ODBCINI", (carpeta_ / "usuario.ini").c_str(), 1);
    setenv("ODBCSYSINI", carpeta_.c_str(), 1);
  }
  ~FuentesDePrueba() {
    Restaura("ODBCINI", ini_);
    Restaura("ODBCSYSINI", sysini_);
    std::filesystem::remove_all(carpeta_);
  }
  FuentesDePrueba(const FuentesDePrueba&) = delete;
  FuentesDePrueba& operator=(const FuentesDePrueba&) = delete;

 private:
  struct Anterior {
    bool habia = false;
    std::string valor;
  };
  static void Guarda(const char* nombre, Anterior& anterior) {
    const char* valor = std::getenv(nombre);
    anterior = {valor != nullptr, valor ? valor : ""};
  }
  static void Restaura(const char* nombre, const Anterior& anterior) {
    if (anterior.habia) setenv(nombre, anterior.valor.c_str(), 1);
    else unsetenv(nombre);
  }

  std::filesystem::path carpeta_;
  Anterior ini_;
  Anterior sysini_;
};

}  // namespace prueba
