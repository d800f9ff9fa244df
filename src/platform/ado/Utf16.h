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

}  // namespace ado
