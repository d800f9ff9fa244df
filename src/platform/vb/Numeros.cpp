#include "platform/vb/Numeros.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/vb/Error.h"

namespace vb::detalle {

namespace {

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

int ValorDeCifra(char c, int base) {
  int v = -1;
  if (EsDigito(c)) v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

// Reads one number from a position of a text and tells how far it got.
class Lector {
 public:
  Lector(const std::string& texto, bool exponenteD) : t_(texto), exponenteD_(exponenteD) {}

  // Nothing when no digit could be read.
  std::optional<NumeroDeTexto> Lee() {
    NumeroDeTexto n;
    if (Ve() == '&') return LeeLiteral(n);
    if (Ve() == '+' || Ve() == '-') n.negativo = t_[i_++] == '-';
    std::string mantisa;
    long decimales = 0;
    while (EsDigito(Ve())) mantisa += t_[i_++];
    if (Ve() == '.') {
      ++i_;
      for (; EsDigito(Ve()); ++decimales) mantisa += t_[i_++];
    }
    if (mantisa.empty()) return std::nullopt;
    n.exponente = LeeExponente() - decimales;
    Normaliza(mantisa, n);
    return n;
  }

  std::size_t Posicion() const { return i_; }

 private:
  char Ve() const { return i_ < t_.size() ? t_[i_] : '\0'; }

  bool EsMarcaDeExponente(char c) const {
    return c == 'E' || c == 'e' || (exponenteD_ && (c == 'D' || c == 'd'));
  }

  // A marker without digits after it is not part of the number.
  long LeeExponente() {
    if (!EsMarcaDeExponente(Ve())) return 0;
    const std::size_t marca = i_++;
    bool negativo = false;
    if (Ve() == '+' || Ve() == '-') negativo = t_[i_++] == '-';
    if (!EsDigito(Ve())) {
      i_ = marca;
      return 0;
    }
    long exponente = 0;
    // Capped: far beyond any double, and no long overflow on absurd texts.
    while (EsDigito(Ve())) exponente = std::min(exponente * 10 + (t_[i_++] - '0'), 100000L);
    return negativo ? -exponente : exponente;
  }

  static void Normaliza(std::string& mantisa, NumeroDeTexto& n) {
    const auto primera = mantisa.find_first_not_of('0');
    if (primera == std::string::npos) return;  // zero
    const auto ultima = mantisa.find_last_not_of('0');
    n.exponente += static_cast<long>(mantisa.size() - ultima - 1);
    n.digitos = mantisa.substr(primera, ultima - primera + 1);
  }

  // "&H1F" hexadecimal, "&O17" or "&17" octal.
  std::optional<NumeroDeTexto> LeeLiteral(NumeroDeTexto& n) {
    ++i_;
    int base = 8;
    if (Ve() == 'H' || Ve() == 'h') base = 16;
    if (base == 16 || Ve() == 'O' || Ve() == 'o') ++i_;
    std::uint64_t valor = 0;
    bool hayCifras = false;
    for (int c; (c = ValorDeCifra(Ve(), base)) >= 0; ++i_, hayCifras = true)
      valor = std::min<std::uint64_t>(valor * base + c, 0x100000000ULL);  // saturates past 32 bits
    if (!hayCifras) return std::nullopt;
    n.literal = valor;
    return n;
  }

  const std::string& t_;
  bool exponenteD_;
  std::size_t i_ = 0;
};

// Up to four hex digits make a 16-bit value, up to eight a 32-bit one: &HFFFF is -1.
std::int64_t ValorDeLiteral(std::uint64_t valor) {
  if (valor <= 0xFFFF) return static_cast<std::int16_t>(valor);
  if (valor <= 0xFFFFFFFF) return static_cast<std::int32_t>(valor);
  Raise(err::Overflow);
}

bool EsBlanco(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<NumeroDeTexto> LeeNumero(const std::string& texto) {
  auto inicio = std::find_if_not(texto.begin(), texto.end(), EsBlanco);
  auto fin = std::find_if_not(texto.rbegin(), texto.rend(), EsBlanco).base();
  if (inicio >= fin) return std::nullopt;
  const std::string cuerpo(inicio, fin);
  Lector lector(cuerpo, false);
  auto numero = lector.Lee();
  if (!numero || lector.Posicion() != cuerpo.size()) return std::nullopt;
  return numero;
}

NumeroDeTexto LeeNumeroInicial(const std::string& texto) {
  std::string sinBlancos;
  for (char c : texto)
    if (c != ' ' && c != '\t' && c != '\n') sinBlancos += c;
  return Lector(sinBlancos, true).Lee().value_or(NumeroDeTexto{});
}

double ADouble(const NumeroDeTexto& n) {
  if (n.literal) return static_cast<double>(ValorDeLiteral(*n.literal));
  if (n.digitos.empty()) return 0.0;
  const std::string texto = n.digitos + "e" + std::to_string(n.exponente);
  double valor = 0;
  const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  if (r.ec == std::errc::result_out_of_range) {
    if (static_cast<long>(n.digitos.size()) + n.exponente > 0) Raise(err::Overflow);
    valor = 0.0;  // too small to hold: zero, as the language reads it
  }
  return n.negativo ? -valor : valor;
}

std::int64_t AMonedaEscalada(const NumeroDeTexto& n) {
  if (n.literal) return ValorDeLiteral(*n.literal) * 10000;
  const std::uint64_t limite = n.negativo ? 1ULL << 63 : (1ULL << 63) - 1;
  const long largo = static_cast<long>(n.digitos.size());
  // Digits of the scaled value that stay left of its decimal point.
  const long enteras = largo + n.exponente + 4;
  if (enteras > 19) Raise(err::Overflow);  // 10^19 > 2^63, and 19 digits fit in 64 bits
  std::uint64_t valor = 0;
  for (long k = 0; k < enteras; ++k) valor = valor * 10 + (k < largo ? n.digitos[k] - '0' : 0);
  if (enteras >= 0 && enteras < largo) {
    const char primera = n.digitos[enteras];
    const bool masDeLaMitad = primera > '5' || (primera == '5' && enteras + 1 < largo);
    if (masDeLaMitad || (primera == '5' && valor % 2 == 1)) ++valor;
  }
  if (valor > limite) Raise(err::Overflow);
  return n.negativo ? static_cast<std::int64_t>(0 - valor) : static_cast<std::int64_t>(valor);
}

double RedondeaPar(double valor) { return std::nearbyint(valor); }

std::string TextoDeDouble(double valor) {
  if (!std::isfinite(valor)) Raise(err::Overflow);
  if (valor == 0) return "0";  // also for -0
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::general, 15);
  std::string texto(buf, r.ptr);
  std::replace(texto.begin(), texto.end(), 'e', 'E');
  return texto;
}

std::string TextoDeMoneda(std::int64_t escalada) {
  const bool negativo = escalada < 0;
  const std::uint64_t magnitud =
      negativo ? 0 - static_cast<std::uint64_t>(escalada) : static_cast<std::uint64_t>(escalada);
  std::string texto = (negativo ? "-" : "") + std::to_string(magnitud / 10000);
  if (const auto fraccion = magnitud % 10000) {
    std::string decimales = std::to_string(10000 + fraccion).substr(1);
    decimales.erase(decimales.find_last_not_of('0') + 1);
    texto += "." + decimales;
  }
  return texto;
}

}  // namespace vb::detalle
