#include "taxrecode/modImptosCompras.h"

#include <array>
#include <string>

#include "frame/RunLog.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"

namespace {

constexpr long kUsoInvalidoDeNulo = 94;

// One purchase-document table and its rate columns.
struct Pasada {
  const char* tabla;
  const char* tasa1;
  const char* tasa2;
  const char* progreso;
};

constexpr std::array<Pasada, 4> kPasadas = {{
    {"tblComprasRen", "IMP1_ART", "IMP2_ART", "Actualizar impuestos en recepciones (Compras)"},
    {"tblCotizacionesRen", "REN_IMP1", "REN_IMP2", "Actualizar impuestos en cotizaciones (Compras)"},
    {"tblOCOMRen", "IMP1_REG", "IMP2_REG", "Actualizar impuestos en órdenes de compra (Compras)"},
    {"tblDevolucionRen", "IMP1_REN", "IMP2_REN", "Actualizar impuestos en devoluciones (Compras)"},
}};

// The first row of a query, or Null when it returns none.
vb::Variant PrimerCodigo(ado::Connection& cnx, const std::string& sql, bool& hallado) {
  ado::Recordset rs;
  rs.Open(sql, cnx, ado::adOpenForwardOnly, ado::adLockReadOnly, ado::adCmdText);
  hallado = !(rs.BOF() && rs.Eof());
  vb::Variant codigo = hallado ? rs.Fields("COD_IMP").Value() : vb::Variant::Null();
  rs.Close();
  return codigo;
}

// A comparison with an empty value counts as false.
bool MayorQueCero(const vb::Variant& valor) { return !valor.IsNull() && vb::CDbl(valor) > 0; }
bool IgualACero(const vb::Variant& valor) { return !valor.IsNull() && vb::CDbl(valor) == 0; }

class Recodificador {
 public:
  Recodificador(ado::Connection& cnx, ui::Label& lblMensaje)
      : cnx_(cnx), lblMensaje_(lblMensaje), entrada_(lblMensaje.Caption) {}

  // False when a line could not be coded; errors leave as they are raised.
  bool Recodifica() {
    for (const Pasada& pasada : kPasadas) RecorrePasada(pasada);
    return !hayLineasSinTasa_;
  }

 private:
  void RecorrePasada(const Pasada& pasada) {
    const std::string t1 = pasada.tasa1;
    const std::string t2 = pasada.tasa2;
    ado::Recordset rs;
    rs.Open("SELECT " + t1 + "," + t2 + ",GRAVA_IMP1,COD1_IMP,COD2_IMP FROM " + pasada.tabla +
                " WHERE (COD1_IMP=0) OR (" + t2 + ">0 AND COD2_IMP=0) ORDER BY " + t1 + "," + t2,
            cnx_, ado::adOpenForwardOnly, ado::adLockReadOnly, ado::adCmdText);
    if (!(rs.BOF() && rs.Eof())) {
      Muestra(pasada, "");
      for (; !rs.Eof(); rs.MoveNext()) RecodificaLinea(pasada, rs);
    }
    rs.Close();
    cnx_.Execute(std::string("UPDATE ") + pasada.tabla + " SET COD1_IMP=0 WHERE (" + t1 +
                 "=0 AND COD2_IMP=0);");
  }

  void RecodificaLinea(const Pasada& pasada, const ado::Recordset& rs) {
    Muestra(pasada, ".");
    const vb::Variant tasa1 = rs.Fields(pasada.tasa1).Value();
    const vb::Variant tasa2 = rs.Fields(pasada.tasa2).Value();
    if (IgualACero(rs.Fields("COD1_IMP").Value())) {
      if (tasa1.IsNull())
        AnotaLineaSinTasa(pasada);
      else
        RecodificaPrimerImpuesto(pasada, tasa1, rs.Fields("GRAVA_IMP1").Value());
    }
    if (MayorQueCero(tasa2) && IgualACero(rs.Fields("COD2_IMP").Value())) {
      const std::int16_t codigo = BuscaCodImpuesto(cnx_, vb::CCur(tasa2), 0, 2);
      cnx_.Execute(std::string("UPDATE ") + pasada.tabla + " SET COD2_IMP=" +
                   std::to_string(codigo) + " WHERE (" + pasada.tasa2 + "=" + vb::CStr(tasa2) +
                   " AND COD2_IMP=0);");
      Muestra(pasada, "..");
    }
    Muestra(pasada, "...");
  }

