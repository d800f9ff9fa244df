// The doubles: every routine that the ladder and the satellite update call, and the
// structure synchronisation of clsBaseDatos. Defining them here keeps the real ones (and
// the stand-ins of routines not built yet) out of this test program: the linker takes a
// symbol from a library only when no object file of the program defines it.
#include "ladder/DoblesDeRutinas.h"

#include "platform/ado/Provider.h"

#include <map>
#include <set>

#include "data/clsBaseDatos.h"
#include "platform/vb/Error.h"
#include "steps/5x/modVersion50.h"
#include "steps/5x/modVersion51.h"
#include "steps/5x/modVersion52.h"
#include "steps/5x/modVersion53.h"
#include "steps/5x/modVersion54.h"
#include "steps/5x/modVersion55.h"
#include "steps/5x/modVersion56.h"
#include "steps/5x/modVersion57.h"
#include "steps/5x/modVersion58.h"
#include "steps/5x/modVersion59.h"
#include "steps/5x/modVersion59x.h"
#include "steps/6x_7x/modTiempoAire.h"
#include "steps/6x_7x/modVersion60.h"
#include "steps/6x_7x/modVersion61.h"
#include "steps/6x_7x/modVersion62.h"
#include "steps/6x_7x/modVersion63.h"
#include "steps/6x_7x/modVersion64_70.h"
#include "steps/6x_7x/modVersion71.h"
#include "steps/6x_7x/modVersion72.h"
#include "steps/6x_7x/modVersion73.h"
#include "steps/6x_7x/modVersion74.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/8x_9x/modVersion82.h"
#include "steps/8x_9x/modVersion83.h"
#include "steps/8x_9x/modVersion84.h"
#include "steps/8x_9x/modVersion85.h"
#include "steps/8x_9x/modVersion86.h"
#include "steps/8x_9x/modVersion87.h"
#include "steps/8x_9x/modVersion88.h"
#include "steps/8x_9x/modVersion89.h"
#include "steps/8x_9x/modVersion90.h"
#include "steps/8x_9x/modVersion91.h"
#include "steps/8x_9x/modVersion92.h"
#include "steps/8x_9x/modVersion93.h"
#include "steps/8x_9x/modVersion94.h"
#include "steps/8x_9x/modVersion95.h"

namespace prueba::dobles {

namespace {

std::set<std::string>& ConexionesPerdidas() {
  static std::set<std::string> rutinas;
  return rutinas;
}

std::map<std::string, vb::Error>& Fallas() {
  static std::map<std::string, vb::Error> fallas;
  return fallas;
}

using CuandoFalla = std::function<bool(const std::string&, int)>;

std::vector<CuandoFalla>& SincronizacionesQueFallan() {
  static std::vector<CuandoFalla> cuando;
  return cuando;
}

std::string Une(const std::vector<std::string>& partes) {
  std::string texto;
  for (const std::string& parte : partes) texto += (texto.empty() ? "" : ", ") + parte;
  return texto;
}

}  // namespace

std::vector<std::string>& Diario() {
  static std::vector<std::string> diario;
  return diario;
}

std::vector<std::string> Entradas(const std::string& inicio) {
  std::vector<std::string> entradas;
  for (const std::string& entrada : Diario())
    if (entrada.rfind(inicio, 0) == 0) entradas.push_back(entrada);
  return entradas;
}

std::vector<std::string> Captions() {
  std::vector<std::string> captions;
  for (const std::string& entrada : Entradas("«"))
    captions.push_back(
        entrada.substr(std::string("«").size(), entrada.size() - 2 * std::string("«").size()));
  return captions;
}

void AnotaCaption(const std::string& caption) { Diario().push_back("«" + caption + "»"); }

std::vector<std::string>& CadenasDeRutinas() {
  static std::vector<std::string> cadenas;
  return cadenas;
}

std::vector<Sincronizacion>& Sincronizaciones() {
  static std::vector<Sincronizacion> sincronizaciones;
  return sincronizaciones;
}

void FallaRutina(const std::string& nombre, long numero, const std::string& descripcion) {
  Fallas().insert_or_assign(nombre, vb::Error(numero, descripcion));
}

void PierdeConexionEn(const std::string& nombre) { ConexionesPerdidas().insert(nombre); }

void FallaSincronizacion(CuandoFalla cuando) {
  SincronizacionesQueFallan().push_back(std::move(cuando));
}

void FallaSincronizacionCon(const std::string& caption) {
  FallaSincronizacion([caption](const std::string& actual, int) { return actual == caption; });
}

void Limpia() {
  Diario().clear();
  CadenasDeRutinas().clear();
  Sincronizaciones().clear();
  Fallas().clear();
  ConexionesPerdidas().clear();
  SincronizacionesQueFallan().clear();
}

std::string Arg(int valor) { return std::to_string(valor); }
std::string Arg(bool valor) { return valor ? "True" : "False"; }
std::string Arg(const std::string& valor) { return "'" + valor + "'"; }

// A routine that takes the progress label writes into it, as a routine may.
std::string Etiqueta(ui::Label& lblMensaje, const std::string& rutina) {
  lblMensaje.Caption = rutina + " en curso";
  return "lbl";
}

namespace {

void Registra(const std::string& rutina, const ado::Connection* cnx,
              const std::vector<std::string>& argumentos) {
  std::string entrada = rutina + "(" + Une(argumentos) + ")";
  if (cnx) {
    if (cnx->State() != ado::adStateOpen) entrada += " sin conexión";
    CadenasDeRutinas().push_back(cnx->ConnectionString);
  }
  Diario().push_back(entrada);
  const auto falla = Fallas().find(rutina);
  if (falla != Fallas().end()) throw falla->second;
  if (ConexionesPerdidas().contains(rutina))
    throw ado::ProviderError({{ado::adErrUnspecified, "Lost connection to server during query",
                               "", "08S01", 2013}});
}

}  // namespace

}  // namespace prueba::dobles

