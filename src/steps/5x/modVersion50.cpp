#include "steps/5x/modVersion50.h"

#include <array>
#include <set>
#include <string_view>

#include "data/clsBaseDatos.h"
#include "platform/vb/Text.h"
#include "steps/ActualizacionConsultorio.h"
#include "steps/DireccionTiempoAire.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

constexpr const char* kEtiqueta50 = "Error en ModificarEstructura50 (Sin Dorvex.mdb) :";

constexpr const char* kConsultaEmpresa = "SELECT * FROM tblEmpresa WHERE COD_EMPRESA=1;";

// The company settings on their way from tblEmpresa to tblParametrosGenerales, named
// after their columns, each held as its kind (byte, 16-bit integer or text) with its
// starting value.
struct Ajustes {
  std::string COD_SUCU;
  std::uint8_t FACT_MOSTRA = 0;
  std::uint8_t FACT_POREMP = 0;
  std::uint8_t NOTA_FACTURA = 0;
  std::int16_t CAMP_REDN = 0;
  std::uint8_t CAD_ACT = 0;
  std::uint8_t DIAS_CAD = 0;
  std::uint8_t HORAS_CAD = 0;
  std::uint8_t LDV_CLIENTE = 0;
  std::uint8_t LDA = 0;
  std::uint8_t LDC_TIPODOC = 0;
  std::uint8_t LDC_MONEDA = 0;
  std::uint8_t LDC_SUCURSAL = 0;
  std::uint8_t LDC_PRESUP = 0;
  std::int16_t LIM_RENVTA = 0;
  std::uint8_t MOD_FECPED = 1;
  std::uint8_t CP_RESTPRES = 0;
  std::uint8_t TC_SERVICIO = 0;
  std::string TC_IDSITIO;
  std::uint8_t TA_ACT = 0;
  std::int16_t TA_AGR = 0;
  std::int16_t TA_IMPTO = 0;
  std::int16_t TA_GRUPO = 0;
  std::int16_t TA_CADENA = 0;
  std::int16_t TA_TIENDA = 0;
  std::string TA_URL;
  std::string TA_FTP;
  // The columns whose value was read from the company row in this run.
  std::set<std::string> deEmpresa;
};

// The company columns that 5.0 removes: the moved settings and four that are not kept.
constexpr std::array<const char*, 31> kColumnasQuitadas = {
    "COD_SUCU",    "FACT_MOSTRA",  "FACT_POREMP", "NOTA_FACTURA", "CAMP_REDN",   "CAD_ACT",
    "DIAS_CAD",    "HORAS_CAD",    "LIM_RENVTA",  "MOD_FECPED",   "CP_RESTPRES", "LDV_CLIENTE",
    "LDA",         "LDC_TIPODOC",  "LDC_MONEDA",  "LDC_SUCURSAL", "LDC_PRESUP",  "TC_SERVICIO",
    "TC_IDSITIO",  "TA_ACT",       "TA_AGR",      "TA_IMPTO",     "TA_GRUPO",    "TA_CADENA",
    "TA_TIENDA",   "TA_URL",       "TA_FTP",      "TA_SALDO",     "CFD_FACT",    "CFD_NCRE",
    "CFD_NCAR"};

// Whether the company lookup still holds the settings' old columns. Once a run has moved
// them they are gone, and a later run must not overwrite what now lives only in
// tblParametrosGenerales with the empty values it reads.
bool AjustesEnEmpresa(const ado::Recordset& rs) {
  if (rs.State() != ado::adStateOpen) return false;
  for (int i = 0; i < rs.FieldCount(); ++i)
    if (vb::UCase(rs.Fields(i).Name) == "COD_SUCU") return true;
  return false;
}

template <class T>
void LeeDeEmpresa(Rutina& r, Ajustes& a, T& ajuste, const ado::Recordset& rs,
                  std::string_view campo) {
  if (r.Lee(ajuste, rs, campo)) a.deEmpresa.emplace(campo);
}

// Settings that a Null leaves at their starting value, without a failure.
template <class T>
void LeeSiTieneValor(Rutina& r, Ajustes& a, T& ajuste, const ado::Recordset& rs,
                     std::string_view campo) {
  if (r.Si([&] { return !Campo(rs, campo).IsNull(); })) LeeDeEmpresa(r, a, ajuste, rs, campo);
}

