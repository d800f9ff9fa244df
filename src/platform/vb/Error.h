#pragma once
// The runtime error of the language layer: a number, a description and a source,
// raised as one C++ exception type so that callers can trap, log or pass it on.
#include <exception>
#include <string>

namespace vb {

namespace err {
constexpr long InvalidProcedureCall = 5;
constexpr long Overflow = 6;
constexpr long TypeMismatch = 13;
constexpr long ObjectRequired = 424;
constexpr long InvalidUseOfNull = 94;
constexpr long PathFileAccessError = 75;
constexpr long PathNotFound = 76;
constexpr long ObjectVariableNotSet = 91;
}  // namespace err

class Error : public std::exception {
 public:
  Error(long number, std::string description, std::string source = {});
  long Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }
  const std::string& Source() const noexcept { return source_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  long number_;
  std::string description_;
  std::string source_;
};

// The runtime's own text for an error number, in Spanish as the users read it.
std::string DescripcionDeError(long number);

// Raises the error with the runtime's own description.
[[noreturn]] void Raise(long number);
// Raises the error with the runtime's own description followed by ": " and `detalle`
// (the path or value it is about).
[[noreturn]] void RaiseSobre(long number, const std::string& detalle);
[[noreturn]] void Raise(long number, std::string description, std::string source = {});

}  // namespace vb
