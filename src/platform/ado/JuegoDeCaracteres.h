#pragma once
// Texts that a MySQL server sends in the connection's character set, turned into UTF-8.
#include <optional>
#include <string>

namespace ado {

// The iconv name of a MySQL character set ("latin1" -> "CP1252", as MySQL's latin1 is
// Windows-1252); "UTF-8" for the utf8 sets; nothing for a set not known here.
std::optional<std::string> JuegoIconvDeMySql(const std::string& juegoMySql);

// `bytes` in the iconv set `juego`, as UTF-8. A byte the set does not define is taken as
// the Latin-1 letter of that value, as MySQL's latin1 does, so no text is cut short.
std::string AUtf8(const std::string& bytes, const std::string& juego);

}  // namespace ado
