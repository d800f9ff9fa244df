#include "steps/5x/modVersion53.h"

#include <functional>

#include "data/clsBaseDatos.h"
#include "steps/CopiaSucursal.h"
#include "steps/MarcoRutina.h"
#include "steps/PermisosMenu.h"

namespace {

// 'mnuCatModif' hangs under the catalogues (140) of module 11, beside the packages.
constexpr int kModulo = 11;
constexpr int kOrden = 146;
const PermisoMenu kModificadores{
    .opcion = "mnuCatModif", .titulo = "Modificadores", .rama = 140, .modulos = {{kModulo, kOrden}}};

constexpr const char* kPerfilesConPaquetes =
    "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE (COD_PERFIL>1) AND (MODULO_EDICION=11) AND "
    "(NOMBRE_OPCION='mnuCatPaq') ORDER BY ORDEN_MENU;";
constexpr const char* kUsuariosActivos =
    "SELECT * FROM tblUsuarios WHERE (ESTATUS < 8) ORDER BY COD_USU;";

// The table is dropped only when it holds no row; one that cannot be read stays.
void BorraSiEstaVacia(Rutina& r, const std::string& sSeparador, const std::string& tabla) {
  bool bConFilas = false;
  ado::Recordset rs = r.Abre("SELECT * FROM " + tabla + ";");
  if (r.ConFilas(rs)) bConFilas = true;
  r.Cierra(rs);
  if (!bConFilas) r.Ejecuta("DROP TABLE" + sSeparador + tabla + ";");
}

// ----------------------------------------------------------- the grant of mnuCatModif
//
// The grant's failures go one of four ways, by where they happen:
//   - the template rows of profiles 0 and 1, the query of the profiles with packages and
//     its first end test: the grant ends quietly;
//   - the rows of those profiles: a refused insert is passed over;
//   - one user's code, profile lookup, own lookup or insert: that user gets one entry in
//     the run log and the grant goes on with the next user, so that one user it cannot
//     handle never keeps the option from the others;
//   - the walk to the next user: to the caller.
// A failure at the start of the users' stage (the user query, its first end test) ends the
// grant quietly when no profile row was handled, and starts that stage once more
// otherwise. Once a failure has brought the grant to the users' stage, nothing more is
// caught but a user's own failures.

enum class TrasFalla { Termina, RepiteUsuarios, NadaSeAtrapa };

// Runs a stretch of the grant. True when a failure in it was caught; with NadaSeAtrapa
// the failure reaches the caller.
bool FallaAtrapada(Rutina& r, TrasFalla tras, const std::function<void()>& tramo) {
  if (tras == TrasFalla::NadaSeAtrapa) {
    tramo();
    return false;
  }
  return r.Intenta(tramo).has_value();
}

void PlantillaDelPerfil(Rutina& r, int perfil) {
  ado::Recordset rs = r.Abre("SELECT * FROM tblPlantillaMenus WHERE (COD_PERFIL=" +
                                 std::to_string(perfil) +
                                 ") AND (MODULO_EDICION=11) AND (NOMBRE_OPCION='mnuCatModif') "
                                 "ORDER BY ORDEN_MENU;",
                             ado::adCmdText);
  if (r.SinFilas(rs)) r.Ejecuta(InsercionPlantilla(kModificadores, perfil, kOrden, kModulo));
  r.Cierra(rs);
}

// A profile above 1 that holds the packages' option: its row without a lookup. The
// profile that already has it is refused by the table's key, which is no failure.
void PlantillaDelPerfilConPaquetes(Rutina& r, const ado::Recordset& rsPerfiles) {
  r.Silencioso();
  r.Ejecuta([&] {
    return InsercionPlantilla(kModificadores, r.Une(Campo(rsPerfiles, "COD_PERFIL")), kOrden,
                              kModulo);
  });
  r.SinManejador();
}

bool PerfilConLaOpcion(Rutina& r, const ado::Recordset& rsUsuarios) {
  bool bTiene = false;
  ado::Recordset rs = r.Abre(
      [&] {
        return "SELECT COD_PERFIL FROM tblPlantillaMenus WHERE COD_PERFIL=" +
               r.Une(Campo(rsUsuarios, "TIP_USU")) +
               " AND (ORDEN_MENU=146) AND (NOMBRE_OPCION='mnuCatModif') ;";
      },
      ado::adCmdText);
  if (r.ConFilas(rs)) bTiene = true;
  r.Cierra(rs);
  return bTiene;
}

bool UsuarioConLaOpcion(Rutina& r, const std::string& sUsuario) {
  bool bTiene = false;
  ado::Recordset rs = r.Abre("SELECT COD_USUARIO FROM tblMenusFF WHERE COD_USUARIO='" +
                             r.Une(sUsuario) +
                             "' AND (ORDEN_MENU=146) AND (NOMBRE_OPCION='mnuCatModif') ;");
  if (r.ConFilas(rs)) bTiene = true;
  r.Cierra(rs);
  return bTiene;
}

// The user's row, when the user's profile holds the option and the user lacks the row.
// Runs without a handler: the first failure leaves it.
void MenuDelUsuario(Rutina& r, const ado::Recordset& rsUsuarios) {
  std::string sUsuario;
  r.Lee(sUsuario, rsUsuarios, "COD_USU");
  bool bOtorga = PerfilConLaOpcion(r, rsUsuarios);
  if (UsuarioConLaOpcion(r, sUsuario)) bOtorga = false;
  if (bOtorga)
    r.Ejecuta(InsercionMenuUsuario("tblMenusFF", r.Une(sUsuario), kOrden, kModificadores.opcion));
}

// The users with ESTATUS below 8 whose profile holds the option and who lack their row.
// `rsPerfiles`, when given, is the profile query, closed at the start of this stage. The
// user query is opened on `rsUsuarios`, the same recordset when the stage starts once
// more: a query that is still open then cannot be opened again, and that failure ends it.
void MenusDeUsuarios(Rutina& r, ado::Connection& cnx, ado::Recordset* rsPerfiles,
                     TrasFalla tras, ado::Recordset& rsUsuarios) {
  bool bFin = true;
  if (FallaAtrapada(r, tras, [&] {
        if (rsPerfiles) r.Cierra(*rsPerfiles);
        r.Paso([&] {
          rsUsuarios.Open(kUsuariosActivos, cnx, ado::adOpenForwardOnly, ado::adLockReadOnly);
        });
        bFin = rsUsuarios.Eof();
      })) {
    if (tras == TrasFalla::RepiteUsuarios)
      MenusDeUsuarios(r, cnx, nullptr, TrasFalla::NadaSeAtrapa, rsUsuarios);
    return;
  }
  while (!bFin) {
    r.IntentaAnotando([&] { MenuDelUsuario(r, rsUsuarios); });
    r.Paso([&] { rsUsuarios.MoveNext(); });
    bFin = rsUsuarios.Eof();
  }
}

}  // namespace

