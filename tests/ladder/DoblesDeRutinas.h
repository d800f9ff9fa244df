#pragma once
// Doubles of the version routines and of the structure synchronisation, linked into the
// ladder's test program in place of the real ones. Each call is written to one journal,
// together with the progress captions that the dialog repaints, so a test reads what a
// step did in the order it did it:
//
//   «Revisando estructura para versión 5.5...»
//   CrearBaseDeDatos(4, 0, False)          BaseDeDatos, iEstructuraBaseDeDatos, bAgregaDefault
//   ModificarEstructura55(4)
//   ActualizaCamposVersion55()
//   «Estructura modificada a versión 5.5»
//
// A routine given a connection that is not open adds " sin conexión" to its entry.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Label.h"

namespace prueba::dobles {

// The journal, in order.
std::vector<std::string>& Diario();
// Only the entries that begin with `inicio`.
std::vector<std::string> Entradas(const std::string& inicio);
// The journal's repainted captions (the entries between « »), without the marks.
std::vector<std::string> Captions();
void AnotaCaption(const std::string& caption);

// The connection strings of the connections that the routines were given, in order.
std::vector<std::string>& CadenasDeRutinas();

struct Sincronizacion {
  std::string cadena;
  std::string nombreBaseDatos;
};
std::vector<Sincronizacion>& Sincronizaciones();

// The routine `nombre` raises vb::Error(numero, descripcion) on each call (after its
// entry is written).
void FallaRutina(const std::string& nombre, long numero, const std::string& descripcion);
// The routine `nombre` meets a connection that the server dropped (SQLSTATE 08S01).
void PierdeConexionEn(const std::string& nombre);
// The synchronisation reports failure (bExisteError) when `cuando` holds for the progress
// caption at the moment it is called and the structure kind asked for.
void FallaSincronizacion(std::function<bool(const std::string& caption, int iEstructura)> cuando);
// The same for the synchronisation made under the caption `caption`.
void FallaSincronizacionCon(const std::string& caption);

// Forgets the journal and every scripted failure.
void Limpia();

// Used by the doubles themselves.
std::string Arg(int valor);
std::string Arg(bool valor);
std::string Arg(const std::string& valor);
std::string Etiqueta(ui::Label& lblMensaje, const std::string& rutina);

}  // namespace prueba::dobles