void LeeAjustes(Rutina& r, const ado::Recordset& rs, std::int16_t iVersionActual, Ajustes& a) {
  const auto SiTieneValor = [&](auto& ajuste, std::string_view campo) {
    LeeSiTieneValor(r, a, ajuste, rs, campo);
  };
  r.Lee(a.COD_SUCU, rs, "COD_SUCU");
  LeeDeEmpresa(r, a, a.FACT_MOSTRA, rs, "FACT_MOSTRA");
  if (iVersionActual >= 330) {
    LeeDeEmpresa(r, a, a.FACT_POREMP, rs, "FACT_POREMP");
    LeeDeEmpresa(r, a, a.NOTA_FACTURA, rs, "NOTA_FACTURA");
  }
  if (iVersionActual >= 420) {
    SiTieneValor(a.CAMP_REDN, "CAMP_REDN");
    SiTieneValor(a.CAD_ACT, "CAD_ACT");
    SiTieneValor(a.DIAS_CAD, "DIAS_CAD");
    SiTieneValor(a.HORAS_CAD, "HORAS_CAD");
    SiTieneValor(a.LDV_CLIENTE, "LDV_CLIENTE");
    SiTieneValor(a.LDA, "LDA");
    SiTieneValor(a.LDC_TIPODOC, "LDC_TIPODOC");
    SiTieneValor(a.LDC_MONEDA, "LDC_MONEDA");
    SiTieneValor(a.LDC_SUCURSAL, "LDC_SUCURSAL");
    SiTieneValor(a.LDC_PRESUP, "LDC_PRESUP");
  }
  if (iVersionActual >= 430) {
    SiTieneValor(a.LIM_RENVTA, "LIM_RENVTA");
    SiTieneValor(a.MOD_FECPED, "MOD_FECPED");
    SiTieneValor(a.CP_RESTPRES, "CP_RESTPRES");
    SiTieneValor(a.TC_SERVICIO, "TC_SERVICIO");
    SiTieneValor(a.TC_IDSITIO, "TC_IDSITIO");
  }
  if (iVersionActual >= 500) {
    SiTieneValor(a.TA_ACT, "TA_ACT");
    SiTieneValor(a.TA_AGR, "TA_AGR");
    SiTieneValor(a.TA_IMPTO, "TA_IMPTO");
    SiTieneValor(a.TA_GRUPO, "TA_GRUPO");
    SiTieneValor(a.TA_CADENA, "TA_CADENA");
    SiTieneValor(a.TA_TIENDA, "TA_TIENDA");
    SiTieneValor(a.TA_URL, "TA_URL");
    SiTieneValor(a.TA_FTP, "TA_FTP");
  }
}

// A branch code that names no main branch gives way to the first main branch's, or to
// none.
void ValidaSucursal(Rutina& r, std::string& sCodSucu) {
  ado::Recordset rs = r.Abre([&] {
    return "SELECT COD_SUCU FROM tblSucursales WHERE (COD_SUCU='" + r.Une(sCodSucu) +
           "') AND (ES_PRINCIPAL<>0);";
  });
  if (r.SinFilas(rs)) sCodSucu.clear();
  r.Cierra(rs);

  if (!sCodSucu.empty()) return;
  rs = r.Abre("SELECT COD_SUCU FROM tblSucursales WHERE ES_PRINCIPAL<>0;");
  if (r.ConFilas(rs)) r.Lee(sCodSucu, rs, "COD_SUCU");
  r.Cierra(rs);
}

std::string Numero(int valor) { return std::to_string(valor); }

// Which rows of the parameters a setting is written into: those where it is Null. While
// the settings move, a setting read from the company also replaces the default (0 or '')
// of a column that cannot hold Null: there the default is what a setting never given
// looks like, as in the columns the synchronisation has just added. A value of its own,
// set by hand in a column that was already there, stays.
class Relleno {
 public:
  Relleno(const Ajustes& a, bool bMueveAjustes, const ado::Recordset& rsParametros)
      : ajustes_(a), mueve_(bMueveAjustes) {
    if (rsParametros.State() != ado::adStateOpen) return;  // the lookup failed
    for (int i = 0; i < rsParametros.FieldCount(); ++i) {
      const ado::Field campo = rsParametros.Fields(i);
      if ((campo.Attributes & (ado::adFldIsNullable | ado::adFldMayBeNull)) == 0)
        sinNulos_.insert(vb::UCase(campo.Name));
    }
  }

