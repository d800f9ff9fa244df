#include "steps/6x_7x/modVersion64_70.h"

#include <array>
#include <string>

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "steps/6x_7x/ProveedoresTarjeta.h"
#include "steps/6x_7x/RellenaNulos.h"
#include "steps/6x_7x/ReparaCaducidadInvFisico.h"
#include "steps/6x_7x/ServiciosElectronicos.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

// ------------------------------------------------------------ version 7.0

constexpr std::array<RellenoNulo, 2> kRellenosCaja = {{
    {"tblAuxCaja", "COD_TERMINAL", "0"},
    {"tblAuxCaja", "COD_TCPROMO", "0"},
}};
constexpr std::array<RellenoNulo, 3> kRellenosPromociones = {{
    {"tblTiposPago", "TARJ_BAN", "0"},
    {"tblFormasPago", "APLICA_PROMO", "0"},
    {"tblParametrosGenerales", "FF_ORDENTOT", "0"},
}};
constexpr std::array<RellenoNulo, 3> kRellenosDineroElectronico = {{
    {"tblParametrosGenerales", "ME_CODPROV", "0"},
    {"tblTiposPago", "MON_ELEC", "0"},
    {"tblFormasPago", "SERV_ME", "0"},
}};

// The interest-free instalment promotions, all inactive. The 21-month one has no minimum.
struct Promocion {
  int meses;
  int minimo;
};
constexpr std::array<Promocion, 8> kPromociones = {{
    {3, 300}, {6, 600}, {9, 900}, {12, 1200}, {15, 1500}, {18, 1800}, {21, 0}, {24, 2400},
}};

void AgregaPromociones(Rutina& r) {
  for (std::size_t i = 0; i < kPromociones.size(); ++i) {
    const std::string codigo = std::to_string(i + 1);
    const Promocion& p = kPromociones[i];
    r.EjecutaSiFalta(
        "SELECT COD_TCPROMO FROM tblTcPromociones WHERE COD_TCPROMO=" + codigo + ";",
        "INSERT INTO tblTcPromociones (COD_TCPROMO,DES_TCPROMO,MIN_TCPROMO,NUM_PARCIAL,"
        "ACTIVA_PROMO) VALUES (" +
            codigo + ",'" + std::to_string(p.meses) + " MESES SIN INTERESES'," +
            std::to_string(p.minimo) + "," + std::to_string(p.meses) + ",0);");
  }
}

void AgregaDineroElectronico(Rutina& r) {
  r.EjecutaSiFalta("SELECT * FROM tblProveedoresME WHERE COD_PROVME=1;",
                   "INSERT INTO tblProveedoresME (COD_PROVME,DES_PROVME) VALUES (1,'ANTAD®');");
  r.EjecutaSiFalta(
      "SELECT * FROM tblServiciosME WHERE COD_SERVME=1;",
      "INSERT INTO tblServiciosME (COD_SERVME,DES_SERVME,COD_PROVME) VALUES (1,'Transfer®',1);");
}

// ------------------------------------------------------------ central administrator

// The date of a package's creation is part of its name: the 8 characters that 11 more
// follow at the end ("Dp0001" "20240105" "_093000.zip").
constexpr long kFechaMasCola = 19;
constexpr long kLargoFecha = 8;

// Dates one undated package from its name. A name that is Null or too short to hold a
// date is left undated: it has nothing to give, and no other package's date may land
// on it.
void FechaDelNombre(Rutina& r, const ado::Recordset& rs) {
  vb::Variant nombre;
  if (!r.Lee(nombre, rs, "Nombre_Paquete") || nombre.IsNull()) return;
  std::string sNombre;
  if (!r.Paso([&] { sNombre = vb::CStr(nombre); })) return;
  if (static_cast<long>(sNombre.size()) < kFechaMasCola) return;
  const std::string sFecha = sNombre.substr(sNombre.size() - kFechaMasCola, kLargoFecha);
  r.Ejecuta("UPDATE tblAC_Paquetes SET Fecha_Crea='" + r.Une(sFecha) +
            "' WHERE Nombre_Paquete='" + r.Une(nombre) + "';");
}

void FechaDeLosPaquetes(Rutina& r, std::int16_t iManejador) {
  std::string sConsulta = "SELECT Nombre_Paquete FROM tblAC_Paquetes WHERE (Fecha_Crea IS NULL)";
  if (iManejador == ManejadorMySQL) sConsulta += " OR (Fecha_Crea='0000-00-00')";
  ado::Recordset rs = r.Abre(sConsulta);
  if (r.ConFilas(rs)) r.Recorre(rs, [&] { FechaDelNombre(r, rs); });
  r.Cierra(rs);
}

