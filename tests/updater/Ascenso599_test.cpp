// The climb from 5.0 to 5.9.9 on the test server: a shop's database at 5.0 is updated
// through the dialog, over a data source, beside a catalogue at 5.9.9, and comes out at
// 5.9.9 with the catalogue's structure and its rows migrated; a second run changes nothing.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/EntradasLog.h"
#include "updater/AscensoDePrueba.h"

namespace prueba {
namespace {

using Ascenso599 = AscensoPorElDialogo;

// The catalogue is the suite's at 9.5.2 and the synchronisation only adds what is missing:
// at 5.9.9 the columns that later routines widen (the till's password, the client's mail
// and name, the provider's and the company's names) keep their old widths, and so do the
// columns that stay as they are to the end of the climb (see AscensoCompleto_test.cpp).
const std::vector<std::string> kAnchosPosteriores = {"tblcajas.ta_password: varchar(40)",
                                                     "tblcatclientes.mail_cfd: varchar(100)",
                                                     "tblcatclientes.nom_cli: varchar(120)",
                                                     "tblcatproveedor.nom_prov: varchar(120)",
                                                     "tblempresa.nom_emp: varchar(100)",
                                                     "tblmenusff.cod_usuario: varchar(10)",
                                                     "tblmenusff.nombre_opcion: varchar(40)",
                                                     "tblmenuspv.cod_usuario: varchar(10)",
                                                     "tblmenuspv.nombre_opcion: varchar(40)",
                                                     "tblnotasporfactura.folio_nv: bigint(20)",
                                                     "tblplantillamenus.nombre_opcion: varchar(40)",
                                                     "tblusuarios.cod_usu: varchar(10)"};

// A shop at 5.0 climbs to the catalogue's 5.9.9; a second run changes nothing. (The test's
// name is short because the database, and so its data source, is named after it, and the
// driver manager takes data-source names of 32 characters at most.)
TEST_F(Ascenso599, Desde500) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  PreparaBase("bd/ascenso_500.sql");

  Actualiza(9);

  // ---- The run ended in success, at 5.9.9.
  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  ASSERT_TRUE(HayCaja("La base de datos fue actualizada a la versión 5.9.9")) << Cajas();
  EXPECT_EQ(Consulta("SELECT VER, CXC_CENTRAL FROM tblVersion"), (Filas{{"599", "0"}}));

  // ---- Only the entries that the routines write by design:
  //  - 5.3 looks for rows in the old modifier and selectable-list tables before its step's
  //    synchronisation, but 5.2 dropped both: each lookup's open, test and close fail;
  //  - 5.4 drops DIR2_EMP and 5.5 drops it again;
  //  - the 5.0 synchronisation dropped idxFOLIO_NV, which the catalogue lacks, so the drop
  //    of 5.8 finds no index.
  const std::vector<std::string> busquedaFallida = {"Error en ModificarEstructura53 :-2147217900",
                                                    "Error en ModificarEstructura53 :3704",
                                                    "Error en ModificarEstructura53 :3704"};
  std::vector<std::string> entradas = busquedaFallida;
  entradas.insert(entradas.end(), busquedaFallida.begin(), busquedaFallida.end());
  entradas.push_back("Error en ModificarEstructura55 :-2147217900");
  entradas.push_back("Error en ActualizaCamposVersion58 :-2147217900");
  const std::string log = LeeLog();
  EXPECT_EQ(Encabezados(log), entradas) << log;
  for (const char* causa :
       {"tblmodificadores' doesn't exist", "tbllistasseleccionables' doesn't exist",
        "DROP COLUMN `DIR2_EMP`", "DROP INDEX `idxFOLIO_NV`"})
    EXPECT_NE(log.find(causa), std::string::npos) << causa;

