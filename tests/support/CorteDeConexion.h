#pragma once
// A database connection lost part-way, for tests of interrupted runs. While it lives,
// every ODBC connection that the code opens goes to the real driver through it (Jet
// catalogues are left alone); the statements sent on them are counted together.
//
//   prueba::CorteDeConexion corte(120);   // statement 120 and every later one fail
//   ... run the update ...
//   corte.Cortada();                      // true once it has cut
//
// From statement `desde` on (counted from 1), every statement fails and every new
// connection is refused, as when the server has gone away. With `alCortar`, the statement
// `desde` calls it first (a test that kills the real server) and then goes to the driver
// like every later one. With desde 0 nothing is cut and every statement is recorded.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace prueba {

class CorteDeConexion {
 public:
  explicit CorteDeConexion(long desde = 0, std::function<void()> alCortar = {});
  ~CorteDeConexion();
  CorteDeConexion(const CorteDeConexion&) = delete;
  CorteDeConexion& operator=(const CorteDeConexion&) = delete;

  // The statements sent before the cut, in order (all of them when it never cut).
  const std::vector<std::string>& Enviadas() const;
  bool Cortada() const;

  struct Estado;

 private:
  std::shared_ptr<Estado> estado_;
};

}  // namespace prueba
