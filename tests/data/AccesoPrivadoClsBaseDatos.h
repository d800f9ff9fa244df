#pragma once
// The tests' one way into the private members of clsBaseDatos (the class names this
// struct as its friend). Every test of the data folder includes this header, so the
// struct has a single definition.
#include "data/clsBaseDatos.h"

struct AccesoPrivadoClsBaseDatos {
  static void AgregaRegistrosDefault(clsBaseDatos& bd, ado::Connection& cnxEstBDs,
                                     ado::Connection& cnxDestino, std::int16_t iTabla,
                                     std::uint8_t iTipoBD) {
    bd.AgregaRegistrosDefault(cnxEstBDs, cnxDestino, iTabla, iTipoBD);
  }
  static std::string TipoCampoMySQL(clsBaseDatos& bd, std::int16_t iTipo, std::int16_t iValor) {
    return bd.TipoCampoMySQL(iTipo, iValor);
  }
  static std::string TipoCampoSQLServer(clsBaseDatos& bd, std::int16_t iTipo, std::int16_t iValor) {
    return bd.TipoCampoSQLServer(iTipo, iValor);
  }
  static std::string LimpiaComillas(clsBaseDatos& bd, std::string& Cadena, std::int16_t iTipoBD) {
    return bd.LimpiaComillas(Cadena, iTipoBD);
  }
};
