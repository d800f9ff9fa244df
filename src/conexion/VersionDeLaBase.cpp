#include "conexion/VersionDeLaBase.h"

#include "frame/modPrincipal.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"

namespace {

constexpr const char* kConsultaVersion = "SELECT VER FROM tblVersion ORDER BY VER DESC;";

std::int16_t TresPrimerasCifras(const vb::Variant& valor) {
  return vb::CInt(vb::Left(vb::CStr(valor), 3));
}

}  // namespace

std::optional<std::int16_t> VersionDeTabla(ado::Connection& cnx) {
  ado::Recordset rs;
  try {
    rs.Open(kConsultaVersion, cnx, ado::adOpenForwardOnly, ado::adLockReadOnly, ado::adCmdText);
  } catch (const vb::Error&) {
    return std::nullopt;
  }
  std::int16_t iVersion = kTablaDeVersionVacia;
  if (!(rs.BOF() && rs.Eof())) {
    iVersion = TresPrimerasCifras(rs.Fields("VER").Value());
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      const double valor = vb::Val(vb::CStr(rs.Fields("VER").Value()));
      if (valor > iVersion) iVersion = vb::CInt(valor);
      iVersion = TresPrimerasCifras(iVersion);
    }
  }
  rs.Close();
  return iVersion;
}

std::string NombreDelRunLog() {
  const vb::DateTime ahora = win::Now();
  return gRutaApp + "\\Log_" + vb::Format(ahora, "YYYYMMDD") + "-" + vb::Format(ahora, "HHMMSS") +
         ".log";
}

std::string TextoDeError(const vb::Error& error) {
  return "Error " + std::to_string(error.Number()) + vb::vbCrLf + error.Description();
}
