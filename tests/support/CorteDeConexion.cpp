#include "support/CorteDeConexion.h"

#include "platform/ado/OdbcSession.h"
#include "platform/ado/Provider.h"
#include "platform/vb/Text.h"

namespace prueba {

struct CorteDeConexion::Estado {
  long desde = 0;
  std::function<void()> alCortar;
  std::vector<std::string> enviadas;
  bool cortada = false;

  // True when `sql` must fail as on a lost connection.
  bool Cuenta(const std::string& sql) {
    if (cortada) return !alCortar;
    if (desde > 0 && static_cast<long>(enviadas.size()) + 1 >= desde) {
      cortada = true;
      if (alCortar) alCortar();
      return !alCortar;
    }
    enviadas.push_back(sql);
    return false;
  }
};

namespace {

// What MariaDB's driver reports when the server goes away during a statement, and when
// it cannot be reached at all.
[[noreturn]] void ConexionPerdida() {
  throw ado::ProviderError({{ado::adErrUnspecified, "Lost connection to server during query",
                             ado::kOrigenOdbc, "08S01", 2013}});
}

[[noreturn]] void ServidorInalcanzable() {
  throw ado::ProviderError({{ado::adErrUnspecified, "Can't connect to server on '127.0.0.1'",
                             ado::kOrigenOdbc, "HY000", 2002}});
}

class SesionQueSeCorta : public ado::Session {
 public:
  SesionQueSeCorta(std::unique_ptr<ado::Session> real,
                   std::shared_ptr<CorteDeConexion::Estado> estado)
      : real_(std::move(real)), estado_(std::move(estado)) {}

  ado::RowSet Execute(const std::string& sql, long options) override {
    if (estado_->Cuenta(sql)) ConexionPerdida();
    return real_->Execute(sql, options);
  }
  std::vector<std::string> Tablas() override {
    if (estado_->cortada && !estado_->alCortar) ConexionPerdida();
    return real_->Tablas();
  }

 private:
  std::unique_ptr<ado::Session> real_;
  std::shared_ptr<CorteDeConexion::Estado> estado_;
};

bool EsCatalogoJet(const std::string& cadena) {
  return vb::InStr(vb::LCase(cadena), "microsoft.jet.oledb") > 0;
}

}  // namespace

CorteDeConexion::CorteDeConexion(long desde, std::function<void()> alCortar)
    : estado_(std::make_shared<Estado>()) {
  estado_->desde = desde;
  estado_->alCortar = std::move(alCortar);
  ado::SetProviderOverride(
      [estado = estado_](const ado::OpenRequest& request) -> std::unique_ptr<ado::Session> {
        if (EsCatalogoJet(request.connectionString)) return nullptr;
        if (estado->cortada && !estado->alCortar) ServidorInalcanzable();
        return std::make_unique<SesionQueSeCorta>(ado::OpenOdbcSession(request), estado);
      });
}

CorteDeConexion::~CorteDeConexion() { ado::SetProviderOverride({}); }

const std::vector<std::string>& CorteDeConexion::Enviadas() const { return estado_->enviadas; }

bool CorteDeConexion::Cortada() const { return estado_->cortada; }

}  // namespace prueba
