// The whole climb on the test server, beside the reference catalogue at 9.5.2 and the
// project's encryption component: a shop at 5.0 is updated through the dialog over a data
// source and comes out at 9.5.2 with the catalogue's structure and its rows migrated; a
// second run changes nothing; a central administrator's and a doctor's office's databases
// at 5.0 are brought to the structure of their kinds; and shops that stopped on the way, at
// 7.4 and at 8.9, end where the shop that climbed at once ends.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/ComponenteDePrueba.h"
#include "support/DescripcionesDeError.h"
#include "support/EntradasLog.h"
#include "updater/AscensoDePrueba.h"

namespace prueba {
namespace {

// (Short names: each database, and so its data source, is named after its test, and the
// driver manager takes data-source names of 32 characters at most.)
class Ascenso952 : public AscensoPorElDialogo {
 protected:
  Ascenso952() : AscensoPorElDialogo(CatalogoDeReferencia()) {
    CarpetaConComponente::Instala(Componente::Proyecto, programa_.Carpeta());
  }

  // The catalogue's version, for a climb that stops on the way.
  void VersionDelCatalogo(int version) const {
    CreaBaseSqlite(
        programa_.RutaCatalogo(),
        CatalogoDeReferencia({}, "UPDATE tblVersion SET VER = " + std::to_string(version) + ";")
            .sql);
  }
};

// The run log's entries of a climb from 5.0: statements on what the shop never had. Step 5.3
// looks for the modifier and list tables that 5.0 shops lack (each failed lookup, and the
// two reads of the lookup it left closed); 5.5 drops DIR2_EMP, 5.8 the index idxFOLIO_NV and
// 6.0 the order-ticket column COD2_ART, none of which this shop has.
const std::vector<std::string> kEntradasDesde500 = {
    "Error en ModificarEstructura53 :-2147217900", "Error en ModificarEstructura53 :3704",
    "Error en ModificarEstructura53 :3704",        "Error en ModificarEstructura53 :-2147217900",
    "Error en ModificarEstructura53 :3704",        "Error en ModificarEstructura53 :3704",
    "Error en ModificarEstructura55 :-2147217900", "Error en ActualizaCamposVersion58 :-2147217900",
    "Error en ModificarEstructura60 :-2147217900"};

// Where a shop that climbed departs from the catalogue. The synchronisation adds what is
// missing and never changes a column that exists: the menus' and users' codes and option
// names keep the widths the shop has had since 5.0 (the catalogue lists them wider and no
// routine widens them), the note number keeps its type, and the signed string is the
// MEDIUMTEXT that 8.4 makes it, a type the catalogue's type codes cannot name.
const std::vector<std::string> kRestosDelAscenso = {
    "tblfacturaelectronica.cadena_original: mediumtext",
    "tblmenusff.cod_usuario: varchar(10)",
    "tblmenusff.nombre_opcion: varchar(40)",
    "tblmenuspv.cod_usuario: varchar(10)",
    "tblmenuspv.nombre_opcion: varchar(40)",
    "tblnotasporfactura.folio_nv: bigint(20)",
    "tblplantillamenus.nombre_opcion: varchar(40)",
    "tblusuarios.cod_usu: varchar(10)"};

TEST_F(Ascenso952, Desde500) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  PreparaBase("bd/ascenso_500.sql");
  const Filas tiendas = Consulta("SELECT COD_CAJA, TA_PASSWORD FROM tblCajas ORDER BY 1");

  Actualiza(9);

  // ---- The run ended in success, at 9.5.2, and logged only what the shop never had.
  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos fue actualizada a la versión 9.5.2")) << Cajas();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"952"}}));
  const std::string log = LeeLog();
  EXPECT_EQ(Encabezados(log), kEntradasDesde500) << log;
  for (const char* causa :
       {"tblmodificadores' doesn't exist", "tbllistasseleccionables' doesn't exist",
        "DROP COLUMN `DIR2_EMP`", "DROP INDEX `idxFOLIO_NV`", "DROP COLUMN `COD2_ART`"})
    EXPECT_NE(log.find(causa), std::string::npos) << causa;

  // ---- The structure is the catalogue's, but for what the synchronisation never changes;
  // everything the routines dropped is gone, and nothing the catalogue lacks is left.
  const auto catalogo = EstructuraDelCatalogo(programa_.RutaCatalogo());
  EXPECT_EQ(Diferencias(catalogo, EstructuraDeLaBase(db_)), kRestosDelAscenso);
  EXPECT_EQ(ExtrasDe(catalogo, EstructuraDeLaBase(db_)), std::set<std::string>{});

