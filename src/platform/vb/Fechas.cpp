#include "platform/vb/Fechas.h"

#include <cmath>
#include <vector>

#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"

namespace vb::detalle {

namespace {

constexpr long kDiasDe1970 = 25569;  // 1899-12-30 .. 1970-01-01
constexpr double kPrimerDia = -657434;  // 0100-01-01
constexpr double kDiaTrasElUltimo = 2958466;  // 10000-01-01
constexpr long kSegundosDelDia = 86400;

// Days from 1970-01-01 of a proleptic Gregorian day (month 1..12).
long DiasDesde1970(long anio, int mes, int dia) {
  anio -= mes <= 2;
  const long era = (anio >= 0 ? anio : anio - 399) / 400;
  const long anioDeEra = anio - era * 400;
  const long diaDelAnio = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
  const long diaDeEra = anioDeEra * 365 + anioDeEra / 4 - anioDeEra / 100 + diaDelAnio;
  return era * 146097 + diaDeEra - 719468;
}

void DiaCivil(long diasDesde1970, PartesDeFecha& p) {
  const long z = diasDesde1970 + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long diaDeEra = z - era * 146097;
  const long anioDeEra =
      (diaDeEra - diaDeEra / 1460 + diaDeEra / 36524 - diaDeEra / 146096) / 365;
  const long diaDelAnio = diaDeEra - (365 * anioDeEra + anioDeEra / 4 - anioDeEra / 100);
  const long mp = (5 * diaDelAnio + 2) / 153;
  p.dia = static_cast<int>(diaDelAnio - (153 * mp + 2) / 5 + 1);
  p.mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  p.anio = static_cast<int>(anioDeEra + era * 400 + (p.mes <= 2));
}

long DiasDelMes(int anio, int mes) { return NumeroDeDia(anio, mes + 1, 1) - NumeroDeDia(anio, mes, 1); }

bool SonCifras(const std::string& texto) {
  return !texto.empty() && texto.find_first_not_of("0123456789") == std::string::npos;
}

// Digit groups of a text split at one kind of separator; empty when a group is not
// 1..`maximo` digits.
std::vector<std::string> Grupos(const std::string& texto, char separador, std::size_t maximo) {
  std::vector<std::string> grupos(1);
  for (char c : texto) {
    if (c == separador) grupos.emplace_back();
    else if (c >= '0' && c <= '9') grupos.back() += c;
    else return {};
  }
  for (const auto& g : grupos)
    if (g.empty() || g.size() > maximo) return {};
  return grupos;
}

std::optional<long> LeeDia(const std::string& texto) {
  const auto separa = texto.find_first_of("/-");
  if (separa == std::string::npos) return std::nullopt;
  const auto g = Grupos(texto, texto[separa], 4);
  if (g.size() != 3) return std::nullopt;
  const bool anioPrimero = g[0].size() == 4 && g[1].size() <= 2 && g[2].size() <= 2;
  const bool anioAlFinal = g[2].size() == 4 && g[0].size() <= 2 && g[1].size() <= 2;
  if (!anioPrimero && !anioAlFinal) return std::nullopt;
  const int anio = std::stoi(anioPrimero ? g[0] : g[2]);
  const int mes = std::stoi(g[1]);
  const int dia = std::stoi(anioPrimero ? g[2] : g[0]);
  if (anio < 100 || mes < 1 || mes > 12 || dia < 1 || dia > DiasDelMes(anio, mes))
    return std::nullopt;
  return NumeroDeDia(anio, mes, dia);
}

// Seconds of the day, with the fraction of a second when one is written.
std::optional<double> LeeHora(const std::string& texto) {
  const auto punto = texto.find('.');
  const auto g = Grupos(texto.substr(0, punto), ':', 2);
  if (g.size() != 2 && g.size() != 3) return std::nullopt;
  const int hora = std::stoi(g[0]), minuto = std::stoi(g[1]);
  const int segundo = g.size() == 3 ? std::stoi(g[2]) : 0;
  if (hora > 23 || minuto > 59 || segundo > 59) return std::nullopt;
  double fraccion = 0;
  if (punto != std::string::npos) {
    const std::string cifras = texto.substr(punto + 1, 9);
    if (g.size() != 3 || !SonCifras(texto.substr(punto + 1))) return std::nullopt;
    fraccion = std::stol(cifras) / std::pow(10.0, static_cast<double>(cifras.size()));
  }
  return hora * 3600.0 + minuto * 60.0 + segundo + fraccion;
}

}  // namespace

std::string Cifras(long valor, int ancho) {
  std::string texto = std::to_string(valor);
  if (texto.size() < static_cast<std::size_t>(ancho)) texto.insert(0, ancho - texto.size(), '0');
  return texto;
}

long DivisionEntera(long a, long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

long NumeroDeDia(int anio, int mes, int dia) {
  const long anioFinal = anio + DivisionEntera(mes - 1, 12);
  const int mesFinal = static_cast<int>(mes - 1 - DivisionEntera(mes - 1, 12) * 12) + 1;
  return DiasDesde1970(anioFinal, mesFinal, 1) + kDiasDe1970 + dia - 1;
}

DateTime ComponeFecha(long numeroDeDia, double segundosDelDia) {
  const double hora = segundosDelDia / kSegundosDelDia;
  return {numeroDeDia >= 0 ? numeroDeDia + hora : numeroDeDia - hora};
}

DateTime FechaEnRango(double serial) {
  if (!(serial > kPrimerDia - 1 && serial < kDiaTrasElUltimo)) Raise(err::Overflow);
  return {serial};
}

PartesDeFecha Descompone(DateTime fecha) {
  const double serial = FechaEnRango(fecha.serial).serial;
  PartesDeFecha p;
  p.numeroDeDia = static_cast<long>(std::trunc(serial));
  long segundos = std::lround(std::fabs(serial - p.numeroDeDia) * kSegundosDelDia);
  if (segundos == kSegundosDelDia) {  // rounds up into the next day
    segundos = 0;
    ++p.numeroDeDia;
  }
  DiaCivil(p.numeroDeDia - kDiasDe1970, p);
  p.hora = static_cast<int>(segundos / 3600);
  p.minuto = static_cast<int>(segundos / 60 % 60);
  p.segundo = static_cast<int>(segundos % 60);
  return p;
}

std::optional<DateTime> LeeFecha(const std::string& texto) {
  const auto inicio = texto.find_first_not_of(' ');
  if (inicio == std::string::npos) return std::nullopt;
  const std::string cuerpo = texto.substr(inicio, texto.find_last_not_of(' ') - inicio + 1);
  const auto blanco = cuerpo.find(' ');
  const std::string parteDia = cuerpo.substr(0, blanco);
  const std::string parteHora =
      blanco == std::string::npos ? "" : cuerpo.substr(cuerpo.find_first_not_of(' ', blanco));
  std::optional<long> dia = 0L;
  std::optional<double> segundos = 0.0;
  if (blanco == std::string::npos && parteDia.find(':') != std::string::npos) {
    segundos = LeeHora(parteDia);
  } else {
    dia = LeeDia(parteDia);
    if (!parteHora.empty()) segundos = LeeHora(parteHora);
  }
  if (!dia || !segundos) return std::nullopt;
  return ComponeFecha(*dia, *segundos);
}

std::string TextoDeFecha(DateTime fecha) {
  const PartesDeFecha p = Descompone(fecha);
  const std::string dia = Cifras(p.anio, 4) + "/" + Cifras(p.mes, 2) + "/" + Cifras(p.dia, 2);
  const std::string hora = Cifras(p.hora, 2) + ":" + Cifras(p.minuto, 2) + ":" + Cifras(p.segundo, 2);
  if (p.numeroDeDia == 0) return hora;
  if (p.hora == 0 && p.minuto == 0 && p.segundo == 0) return dia;
  return dia + " " + hora;
}

}  // namespace vb::detalle

namespace vb {

// Years 0..99 are read as the language reads two-digit years: 0..29 are 2000..2029,
// 30..99 are 1930..1999.
DateTime DateSerial(int year, int month, int day) {
  if (year >= 0 && year <= 99) year += year < 30 ? 2000 : 1900;
  const long dia = detalle::NumeroDeDia(year, month, day);
  if (dia < detalle::kPrimerDia || dia >= detalle::kDiaTrasElUltimo) Raise(err::InvalidProcedureCall);
  return {static_cast<double>(dia)};
}

// Hours, minutes and seconds outside their range carry over, into other days too:
// TimeSerial(25, 0, 0) is 1899-12-31 01:00:00, TimeSerial(-1, 0, 0) 1899-12-29 23:00:00.
DateTime TimeSerial(int hour, int minute, int second) {
  const long total = hour * 3600L + minute * 60L + second;
  const long dia = detalle::DivisionEntera(total, 86400);
  return detalle::ComponeFecha(dia, static_cast<double>(total - dia * 86400));
}

int Year(DateTime d) { return detalle::Descompone(d).anio; }
int Month(DateTime d) { return detalle::Descompone(d).mes; }
int Day(DateTime d) { return detalle::Descompone(d).dia; }
int Hour(DateTime d) { return detalle::Descompone(d).hora; }
int Minute(DateTime d) { return detalle::Descompone(d).minuto; }
int Second(DateTime d) { return detalle::Descompone(d).segundo; }

}  // namespace vb
