#include "platform/ado/Utf16.h"

namespace ado {

namespace {
// Length of the valid UTF-8 sequence at text[i], or 0 when it is not one.
std::size_t LargoSecuencia(const std::string& text, std::size_t i, char32_t& codigo) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  std::size_t largo;
  char32_t minimo;
  if (b0 < 0x80) { codigo = b0; return 1; }
  if ((b0 & 0xE0) == 0xC0) { largo = 2; codigo = b0 & 0x1F; minimo = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { largo = 3; codigo = b0 & 0x0F; minimo = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { largo = 4; codigo = b0 & 0x07; minimo = 0x10000; }
  else return 0;
  if (i + largo > text.size()) return 0;
  for (std::size_t k = 1; k < largo; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    codigo = (codigo << 6) | (byte(i + k) & 0x3F);
  }
  const bool sustituto = codigo >= 0xD800 && codigo <= 0xDFFF;
  if (codigo < minimo || codigo > 0x10FFFF || sustituto) return 0;
  return largo;
}

void AgregaUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}
}  // namespace

std::u16string Utf8AUtf16(const std::string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c;
    std::size_t largo = LargoSecuencia(text, i, c);
    if (largo == 0) {
      c = static_cast<unsigned char>(text[i]);
      largo = 1;
    }
    i += largo;
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
  }
  return out;
}

std::string Utf16AUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    const bool alto = c >= 0xD800 && c <= 0xDBFF;
    const bool bajo = c >= 0xDC00 && c <= 0xDFFF;
    if (alto && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (alto || bajo) {
      c = 0xFFFD;
    }
    AgregaUtf8(out, c);
  }
  return out;
}

std::string TextoTerminado(const char16_t* buffer, std::size_t capacidad) {
  std::size_t largo = 0;
  while (largo < capacidad && buffer[largo] != 0) ++largo;
  return Utf16AUtf8(std::u16string(buffer, largo));
}

TextoParaOdbc::TextoParaOdbc(const std::string& utf8)
    : unidades_(Utf8AUtf16(utf8)), largo_(unidades_.size()) {
  std::size_t comoMitadDePar = 0;
  for (const char16_t unidad : unidades_) comoMitadDePar += (unidad & 0xFC) == 0xD8;
  unidades_.append(comoMitadDePar + 2, u'\0');
}

}  // namespace ado
