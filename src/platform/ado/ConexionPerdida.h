#pragma once
// Whether an error means that the connection to the server is gone: SQLSTATE class 08
// (connection exception), or MySQL's "server has gone away" (2006) and "lost connection"
// (2013) under whatever state the driver gives them. Nothing more can run on such a
// connection, so it is never a failure of the one statement that met it.
#include "platform/vb/Error.h"

namespace ado {

bool EsConexionPerdida(const vb::Error& error);

}  // namespace ado
