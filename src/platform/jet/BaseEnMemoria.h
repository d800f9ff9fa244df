#pragma once
// The in-memory SQLite database that holds the copy of a Jet file. Text columns are
// declared with a collation of the copy's own that orders them as in lower case
// (vb::LCase), so the copy compares and sorts text without regard to case, accented
// letters included, as Jet does.
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace jet {

// A prepared statement, finalised with its owner.
struct FinalizaSentencia {
  void operator()(sqlite3_stmt* sentencia) const { sqlite3_finalize(sentencia); }
};
using Sentencia = std::unique_ptr<sqlite3_stmt, FinalizaSentencia>;

struct ColumnaNueva {
  std::string nombre;
  std::string tipoDeclarado;  // decides the ADO type the column is reported as
};

// A value to store: Null, a whole number, a number, a text, or raw bytes.
struct Binario {
  std::string bytes;
};
using ValorAlmacenado = std::variant<std::monostate, std::int64_t, double, std::string, Binario>;

// "name" quoted as an SQL identifier.
std::string IdentificadorSql(const std::string& nombre);

class BaseEnMemoria {
 public:
  BaseEnMemoria();
  ~BaseEnMemoria();
  BaseEnMemoria(const BaseEnMemoria&) = delete;
  BaseEnMemoria& operator=(const BaseEnMemoria&) = delete;

  sqlite3* Conexion() const { return db_; }

  // Prepares one statement; failures are raised as provider errors. `resto`, when
  // given, receives what follows the first statement of the text.
  Sentencia Prepara(const std::string& sql, std::string* resto = nullptr) const;
  // Runs a statement that returns no rows.
  void Ejecuta(const std::string& sql) const;

  void CreaTabla(const std::string& nombre, const std::vector<ColumnaNueva>& columnas) const;

  // Adds rows to one table, every value in column order.
  class Insercion {
   public:
    Insercion(const BaseEnMemoria& base, const std::string& tabla, std::size_t columnas);
    void Agrega(const std::vector<ValorAlmacenado>& fila);

   private:
    const BaseEnMemoria& base_;
    Sentencia sentencia_;
  };

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace jet