using prueba::dobles::Arg;
using prueba::dobles::Etiqueta;
using prueba::dobles::Registra;

void clsBaseDatos::CrearBaseDeDatos(const std::string& ConectarseUsando, std::int32_t BaseDeDatos,
                                    const std::string& NombreBaseDatos, bool& bExisteError,
                                    ui::Label& lblMensajes, bool bAgregaDefault,
                                    std::uint8_t iEstructuraBaseDeDatos) {
  using namespace prueba::dobles;
  Diario().push_back("CrearBaseDeDatos(" + Arg(static_cast<int>(BaseDeDatos)) + ", " +
                     Arg(static_cast<int>(iEstructuraBaseDeDatos)) + ", " + Arg(bAgregaDefault) +
                     ")");
  Sincronizaciones().push_back({ConectarseUsando, NombreBaseDatos});
  for (const auto& cuando : SincronizacionesQueFallan())
    if (cuando(lblMensajes.Caption, iEstructuraBaseDeDatos)) bExisteError = true;
}

void ModificarEstructura50(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual) {
  Registra("ModificarEstructura50", &cnx, {Arg(iManejador), Arg(iVersionActual)});
}

void ModificarEstructura50_CA(const std::string& sCadenaConexion, std::int16_t iManejador,
                              const std::string& sNombreBaseDatos, ui::Label& lblMensaje) {
  Registra("ModificarEstructura50_CA", nullptr,
           {Arg(sCadenaConexion), Arg(iManejador), Arg(sNombreBaseDatos),
            Etiqueta(lblMensaje, "ModificarEstructura50_CA")});
}

void ActualizaCamposVersion51(ado::Connection& cnx, std::string sRutaImagenes,
                              std::int16_t iManejador, ui::Label& lblMensaje) {
  Registra("ActualizaCamposVersion51", &cnx,
           {Arg(sRutaImagenes), Arg(iManejador), Etiqueta(lblMensaje, "ActualizaCamposVersion51")});
}

void ModificarEstructura52(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura52", &cnx, {Arg(iManejador)});
}

void ActualizaCamposVersion52(ado::Connection& cnx, std::string sRutaImagenes,
                              std::int16_t iManejador, ui::Label& lblMensaje) {
  Registra("ActualizaCamposVersion52", &cnx,
           {Arg(sRutaImagenes), Arg(iManejador), Etiqueta(lblMensaje, "ActualizaCamposVersion52")});
}

void ModificarEstructura53(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura53", &cnx, {Arg(iManejador)});
}

void ActualizaCamposVersion53(ado::Connection& cnx, std::string sRutaImagenes,
                              std::int16_t iManejador, ui::Label& lblMensaje) {
  Registra("ActualizaCamposVersion53", &cnx,
           {Arg(sRutaImagenes), Arg(iManejador), Etiqueta(lblMensaje, "ActualizaCamposVersion53")});
}

void ModificarEstructura54(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura54", &cnx, {Arg(iManejador)});
}

void ActualizaCamposVersion54(ado::Connection& cnx) {
  Registra("ActualizaCamposVersion54", &cnx, {});
}

void ModificarEstructura55(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura55", &cnx, {Arg(iManejador)});
}

void ActualizaCamposVersion55(ado::Connection& cnx) {
  Registra("ActualizaCamposVersion55", &cnx, {});
}

void ModificarEstructura56(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura56", &cnx, {Arg(iManejador)});
}

void ActualizaCamposVersion56(ado::Connection& cnx, std::int16_t iManejador,
                              std::uint8_t iRegimen) {
  Registra("ActualizaCamposVersion56", &cnx, {Arg(iManejador), Arg(iRegimen)});
}

void ActualizaCamposVersion57(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ActualizaCamposVersion57", &cnx, {Arg(iManejador)});
}

void ActualizaCamposVersion58(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ActualizaCamposVersion58", &cnx, {Arg(iManejador)});
}

void ModificarEstructura59(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura59", &cnx, {Arg(iManejador)});
}

void ActualizaCamposVersion59(ado::Connection& cnx) {
  Registra("ActualizaCamposVersion59", &cnx, {});
}

