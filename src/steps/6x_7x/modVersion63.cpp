#include "steps/6x_7x/modVersion63.h"

#include <array>

#include "steps/6x_7x/ProveedoresTarjeta.h"
#include "steps/6x_7x/RellenaNulos.h"
#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/modVersion62.h"
#include "steps/MarcoRutina.h"

namespace {

constexpr std::array<RellenoNulo, 8> kRellenos63 = {{
    {"tblTiposPago", "SIN_IMP", "0"},
    {"tblFormasPago", "CAR_MAX", "0"},
    {"tblBitacoraTC", "PENDIENTE_BIT", "0"},
    {"tblTemporalesTC", "PENDIENTE_BIT", "0"},
    {"tblBitacoraTC", "NUM_TRANSAC", "''"},
    {"tblTemporalesTC", "NUM_TRANSAC", "''"},
    {"tblParametrosGenerales", "FE_CANCELASAT", "0"},
    {"tblProveedoresTC", "SITIO_PROVTC", "''"},
}};

}  // namespace

void ModificarEstructura63(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino) {
  Rutina r(cnx, "ModificarEstructura63", iManejador);
  // Before the handler: a till table that cannot take the copy stops the update here,
  // before anything of 6.3 is written.
  CopiaConceptosDeCaja(r);

  r.ArmaManejador();
  RellenaNulos(r, kRellenos63);
  AgregaProveedorTC(r, 4, iVersionDestino);
  ReparaCaducidadInvFisico(r, iManejador);

  r.RegistraVersion(630);
}
