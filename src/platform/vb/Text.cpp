#include "platform/vb/Text.h"

#include <algorithm>

#include "platform/vb/Error.h"

namespace vb {

namespace {

void ExigeNoNegativo(long n) {
  if (n < 0) Raise(err::InvalidProcedureCall);
}

std::size_t Tamano(long n) { return static_cast<std::size_t>(n); }

// ASCII only, whatever locale the process runs under.
char MinusculaAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }
char MayusculaAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; }

// Latin-1 letters in UTF-8: upper case C3 80..9E, lower case C3 A0..BE (the same
// minus × and ÷), 0x20 apart in the second byte, as in ASCII.
bool EsLetraLatina(unsigned char segundo, bool mayuscula) {
  const unsigned char base = mayuscula ? 0x80 : 0xA0;
  return segundo >= base && segundo <= base + 0x1E && segundo != base + 0x17;
}

std::string CambiaMayusculas(std::string s, bool aMayusculas) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      s[i] = aMayusculas ? MayusculaAscii(s[i]) : MinusculaAscii(s[i]);
    } else if (c == 0xC3 && i + 1 < s.size() &&
               EsLetraLatina(static_cast<unsigned char>(s[i + 1]), !aMayusculas)) {
      s[i + 1] = static_cast<char>(static_cast<unsigned char>(s[i + 1]) + (aMayusculas ? -0x20 : 0x20));
      ++i;
    }
  }
  return s;
}

// The byte at `i` of LCase(s): the rule of CambiaMayusculas read one byte at a time,
// since a letter's second byte is lowered only after its 0xC3.
unsigned char MinusculaEn(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return static_cast<unsigned char>(MinusculaAscii(s[i]));
  if (i > 0 && static_cast<unsigned char>(s[i - 1]) == 0xC3 && EsLetraLatina(c, true))
    return static_cast<unsigned char>(c + 0x20);
  return c;
}

}  // namespace

std::string Left(const std::string& s, long length) {
  ExigeNoNegativo(length);
  return s.substr(0, Tamano(length));
}

std::string Right(const std::string& s, long length) {
  ExigeNoNegativo(length);
  return Tamano(length) >= s.size() ? s : s.substr(s.size() - Tamano(length));
}

std::string Mid(const std::string& s, long start) {
  if (start < 1) Raise(err::InvalidProcedureCall);
  return Tamano(start) > s.size() ? "" : s.substr(Tamano(start) - 1);
}

std::string Mid(const std::string& s, long start, long length) {
  ExigeNoNegativo(length);
  return Mid(s, start).substr(0, Tamano(length));
}

long Len(const std::string& s) { return static_cast<long>(s.size()); }

long InStr(const std::string& s, const std::string& find) { return InStr(1, s, find); }

// An empty `find` is found at `start`, unless `s` itself is empty.
long InStr(long start, const std::string& s, const std::string& find) {
  if (start < 1) Raise(err::InvalidProcedureCall);
  if (s.empty()) return 0;
  if (find.empty()) return start;
  if (Tamano(start) > s.size()) return 0;
  const auto pos = s.find(find, Tamano(start) - 1);
  return pos == std::string::npos ? 0 : static_cast<long>(pos) + 1;
}

long InStrRev(const std::string& s, const std::string& find) {
  if (find.empty()) return Len(s);
  const auto pos = s.rfind(find);
  return pos == std::string::npos ? 0 : static_cast<long>(pos) + 1;
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string LTrim(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  return b == std::string::npos ? "" : s.substr(b);
}

std::string RTrim(const std::string& s) { return s.substr(0, s.find_last_not_of(' ') + 1); }

std::string LCase(const std::string& s) { return CambiaMayusculas(s, false); }
std::string UCase(const std::string& s) { return CambiaMayusculas(s, true); }

std::string Replace(const std::string& s, const std::string& find, const std::string& with) {
  if (find.empty()) return s;
  std::string resultado;
  std::size_t desde = 0;
  for (auto pos = s.find(find); pos != std::string::npos; pos = s.find(find, desde)) {
    resultado.append(s, desde, pos - desde).append(with);
    desde = pos + find.size();
  }
  return resultado.append(s, desde);
}

std::string Space(long n) { return String(n, ' '); }

std::string String(long n, char c) {
  ExigeNoNegativo(n);
  return std::string(Tamano(n), c);
}

bool IgualesSinMayusculas(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (MinusculaAscii(a[i]) != MinusculaAscii(b[i]))
      return false;
  return true;
}

int ComparaSinMayusculas(std::string_view a, std::string_view b) {
  const std::size_t comun = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < comun; ++i) {
    const unsigned char x = MinusculaEn(a, i);
    const unsigned char y = MinusculaEn(b, i);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace vb
