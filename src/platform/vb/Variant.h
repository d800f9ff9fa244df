#pragma once
// The language's Variant: Empty, Null or one typed value. Conversions between the
// kinds live in Conversions.h; this header only holds and inspects values.
#include <cstdint>
#include <string>
#include <variant>

namespace vb {

// Fixed-point amount with four decimals (value * 10000).
struct Currency {
  std::int64_t scaled = 0;
  friend bool operator==(const Currency&, const Currency&) = default;
};

// A date-time as a day count from 1899-12-30; the fraction is the time of day.
struct DateTime {
  double serial = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

enum class VarType { Empty, Null, Integer, Long, Double, Currency, String, Boolean, Date };

class Variant {
 public:
  struct NullTag {
    friend bool operator==(const NullTag&, const NullTag&) = default;
  };

  Variant() = default;  // Empty
  Variant(NullTag) : value_(NullTag{}) {}
  Variant(std::int16_t v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(Currency v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(bool v) : value_(v) {}
  Variant(DateTime v) : value_(v) {}

  static Variant Null() { return Variant(NullTag{}); }

  VarType Type() const { return static_cast<VarType>(value_.index()); }
  bool IsEmpty() const { return Type() == VarType::Empty; }
  bool IsNull() const { return Type() == VarType::Null; }

  // Typed access; the caller has checked Type().
  std::int16_t AsInteger() const { return std::get<std::int16_t>(value_); }
  std::int32_t AsLong() const { return std::get<std::int32_t>(value_); }
  double AsDouble() const { return std::get<double>(value_); }
  Currency AsCurrency() const { return std::get<Currency>(value_); }
  const std::string& AsString() const { return std::get<std::string>(value_); }
  bool AsBoolean() const { return std::get<bool>(value_); }
  DateTime AsDate() const { return std::get<DateTime>(value_); }

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  std::variant<std::monostate, NullTag, std::int16_t, std::int32_t, double, Currency, std::string,
               bool, DateTime>
      value_;
};

}  // namespace vb
