#include "platform/ado/LectorOdbc.h"

#include <sqlext.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "platform/ado/DiagnosticoOdbc.h"
#include "platform/ado/JuegoDeCaracteres.h"
#include "platform/ado/Utf16.h"

namespace ado {

namespace {
constexpr SQLSMALLINT kSqlServerTime = -154;  // SQL Server's time(n), reported by its drivers
constexpr std::size_t kLargoDePieza = 4096;    // units read per SQLGetData call

enum class Lectura { Entero, EnteroGrande, Decimal, Doble, Bit, Fecha, Hora, Texto, Binario };

struct ColumnaOdbc {
  Lectura lectura = Lectura::Texto;
  SQLSMALLINT escala = 0;
  bool corta = false;  // TINYINT or SMALLINT: the language's 16-bit Integer
};

Lectura LecturaDeSql(SQLSMALLINT tipo) {
  switch (tipo) {
    case SQL_TINYINT: case SQL_SMALLINT: case SQL_INTEGER: return Lectura::Entero;
    case SQL_BIGINT: return Lectura::EnteroGrande;
    case SQL_DECIMAL: case SQL_NUMERIC: return Lectura::Decimal;
    case SQL_REAL: case SQL_FLOAT: case SQL_DOUBLE: return Lectura::Doble;
    case SQL_BIT: return Lectura::Bit;
    case SQL_DATE: case SQL_TIMESTAMP: case SQL_TYPE_DATE: case SQL_TYPE_TIMESTAMP:
      return Lectura::Fecha;
    case SQL_TIME: case SQL_TYPE_TIME: case kSqlServerTime: return Lectura::Hora;
    case SQL_BINARY: case SQL_VARBINARY: case SQL_LONGVARBINARY: return Lectura::Binario;
    default: return Lectura::Texto;
  }
}

vb::Variant EnteroComoVariant(std::int64_t valor, bool corta) {
  using std::numeric_limits;
  if (corta && valor >= numeric_limits<std::int16_t>::min() &&
      valor <= numeric_limits<std::int16_t>::max())
    return static_cast<std::int16_t>(valor);
  if (valor >= numeric_limits<std::int32_t>::min() && valor <= numeric_limits<std::int32_t>::max())
    return static_cast<std::int32_t>(valor);
  return static_cast<double>(valor);
}

double DobleDeTexto(const std::string& texto) {
  double valor = 0;
  std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  return valor;
}

// "-123.45" -> Currency -1234500, when the amount fits in four decimals.
std::optional<vb::Currency> CurrencyDeTexto(const std::string& texto) {
  const bool negativo = !texto.empty() && texto.front() == '-';
  const std::size_t inicio = negativo || (!texto.empty() && texto.front() == '+') ? 1 : 0;
  const std::size_t punto = texto.find('.', inicio);
  const std::string entera = texto.substr(inicio, punto - inicio);
  std::string fraccion = punto == std::string::npos ? "" : texto.substr(punto + 1);
  if (fraccion.find_first_not_of('0', 4) != std::string::npos) return std::nullopt;
  fraccion = (fraccion + "0000").substr(0, 4);
  std::int64_t unidades = 0, diezmilesimos = 0;
  const auto [finEntera, errEntera] =
      std::from_chars(entera.data(), entera.data() + entera.size(), unidades);
  const auto [finFraccion, errFraccion] =
      std::from_chars(fraccion.data(), fraccion.data() + 4, diezmilesimos);
  const bool leido = (entera.empty() || (errEntera == std::errc() &&
                                          finEntera == entera.data() + entera.size())) &&
                     errFraccion == std::errc() && finFraccion == fraccion.data() + 4;
  if (!leido || unidades > (std::numeric_limits<std::int64_t>::max() - 9999) / 10000)
    return std::nullopt;
  const std::int64_t escalado = unidades * 10000 + diezmilesimos;
  return vb::Currency{negativo ? -escalado : escalado};
}

class LectorDeFila {
 public:
  LectorDeFila(SQLHSTMT sentencia, const std::string& origen, const LecturaDeTexto& texto)
      : sentencia_(sentencia), origen_(origen), texto_(texto) {}