  // ---- The structure is the catalogue's.
  const auto catalogo = EstructuraDelCatalogo(programa_.RutaCatalogo());
  const auto base = EstructuraDeLaBase(db_);
  EXPECT_EQ(Diferencias(catalogo, base), kAnchosPosteriores);
  // What the catalogue does not list stays, as the synchronisation never drops anything;
  // the routines dropped what they drop (the company's settings, TA_SALDO, RUTA_PDF, the
  // old modifier tables, the order-ticket log's three columns). Left: the receivables
  // connection of the general parameters, which no routine up to 5.9.9 drops.
  EXPECT_EQ(ExtrasDe(catalogo, base), (std::set<std::string>{"tblparametrosgenerales.bd_cxc",
                                                             "tblparametrosgenerales.conx_cxc"}));

  // ---- The rows, as the routines of 5.9 to 5.9.9 leave them.
  EXPECT_EQ(Consulta("SELECT COD1_ART, PTO_MAR FROM tblCatArticulos WHERE COD1_ART IN "
                     "('CAFE','PAN') ORDER BY 1"),
            (Filas{{"CAFE", "35.5000"}, {"PAN", "12.3457"}}));
  EXPECT_EQ(Consulta("SELECT COD1_ART, LISTA, PTO_MAR FROM tblPrecios ORDER BY 1, 2"),
            (Filas{{"CAFE", "1", "35.5000"}, {"CAFE", "2", "21.8750"}, {"PAN", "1", "12.3457"}}));
  EXPECT_EQ(Consulta("SELECT COD_PERFIL, MODULO_EDICION, ORDEN_MENU, NOMBRE_OPCION FROM "
                     "tblPlantillaMenus WHERE NOMBRE_OPCION IN ('mnuCarFacServ','mnuSisConfigKi') "
                     "ORDER BY 4, 1, 2"),
            (Filas{{"0", "10", "47", "mnuCarFacServ"},
                   {"0", "11", "47", "mnuCarFacServ"},
                   {"0", "11", "217", "mnuSisConfigKi"},
                   {"1", "11", "217", "mnuSisConfigKi"}}));
  // Billing of services: every user of type 0 to 2, whatever the status; the kiosk: 0 and 1.
  const Filas tipos0a2 = {{"ADMIN"}, {"CAJERO1"}, {"CAJERO2"}, {"GERENTE"}};
  EXPECT_EQ(Consulta("SELECT COD_USUARIO FROM tblMenusPV WHERE ORDEN_MENU=47 ORDER BY 1"),
            tipos0a2);
  EXPECT_EQ(Consulta("SELECT COD_USUARIO FROM tblMenusFF WHERE ORDEN_MENU=47 ORDER BY 1"),
            tipos0a2);
  EXPECT_EQ(Consulta("SELECT COD_USUARIO FROM tblMenusFF WHERE ORDEN_MENU=217 ORDER BY 1"),
            (Filas{{"ADMIN"}, {"GERENTE"}}));
  // The settings columns came with the catalogue's defaults: 5.9.3 and 5.9.5 turn the
  // zeros that mean "not set" into their values; the XML folder is the images folder's
  // (stored with single backslashes) and the certificate's expiry the day of the run.
  EXPECT_EQ(Consulta("SELECT COD_SUCU, REP_NOMEMP, REP_NOMCOM, PV_PRINTREG, FE_RUTAXML, "
                     "FE_VENCERT FROM tblParametrosGenerales"),
            (Filas{{"SUC01", "1", "0", "1", "C:\\Velmar\\XmlCfdi", "2026-12-10"}}));
  // The company settings in use came over at 5.0 into the columns the synchronisation had
  // just added; a Null one (LDC_PRESUP) was none, and its column keeps the default.
  EXPECT_EQ(Consulta("SELECT FACT_MOSTRA, FACT_POREMP, NOTA_FACTURA, CAMP_REDN, CAD_ACT, "
                     "DIAS_CAD, HORAS_CAD, LIM_RENVTA, MOD_FECPED, CP_RESTPRES, LDV_CLIENTE, LDA, "
                     "LDC_TIPODOC, LDC_MONEDA, LDC_SUCURSAL, LDC_PRESUP, TC_SERVICIO, TC_IDSITIO, "
                     "TC_KEY, TC_EMPRESA, TA_ACT, TA_AGR, TA_IMPTO, TA_GRUPO, TA_CADENA, TA_TIENDA, "
                     "TA_FTP FROM tblParametrosGenerales"),
            (Filas{{"1", "1", "0", "1", "1", "2", "4", "20", "0", "1", "1", "1", "2", "1", "1",
                    "0", "1", "SITIO7", "LLAVE-123", "ESPERANZA SA", "1", "3", "16", "4", "12",
                    "345", "C:\\TiempoAire\\Entrada"}}));
  // The new unit price of the invoice lines is the sale price.
  EXPECT_EQ(Consulta("SELECT FOLIO, RENGLON, PCIO_UNI, IMP_SINDESC FROM tblFacturasRen "
                     "ORDER BY 1, 2"),
            (Filas{{"101", "1", "25.0000", "0.0000"},
                   {"101", "2", "9.0000", "0.0000"},
                   {"102", "1", "20.0000", "0.0000"}}));
  // 5.2 dropped the modifiers of 5.0 (kept on the articles); the synchronisation brought
  // the table back in the new form, empty, so 5.9.5 had nothing to number.
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblModificadores"), (Filas{{"0"}}));
  EXPECT_EQ(Consulta("SELECT COD_CLI, NOM_CLI FROM tblCatClientes ORDER BY 1"),
            (Filas{{"C001", "PUBLICO EN GENERAL"}, {"C002", "COMERCIALIZADORA DEL BAJIO"}}));
  EXPECT_EQ(Consulta("SELECT COD_TIPO, DES_TIPO FROM tblTipoImpuesto ORDER BY 1"),
            (Filas{{"1", "IVA"}, {"2", "IEPS"}, {"3", "IMPUESTO LOCAL"}}));
  EXPECT_EQ(Consulta("SELECT COD_CAJA, TA_USUARIO, TA_PASSWORD, COMER_SER, PASWD_SER FROM "
                     "tblCajas ORDER BY 1"),
            (Filas{{"1", "tienda01", "clave01", "0", ""},
                   {"2", "tienda02", "clave02", "0", ""},
                   {"3", "", "", "0", ""}}));
  // And, from earlier versions: the package flags of 5.1, the purchase lines' warehouse of
  // 5.8.
  EXPECT_EQ(Consulta("SELECT COD1_PAQ, REC_MODIF FROM tblEncPaquetes ORDER BY 1"),
            (Filas{{"PAQCOM", "1"}, {"PAQDES", "0"}}));
  EXPECT_EQ(
      Consulta("SELECT FOL_DOC, RENGLON, COD_ALM FROM tblComprasRen ORDER BY 1, 2"),
      (Filas{{"C001", "1", "01"}, {"C001", "2", "01"}, {"C002", "1", "02"}, {"C002", "2", "01"}}));

