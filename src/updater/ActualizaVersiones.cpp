// The ladder dispatcher: the main store database climbs the rungs that lie between its
// version and the catalogue's, one step per rung; each other ticked kind gets its
// satellite update. The first failure stops the climb, so the database keeps the last
// version that a routine completed and the next run resumes there.
#include "data/clsBaseDatos.h"
#include "platform/ui/Services.h"
#include "platform/vb/Text.h"
#include "steps/MarcoRutina.h"
#include "updater/frmActIngreso.h"

const std::array<std::uint8_t, 4> frmActIngreso::kEstructuraDeCaja = {
    EstructuraPrincipal, EstructuraAdministrador, EstructuraDependencia, EstructuraConsultorio};

// There is no rung for 7.1 (step 7.2 runs its routine) and the 6.0 rung stands at 605.
const std::array<frmActIngreso::Peldano, 42> frmActIngreso::kEscalera = {{
    {500, false, &frmActIngreso::Actualiza50},  {510, true, &frmActIngreso::Actualiza51},
    {520, true, &frmActIngreso::Actualiza52},   {530, true, &frmActIngreso::Actualiza53},
    {540, true, &frmActIngreso::Actualiza54},   {550, true, &frmActIngreso::Actualiza55},
    {560, true, &frmActIngreso::Actualiza56},   {570, true, &frmActIngreso::Actualiza57},
    {580, true, &frmActIngreso::Actualiza58},   {590, false, &frmActIngreso::Actualiza59},
    {593, false, &frmActIngreso::Actualiza593}, {595, false, &frmActIngreso::Actualiza595},
    {596, false, &frmActIngreso::Actualiza596}, {597, false, &frmActIngreso::Actualiza597},
    {598, false, &frmActIngreso::Actualiza598}, {599, false, &frmActIngreso::Actualiza599},
    {605, false, &frmActIngreso::Actualiza60},  {610, false, &frmActIngreso::Actualiza61},
    {620, false, &frmActIngreso::Actualiza62},  {630, false, &frmActIngreso::Actualiza63},
    {700, false, &frmActIngreso::Actualiza70},  {720, false, &frmActIngreso::Actualiza72},
    {730, false, &frmActIngreso::Actualiza73},  {740, false, &frmActIngreso::Actualiza74},
    {800, false, &frmActIngreso::Actualiza80},  {810, false, &frmActIngreso::Actualiza81},
    {820, false, &frmActIngreso::Actualiza82},  {830, false, &frmActIngreso::Actualiza83},
    {840, false, &frmActIngreso::Actualiza84},  {850, false, &frmActIngreso::Actualiza85},
    {860, false, &frmActIngreso::Actualiza86},  {870, false, &frmActIngreso::Actualiza87},
    {880, false, &frmActIngreso::Actualiza88},  {890, false, &frmActIngreso::Actualiza89},
    {900, false, &frmActIngreso::Actualiza90},  {910, false, &frmActIngreso::Actualiza91},
    {920, false, &frmActIngreso::Actualiza92},  {930, false, &frmActIngreso::Actualiza93},
    {940, false, &frmActIngreso::Actualiza94},  {950, false, &frmActIngreso::Actualiza95},
    {951, false, &frmActIngreso::Actualiza951}, {952, false, &frmActIngreso::Actualiza952},
}};

