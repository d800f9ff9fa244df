#include "steps/8x_9x/modVersion95.h"

#include <string>
#include <vector>

#include "platform/vb/Conversions.h"
#include "steps/8x_9x/RecodificaEnImporte.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

// The columns that 9.5 fills with 0 where they hold Null, table by table in the order
// they are sent.
struct CerosDeTabla {
  const char* tabla;
  std::vector<const char*> columnas;
};
const CerosDeTabla kCerosDe95[] = {
    {"tblConceptoIE", {"PAGO_TIPS"}},
    {"tblUndCosPreArt", {"PRE_MAX"}},
    {"tblCatArticulos", {"IMP_LOCAL"}},
    {"tblEncPaquetes", {"IMP_LOCAL"}},
    {"tblRenVentas", {"IMP0_ART", "IMP0_REG", "COD0_IMP"}},
    {"tblApartadosRen", {"IMP0_ART", "IMP0_REG", "COD0_IMP"}},
    {"tblFacturasRen", {"IMP0_ART", "IMP0_REG", "COD0_IMP"}},
    {"tblRenDevolucion", {"IMP0_ART", "IMP0_REG", "COD0_IMP"}},
    {"tblRenPedidos", {"IMP0_ART"}},
    {"tblRenPedidosRest", {"IMP0_ART"}},
    {"tblVentaEnEspera", {"IMP0_ART"}},
    {"tblRenMesas", {"TOT_IMP0"}},
    {"tblFacturasServ", {"COD_IMPTO0", "PORC_IMPTO0", "IMP_IMPTO0"}},
};

// The reset value of the FTP date.
constexpr const char* kFechaFtpInicial = "'1800-01-01'";

// Whether the first parameters row holds a usable FTP date: a text with a hyphen that
// reads as a date other than the zero date. Runs without a handler: a failure to read
// reaches the caller; a text that does not read as a date only leaves it unusable.
bool FechaFtpValida(Rutina& r) {
  std::string sFecha;
  ado::Recordset rs = r.Abre("SELECT TA_FTP FROM tblParametrosGenerales ;");
  if (r.ConFilas(rs)) r.Lee(sFecha, rs, "TA_FTP");
  r.Cierra(rs);
  if (sFecha.find('-') == std::string::npos) return false;
  bool bValida = false;
  r.Intenta([&] { bValida = vb::CDate(vb::Variant(sFecha)).serial != 0; });
  return bValida;
}

}  // namespace

void ModificarEstructura95(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura95", iManejador);
  r.ArmaManejador();
  for (const char* sentencia : kRecodificaEnImporte) r.Ejecuta(sentencia);
  for (const auto& [tabla, columnas] : kCerosDe95)
    for (const char* columna : columnas)
      r.Ejecuta(std::string("UPDATE ") + tabla + " SET " + columna + "=0 WHERE " + columna +
                " IS NULL;");
  r.RegistraVersion(950);
}

void ModificarEstructura951(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura951", iManejador);
  r.ArmaManejador();
  r.Ejecuta(AmpliaTexto(iManejador, "tblFtpConexiones", "DIR_FTP", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblFtpConexiones", "USU_FTP", 50));
  r.Ejecuta(AmpliaTexto(iManejador, "tblFtpConexiones", "PASS_FTP", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblFtpConexiones", "ARCHIVO_FTP", 50));
  r.RegistraVersion(951);
}

void ModificarEstructura952(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t /*iVersionActual*/, std::int16_t /*iVersionDestino*/) {
  Rutina r(cnx, "ModificarEstructura952", iManejador);
  r.ArmaManejador();
  for (const char* condicion : {"TA_FTP IS NULL", "TA_FTP='*'", "TA_FTP=''"})
    r.Ejecuta(std::string("UPDATE tblParametrosGenerales SET TA_FTP=") + kFechaFtpInicial +
              " WHERE " + condicion + ";");
  // Recorded before the date check, which may stop the step: the database is at 9.5.2 by
  // then either way.
  r.RegistraVersionAhora(952);

  r.SinManejador();
  if (!FechaFtpValida(r))
    r.Ejecuta(std::string("UPDATE tblParametrosGenerales SET TA_FTP=") + kFechaFtpInicial + ";");
}
