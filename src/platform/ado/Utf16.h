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

}  // namespace ado