  vb::Variant Lee(SQLUSMALLINT numero, const ColumnaOdbc& columna) {
    switch (columna.lectura) {
      case Lectura::Entero: return LeeEntero(numero, columna.corta);
      case Lectura::EnteroGrande: return LeeEnteroGrande(numero);
      case Lectura::Decimal: return LeeDecimal(numero, columna.escala);
      case Lectura::Doble: return LeeFijo<double>(numero, SQL_C_DOUBLE, [](double v) { return v; });
      case Lectura::Bit:
        return LeeFijo<unsigned char>(numero, SQL_C_BIT, [](unsigned char v) { return v != 0; });
      case Lectura::Fecha: return LeeFecha(numero);
      case Lectura::Hora: return LeeHora(numero);
      case Lectura::Texto: return LeeTexto(numero);
      case Lectura::Binario: return LeeBinario(numero);
    }
    return vb::Variant::Null();
  }

 private:
  // A value of fixed size; Null when the column is NULL.
  template <typename T, typename Convierte>
  vb::Variant LeeFijo(SQLUSMALLINT numero, SQLSMALLINT tipoC, Convierte convierte) {
    T valor{};
    SQLLEN indicador = 0;
    Verifica(SQLGetData(sentencia_, numero, tipoC, &valor, sizeof valor, &indicador));
    if (indicador == SQL_NULL_DATA) return vb::Variant::Null();
    return vb::Variant(convierte(valor));
  }

  vb::Variant LeeEntero(SQLUSMALLINT numero, bool corta) {
    return LeeFijo<SQLBIGINT>(numero, SQL_C_SBIGINT,
                              [corta](SQLBIGINT v) { return EnteroComoVariant(v, corta); });
  }

  // BIGINT may be unsigned beyond the signed range: read as text.
  vb::Variant LeeEnteroGrande(SQLUSMALLINT numero) {
    const std::optional<std::string> texto = LeeTextoCorto(numero);
    if (!texto) return vb::Variant::Null();
    std::int64_t valor = 0;
    const auto [fin, error] = std::from_chars(texto->data(), texto->data() + texto->size(), valor);
    if (error == std::errc() && fin == texto->data() + texto->size())
      return EnteroComoVariant(valor, false);
    return DobleDeTexto(*texto);
  }

  vb::Variant LeeDecimal(SQLUSMALLINT numero, SQLSMALLINT escala) {
    const std::optional<std::string> texto = LeeTextoCorto(numero);
    if (!texto) return vb::Variant::Null();
    if (escala <= 4)
      if (const std::optional<vb::Currency> importe = CurrencyDeTexto(*texto)) return *importe;
    return DobleDeTexto(*texto);
  }

  vb::Variant LeeFecha(SQLUSMALLINT numero) {
    SQL_TIMESTAMP_STRUCT f{};
    SQLLEN indicador = 0;
    Verifica(SQLGetData(sentencia_, numero, SQL_C_TYPE_TIMESTAMP, &f, sizeof f, &indicador));
    // MySQL's zero date ('0000-00-00') names no day: the language has no value for it.
    if (indicador == SQL_NULL_DATA || f.month == 0 || f.day == 0) return vb::Variant::Null();
    return SerialDeFechaHora(f.year, f.month, f.day, f.hour, f.minute, f.second);
  }

  vb::Variant LeeHora(SQLUSMALLINT numero) {
    SQL_TIME_STRUCT h{};
    SQLLEN indicador = 0;
    Verifica(SQLGetData(sentencia_, numero, SQL_C_TYPE_TIME, &h, sizeof h, &indicador));
    if (indicador == SQL_NULL_DATA) return vb::Variant::Null();
    return vb::DateTime{(h.hour * 3600.0 + h.minute * 60.0 + h.second) / 86400.0};
  }

  vb::Variant LeeTexto(SQLUSMALLINT numero) {
    if (!texto_.juegoDeBytes.empty()) {
      std::vector<char> bytes;
      if (!LeeEnPartes(numero, SQL_C_BINARY, bytes)) return vb::Variant::Null();
      return AUtf8(std::string(bytes.begin(), bytes.end()), texto_.juegoDeBytes);
    }
    std::vector<char16_t> datos;
    if (!LeeEnPartes(numero, SQL_C_WCHAR, datos)) return vb::Variant::Null();
    return Utf16AUtf8(std::u16string(datos.begin(), datos.end()));
  }

  vb::Variant LeeBinario(SQLUSMALLINT numero) {
    std::vector<char> datos;
    if (!LeeEnPartes(numero, SQL_C_BINARY, datos)) return vb::Variant::Null();
    return std::string(datos.begin(), datos.end());
  }

  // Text of a number, read narrow (digits, sign and point only).
  std::optional<std::string> LeeTextoCorto(SQLUSMALLINT numero) {
    std::vector<char> datos;
    if (!LeeEnPartes(numero, SQL_C_CHAR, datos)) return std::nullopt;
    return std::string(datos.begin(), datos.end());
  }

