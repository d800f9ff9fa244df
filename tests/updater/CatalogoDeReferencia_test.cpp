// The reference catalogue lists each table, column and index once, and everything an
// index or a default row names exists; numbering it loses no row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "support/CatalogoDePrueba.h"

namespace {

using ::testing::IsEmpty;

// The rows of `consulta` on a SQLite file, each as its columns joined by "|".
std::vector<std::string> Filas(const std::string& ruta, const std::string& consulta) {
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(ruta.c_str(), &db), SQLITE_OK);
  std::vector<std::string> filas;
  auto agrega = [](void* destino, int n, char** valores, char**) {
    std::string fila;
    for (int i = 0; i < n; ++i) fila += (i ? "|" : "") + std::string(valores[i] ? valores[i] : "");
    static_cast<std::vector<std::string>*>(destino)->push_back(fila);
    return 0;
  };
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, consulta.c_str(), agrega, &filas, &error), SQLITE_OK)
      << (error ? error : "") << "\n"
      << consulta;
  sqlite3_free(error);
  sqlite3_close(db);
  return filas;
}

class CatalogoDeReferencia : public ::testing::Test {
 protected:
  CatalogoDeReferencia() {
    prueba::CreaBaseSqlite(porNombre_, prueba::LeeFixture("catalogo/referencia.sql"));
    prueba::CreaBaseSqlite(numerado_, prueba::CatalogoDeReferencia().sql);
  }
  std::vector<std::string> PorNombre(const std::string& consulta) const {
    return Filas(porNombre_, consulta);
  }
  std::vector<std::string> Numerado(const std::string& consulta) const {
    return Filas(numerado_, consulta);
  }

  prueba::CarpetaTemporal carpeta_;
  std::string porNombre_ = carpeta_.Ruta() + "/nombres.db";
  std::string numerado_ = carpeta_.Ruta() + "/EstBDs.mdb";
};

// The index columns, one row each: table, index, column.
constexpr const char* kColumnasDeIndice =
    "WITH RECURSIVE partes(TABLA, INDICE, CAMPO, RESTO) AS ("
    " SELECT TABLA, NOMBRE, '', CAMPOS || ',' FROM Indice"
    " UNION ALL SELECT TABLA, INDICE, substr(RESTO, 1, instr(RESTO, ',') - 1),"
    " substr(RESTO, instr(RESTO, ',') + 1) FROM partes WHERE RESTO <> '')"
    " SELECT TABLA, INDICE, CAMPO FROM partes WHERE CAMPO <> ''";

TEST_F(CatalogoDeReferencia, ListsEachTableColumnAndIndexOnce) {
  EXPECT_THAT(PorNombre("SELECT lower(NOMBRE) FROM Tabla GROUP BY 1 HAVING count(*) > 1"),
              IsEmpty());
  EXPECT_THAT(PorNombre("SELECT lower(TABLA), upper(trim(NOMBRE)) FROM Campo GROUP BY 1, 2 "
                        "HAVING count(*) > 1"),
              IsEmpty());
  EXPECT_THAT(PorNombre("SELECT lower(TABLA), lower(NOMBRE) FROM Indice GROUP BY 1, 2 "
                        "HAVING count(*) > 1"),
              IsEmpty());
  EXPECT_THAT(PorNombre("SELECT lower(TABLA) FROM Indice WHERE PRINCIPAL GROUP BY 1 "
                        "HAVING count(*) > 1"),
              IsEmpty());
  EXPECT_THAT(PorNombre("SELECT lower(TABLA), upper(CAMPO), REGISTRO FROM Defecto "
                        "GROUP BY 1, 2, 3 HAVING count(*) > 1"),
              IsEmpty());
}