  bool Mueve(const std::string& columna) const {
    return mueve_ && ajustes_.deEmpresa.count(columna) > 0;
  }

  std::string Donde(const std::string& columna, const std::string& vacio) const {
    if (Mueve(columna) && sinNulos_.count(columna) > 0)
      return "(" + columna + " IS NULL) OR (" + columna + "=" + vacio + ")";
    return columna + " IS NULL";
  }

  std::string Numero(const std::string& columna, int valor) const {
    return "UPDATE tblParametrosGenerales SET " + columna + "=" + ::Numero(valor) + " WHERE " +
           Donde(columna, "0") + ";";
  }

  std::string Texto(const Rutina& r, const std::string& columna, const std::string& valor) const {
    return "UPDATE tblParametrosGenerales SET " + columna + "='" + r.Une(valor) + "' WHERE " +
           Donde(columna, "''") + ";";
  }

 private:
  const Ajustes& ajustes_;
  bool mueve_;
  std::set<std::string> sinNulos_;  // upper-case names
};

// The parameters row exists: each setting goes where the row has none (see Relleno). The
// branch code and the receivables connection are written over only by the run that moves
// the settings, which also brings the three settings that the row would otherwise never
// get.
void ActualizaParametros(Rutina& r, Ajustes& a, bool bMueveAjustes, const Relleno& f) {
  if (bMueveAjustes)
    r.Ejecuta("UPDATE tblParametrosGenerales SET COD_SUCU='" + r.Une(a.COD_SUCU) + "';");
  r.Ejecuta(f.Numero("FACT_MOSTRA", a.FACT_MOSTRA));
  r.Ejecuta(f.Numero("FACT_POREMP", a.FACT_POREMP));
  r.Ejecuta(f.Numero("NOTA_FACTURA", a.NOTA_FACTURA));
  r.Ejecuta(f.Numero("CAMP_REDN", a.CAMP_REDN));
  r.Ejecuta(f.Numero("CAD_ACT", a.CAD_ACT));
  r.Ejecuta(f.Numero("DIAS_CAD", a.DIAS_CAD));
  r.Ejecuta(f.Numero("HORAS_CAD", a.HORAS_CAD));
  if (f.Mueve("LIM_RENVTA")) r.Ejecuta(f.Numero("LIM_RENVTA", a.LIM_RENVTA));
  if (f.Mueve("MOD_FECPED")) r.Ejecuta(f.Numero("MOD_FECPED", a.MOD_FECPED));
  if (f.Mueve("CP_RESTPRES")) r.Ejecuta(f.Numero("CP_RESTPRES", a.CP_RESTPRES));
  r.Ejecuta(f.Numero("LDV_CLIENTE", a.LDV_CLIENTE));
  r.Ejecuta(f.Numero("LDA", a.LDA));
  r.Ejecuta(f.Numero("LDC_TIPODOC", a.LDC_TIPODOC));
  r.Ejecuta("UPDATE tblParametrosGenerales SET LDC_MONEDA= " + Numero(a.LDC_MONEDA) +
            " WHERE " + f.Donde("LDC_MONEDA", "0") + ";");
  r.Ejecuta(f.Numero("LDC_SUCURSAL", a.LDC_SUCURSAL));
  r.Ejecuta(f.Numero("LDC_PRESUP", a.LDC_PRESUP));
  r.Ejecuta(f.Numero("TC_SERVICIO", a.TC_SERVICIO));
  r.Ejecuta(f.Texto(r, "TC_IDSITIO", a.TC_IDSITIO));
  r.Ejecuta("UPDATE tblParametrosGenerales SET TC_KEY='' WHERE TC_KEY IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET TC_EMPRESA='' WHERE TC_EMPRESA IS NULL;");
  r.Ejecuta(f.Numero("TA_ACT", a.TA_ACT));
  r.Ejecuta(f.Numero("TA_AGR", a.TA_AGR));
  r.Ejecuta(f.Numero("TA_IMPTO", a.TA_IMPTO));
  r.Ejecuta(f.Numero("TA_GRUPO", a.TA_GRUPO));
  r.Ejecuta(f.Numero("TA_CADENA", a.TA_CADENA));
  r.Ejecuta(f.Numero("TA_TIENDA", a.TA_TIENDA));
  if (a.TA_URL.empty()) a.TA_URL = kDireccionTiempoAire;
  r.Ejecuta(f.Texto(r, "TA_URL", a.TA_URL));
  r.Ejecuta(f.Texto(r, "TA_FTP", a.TA_FTP));
  r.Ejecuta("UPDATE tblParametrosGenerales SET CFD_FACT = 0 WHERE CFD_FACT IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_WEBSERVURL = '' WHERE FE_WEBSERVURL IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_EMPRESA = '' WHERE FE_EMPRESA IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_DOMINIO = '' WHERE FE_DOMINIO IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_USUARIO = '' WHERE FE_USUARIO IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_CONTRASENA ='' WHERE FE_CONTRASENA IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_EMAILPV = '' WHERE FE_EMAILPV IS NULL;");
  if (bMueveAjustes) r.Ejecuta("UPDATE tblParametrosGenerales SET CONX_CXC = '', BD_CXC = '';");
}

