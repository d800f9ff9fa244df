#pragma once
// UTF-8 <-> UTF-16 for the wide-character ODBC calls. Our texts are UTF-8; the
// drivers speak UTF-16 so that accented letters reach the server unchanged.
#include <string>

namespace ado {

// A byte that does not begin a valid UTF-8 sequence is taken as the Latin-1 letter
// of that value, so that legacy single-byte text is not lost.
std::u16string Utf8AUtf16(const std::string& text);

// An unpaired surrogate becomes U+FFFD.
std::string Utf16AUtf8(const std::u16string& text);

// A name or message a driver wrote into a buffer of `capacidad` units, up to its
// terminating NUL. The length the driver reports beside it is not used: some drivers
// count characters such as U+00DA as half of a surrogate pair and report too few.
std::string TextoTerminado(const char16_t* buffer, std::size_t capacidad);

// A text for a wide ODBC call. The MariaDB driver measures wide texts with a UTF-16 length
// that looks only at a unit's low byte: each unit whose low byte is 0xD8-0xDB (Ø Ù Ú Û, ǘ,
// ך, ...) is taken for the first half of a surrogate pair and the unit after it is skipped.
// Given a length, it converts one unit past the end for each such unit: the call fails
// with SQLSTATE 22018 when what lies there is not UTF-16, or the program crashes; and a
// statement whose length grew so has spaces trimmed beyond the driver's own copy of it.
// Given the text terminated (SQL_NTS), it stops at the terminator, or one unit after it
// when the last unit is such a unit. So statements go to that driver terminated, and the
// text is followed by NULs enough for either reading: whatever it reads past the end is NUL.
class TextoParaOdbc {
 public:
  explicit TextoParaOdbc(const std::string& utf8);
  char16_t* Unidades() { return unidades_.data(); }
  // Units of the text, not counting the NULs after it.
  std::size_t Largo() const { return largo_; }
  // Whether a NUL stands inside the text: the terminated text would end there.
  bool TieneNul() const { return unidades_.find(u'\0') < largo_; }

 private:
  std::u16string unidades_;
  std::size_t largo_;
};

}  // namespace ado
