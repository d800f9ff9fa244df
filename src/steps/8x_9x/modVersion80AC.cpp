// The central-administrator fix-up of 8.0 (declared in modVersion80.h).
#include <array>
#include <string>

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "steps/8x_9x/modVersion80.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"

namespace {

constexpr std::array<const char*, 4> kRellenosDependencias = {
    "UPDATE tblAC_Dependencias SET Sede='' WHERE (Sede IS NULL);",
    "UPDATE tblAC_Dependencias SET ListaDePrecios=0 WHERE (ListaDePrecios IS NULL);",
    "UPDATE tblAC_Dependencias SET SAP='' WHERE (SAP IS NULL);",
    "UPDATE tblAC_Dependencias SET Version_Dp=0 WHERE (Version_Dp IS NULL);",
};

// An unset date: Null, and on MySQL also the zero date, which only MySQL keeps and only
// it can compare with (other engines refuse the literal, and the whole statement with it).
std::string SinFecha(std::int16_t iManejador, const std::string& columna) {
  std::string condicion = "(" + columna + " IS NULL)";
  if (iManejador == ManejadorMySQL) condicion += " OR (" + columna + "='0000-00-00')";
  return condicion;
}

// A package's creation date is written in its name: the eight characters that begin 19
// characters from its end. A name that is Null or too short to hold it fails (and is
// logged) on its own, so that no other package's date is written there.
std::string FechaDelPaquete(Rutina& r, const ado::Recordset& rs, std::int16_t iManejador) {
  const std::string sNombre = vb::CStr(Campo(rs, "Nombre_Paquete"));
  const std::string sFecha = vb::Mid(sNombre, vb::Len(sNombre) - 18, 8);
  return "UPDATE tblAC_Paquetes SET Fecha_Crea='" + r.Une(sFecha) + "' WHERE (Nombre_Paquete='" +
         r.Une(sNombre) + "') AND (" + SinFecha(iManejador, "Fecha_Crea") + ");";
}

void FechasDePaquetes(Rutina& r, std::int16_t iManejador) {
  ado::Recordset rs = r.Abre("SELECT Nombre_Paquete FROM tblAC_Paquetes WHERE " +
                             SinFecha(iManejador, "Fecha_Crea"));
  if (r.ConFilas(rs))
    r.Recorre(rs, [&] { r.Ejecuta([&] { return FechaDelPaquete(r, rs, iManejador); }); });
  r.Cierra(rs);
}

void ReparaDesde70(Rutina& r, std::int16_t iManejador) {
  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_Menus", "Id_Usuario", 30));
  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_Usuarios", "Id_Usuario", 30));
  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_Usuarios", "Passw_Usuario", 60));
  r.Ejecuta(AmpliaTexto(iManejador, "tblAC_BitacoraEventos", "Usuario", 30));

  FechasDePaquetes(r, iManejador);

  r.Ejecuta("UPDATE tblAC_Paquetes SET Carga=0 WHERE (Carga IS NULL);");
  r.Ejecuta("UPDATE tblAC_Paquetes SET Tam_Bytes=0 WHERE (Tam_Bytes IS NULL);");
  r.Ejecuta("UPDATE tblAC_Paquetes SET Fecha_Procesa=Fecha WHERE " +
            SinFecha(iManejador, "Fecha_Procesa") + ";");
  for (const char* sentencia : kRellenosDependencias) r.Ejecuta(sentencia);

  const std::string sUnaHora = iManejador == ManejadorAccess ? "#01:00:00#" : "'01:00:00'";
  r.EjecutaSiFalta("SELECT * FROM tblAC_DpDisparador;",
                   "INSERT INTO tblAC_DpDisparador (EventoPV,PorTiempo,PorDia,PorSemana,EnLinea,"
                   "Evento_Activo) VALUES(3,0," +
                       sUnaHora + ",0,0,0);");
}

}  // namespace

void ModificarEstructura80_AC(ado::Connection& cnx, std::int16_t iManejador,
                              std::int16_t iVersionActual) {
  Rutina r(cnx, "ModificarEstructura80_AC", iManejador);
  r.ArmaManejador();
  if (iVersionActual >= 700) ReparaDesde70(r, iManejador);
  r.Ejecuta("UPDATE tblAC_Dependencias SET IP_Dp='' WHERE (IP_Dp IS NULL);");
  r.Ejecuta("UPDATE tblAC_Dependencias SET BD_Dp='' WHERE (BD_Dp IS NULL);");
}
