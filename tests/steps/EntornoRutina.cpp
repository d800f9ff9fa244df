#include "EntornoRutina.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Sistema.h"

namespace prueba {

namespace fs = std::filesystem;

std::string Entrada(const std::string& etiqueta, long numero, const std::string& descripcion) {
  return "\r\n" + etiqueta + std::to_string(numero) + "\r\n" + descripcion + "\r\n";
}

RunLogDePrueba::RunLogDePrueba() {
  const auto* prueba = ::testing::UnitTest::GetInstance()->current_test_info();
  carpeta_ = std::string(GRADIX_TEST_BUILD_DIR) + "/pruebas-rutinas/" +
             (prueba ? std::string(prueba->test_suite_name()) + "." + prueba->name() : "suelta") +
             "-" + std::to_string(getpid());
  for (char& c : carpeta_)
    if (c == '\\') c = '_';
  fs::remove_all(carpeta_);
  fs::create_directories(carpeta_);
  gRutaLog = carpeta_ + "\\Log_20240105-093000.log";
}

RunLogDePrueba::~RunLogDePrueba() {
  std::error_code ec;
  fs::remove_all(carpeta_, ec);
  gRutaLog.clear();
}

std::string RunLogDePrueba::RutaLocal() const { return win::RutaLocal(gRutaLog); }

bool RunLogDePrueba::Existe() const { return fs::exists(RutaLocal()); }

std::string RunLogDePrueba::Contenido() const {
  std::ifstream entrada(RutaLocal(), std::ios::binary);
  std::ostringstream texto;
  texto << entrada.rdbuf();
  return texto.str();
}

RelojFijo::RelojFijo(int anio, int mes, int dia, int hora, int minuto, int segundo) {
  const vb::DateTime momento{vb::DateSerial(anio, mes, dia).serial +
                             vb::TimeSerial(hora, minuto, segundo).serial};
  win::EstableceReloj([momento] { return momento; });
}

RelojFijo::~RelojFijo() { win::EstableceReloj({}); }

void RutinaEnMariaDB::CreaBase(const std::string& script) {
  bd_.emplace();
  if (!script.empty()) bd_->EjecutaArchivo(script);
  cnx_.Open(bd_->CadenaConexion());
}

void RutinaConCatalogo::Sincroniza() {
  bool bExisteError = false;
  clsBaseDatos().CrearBaseDeDatos(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(),
                                  bExisteError, lbl_, false, EstructuraPrincipal);
  ASSERT_FALSE(bExisteError);
  ASSERT_TRUE(ui_.cajas.empty()) << ui_.cajas.front().prompt;
}

Resultado SinFilas(std::vector<std::string> columnas) { return {std::move(columnas), {}}; }

std::vector<std::string> Mas(std::vector<std::string> sentencias,
                             const std::vector<std::string>& otras) {
  sentencias.insert(sentencias.end(), otras.begin(), otras.end());
  return sentencias;
}

vb::Error FallaQueSale(const std::function<void()>& rutina) {
  try {
    rutina();
  } catch (const vb::Error& error) {
    return error;
  }
  ADD_FAILURE() << "the routine let no failure out";
  return vb::Error(0, "");
}

std::vector<std::string> SinVersion(const std::vector<std::string>& textos) {
  std::vector<std::string> resto;
  for (const std::string& texto : textos)
    if (texto.find("tblVersion") == std::string::npos) resto.push_back(texto);
  return resto;
}

std::vector<std::string> QueContienen(const std::vector<std::string>& textos,
                                      const std::string& parte) {
  std::vector<std::string> conParte;
  for (const std::string& texto : textos)
    if (texto.find(parte) != std::string::npos) conParte.push_back(texto);
  return conParte;
}

bool Envio(const std::vector<std::string>& textos, const std::string& sql) {
  return std::find(textos.begin(), textos.end(), sql) != textos.end();
}

std::string Reemplaza(std::string texto, const std::string& de, const std::string& a) {
  for (std::size_t p = texto.find(de); p != std::string::npos; p = texto.find(de, p + a.size()))
    texto.replace(p, de.size(), a);
  return texto;
}

}  // namespace prueba
