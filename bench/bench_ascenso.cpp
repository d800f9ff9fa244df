// The climb of a shop's database at shop scale, on the test MariaDB: a 5.0 database (the
// tests' ascenso_500 shop plus generated rows, at a chosen scale) is updated through the
// update dialog over a data source, beside the reference catalogue, up to its version
// (9.5.2); each ladder step is timed. Two scales (1 and 10 unless given) are climbed one
// after the other and their step times printed side by side with their ratio. No step
// should grow more than 12 times for 10 times the data, and the climb at scale 10 should
// end within 60 s.
//
//   scripts/test-db.sh start build/testdb && source build/testdb/test-db.env
//   cmake -S . -B build -G Ninja -DGRADIX_BENCH=ON && cmake --build build --target bench_ascenso
//   build/bench/bench_ascenso [low high] [scripts to run on the reference catalogue's rows]
//
// A step is what the ladder does from the end of the previous step to the caption that
// tells the step's version: its synchronisation, its routines and its version row.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/modPrincipal.h"
#include "platform/ado/Ado.h"
#include "platform/ui/Usuario.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/Text.h"
#include "platform/win/Sistema.h"
#include "support/CatalogoDePrueba.h"
#include "support/ComponenteDePrueba.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"
#include "updater/AscensoDePrueba.h"
#include "updater/frmActIngreso.h"

