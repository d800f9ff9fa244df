#include "platform/win/Sistema.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <optional>
#include <thread>

#include "platform/vb/Text.h"

namespace win {

namespace {
std::function<vb::DateTime()>& Reloj() {
  static std::function<vb::DateTime()> reloj;
  return reloj;
}
std::function<void(unsigned)>& Pausa() {
  static std::function<void(unsigned)> pausa;
  return pausa;
}

// The entry of `carpeta` whose name equals `nombre` without regard to case (the first in
// name order when several do).
std::optional<std::string> EntradaSinMayusculas(const std::string& carpeta,
                                                const std::string& nombre) {
  std::optional<std::string> hallada;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(carpeta.empty() ? "." : carpeta, ec), fin;
       !ec && it != fin; it.increment(ec)) {
    const std::string candidata = it->path().filename().string();
    if (vb::IgualesSinMayusculas(candidata, nombre) && (!hallada || candidata < *hallada))
      hallada = candidata;
  }
  return hallada;
}

// Windows finds a file whatever the case of the names in its path: each part of the path
// that does not exist as written takes the name of an entry that differs only in case.
// From the first part that has no such entry on, the path stays as written.
std::string ConMayusculasDelDisco(const std::string& ruta) {
  std::string resultado;
  bool resolviendo = true;
  std::size_t inicio = 0;
  while (true) {
    const std::size_t fin = ruta.find('/', inicio);
    const std::string parte = ruta.substr(inicio, fin - inicio);
    std::error_code ec;
    if (!resolviendo || parte.empty() || parte == "." || parte == ".." ||
        std::filesystem::exists(resultado + parte, ec)) {
      resultado += parte;
    } else if (auto hallada = EntradaSinMayusculas(resultado, parte)) {
      resultado += *hallada;
    } else {
      resultado += parte;
      resolviendo = false;
    }
    if (fin == std::string::npos) return resultado;
    resultado += '/';
    inicio = fin + 1;
  }
}

constexpr double kDiasEntre1899y1970 = 25569.0;  // 1899-12-30 .. 1970-01-01

vb::DateTime RelojDelSistema() {
  const auto ahora = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(ahora);
  std::tm local{};
  localtime_r(&t, &local);
  // Seconds of the local wall clock since 1970, whole seconds as the language keeps them.
  const long long segundos = static_cast<long long>(timegm(&local));
  const long long dias = segundos >= 0 ? segundos / 86400 : (segundos - 86399) / 86400;
  const long long resto = segundos - dias * 86400;
  return {kDiasEntre1899y1970 + static_cast<double>(dias) + static_cast<double>(resto) / 86400.0};
}
}  // namespace

vb::DateTime Now() { return Reloj() ? Reloj()() : RelojDelSistema(); }

vb::DateTime Date() {
  const double dia = static_cast<double>(static_cast<long long>(Now().serial));
  return {dia};
}

vb::DateTime Time() {
  // Days before 1899-12-30 are negative serials whose fraction still counts forwards.
  const double serial = Now().serial;
  return {std::fabs(serial - static_cast<double>(static_cast<long long>(serial)))};
}

void EstableceReloj(std::function<vb::DateTime()> reloj) { Reloj() = std::move(reloj); }

void Sleep(unsigned milisegundos) {
  if (Pausa()) return Pausa()(milisegundos);
  std::this_thread::sleep_for(std::chrono::milliseconds(milisegundos));
}

void EstableceSleep(std::function<void(unsigned)> sleep) { Pausa() = std::move(sleep); }

std::string RutaLocal(const std::string& ruta) {
  std::string local = ruta;
  for (char& c : local)
    if (c == '\\') c = '/';
  return ConMayusculasDelDisco(local);
}

bool ExisteArchivo(const std::string& ruta) {
  std::error_code ec;
  return std::filesystem::is_regular_file(RutaLocal(ruta), ec);
}

std::string CarpetaDelPrograma() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path().string() : exe.parent_path().string();
}

std::string MotivoDeFalla(int numeroDeError) {
  switch (numeroDeError) {
    case ENOENT: return "el archivo o la carpeta no existe";
    case EACCES:
    case EPERM: return "no tiene permiso de acceso";
    case EISDIR: return "es una carpeta";
    case ENOTDIR: return "una parte de la ruta no es una carpeta";
    case EROFS: return "el sistema de archivos es de sólo lectura";
    case ENOSPC: return "no queda espacio en el disco";
    case EMFILE:
    case ENFILE: return "hay demasiados archivos abiertos";
    case ENAMETOOLONG: return "la ruta es demasiado larga";
    case ELOOP: return "la ruta tiene demasiados enlaces simbólicos";
    case EIO: return "error de lectura o escritura en el disco";
    default: return "error del sistema " + std::to_string(numeroDeError);
  }
}

}  // namespace win
