// Listing the ODBC data sources through the driver manager, from private odbc.ini files.
#include "platform/odbc/Odbc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/odbc/FuentesDePrueba.h"

namespace {

struct Fuente {
  short rc;
  std::string nombre;
  std::string descripcion;
};

std::vector<Fuente> ListaTodas(odbc::HENV henv) {
  std::vector<Fuente> fuentes;
  for (;;) {
    std::string nombre(64, ' ');
    std::string descripcion(64, ' ');
    short n1 = 0;
    short n2 = 0;
    const short rc = odbc::SQLDataSources(henv, odbc::SiguienteFuente, nombre, 64, n1, descripcion, 64, n2);
    fuentes.push_back({rc, nombre.substr(0, n1), descripcion.substr(0, n2)});
    if (rc != odbc::Exito) return fuentes;
  }
}

TEST(SQLDataSources, ListsTheUserSourcesThenTheSystemOnesThenNoData) {
  prueba::FuentesDePrueba fuentes("[Caja1]\nDriver=Prueba\n",
                          "[VENTAS]\nDriver=Prueba\n\n[Otra Base]\nDriver=Prueba\n");
  odbc::HENV henv = nullptr;
  ASSERT_EQ(odbc::SQLAllocEnv(henv), odbc::Exito);
  const std::vector<Fuente> lista = ListaTodas(henv);
  ASSERT_EQ(lista.size(), 4u);
  EXPECT_EQ(lista[0].nombre, "Caja1");
  EXPECT_EQ(lista[0].descripcion, "Prueba");
  EXPECT_EQ(lista[1].nombre, "VENTAS");
  EXPECT_EQ(lista[2].nombre, "Otra Base");
  EXPECT_EQ(lista[3].rc, odbc::SinDatos);
  EXPECT_EQ(lista[3].nombre, "");
  EXPECT_EQ(odbc::SQLFreeEnv(henv), odbc::Exito);
}

TEST(SQLDataSources, ANameLongerThanTheBufferIsCutAndItsFullLengthReturned) {
  prueba::FuentesDePrueba fuentes("", "[FuenteDeNombreLargo]\nDriver=Prueba\n");
  odbc::HENV henv = nullptr;
  ASSERT_EQ(odbc::SQLAllocEnv(henv), odbc::Exito);
  std::string nombre(8, '#');
  std::string descripcion(64, ' ');
  short n1 = 0;
  short n2 = 0;
  const short rc = odbc::SQLDataSources(henv, odbc::SiguienteFuente, nombre, 8, n1, descripcion, 64, n2);
  EXPECT_EQ(rc, odbc::ExitoConInfo);
  EXPECT_EQ(n1, 19);
  EXPECT_EQ(nombre, "FuenteD#") << "seven characters and the buffer's own last place";
  odbc::SQLFreeEnv(henv);
}

}  // namespace
