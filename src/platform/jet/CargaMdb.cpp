#include "platform/jet/CargaMdb.h"

#include <mdbtools.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/jet/ErroresJet.h"

namespace jet {

namespace {

constexpr int kMascaraDeInicio = 0x1fff;  // the row offset without libmdb's flag bits
constexpr int kCabeceraMemo = 12;         // length and location that precede a memo or OLE value
constexpr int kTrozoOle = 8192;           // libmdb hands an OLE value over a page at a time

struct CierraMdb {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct LiberaTabla {
  void operator()(MdbTableDef* tabla) const { mdb_free_tabledef(tabla); }
};
using TablaMdb = std::unique_ptr<MdbTableDef, LiberaTabla>;

[[noreturn]] void FallaDeArchivo(const std::string& ruta, const std::string& detalle) {
  FallaJet(ado::adErrUnspecified,
           "El archivo de base de datos '" + ruta + "' está dañado: " + detalle);
}

// The declared type that keeps each Jet type's ADO type in the copy.
std::string TipoDeclarado(const MdbHandle& mdb, const MdbColumn& columna) {
  switch (columna.col_type) {
    case MDB_BOOL: return "YESNO";
    case MDB_BYTE: return "BYTE";
    case MDB_INT: return "SMALLINT";
    case MDB_LONGINT:
    case MDB_COMPLEX: return "INTEGER";
    case MDB_MONEY: return "CURRENCY";
    case MDB_FLOAT: return "SINGLE";
    case MDB_DOUBLE: return "DOUBLE";
    case MDB_DATETIME: return "DATETIME";
    case MDB_TEXT:  // Jet 4 counts the size of a text in bytes of UCS-2
      return "VARCHAR(" +
             std::to_string(mdb.f->jet_version == MDB_VER_JET3 ? columna.col_size
                                                               : columna.col_size / 2) +
             ")";
    case MDB_OLE: return "LONGBINARY";
    case MDB_MEMO: return "LONGTEXT";
    case MDB_REPID: return "GUID";
    case MDB_NUMERIC:
      return "DECIMAL(" + std::to_string(columna.col_prec) + "," +
             std::to_string(columna.col_scale) + ")";
    default:  // binary data, and kinds libmdb does not know, keep their bytes
      return "VARBINARY";
  }
}

std::string TomaTexto(char* texto) {
  std::string copia = texto ? texto : "";
  g_free(texto);
  return copia;
}

// A memo or OLE value that lies on pages the file does not have: libmdb gives it back
// empty.
struct ValorIlegible {};

std::size_t LargoGuardado(MdbHandle* mdb, const MdbField& campo) {
  return static_cast<std::size_t>(mdb_get_int32(mdb->pg_buf, campo.start) & 0x3fffffff);
}

// Text and memo values are converted to UTF-8 by libmdb into a buffer of its bind
// size; it is made large enough for the value at hand (at most three bytes of UTF-8
// for each stored byte).
std::string Texto(MdbHandle* mdb, const MdbField& campo, int tipo) {
  const bool esMemo = tipo == MDB_MEMO && campo.siz >= kCabeceraMemo;
  const std::size_t largo =
      esMemo ? LargoGuardado(mdb, campo) : static_cast<std::size_t>(campo.siz);
  mdb_set_bind_size(mdb, 3 * largo + 16);
  std::string texto = TomaTexto(mdb_col_to_string(mdb, mdb->pg_buf, campo.start, tipo, campo.siz));
  if (esMemo && largo > 0 && texto.empty()) throw ValorIlegible{};
  return texto;
}

Binario ObjetoOle(MdbHandle* mdb, MdbColumn* columna, const MdbField& campo) {
  if (campo.siz < kCabeceraMemo) return {};
  std::string trozo(kTrozoOle, '\0');
  std::memcpy(trozo.data(), mdb->pg_buf + campo.start, kCabeceraMemo);
  columna->bind_ptr = trozo.data();
  columna->cur_value_start = campo.start;
  columna->cur_value_len = campo.siz;
  std::size_t largo = 0;
  void* datos = mdb_ole_read_full(mdb, columna, &largo);
  columna->bind_ptr = nullptr;
  Binario valor{std::string(static_cast<const char*>(datos), largo)};
  std::free(datos);
  if (largo == 0 && LargoGuardado(mdb, campo) > 0) throw ValorIlegible{};
  return valor;
}

double Decimal(MdbHandle* mdb, const MdbColumn& columna, const MdbField& campo) {
  const std::string texto =
      TomaTexto(mdb_numeric_to_string(mdb, campo.start, columna.col_scale, columna.col_prec));
  double valor = 0;
  std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  return valor;
}

std::int64_t Moneda(const unsigned char* pagina, int inicio) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | pagina[inicio + i];
  return static_cast<std::int64_t>(bits);
}

ValorAlmacenado Valor(MdbHandle* mdb, MdbColumn* columna, const MdbField& campo) {
  // A yes/no value lives in the row's null mask: a set bit is Yes.
  if (columna->col_type == MDB_BOOL) return std::int64_t{campo.is_null ? 0 : 1};
  if (campo.is_null) return std::monostate{};
  unsigned char* pagina = mdb->pg_buf;
  switch (columna->col_type) {
    case MDB_BYTE: return std::int64_t{mdb_get_byte(pagina, campo.start)};
    case MDB_INT:
      return std::int64_t{static_cast<std::int16_t>(mdb_get_int16(pagina, campo.start))};
    case MDB_LONGINT:
    case MDB_COMPLEX:
      return std::int64_t{static_cast<std::int32_t>(mdb_get_int32(pagina, campo.start))};
    case MDB_MONEY: return static_cast<double>(Moneda(pagina, campo.start)) / 10000.0;
    case MDB_FLOAT: return static_cast<double>(mdb_get_single(pagina, campo.start));
    case MDB_DOUBLE:
    case MDB_DATETIME: return mdb_get_double(pagina, campo.start);
    case MDB_OLE: return ObjetoOle(mdb, columna, campo);
    case MDB_NUMERIC: return Decimal(mdb, *columna, campo);
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID: return Texto(mdb, campo, columna->col_type);
    default:
      return Binario{std::string(reinterpret_cast<const char*>(pagina) + campo.start,
                                 static_cast<std::size_t>(campo.siz))};
  }
}

MdbColumn* Columna(MdbTableDef* tabla, unsigned i) {
  return static_cast<MdbColumn*>(g_ptr_array_index(tabla->columns, i));
}

std::vector<ColumnaNueva> Columnas(const MdbHandle& mdb, MdbTableDef* tabla) {
  std::vector<ColumnaNueva> columnas;
  for (unsigned i = 0; i < tabla->num_cols; ++i) {
    const MdbColumn* columna = Columna(tabla, i);
    columnas.push_back({columna->name, TipoDeclarado(mdb, *columna)});
  }
  return columnas;
}

// The row that mdb_fetch_row has just read (row cur_row - 1 of the page it left in
// pg_buf), split into its fields. Cracking it here keeps what binding loses: whether a
// text is Null or empty.
std::vector<ValorAlmacenado> FilaActual(MdbHandle* mdb, MdbTableDef* tabla,
                                        std::vector<MdbField>& campos, const std::string& ruta) {
  int inicio = 0;
  size_t largo = 0;
  if (mdb_find_row(mdb, static_cast<int>(tabla->cur_row) - 1, &inicio, &largo) != 0 ||
      mdb_crack_row(tabla, inicio & kMascaraDeInicio, largo, campos.data()) < 0)
    FallaDeArchivo(ruta,
                   "no se puede leer una fila de la tabla '" + std::string(tabla->name) + "'");
  std::vector<ValorAlmacenado> fila(tabla->num_cols);
  try {
    for (unsigned i = 0; i < tabla->num_cols; ++i) {
      const MdbField& campo = campos[i];
      fila.at(campo.colnum) = Valor(mdb, Columna(tabla, campo.colnum), campo);
    }
  } catch (const ValorIlegible&) {
    FallaDeArchivo(
        ruta, "falta un valor largo de una fila de la tabla '" + std::string(tabla->name) + "'");
  }
  return fila;
}

void CopiaTabla(MdbHandle* mdb, MdbCatalogEntry* entrada, const BaseEnMemoria& destino,
                const std::string& ruta) {
  TablaMdb tabla(mdb_read_table(entrada));
  if (!tabla || !mdb_read_columns(tabla.get()))
    FallaDeArchivo(ruta, "no se puede leer la tabla '" + std::string(entrada->object_name) + "'");
  destino.CreaTabla(tabla->name, Columnas(*mdb, tabla.get()));
  BaseEnMemoria::Insercion insercion(destino, tabla->name, tabla->num_cols);
  std::vector<MdbField> campos(tabla->num_cols);
  unsigned filas = 0;
  mdb_rewind_table(tabla.get());
  while (mdb_fetch_row(tabla.get())) {
    insercion.Agrega(FilaActual(mdb, tabla.get(), campos, ruta));
    ++filas;
  }
  // libmdb ends a table quietly at a page it cannot read: a short count is damage.
  if (filas < tabla->num_rows)
    FallaDeArchivo(ruta, "la tabla '" + std::string(tabla->name) + "' tiene " +
                             std::to_string(tabla->num_rows) + " filas y solo se leyeron " +
                             std::to_string(filas));
}

}  // namespace

void CargaArchivoJet(const std::string& ruta, const BaseEnMemoria& destino) {
  std::unique_ptr<MdbHandle, CierraMdb> mdb(mdb_open(ruta.c_str(), MDB_NOFLAGS));
  if (!mdb)
    FallaJet(ado::adErrUnspecified, "No se reconoce el formato de base de datos '" + ruta + "'.");
  GPtrArray* catalogo = mdb_read_catalog(mdb.get(), MDB_TABLE);
  // Every Jet file lists at least its own system tables.
  if (!catalogo || catalogo->len == 0)
    FallaDeArchivo(ruta, "no se puede leer su catálogo de tablas");
  destino.Ejecuta("BEGIN");
  for (unsigned i = 0; i < catalogo->len; ++i) {
    auto* entrada = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalogo, i));
    if (entrada->object_type == MDB_TABLE) CopiaTabla(mdb.get(), entrada, destino, ruta);
  }
  destino.Ejecuta("COMMIT");
}

}  // namespace jet
