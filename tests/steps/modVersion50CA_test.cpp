// The doctor's-office database at 5.0: its synchronisation of kind 10 without default
// rows, its repair statements and its two boxes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "EntornoRutina.h"
#include "data/clsBaseDatos.h"
#include "platform/vb/Error.h"
#include "steps/5x/modVersion50.h"
#include "support/CatalogoDePrueba.h"
#include "support/RecordingProvider.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using prueba::Filas;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kActualizada = "La base de datos de Vudovizivev Azuzo fue actualizada";
constexpr const char* kSinEstructura =
    "No es posible actualizar estructura de la Base de Datos de Vudovizivev Azuzo";
constexpr const char* kCaptionFinal = "Base de datos generada...";

prueba::SqlDeCatalogo CatalogoDelConsultorio() { return prueba::CatalogoDeReferencia(); }

// The sixteen repair statements, with the widening of the dialect.
std::vector<std::string> Reparacion(const std::string& ampliacion) {
  return {"UPDATE tblConfiguracionImpresion SET Ruta_Logo='' WHERE Ruta_Logo IS NULL;",
          "UPDATE tblHistorialRecetas SET Folio_Pedido='' WHERE Folio_Pedido IS NULL;",
          "UPDATE tblHistorialRecetas SET Folio_Venta='' WHERE Folio_Venta IS NULL;",
          "ALTER TABLE tblHistorialRecetas DROP COLUMN Folio_NV;",
          ampliacion,
          "ALTER TABLE tblConfiguracionImpresion DROP COLUMN Ruta_Logo;",
          "UPDATE tblConceptosCA SET Imprimir_Concepto = 0 WHERE Imprimir_Concepto IS NULL;",
          "UPDATE tblMedicos SET Institucion = '' WHERE Institucion IS NULL;",
          "UPDATE tblMedicos SET Especialidad = '' WHERE Especialidad IS NULL;",
          "UPDATE tblConfiguracionImpresion SET Especialidad = 0 WHERE Especialidad IS NULL;",
          "UPDATE tblConfiguracionImpresion SET Institucion = 0 WHERE Institucion IS NULL;",
          "UPDATE tblConfiguracionImpresion SET Logo_Facultad = 0 WHERE Logo_Facultad IS NULL;",
          "UPDATE tblConfiguracionImpresion SET Codigo_Producto = 0 WHERE Codigo_Producto IS "
          "NULL;",
          "UPDATE tblConfiguracionImpresion SET Precio_Receta = 0 WHERE Precio_Receta IS NULL;",
          "UPDATE tblConsultorios SET Direccion = '' WHERE Direccion IS NULL;",
          "UPDATE tblConsultorios SET Pedido = '' WHERE Pedido IS NULL;"};
}

void EsperaCaja(const prueba::Caja& caja, const std::string& prompt, ui::Icono icono,
                const std::string& titulo) {
  EXPECT_EQ(caja.prompt, prompt);
  EXPECT_EQ(caja.botones, ui::Botones::OK);
  EXPECT_EQ(caja.icono, icono);
  EXPECT_EQ(caja.titulo, titulo);
}

// ------------------------------------------------------------ recorded

class ConsultorioGrabado : public ::testing::Test {
 protected:
  std::vector<std::string> Desde(const std::string& inicio) const {
    const std::vector<std::string> textos = db_.Textos();
    auto it = std::find(textos.begin(), textos.end(), inicio);
    return {it, textos.end()};
  }

  prueba::RunLogDePrueba log_;
  prueba::ScriptedUi ui_;
  prueba::RecordingProvider db_;
  ui::Label lbl_;
};

// Code 2: nothing to synchronise; the repair on a connection of its own, with the Access
// widening, failures skipped without a trace, then the success box.
TEST_F(ConsultorioGrabado, AccessCodeRepairsWithoutSynchronising) {
  db_.Falla("ALTER TABLE tblHistorialRecetas DROP COLUMN Folio_NV;", -2147217900,
            "Can't DROP 'Folio_NV'");
  ui_.Responde(ui::Respuesta::OK);
  ui_.MousePointer(ui::Puntero::Hourglass);

  ModificarEstructura50_CA("DSN=Consultorio", ManejadorAccess, "consultorio", lbl_);

  EXPECT_THAT(db_.Textos(),
              ElementsAreArray(Reparacion("ALTER TABLE tblPersonas ALTER COLUMN Nombre TEXT(100);")));
  ASSERT_EQ(db_.Aperturas().size(), 1u);
  EXPECT_EQ(db_.Aperturas()[0].cadena, "DSN=Consultorio");
  EXPECT_EQ(db_.ConexionesAbiertas(), 0);
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EsperaCaja(ui_.cajas[0], kActualizada, ui::Icono::Informacion, "Actualizador");
  EXPECT_EQ(ui_.MousePointer(), ui::Puntero::Default);
  EXPECT_FALSE(log_.Existe());
}

