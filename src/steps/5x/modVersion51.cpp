#include "steps/5x/modVersion51.h"

#include "platform/vb/Text.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

void ActualizaCamposVersion51(ado::Connection& cnx, std::string, std::int16_t iManejador,
                              ui::Label&) {
  Rutina r(cnx, "ActualizaCamposVersion51", iManejador);
  r.ArmaManejador();

  r.Ejecuta("UPDATE tblEncPaquetes SET REC_MODIF=0 WHERE REC_MODIF IS NULL;");
  r.Ejecuta(
      "UPDATE tblRenPaquetes SET MODIF_OPC=0,MODIF_INT=0,MODIF_LISTA=0 WHERE MODIF_OPC IS NULL;");
  r.Ejecuta("UPDATE tblAreasImpresion SET TIPO=0 WHERE TIPO IS NULL;");

  r.Ejecuta(
      "UPDATE tblParametrosGenerales SET FE_MENSAJE='Este documento es una impresión de un "
      "Comprobante Fiscal Digital, con Año y Número de Autorización del contribuyente: [XXXXX] y "
      "ha sido generado mediante el servicio de Facturación Electrónica RURO-VEVAVO, autorizado "
      "por el SAT mediante Oficio Número 66745, publicado en el sitio web del SAT el "
      "2010-05-12T14:00:00' WHERE FE_MENSAJE IS NULL;");

  r.Ejecuta("UPDATE tblMontosTA SET COD_EMPRESA=0 WHERE (COD_EMPRESA=1) AND (CLAVE_TA='M040');");
  r.Ejecuta("UPDATE tblMontosTA SET COD_EMPRESA=0 WHERE (COD_EMPRESA=1) AND (CLAVE_TA='M050');");

  // A Null key matches no article: its statement fails rather than mark the articles
  // whose code is empty.
  ado::Recordset rs = r.Abre("SELECT CLAVE_TA FROM tblMontosTA ORDER BY COD_EMPRESA;");
  if (r.ConFilas(rs))
    r.Recorre(rs, [&] {
      r.Ejecuta([&] {
        return "UPDATE tblCatArticulos SET REST_PTOS=1 WHERE COD1_ART='" +
               vb::Trim(r.UnePropagandoNulo(Campo(rs, "CLAVE_TA"))) + "';";
      });
    });
  r.Cierra(rs);

  OtorgaMenu(r, {.opcion = "mnuTabAreaSurt",
                 .titulo = "Áreas de Surtido",
                 .rama = 160,
                 .modulos = {{10, 178}},
                 .plantilla = PlantillaMenu::PorPerfil,
                 .perfiles = {0, 1, 2, 3},
                 .usuarios = MenusDeUsuario::SinBuscar,
                 .seleccionUsuarios = "SELECT COD_USU FROM tblUsuarios WHERE TIP_USU<2;"});

  r.RegistraVersion(510);
}
