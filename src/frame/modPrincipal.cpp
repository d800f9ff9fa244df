#include "frame/modPrincipal.h"

#include "platform/ui/Services.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "platform/win/Ini.h"

std::string gRutaApp;
std::string gDirElegido;
std::string gRutaLog;
vb::DateTime gHoraInicio;
vb::DateTime gHoraFin;
std::string gIdEmpresa;
std::string gCadenaConexion;
std::int16_t gManejadorDatos = 0;

namespace {

// A value joined to a text, as the language's & does: Null and Empty add nothing.
std::string ComoTexto(const vb::Variant& valor) {
  return valor.IsNull() || valor.IsEmpty() ? std::string() : vb::CStr(valor);
}

// The listing of the database's tables and the index of its name column, per dialect.
struct ListadoDeTablas {
  const char* sentencia;
  int columnaNombre;
};

ListadoDeTablas ListadoPara(std::int16_t iTipoBD) {
  if (iTipoBD == 4) return {"SHOW TABLES;", 0};  // MySQL
  return {"EXEC sp_tables;", 2};  // the table name is the procedure's third column
}

bool ExisteTabla(ado::Connection& cnx, std::int16_t iTipoBD, const std::string& tabla) {
  const ListadoDeTablas listado = ListadoPara(iTipoBD);
  ado::Recordset rs = cnx.Execute(listado.sentencia, nullptr, ado::adCmdUnspecified);
  rs.Filter(rs.Fields(listado.columnaNombre).Name + "='" + vb::LCase(tabla) + "'");
  const bool existe = !(rs.BOF() && rs.Eof());
  rs.Close();
  return existe;
}

}  // namespace

void MuestraError(const vb::Variant& vNumero, const vb::Variant& vDescripcion) {
  ui::MsgBox("Ocurrió un error:" + std::string(vb::vbCrLf) + ComoTexto(vDescripcion),
             ui::Botones::OK, ui::Icono::Exclamacion, "Error " + ComoTexto(vNumero));
}

std::string LeeIni(const std::string& Seccion, const std::string& Llave, const std::string& Ruta) {
  constexpr std::size_t kTamanoBuffer = 255;
  const std::string copiado =
      win::GetPrivateProfileString(Seccion, Llave, "(error)", kTamanoBuffer, Ruta + "\\Dorvex.INI");
  return vb::Trim(copiado);
}

bool ExisteTablaAC(ado::Connection& cnx, std::int16_t iTipoBD) {
  return ExisteTabla(cnx, iTipoBD, "tblAC_Usuarios");
}

bool ExisteTablaDp(ado::Connection& cnx, std::int16_t iTipoBD) {
  return ExisteTabla(cnx, iTipoBD, "tblDp_Usuarios");
}
