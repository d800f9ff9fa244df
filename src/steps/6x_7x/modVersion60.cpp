#include "steps/6x_7x/modVersion60.h"

#include <array>
#include <optional>
#include <string>

#include "data/clsBaseDatos.h"
#include "frame/modPrincipal.h"
#include "platform/ado/Utf16.h"
#include "platform/crypto/ComponenteCifrado.h"
#include "platform/win/Sistema.h"
#include "steps/6x_7x/RellenaNulos.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

constexpr std::array<const char*, 5> kTablasContables = {
    "MGW10008", "MGW10038", "MGW10039", "POLIZASVERIFICADAS", "SINCPOLIZAS"};

constexpr std::array<const char*, 4> kLotes = {"tblCostos", "tblRenAlmacen", "tblRenVentas",
                                               "tblFacturasRen"};

// A missing date and the value it gets: D1 (1800-01-01) for expiry and start dates, D2
// (2500-01-01) for end dates.
struct FechaFaltante {
  const char* tabla;
  const char* campo;
  bool fin;
};

constexpr std::array<FechaFaltante, 8> kFechas = {{
    {"tblCostos", "FEC_CAD", false},
    {"tblRenAlmacen", "FEC_CAD", false},
    {"tblRenVentas", "FEC_CAD", false},
    {"tblFacturasRen", "FEC_CAD", false},
    {"tblRenInvFisico", "FEC_CAD", false},
    {"tblArtRestringe", "FEC_INI", false},
    {"tblArtRestringe", "FEC_FIN", true},
    {"tblOfertas", "FEC_FIN", true},
}};

constexpr std::array<RellenoNulo, 25> kRellenos = {{
    {"tblAreasImpresion", "VER_MESERO", "1"},
    {"tblAreasImpresion", "FOL_INI", "''"},
    {"tblAreasImpresion", "FOL_FIN", "''"},
    {"tblAreasImpresion", "MESA_INI", "''"},
    {"tblAreasImpresion", "MESA_FIN", "''"},
    {"tblAreasImpresion", "VER_CLI", "1"},
    {"tblAreasImpresion", "CLI_INI", "''"},
    {"tblAreasImpresion", "CLI_FIN", "''"},
    {"tblAreasImpresion", "VER_AREAM", "1"},
    {"tblAreasImpresion", "AREAM_INI", "''"},
    {"tblAreasImpresion", "AREAM_FIN", "''"},
    {"tblCatClientes", "NOM_COM", "''"},
    {"tblCatProveedor", "NOM_COM", "''"},
    {"tblCajas", "USUARIO_SER", "''"},
    {"tblPagoServicios", "COMIS_PAGO", "0"},
    {"tblCatAgrupacionArt", "BLOQ_CAMBIO", "0"},
    {"tblOfertasAgr", "CAT_AGR", "0"},
    {"tblPrecVolum", "CAN_INI", "0"},
    {"tblMesas", "CUPO_MAX", "0"},
    {"tblPuntos", "TOKEN_ZEVOZOR", "''"},
    {"tblPuntos", "PROMO_ZEVOZOR", "0"},
    {"tblParametrosGenerales", "FF_MESERO", "0"},
    {"tblParametrosGenerales", "FF_NUMPERS", "0"},
    {"tblRenVentas", "CLAVE_OFR", "''"},
    {"tblCatAgrupacionArt", "BLOQ_PCIO", "0"},
}};

void AmpliaColumnas(Rutina& r, std::int16_t iManejador) {
  r.Ejecuta(AmpliaTexto(iManejador, "tblEmpresa", "DIR1_EMP", 70));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCajas", "PASWD_SER", 40));
  r.Ejecuta(AmpliaTexto(iManejador, "tblUsuarios", "PASS1_USU", 40));
  r.Ejecuta(AmpliaTexto(iManejador, "tblUsuarios", "PASS2_USU", 40));
}

// Missing batch numbers, then missing dates, then on MySQL the zero dates as well.
void ReparaLotesYFechas(Rutina& r, std::int16_t iManejador) {
  const std::string d1 = FechaLiteral(iManejador, 1800, 1, 1);
  const std::string d2 = FechaLiteral(iManejador, 2500, 1, 1);
  for (const char* tabla : kLotes)
    r.Ejecuta(std::string("UPDATE ") + tabla + " SET NUM_LOT='' WHERE (NUM_LOT IS NULL);");
  const auto repara = [&](const std::string& condicion) {
    for (const FechaFaltante& f : kFechas)
      r.Ejecuta(std::string("UPDATE ") + f.tabla + " SET " + f.campo + "=" + (f.fin ? d2 : d1) +
                " WHERE (" + f.campo + condicion + ");");
  };
  repara(" IS NULL");
  if (iManejador == ManejadorMySQL) repara("='0000-00-00'");
}

