#pragma once
// The descriptions that our own layers give their errors, as the user reads them in a box
// or in the run log. Written out here rather than taken from the code, so that a test
// fails when one of them changes.
namespace prueba {

// 6, 13 and 94: the language runtime's conversions.
inline constexpr const char* kDesbordamiento =
    "Desbordamiento: el valor no cabe en el tipo de dato que lo recibe";
inline constexpr const char* kTipoNoEsperado = "El valor no es del tipo de dato esperado";
inline constexpr const char* kNuloNoValido =
    "Se encontró un valor nulo (Null) donde se necesita un dato";
// 3704 and 3265: a recordset that is closed, a field that it does not have.
inline constexpr const char* kObjetoCerrado =
    "No se puede realizar la operación: el objeto está cerrado.";
inline constexpr const char* kNoEstaEnLaColeccion =
    "No se encuentra en la colección ningún elemento con el nombre o el número indicado.";

}  // namespace prueba
