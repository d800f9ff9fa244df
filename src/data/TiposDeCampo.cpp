// The column type text of each engine for a catalogue type code.
#include <array>
#include <string_view>

#include "data/clsBaseDatos.h"

namespace {

constexpr std::int16_t TipoTexto = 9;

struct TiposDeMotor {
  std::string_view mysql;
  std::string_view sqlServer;
};

// Indexed by type code; code 9 is built from its length and has no entry of its own.
constexpr std::array<TiposDeMotor, 16> kTipos{{
    {"SMALLINT NOT NULL DEFAULT 0", "SMALLINT NOT NULL DEFAULT(0)"},
    {"TINYINT NOT NULL DEFAULT 0", "TINYINT NOT NULL DEFAULT(0)"},
    {"SMALLINT NOT NULL DEFAULT 0", "SMALLINT NOT NULL DEFAULT(0)"},
    {"BIGINT NOT NULL DEFAULT 0", "BIGINT NOT NULL DEFAULT(0)"},
    {"DECIMAL(13,4) NOT NULL DEFAULT 0.0000", "DECIMAL(13,4) NOT NULL DEFAULT(0.0000)"},
    {"DOUBLE NOT NULL DEFAULT 0.0000", "REAL NOT NULL DEFAULT(0.0000)"},
    {"DOUBLE NOT NULL DEFAULT 0.0000", "REAL NOT NULL DEFAULT(0.0000)"},
    {"DATE NOT NULL", "DATE"},
    {"", ""},
    {"", ""},
    {"DATETIME", "DATETIME"},
    {"TEXT NOT NULL", "TEXT"},
    {"TIME NULL", "TIME"},
    {"BIGINT NOT NULL AUTO_INCREMENT UNIQUE", "BIGINT NOT NULL IDENTITY(1,1) UNIQUE"},
    {"LONGTEXT NOT NULL", "nvarchar(max)"},
    {"LONGBLOB", "nvarchar(max)"},
}};

bool TieneTipo(std::int16_t iTipo) {
  return iTipo >= 0 && iTipo < static_cast<std::int16_t>(kTipos.size());
}

}  // namespace

std::string clsBaseDatos::TipoCampoMySQL(std::int16_t iTipo, std::int16_t iValor) {
  if (iTipo == TipoTexto) return "VARCHAR(" + std::to_string(iValor) + ") NOT NULL DEFAULT ''";
  return TieneTipo(iTipo) ? std::string(kTipos[iTipo].mysql) : std::string();
}

std::string clsBaseDatos::TipoCampoSQLServer(std::int16_t iTipo, std::int16_t iValor) {
  if (iTipo == TipoTexto) return "VARCHAR(" + std::to_string(iValor) + ") NOT NULL DEFAULT('')";
  return TieneTipo(iTipo) ? std::string(kTipos[iTipo].sqlServer) : std::string();
}
