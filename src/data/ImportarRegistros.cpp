// The record import: copies the rows of every "tbl" table of a source database into a
// destination database, one INSERT per row. Finished tables are noted in the work file
// QZTMP.MDB of the program folder, so that a copy that was stopped goes on with the
// tables not yet done. A row that cannot be written is put to the user (abort, retry,
// ignore) and noted in QZError.log.
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"

namespace {

// Tables whose rows are added to what the destination already holds.
constexpr const char* kTablaSinVaciar = "tblMenus";
// Tables whose rows the destination may reject as malformed without asking the user.
constexpr const char* kTablasDeOmisionCallada[] = {"tblConceptoIE", "tblFolios"};

std::string CadenaTrabajo() {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + gRutaApp +
         "\\QZTMP.MDB;Persist Security Info=False;Jet OLEDB:Database Password=";
}

// ------------------------------------------------------------------- values

// The class's literal routines, in the MySQL form that the import always writes.
struct Literales {
  std::function<std::string(std::int16_t, vb::DateTime)> fecHr;
  std::function<std::string(std::string)> limpiaComillas;
};

bool EsNumero(ado::DataTypeEnum tipo) {
  switch (tipo) {
    case ado::adSmallInt: case ado::adInteger: case ado::adSingle: case ado::adDouble:
    case ado::adCurrency: case ado::adDecimal: case ado::adTinyInt: case ado::adBigInt:
    case ado::adNumeric:
      return true;
    default:
      return false;
  }
}

bool EsFechaOHora(ado::DataTypeEnum tipo) {
  return tipo == ado::adDate || tipo == ado::adDBDate || tipo == ado::adDBTime;
}

// Text of every kind goes between quotes; the fixed-width and OLE texts too, which would
// otherwise reach the statement unquoted.
bool EsTexto(ado::DataTypeEnum tipo) {
  switch (tipo) {
    case ado::adChar: case ado::adVarChar: case ado::adLongVarChar: case ado::adVarWChar:
    case ado::adLongVarWChar: case ado::adWChar: case ado::adBSTR: case ado::adGUID:
      return true;
    default:
      return false;
  }
}

bool EsBinario(ado::DataTypeEnum tipo) {
  return tipo == ado::adBinary || tipo == ado::adVarBinary || tipo == ado::adLongVarBinary;
}

bool EsHora(const std::string& campo) {
  return vb::InStr(campo, "HORA") > 0 || vb::InStr(campo, "HR_GENERA") > 0;
}

// Bytes as a MySQL hexadecimal literal.
std::string Hexadecimal(const std::string& bytes) {
  static constexpr char kDigitos[] = "0123456789ABCDEF";
  std::string literal = "0x";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    literal += {kDigitos[b >> 4], kDigitos[b & 15]};
  }
  return literal;
}

// The item of one field in the VALUES list. A date-time keeps its time of day, and bytes
// are written as a hexadecimal literal: as bare text neither would be valid SQL.
std::string ValorSql(const ado::Field& campo, const Literales& literales) {
  const vb::Variant valor = campo.Value();
  if (valor.IsNull() || vb::CStr(valor).empty()) return EsNumero(campo.Type) ? "0" : "''";
  if (EsFechaOHora(campo.Type))
    return literales.fecHr(EsHora(campo.Name) ? FecHrHora : FecHrFecha, vb::CDate(valor));
  if (campo.Type == ado::adDBTimeStamp)
    return "'" + vb::Format(valor, "YYYY-MM-DD HH:MM:SS") + "'";
  if (EsTexto(campo.Type)) return "'" + literales.limpiaComillas(vb::CStr(valor)) + "'";
  if (campo.Type == ado::adBoolean) return vb::CBool(valor) ? "-1" : "0";
  if (EsBinario(campo.Type)) return Hexadecimal(vb::CStr(valor));
  return vb::CStr(valor);
}

// ------------------------------------------------------------------- the copy

// One row to be added: the statement and the parts the user and the error file see.
struct Fila {
  std::string tabla;
  std::string columnas;
  std::string valores;

