#include "steps/6x_7x/modTiempoAire.h"

#include <array>
#include <vector>

#include "data/clsBaseDatos.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "steps/6x_7x/modArticulosTA.h"
#include "steps/MarcoRutina.h"

namespace {

struct EmpresaTA {
  int codigo;
  const char* nombre;
  const char* imagen;  // the picture file in the images folder's "\Imagenes\"
};

constexpr std::array<EmpresaTA, 9> kEmpresasTA = {{
    {1, "MOVISTAR", "movistar.jpg"},
    {2, "IUSACELL", "iusacell.jpg"},
    {3, "TELCEL", "telcel.gif"},
    {4, "UNEFON", "unefon.jpg"},
    {5, "AT&T", "att.jpg"},
    {6, "VIRGIN", "virgin.jpg"},
    {7, "TELCEL MEGAS", "telcelmegas.jpg"},
    {8, "TELCEL SIN LIMITE", "telcelplan.jpg"},
    {9, "ALO", "alo.jpg"},
}};

// The amounts of one carrier; its keys are its letter and the amount. Carriers 6 to 9
// sell none.
struct MontosDeEmpresa {
  int codigo;
  char letra;
  std::vector<int> montos;
};

const std::array<MontosDeEmpresa, 5> kMontosTA = {{
    {1, 'M', {10, 20, 30, 50, 60, 100, 120, 150, 200, 300, 500}},
    {2, 'I', {50, 100, 150, 200, 300, 500, 750, 1000}},
    {3, 'A', {20, 30, 50, 100, 200, 300, 500}},
    {4, 'U', {50, 100, 150, 200, 300, 500, 750, 1000}},
    {5, 'N', {30, 50, 100, 200, 300, 500}},
}};

std::string ClaveTA(char letra, int monto) {
  std::string cifras = std::to_string(monto);
  if (cifras.size() < 3) cifras.insert(0, 3 - cifras.size(), '0');
  return letra + cifras;
}

// The folder part of every picture path, as it goes between the quotes of the INSERT:
// backslashes doubled for MySQL (ConvierteBackSlash) and apostrophes doubled for every
// engine, so that a folder such as D:\O'Brien is stored as it is written.
std::string RutaDeImagenes(const std::string& sRutaImagenes, std::int16_t iManejador) {
  if (sRutaImagenes.empty()) return {};
  std::string sRuta = sRutaImagenes + "\\Imagenes\\";
  if (iManejador == ManejadorMySQL) clsBaseDatos().ConvierteBackSlash(sRuta, iManejador);
  return vb::Replace(sRuta, "'", "''");
}

std::string InsercionEmpresa(const EmpresaTA& empresa, const std::string& sRuta) {
  return "INSERT INTO tblEmpresasTA (COD_EMPRESA,NOM_EMPRESA,IMAGEN_EMPRESA) VALUES (" +
         std::to_string(empresa.codigo) + ",'" + empresa.nombre + "','" + sRuta + empresa.imagen +
         "');";
}

// TA_CADENA 1 means the amounts are kept in tens; any other value, a Null or no
// parameters row, in units. Only the first row counts.
int DivisorDeMontos(Rutina& r) {
  std::int16_t iCadena = 0;
  ado::Recordset rs = r.Abre("SELECT TA_CADENA FROM tblParametrosGenerales;");
  if (r.ConFilas(rs))
    r.Paso([&] {
      const vb::Variant vCadena = Campo(rs, "TA_CADENA");
      iCadena = vb::CInt("0" + (vCadena.IsNull() ? std::string() : vb::CStr(vCadena)));
    });
  r.Cierra(rs);
  return iCadena == 1 ? 10 : 1;
}

std::string BuscaMonto(const MontoTA& monto) {
  return "SELECT * FROM tblMontosTA WHERE COD_EMPRESA=" + std::to_string(monto.COD_EMPRESA) +
         " AND CLAVE_TA='" + monto.CLAVE_TA + "';";
}

std::string InsercionMonto(const MontoTA& monto, int iDivisor) {
  return "INSERT INTO tblMontosTA (COD_EMPRESA,MONTO_TA,CLAVE_TA) VALUES (" +
         std::to_string(monto.COD_EMPRESA) + "," + std::to_string(monto.MONTO_TA / iDivisor) +
         ",'" + monto.CLAVE_TA + "');";
}

}  // namespace

void ActualizaTiempoAire(ado::Connection& cnx, std::string sRutaImagenes, std::int16_t iManejador,
                         std::int16_t iVersionDestino) {
  Rutina r(cnx, "ActualizaTiempoAire", iManejador);
  // No handler: the first failure ends the rebuild and reaches the ladder.
  r.Ejecuta("DELETE FROM tblEmpresasTA;");
  const std::string sRuta = RutaDeImagenes(sRutaImagenes, iManejador);
  for (const EmpresaTA& empresa : kEmpresasTA) r.Ejecuta(InsercionEmpresa(empresa, sRuta));

  ActualizaMontosTA(cnx);
  ActualizaArticulosTA(cnx, iManejador, iVersionDestino);
}

void ActualizaMontosTA(ado::Connection& cnx) {
  Rutina r(cnx, "ActualizaMontosTA");
  std::vector<MontoTA> catalogo;
  LlenaCatalogoMontosTA(catalogo);
  const int iDivisor = DivisorDeMontos(r);

  r.Ejecuta("DELETE FROM tblMontosTA;");
  // The lookup keeps a key that the catalogue repeated for one carrier to its first amount.
  for (const MontoTA& monto : catalogo)
    r.EjecutaSiFalta(BuscaMonto(monto), InsercionMonto(monto, iDivisor));
}

void LlenaCatalogoMontosTA(std::vector<MontoTA>& catalogo) {
  for (const MontosDeEmpresa& empresa : kMontosTA)
    for (const int monto : empresa.montos)
      catalogo.push_back({empresa.codigo, monto, ClaveTA(empresa.letra, monto)});
}
