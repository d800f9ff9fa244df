#pragma once
// The language's conversions. Rounding to integers is half to even; a value out of
// range raises Overflow (6), a value of the wrong kind Type mismatch (13), a Null
// where a value is needed Invalid use of Null (94). Text forms are locale-free:
// "." for decimals, "/" and ":" in dates and times.
#include <cstdint>
#include <string>

#include "platform/vb/Variant.h"

namespace vb {

std::int16_t CInt(const Variant& v);
std::int32_t CLng(const Variant& v);
std::uint8_t CByte(const Variant& v);
double CDbl(const Variant& v);
Currency CCur(const Variant& v);
bool CBool(const Variant& v);
DateTime CDate(const Variant& v);
std::string CStr(const Variant& v);

// Leading number of a text ("12abc" -> 12, "abc" -> 0, " 1 2" -> 12, "&H10" -> 16).
double Val(const std::string& text);

bool IsNumeric(const Variant& v);
bool IsDate(const Variant& v);
inline bool IsNull(const Variant& v) { return v.IsNull(); }
inline bool IsEmpty(const Variant& v) { return v.IsEmpty(); }

// Date parts and construction.
DateTime DateSerial(int year, int month, int day);
DateTime TimeSerial(int hour, int minute, int second);
int Year(DateTime d);
int Month(DateTime d);
int Day(DateTime d);
int Hour(DateTime d);
int Minute(DateTime d);
int Second(DateTime d);

}  // namespace vb
