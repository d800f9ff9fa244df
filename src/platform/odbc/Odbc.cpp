#include "platform/odbc/Odbc.h"

#include <sql.h>

#include <algorithm>
#include <vector>

namespace odbc {

namespace {

// Copies what the driver manager wrote into the caller's buffer, without its terminator.
void CopiaAlBuffer(const std::vector<SQLCHAR>& escrito, SQLSMALLINT devuelto, std::string& buffer) {
  if (buffer.empty()) return;
  const std::size_t cabe = std::min(buffer.size(), escrito.size()) - 1;
  const std::size_t n = std::min<std::size_t>(cabe, devuelto > 0 ? static_cast<std::size_t>(devuelto) : 0);
  std::copy_n(escrito.begin(), n, buffer.begin());
}

// A buffer length never beyond the buffer the caller holds.
short Acotado(short largo, const std::string& buffer) {
  const std::size_t maximo = std::min<std::size_t>(buffer.size(), 32767);
  return static_cast<short>(std::clamp<std::size_t>(largo > 0 ? static_cast<std::size_t>(largo) : 0, 0, maximo));
}

}  // namespace

short SQLAllocEnv(HENV& henv) {
  SQLHENV entorno = SQL_NULL_HENV;
  const SQLRETURN rc = ::SQLAllocEnv(&entorno);
  henv = entorno;
  return rc;
}

short SQLDataSources(HENV henv, unsigned short direccion, std::string& nombre, short largoNombre,
                     short& largoNombreDevuelto, std::string& descripcion, short largoDescripcion,
                     short& largoDescripcionDevuelto) {
  largoNombre = Acotado(largoNombre, nombre);
  largoDescripcion = Acotado(largoDescripcion, descripcion);
  std::vector<SQLCHAR> bufNombre(static_cast<std::size_t>(largoNombre) + 1, 0);
  std::vector<SQLCHAR> bufDescripcion(static_cast<std::size_t>(largoDescripcion) + 1, 0);
  SQLSMALLINT n1 = 0;
  SQLSMALLINT n2 = 0;
  const SQLRETURN rc = ::SQLDataSources(static_cast<SQLHENV>(henv), direccion, bufNombre.data(),
                                        largoNombre, &n1, bufDescripcion.data(), largoDescripcion, &n2);
  if (rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) {
    CopiaAlBuffer(bufNombre, n1, nombre);
    CopiaAlBuffer(bufDescripcion, n2, descripcion);
  }
  largoNombreDevuelto = n1;
  largoDescripcionDevuelto = n2;
  return rc;
}

short SQLFreeEnv(HENV henv) { return ::SQLFreeEnv(static_cast<SQLHENV>(henv)); }

}  // namespace odbc