constexpr std::array<RellenoNulo, 2> kRellenosPaquetes = {{
    {"tblAC_Paquetes", "Carga", "0"},
    {"tblAC_Paquetes", "Tam_Bytes", "0"},
}};
constexpr std::array<RellenoNulo, 4> kRellenosDependencias = {{
    {"tblAC_Dependencias", "Sede", "''"},
    {"tblAC_Dependencias", "ListaDePrecios", "0"},
    {"tblAC_Dependencias", "SAP", "''"},
    {"tblAC_Dependencias", "Version_Dp", "0"},
}};

// Only MySQL knows the zero date; elsewhere the comparison would make the whole fill fail.
std::string ProcesoDeLosPaquetes(std::int16_t iManejador) {
  std::string sCondicion = "(Fecha_Procesa IS NULL)";
  if (iManejador == ManejadorMySQL) sCondicion += " OR (Fecha_Procesa='0000-00-00')";
  return "UPDATE tblAC_Paquetes SET Fecha_Procesa=Fecha WHERE " + sCondicion + ";";
}

// The branches' trigger settings: the default row when there is none, else the Null
// settings of every row.
void AseguraDisparador(Rutina& r, const std::string& sHora) {
  ado::Recordset rs = r.Abre("SELECT * FROM tblAC_DpDisparador;");
  if (r.ConFilas(rs)) {
    const std::array<RellenoNulo, 6> rellenos = {{
        {"tblAC_DpDisparador", "EventoPV", "3"},
        {"tblAC_DpDisparador", "PorTiempo", "0"},
        {"tblAC_DpDisparador", "PorDia", sHora.c_str()},
        {"tblAC_DpDisparador", "PorSemana", "0"},
        {"tblAC_DpDisparador", "EnLinea", "0"},
        {"tblAC_DpDisparador", "Evento_Activo", "0"},
    }};
    RellenaNulos(r, rellenos);
  } else {
    r.Ejecuta(
        "INSERT INTO tblAC_DpDisparador (EventoPV,PorTiempo,PorDia,PorSemana,EnLinea,"
        "Evento_Activo) VALUES(3,0," +
        sHora + ",0,0,0);");
  }
}

}  // namespace

void ModificarEstructura70(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura70", iManejador);
  r.ArmaManejador();
  RellenaNulos(r, kRellenosCaja);
  AgregaProveedorTC(r, 2);
  AgregaPromociones(r);
  RellenaNulos(r, kRellenosPromociones);
  r.Ejecuta(AmpliaTexto(iManejador, "tblEncPaquetes", "DES1_PAQ", 60));
  AseguraServiciosElectronicos(r);
  RellenaNulos(r, kRellenosDineroElectronico);
  AgregaDineroElectronico(r);

  // Without a handler: payment forms that cannot take their SAT method stop the update
  // before 700 is recorded.
  r.SinManejador();
  r.Ejecuta("UPDATE tblProveedoresTC SET RESP_PROVTC='' WHERE (RESP_PROVTC IS NULL);");
  r.Ejecuta("UPDATE tblFormasPago SET SAT_MPAGO=DES_FRP WHERE (SAT_MPAGO IS NULL);");
  r.Ejecuta("UPDATE tblFormasPago SET SAT_MPAGO=DES_FRP WHERE (SAT_MPAGO='');");

  r.ArmaManejador();
  ReparaCaducidadInvFisico(r, iManejador);
  r.RegistraVersion(700);
}

void ModificarEstructura70_AC(ado::Connection& cnx, std::int16_t iManejador) {
  const std::string sHora = iManejador == ManejadorAccess ? "#01:00:00#" : "'01:00:00'";
  Rutina r(cnx, "ModificarEstructura70_AC", iManejador);
  r.Silencioso();

  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_Menus", "Id_Usuario", 30));
  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_Usuarios", "Id_Usuario", 30));
  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_Usuarios", "Passw_Usuario", 60));
  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_BitacoraEventos", "Usuario", 30));

  FechaDeLosPaquetes(r, iManejador);
  RellenaNulos(r, kRellenosPaquetes);
  r.Ejecuta(ProcesoDeLosPaquetes(iManejador));
  RellenaNulos(r, kRellenosDependencias);

  AseguraDisparador(r, sHora);

  // The suite's service account goes back to its fixed status and stored password.
  r.Ejecuta(
      "UPDATE tblAC_Usuarios SET ESTATUS_USUARIO=0, PASW_USUARIO='Lp6DxV2sNcU=' WHERE "
      "Id_Usuario='NORVALE';");
}
