// clsBaseDatos: constructor, properties, the connection routines and the opener of the
// structure catalogue. The literals, the catalogue reading, the synchronisation and the
// record import are in their own files.
#include "data/clsBaseDatos.h"

#include <limits>

#include "data/Catalogo.h"
#include "frame/modPrincipal.h"
#include "platform/ui/Services.h"
#include "platform/vb/Error.h"
#include "platform/vb/Text.h"

namespace {
std::string Linea(const std::string& texto) { return texto + vb::vbCr; }

std::string TextoDeError(const ado::ErrorInfo& error) {
  return Linea("Error #" + std::to_string(error.Number)) +
         Linea("   " + error.Description) +
         Linea("   (Source: " + error.Source + ")") +
         Linea("   (SQL State: " + error.SQLState + ")") +
         Linea("   (NativeError: " + std::to_string(error.NativeError) + ")");
}
}  // namespace

clsBaseDatos::clsBaseDatos() { Class_Initialize(); }

std::string clsBaseDatos::AbrirConexion(std::unique_ptr<ado::Connection>& cnxConexion) {
  ui::MousePointer(ui::Puntero::Hourglass);
  cnxConexion = std::make_unique<ado::Connection>();
  cnxConexion->CursorLocation = ado::adUseServer;
  try {
    cnxConexion->Open(gCadenaConexion, "", "", ado::adConnectUnspecified);
  } catch (const vb::Error& error) {
    // The pointer goes back before the box, so the user is not left with the hourglass.
    ui::MousePointer(ui::Puntero::Default);
    MuestraError(vb::Variant(static_cast<std::int32_t>(error.Number())),
                 vb::Variant(error.Description()));
    return {};
  }
  ui::MousePointer(ui::Puntero::Default);
  return {};
}

std::string clsBaseDatos::CerrarConexion(std::unique_ptr<ado::Connection>& cnxConexion) {
  if (!cnxConexion) vb::Raise(vb::err::ObjectVariableNotSet);
  if (cnxConexion->State() == ado::adStateOpen) cnxConexion->Close();
  cnxConexion.reset();
  return {};
}

std::string clsBaseDatos::ColeccionErrores(ado::Connection& cnxCadena) {
  for (const ado::ErrorInfo& error : cnxCadena.Errors())
    ui::MsgBox(TextoDeError(error), ui::Botones::OK, ui::Icono::Exclamacion, "Error");
  return {};
}

std::int32_t clsBaseDatos::ManejadorDatos() const { return mManejadorDatos; }

void clsBaseDatos::ManejadorDatos(std::int32_t vNewValue) {
  if (vNewValue < std::numeric_limits<std::int16_t>::min() ||
      vNewValue > std::numeric_limits<std::int16_t>::max())
    vb::Raise(vb::err::Overflow);
  mManejadorDatos = static_cast<std::int16_t>(vNewValue);
}

std::string clsBaseDatos::CadenaDeConexion() const { return gCadenaConexion; }

std::string clsBaseDatos::RutaEstructura() const { return mRutaEstructura; }

void clsBaseDatos::RutaEstructura(std::string vNewValue) { mRutaEstructura = std::move(vNewValue); }

void clsBaseDatos::AbreEstBDs(ado::Connection& cnxEstBDs) {
  cnxEstBDs.CursorLocation = ado::adUseClient;
  cnxEstBDs.ConnectionString = catalogo::CadenaConexionEstBDs();
  cnxEstBDs.Open("", "", "", ado::adConnectUnspecified);
}

std::string clsBaseDatos::AccessDirDatos() const { return mAccessDirDatos; }

void clsBaseDatos::AccessDirDatos(const std::string& NuevoValor) { mAccessDirDatos = NuevoValor; }

std::string clsBaseDatos::AccessNomArchivo() const { return mAccessNomArchivo; }

void clsBaseDatos::AccessNomArchivo(const std::string& NuevoValor) {
  mAccessNomArchivo = NuevoValor;
}

bool clsBaseDatos::HayError() const { return mHayError; }

// Splits the data source of an MS Access connection string: the data source
// C:\Datos\Tienda.mdb gives the file Tienda.mdb and the folder C:\Datos\ with its trailing
// backslash. A string without ";" after the path raises the runtime's invalid-argument
// error.
void clsBaseDatos::AccessDirectorioArchivo(const std::string& CadenaDeConexion) {
  std::string ruta = vb::Mid(CadenaDeConexion, vb::InStr(CadenaDeConexion, "Data Source=") + 12);
  ruta = vb::Left(ruta, vb::InStr(ruta, ";") - 1);
  mAccessNomArchivo = vb::Mid(ruta, vb::InStrRev(ruta, "\\") + 1);
  // The folder is what precedes the file name at the end, also when a folder's name holds
  // the file's name.
  mAccessDirDatos = vb::Left(ruta, vb::Len(ruta) - vb::Len(mAccessNomArchivo));
}

void clsBaseDatos::Class_Initialize() {
  mManejadorDatos = gManejadorDatos;
  ManejadorDatos(gManejadorDatos);
  mHayError = false;
}
