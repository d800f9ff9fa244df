#include "updater/AscensoDePrueba.h"

#include <algorithm>

#include "frame/modPrincipal.h"
#include "platform/ado/Ado.h"
#include "platform/ui/Usuario.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"
#include "updater/frmActIngreso.h"

namespace prueba {
namespace {

namespace usuario = ui::usuario;

std::string Minusculas(std::string texto) { return vb::LCase(texto); }

// The MySQL column type that the synchronisation gives a catalogue column, as the server
// reports it: by its type code, but an XML_ column is a long text and an IMGBIT_ column a
// picture whatever its code.
std::string TipoDelCatalogo(const std::string& nombre, int tipo, int valor) {
  if (vb::UCase(nombre).starts_with("XML_")) return "longtext";
  if (vb::UCase(nombre).starts_with("IMGBIT_")) return "longblob";
  if (tipo == 9) return "varchar(" + std::to_string(valor) + ")";
  static const std::map<int, std::string> tipos = {
      {0, "smallint(6)"},   {1, "tinyint(4)"}, {2, "smallint(6)"}, {3, "bigint(20)"},
      {4, "decimal(13,4)"}, {5, "double"},     {6, "double"},      {7, "date"},
      {10, "datetime"},     {11, "text"},      {12, "time"},       {13, "bigint(20)"},
      {14, "longtext"},     {15, "longblob"}};
  const auto t = tipos.find(tipo);
  return t == tipos.end() ? "?" : t->second;
}

std::vector<std::vector<vb::Variant>> FilasDe(ado::Connection& cnx, const std::string& sql) {
  ado::Recordset rs;
  rs.Open(sql, cnx, ado::adOpenForwardOnly, ado::adLockReadOnly);
  std::vector<std::vector<vb::Variant>> filas;
  for (; !rs.Eof(); rs.MoveNext()) {
    filas.emplace_back();
    for (int i = 0; i < rs.FieldCount(); ++i) filas.back().push_back(rs.Fields(i).Value());
  }
  rs.Close();
  return filas;
}

}  // namespace

// The catalogue of the climb to 5.9.9: the reference catalogue, its version set to 5.9.9.
SqlDeCatalogo CatalogoDelAscenso() {
  return CatalogoDeReferencia({}, "UPDATE tblVersion SET VER = 599;");
}

// The main kind's tables of the catalogue, as the synchronisation builds them on MySQL.
std::map<std::string, Estructura> EstructuraDelCatalogo(const std::string& rutaCatalogo,
                                                        const std::string& clases) {
  ado::Connection cnx;
  cnx.Open(CadenaJet(rutaCatalogo));
  std::map<std::string, Estructura> tablas;
  for (const auto& t : FilasDe(cnx, "SELECT NUMERO, NOMBRE FROM tblTablas WHERE " + clases + ";")) {
    Estructura& e = tablas[Minusculas(vb::CStr(t[1]))];
    const std::string numero = vb::CStr(t[0]);
    for (const auto& c :
         FilasDe(cnx, "SELECT NOMBRE, TIPO, VALOR FROM tblCamposTabla WHERE TABLA=" + numero +
                          " ORDER BY NUMERO;"))
      e.columnas[Minusculas(vb::Trim(vb::CStr(c[0])))] =
          TipoDelCatalogo(vb::Trim(vb::CStr(c[0])), vb::CInt(c[1]), vb::CInt(c[2]));
    for (const auto& i :
         FilasDe(cnx, "SELECT NUMERO, NOMBRE, UNICA FROM tblIndices WHERE TABLA=" + numero + ";")) {
      Indice& indice = e.indices[Minusculas(vb::CStr(i[1]))];
      indice.unico = !i[2].IsNull() && vb::CBool(i[2]);
      for (const auto& c : FilasDe(cnx,
                                   "SELECT c.NOMBRE FROM tblCamposIndice i, tblCamposTabla c "
                                   "WHERE c.NUMERO=i.CAMPO AND i.INDICE=" +
                                       vb::CStr(i[0]) + ";"))
        indice.columnas.push_back(Minusculas(vb::Trim(vb::CStr(c[0]))));
    }
  }
  return tablas;
}

std::map<std::string, Estructura> EstructuraDeLaBase(const TestDatabase& db) {
  std::map<std::string, Estructura> tablas;
  for (const auto& c : db.Consulta("SELECT LOWER(TABLE_NAME), LOWER(COLUMN_NAME), COLUMN_TYPE FROM "
                                   "information_schema.COLUMNS WHERE TABLE_SCHEMA=DATABASE()"))
    tablas[c[0]].columnas[c[1]] = c[2];
  for (const auto& i : db.Consulta(
           "SELECT LOWER(TABLE_NAME), LOWER(INDEX_NAME), NON_UNIQUE, LOWER(COLUMN_NAME) FROM "
           "information_schema.STATISTICS WHERE TABLE_SCHEMA=DATABASE() "
           "ORDER BY TABLE_NAME, INDEX_NAME, SEQ_IN_INDEX")) {
    Indice& indice = tablas[i[0]].indices[i[1]];
    indice.unico = i[2] == "0";
    indice.columnas.push_back(i[3]);
  }
  return tablas;
}

// Where the database departs from the catalogue, one line each: a catalogue table,
// column or index that is missing or differs, and any index the catalogue lacks. Columns
// and tables that the catalogue does not list are named apart (ExtrasDe): the
// synchronisation never drops them.
std::vector<std::string> Diferencias(const std::map<std::string, Estructura>& catalogo,
                                     const std::map<std::string, Estructura>& base) {
  std::vector<std::string> diferencias;
  for (const auto& [tabla, esperada] : catalogo) {
    const auto real = base.find(tabla);
    if (real == base.end()) {
      diferencias.push_back(tabla + ": missing");
      continue;
    }
    for (const auto& [columna, tipo] : esperada.columnas) {
      const auto c = real->second.columnas.find(columna);
      const std::string tipoReal = c == real->second.columnas.end() ? "missing" : c->second;
      if (tipoReal != tipo) diferencias.push_back(tabla + "." + columna + ": " + tipoReal);
    }
    for (const auto& [nombre, indice] : real->second.indices) {
      const auto i = esperada.indices.find(nombre);
      if (i == esperada.indices.end() || !(i->second == indice))
        diferencias.push_back(tabla + " index " + nombre + ": not as in the catalogue");
    }
    for (const auto& [nombre, indice] : esperada.indices)
      if (!real->second.indices.contains(nombre))
        diferencias.push_back(tabla + " index " + nombre + ": missing");
  }
  return diferencias;
}

std::set<std::string> ExtrasDe(const std::map<std::string, Estructura>& catalogo,
                               const std::map<std::string, Estructura>& base) {
  std::set<std::string> extras;
  for (const auto& [tabla, real] : base) {
    const auto esperada = catalogo.find(tabla);
    if (esperada == catalogo.end()) {
      extras.insert(tabla);
      continue;
    }
    for (const auto& [columna, tipo] : real.columnas)
      if (!esperada->second.columnas.contains(columna)) extras.insert(tabla + "." + columna);
  }
  return extras;
}

// Every row of every table, so that a second run can be shown to change nothing.
std::map<std::string, Filas> Contenido(const TestDatabase& db) {
  std::map<std::string, Filas> contenido;
  for (const auto& t : db.Consulta("SHOW TABLES")) {
    Filas filas = db.Consulta("SELECT * FROM " + t[0]);
    std::sort(filas.begin(), filas.end());
    contenido[t[0]] = filas;
  }
  return contenido;
}

std::string LeeLog() {
  if (gRutaLog.empty() || !win::ExisteArchivo(gRutaLog)) return {};
  return LeeFixture(win::RutaLocal(gRutaLog));
}

AscensoPorElDialogo::AscensoPorElDialogo(const SqlDeCatalogo& catalogo) : programa_(catalogo) {
  win::EstableceSleep([](unsigned) {});
  win::EstableceReloj([this] { return ahora_; });
}

AscensoPorElDialogo::~AscensoPorElDialogo() {
  win::EstableceReloj({});
  win::EstableceSleep({});
  gRutaLog.clear();  // the runs named a log in the program folder, which goes with the test
}

void AscensoPorElDialogo::PreparaBase(const std::string& fixture) {
  db_.EjecutaArchivo(fixture);
  // The data source is named as the database, as the suite's installations name them.
  db_.EscribeDsn(db_.Nombre());
}

void AscensoPorElDialogo::Actualiza(int hora, const TestDatabase& db, int caja) {
  ahora_ = vb::DateTime{vb::DateSerial(2026, 12, 10).serial + vb::TimeSerial(hora, 0, 0).serial};
  ui_.cajas.clear();
  frmActIngreso dialogo;
  dialogo.Load();
  usuario::Elige(dialogo.optTipoBD[1]);
  const auto& fuentes = dialogo.cmbDSNList.List;
  const auto fuente = std::find(fuentes.begin(), fuentes.end(), db.Nombre());
  ASSERT_NE(fuente, fuentes.end());
  usuario::EligeElemento(dialogo.cmbDSNList, static_cast<int>(fuente - fuentes.begin()));
  for (int i = 0; i < 4; ++i) usuario::Marca(dialogo.chkProyecto[i], i == caja ? 1 : 0);
  usuario::Marca(dialogo.chkRegDef, 1);
  if (caja == 0) {
    usuario::Marca(dialogo.chkCA, 1);
    usuario::Escribe(dialogo.txtRutaImagenes, "C:\\Velmar");
  }
  usuario::HaceClic(dialogo.cmdOpc[0]);
}

std::string AscensoPorElDialogo::Cajas() const {
  std::string texto;
  for (const Caja& caja : ui_.cajas) texto += "[" + caja.titulo + "] " + caja.prompt + "\n";
  return texto;
}

bool AscensoPorElDialogo::HayCaja(const std::string& inicio) const {
  return std::any_of(ui_.cajas.begin(), ui_.cajas.end(),
                     [&](const Caja& caja) { return caja.prompt.rfind(inicio, 0) == 0; });
}

}  // namespace prueba
