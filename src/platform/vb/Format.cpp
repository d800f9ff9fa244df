// Format with the masks the programs use. Date masks: yyyy, yy, y (day of the year),
// m/mm (month, or minutes right after an hour or right before seconds), d/dd, h/hh
// (00..23), n/nn, s/ss; letters are read without regard to case, "\" copies the next
// character and "..." its contents; every other character is copied. Number masks:
// "0" and "#" digit places, "." and "," (thousands) with text before and after.
// Separators are "/", ":" and "." whatever the locale.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Fechas.h"
#include "platform/vb/Text.h"

namespace vb {

namespace {

// A run of one date letter (lower case), or literal text when `letra` is 0.
struct Pieza {
  char letra = 0;
  int largo = 0;
  std::string literal;
};

char Minuscula(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

bool EsLetraDeFecha(char c) { return std::string_view("ymdhns").find(Minuscula(c)) != std::string_view::npos; }

void AgregaLiteral(std::vector<Pieza>& piezas, const std::string& texto) {
  if (piezas.empty() || piezas.back().letra != 0) piezas.emplace_back();
  piezas.back().literal += texto;
}

std::vector<Pieza> Analiza(const std::string& mascara) {
  std::vector<Pieza> piezas;
  for (std::size_t i = 0; i < mascara.size();) {
    const char c = mascara[i];
    if (c == '\\') {
      AgregaLiteral(piezas, mascara.substr(i + 1, 1));
      i += 2;
    } else if (c == '"') {
      const auto cierre = mascara.find('"', i + 1);
      AgregaLiteral(piezas, mascara.substr(i + 1, cierre - i - 1));
      i = cierre == std::string::npos ? mascara.size() : cierre + 1;
    } else if (EsLetraDeFecha(c)) {
      std::size_t fin = i;
      while (fin < mascara.size() && Minuscula(mascara[fin]) == Minuscula(c)) ++fin;
      piezas.push_back({Minuscula(c), static_cast<int>(fin - i), {}});
      i = fin;
    } else {
      AgregaLiteral(piezas, std::string(1, c));
      ++i;
    }
  }
  return piezas;
}

bool TieneCamposDeFecha(const std::vector<Pieza>& piezas) {
  for (const auto& p : piezas)
    if (p.letra != 0) return true;
  return false;
}

// "m" means minutes right after an hour field or right before a seconds field.
bool SonMinutos(const std::vector<Pieza>& piezas, std::size_t i) {
  for (std::size_t j = i; j-- > 0;)
    if (piezas[j].letra != 0) {
      if (piezas[j].letra == 'h') return true;
      break;
    }
  for (std::size_t j = i + 1; j < piezas.size(); ++j)
    if (piezas[j].letra != 0) return piezas[j].letra == 's';
  return false;
}

[[noreturn]] void MascaraNoAdmitida(const std::string& mascara) {
  Raise(err::InvalidProcedureCall, "Format mask not supported: " + mascara);
}

std::string Anios(const detalle::PartesDeFecha& f, int largo) {
  std::string texto;
  for (; largo >= 4; largo -= 4) texto += detalle::Cifras(f.anio, 4);
  for (; largo >= 2; largo -= 2) texto += detalle::Cifras(f.anio % 100, 2);
  if (largo == 1) texto += std::to_string(f.numeroDeDia - detalle::NumeroDeDia(f.anio, 1, 1) + 1);
  return texto;
}

std::string FormateaFecha(DateTime fecha, const std::vector<Pieza>& piezas, const std::string& mascara) {
  const detalle::PartesDeFecha f = detalle::Descompone(fecha);
  std::string texto;
  for (std::size_t i = 0; i < piezas.size(); ++i) {
    const Pieza& p = piezas[i];
    if (p.letra == 0) {
      texto += p.literal;
      continue;
    }
    if (p.letra == 'y') {
      texto += Anios(f, p.largo);
      continue;
    }
    if (p.largo > 2) MascaraNoAdmitida(mascara);  // names of days and months
    const char letra = p.letra == 'm' && SonMinutos(piezas, i) ? 'n' : p.letra;
    int valor = 0;
    switch (letra) {
      case 'm': valor = f.mes; break;
      case 'd': valor = f.dia; break;
      case 'h': valor = f.hora; break;
      case 'n': valor = f.minuto; break;
      case 's': valor = f.segundo; break;
    }
    texto += detalle::Cifras(valor, p.largo);
  }
  return texto;
}

// Adds one to a run of decimal digits; true when it grew a digit at the front.
bool SumaUno(std::string& cifras) {
  for (auto k = cifras.size(); k-- > 0;) {
    if (cifras[k] < '9') {
      ++cifras[k];
      return false;
    }
    cifras[k] = '0';
  }
  cifras.insert(0, 1, '1');
  return true;
}

// Integer and decimal digits of |valor| rounded half away from zero at `decimales`,
// from its 15 significant digits (so 2.675 rounds to 2.68, as written).
std::pair<std::string, std::string> CifrasRedondeadas(double valor, std::size_t decimales) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(valor), std::chars_format::scientific, 14);
  const std::string texto(buf, r.ptr);
  const auto e = texto.find('e');
  std::string cifras = texto.substr(0, 1) + texto.substr(2, e - 2);
  long punto = std::stol(texto.substr(e + 1)) + 1;  // digits left of the decimal point
  if (punto < 0) {
    cifras.insert(0, static_cast<std::size_t>(-punto), '0');
    punto = 0;
  }
  const std::size_t corte = static_cast<std::size_t>(punto) + decimales;
  if (cifras.size() < corte + 1) cifras.append(corte + 1 - cifras.size(), '0');
  const bool sube = cifras[corte] >= '5';
  cifras.resize(corte);
  if (sube && SumaUno(cifras)) ++punto;
  std::string entero = cifras.substr(0, static_cast<std::size_t>(punto));
  entero.erase(0, std::min(entero.find_first_not_of('0'), entero.size()));
  return {entero, cifras.substr(static_cast<std::size_t>(punto))};
}

std::string AgrupaMiles(const std::string& entero) {
  std::string texto;
  for (std::size_t i = 0; i < entero.size(); ++i) {
    if (i > 0 && (entero.size() - i) % 3 == 0) texto += ',';
    texto += entero[i];
  }
  return texto;
}

std::string FormateaNumero(double valor, const std::string& mascara) {
  const auto inicio = mascara.find_first_of("0#.");
  const auto fin = mascara.find_last_of("0#") + 1;
  if (inicio == std::string::npos || fin == 0 || fin < inicio) MascaraNoAdmitida(mascara);
  const std::string patron = mascara.substr(inicio, fin - inicio);
  const auto punto = patron.find('.');
  const std::string patronEntero = patron.substr(0, punto);
  const std::string patronDecimal = punto == std::string::npos ? "" : patron.substr(punto + 1);
  if (patronEntero.find_first_not_of("0#,") != std::string::npos ||
      patronDecimal.find_first_not_of("0#") != std::string::npos)
    MascaraNoAdmitida(mascara);

  auto [entero, decimales] = CifrasRedondeadas(valor, patronDecimal.size());
  const auto minimoDecimales = static_cast<std::size_t>(std::count(patronDecimal.begin(), patronDecimal.end(), '0'));
  while (decimales.size() > minimoDecimales && decimales.back() == '0') decimales.pop_back();
  const auto minimoEntero = static_cast<std::size_t>(std::count(patronEntero.begin(), patronEntero.end(), '0'));
  if (entero.size() < minimoEntero) entero.insert(0, minimoEntero - entero.size(), '0');
  if (patronEntero.find(',') != std::string::npos) entero = AgrupaMiles(entero);

  const bool cero = (entero + decimales).find_first_not_of("0,") == std::string::npos;
  std::string texto = valor < 0 && !cero ? "-" : "";
  texto += mascara.substr(0, inicio) + entero;
  if (!decimales.empty()) texto += "." + decimales;
  return texto + mascara.substr(fin);
}

}  // namespace

// A Null gives the empty text; a text that is not a date (or a number, for a number
// mask) is returned as it is.
std::string Format(const Variant& value, const std::string& mask) {
  if (value.IsNull()) return "";
  if (mask.empty()) return CStr(value);
  const std::vector<Pieza> piezas = Analiza(mask);
  const bool esTexto = value.Type() == VarType::String;
  if (TieneCamposDeFecha(piezas)) {
    if (esTexto && !IsDate(value)) return value.AsString();
    return FormateaFecha(CDate(value), piezas, mask);
  }
  if (esTexto && !IsNumeric(value)) return value.AsString();
  return FormateaNumero(CDbl(value), mask);
}

}  // namespace vb