namespace {

constexpr long kErrorInterno = 51;
constexpr const char* kRevisionIncompleta =
    "La revisión de la estructura no se completó; las rutinas del paso no se ejecutaron.";

// The box of an error that stopped the climb: the target and the last rung passed.
void MuestraErrorDeEscalera(long lNumero, const std::string& sDescripcion,
                            const std::string& sDestino, const std::string& sAlcanzado) {
  ui::MsgBox("Error " + std::to_string(lNumero) + vb::vbCrLf + sDescripcion, ui::Botones::OK,
             ui::Icono::Exclamacion,
             "Error al actualizar a v." + sDestino + "  a partir de v." + sAlcanzado);
}

// The run log records what stopped the climb as well, so that it is the whole record of the
// run even when no statement had failed before. A log that cannot be written does not keep
// the box from showing.
void AnotaParadaEnLog(const std::string& sPaso, long lNumero, const std::string& sDescripcion,
                      const std::string& sDestino, const std::string& sAlcanzado) {
  try {
    EscribeEntradaLog("Error en el paso " + sPaso + " al actualizar a v." + sDestino +
                          "  a partir de v." + sAlcanzado + " :",
                      lNumero, sDescripcion);
  } catch (const vb::Error&) {
  }
}

}  // namespace

bool frmActIngreso::ActualizaVersiones(std::int16_t iVersionDestino, std::int16_t iVersionActual,
                                       const std::string& sCadenaConexion,
                                       std::int16_t iManejador) {
  mAgregaDefault = chkRegDef.Value == 1;
  mFallaEnActualizacion = false;
  bool bResultado = false;
  for (std::size_t caja = 0; caja < chkProyecto.size(); ++caja) {
    if (chkProyecto[caja].Value != 1) continue;
    const std::uint8_t iEstructura = kEstructuraDeCaja[caja];
    if (iEstructura == EstructuraPrincipal) {
      if (!SubeEscalera(bResultado, iVersionDestino, iVersionActual, sCadenaConexion, iManejador)) {
        mFallaEnActualizacion = true;
        return false;
      }
    } else {
      bResultado =
          ActualizaBD(iEstructura, sCadenaConexion, iVersionActual, iVersionDestino, iManejador);
      if (!bResultado) mFallaEnActualizacion = true;
    }
  }
  return bResultado && !mFallaEnActualizacion;
}

// Takes every rung whose version lies between the current version (excluded for 5.1 to
// 5.8) and the target; bResultado is the last step's result. False when a step failed or
// an error left a step: the climb stops there.
bool frmActIngreso::SubeEscalera(bool& bResultado, std::int16_t iVersionDestino,
                                 std::int16_t iVersionActual, const std::string& sCadenaConexion,
                                 std::int16_t iManejador) {
  std::int16_t iPeldanoAlcanzado = iVersionActual;
  std::int16_t iPeldanoEnCurso = iVersionActual;
  const auto paraEn = [&](long lNumero, const std::string& sDescripcion) {
    AnotaParadaEnLog(TextoDeVersion(iPeldanoEnCurso), lNumero, sDescripcion,
                     TextoDeVersion(iVersionDestino), TextoDeVersion(iPeldanoAlcanzado));
  };
  try {
    for (const Peldano& peldano : kEscalera) {
      const bool bDesdeAbajo =
          peldano.bSoloDesdeAbajo ? iVersionActual < peldano.V : iVersionActual <= peldano.V;
      if (iVersionDestino >= peldano.V && bDesdeAbajo) {
        iPeldanoEnCurso = peldano.V;
        VersionDelPaso versionDelPaso;  // what the step's routines record waits for its end
        bResultado = (this->*peldano.Actualiza)(sCadenaConexion, iVersionActual, iVersionDestino,
                                                iManejador);
        if (!bResultado) {
          paraEn(0, kRevisionIncompleta);
          return false;
        }
        versionDelPaso.CompruebaEscrita();
      }
      iPeldanoAlcanzado = peldano.V;
    }
    return true;
  } catch (const vb::Error& error) {
    paraEn(error.Number(), error.Description());
    MuestraErrorDeEscalera(error.Number(), error.Description(), TextoDeVersion(iVersionDestino),
                           TextoDeVersion(iPeldanoAlcanzado));
  } catch (const std::exception& error) {
    paraEn(kErrorInterno, error.what());
    MuestraErrorDeEscalera(kErrorInterno, error.what(), TextoDeVersion(iVersionDestino),
                           TextoDeVersion(iPeldanoAlcanzado));
  }
  bResultado = false;
  return false;
}
