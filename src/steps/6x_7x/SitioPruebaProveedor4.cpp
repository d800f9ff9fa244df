#include "steps/6x_7x/SitioPruebaProveedor4.h"

#include "steps/6x_7x/ProveedoresTarjeta.h"

std::string SitioPruebaEnProveedor4() {
  return std::string("UPDATE tblProveedoresTC SET SITIO_PROVTC='") + kSitioPruebaProveedor4 +
         "' WHERE COD_PROVTC=4;";
}

std::string SitioPruebaEnParametros() {
  return std::string("UPDATE tblParametrosGenerales SET TC_IDSITIO='") + kSitioPruebaProveedor4 +
         "' WHERE TC_SERVICIO=4;";
}
