#pragma once
// Text helpers of the language. Positions are 1-based, as the language counts them;
// texts are UTF-8 and counted in bytes (the programs' texts are ASCII where they
// are cut or searched).
#include <string>
#include <string_view>

#include "platform/vb/Variant.h"

namespace vb {

std::string Left(const std::string& s, long length);
std::string Right(const std::string& s, long length);
std::string Mid(const std::string& s, long start);
std::string Mid(const std::string& s, long start, long length);
long Len(const std::string& s);
// 0 when not found; start is 1-based. Raises 5 for start < 1.
long InStr(const std::string& s, const std::string& find);
long InStr(long start, const std::string& s, const std::string& find);
long InStrRev(const std::string& s, const std::string& find);
std::string Trim(const std::string& s);
std::string LTrim(const std::string& s);
std::string RTrim(const std::string& s);
std::string LCase(const std::string& s);
std::string UCase(const std::string& s);
std::string Replace(const std::string& s, const std::string& find, const std::string& with);
std::string Space(long n);
std::string String(long n, char c);
// Case-insensitive (ASCII) equality, as text comparison without regard to case.
bool IgualesSinMayusculas(const std::string& a, const std::string& b);
// The order of LCase(a) and LCase(b) by their bytes (negative, zero or positive),
// without building either: it orders texts in sorts that must not allocate.
int ComparaSinMayusculas(std::string_view a, std::string_view b);

// Format with the masks the programs use: date masks with YYYY, MM, DD and "HH:MM:SS"
// ("MM" after "HH:" is minutes), "0", "00", "000" paddings of numbers; other
// characters are copied.
std::string Format(const Variant& value, const std::string& mask);

constexpr const char* vbCr = "\r";
constexpr const char* vbLf = "\n";
constexpr const char* vbCrLf = "\r\n";

}  // namespace vb