namespace {

using Reloj = std::chrono::steady_clock;
double Segundos(Reloj::duration d) { return std::chrono::duration<double>(d).count(); }

std::string Rango(long n) { return "seq_1_to_" + std::to_string(n); }

// Rows added to the ascenso_500 shop at scale `e`: 2,000 articles (two prices and a
// supplier code each), 100 packages of 5 lines (some lines hold another package) with old
// modifiers, 20 users, 3 branches, 10 tills with 500 movements and cuts each, 1,000
// purchase documents of 10 lines, 5,000 sales lines, 1,000 invoice lines, 500 customers
// and suppliers, 1,000 order-ticket entries; all times `e`. Texts carry quotes,
// backslashes and accents; some codes a quote too.
std::string DatosGenerados(long e) {
  const auto n = [e](long porEscala) { return Rango(porEscala * e); };
  return
      "INSERT INTO tblCatArticulos (COD1_ART, DES1_ART, REST_PTOS, PTO_MAR) SELECT "
      " CONCAT('A', LPAD(seq, 7, '0')), CONCAT('ARTÍCULO ', seq, ' D''ANGELO \\\\ Ñ'),"
      " IF(seq % 3 = 0, NULL, 0), (seq % 97) + 0.123456 FROM " + n(2000) + ";\n"
      "INSERT INTO tblPrecios (COD1_ART, LISTA, PRECIO, PTO_MAR) SELECT"
      " CONCAT('A', LPAD(a.seq, 7, '0')), l.seq, 10 + a.seq % 50, (a.seq % 89) + 0.654321"
      " FROM " + n(2000) + " a, seq_1_to_2 l;\n"
      "INSERT INTO tblArtiProveedor (COD1_ART, COD_PROV, ART_PROV) SELECT"
      " CONCAT('A', LPAD(seq, 7, '0')), 'P001', IF(seq % 2 = 0, NULL, CONCAT('AP', seq))"
      " FROM " + n(2000) + ";\n"
      "INSERT INTO tblEncPaquetes (COD1_PAQ, DES1_PAQ, REC_MODIF) SELECT"
      " CONCAT('Q', LPAD(seq, 6, '0'), IF(seq % 10 = 0, '''Ú', '')),"
      " CONCAT('PAQUETE ', seq, ' \"ESPECIAL\" \\\\'), IF(seq % 4 = 0, NULL, seq % 2)"
      " FROM " + n(100) + ";\n"
      "INSERT INTO tblRenPaquetes (COD1_PAQ, COD1_ART, CANTIDAD, MODIF_OPC, MODIF_INT,"
      " MODIF_LISTA) SELECT CONCAT('Q', LPAD(p.seq, 6, '0'), IF(p.seq % 10 = 0, '''Ú', '')),"
      " IF(r.seq = 5 AND p.seq > 1, CONCAT('Q', LPAD(p.seq - 1, 6, '0'),"
      " IF((p.seq - 1) % 10 = 0, '''Ú', '')), CONCAT('A', LPAD((p.seq * 5 + r.seq) % 2000 + 1,"
      " 7, '0'))), r.seq, IF(r.seq % 2 = 0, 1, NULL), IF(r.seq % 3 = 0, 1, 0), NULL"
      " FROM " + n(100) + " p, seq_1_to_5 r;\n"
      "INSERT INTO tblModificadores (COD_ART, COD_MODIF) SELECT"
      " CONCAT('A', LPAD(seq, 7, '0')), CONCAT('M', seq) FROM " + n(200) + ";\n"
      "INSERT INTO tblUsuarios (COD_USU, NOM_USU, TIP_USU, ESTATUS) SELECT"
      " CONCAT('U', LPAD(seq, 6, '0')), CONCAT('USUARIO O''NEIL ', seq), seq % 4, seq % 2"
      " FROM " + n(20) + ";\n"
      "INSERT INTO tblSucursales (COD_SUCU, NOM_SUCU, ES_PRINCIPAL) SELECT"
      " CONCAT('S', LPAD(seq, 5, '0')), CONCAT('SUCURSAL ', seq, ' Ñ'), seq % 2 FROM " +
      n(3) + ";\n"
      "INSERT INTO tblCajas (COD_CAJA, DES_CAJA, TA_USUARIO, TA_PASSWORD, TA_EQUIPO) SELECT"
      " 100 + seq, CONCAT('CAJA ', seq), IF(seq % 2 = 0, NULL, CONCAT('t', seq)),"
      " IF(seq % 2 = 0, NULL, 'clave'), NULL FROM " + n(10) + ";\n"
      "INSERT INTO tblAuxCaja (COD_CAJA, FOLIO, COD_SUCU) SELECT 100 + seq % 10, 1000 + seq,"
      " ELT(seq % 3 + 1, NULL, '', 'SUC01') FROM " + n(5000) + ";\n"
      "INSERT INTO tblCortes (COD_CAJA, FOLIO, COD_SUCU) SELECT 100 + seq % 10, 1000 + seq,"
      " ELT(seq % 3 + 1, NULL, '', 'SUC01') FROM " + n(5000) + ";\n"
      "INSERT INTO tblComprasEnc (FOL_DOC, COD_ALM) SELECT"
      " CONCAT('G', LPAD(seq, 7, '0'), IF(seq % 50 = 0, '\\\\''', '')), LPAD(seq % 3 + 1, 2, '0')"
      " FROM " + n(1000) + ";\n"
      "INSERT INTO tblComprasRen (FOL_DOC, RENGLON, COD_ALM) SELECT"
      " CONCAT('G', LPAD(d.seq, 7, '0'), IF(d.seq % 50 = 0, '\\\\''', '')), r.seq,"
      " ELT(r.seq % 3 + 1, NULL, '', '01') FROM " + n(1000) + " d, seq_1_to_10 r;\n"
      "INSERT INTO tblRenVentas (FOLIO, RENGLON, COD1_ART) SELECT 100000 + seq DIV 5, seq % 5,"
      " CONCAT('A', LPAD(seq % 2000 + 1, 7, '0')) FROM " + n(5000) + ";\n"
      "INSERT INTO tblFacturasRen (FOLIO, RENGLON, COD1_ART, PCIO_VEN) SELECT"
      " 200000 + seq DIV 4, seq % 4, CONCAT('A', LPAD(seq % 2000 + 1, 7, '0')), seq % 70"
      " FROM " + n(1000) + ";\n"
      "INSERT INTO tblCatClientes (COD_CLI, NOM_CLI, NUM_EXT, NUM_INT, MAIL_CFD) SELECT"
      " CONCAT('K', LPAD(seq, 7, '0')), CONCAT('CLIENTE ''', seq, ''' \\\\ ÁÉÍ'),"
      " IF(seq % 2 = 0, NULL, '12'), NULL, NULL FROM " + n(500) + ";\n"
      "INSERT INTO tblCatProveedor (COD_PROV, NOM_PROV, NUM_CLI) SELECT"
      " CONCAT('V', LPAD(seq, 7, '0')), CONCAT('PROVEEDOR ', seq, ' Ñ'), NULL FROM " +
      n(500) + ";\n"
      "INSERT INTO tblBitacoraComanda (FOLIO, COD_ACCION, IMPORTE, COD_CON, PRE_INI, PRE_FIN)"
      " SELECT 300000 + seq, seq % 5, seq % 100, NULL, NULL, NULL FROM " + n(1000) + ";\n";
}

struct Paso {
  std::string nombre;
  double segundos = 0;
};

// The ladder shows this caption when a step ends; the step is everything since the
// previous one ended (or since the run began).
constexpr const char* kFinDePaso = "Estructura modificada a versión ";

class Pasos {
 public:
  explicit Pasos(const frmActIngreso& dialogo) : dialogo_(dialogo) {}
  void Empieza() { anterior_ = Reloj::now(); }
  // Called on every repaint of the dialog.
  void Repinta() {
    const std::string& caption = dialogo_.lblMensaje.Caption;
    if (caption.rfind(kFinDePaso, 0) != 0) return;
    const Reloj::time_point ahora = Reloj::now();
    lista_.push_back({caption.substr(std::string(kFinDePaso).size()), Segundos(ahora - anterior_)});
    anterior_ = ahora;
  }
  std::vector<Paso> Termina() {
    lista_.push_back({"(end of the run)", Segundos(Reloj::now() - anterior_)});
    return lista_;
  }

