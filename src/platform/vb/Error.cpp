#include "platform/vb/Error.h"

namespace vb {

Error::Error(long number, std::string description, std::string source)
    : number_(number), description_(std::move(description)), source_(std::move(source)) {}

std::string DescripcionDeError(long number) {
  switch (number) {
    case err::InvalidProcedureCall: return "Invalid procedure call or argument";
    case err::Overflow: return "Overflow";
    case err::TypeMismatch: return "Type mismatch";
    case err::InvalidUseOfNull: return "Invalid use of Null";
    case err::ObjectRequired: return "Object required";
    default: return "Application-defined or object-defined error";
  }
}

void Raise(long number) { throw Error(number, DescripcionDeError(number)); }

void Raise(long number, std::string description, std::string source) {
  throw Error(number, std::move(description), std::move(source));
}

}  // namespace vb