// Null identifiers become the program's company identifier (empty), and an empty table
// gets one row holding it.
void AseguraIdEmpresa(Rutina& r) {
  const std::string sId = r.Une(vb::Variant(gIdEmpresa));
  r.Ejecuta("UPDATE tblIdEmpresa SET ID_EMPRESA='" + sId + "' WHERE (ID_EMPRESA IS NULL);");
  r.EjecutaSiFalta("SELECT * FROM tblIdEmpresa;",
                   "INSERT INTO tblIdEmpresa (ID_EMPRESA) VALUES ('" + sId + "');");
}

// Characters as the language counts them (UTF-16 units), so an accented letter counts one.
std::size_t Caracteres(const std::string& texto) { return ado::Utf8AUtf16(texto).size(); }

// A result of 10 characters or fewer would be encrypted again by a second run, one over 40
// would not fit TA_PASSWORD, and an empty one would lose the password: none is stored.
void CompruebaCifrado(const cifrado::Componente& componente, const std::string& resultado,
                      const vb::Variant& caja) {
  const std::size_t largo = Caracteres(resultado);
  if (largo >= 11 && largo <= 40) return;
  vb::Raise(vb::err::InvalidProcedureCall,
            "El componente de cifrado " + componente.Ruta() + " devolvió para la caja " +
                vb::CStr(caja) + " un resultado de " + std::to_string(largo) +
                " caracteres (se esperan de 11 a 40); no se guardó",
            "EncriptaPasswordsTA");
}

// One till: a password of 1 to 10 characters is replaced by its encrypted form. The
// component is loaded at the first such password.
void CifraPasswordDeCaja(Rutina& r, const ado::Recordset& rs,
                         std::optional<cifrado::Componente>& componente) {
  const vb::Variant password = Campo(rs, "TA_PASSWORD");
  if (password.IsNull()) return;
  const std::string texto = vb::CStr(password);
  const std::size_t largo = Caracteres(texto);
  if (largo < 1 || largo > 10) return;
  if (!componente) componente.emplace(win::RutaLocal(gRutaApp));
  const std::string resultado = componente->Encripta(texto);
  const vb::Variant caja = Campo(rs, "COD_CAJ");
  CompruebaCifrado(*componente, resultado, caja);
  r.Ejecuta("UPDATE tblCajas SET TA_PASSWORD='" + r.Une(vb::Variant(resultado)) +
            "' WHERE COD_CAJ=" + r.Une(caja) + ";");
}

}  // namespace

const std::array<RellenoNulo, 6> kRellenosTerminalesTC = {{
    {"tblAuxCaja", "COD_TERMINAL", "0"},
    {"tblAuxCaja", "COD_TCPROMO", "0"},
    {"tblBitacoraTC", "NUM_TERMINAL", "''"},
    {"tblBitacoraTC", "COD_TCPROMO", "0"},
    {"tblTemporalesTC", "NUM_TERMINAL", "''"},
    {"tblTemporalesTC", "COD_TCPROMO", "0"},
}};

void ModificarEstructura60(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura60", iManejador);
  r.ArmaManejador();
  AmpliaColumnas(r, iManejador);
  for (const char* tabla : kTablasContables) r.Ejecuta(BorraTabla(iManejador, tabla));
  ReparaLotesYFechas(r, iManejador);
  RellenaNulos(r, kRellenos);
  AseguraIdEmpresa(r);
  RellenaNulos(r, kRellenosTerminalesTC);
  r.Ejecuta("ALTER TABLE tblRenMesas DROP COLUMN COD2_ART;");
  r.RegistraVersion(605);
}

void EncriptaPasswordsTA(ado::Connection& cnx) {
  Rutina r(cnx, "EncriptaPasswordsTA");  // no handler: the first failure reaches the step
  std::optional<cifrado::Componente> componente;
  ado::Recordset rs = r.Abre("SELECT TA_PASSWORD,COD_CAJ FROM tblCajas;");
  if (r.ConFilas(rs)) r.Recorre(rs, [&] { CifraPasswordDeCaja(r, rs, componente); });
  r.Cierra(rs);
}
