#include "steps/5x/modVersion55.h"

#include <vector>

#include "platform/vb/Conversions.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

// The packages that serve as modifiers and have their own modifier flag set, once each.
constexpr const char* kPaquetesModificadores =
    "SELECT DISTINCT COD1_PAQ FROM tblEncPaquetes INNER JOIN tblModificadores ON "
    "tblEncPaquetes.COD1_PAQ= tblModificadores.COD_ART WHERE REC_MODIF<>0";
// The lines with modifier flags whose article is a package with its flag set, once per line.
constexpr const char* kRenglonesConPaqueteModificador =
    "SELECT tblRenPaquetes.COD1_PAQ AS PAQPADRE, tblEncPaquetes.COD1_PAQ AS PAQMODIF FROM "
    "tblEncPaquetes INNER JOIN tblRenPaquetes ON tblEncPaquetes.COD1_PAQ= tblRenPaquetes.COD1_ART "
    "WHERE REC_MODIF<>0 AND (MODIF_OPC<>0 OR MODIF_INT<>0 OR MODIF_LISTA<>0)";

// A line of a package whose article is itself a flagged package.
struct PaqueteEnRenglon {
  vb::Variant articulo;  // COD_ART: the package on the line
  vb::Variant paquete;   // COD_PAQ: the package that owns the line
};

// A flag read from a row is set when it is not 0; a Null is not set.
bool Marcada(const vb::Variant& bandera) { return !bandera.IsNull() && vb::CDbl(bandera) != 0; }

// The working list of packages: the rows of kPaquetesModificadores, in the engine's order.
void LeePaquetesModificadores(Rutina& r, std::vector<vb::Variant>& paquetes) {
  ado::Recordset rs = r.Abre(kPaquetesModificadores);
  if (r.ConFilas(rs))
    r.Recorre(rs, [&] { r.Paso([&] { paquetes.push_back(Campo(rs, "COD1_PAQ")); }); });
  r.Cierra(rs);
}

// The article of the line is a package whose flag is set at this moment (a reset made
// earlier in the pass counts). An article that cannot be looked up counts as set.
bool ArticuloConBandera(Rutina& r, const ado::Recordset& rsRenglon) {
  bool bConBandera = false;
  ado::Recordset rs = r.Abre([&] {
    return "SELECT REC_MODIF FROM tblEncPaquetes WHERE COD1_PAQ='" +
           r.UnePropagandoNulo(Campo(rsRenglon, "COD1_ART")) + "';";
  });
  if (r.ConFilas(rs) && r.Si([&] { return Marcada(Campo(rs, "REC_MODIF")); })) bConBandera = true;
  r.Cierra(rs);
  return bConBandera;
}

// The lines in the order returned, up to the first that decides: one with a modifier
// flag of its own, or one whose article is a flagged package. A line that cannot be
// read decides too, so a package whose lines cannot be read keeps its flag.
bool AlgunRenglonLaConserva(Rutina& r, ado::Recordset& rs) {
  bool bOtroRenglon = true;
  while (bOtroRenglon) {
    if (r.Si([&] {
          return Marcada(Campo(rs, "MODIF_OPC")) || Marcada(Campo(rs, "MODIF_INT")) ||
                 Marcada(Campo(rs, "MODIF_LISTA"));
        }))
      return true;
    if (ArticuloConBandera(r, rs)) return true;
    bOtroRenglon = false;
    r.Paso([&] {
      rs.MoveNext();
      bOtroRenglon = !rs.Eof();
    });
  }
  return false;
}

bool ConservaBandera(Rutina& r, const vb::Variant& paquete) {
  bool bConserva = false;
  ado::Recordset rs = r.Abre([&] {
    return "SELECT COD1_ART,MODIF_OPC,MODIF_INT,MODIF_LISTA FROM tblRenPaquetes WHERE COD1_PAQ='" +
           r.UnePropagandoNulo(paquete) + "';";
  });
  if (r.ConFilas(rs)) bConserva = AlgunRenglonLaConserva(r, rs);
  r.Cierra(rs);
  return bConserva;
}

// Pass 1: a package keeps its flag only when one of its lines decides so; the others lose it.
void QuitaBanderasSinRenglones(Rutina& r, const std::vector<vb::Variant>& paquetes) {
  for (const vb::Variant& paquete : paquetes)
    if (!ConservaBandera(r, paquete))
      r.Ejecuta([&] {
        return "UPDATE tblEncPaquetes SET REC_MODIF=0 WHERE COD1_PAQ='" +
               r.UnePropagandoNulo(paquete) + "';";
      });
}

// Pass 2: a package that kept its flag stops serving as a modifier.
void DejanDeSerModificadores(Rutina& r, std::vector<vb::Variant>& paquetes) {
  paquetes.clear();
  LeePaquetesModificadores(r, paquetes);
  for (const vb::Variant& paquete : paquetes)
    r.Ejecuta([&] {
      return "DELETE FROM tblModificadores WHERE COD_ART='" + r.UnePropagandoNulo(paquete) + "';";
    });
}

// Pass 3: the lines that hold a flagged package lose their modifier flags; the update
// clears every line of the owner that holds that article.
void LimpiaRenglonesConPaquete(Rutina& r) {
  std::vector<PaqueteEnRenglon> renglones;
  ado::Recordset rs = r.Abre(kRenglonesConPaqueteModificador);
  r.Recorre(rs, [&] {
    r.Paso([&] { renglones.push_back({Campo(rs, "PAQMODIF"), Campo(rs, "PAQPADRE")}); });
  });
  r.Cierra(rs);
  for (const PaqueteEnRenglon& renglon : renglones)
    r.Ejecuta([&] {
      return "UPDATE tblRenPaquetes SET MODIF_OPC=0,MODIF_INT=0,MODIF_LISTA=0 WHERE COD1_PAQ='" +
             r.UnePropagandoNulo(renglon.paquete) + "' AND COD1_ART='" +
             r.UnePropagandoNulo(renglon.articulo) + "';";
    });
}

}  // namespace

void ModificarEstructura55(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura55", iManejador);
  r.ArmaManejador();

  r.Ejecuta(AmpliaTexto(iManejador, "tblParametrosGenerales", "FE_CONTRASENA", 255));
  r.Ejecuta("ALTER TABLE tblEmpresa DROP COLUMN TC_PROV;");
  r.Ejecuta("ALTER TABLE tblEmpresa DROP COLUMN TC_ID;");
  r.Ejecuta("ALTER TABLE tblEmpresa DROP COLUMN DIR2_EMP;");
  r.Ejecuta("UPDATE tblCiudad SET MUN_CID=DES_CID WHERE MUN_CID='';");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_PAC=0;");

  r.RegistraVersion(550);
}

// After the clean-up no package both has its modifier flag set and serves as a modifier,
// and no line whose article is such a flagged package carries modifier flags.
void ActualizaCamposVersion55(ado::Connection& cnx) {
  Rutina r(cnx, "ActualizaCamposVersion55");
  std::vector<vb::Variant> paquetes;

  // A list that cannot be read leaves the clean-up undone, with one log entry. That
  // failure is then still being handled, so the version row is not caught: a failure
  // there reaches the caller.
  if (r.IntentaAnotando([&] { LeePaquetesModificadores(r, paquetes); })) {
    r.ArmaManejador();
    QuitaBanderasSinRenglones(r, paquetes);
    DejanDeSerModificadores(r, paquetes);
    LimpiaRenglonesConPaquete(r);
  }

  r.RegistraVersion(550);
}