  std::string Sentencia() const {
    return "INSERT INTO " + tabla + " (" + columnas + ") VALUES (" + valores + ");";
  }
};

std::string ListaDeColumnas(const ado::Recordset& rs) {
  std::string lista;
  for (int i = 0; i < rs.FieldCount(); ++i) lista += (i ? "," : "") + rs.Fields(i).Name;
  return lista;
}

std::string ListaDeValores(const ado::Recordset& rs, const Literales& literales) {
  std::string lista;
  for (int i = 0; i < rs.FieldCount(); ++i)
    lista += (i ? "," : "") + ValorSql(rs.Fields(i), literales);
  return lista;
}

// Appends lines, each ended by CR LF, to QZError.log in the program folder.
void EscribeEnQZError(const std::vector<std::string>& lineas) {
  const std::string ruta = win::RutaLocal(gRutaApp + "\\QZError.log");
  std::ofstream archivo(ruta, std::ios::out | std::ios::app | std::ios::binary);
  for (const std::string& linea : lineas) archivo << linea << "\r\n";
  archivo.close();
  if (archivo.fail()) vb::RaiseSobre(vb::err::PathFileAccessError, "'" + ruta + "'");
}

class Importacion {
 public:
  Importacion(bool& hayError, ui::Label& lblMensaje, Literales literales)
      : hayError_(hayError), lblMensaje_(lblMensaje), literales_(std::move(literales)) {}

  void Ejecuta(const std::string& origen, const std::string& destino) {
    cnxTrabajo_.Open(CadenaTrabajo(), "", "");
    cnxOrigen_.Open(origen, "", "");
    cnxDestino_.Open(destino, "", "");
    for (const std::string& tabla : ado::TablasDe(cnxOrigen_))
      if (tabla.rfind("tbl", 0) == 0 && !CopiaTabla(tabla)) return;  // the user stopped it
  }

 private:
  // False when the user stopped the copy.
  bool CopiaTabla(const std::string& tabla) {
    lblMensaje_.Caption = tabla;
    if (YaCopiada(tabla)) return true;
    ado::Recordset filas;
    filas.Open("SELECT * FROM " + tabla + ";", cnxOrigen_, ado::adOpenForwardOnly,
               ado::adLockReadOnly);
    // Emptied only now that its source rows are read: a source that fails loses nothing.
    VaciaDestino(tabla);
    if (!CopiaFilas(tabla, filas)) return false;
    filas.Close();
    cnxTrabajo_.Execute("INSERT INTO TablasOk (NOM_TABLA) VALUES ('" +
                        TextoSql(tabla, ManejadorAccess) + "');");
    return true;
  }

  bool YaCopiada(const std::string& tabla) {
    ado::Recordset rs;
    rs.Open("SELECT NOM_TABLA FROM TablasOk WHERE NOM_TABLA='" +
                TextoSql(tabla, ManejadorAccess) + "';",
            cnxTrabajo_, ado::adOpenForwardOnly, ado::adLockReadOnly);
    const bool copiada = !rs.Eof();
    rs.Close();
    return copiada;
  }

  // A table the destination lacks is passed over here and fails at its first row.
  void VaciaDestino(const std::string& tabla) {
    if (vb::IgualesSinMayusculas(tabla, kTablaSinVaciar)) return;
    try {
      cnxDestino_.Execute("DELETE FROM " + tabla);
    } catch (const vb::Error&) {
    }
  }

  bool CopiaFilas(const std::string& tabla, ado::Recordset& filas) {
    if (filas.Eof()) return true;
    const std::string columnas = ListaDeColumnas(filas);
    for (long registro = 1; !filas.Eof(); ++registro) {
      if (!AgregaFila({tabla, columnas, ListaDeValores(filas, literales_)})) return false;
      filas.MoveNext();
      lblMensaje_.Caption = "<" + tabla + "> # de Registro:" + std::to_string(registro);
      ui::DoEvents();
    }
    return true;
  }