  // Reads a value of any length piece by piece until the driver has no more (SQL_NO_DATA,
  // or a piece that was not cut short). False when the column is NULL.
  template <typename T>
  bool LeeEnPartes(SQLUSMALLINT numero, SQLSMALLINT tipoC, std::vector<T>& datos) {
    const bool terminado = tipoC != SQL_C_BINARY;
    std::vector<T> pieza(kLargoDePieza);
    while (true) {
      // A value no text holds where no character was written: the piece ends at the last
      // NUL before it, the terminator the driver puts after the piece's characters.
      if (terminado) std::fill(pieza.begin(), pieza.end(), static_cast<T>(~T{}));
      SQLLEN indicador = 0;
      const SQLRETURN rc = SQLGetData(sentencia_, numero, tipoC, pieza.data(),
                                      static_cast<SQLLEN>(pieza.size() * sizeof(T)), &indicador);
      if (rc == SQL_NO_DATA) return true;
      Verifica(rc);
      if (indicador == SQL_NULL_DATA) return false;
      // Cut short: the driver says so (01004), or reports more than the piece holds.
      const std::size_t capacidad = pieza.size() - (terminado ? 1 : 0);
      const bool cortada =
          rc == SQL_SUCCESS_WITH_INFO &&
          (HayTruncamiento() || indicador == SQL_NO_TOTAL ||
           static_cast<std::size_t>(indicador) / sizeof(T) > capacidad);
      const std::size_t leidos =
          terminado ? LargoTerminado(pieza, indicador) : LargoBinario(pieza, indicador, cortada);
      datos.insert(datos.end(), pieza.begin(), pieza.begin() + static_cast<std::ptrdiff_t>(leidos));
      if (!cortada) return true;
    }
  }

  // The characters before the driver's terminator. The reported length is used only when
  // no terminator can be found: it miscounts some characters and stops at a NUL.
  template <typename T>
  static std::size_t LargoTerminado(const std::vector<T>& pieza, SQLLEN indicador) {
    for (std::size_t n = pieza.size(); n-- > 0;)
      if (pieza[n] == T{}) return n;
    const std::size_t reportados =
        indicador == SQL_NO_TOTAL ? pieza.size() : static_cast<std::size_t>(indicador) / sizeof(T);
    return std::min(reportados, pieza.size());
  }

  // Binary pieces carry no terminator: a cut piece fills the buffer, the last one holds
  // the bytes the driver reports (never more than the buffer).
  template <typename T>
  static std::size_t LargoBinario(const std::vector<T>& pieza, SQLLEN indicador, bool cortada) {
    if (cortada || indicador == SQL_NO_TOTAL) return pieza.size();
    return std::min(static_cast<std::size_t>(indicador) / sizeof(T), pieza.size());
  }

  // Whether the last SQLGetData left part of the value for the next call (01004).
  bool HayTruncamiento() const {
    SQLWCHAR estado[6] = {};
    SQLINTEGER nativo = 0;
    SQLSMALLINT largo = 0;
    for (SQLSMALLINT n = 1; ExitoOdbc(SQLGetDiagRecW(SQL_HANDLE_STMT, sentencia_, n, estado,
                                                     &nativo, nullptr, 0, &largo));
         ++n)
      if (TextoTerminado(reinterpret_cast<const char16_t*>(estado), 5) == "01004") return true;
    return false;
  }

  void Verifica(SQLRETURN rc) { VerificaOdbc(rc, SQL_HANDLE_STMT, sentencia_, origen_, "SQLGetData"); }

