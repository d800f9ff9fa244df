#include "platform/vb/Error.h"

namespace vb {

Error::Error(long number, std::string description, std::string source)
    : number_(number), description_(std::move(description)), source_(std::move(source)) {}

std::string DescripcionDeError(long number) {
  switch (number) {
    case err::InvalidProcedureCall: return "Argumento no válido para la operación";
    case err::Overflow: return "Desbordamiento: el valor no cabe en el tipo de dato que lo recibe";
    case err::TypeMismatch: return "El valor no es del tipo de dato esperado";
    case err::PathFileAccessError: return "No se puede acceder a la ruta o al archivo";
    case err::PathNotFound: return "No se encuentra la ruta";
    case err::ObjectVariableNotSet: return "La variable de objeto no tiene un objeto asignado";
    case err::InvalidUseOfNull: return "Se encontró un valor nulo (Null) donde se necesita un dato";
    case err::ObjectRequired: return "La operación requiere un objeto";
    default: return "Error de la aplicación";
  }
}

void Raise(long number) { throw Error(number, DescripcionDeError(number)); }

void RaiseSobre(long number, const std::string& detalle) {
  throw Error(number, DescripcionDeError(number) + ": " + detalle);
}

void Raise(long number, std::string description, std::string source) {
  throw Error(number, std::move(description), std::move(source));
}

}  // namespace vb