// SQL Server: the synchronisation finds every table, column and index in place, so it
// changes nothing; the repair follows with the SQL Server widening.
TEST_F(ConsultorioGrabado, SqlServerForms) {
  const std::string cadena =
      "Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=consultorio;Data "
      "Source=SERVIDOR";
  prueba::ProgramaConCatalogo programa(CatalogoDelConsultorio());
  db_.DejaPasar(prueba::Contiene("Microsoft.Jet.OLEDB"));
  prueba::Resultado tablas{{"TABLE_QUALIFIER", "TABLE_OWNER", "TABLE_NAME", "TABLE_TYPE"}, {}};
  for (const char* tabla : {"tblConsultorios", "tblConfiguracionImpresion", "tblHistorialRecetas",
                            "tblPersonas", "tblConceptosCA", "tblMedicos"})
    tablas.filas.push_back({"consultorio", "dbo", tabla, "TABLE"});
  db_.Responde("EXEC sp_tables;", tablas);
  prueba::Resultado columnas{{"COLUMN_NAME"}, {}};
  for (const char* columna : {"Id_Consultorio", "Nombre", "Direccion", "Pedido", "Especialidad",
                              "Institucion", "Logo_Facultad", "Codigo_Producto", "Precio_Receta",
                              "Folio", "Id_Persona", "Folio_Pedido", "Folio_Venta", "Id_Concepto",
                              "Desc_Concepto", "Imprimir_Concepto", "Id_Medico", "Id_Serial"})
    columnas.filas.push_back({columna});
  db_.Responde(prueba::EmpiezaCon("SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.Columns"), columnas);
  db_.Responde(prueba::EmpiezaCon("sp_helpIndex"),
               {{"index_name", "index_description", "index_keys"},
                {{"PK_Consultorios", "clustered, unique, primary key", "Id_Consultorio"}}});
  ui_.Responde(ui::Respuesta::OK);

  ModificarEstructura50_CA(cadena, ManejadorSQLServer, "consultorio", lbl_);

  const std::vector<std::string> reparacion =
      Desde("UPDATE tblConfiguracionImpresion SET Ruta_Logo='' WHERE Ruta_Logo IS NULL;");
  EXPECT_THAT(reparacion, ElementsAreArray(Reparacion(
                              "ALTER TABLE tblPersonas ALTER COLUMN Nombre VARCHAR(100) NOT NULL;")));
  for (const std::string& t : db_.Textos()) {
    EXPECT_EQ(t.rfind("ALTER TABLE tblConsultorios ADD", 0), std::string::npos) << t;
    EXPECT_EQ(t.rfind("INSERT", 0), std::string::npos) << t;  // no default rows
  }
  EXPECT_EQ(lbl_.Caption, kCaptionFinal);
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EsperaCaja(ui_.cajas[0], kActualizada, ui::Icono::Informacion, "Actualizador");
}

// The user gives up in the synchronisation's connection box: neither box of the repair,
// no statement.
TEST_F(ConsultorioGrabado, SynchronisationGivenUpEndsSilently) {
  prueba::ProgramaConCatalogo programa(CatalogoDelConsultorio());
  db_.FallaApertura("DSN=Consultorio", -2147467259, "Can't connect to server", 1);
  ui_.Responde(ui::Respuesta::Cancel);

  ModificarEstructura50_CA("DSN=Consultorio", ManejadorMySQL, "consultorio", lbl_);

  EXPECT_THAT(db_.Textos(), IsEmpty());
  ASSERT_EQ(ui_.cajas.size(), 1u);
  EXPECT_EQ(ui_.cajas[0].prompt, "Can't connect to server");
  EXPECT_EQ(ui_.cajas[0].botones, ui::Botones::RetryCancel);
}

// A database that cannot be opened for the repair: the error goes to the caller, and no
// box says the database was updated.
TEST_F(ConsultorioGrabado, ConnectionThatCannotOpenReachesTheCaller) {
  db_.FallaApertura("DSN=Consultorio", -2147467259, "Can't connect to server", 1);

  EXPECT_THROW(ModificarEstructura50_CA("DSN=Consultorio", ManejadorAccess, "consultorio", lbl_),
               vb::Error);

  EXPECT_THAT(db_.Textos(), IsEmpty());
  EXPECT_THAT(ui_.cajas, IsEmpty());
}

// ------------------------------------------------------------ on MariaDB

class ConsultorioMariaDB : public prueba::RutinaEnMariaDB {
 protected:
  void SetUp() override {
    REQUIERE_SERVIDOR_DE_PRUEBA();
    programa_.emplace(CatalogoDelConsultorio());
    CreaBase("bd/consultorio_500.sql");
    cnx_.Close();  // the routine opens its own
  }
  void Repara() {
    ModificarEstructura50_CA(bd_->CadenaConexion(), ManejadorMySQL, bd_->Nombre(), lbl_);
  }
  Filas Columnas(const std::string& tabla) const {
    return Consulta(
        "SELECT COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE FROM information_schema.COLUMNS WHERE "
        "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='" + tabla + "' ORDER BY ORDINAL_POSITION");
  }
  // Every row and column of the doctor's-office tables.
  Filas Foto() const {
    Filas foto;
    for (const char* tabla : {"tblConsultorios", "tblConfiguracionImpresion",
                              "tblHistorialRecetas", "tblPersonas", "tblConceptosCA",
                              "tblMedicos", "tblVersion"}) {
      for (auto& fila : Columnas(tabla)) foto.push_back(fila);
      for (auto& fila : Consulta(std::string("SELECT * FROM ") + tabla + " ORDER BY 1"))
        foto.push_back(fila);
    }
    return foto;
  }