// The parameters table is empty: one row with every setting.
void InsertaParametros(Rutina& r, Ajustes& a) {
  if (a.TA_URL.empty()) a.TA_URL = kDireccionTiempoAire;
  const auto texto = [&](const std::string& valor) { return "'" + r.Une(valor) + "'"; };
  const std::string valores =
      texto(a.COD_SUCU) + "," + Numero(a.FACT_MOSTRA) + "," + Numero(a.FACT_POREMP) + "," +
      Numero(a.NOTA_FACTURA) + "," + Numero(a.CAMP_REDN) + "," + Numero(a.CAD_ACT) + "," +
      Numero(a.DIAS_CAD) + "," + Numero(a.HORAS_CAD) + "," + Numero(a.LIM_RENVTA) + "," +
      Numero(a.MOD_FECPED) + "," + Numero(a.CP_RESTPRES) + "," + Numero(a.LDV_CLIENTE) + "," +
      Numero(a.LDA) + "," + Numero(a.LDC_TIPODOC) + "," + Numero(a.LDC_MONEDA) + "," +
      Numero(a.LDC_SUCURSAL) + "," + Numero(a.LDC_PRESUP) + "," + Numero(a.TC_SERVICIO) + "," +
      texto(a.TC_IDSITIO) + ",'',''," + Numero(a.TA_ACT) + "," + Numero(a.TA_AGR) + "," +
      Numero(a.TA_IMPTO) + "," + Numero(a.TA_GRUPO) + "," + Numero(a.TA_CADENA) + "," +
      Numero(a.TA_TIENDA) + "," + texto(a.TA_URL) + "," + texto(a.TA_FTP) + ",0,'','','','','',"
      "'','',''";
  r.Ejecuta(
      "INSERT INTO tblParametrosGenerales (COD_SUCU,FACT_MOSTRA,FACT_POREMP,NOTA_FACTURA,"
      "CAMP_REDN,CAD_ACT,DIAS_CAD,HORAS_CAD,LIM_RENVTA,MOD_FECPED,CP_RESTPRES,LDV_CLIENTE,LDA,"
      "LDC_TIPODOC,LDC_MONEDA,LDC_SUCURSAL,LDC_PRESUP,TC_SERVICIO,TC_IDSITIO,TC_KEY,TC_EMPRESA,"
      "TA_ACT,TA_AGR,TA_IMPTO,TA_GRUPO,TA_CADENA,TA_TIENDA,TA_URL,TA_FTP,CFD_FACT,CONX_CXC,"
      "BD_CXC,FE_WEBSERVURL,FE_EMPRESA,FE_DOMINIO,FE_USUARIO,FE_CONTRASENA,FE_EMAILPV) VALUES (" +
      valores + ");");
}

