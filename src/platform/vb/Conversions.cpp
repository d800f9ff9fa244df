#include "platform/vb/Conversions.h"

#include <limits>

#include "platform/vb/Error.h"
#include "platform/vb/Fechas.h"
#include "platform/vb/Numeros.h"
#include "platform/vb/Text.h"

namespace vb {

namespace {

using detalle::LeeNumero;

double DoubleDeTexto(const std::string& texto) {
  const auto numero = LeeNumero(texto);
  if (!numero) Raise(err::TypeMismatch);
  return detalle::ADouble(*numero);
}

// The value of any kind of Variant as a number: Empty is 0, True is -1, a date its
// serial; Null and a text that is not a number cannot be one.
double ValorNumerico(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return 0;
    case VarType::Null: break;
    case VarType::Integer: return v.AsInteger();
    case VarType::Long: return v.AsLong();
    case VarType::Double: return v.AsDouble();
    case VarType::Currency: return static_cast<double>(v.AsCurrency().scaled) / 10000;
    case VarType::String: return DoubleDeTexto(v.AsString());
    case VarType::Boolean: return v.AsBoolean() ? -1 : 0;
    case VarType::Date: return v.AsDate().serial;
  }
  Raise(err::InvalidUseOfNull);
}

template <typename Entero>
Entero AEntero(const Variant& v) {
  const double redondeado = detalle::RedondeaPar(ValorNumerico(v));
  // Also false for NaN.
  if (!(redondeado >= std::numeric_limits<Entero>::min() &&
        redondeado <= std::numeric_limits<Entero>::max()))
    Raise(err::Overflow);
  return static_cast<Entero>(redondeado);
}

}  // namespace

std::int16_t CInt(const Variant& v) { return AEntero<std::int16_t>(v); }
std::int32_t CLng(const Variant& v) { return AEntero<std::int32_t>(v); }
std::uint8_t CByte(const Variant& v) { return AEntero<std::uint8_t>(v); }
double CDbl(const Variant& v) { return ValorNumerico(v); }

// Texts are read digit by digit so that "0.00005" rounds exactly, not through a double.
Currency CCur(const Variant& v) {
  if (v.Type() == VarType::Currency) return v.AsCurrency();
  if (v.Type() == VarType::String) {
    const auto numero = LeeNumero(v.AsString());
    if (!numero) Raise(err::TypeMismatch);
    return {detalle::AMonedaEscalada(*numero)};
  }
  const double escalada = detalle::RedondeaPar(ValorNumerico(v) * 10000);
  constexpr double kLimite = 9223372036854775808.0;  // 2^63
  if (!(escalada >= -kLimite && escalada < kLimite)) Raise(err::Overflow);
  return {static_cast<std::int64_t>(escalada)};
}

bool CBool(const Variant& v) {
  if (v.Type() == VarType::String) {
    if (IgualesSinMayusculas(v.AsString(), "True")) return true;
    if (IgualesSinMayusculas(v.AsString(), "False")) return false;
  }
  return ValorNumerico(v) != 0;
}

DateTime CDate(const Variant& v) {
  switch (v.Type()) {
    case VarType::Date: return v.AsDate();
    case VarType::String:
      if (const auto fecha = detalle::LeeFecha(v.AsString())) return *fecha;
      Raise(err::TypeMismatch);
    default: return detalle::FechaEnRango(ValorNumerico(v));
  }
}

std::string CStr(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return "";
    case VarType::Null: break;
    case VarType::Integer: return std::to_string(v.AsInteger());
    case VarType::Long: return std::to_string(v.AsLong());
    case VarType::Double: return detalle::TextoDeDouble(v.AsDouble());
    case VarType::Currency: return detalle::TextoDeMoneda(v.AsCurrency().scaled);
    case VarType::String: return v.AsString();
    case VarType::Boolean: return v.AsBoolean() ? "True" : "False";
    case VarType::Date: return detalle::TextoDeFecha(v.AsDate());
  }
  Raise(err::InvalidUseOfNull);
}

double Val(const std::string& text) { return detalle::ADouble(detalle::LeeNumeroInicial(text)); }

// Empty counts as a number (it converts to 0); a date does not.
bool IsNumeric(const Variant& v) {
  switch (v.Type()) {
    case VarType::Null:
    case VarType::Date: return false;
    case VarType::String: {
      const auto numero = LeeNumero(v.AsString());
      if (!numero) return false;
      try {
        detalle::ADouble(*numero);
        return true;
      } catch (const Error&) {
        return false;  // a number too large to hold
      }
    }
    default: return true;
  }
}

bool IsDate(const Variant& v) {
  if (v.Type() == VarType::Date) return true;
  return v.Type() == VarType::String && detalle::LeeFecha(v.AsString()).has_value();
}

}  // namespace vb