void ModificarEstructura53(ado::Connection& cnx, std::int16_t iManejador) {
  Rutina r(cnx, "ModificarEstructura53", iManejador);
  r.ArmaManejador();
  const std::string sSeparador = iManejador == ManejadorMySQL ? " IF EXISTS " : " ";

  BorraSiEstaVacia(r, sSeparador, "tblModificadores");
  BorraSiEstaVacia(r, sSeparador, "tblListasSeleccionables");
  BorraSiEstaVacia(r, sSeparador, "tblModifComanda");

  // What the grant lets out ends this routine before its version row.
  r.SinManejador();
  AgregaMenuModificadores(cnx);
  r.ArmaManejador();

  r.RegistraVersion(530);
}

void AgregaMenuModificadores(ado::Connection& cnx) {
  Rutina r(cnx, "AgregaMenuModificadores");
  ado::Recordset rsPerfiles;
  bool bFin = true;
  if (r.Intenta([&] {
        PlantillaDelPerfil(r, 0);
        PlantillaDelPerfil(r, 1);
        rsPerfiles = r.Abre(kPerfilesConPaquetes);
        bFin = rsPerfiles.Eof();
      }))
    return;

  const bool bHayPerfiles = !bFin;
  ado::Recordset rsUsuarios;
  while (!bFin) {
    PlantillaDelPerfilConPaquetes(r, rsPerfiles);
    if (r.Intenta([&] {
          rsPerfiles.MoveNext();
          bFin = rsPerfiles.Eof();
        }))
      return MenusDeUsuarios(r, cnx, nullptr, TrasFalla::NadaSeAtrapa, rsUsuarios);
  }
  MenusDeUsuarios(r, cnx, &rsPerfiles,
                  bHayPerfiles ? TrasFalla::RepiteUsuarios : TrasFalla::Termina, rsUsuarios);
}

void ActualizaCamposVersion53(ado::Connection& cnx, std::string, std::int16_t iManejador,
                              ui::Label&) {
  Rutina r(cnx, "ActualizaCamposVersion53", iManejador);
  r.ArmaManejador();

  CopiaSucursal(r, iManejador);

  r.Ejecuta("UPDATE tblParametrosGenerales SET TC_URL='' WHERE TC_URL IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET CONX_AC='' WHERE CONX_AC IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET BD_AC='' WHERE BD_AC IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET CONX_DP='' WHERE CONX_DP IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET BD_DP='' WHERE BD_DP IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET ACT_CIN=0 WHERE ACT_CIN IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET CONX_CIN='' WHERE CONX_CIN IS NULL;");
  r.Ejecuta("UPDATE tblParametrosGenerales SET OBLIGA_BASC=0 WHERE OBLIGA_BASC IS NULL;");

  r.RegistraVersion(530);
}