// The key and company of the card service, copied into every parameters row.
void CopiaLlaveDelServicio(Rutina& r) {
  ado::Recordset rs = r.Abre(kConsultaEmpresa);
  if (r.ConFilas(rs))
    r.Ejecuta([&] {
      return "UPDATE tblParametrosGenerales SET TC_KEY='" + r.Une(Campo(rs, "TC_KEY")) +
             "', TC_EMPRESA='" + r.Une(Campo(rs, "TC_EMPRESA")) + "';";
    });
  r.Cierra(rs);
}

// Whether the current tax row's description holds `palabra` (letter case counts).
bool DescripcionContiene(Rutina& r, const ado::Recordset& rs, const char* palabra) {
  return r.Si([&] {
    const vb::Variant descripcion = Campo(rs, "DES_IMP");
    return !descripcion.IsNull() && vb::InStr(vb::CStr(descripcion), palabra) > 0;
  });
}

void MarcaTipoDeImpuesto(Rutina& r, const ado::Recordset& rs, int tipo) {
  r.Ejecuta([&] {
    return "UPDATE tblImpuestos SET TIPO_IMP=" + Numero(tipo) +
           " WHERE COD_IMP=" + r.UnePropagandoNulo(Campo(rs, "COD_IMP")) + ";";
  });
}

// Tax 0 is kind 0; the others are 1 (IVA), or 2 when the description names IEPS alone.
void ClasificaImpuestos(Rutina& r) {
  r.Ejecuta("UPDATE tblImpuestos SET TIPO_IMP=0 WHERE COD_IMP=0;");
  r.Ejecuta("UPDATE tblImpuestos SET TIPO_IMP=1 WHERE COD_IMP<>0;");
  ado::Recordset rs = r.Abre("SELECT * FROM tblImpuestos WHERE COD_IMP<>0;");
  if (r.ConFilas(rs))
    r.Recorre(rs, [&] {
      if (DescripcionContiene(r, rs, "IVA"))
        MarcaTipoDeImpuesto(r, rs, 1);
      else if (DescripcionContiene(r, rs, "IEPS"))
        MarcaTipoDeImpuesto(r, rs, 2);
    });
  r.Cierra(rs);
}

// ------------------------------------------------------------ doctor's office

void ReparaDatosConsultorio(Rutina& r, std::int16_t iManejador) {
  r.Ejecuta("UPDATE tblConfiguracionImpresion SET Ruta_Logo='' WHERE Ruta_Logo IS NULL;");
  r.Ejecuta("UPDATE tblHistorialRecetas SET Folio_Pedido='' WHERE Folio_Pedido IS NULL;");
  r.Ejecuta("UPDATE tblHistorialRecetas SET Folio_Venta='' WHERE Folio_Venta IS NULL;");
  r.Ejecuta("ALTER TABLE tblHistorialRecetas DROP COLUMN Folio_NV;");
  r.Ejecuta(AmpliaTexto(iManejador, "tblPersonas", "Nombre", 100));
  r.Ejecuta("ALTER TABLE tblConfiguracionImpresion DROP COLUMN Ruta_Logo;");
  r.Ejecuta("UPDATE tblConceptosCA SET Imprimir_Concepto = 0 WHERE Imprimir_Concepto IS NULL;");
  r.Ejecuta("UPDATE tblMedicos SET Institucion = '' WHERE Institucion IS NULL;");
  r.Ejecuta("UPDATE tblMedicos SET Especialidad = '' WHERE Especialidad IS NULL;");
  r.Ejecuta("UPDATE tblConfiguracionImpresion SET Especialidad = 0 WHERE Especialidad IS NULL;");
  r.Ejecuta("UPDATE tblConfiguracionImpresion SET Institucion = 0 WHERE Institucion IS NULL;");
  r.Ejecuta(
      "UPDATE tblConfiguracionImpresion SET Logo_Facultad = 0 WHERE Logo_Facultad IS NULL;");
  r.Ejecuta(
      "UPDATE tblConfiguracionImpresion SET Codigo_Producto = 0 WHERE Codigo_Producto IS NULL;");
  r.Ejecuta(
      "UPDATE tblConfiguracionImpresion SET Precio_Receta = 0 WHERE Precio_Receta IS NULL;");
  r.Ejecuta("UPDATE tblConsultorios SET Direccion = '' WHERE Direccion IS NULL;");
  r.Ejecuta("UPDATE tblConsultorios SET Pedido = '' WHERE Pedido IS NULL;");
}

}  // namespace