  SQLHSTMT sentencia_;
  const std::string& origen_;
  const LecturaDeTexto& texto_;
};

// The name is taken up to its terminator (see TextoTerminado); a buffer that holds no
// terminator was too small and is doubled.
std::string NombreDeColumna(SQLHSTMT sentencia, SQLUSMALLINT numero, SQLSMALLINT& tipo,
                            SQLSMALLINT& escala, SQLSMALLINT& nulos, const std::string& origen) {
  std::vector<SQLWCHAR> nombre(256);
  while (true) {
    std::fill(nombre.begin(), nombre.end(), SQLWCHAR{1});
    SQLSMALLINT largo = 0;
    SQLULEN tamano = 0;
    VerificaOdbc(SQLDescribeColW(sentencia, numero, nombre.data(),
                                 static_cast<SQLSMALLINT>(nombre.size()), &largo, &tipo, &tamano,
                                 &escala, &nulos),
                 SQL_HANDLE_STMT, sentencia, origen, "SQLDescribeColW");
    const bool completo = std::find(nombre.begin(), nombre.end(), SQLWCHAR{0}) != nombre.end();
    if (completo || nombre.size() >= 16384)
      return TextoTerminado(reinterpret_cast<const char16_t*>(nombre.data()), nombre.size());
    nombre.resize(nombre.size() * 2);
  }
}
}  // namespace

vb::DateTime SerialDeFechaHora(int anio, int mes, int dia, int hora, int minuto, int segundo) {
  using namespace std::chrono;
  const sys_days fecha = year{anio} / month{static_cast<unsigned>(mes)} /
                         day{static_cast<unsigned>(dia)};
  const double dias = (fecha - sys_days{year{1899} / December / 30}).count();
  const double fraccion = (hora * 3600.0 + minuto * 60.0 + segundo) / 86400.0;
  // Before the epoch the day count is negative and the time still counts forward
  // from midnight: the language writes 1899-12-29 06:00 as -1.25.
  return vb::DateTime{dias < 0 ? dias - fraccion : dias + fraccion};
}

DataTypeEnum TipoAdoDeSql(SQLSMALLINT tipoSql) {
  switch (tipoSql) {
    case SQL_CHAR: return adChar;
    case SQL_VARCHAR: return adVarChar;
    case SQL_LONGVARCHAR: return adLongVarChar;
    case SQL_WCHAR: return adWChar;
    case SQL_WVARCHAR: return adVarWChar;
    case SQL_WLONGVARCHAR: return adLongVarWChar;
    case SQL_TINYINT: return adTinyInt;
    case SQL_SMALLINT: return adSmallInt;
    case SQL_INTEGER: return adInteger;
    case SQL_BIGINT: return adBigInt;
    case SQL_DECIMAL: return adDecimal;
    case SQL_NUMERIC: return adNumeric;
    case SQL_REAL: return adSingle;
    case SQL_FLOAT: case SQL_DOUBLE: return adDouble;
    case SQL_BIT: return adBoolean;
    case SQL_DATE: case SQL_TYPE_DATE: return adDBDate;
    case SQL_TIME: case SQL_TYPE_TIME: case kSqlServerTime: return adDBTime;
    case SQL_TIMESTAMP: case SQL_TYPE_TIMESTAMP: return adDBTimeStamp;
    case SQL_BINARY: return adBinary;
    case SQL_VARBINARY: return adVarBinary;
    case SQL_LONGVARBINARY: return adLongVarBinary;
    case SQL_GUID: return adGUID;
    default: return adVariant;
  }
}

RowSet LeeResultado(SQLHSTMT sentencia, const std::string& origen, const LecturaDeTexto& texto) {
  RowSet resultado;
  SQLSMALLINT columnas = 0;
  VerificaOdbc(SQLNumResultCols(sentencia, &columnas), SQL_HANDLE_STMT, sentencia, origen,
               "SQLNumResultCols");
  if (columnas == 0) {
    SQLLEN filas = -1;
    if (!ExitoOdbc(SQLRowCount(sentencia, &filas))) filas = -1;
    resultado.rowsAffected = static_cast<long>(filas);
    return resultado;
  }
  resultado.hasResult = true;
  std::vector<ColumnaOdbc> lecturas;
  for (SQLUSMALLINT n = 1; n <= columnas; ++n) {
    SQLSMALLINT tipo = 0, escala = 0, nulos = SQL_NULLABLE_UNKNOWN;
    std::string nombre = NombreDeColumna(sentencia, n, tipo, escala, nulos, origen);
    const long atributos = nulos == SQL_NO_NULLS ? 0
                           : nulos == SQL_NULLABLE ? adFldIsNullable | adFldMayBeNull
                                                   : adFldMayBeNull;
    resultado.columns.push_back({std::move(nombre), TipoAdoDeSql(tipo), atributos});
    lecturas.push_back({LecturaDeSql(tipo), escala, tipo == SQL_TINYINT || tipo == SQL_SMALLINT});
  }
  LectorDeFila lector(sentencia, origen, texto);
  while (true) {
    const SQLRETURN rc = SQLFetch(sentencia);
    if (rc == SQL_NO_DATA) break;
    VerificaOdbc(rc, SQL_HANDLE_STMT, sentencia, origen, "SQLFetch");
    std::vector<vb::Variant> fila;
    for (SQLUSMALLINT n = 1; n <= columnas; ++n) fila.push_back(lector.Lee(n, lecturas[n - 1]));
    resultado.rows.push_back(std::move(fila));
  }
  return resultado;
}

}  // namespace ado