  // ---- The rows, as the versions left them. Settings: the branch moved at 5.0, the
  // air-time address of 5.6, the invoices' folder of 8.x.
  EXPECT_EQ(Consulta("SELECT COD_SUCU, TA_URL FROM tblParametrosGenerales"),
            (Filas{{"SUC01", "https://tiempoaire.velmar.mx"}}));
  EXPECT_EQ(Consulta("SELECT COD_EMPRESA, NOM_EMP FROM tblEmpresa"),
            (Filas{{"1", "ABARROTES LA ESPERANZA"}}));
  // Users, with the HOST user of 6.1, and their menus: the template of profiles 0 to 3
  // and the rows of the four users of those profiles.
  EXPECT_EQ(Consulta("SELECT COD_USU, TIP_USU, ESTATUS FROM tblUsuarios ORDER BY 1"),
            (Filas{{"ADMIN", "0", "1"},
                   {"CAJERO1", "2", "1"},
                   {"CAJERO2", "2", "8"},
                   {"GERENTE", "1", "1"},
                   {"HOST", "6", "0"},
                   {"MESERO1", "3", "1"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*), COUNT(DISTINCT COD_PERFIL) FROM tblPlantillaMenus"),
            (Filas{{"46", "4"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*), COUNT(DISTINCT COD_USUARIO) FROM tblMenusPV"),
            (Filas{{"25", "4"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*), COUNT(DISTINCT COD_USUARIO) FROM tblMenusFF"),
            (Filas{{"24", "4"}}));
  // Card providers: 2 and 3 that 6.1 removes come back with 7.2, with 5 of 8.x.
  EXPECT_EQ(Consulta("SELECT COD_PROVTC, DES_PROVTC FROM tblProveedoresTC ORDER BY 1"),
            (Filas{{"2", "ProsePago®"}, {"3", "SmartPayment®"}, {"5", "Banorte"}}));
  // Tax codes: the exempt tax of the default-records check, the SAT codes of 9.x.
  EXPECT_EQ(Consulta("SELECT COD_IMP, DES_IMP, TIPO_IMP FROM tblImpuestos ORDER BY 1"),
            (Filas{{"0", "EXENTO", "0"}, {"1", "IVA 16%", "1"}, {"2", "IEPS 8%", "2"}}));
  EXPECT_EQ(Consulta("SELECT * FROM tblTipoImpuesto ORDER BY 1"),
            (Filas{{"0", "EXENTO", ""},
                   {"1", "IVA", "002"},
                   {"2", "IEPS", "003"},
                   {"3", "IMPUESTO LOCAL", ""}}));
  // The air-time catalogue: nine carriers and forty amounts.
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblEmpresasTA"), (Filas{{"9"}}));
  EXPECT_EQ(Consulta("SELECT COUNT(*), SUM(MONTO_TA) FROM tblMontosTA"),
            (Filas{{"40", "10020.0000"}}));
  // The tills' air-time passwords, encrypted by 6.0 into printable texts; an empty one
  // stays empty.
  const Filas cajas = Consulta("SELECT COD_CAJA, TA_PASSWORD FROM tblCajas ORDER BY 1");
  ASSERT_EQ(cajas.size(), tiendas.size());
  for (std::size_t i = 0; i < cajas.size(); ++i) {
    const std::string& clave = cajas[i][1];
    if (tiendas[i][1] == "NULL") {
      EXPECT_EQ(clave, "") << cajas[i][0];
    } else {
      EXPECT_NE(clave, tiendas[i][1]) << cajas[i][0];
      EXPECT_TRUE(clave.size() >= 11 && clave.size() <= 40) << clave;
    }
  }

  // ---- A second run changes nothing and logs nothing.
  const std::map<std::string, Filas> antes = Contenido(db_);
  Actualiza(11);
  EXPECT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos fue actualizada a la versión 9.5.2")) << Cajas();
  EXPECT_EQ(Contenido(db_), antes);
  EXPECT_EQ(Encabezados(LeeLog()), std::vector<std::string>{}) << LeeLog();
}

// A shop whose data was kept carelessly: company settings that are Null or too large for
// the general parameters, and a purchase header without a warehouse. The climb logs each
// and goes on to 9.5.2; and what the log says is Spanish: every description is the server's
// own message through its driver ("[ma-..."), or ours, in Spanish.
TEST_F(Ascenso952, Descuidada) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  PreparaBase("bd/ascenso_500.sql");
  db_.EjecutaSql(
      "UPDATE tblEmpresa SET FACT_MOSTRA=NULL, CAD_ACT=300, DIAS_CAD=256.5, HORAS_CAD=999;"
      "ALTER TABLE tblComprasEnc MODIFY COD_ALM VARCHAR(10) NULL;"
      "INSERT INTO tblComprasEnc (FOL_DOC, COD_ALM) VALUES ('C003', NULL);");

  Actualiza(9);

  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos fue actualizada a la versión 9.5.2")) << Cajas();
  const std::string log = LeeLog();
  const std::string ajustes = "Error en ModificarEstructura50 (Sin Dorvex.mdb) :";
  std::vector<std::string> encabezados = {ajustes + "94", ajustes + "6", ajustes + "6",
                                          ajustes + "6"};
  encabezados.insert(encabezados.end(), kEntradasDesde500.begin(), kEntradasDesde500.end());
  encabezados.insert(encabezados.end() - 1, "Error en ActualizaCamposVersion58 :94");
  EXPECT_EQ(Encabezados(log), encabezados) << log;
  std::vector<std::string> nuestras;
  for (const std::string& descripcion : Descripciones(log))
    if (!descripcion.starts_with("[ma-")) nuestras.push_back(descripcion);
  EXPECT_EQ(nuestras,
            (std::vector<std::string>{
                kNuloNoValido, kDesbordamiento, kDesbordamiento, kDesbordamiento,
                kObjetoCerrado, kObjetoCerrado, kObjetoCerrado, kObjetoCerrado,
                std::string(kNuloNoValido) +
                    ": tblComprasEnc FOL_DOC='C003', COD_ALM=Null; se omite el encabezado"}))
      << log;
}

// A catalogue at 8.6.3: the climb ends in step 8.6 with 8.6.3's own routine, which runs
// after the step has written 860 and records 863 itself. A second run takes no step and
// changes nothing.
TEST_F(Ascenso952, Hasta863) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  VersionDelCatalogo(863);
  PreparaBase("bd/ascenso_500.sql");

  Actualiza(9);
  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos fue actualizada a la versión 8.6.3")) << Cajas();
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"863"}}));
  EXPECT_EQ(Consulta("SELECT FE_ACTIEPS FROM tblParametrosGenerales"), (Filas{{"1"}}));