  void RecodificaPrimerImpuesto(const Pasada& pasada, const vb::Variant& tasa1,
                                const vb::Variant& grava) {
    const bool gravado = MayorQueCero(grava);
    const std::uint8_t iGravaImp = gravado ? vb::CByte(grava) : 0;
    const std::string cola = gravado ? " AND COD1_IMP=0) AND (GRAVA_IMP1>0);"
                                     : " AND COD1_IMP=0) AND (GRAVA_IMP1=0);";
    const std::int16_t codigo = BuscaCodImpuesto(cnx_, vb::CCur(tasa1), iGravaImp, 1);
    cnx_.Execute(std::string("UPDATE ") + pasada.tabla + " SET COD1_IMP=" +
                 std::to_string(codigo) + " WHERE (" + pasada.tasa1 + "=" + vb::CStr(tasa1) +
                 cola);
    Muestra(pasada, "..");
  }

  // A line without a first rate has nothing to look up and no rate for its UPDATE. It stays
  // uncoded and is reported, while the other lines and passes are still coded.
  void AnotaLineaSinTasa(const Pasada& pasada) {
    EscribeEntradaLog(kEtiquetaImpuestosCompras, kUsoInvalidoDeNulo,
                      std::string("Una línea de ") + pasada.tabla +
                          " sin tasa en " + pasada.tasa1 + " quedó sin código de impuesto.");
    hayLineasSinTasa_ = true;
  }

  void Muestra(const Pasada& pasada, const char* puntos) {
    lblMensaje_.Caption = entrada_ + vb::vbCrLf + vb::vbCrLf + pasada.progreso + puntos;
    lblMensaje_.Refresh();
  }

  ado::Connection& cnx_;
  ui::Label& lblMensaje_;
  const std::string entrada_;
  bool hayLineasSinTasa_ = false;
};

}  // namespace

std::int16_t BuscaCodImpuesto(ado::Connection& cnx, vb::Currency curPorImp,
                              std::uint8_t iGravaImp, std::uint8_t iTipoImp) {
  const std::string tasa = vb::CStr(curPorImp);
  const bool primero = iTipoImp == 1;
  const std::string estricto = primero ? " AND (TIPO_IMP=1) AND (GRAVA_IMP=" +
                                             std::to_string(iGravaImp) + ")"
                                       : " AND (TIPO_IMP=2)";
  const std::string holgado = primero ? " AND (TIPO_IMP=1)" : "";
  bool hallado = false;
  vb::Variant codigo = PrimerCodigo(
      cnx, "SELECT COD_IMP FROM tblImpuestos WHERE POR_IMP=" + tasa + estricto + ";", hallado);
  if (!hallado)
    codigo = PrimerCodigo(
        cnx, "SELECT COD_IMP,GRAVA_IMP FROM tblImpuestos WHERE POR_IMP=" + tasa + holgado + ";",
        hallado);
  if (!hallado && !holgado.empty())
    codigo = PrimerCodigo(cnx, "SELECT COD_IMP,GRAVA_IMP FROM tblImpuestos WHERE POR_IMP=" + tasa + ";",
                          hallado);
  return hallado ? vb::CInt(codigo) : 0;
}

bool AgregarImpuestosCompras(ado::Connection& cnx, ui::Label& lblMensaje) {
  Recodificador recodificador(cnx, lblMensaje);
  try {
    return recodificador.Recodifica();
  } catch (const vb::Error& error) {
    EscribeEntradaLog(kEtiquetaImpuestosCompras, error.Number(), error.Description());
    return false;
  }
}
