#include "data/Catalogo.h"

#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"

namespace catalogo {

namespace {
// The two joins that tie a table to its default values.
constexpr const char* kJoinDefault =
    " FROM (tblTablas INNER JOIN tblCamposTabla ON tblTablas.Numero = tblCamposTabla.Tabla)"
    " INNER JOIN tblDefaultCampos ON tblCamposTabla.Numero = tblDefaultCampos.Campo"
    " WHERE tblTablas.Numero=";

bool MarcaSiNo(const vb::Variant& valor) { return !valor.IsNull() && vb::CBool(valor); }
}  // namespace

std::string CadenaConexionEstBDs() {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + gRutaApp +
         "\\EstBDs.mdb;Persist Security Info=False;Jet OLEDB:Database Password=";
}

std::string CondicionPorEstructura(std::uint8_t iEstructuraBaseDeDatos) {
  if (iEstructuraBaseDeDatos == EstructuraPrincipal) return "BD NOT IN(5,10,11,12)";
  return " BD = " + std::to_string(iEstructuraBaseDeDatos);
}

std::string ConsultaTablas(std::uint8_t iEstructuraBaseDeDatos) {
  return "SELECT NUMERO,NOMBRE FROM tblTablas WHERE " +
         CondicionPorEstructura(iEstructuraBaseDeDatos) + " ORDER BY NOMBRE;";
}

std::string ConsultaCamposTablaNueva(std::int16_t iTabla) {
  return "SELECT * FROM tblCamposTabla WHERE TABLA=" + std::to_string(iTabla) + " ORDER BY NUMERO;";
}

std::string ConsultaCamposTablaExistente(std::int16_t iTabla) {
  return "SELECT NOMBRE,TIPO,VALOR FROM tblCamposTabla WHERE TABLA=" + std::to_string(iTabla) +
         " ORDER BY NUMERO;";
}

std::string ConsultaIndices(std::int16_t iTabla) {
  return "SELECT * FROM tblIndices WHERE TABLA=" + std::to_string(iTabla) + ";";
}

std::string ConsultaCamposIndice(std::int32_t iIndice) {
  return "SELECT CAMPO FROM tblCamposIndice WHERE INDICE=" + std::to_string(iIndice) + ";";
}

std::string ConsultaNombreCampo(std::int32_t iCampo) {
  return "SELECT NOMBRE FROM tblCamposTabla WHERE NUMERO=" + std::to_string(iCampo) + ";";
}

std::string ConsultaLlaveDeTabla(std::int16_t iTabla, const std::string& sLlave) {
  return "SELECT TABLA FROM tblIndices WHERE TABLA=" + std::to_string(iTabla) + " AND NOMBRE='" +
         sLlave + "';";
}

std::string ConsultaTablaPorNumero(std::int16_t iTabla) {
  return "SELECT NUMERO,NOMBRE FROM tblTablas WHERE NUMERO=" + std::to_string(iTabla) + ";";
}

std::string ConsultaRegistrosDefault(std::int16_t iTabla) {
  return std::string("SELECT DISTINCT REGISTRO") + kJoinDefault + std::to_string(iTabla) + ";";
}

std::string ConsultaValoresDefault(std::int16_t iTabla, const std::string& sRegistro) {
  return std::string("SELECT *") + kJoinDefault + std::to_string(iTabla) + " AND REGISTRO='" +
         sRegistro + "';";
}

std::optional<std::int16_t> TipoPorNombre(const std::string& sNombreRecortado) {
  if (sNombreRecortado.starts_with("XML_")) return TipoXml;
  if (sNombreRecortado.starts_with("IMGBIT_")) return TipoImagen;
  return std::nullopt;
}

std::string NombreDeCampo(const ado::Recordset& rsCampos) {
  return vb::Trim(vb::CStr(rsCampos.Fields("NOMBRE").Value()));
}

CampoCatalogo LeeCampo(const ado::Recordset& rsCampos) {
  CampoCatalogo campo{NombreDeCampo(rsCampos), 0, 0};
  const std::optional<std::int16_t> forzado = TipoPorNombre(campo.nombre);
  campo.tipo = forzado ? *forzado : vb::CInt(rsCampos.Fields("TIPO").Value());
  campo.valor = vb::CInt(rsCampos.Fields("VALOR").Value());
  return campo;
}

IndiceCatalogo LeeIndice(const ado::Recordset& rsIndices) {
  return {vb::CStr(rsIndices.Fields("NOMBRE").Value()),
          vb::CLng(rsIndices.Fields("NUMERO").Value()),
          MarcaSiNo(rsIndices.Fields("PRINCIPAL").Value()),
          MarcaSiNo(rsIndices.Fields("UNICA").Value())};
}

std::string ListaCamposIndice(ado::Connection& cnxEstBDs, std::int32_t iIndice) {
  ado::Recordset rsCamposIndice;
  rsCamposIndice.Open(ConsultaCamposIndice(iIndice), cnxEstBDs);
  std::string lista;
  for (; !rsCamposIndice.Eof(); rsCamposIndice.MoveNext()) {
    ado::Recordset rsNombre;
    rsNombre.Open(ConsultaNombreCampo(vb::CLng(rsCamposIndice.Fields("CAMPO").Value())), cnxEstBDs);
    if (!rsNombre.Eof()) lista += "," + NombreDeCampo(rsNombre);
  }
  return lista.empty() ? lista : lista.substr(1);
}

std::int16_t VersionDeCatalogo(const vb::Variant& ver) {
  return vb::CInt(vb::Variant(vb::Left(vb::CStr(ver), 3)));
}

}  // namespace catalogo