  std::optional<prueba::ProgramaConCatalogo> programa_;
};

TEST_F(ConsultorioMariaDB, BringsADatabaseOfKind10ToTheCatalogue) {
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);

  Repara();

  ASSERT_EQ(ui.cajas.size(), 1u);
  EsperaCaja(ui.cajas[0], kActualizada, ui::Icono::Informacion, "Actualizador");
  EXPECT_FALSE(log_.Existe());
  // Structure: the missing table and columns from the catalogue, without default rows;
  // the two obsolete columns gone, the name widened.
  EXPECT_EQ(Consulta("SELECT COUNT(*) FROM tblMedicos"), (Filas{{"0"}}));
  EXPECT_EQ(Columnas("tblHistorialRecetas"),
            (Filas{{"Folio", "bigint(20)", "NO"},
                   {"Id_Persona", "bigint(20)", "NO"},
                   {"Folio_Pedido", "varchar(20)", "YES"},
                   {"Folio_Venta", "varchar(20)", "YES"}}));
  EXPECT_EQ(Columnas("tblPersonas")[1], (std::vector<std::string>{"Nombre", "varchar(100)", "NO"}));
  // Data: the Nulls filled, the rest as it was.
  EXPECT_EQ(Consulta("SELECT Id_Consultorio, Especialidad, Institucion, Logo_Facultad, "
                     "Codigo_Producto, Precio_Receta FROM tblConfiguracionImpresion ORDER BY 1"),
            (Filas{{"1", "0", "1", "0", "0", "0"}, {"2", "1", "0", "1", "1", "0"}}));
  EXPECT_EQ(Consulta("SELECT Folio, Folio_Pedido, Folio_Venta FROM tblHistorialRecetas ORDER BY 1"),
            (Filas{{"1", "", ""}, {"2", "PED-7", "V-90"}}));
  EXPECT_EQ(Consulta("SELECT Id_Concepto, Imprimir_Concepto FROM tblConceptosCA ORDER BY 1"),
            (Filas{{"1", "0"}, {"2", "1"}}));
  EXPECT_EQ(Consulta("SELECT Id_Consultorio, Nombre, Direccion, Pedido FROM tblConsultorios "
                     "ORDER BY 1"),
            (Filas{{"1", "CONSULTORIO CENTRO", "", ""}, {"2", "CONSULTORIO NORTE", "AV. JUAREZ 100", ""}}));
  EXPECT_EQ(Consulta("SELECT Nombre FROM tblPersonas ORDER BY 1"),
            (Filas{{"JOSE LUIS PEREZ"}, {"MARIA GUADALUPE HERNANDEZ"}}));
  // The version of a doctor's-office database is not this routine's to write.
  EXPECT_EQ(Consulta("SELECT VER FROM tblVersion"), (Filas{{"500"}}));
}

// Every run on a doctor's-office database at 5.0 takes this routine again: the drops of
// the columns already gone fail silently and the rest changes nothing.
TEST_F(ConsultorioMariaDB, SecondRunChangesNothing) {
  {
    prueba::ScriptedUi ui;
    ui.Responde(ui::Respuesta::OK);
    Repara();
  }
  const Filas antes = Foto();
  prueba::ScriptedUi ui;
  ui.Responde(ui::Respuesta::OK);

  Repara();

  EXPECT_EQ(Foto(), antes);
  ASSERT_EQ(ui.cajas.size(), 1u);
  EXPECT_EQ(ui.cajas[0].prompt, kActualizada);
  EXPECT_FALSE(log_.Existe());
}

// Interface services whose yield fails once the synchronisation has written its closing
// caption: an error that escapes the synchronisation call.
class UiQueFallaAlCerrar : public prueba::ScriptedUi {
 public:
  explicit UiQueFallaAlCerrar(const ui::Label& lbl) : lbl_(lbl) {}
  void DoEvents() override {
    ScriptedUi::DoEvents();
    if (lbl_.Caption == kCaptionFinal) vb::Raise(7, "Out of memory");
  }

 private:
  const ui::Label& lbl_;
};

// An error out of the synchronisation: its box, the repair all the same, and no box that
// says the database was updated.
TEST_F(ConsultorioMariaDB, ErrorOutOfTheSynchronisationIsNotReportedAsSuccess) {
  UiQueFallaAlCerrar ui(lbl_);
  ui.Responde(ui::Respuesta::OK);

  Repara();

  ASSERT_EQ(ui.cajas.size(), 1u);
  EsperaCaja(ui.cajas[0], kSinEstructura, ui::Icono::Exclamacion, "Actualización");
  EXPECT_EQ(Consulta("SELECT Id_Concepto, Imprimir_Concepto FROM tblConceptosCA ORDER BY 1"),
            (Filas{{"1", "0"}, {"2", "1"}}));
}

}  // namespace
