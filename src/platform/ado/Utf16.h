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

// A text for a wide ODBC call that takes it with its length in units. The MariaDB driver
// measures such a text with a UTF-16 character length that looks only at a unit's low byte:
// each unit whose low byte is 0xD8-0xDB (Ø Ù Ú Û, ǘ, ך, ...) is taken for the first half of
// a surrogate pair and the unit after it is skipped, so the driver converts one unit past
// the end for each of them; where that memory is not valid UTF-16 the call fails with
// SQLSTATE 22018, at random. The units are followed by as many NUL units as the text holds
// such units, and one more: whatever the driver reads past the length is NUL, which it
// drops. Any other driver reads the length and nothing else.
class TextoParaOdbc {
 public:
  explicit TextoParaOdbc(const std::string& utf8);
  char16_t* Unidades() { return unidades_.data(); }
  // Units of the text, not counting the NULs after it.
  std::size_t Largo() const { return largo_; }

 private:
  std::u16string unidades_;
  std::size_t largo_;
};

}  // namespace ado