void ModificarEstructura593(ado::Connection& cnx) { Registra("ModificarEstructura593", &cnx, {}); }

void ModificarEstructura595(ado::Connection& cnx) { Registra("ModificarEstructura595", &cnx, {}); }

void ModificarEstructura596(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura596", &cnx, {Arg(iManejador)});
}

void ModificarEstructura597(ado::Connection& cnx) { Registra("ModificarEstructura597", &cnx, {}); }

void ModificarEstructura598(ado::Connection& cnx) { Registra("ModificarEstructura598", &cnx, {}); }

void ModificarEstructura599(ado::Connection& cnx, const std::string& sRutaXml,
                            std::int16_t iManejador) {
  Registra("ModificarEstructura599", &cnx, {Arg(sRutaXml), Arg(iManejador)});
}

void ActualizaTiempoAire(ado::Connection& cnx, std::string sRutaImagenes, std::int16_t iManejador,
                         std::int16_t iVersionDestino) {
  Registra("ActualizaTiempoAire", &cnx,
           {Arg(sRutaImagenes), Arg(iManejador), Arg(iVersionDestino)});
}

void ModificarEstructura60(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura60", &cnx, {Arg(iManejador)});
}

void EncriptaPasswordsTA(ado::Connection& cnx) { Registra("EncriptaPasswordsTA", &cnx, {}); }

void ModificarEstructura61(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura61", &cnx, {Arg(iManejador)});
}

void ModificarEstructura62(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino) {
  Registra("ModificarEstructura62", &cnx, {Arg(iManejador), Arg(iVersionDestino)});
}

void ModificarEstructura63(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino) {
  Registra("ModificarEstructura63", &cnx, {Arg(iManejador), Arg(iVersionDestino)});
}

void ModificarEstructura70(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura70", &cnx, {Arg(iManejador)});
}

void ModificarEstructura70_AC(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura70_AC", &cnx, {Arg(iManejador)});
}

void ModificarEstructura71(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura71", &cnx, {Arg(iManejador)});
}

void ModificarEstructura72(ado::Connection& cnx, std::int16_t iManejador) {
  Registra("ModificarEstructura72", &cnx, {Arg(iManejador)});
}

void ModificarEstructura73(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual) {
  Registra("ModificarEstructura73", &cnx, {Arg(iManejador), Arg(iVersionActual)});
}

void ModificarEstructura74(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual) {
  Registra("ModificarEstructura74", &cnx, {Arg(iManejador), Arg(iVersionActual)});
}

void ModificarEstructura80(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino) {
  Registra("ModificarEstructura80", &cnx, {Arg(iManejador), Arg(iVersionDestino)});
}

void ModificarEstructura80_AC(ado::Connection& cnx, std::int16_t iManejador,
                              std::int16_t iVersionActual) {
  Registra("ModificarEstructura80_AC", &cnx, {Arg(iManejador), Arg(iVersionActual)});
}

void ModificarEstructura81(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual) {
  Registra("ModificarEstructura81", &cnx, {Arg(iManejador), Arg(iVersionActual)});
}

void ModificarEstructura82(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionDestino, std::int16_t iDestino) {
  Registra("ModificarEstructura82", &cnx, {Arg(iManejador), Arg(iVersionDestino), Arg(iDestino)});
}

void ModificarEstructura83(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura83", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura84(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura84", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura85(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura85", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura86(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura86", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura863(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura863", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura87(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura87", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura88(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura88", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura89(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino,
                           bool bCodigoBarra, const std::string& sRutaIni) {
  Registra("ModificarEstructura89", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino), Arg(bCodigoBarra),
            Arg(sRutaIni)});
}

void ModificarEstructura894(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura894", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura89_AC(ado::Connection& cnx, std::int16_t iManejador,
                              std::int16_t iVersionActual) {
  Registra("ModificarEstructura89_AC", &cnx, {Arg(iManejador), Arg(iVersionActual)});
}

void ModificarEstructura90(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura90", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura91(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino,
                           ui::Label& lblMensaje) {
  Registra("ModificarEstructura91", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino),
            Etiqueta(lblMensaje, "ModificarEstructura91")});
}

void ModificarEstructura91_CA(const std::string& sCadenaConexion, std::int16_t iManejador,
                              const std::string& sNombreBaseDatos, ui::Label& lblMensaje) {
  Registra("ModificarEstructura91_CA", nullptr,
           {Arg(sCadenaConexion), Arg(iManejador), Arg(sNombreBaseDatos),
            Etiqueta(lblMensaje, "ModificarEstructura91_CA")});
}

void ModificarEstructura92(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura92", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura93(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura93", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura94(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura94", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura95(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura95", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura951(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura951", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}

void ModificarEstructura952(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionActual, std::int16_t iVersionDestino) {
  Registra("ModificarEstructura952", &cnx,
           {Arg(iManejador), Arg(iVersionActual), Arg(iVersionDestino)});
}