  const std::map<std::string, Filas> antes = Contenido(db_);
  Actualiza(11);
  EXPECT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_EQ(Contenido(db_), antes);
}

// Shops that stopped on the way, at 7.4 and at 8.9 (climbed there beside the catalogue at
// that version), then climb on to 9.5.2: they end in the rows of the shop that climbed at
// once. Every run is at the same time of day, as routines stamp rows with the run's time.
// The tills' passwords are compared as set or empty: each encryption draws a nonce of its
// own.
TEST_F(Ascenso952, Paradas) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  const std::string sinNonce = "UPDATE tblCajas SET TA_PASSWORD=IF(TA_PASSWORD='', '', 'cifrada');";
  PreparaBase("bd/ascenso_500.sql");
  Actualiza(9);
  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  db_.EjecutaSql(sinNonce);
  const std::map<std::string, Filas> deUnaVez = Contenido(db_);

  for (const int parada : {740, 890}) {
    SCOPED_TRACE(parada);
    TestDatabase db;
    db.EjecutaArchivo("bd/ascenso_500.sql");
    db.EscribeDsn(db.Nombre());
    VersionDelCatalogo(parada);
    Actualiza(9, db);
    ASSERT_FALSE(HayCaja("Error ")) << Cajas();
    EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (Filas{{std::to_string(parada)}}));
    VersionDelCatalogo(952);
    Actualiza(9, db);
    ASSERT_FALSE(HayCaja("Error ")) << Cajas();
    EXPECT_EQ(db.Consulta("SELECT VER FROM tblVersion"), (Filas{{"952"}}));
    if (parada == 740) {
      // The air-time rebuild of a run bound for 7.4 writes the forty air-time articles
      // without a SAT code, and 8.0 gives them the generic one. Step 8.0 rebuilds the
      // catalogue (with the air-time code) only in runs that started below 7.4, and the
      // steps after it only in runs that started at their own version or later, so a
      // shop that stopped at exactly 7.4 keeps the generic code.
      const std::string deTiempoAire =
          " FROM tblCatArticulos WHERE COD1_ART IN (SELECT CLAVE_TA FROM tblMontosTA)";
      EXPECT_EQ(db.Consulta("SELECT CVE_CFDI, COUNT(*)" + deTiempoAire + " GROUP BY 1"),
                (Filas{{"01010101", "40"}}));
      db.EjecutaSql(
          "UPDATE tblCatArticulos SET CVE_CFDI='83111603' WHERE COD1_ART IN "
          "(SELECT CLAVE_TA FROM tblMontosTA);");
    }
    db.EjecutaSql(sinNonce);
    const std::map<std::string, Filas> porPartes = Contenido(db);
    for (const auto& [tabla, filas] : deUnaVez) {
      const auto t = porPartes.find(tabla);
      EXPECT_TRUE(t != porPartes.end() && t->second == filas) << tabla;
    }
    EXPECT_EQ(porPartes.size(), deUnaVez.size());
  }
}

