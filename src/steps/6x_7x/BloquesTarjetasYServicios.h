#pragma once
// TEMPORARY until the shared blocks land.
#include <cstdint>
#include <string>

#include "steps/MarcoRutina.h"

void ReparaCaducidadesInvFisico(Rutina& r, std::int16_t iManejador);
void AseguraServiciosElectronicos(Rutina& r);
void SiembraProveedorTC(Rutina& r, int codigo);
std::string SitioDePruebaDelProveedor4();
std::string SitioDePruebaEnParametros();
inline constexpr const char* kSitioPrueba4 = "esqa.moneris.com";
