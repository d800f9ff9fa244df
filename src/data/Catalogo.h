#pragma once
// The structure catalogue "EstBDs.mdb" as the data-access class reads it: its connection
// string, the selection of its tables by database kind, the texts of the queries sent to
// it and the reading of its rows with the conversions the synchronisation relies on.
// Everything here is shared by CrearBaseDeDatos, AgregaRegistrosDefault and the dialog.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/vb/Variant.h"

namespace catalogo {

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + gRutaApp + "\EstBDs.mdb;Persist
// Security Info=False;Jet OLEDB:Database Password=" (the password is empty).
std::string CadenaConexionEstBDs();

// Condition on tblTablas.BD that selects the tables of a database kind:
// "BD NOT IN(5,10,11,12)" for EstructuraPrincipal, " BD = " + code for any other kind.
std::string CondicionPorEstructura(std::uint8_t iEstructuraBaseDeDatos);

// ------------------------------------------------------------ query texts
// The tables of a kind, in name order: "SELECT NUMERO,NOMBRE FROM tblTablas WHERE ...".
std::string ConsultaTablas(std::uint8_t iEstructuraBaseDeDatos);
// Every column of a table to be created, in column order ("SELECT * ...").
std::string ConsultaCamposTablaNueva(std::int16_t iTabla);
// NOMBRE, TIPO and VALOR of the columns of a table that exists, in column order.
std::string ConsultaCamposTablaExistente(std::int16_t iTabla);
// The indexes of a table (no order asked for).
std::string ConsultaIndices(std::int16_t iTabla);
// The column numbers (CAMPO) of an index, in the order the catalogue keeps them.
std::string ConsultaCamposIndice(std::int32_t iIndice);
// The name of one column by its number.
std::string ConsultaNombreCampo(std::int32_t iCampo);
// Whether the catalogue lists a key (as the server names it) for the table; send it as
// adCmdText. The key name is embedded as given (the caller quotes it for Jet).
std::string ConsultaLlaveDeTabla(std::int16_t iTabla, const std::string& sLlave);
// The default rows: the table's own row, its distinct REGISTRO values, and the values
// of one REGISTRO (joined rows whose fields "tblCamposTabla.Nombre" and
// "tblDefaultCampos.Valor" carry the column and the value). Texts are embedded as given:
// the caller quotes them for Jet (TextoSql with ManejadorAccess).
std::string ConsultaTablaPorNumero(std::int16_t iTabla);
std::string ConsultaRegistrosDefault(std::int16_t iTabla);
std::string ConsultaValoresDefault(std::int16_t iTabla, const std::string& sRegistro);
// The catalogue's own version.
inline constexpr const char* ConsultaVersion = "SELECT VER FROM tblVersion;";

// ------------------------------------------------------------ reading rows
// Type code forced by a column's (trimmed) name: 14 for "XML_...", 15 for "IMGBIT_...",
// letter case counting; none for any other name.
inline constexpr std::int16_t TipoXml = 14;
inline constexpr std::int16_t TipoImagen = 15;
std::optional<std::int16_t> TipoPorNombre(const std::string& sNombreRecortado);

// A catalogue column as a column definition needs it.
struct CampoCatalogo {
  std::string nombre;  // NOMBRE without leading and trailing blanks
  std::int16_t tipo;   // the type code after the name overrides
  std::int16_t valor;  // VALOR: the length of a type 9 column
};

// NOMBRE of the current row of a tblCamposTabla recordset, trimmed.
std::string NombreDeCampo(const ado::Recordset& rsCampos);
// The current row of a tblCamposTabla recordset (NOMBRE, TIPO, VALOR). TIPO is not read
// when the name overrides it; a Null or out-of-range TIPO or VALOR raises the language's
// conversion error (94 or 6), which the synchronisation reports.
CampoCatalogo LeeCampo(const ado::Recordset& rsCampos);

// An index of the catalogue as the synchronisation needs it.
struct IndiceCatalogo {
  std::string nombre;  // NOMBRE as stored
  std::int32_t numero;
  bool principal;  // PRINCIPAL; Null counts as no
  bool unica;      // UNICA; Null counts as no
};
IndiceCatalogo LeeIndice(const ado::Recordset& rsIndices);

// The column list of an index: for each CAMPO in the order returned, the column's
// trimmed name, joined by "," alone. A CAMPO that names no column adds nothing.
// Two catalogue queries per column, as the synchronisation sends them.
std::string ListaCamposIndice(ado::Connection& cnxEstBDs, std::int32_t iIndice);

// The version a tblVersion.VER value stands for: its first three characters as a
// 16-bit integer (9520 -> 952). Raises the conversion errors for a Null or a text
// that is no number.
std::int16_t VersionDeCatalogo(const vb::Variant& ver);

}  // namespace catalogo