// The satellite kinds, each a database of its own reached over its own data source with
// its box the only one ticked: brought to the structure of its kind in one pass, with the
// kind's fix-ups; the satellite update records no version. Each run at its own time of
// day, so that each has a run log of its own.
TEST_F(Ascenso952, Satelites) {
  REQUIERE_SERVIDOR_DE_PRUEBA();
  TestDatabase administrador;
  administrador.EjecutaArchivo("bd/administrador_500.sql");
  administrador.EscribeDsn(administrador.Nombre());
  Actualiza(9, administrador, 1);
  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos fue actualizada a la versión 9.5.2")) << Cajas();
  // The menu template's index is dropped before the synchronisation and again after it,
  // when it is already gone.
  const std::string log = LeeLog();
  EXPECT_EQ(Encabezados(log), std::vector<std::string>{"Error en Actualiza BD :-2147217900"});
  EXPECT_NE(log.find("DROP INDEX `idxIdPerfil_IdOpcion`"), std::string::npos) << log;
  const auto deAdministrador = EstructuraDelCatalogo(programa_.RutaCatalogo(), "BD=11");
  // The package name keeps its width (listed wider, widened by no routine); the version
  // table is the main kind's in the catalogue, and the menu template is not listed.
  EXPECT_EQ(Diferencias(deAdministrador, EstructuraDeLaBase(administrador)),
            std::vector<std::string>{"tblac_paquetes.nombre_paquete: varchar(60)"});
  EXPECT_EQ(ExtrasDe(deAdministrador, EstructuraDeLaBase(administrador)),
            (std::set<std::string>{"tblac_plantillamenus", "tblversion"}));
  EXPECT_EQ(administrador.Consulta("SELECT VER FROM tblVersion"), (Filas{{"500"}}));
  // 7.0's creation dates, read from the package names; a name without a date, or none,
  // leaves the date missing, and the dated package that shares a name takes that name's date.
  EXPECT_EQ(administrador.Consulta("SELECT Id_Paquete, Fecha_Crea FROM tblAC_Paquetes ORDER BY 1"),
            (Filas{{"1", "2024-01-05"},
                   {"2", "NULL"},
                   {"3", "NULL"},
                   {"4", "2023-12-31"},
                   {"5", "2024-01-05"},
                   {"6", "2024-03-01"}}));

  TestDatabase consultorio;
  consultorio.EjecutaArchivo("bd/consultorio_500.sql");
  consultorio.EscribeDsn(consultorio.Nombre());
  Actualiza(10, consultorio, 3);
  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos de Vudovizivev Azuzo fue actualizada")) << Cajas();
  EXPECT_EQ(Encabezados(LeeLog()), std::vector<std::string>{}) << LeeLog();
  const auto deConsultorio = EstructuraDelCatalogo(programa_.RutaCatalogo(), "BD=10");
  EXPECT_EQ(Diferencias(deConsultorio, EstructuraDeLaBase(consultorio)),
            std::vector<std::string>{});
  EXPECT_EQ(ExtrasDe(deConsultorio, EstructuraDeLaBase(consultorio)),
            std::set<std::string>{"tblversion"});
  EXPECT_EQ(consultorio.Consulta("SELECT VER FROM tblVersion"), (Filas{{"500"}}));

  // A branch whose settings table holds the old columns only, with a row of empty
  // settings: the synchronisation adds the rest, and the fix-ups fill the row.
  TestDatabase dependencia;
  dependencia.EjecutaSql(
      "CREATE TABLE tblVersion (VER SMALLINT NOT NULL DEFAULT 0, CXC_CENTRAL SMALLINT NOT NULL "
      "DEFAULT 0); INSERT INTO tblVersion VALUES (500, 0);"
      "CREATE TABLE tblDp_Config (Enviar_DEV SMALLINT NULL, Dp_CEDIS SMALLINT NULL);"
      "INSERT INTO tblDp_Config VALUES (NULL, 1);");
  dependencia.EscribeDsn(dependencia.Nombre());
  Actualiza(11, dependencia, 2);
  ASSERT_FALSE(HayCaja("Error ")) << Cajas();
  EXPECT_TRUE(HayCaja("La base de datos fue actualizada a la versión 9.5.2")) << Cajas();
  EXPECT_EQ(Encabezados(LeeLog()), std::vector<std::string>{}) << LeeLog();
  const auto deDependencia = EstructuraDelCatalogo(programa_.RutaCatalogo(), "BD=12");
  EXPECT_EQ(Diferencias(deDependencia, EstructuraDeLaBase(dependencia)),
            std::vector<std::string>{});
  EXPECT_EQ(dependencia.Consulta("SELECT Enviar_DEV, Dp_CEDIS, Dp_NVE, Dp_FAC, CC_Activa, "
                                 "CC_Timer FROM tblDp_Config"),
            (Filas{{"0", "1", "0", "0", "0", "30"}}));
}

}  // namespace
}  // namespace prueba
