#include "platform/jet/SesionJet.h"

#include "platform/jet/ErroresJet.h"
#include "platform/jet/TiposJet.h"
#include "platform/vb/Text.h"

namespace jet {

namespace {

bool SoloBlancosOPuntoYComa(const std::string& texto) {
  return texto.find_first_not_of(" \t\r\n;") == std::string::npos;
}

// Jet names a field by its column alone, and qualifies it with its table ("tbl.Campo")
// when another field of the result has the same name, as in SELECT * over a join.
std::vector<std::string> NombresDeCampos(sqlite3_stmt* sentencia) {
  const int total = sqlite3_column_count(sentencia);
  std::vector<std::string> nombres;
  for (int i = 0; i < total; ++i) nombres.emplace_back(sqlite3_column_name(sentencia, i));
  std::vector<std::string> resultado = nombres;
  for (int i = 0; i < total; ++i) {
    int iguales = 0;
    for (const std::string& otro : nombres) iguales += vb::IgualesSinMayusculas(otro, nombres[i]);
    const char* tabla = sqlite3_column_table_name(sentencia, i);
    const char* origen = sqlite3_column_origin_name(sentencia, i);
    if (iguales > 1 && tabla && origen) resultado[i] = std::string(tabla) + "." + origen;
  }
  return resultado;
}

std::vector<ado::Column> Columnas(sqlite3_stmt* sentencia) {
  std::vector<ado::Column> columnas;
  const std::vector<std::string> nombres = NombresDeCampos(sentencia);
  for (int i = 0; i < static_cast<int>(nombres.size()); ++i) {
    const char* declarado = sqlite3_column_decltype(sentencia, i);
    columnas.push_back({nombres[i], TipoAdoDeclarado(declarado ? declarado : "")});
  }
  return columnas;
}

// A computed field takes its type from the first value it holds.
void TipificaCalculados(sqlite3_stmt* sentencia, std::vector<ado::Column>& columnas) {
  for (int i = 0; i < static_cast<int>(columnas.size()); ++i)
    if (columnas[i].type == ado::adVariant) columnas[i].type = TipoAdoDeValor(sentencia, i);
}

}  // namespace

SesionJet::SesionJet(std::string ruta, std::unique_ptr<BaseEnMemoria> base,
                     std::unique_ptr<EscrituraSqlite> escritura)
    : ruta_(std::move(ruta)), base_(std::move(base)), escritura_(std::move(escritura)) {}

ado::RowSet SesionJet::Escribe(sqlite3_stmt* sentencia, const Efectos& efectos) {
  if (!escritura_ || efectos.otrosCambios)
    FallaJet(ado::adErrUnspecified,
             "No se puede actualizar. La base de datos '" + ruta_ + "' se abrió de sólo lectura.");
  ado::RowSet resultado;
  resultado.rowsAffected = escritura_->Ejecuta(*base_, sentencia, efectos);
  return resultado;
}

ado::RowSet SesionJet::Execute(const std::string& sql, long) {
  std::string resto;
  Efectos efectos;
  Sentencia sentencia = PreparaAnotando(*base_, sql, &resto, efectos);
  if (!sentencia) FallaJet(ado::adErrSyntax, "Instrucción SQL no válida: '" + sql + "'.");
  if (!SoloBlancosOPuntoYComa(resto))
    FallaJet(ado::adErrSyntax,
             "Se encontraron caracteres después del final de la instrucción SQL.");
  if (!sqlite3_stmt_readonly(sentencia.get())) return Escribe(sentencia.get(), efectos);
  ado::RowSet resultado;
  resultado.columns = Columnas(sentencia.get());
  resultado.hasResult = !resultado.columns.empty();
  int paso = SQLITE_ROW;
  while ((paso = sqlite3_step(sentencia.get())) == SQLITE_ROW) {
    if (resultado.rows.empty()) TipificaCalculados(sentencia.get(), resultado.columns);
    std::vector<vb::Variant> fila;
    for (int i = 0; i < static_cast<int>(resultado.columns.size()); ++i)
      fila.push_back(ValorDeColumna(sentencia.get(), i, resultado.columns[i].type));
    resultado.rows.push_back(std::move(fila));
  }
  if (paso != SQLITE_DONE)
    FallaDeSentencia(sqlite3_extended_errcode(base_->Conexion()),
                     sqlite3_errmsg(base_->Conexion()));
  return resultado;
}

}  // namespace jet