  // Sends the row until it is written or the user lets it go; false when the user
  // stops the copy.
  bool AgregaFila(const Fila& fila) {
    std::optional<vb::Error> falla;
    while ((falla = Envia(fila))) {
      hayError_ = true;
      const ui::Respuesta respuesta = Decide(*falla, fila);
      // Abort, or a box closed without an answer, stops the copy; nothing is noted.
      if (respuesta != ui::Respuesta::Retry && respuesta != ui::Respuesta::Ignore) return false;
      AnotaFalla(*falla, fila, respuesta == ui::Respuesta::Retry);
      hayError_ = false;
      if (respuesta == ui::Respuesta::Ignore) return true;
    }
    return true;
  }

  std::optional<vb::Error> Envia(const Fila& fila) {
    try {
      cnxDestino_.Execute(fila.Sentencia(), nullptr, ado::adCmdText | ado::adExecuteNoRecords);
      return std::nullopt;
    } catch (const vb::Error& error) {
      return error;
    }
  }

  static ui::Respuesta Decide(const vb::Error& falla, const Fila& fila) {
    if (falla.Number() == ado::adErrSyntax && DeOmisionCallada(fila.tabla))
      return ui::Respuesta::Ignore;
    const std::string texto = falla.Description() + vb::vbCrLf + vb::vbCrLf + "AGREGAR A" +
                              vb::vbCrLf + "TABLA : " + fila.tabla + vb::vbCrLf +
                              "CAMPOS : " + fila.columnas + vb::vbCrLf + "VALORES : " +
                              fila.valores;
    return ui::MsgBox(texto, ui::Botones::AbortRetryIgnore, ui::Icono::Critico,
                      std::to_string(falla.Number()));
  }

  // SQL table names do not depend on letter case, whatever case the catalogue gives.
  static bool DeOmisionCallada(const std::string& tabla) {
    for (const char* omitida : kTablasDeOmisionCallada)
      if (vb::IgualesSinMayusculas(tabla, omitida)) return true;
    return false;
  }

  static void AnotaFalla(const vb::Error& falla, const Fila& fila, bool reintento) {
    std::vector<std::string> lineas = {"",
                                       reintento ? "Error :" : "Error Omitido :",
                                       falla.Description(),
                                       "AGREGAR A",
                                       "TABLA : " + fila.tabla,
                                       "CAMPOS :" + fila.columnas,
                                       "VALORES :" + fila.valores};
    if (reintento) lineas.push_back("Reintentar");
    EscribeEnQZError(lineas);
  }

  bool& hayError_;
  ui::Label& lblMensaje_;
  Literales literales_;
  ado::Connection cnxTrabajo_;
  ado::Connection cnxOrigen_;
  ado::Connection cnxDestino_;
};

}  // namespace

// HayError is true afterwards only when the user stopped the copy. Any failure other
// than a row that cannot be written reaches the caller.
void clsBaseDatos::ImportarRegistros(const vb::Variant& cnxStringOrigen,
                                     const std::string& cnxStringDestino,
                                     ui::Label& lblMensaje) {
  mHayError = false;
  Literales literales{
      [this](std::int16_t iFecHr, vb::DateTime valor) {
        return GeneraFecHr(iFecHr, valor, ManejadorMySQL);
      },
      [this](std::string texto) { return LimpiaComillas(texto, ManejadorMySQL); }};
  Importacion(mHayError, lblMensaje, std::move(literales))
      .Ejecuta(vb::CStr(cnxStringOrigen), cnxStringDestino);
}

// Every apostrophe becomes "´" and every double quote "”", so that the text can stand
// between quotes; then, for every dialect but MS Access, every backslash is doubled. On
// MySQL a NUL then becomes its escape \0, as the driver would end the statement there.
std::string clsBaseDatos::LimpiaComillas(std::string& Cadena, std::int16_t iTipoBD) {
  Cadena = vb::Replace(vb::Replace(Cadena, "'", "´"), "\"", "”");
  if (vb::InStr(Cadena, "\\") > 0) ConvierteBackSlash(Cadena, iTipoBD);
  if (iTipoBD == ManejadorMySQL && Cadena.find('\0') != std::string::npos)
    Cadena = vb::Replace(Cadena, std::string(1, '\0'), "\\0");
  return Cadena;
}