 private:
  const frmActIngreso& dialogo_;
  Reloj::time_point anterior_;
  std::vector<Paso> lista_;
};

struct Ascenso {
  std::vector<Paso> pasos;
  double total = 0;
  long lineasDeCompra = 0, lineasDeVenta = 0, articulos = 0;
};

long Cuenta(const prueba::TestDatabase& db, const std::string& tabla) {
  return std::stol(db.Consulta("SELECT COUNT(*) FROM " + tabla)[0][0]);
}

std::string Cajas(const prueba::UiQueAcepta& ui) {
  std::string texto;
  for (const prueba::Caja& caja : ui.cajas) texto += "[" + caja.titulo + "] " + caja.prompt + "\n";
  return texto;
}

// The administrator's run, as the climb test makes it: the database's data source, the
// main kind, the catalogue's default rows and the images folder; then the update button.
Ascenso Asciende(long escala, int versionDelCatalogo) {
  prueba::TestDatabase db;
  db.EjecutaArchivo("bd/ascenso_500.sql");
  db.EjecutaSql(DatosGenerados(escala));
  Ascenso ascenso;
  ascenso.lineasDeCompra = Cuenta(db, "tblComprasRen");
  ascenso.lineasDeVenta = Cuenta(db, "tblRenVentas");
  ascenso.articulos = Cuenta(db, "tblCatArticulos");
  db.EscribeDsn(db.Nombre());

  prueba::UiQueAcepta ui;
  frmActIngreso dialogo;
  Pasos pasos(dialogo);
  dialogo.alRefrescar = [&pasos] { pasos.Repinta(); };
  dialogo.Load();
  ui::usuario::Elige(dialogo.optTipoBD[1]);
  const auto& fuentes = dialogo.cmbDSNList.List;
  const auto fuente = std::find(fuentes.begin(), fuentes.end(), db.Nombre());
  if (fuente == fuentes.end()) throw std::runtime_error("the data source is not listed");
  ui::usuario::EligeElemento(dialogo.cmbDSNList, static_cast<int>(fuente - fuentes.begin()));
  ui::usuario::Marca(dialogo.chkProyecto[0], 1);
  ui::usuario::Marca(dialogo.chkRegDef, 1);
  ui::usuario::Marca(dialogo.chkCA, 1);
  ui::usuario::Escribe(dialogo.txtRutaImagenes, "C:\\Velmar");
  const Reloj::time_point inicio = Reloj::now();
  pasos.Empieza();
  ui::usuario::HaceClic(dialogo.cmdOpc[0]);
  ascenso.pasos = pasos.Termina();
  ascenso.total = Segundos(Reloj::now() - inicio);

  const std::string version = db.Consulta("SELECT MAX(VER) FROM tblVersion")[0][0];
  if (version != std::to_string(versionDelCatalogo))
    throw std::runtime_error("scale " + std::to_string(escala) + ": the climb ended at " +
                             version + ", not at " + std::to_string(versionDelCatalogo) +
                             "\n" + Cajas(ui));
  return ascenso;
}

int VersionDelCatalogo(const std::string& ruta) {
  ado::Connection cnx;
  cnx.Open(prueba::CadenaJet(ruta));
  ado::Recordset rs;
  rs.Open("SELECT MAX(VER) AS V FROM tblVersion;", cnx);
  return static_cast<int>(vb::CLng(rs.Fields("V").Value()));
}

// Side by side; false when a target is missed.
bool Informa(long baja, const Ascenso& a, long alta, const Ascenso& b) {
  std::map<std::string, double> bajos;
  for (const Paso& p : a.pasos) bajos[p.nombre] += p.segundos;
  std::printf("%-18s %12s %12s %8s\n", "step", ("scale " + std::to_string(baja)).c_str(),
              ("scale " + std::to_string(alta)).c_str(), "ratio");
  bool cumple = true;
  const double limite = 1.2 * static_cast<double>(alta) / static_cast<double>(baja);
  for (const Paso& p : b.pasos) {
    const double bajo = bajos.count(p.nombre) ? bajos[p.nombre] : 0;
    const double razon = bajo > 0 ? p.segundos / bajo : 0;
    // Steps of a few milliseconds are noise: they count once they take 50 ms.
    const bool excede = razon > limite && p.segundos >= 0.05;
    cumple = cumple && !excede;
    std::printf("%-18s %12.3f %12.3f %8.2f%s\n", p.nombre.c_str(), bajo, p.segundos, razon,
                excede ? "  <- grows faster than the data" : "");
  }
  std::printf("%-18s %12.3f %12.3f %8.2f\n", "whole climb", a.total, b.total,
              a.total > 0 ? b.total / a.total : 0);
  for (const auto& [escala, x] : {std::pair{baja, &a}, std::pair{alta, &b}})
    std::printf("scale %ld: %ld purchase lines, %ld sales lines, %ld articles\n", escala,
                x->lineasDeCompra, x->lineasDeVenta, x->articulos);
  if (alta == 10 && b.total >= 60) {
    std::printf("the climb at scale 10 took %.1f s: more than 60 s\n", b.total);
    cumple = false;
  }
  return cumple;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (!prueba::HayServidorDePrueba())
      throw std::runtime_error("start the test server and source its test-db.env first");
    long baja = 1, alta = 10;
    int siguiente = 1;
    if (argc >= 3 && std::isdigit(static_cast<unsigned char>(argv[1][0]))) {
      baja = std::stol(argv[1]);
      alta = std::stol(argv[2]);
      siguiente = 3;
    }
    // The reference catalogue at 9.5.2; scripts named after the scales run on its rows
    // before they are numbered (catalogo/referencia.sql), e.g. to take tables away.
    std::string porNombre;
    for (int i = siguiente; i < argc; ++i) porNombre += prueba::LeeFixture(argv[i]) + "\n";
    const prueba::ProgramaConCatalogo programa(prueba::CatalogoDeReferencia(porNombre));
    // Step 6.0 encrypts the tills' passwords with the project's component and a test key.
    prueba::CarpetaConComponente::Instala(prueba::Componente::Proyecto, programa.Carpeta());
    const int version = VersionDelCatalogo(programa.RutaCatalogo());
    win::EstableceSleep([](unsigned) {});
    std::printf("climbing from 5.0 to the catalogue's version %d\n", version);

    const Ascenso a = Asciende(baja, version);
    const Ascenso b = Asciende(alta, version);
    gRutaLog.clear();
    return Informa(baja, a, alta, b) ? 0 : 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_ascenso: %s\n", e.what());
    return 1;
  }
}
