#include "steps/5x/modVersion59x.h"

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"
#include "steps/FormasDialecto.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

namespace {

// "UPDATE tblX SET COL=valor WHERE (COL IS NULL);"
std::string LlenaNulos(const std::string& tabla, const std::string& campo,
                       const std::string& valor) {
  return "UPDATE " + tabla + " SET " + campo + "=" + valor + " WHERE (" + campo + " IS NULL);";
}

// A package code that differs from the current one starts a new count. The comparison is
// exact (case counts); a Null code is no change of package, as a Null comparison in a
// test is false.
bool OtroPaquete(const vb::Variant& codPaq, const std::string& sPaquete) {
  return !codPaq.IsNull() && vb::CStr(codPaq) != sPaquete;
}

// Numbers the modifiers at ORDEN_MOD 0 from 1 within each package, in article order. The
// counter is one byte: the 256th modifier of a package and every later one get 255, each
// with an overflow entry in the log.
void NumeraModificadores(Rutina& r) {
  std::uint8_t iOrden = 0;
  std::string sPaquete;
  ado::Recordset rs = r.Abre(
      "SELECT COD_PAQ,COD_ART FROM tblModificadores WHERE (ORDEN_MOD=0) ORDER BY COD_PAQ,COD_ART;");
  if (r.ConFilas(rs))
    r.Recorre(rs, [&] {
      if (r.Si([&] { return OtroPaquete(Campo(rs, "COD_PAQ"), sPaquete); })) iOrden = 0;
      r.Paso([&] { iOrden = vb::CByte(iOrden + 1); });
      r.Lee(sPaquete, rs, "COD_PAQ");
      r.Ejecuta([&] {
          return "UPDATE tblModificadores SET ORDEN_MOD=" + std::to_string(iOrden) +
                 " WHERE COD_PAQ='" + r.UnePropagandoNulo(Campo(rs, "COD_PAQ")) +
                 "' AND COD_ART='" + r.UnePropagandoNulo(Campo(rs, "COD_ART")) + "';";
        });
    });
  r.Cierra(rs);
}

// The XML path arrives in the dialect's form (on MySQL its backslashes are already
// doubled), so only its apostrophes are doubled here.
std::string TextoDeRuta(const std::string& sRuta) { return vb::Replace(sRuta, "'", "''"); }

}  // namespace

void ModificarEstructura593(ado::Connection& cnx) {
  Rutina r(cnx, "ModificarEstructura593");
  r.ArmaManejador();

  r.Ejecuta(
      "UPDATE tblParametrosGenerales SET REP_NOMEMP=1 WHERE (REP_NOMEMP IS NULL) OR "
      "(REP_NOMEMP=0);");
  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "REP_NOMCOM", "0"));

  // A line table that cannot be filled stops the ladder before version 593 is recorded.
  r.SinManejador();
  r.Ejecuta(LlenaNulos("tblFacturasRen", "IMP_SINDESC", "0"));
  r.Ejecuta(LlenaNulos("tblFacturasRen", "DCTO_GRAL", "0"));
  r.Ejecuta(LlenaNulos("tblRenVentas", "IMP_SINDESC", "0"));
  r.Ejecuta(LlenaNulos("tblRenVentas", "DCTO_GRAL", "0"));

  r.ArmaManejador();
  r.RegistraVersion(593);
}

void ModificarEstructura595(ado::Connection& cnx) {
  Rutina r(cnx, "ModificarEstructura595");
  r.ArmaManejador();

  r.Ejecuta(LlenaNulos("tblFacturasRen", "PCIO_UNI", "0"));
  r.Ejecuta("UPDATE tblFacturasRen SET PCIO_UNI=PCIO_VEN WHERE (PCIO_UNI=0);");
  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "PV_COSTOREP", "0"));
  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "PV_PRINTREG", "1"));
  r.Ejecuta("UPDATE tblParametrosGenerales SET PV_PRINTREG=1 WHERE (PV_PRINTREG=0);");
  r.Ejecuta(LlenaNulos("tblModificadores", "ORDEN_MOD", "0"));
  r.Ejecuta(LlenaNulos("tblEncDevolucion", "FOLIO_FACT", "''"));

  NumeraModificadores(r);

  r.RegistraVersion(595);
}