  // The air-time catalogue, rebuilt by the last step: nine carriers with their pictures
  // under the images folder, forty amounts.
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblEmpresasTA"), (Filas{{"9"}}));
  EXPECT_EQ(Consulta("SELECT NOM_EMPRESA, IMAGEN_EMPRESA FROM tblEmpresasTA WHERE COD_EMPRESA=1"),
            (Filas{{"MOVISTAR", "C:\\Velmar\\Imagenes\\movistar.jpg"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblMontosTA"), (Filas{{"40"}}));

  // ---- A second run: the database is at the catalogue's version, so only step 5.9.9 runs
  // again; it reports the version reached and changes nothing.
  const std::map<std::string, Filas> antes = Contenido(db_);
  Actualiza(11);
  EXPECT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos fue actualizada a la versión 5.9.9")) << Cajas();
  const std::map<std::string, Filas> despues = Contenido(db_);
  for (const auto& [tabla, filas] : antes) {
    const auto ahora = despues.find(tabla);
    EXPECT_TRUE(ahora != despues.end() && ahora->second == filas) << tabla;
  }
  EXPECT_EQ(despues.size(), antes.size());
  EXPECT_EQ(Diferencias(catalogo, EstructuraDeLaBase(db_)), kAnchosPosteriores);
  EXPECT_EQ(Encabezados(LeeLog()), std::vector<std::string>{}) << LeeLog();
}

}  // namespace
}  // namespace prueba
