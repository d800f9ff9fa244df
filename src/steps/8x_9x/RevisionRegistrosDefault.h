#pragma once
// The default-records check that the routines of 8.2 to 8.9 run: the fixed rows that
// CFDI 3.3 invoicing relies on (payment forms, tax types and the exempt tax, the profile
// HOST, the public-sales invoice article with its group and unit rows, the electronic-
// services and card-payment providers) and, in the later versions, the currency's
// abbreviation. One body; each version module's member differs only in the data below.
#include <cstdint>

#include "platform/ado/Ado.h"
#include "steps/6x_7x/ProveedoresTarjeta.h"

// What a member does with a card-payment provider.
enum class TratoProveedorTC {
  InsertaSiFalta,  // looked up, inserted when missing
  BorraSiExiste,   // looked up, deleted when present
  BorraSinBuscar,  // deleted without a lookup
};

struct MiembroRevision {
  const char* sNombre;  // the routine name of its log entries
  TratoProveedorTC proveedor1;
  TratoProveedorTC proveedor4;
  bool bCorrigeMoneda;  // currency 1's 'MN' or 'M.N.' becomes 'MXN'
};

inline constexpr MiembroRevision kRevision82 = {"ModificarEstructura82 - Revisar Registros Default",
                                                TratoProveedorTC::InsertaSiFalta,
                                                TratoProveedorTC::InsertaSiFalta, false};
inline constexpr MiembroRevision kRevision83 = {"ModificarEstructura83 - Revisar Registros Default",
                                                TratoProveedorTC::InsertaSiFalta,
                                                TratoProveedorTC::InsertaSiFalta, false};
inline constexpr MiembroRevision kRevision84 = {"ModificarEstructura84 - Revisar Registros Default",
                                                TratoProveedorTC::InsertaSiFalta,
                                                TratoProveedorTC::InsertaSiFalta, false};
inline constexpr MiembroRevision kRevision85 = {"ModificarEstructura85 - Revisar Registros Default",
                                                TratoProveedorTC::InsertaSiFalta,
                                                TratoProveedorTC::InsertaSiFalta, true};
inline constexpr MiembroRevision kRevision86 = {"ModificarEstructura86 - Revisar Registros Default",
                                                TratoProveedorTC::InsertaSiFalta,
                                                TratoProveedorTC::InsertaSiFalta, true};
inline constexpr MiembroRevision kRevision87 = {"ModificarEstructura87 - Revisar Registros Default",
                                                TratoProveedorTC::InsertaSiFalta,
                                                TratoProveedorTC::InsertaSiFalta, true};
inline constexpr MiembroRevision kRevision88 = {"ModificarEstructura88 - Revisar Registros Default",
                                                TratoProveedorTC::BorraSiExiste,
                                                TratoProveedorTC::InsertaSiFalta, true};
inline constexpr MiembroRevision kRevision89 = {"ModificarEstructura89 - Revisar Registros Default",
                                                TratoProveedorTC::BorraSiExiste,
                                                TratoProveedorTC::BorraSinBuscar, true};

// Adds the missing default rows and repairs the keys, under its own handler (every
// failure logged under "Error en <sNombre> :" and skipped); records no version.
// iManejador only shapes the article's date literals; iVersionDestino chooses the
// article's columns (800, 890) and the unit row's (830).
void RevisaRegistrosDefault(ado::Connection& cnx, std::int16_t iManejador,
                            std::int16_t iVersionDestino, const MiembroRevision& miembro);