void ModificarEstructura596(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura596", iManejador);
  r.ArmaManejador();

  r.Ejecuta(AmpliaTexto(iManejador, "tblCatClientes", "NOM_CLI", 120));
  r.Ejecuta(AmpliaTexto(iManejador, "tblCatProveedor", "NOM_PROV", 120));

  r.RegistraVersion(596);
}

void ModificarEstructura597(ado::Connection& cnx) {
  Rutina r(cnx, "ModificarEstructura597");
  // No handler yet: a failing fill, lookup or row step stops the ladder.
  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "FE_FOLIONUM", "0"));

  OtorgaMenu(r, {.opcion = "mnuSisConfigKi",
                 .titulo = "Configurar Kiosco",
                 .rama = 210,
                 .modulos = {{11, 217}},
                 .plantilla = PlantillaMenu::SegunPerfil0,
                 .perfiles = {0, 1},
                 .usuarios = MenusDeUsuario::SinBuscar,
                 .seleccionUsuarios = "SELECT * FROM tblUsuarios WHERE TIP_USU IN (0,1);",
                 .manejo = ManejoDelPermiso::SoloInserciones});

  r.ArmaManejador();
  r.RegistraVersion(597);
}

void ModificarEstructura598(ado::Connection& cnx) {
  Rutina r(cnx, "ModificarEstructura598");
  // No handler yet: a failing fill stops the ladder.
  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "FE_FOLIONUM", "0"));
  r.Ejecuta(LlenaNulos("tblGpoKioscoRen", "ORDEN_ART", "0"));
  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "TA_CADENA", "0"));

  r.ArmaManejador();
  r.RegistraVersion(598);
}

void ModificarEstructura599(ado::Connection& cnx, const std::string& sRutaXml,
                            std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura599", iManejador);
  // No handler until the version row: the first failing statement stops the ladder.
  clsBaseDatos bd;
  const std::string sHoy = bd.GeneraFecHr(FecHrFecha, win::Date(), iManejador);

  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "CNX_PSE", "''"));
  r.Ejecuta(LlenaNulos("tblParametrosGenerales", "IMPTO_SER", "0"));
  r.Ejecuta(LlenaNulos("tblServicios", "ACTIVO_ELEC", "0"));
  r.Ejecuta(LlenaNulos("tblServicios", "ID_CARRIER", "0"));
  r.Ejecuta(LlenaNulos("tblFacturasServ", "COD_IMPTO2", "0"));
  r.Ejecuta(LlenaNulos("tblFacturasServ", "PORC_IMPTO2", "0"));
  r.Ejecuta(LlenaNulos("tblFacturasServ", "IMP_IMPTO2", "0"));

  r.EjecutaSiFalta("SELECT * FROM tblTipoImpuesto WHERE COD_TIPO=3;",
                   "INSERT INTO tblTipoImpuesto (COD_TIPO,DES_TIPO) VALUES (3,'IMPUESTO LOCAL');");

  r.Ejecuta(LlenaNulos("tblImpuestos", "IMPTE_IMP", "0"));
  r.Ejecuta(LlenaNulos("tblImpuestos", "EN_IMPORTE", "0"));
  r.Ejecuta(LlenaNulos("tblCatArticulos", "EQV_IMP1", "0"));
  r.Ejecuta(LlenaNulos("tblCatArticulos", "EQV_IMP2", "0"));

  const std::string sRuta = TextoDeRuta(sRutaXml);
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_RUTAXML='" + sRuta +
            "' WHERE (FE_RUTAXML IS NULL);");
  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_RUTAXML='" + sRuta + "' WHERE (FE_RUTAXML='');");

  r.Ejecuta("UPDATE tblParametrosGenerales SET FE_VENCERT=" + sHoy +
            " WHERE (FE_VENCERT IS NULL);");
  if (iManejador == ManejadorMySQL)
    r.Ejecuta("UPDATE tblParametrosGenerales SET FE_VENCERT=" + sHoy +
              " WHERE (FE_VENCERT='0000-00-00');");

  r.Ejecuta(LlenaNulos("tblCajas", "COMER_SER", "0"));
  r.Ejecuta(LlenaNulos("tblCajas", "CORRESP_SER", "0"));
  r.Ejecuta(LlenaNulos("tblCajas", "PASWD_SER", "''"));
  r.Ejecuta(LlenaNulos("tblCajas", "PRINT_SER", "''"));

  r.ArmaManejador();
  r.RegistraVersion(599);
}
