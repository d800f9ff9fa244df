#include "support/TestDatabase.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace prueba {

namespace {
namespace fs = std::filesystem;

std::string Entorno(const char* nombre) {
  const char* valor = std::getenv(nombre);
  if (!valor || !*valor)
    throw std::runtime_error(std::string(nombre) + " is not set: the test server is not running");
  return valor;
}

// Quotes a word for the shell.
std::string ParaShell(const std::string& texto) {
  std::string citado = "'";
  for (char c : texto) citado += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return citado + "'";
}

std::string LeeArchivo(const fs::path& ruta) {
  std::ifstream entrada(ruta, std::ios::binary);
  std::ostringstream contenido;
  contenido << entrada.rdbuf();
  return contenido.str();
}

// A file in the temporary folder, removed when the object goes.
class ArchivoTemporal {
 public:
  explicit ArchivoTemporal(const std::string& contenido = {}) {
    std::string plantilla = (fs::temp_directory_path() / "gradix-XXXXXX").string();
    const int fd = mkstemp(plantilla.data());
    if (fd < 0) throw std::runtime_error("cannot create a temporary file");
    close(fd);
    ruta_ = plantilla;
    std::ofstream(ruta_, std::ios::binary) << contenido;
  }
  ~ArchivoTemporal() { std::remove(ruta_.c_str()); }
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

// Runs the mariadb client on a script file in `base` (none when empty) and returns
// what it printed; raises with the client's message when it fails.
std::string EjecutaCliente(const std::string& script, const std::string& base) {
  const ArchivoTemporal errores;
  std::string comando = "mariadb --no-defaults --batch --skip-column-names "
                        "--default-character-set=utf8mb4 --socket=" +
                        ParaShell(Entorno("GRADIX_TEST_SOCKET")) +
                        " --user=" + ParaShell(Entorno("GRADIX_TEST_USER")) +
                        " --password=" + ParaShell(Entorno("GRADIX_TEST_PASSWORD"));
  if (!base.empty()) comando += " --database=" + ParaShell(base);
  comando += " < " + ParaShell(script) + " 2> " + ParaShell(errores.Ruta());
  FILE* salida = popen(comando.c_str(), "r");
  if (!salida) throw std::runtime_error("cannot run the mariadb client");
  std::string texto;
  char bloque[4096];
  for (std::size_t n; (n = fread(bloque, 1, sizeof bloque, salida)) > 0;) texto.append(bloque, n);
  const int estado = pclose(salida);
  if (estado != 0 || !WIFEXITED(estado))
    throw std::runtime_error("mariadb client failed: " + LeeArchivo(errores.Ruta()));
  return texto;
}

std::string EjecutaTexto(const std::string& sql, const std::string& base) {
  const ArchivoTemporal script(sql);
  return EjecutaCliente(script.Ruta(), base);
}

// The client's batch output escapes tab, new line, backslash and NUL in values.
std::string QuitaEscapes(const std::string& campo) {
  std::string texto;
  for (std::size_t i = 0; i < campo.size(); ++i) {
    if (campo[i] != '\\' || i + 1 == campo.size()) {
      texto += campo[i];
      continue;
    }
    const char c = campo[++i];
    texto += c == 't' ? '\t' : c == 'n' ? '\n' : c == '0' ? '\0' : c;
  }
  return texto;
}

Filas LeeFilas(const std::string& salida) {
  Filas filas;
  std::istringstream lineas(salida);
  for (std::string linea; std::getline(lineas, linea);) {
    std::vector<std::string> fila;
    std::size_t inicio = 0;
    for (std::size_t tab; (tab = linea.find('\t', inicio)) != std::string::npos; inicio = tab + 1)
      fila.push_back(QuitaEscapes(linea.substr(inicio, tab - inicio)));
    fila.push_back(QuitaEscapes(linea.substr(inicio)));
    filas.push_back(std::move(fila));
  }
  return filas;
}

// "t_<suite>_<test>_<pid>[_<n>]" in lower case, letters, digits and '_' only, at most
// 64 characters (the server's limit).
std::string NombreUnico() {
  static int creadas = 0;
  std::string prueba = "sin_prueba";
  if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
    prueba = std::string(info->test_suite_name()) + "_" + info->name();
  for (char& c : prueba)
    c = std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '_';
  std::string sufijo = "_" + std::to_string(getpid());
  if (creadas > 0) sufijo += "_" + std::to_string(creadas);
  ++creadas;
  return "t_" + prueba.substr(0, 64 - 2 - sufijo.size()) + sufijo;
}
}  // namespace

bool HayServidorDePrueba() {
  const char* dsn = std::getenv("GRADIX_TEST_DSN");
  return dsn && *dsn;
}

TestDatabase::TestDatabase() : nombre_(NombreUnico()) {
  EjecutaTexto("DROP DATABASE IF EXISTS `" + nombre_ + "`;\nCREATE DATABASE `" + nombre_ +
                   "` CHARACTER SET utf8mb4;\n",
               "");
}

TestDatabase::~TestDatabase() {
  try {
    EjecutaTexto("DROP DATABASE IF EXISTS `" + nombre_ + "`;\n", "");
  } catch (const std::exception& e) {
    ADD_FAILURE() << "could not drop the test database " << nombre_ << ": " << e.what();
  }
  if (!odbcIniPropio_.empty()) {
    if (odbcIniAnterior_) setenv("ODBCINI", odbcIniAnterior_->c_str(), 1);
    else unsetenv("ODBCINI");
    std::remove(odbcIniPropio_.c_str());
  }
}

std::string TestDatabase::CadenaConexion() const {
  return "DSN=" + Entorno("GRADIX_TEST_DSN") + ";DATABASE=" + nombre_;
}

void TestDatabase::EjecutaSql(const std::string& sql) const { EjecutaTexto(sql, nombre_); }

void TestDatabase::EjecutaArchivo(const std::string& ruta) const {
  const fs::path archivo = fs::path(ruta).is_absolute() ? fs::path(ruta)
                                                         : fs::path(GRADIX_FIXTURES_DIR) / ruta;
  if (!fs::exists(archivo)) throw std::runtime_error("no script at " + archivo.string());
  EjecutaCliente(archivo.string(), nombre_);
}

Filas TestDatabase::Consulta(const std::string& sql) const {
  return LeeFilas(EjecutaTexto(sql + (sql.ends_with(";") ? "\n" : ";\n"), nombre_));
}

std::string TestDatabase::EscribeDsn(const std::string& dsn) {
  if (odbcIniPropio_.empty()) {
    if (const char* actual = std::getenv("ODBCINI")) odbcIniAnterior_ = actual;
    contenidoOdbcIni_ = odbcIniAnterior_ ? LeeArchivo(*odbcIniAnterior_) : "";
    odbcIniPropio_ = (fs::temp_directory_path() / (nombre_ + ".odbc.ini")).string();
  }
  contenidoOdbcIni_ += "\n[" + dsn + "]\nDriver=MariaDB Unicode\nSERVER=127.0.0.1\nPORT=" +
                       Entorno("GRADIX_TEST_PORT") + "\nSOCKET=" + Entorno("GRADIX_TEST_SOCKET") +
                       "\nUSER=" + Entorno("GRADIX_TEST_USER") +
                       "\nPASSWORD=" + Entorno("GRADIX_TEST_PASSWORD") + "\nDATABASE=" + nombre_ +
                       "\nCHARSET=utf8mb4\n";
  std::ofstream(odbcIniPropio_, std::ios::binary) << contenidoOdbcIni_;
  setenv("ODBCINI", odbcIniPropio_.c_str(), 1);
  return "DSN=" + dsn;
}

}  // namespace prueba
