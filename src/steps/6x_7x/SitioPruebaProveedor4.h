#pragma once
// The test host of card-payment provider 4 written where versions 7.3 and 7.4 store it.
#include <string>

// "UPDATE tblProveedoresTC SET SITIO_PROVTC='<host>' WHERE COD_PROVTC=4;": provider 4's
// site, whatever it held (no row changes when provider 4 is missing).
std::string SitioPruebaEnProveedor4();
// "UPDATE tblParametrosGenerales SET TC_IDSITIO='<host>' WHERE TC_SERVICIO=4;": the site of
// the parameters rows that pay cards through provider 4.
std::string SitioPruebaEnParametros();
