// The catalogue's default rows of one table, added to the database being synchronised.
#include "data/Catalogo.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"

namespace {

constexpr unsigned kPausaAntesDeLaTabla = 200;  // milliseconds

// Tables whose rows the suite writes itself; the catalogue's rows never go there.
bool TablaSinRegistrosDefault(const std::string& sNombre) {
  const std::string nombre = vb::LCase(sNombre);
  return nombre == "tblcatalmacenes" || nombre == "tblpvconfigura";
}

// Numeric keys that are kept as text in the database.
bool ColumnaDeClaveTextual(const std::string& sNombreCampo) {
  return sNombreCampo == "AI" || sNombreCampo == "FOL_FOLIO" || sNombreCampo == "CVE_CFDI";
}

std::string Entrecomillado(const std::string& sValor, std::uint8_t iTipoBD) {
  return "'" + TextoSql(sValor, iTipoBD) + "'";
}

// A catalogue value written for the INSERT. The value carries no type: its text and
// its column's name (as stored, blanks included) decide. "000" anywhere marks codes
// with leading zeros and zero dates, which stay text.
std::string ValorParaInsertar(const std::string& sValor, const std::string& sNombreCampo,
                              std::uint8_t iTipoBD) {
  const vb::Variant valor(sValor);
  if (vb::InStr(sValor, "000") > 0) return Entrecomillado(sValor, iTipoBD);
  if (vb::IsNumeric(valor))
    return ColumnaDeClaveTextual(sNombreCampo) ? Entrecomillado(sValor, iTipoBD) : sValor;
  if (vb::IsDate(valor) && iTipoBD != ManejadorAccess)
    return Entrecomillado(vb::Replace(sValor, "/", ""), iTipoBD);
  return Entrecomillado(sValor, iTipoBD);
}

// A Null value of the catalogue is written as an empty text.
std::string TextoDeValor(const vb::Variant& valor) {
  return valor.IsNull() ? std::string() : vb::CStr(valor);
}

struct RegistroDefault {
  std::string columnas;
  std::string valores;
};

RegistroDefault LeeRegistro(ado::Connection& cnxEstBDs, std::int16_t iTabla,
                            const std::string& sRegistro, std::uint8_t iTipoBD) {
  ado::Recordset rsValores;
  rsValores.Open(catalogo::ConsultaValoresDefault(iTabla, TextoSql(sRegistro, ManejadorAccess)),
                 cnxEstBDs, ado::adOpenForwardOnly, ado::adLockReadOnly);
  RegistroDefault registro;
  for (; !rsValores.Eof(); rsValores.MoveNext()) {
    const std::string campo = vb::CStr(rsValores.Fields("tblCamposTabla.Nombre").Value());
    const std::string valor = TextoDeValor(rsValores.Fields("tblDefaultCampos.Valor").Value());
    registro.columnas += "," + vb::Trim(campo);
    registro.valores += "," + ValorParaInsertar(valor, campo, iTipoBD);
  }
  registro.columnas = vb::Mid(registro.columnas, 2);
  registro.valores = vb::Mid(registro.valores, 2);
  return registro;
}

// A row that the table's keys already hold, or that its columns refuse, is simply not
// added: the INSERT's failure is dropped.
void InsertaRegistro(ado::Connection& cnxDestino, const std::string& sTabla,
                     const RegistroDefault& registro) {
  if (registro.columnas.empty() || registro.valores.empty()) return;
  try {
    cnxDestino.Execute("INSERT INTO " + sTabla + " (" + registro.columnas + ") VALUES (" +
                       registro.valores + ");");
  } catch (const vb::Error&) {
  }
}

void AgregaRegistrosDeTabla(ado::Connection& cnxEstBDs, ado::Connection& cnxDestino,
                            std::int16_t iTabla, const std::string& sTabla, std::uint8_t iTipoBD) {
  ado::Recordset rsRegistros;
  rsRegistros.Open(catalogo::ConsultaRegistrosDefault(iTabla), cnxEstBDs, ado::adOpenForwardOnly,
                   ado::adLockReadOnly);
  for (; !rsRegistros.Eof(); rsRegistros.MoveNext()) {
    const std::string registro = vb::CStr(rsRegistros.Fields("REGISTRO").Value());
    InsertaRegistro(cnxDestino, sTabla, LeeRegistro(cnxEstBDs, iTabla, registro, iTipoBD));
  }
}

}  // namespace

void clsBaseDatos::AgregaRegistrosDefault(ado::Connection& cnxEstBDs, ado::Connection& cnxDestino,
                                          std::int16_t iTabla, std::uint8_t iTipoBD) {
  win::Sleep(kPausaAntesDeLaTabla);
  try {
    ado::Recordset rsTabla;
    rsTabla.Open(catalogo::ConsultaTablaPorNumero(iTabla), cnxEstBDs, ado::adOpenForwardOnly,
                 ado::adLockReadOnly);
    for (; !rsTabla.Eof(); rsTabla.MoveNext()) {
      const std::int16_t numero = vb::CInt(rsTabla.Fields("NUMERO").Value());
      const std::string nombre = vb::CStr(rsTabla.Fields("NOMBRE").Value());
      if (TablaSinRegistrosDefault(nombre)) continue;
      AgregaRegistrosDeTabla(cnxEstBDs, cnxDestino, numero, nombre, iTipoBD);
    }
  } catch (const vb::Error&) {
    // A catalogue that cannot be read ends the table's default rows here; the
    // synchronisation goes on without them, as it always has.
  }
}