void ModificarEstructura50(ado::Connection& cnx, std::int16_t iManejador,
                           std::int16_t iVersionActual) {
  Rutina r = Rutina::ConEtiqueta(cnx, kEtiqueta50, iManejador);
  r.ArmaManejador();

  r.Ejecuta(AmpliaTexto(iManejador, "tblCatClientes", "NOM_CLI", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatProveedor", "NOM_PROV", 100));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "TA_PASSWORD", 10));

  Ajustes a;
  ado::Recordset rs = r.Abre(kConsultaEmpresa);
  const bool bMueveAjustes = AjustesEnEmpresa(rs);
  if (r.ConFilas(rs)) LeeAjustes(r, rs, iVersionActual, a);
  r.Cierra(rs);

  ValidaSucursal(r, a.COD_SUCU);
  if (a.CAMP_REDN == 0) a.CAMP_REDN = 1;

  rs = r.Abre("SELECT * FROM tblParametrosGenerales;");
  if (r.ConFilas(rs))
    ActualizaParametros(r, a, bMueveAjustes, Relleno(a, bMueveAjustes, rs));
  else
    InsertaParametros(r, a);
  r.Cierra(rs);

  if (iVersionActual >= 430 && bMueveAjustes) CopiaLlaveDelServicio(r);

  for (const char* columna : kColumnasQuitadas)
    r.Ejecuta(std::string("ALTER TABLE tblEmpresa DROP COLUMN ") + columna + ";");

  r.Ejecuta("UPDATE tblCiudad SET MUN_CID=DES_CID WHERE MUN_CID IS NULL;");
  r.Ejecuta("UPDATE tblCatClientes SET NUM_EXT='' WHERE NUM_EXT IS NULL;");
  r.Ejecuta("UPDATE tblCatClientes SET NUM_INT='' WHERE NUM_INT IS NULL;");
  r.Ejecuta("UPDATE tblCatClientes SET MAIL_CFD='' WHERE MAIL_CFD IS NULL;");
  r.Ejecuta("UPDATE tblCatProveedor SET NUM_CLI='' WHERE NUM_CLI IS NULL;");

  ClasificaImpuestos(r);

  r.Ejecuta("UPDATE tblCajas SET TA_USUARIO='' WHERE TA_USUARIO IS NULL;");
  r.Ejecuta("UPDATE tblCajas SET TA_PASSWORD='' WHERE TA_PASSWORD IS NULL;");
  r.Ejecuta("UPDATE tblCajas SET TA_EQUIPO='' WHERE TA_EQUIPO IS NULL;");
  r.Ejecuta("UPDATE tblArtiProveedor SET ART_PROV='' WHERE ART_PROV IS NULL;");

  r.RegistraVersion(500);
}

void ModificarEstructura50_CA(const std::string& sCadenaConexion, std::int16_t iManejador,
                              const std::string& sNombreBaseDatos, ui::Label& lblMensaje) {
  const SincronizacionConsultorio sincronizacion =
      SincronizaConsultorio(sCadenaConexion, iManejador, sNombreBaseDatos, lblMensaje);
  // The synchronisation has told the user why it stopped.
  if (sincronizacion == SincronizacionConsultorio::Abandonada) return;

  // The repair runs even after a failed synchronisation, its failures skipped unlogged.
  const bool bReparada = ReparaConsultorio(sCadenaConexion, [&](ado::Connection& cnx) {
    Rutina r(cnx, "ModificarEstructura50_CA", iManejador);
    r.Silencioso();
    ReparaDatosConsultorio(r, iManejador);
    return true;
  });

  // Only a database whose structure came through is reported as updated.
  if (sincronizacion == SincronizacionConsultorio::Completa && bReparada)
    AvisaConsultorioActualizado();
}
