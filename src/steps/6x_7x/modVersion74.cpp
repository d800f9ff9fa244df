#include "steps/6x_7x/modVersion74.h"

#include <array>
#include <string>

#include "data/clsBaseDatos.h"
#include "steps/6x_7x/RellenaNulos.h"
#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/ServiciosElectronicos.h"
#include "steps/6x_7x/SitioPruebaProveedor4.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

namespace {

// The notice settings and the cyclic counts, before the date of the last count.
constexpr std::array<RellenoNulo, 9> kAvisosYCiclicos = {{
    {"tblAvisos", "AVISOS_ACTIVO", "0"},
    {"tblAvisos", "CORREO_SALIDA", "''"},
    {"tblAvisos", "PASS_MAILSALIDA", "''"},
    {"tblAvisos", "CORREO_AVISOS", "''"},
    {"tblAvisos", "AVISO_CANCELANV", "0"},
    {"tblCatAlmacenes", "INV_CICLICO", "0"},
    {"tblCatAlmacenes", "DIA_CICLICO", "0"},
    {"tblCatAlmacenes", "CANT_CICLICO", "0"},
    {"tblCatAlmacenes", "PORC_SINMOV", "0"},
}};

// Orders, deliveries and the web page, after the test site of provider 4.
constexpr std::array<RellenoNulo, 8> kPedidosYEntregas = {{
    {"tblEncPedidos", "FOL_FACTURA", "''"},
    {"tblOCOMEnc", "ENVIADO", "0"},
    {"tblCatClientes", "DP_CLI", "''"},
    {"tblGralVentas", "DP_DESTINO", "''"},
    {"tblGralVentas", "DP_ENTREGA", "0"},
    {"tblFacturasEnc", "DP_DESTINO", "''"},
    {"tblFacturasEnc", "DP_ENTREGA", "0"},
    {"tblEmpresa", "WEBPAGE", "''"},
}};

// "Generar Conteo": below the physical-inventory menu of each module, whose number differs
// between the two.
const PermisoMenu kGenerarConteo = {
    .opcion = "mnuAlmFisCont",
    .titulo = "Generar Conteo",
    .modulos = {{.modulo = 10, .orden = 69, .rama = 64}, {.modulo = 11, .orden = 67, .rama = 63}},
    .plantilla = PlantillaMenu::PorPerfil,
    .perfiles = {0, 1, 2},
    .usuarios = MenusDeUsuario::SinBuscar,
    .seleccionUsuarios = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<=2;"};

// The fills and fixes that run before the handler is armed: the first that fails stops
// the ladder before the option is granted and 740 is recorded.
void RellenaColumnas74(Rutina& r, std::int16_t iManejador, const std::string& sFecha) {
  RellenaNulos(r, kAvisosYCiclicos);
  r.Ejecuta("UPDATE tblCatAlmacenes SET ULTIMO_CICLICO=" + sFecha +
            " WHERE (ULTIMO_CICLICO IS NULL);");
  if (iManejador == ManejadorMySQL)
    r.Ejecuta("UPDATE tblCatAlmacenes SET ULTIMO_CICLICO=" + sFecha +
              " WHERE (ULTIMO_CICLICO='0000-00-00');");
  r.Ejecuta(SentenciaRellenoNulo({"tblParametrosGenerales", "INV_SUCPPAL", "0"}));
  r.Ejecuta(SitioPruebaEnProveedor4());
  r.Ejecuta(SitioPruebaEnParametros());
  RellenaNulos(r, kPedidosYEntregas);
  r.Ejecuta("UPDATE tblSucursales SET ES_PRINCIPAL=1 WHERE (ES_PRINCIPAL<>0);");
}

}  // namespace

void ModificarEstructura74(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t /*iVersionActual*/) {
  Rutina r(cnx, "ModificarEstructura74", iManejador);
  const std::string sFecha = FechaLiteral(iManejador, 1800, 1, 1);
  RellenaColumnas74(r, iManejador, sFecha);

  r.ArmaManejador();
  OtorgaMenu(r, kGenerarConteo);
  AseguraServiciosElectronicos(r);
  ReparaCaducidadInvFisico(r, iManejador);

  r.RegistraVersion(740);
}
