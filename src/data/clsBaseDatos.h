#pragma once
// The data-access class: connection routines, SQL literals per dialect, access to the
// structure catalogue, structure synchronisation and record import. Members are in the
// order of the class's interface; each group is implemented in its own source file.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ado/Ado.h"
#include "platform/ui/Label.h"
#include "platform/vb/Variant.h"

// Dialect codes.
constexpr std::int16_t ManejadorAccess = 2;
constexpr std::int16_t ManejadorSQLServer = 3;
constexpr std::int16_t ManejadorMySQL = 4;

// Database kinds.
constexpr std::uint8_t EstructuraPrincipal = 0;
constexpr std::uint8_t EstructuraConsultorio = 10;
constexpr std::uint8_t EstructuraAdministrador = 11;
constexpr std::uint8_t EstructuraDependencia = 12;

// Kinds of date literal for GeneraFecHr (any other value: a time).
constexpr std::int16_t FecHrFecha = 0;
constexpr std::int16_t FecHrHora = 1;
constexpr std::int16_t FecHrFechaHora = 2;

// A text embedded between quotes in a statement of the dialect: ' doubled and, on
// MySQL, \ doubled. Texts without those characters come back unchanged.
std::string TextoSql(const std::string& texto, std::int16_t iManejador);

class clsBaseDatos {
 public:
  clsBaseDatos();

  std::string AbrirConexion(std::unique_ptr<ado::Connection>& cnxConexion);
  std::string CerrarConexion(std::unique_ptr<ado::Connection>& cnxConexion);
  std::string ColeccionErrores(ado::Connection& cnxCadena);
  std::string GeneraFecHr(std::int16_t iFecHr, vb::DateTime FecHr, std::int16_t iManejador);
  std::int32_t ManejadorDatos() const;
  void ManejadorDatos(std::int32_t vNewValue);
  std::string CadenaDeConexion() const;
  void CrearBaseDeDatos(const std::string& ConectarseUsando, std::int32_t BaseDeDatos,
                        const std::string& NombreBaseDatos, bool& bExisteError,
                        ui::Label& lblMensajes, bool bAgregaDefault = true,
                        std::uint8_t iEstructuraBaseDeDatos = EstructuraPrincipal);
  std::string RutaEstructura() const;
  void RutaEstructura(std::string vNewValue);
  void ImportarRegistros(const vb::Variant& cnxStringOrigen, const std::string& cnxStringDestino,
                         ui::Label& lblMensaje);
  std::string ConvierteBackSlash(std::string& Cadena, std::int16_t iTipoBD);
  void ConvierteLen(std::string& Cadena);
  void AbreEstBDs(ado::Connection& cnxEstBDs);
  std::string AccessDirDatos() const;
  void AccessDirDatos(const std::string& NuevoValor);
  std::string AccessNomArchivo() const;
  void AccessNomArchivo(const std::string& NuevoValor);
  bool HayError() const;
  void AccessDirectorioArchivo(const std::string& CadenaDeConexion);

 private:
  friend struct AccesoPrivadoClsBaseDatos;  // lets tests reach the private members

  void Class_Initialize();
  void AgregaRegistrosDefault(ado::Connection& cnxEstBDs, ado::Connection& cnxDestino,
                              std::int16_t iTabla, std::uint8_t iTipoBD);
  std::string TipoCampoMySQL(std::int16_t iTipo, std::int16_t iValor);
  std::string TipoCampoSQLServer(std::int16_t iTipo, std::int16_t iValor);
  std::string LimpiaComillas(std::string& Cadena, std::int16_t iTipoBD);

  std::string mRutaEstructura;
  std::unique_ptr<ado::Connection> mCnxEstructura;
  std::unique_ptr<ado::Connection> mCnxDestino;
  std::unique_ptr<ado::Recordset> mRsTablas;
  std::unique_ptr<ado::Recordset> mRsCampos;
  std::unique_ptr<ado::Recordset> mRsIndices;
  std::unique_ptr<ado::Recordset> mRsCamposIndice;
  std::int16_t mManejadorDatos = 0;
  std::string mAccessDirDatos;
  std::string mAccessNomArchivo;
  bool mHayError = false;
};
