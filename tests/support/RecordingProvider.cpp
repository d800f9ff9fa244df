#include "support/RecordingProvider.h"

namespace prueba {

namespace {
const char* const kOrigen = "RecordingProvider";

struct FallaProgramada {
  Coincide coincide;
  long numero;
  std::string descripcion;
  int restantes;  // kSiempre: without end
  std::string sqlState = {};
  long nativo = 0;
};

struct RespuestaProgramada {
  Coincide coincide;
  Resultado resultado;
  bool usada = false;
};

// The first failure that matches and has uses left, counted down.
const FallaProgramada* TomaFalla(std::vector<FallaProgramada>& fallas, const std::string& texto) {
  for (FallaProgramada& falla : fallas) {
    if (falla.restantes == 0 || !falla.coincide(texto)) continue;
    if (falla.restantes > 0) --falla.restantes;
    return &falla;
  }
  return nullptr;
}

[[noreturn]] void Lanza(const FallaProgramada& falla) {
  throw ado::ProviderError(
      {{falla.numero, falla.descripcion, kOrigen, falla.sqlState, falla.nativo}});
}

ado::DataTypeEnum TipoDeValor(const vb::Variant& valor) {
  switch (valor.Type()) {
    case vb::VarType::Integer: return ado::adSmallInt;
    case vb::VarType::Long: return ado::adInteger;
    case vb::VarType::Double: return ado::adDouble;
    case vb::VarType::Currency: return ado::adCurrency;
    case vb::VarType::Boolean: return ado::adBoolean;
    case vb::VarType::Date: return ado::adDBTimeStamp;
    case vb::VarType::String: return ado::adVarWChar;
    default: return ado::adVariant;
  }
}

// A column's type follows its first value that is neither Null nor Empty.
ado::DataTypeEnum TipoDeColumna(const Resultado& resultado, std::size_t columna) {
  for (const auto& fila : resultado.filas)
    if (columna < fila.size() && TipoDeValor(fila[columna]) != ado::adVariant)
      return TipoDeValor(fila[columna]);
  return ado::adVariant;
}

ado::RowSet ComoRowSet(const Resultado& resultado) {
  ado::RowSet rows;
  rows.hasResult = !resultado.columnas.empty();
  rows.rowsAffected = rows.hasResult ? -1 : resultado.filasAfectadas;
  for (std::size_t c = 0; c < resultado.columnas.size(); ++c)
    rows.columns.push_back({resultado.columnas[c], TipoDeColumna(resultado, c)});
  for (auto fila : resultado.filas) {
    fila.resize(resultado.columnas.size(), vb::Variant::Null());
    rows.rows.push_back(std::move(fila));
  }
  return rows;
}
}  // namespace

struct RecordingProvider::Estado {
  std::vector<Apertura> aperturas;
  std::vector<Ejecucion> ejecuciones;
  std::vector<RespuestaProgramada> respuestas;
  std::vector<FallaProgramada> fallas;
  std::vector<FallaProgramada> fallasDeApertura;
  std::vector<Coincide> pasan;

  // The first matching answer not given yet; once all are given, the last of them.
  ado::RowSet Responde(const std::string& sql) {
    RespuestaProgramada* ultima = nullptr;
    for (RespuestaProgramada& respuesta : respuestas) {
      if (!respuesta.coincide(sql)) continue;
      if (!respuesta.usada) {
        respuesta.usada = true;
        return ComoRowSet(respuesta.resultado);
      }
      ultima = &respuesta;
    }
    return ultima ? ComoRowSet(ultima->resultado) : ComoRowSet({});
  }
};

namespace {
class SesionGrabada : public ado::Session {
 public:
  SesionGrabada(std::shared_ptr<RecordingProvider::Estado> estado, std::size_t apertura)
      : estado_(std::move(estado)), apertura_(apertura) {}
  ~SesionGrabada() override { estado_->aperturas[apertura_].cerrada = true; }

  ado::RowSet Execute(const std::string& sql, long options) override {
    estado_->ejecuciones.push_back({estado_->aperturas[apertura_].cadena, sql, options});
    if (const FallaProgramada* falla = TomaFalla(estado_->fallas, sql)) Lanza(*falla);
    return estado_->Responde(sql);
  }

 private:
  std::shared_ptr<RecordingProvider::Estado> estado_;
  std::size_t apertura_;
};
}  // namespace

Coincide::Coincide(std::string exacto)
    : predicado_([exacto = std::move(exacto)](const std::string& texto) { return texto == exacto; }) {}

Coincide Contiene(std::string parte) {
  return Coincide([parte = std::move(parte)](const std::string& texto) {
    return texto.find(parte) != std::string::npos;
  });
}

Coincide EmpiezaCon(std::string inicio) {
  return Coincide([inicio = std::move(inicio)](const std::string& texto) {
    return texto.rfind(inicio, 0) == 0;
  });
}

RecordingProvider::RecordingProvider() : estado_(std::make_shared<Estado>()) {
  ado::SetProviderOverride([this](const ado::OpenRequest& request) { return Abre(request); });
}

RecordingProvider::~RecordingProvider() { ado::SetProviderOverride({}); }

std::unique_ptr<ado::Session> RecordingProvider::Abre(const ado::OpenRequest& request) {
  for (const Coincide& pasa : estado_->pasan)
    if (pasa(request.connectionString)) return nullptr;
  estado_->aperturas.push_back({request.connectionString, request.userId, request.password,
                                request.connectionTimeout, request.commandTimeout, true});
  if (const FallaProgramada* falla = TomaFalla(estado_->fallasDeApertura, request.connectionString))
    Lanza(*falla);
  estado_->aperturas.back().cerrada = false;
  return std::make_unique<SesionGrabada>(estado_, estado_->aperturas.size() - 1);
}

void RecordingProvider::Responde(Coincide sentencia, Resultado resultado) {
  estado_->respuestas.push_back({std::move(sentencia), std::move(resultado)});
}

void RecordingProvider::Falla(Coincide sentencia, long numero, std::string descripcion, int veces) {
  estado_->fallas.push_back({std::move(sentencia), numero, std::move(descripcion), veces});
}

void RecordingProvider::PierdeConexion(Coincide sentencia) {
  estado_->fallas.push_back({std::move(sentencia), ado::adErrUnspecified,
                             "Lost connection to server during query", kSiempre, "08S01", 2013});
}

void RecordingProvider::FallaApertura(Coincide cadena, long numero, std::string descripcion,
                                      int veces) {
  estado_->fallasDeApertura.push_back({std::move(cadena), numero, std::move(descripcion), veces});
}

void RecordingProvider::DejaPasar(Coincide cadena) { estado_->pasan.push_back(std::move(cadena)); }

const std::vector<Apertura>& RecordingProvider::Aperturas() const { return estado_->aperturas; }

const std::vector<Ejecucion>& RecordingProvider::Ejecuciones() const {
  return estado_->ejecuciones;
}

std::vector<std::string> RecordingProvider::Textos() const {
  std::vector<std::string> textos;
  for (const Ejecucion& e : estado_->ejecuciones) textos.push_back(e.sql);
  return textos;
}

int RecordingProvider::ConexionesAbiertas() const {
  int abiertas = 0;
  for (const Apertura& a : estado_->aperturas) abiertas += a.cerrada ? 0 : 1;
  return abiertas;
}

}  // namespace prueba