TEST_F(CatalogoDeReferencia, EverythingNamedExists) {
  for (const char* filas : {"Campo", "Indice", "Defecto"})
    EXPECT_THAT(PorNombre(std::string("SELECT TABLA FROM ") + filas +
                          " WHERE lower(TABLA) NOT IN (SELECT lower(NOMBRE) FROM Tabla)"),
                IsEmpty())
        << filas;
  EXPECT_THAT(PorNombre(std::string(kColumnasDeIndice) +
                        " AND NOT EXISTS (SELECT 1 FROM Campo c WHERE lower(c.TABLA) = "
                        "lower(partes.TABLA) AND upper(c.NOMBRE) = upper(partes.CAMPO))"),
              IsEmpty());
  EXPECT_THAT(PorNombre("SELECT TABLA, CAMPO FROM Defecto d WHERE NOT EXISTS (SELECT 1 FROM "
                        "Campo c WHERE lower(c.TABLA) = lower(d.TABLA) AND upper(c.NOMBRE) = "
                        "upper(d.CAMPO))"),
              IsEmpty());
  EXPECT_THAT(PorNombre("SELECT NOMBRE FROM Tabla t WHERE NOT EXISTS (SELECT 1 FROM Campo c "
                        "WHERE lower(c.TABLA) = lower(t.NOMBRE))"),
              IsEmpty());
}

// The main store and each satellite kind have tables; no other kind is used.
TEST_F(CatalogoDeReferencia, HoldsTheMainStoreAndTheSatelliteKinds) {
  EXPECT_THAT(PorNombre("SELECT DISTINCT BD FROM Tabla WHERE BD IN (0, 10, 11, 12) ORDER BY BD"),
              ::testing::ElementsAre("0", "10", "11", "12"));
  EXPECT_THAT(PorNombre("SELECT NOMBRE, BD FROM Tabla WHERE BD IS NULL OR BD NOT IN "
                        "(0, 1, 5, 7, 10, 11, 12)"),
              IsEmpty());
}

// Numbering keeps every row, gives each number once and ties each row to its table.
TEST_F(CatalogoDeReferencia, NumberingKeepsEveryRow) {
  for (const auto& [nombres, numeros] : std::vector<std::pair<std::string, std::string>>{
           {"SELECT count(*) FROM Tabla", "SELECT count(DISTINCT NUMERO) FROM tblTablas"},
           {"SELECT count(*) FROM Campo", "SELECT count(DISTINCT NUMERO) FROM tblCamposTabla"},
           {"SELECT count(*) FROM Indice", "SELECT count(DISTINCT NUMERO) FROM tblIndices"},
           {std::string("SELECT count(*) FROM (") + kColumnasDeIndice + ")",
            "SELECT count(*) FROM tblCamposIndice"},
           {"SELECT count(*) FROM Defecto", "SELECT count(*) FROM tblDefaultCampos"}})
    EXPECT_EQ(PorNombre(nombres), Numerado(numeros)) << numeros;
  EXPECT_THAT(Numerado("SELECT c.NUMERO FROM tblCamposTabla c WHERE c.NUMERO / 1000 <> c.TABLA "
                       "OR c.TABLA NOT IN (SELECT NUMERO FROM tblTablas)"),
              IsEmpty());
  EXPECT_THAT(Numerado("SELECT i.INDICE, i.CAMPO FROM tblCamposIndice i, tblIndices x, "
                       "tblCamposTabla c WHERE x.NUMERO = i.INDICE AND c.NUMERO = i.CAMPO "
                       "AND c.TABLA <> x.TABLA"),
              IsEmpty());
  EXPECT_EQ(Numerado("SELECT VER FROM tblVersion"), std::vector<std::string>{"952"});
}

// A test's catalogue of a few tables keeps those tables whole and nothing else.
TEST_F(CatalogoDeReferencia, ATestTakesTheTablesItNeeds) {
  const std::string ruta = carpeta_.Ruta() + "/pocas.mdb";
  prueba::CreaBaseSqlite(ruta, prueba::CatalogoConTablas({"TBLCAJAS", "tblMontosTA"}).sql);
  EXPECT_EQ(Filas(ruta, "SELECT NOMBRE FROM tblTablas ORDER BY 1"),
            (std::vector<std::string>{"tblCajas", "tblMontosTA"}));
  EXPECT_EQ(Filas(ruta, "SELECT count(*) FROM tblCamposTabla"),
            Numerado("SELECT count(*) FROM tblCamposTabla c, tblTablas t WHERE c.TABLA = "
                     "t.NUMERO AND t.NOMBRE IN ('tblCajas', 'tblMontosTA')"));
  EXPECT_EQ(Filas(ruta, "SELECT NOMBRE FROM tblIndices"),
            Numerado("SELECT i.NOMBRE FROM tblIndices i, tblTablas t WHERE i.TABLA = t.NUMERO "
                     "AND t.NOMBRE IN ('tblCajas', 'tblMontosTA')"));
}

}  // namespace
