#pragma once
// Numbers read from and written as text, locale-free: "." is the only decimal sign
// and no thousands separator is accepted, so a text that converts can go into a
// statement as it stands.
#include <cstdint>
#include <optional>
#include <string>

namespace vb::detalle {

// A number read from text: decimal digits scaled by a power of ten, or the digits'
// value of a "&H" / "&O" literal (capped just past 32 bits; read as 16-bit or 32-bit
// two's complement when converted).
struct NumeroDeTexto {
  bool negativo = false;
  std::string digitos;  // no leading or trailing zeros; empty for zero
  long exponente = 0;   // value = digitos * 10^exponente
  std::optional<std::uint64_t> literal;
};

// The whole text, blanks around it allowed, as a number; nothing when it is not one.
std::optional<NumeroDeTexto> LeeNumero(const std::string& texto);
// The leading number of the text as Val reads it: blanks, tabs and line feeds are
// ignored anywhere, reading stops at the first character that cannot continue the
// number, and a text without one gives zero.
NumeroDeTexto LeeNumeroInicial(const std::string& texto);

// Raise Overflow (6) when the value does not fit.
double ADouble(const NumeroDeTexto& n);
std::int64_t AMonedaEscalada(const NumeroDeTexto& n);  // value * 10000, half to even

// Half to even at the units, as the language rounds to integers.
double RedondeaPar(double valor);

// Shortest text with up to 15 significant digits; exponent form ("1E+15", "1E-05")
// from 1E+15 up and below 1E-04.
std::string TextoDeDouble(double valor);
// Up to four decimals, without trailing zeros.
std::string TextoDeMoneda(std::int64_t escalada);

}  // namespace vb::detalle
