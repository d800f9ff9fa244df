#pragma once
// Pieces that the routines of 8.0 and later send again and again: the date literals of a
// new article, the expiry-date repair of physical-inventory lines, the electronic-services
// provider with its PSE_CODPROV rule, the CFDI tax keys, and the rows of the public-sales
// invoice article.
#include <cstdint>
#include <string>

#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/ServiciosElectronicos.h"

class Rutina;

// The code of the public-sales invoice article.
inline constexpr const char* kArticuloCFDI = "QZ_CFDI33_VELMAR_SAT";

// The two date literals of a new article, from a clsBaseDatos of their own: today's date,
// and 1 January 1800 at the current clock time (the change date).
struct FechasArticulo {
  std::string sHoy;
  std::string sCambio;
};
FechasArticulo GeneraFechasArticulo(std::int16_t iManejador);

// Today's date as a literal of the dialect (GeneraFecHr, kind FecHrFecha).
std::string FechaDeHoy(std::int16_t iManejador);

// ReparaCaducidadInvFisico (the physical-inventory expiry dates) comes from here too.


// The CFDI tax keys (SAT c_Impuesto): Null to '', then IVA '002', IEPS '003', ISR '001' by
// tax type; one statement each, under the routine's handler state.
void AsignaClavesTipoImpuesto(Rutina& r);  // tblTipoImpuesto, by COD_TIPO
void AsignaClavesImpuestos(Rutina& r);     // tblImpuestos, by TIPO_IMP
inline void AsignaClavesCFDI(Rutina& r) {
  AsignaClavesTipoImpuesto(r);
  AsignaClavesImpuestos(r);
}

// The article's row. Its columns grow with the target version: 24 below 800, CVE_CFDI from
// 800, ES_ANTIBIOTICO, FEC_CAMBIO and IMGBIT_ART from 890.
std::string InsercionArticuloCFDI(std::int16_t iVersionDestino, const FechasArticulo& fechas);
// Its group row: "... VALUES ('QZ_CFDI33_VELMAR_SAT',<grupo>,<subgrupo>) " (one trailing
// blank, no semicolon).
std::string InsercionGrupoArticuloCFDI(int iGrupo, int iSubgrupo);
// Its unit row ACT, with PCIO_PUNTOS from target 830 on (no semicolon).
std::string InsercionUnidadArticuloCFDI(std::int16_t iVersionDestino);
