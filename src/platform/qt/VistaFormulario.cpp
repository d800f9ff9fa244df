#include "platform/qt/VistaFormulario.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "platform/qt/Aspecto.h"
#include "platform/ui/Controles.h"
#include "platform/ui/Services.h"
#include "platform/ui/Usuario.h"
#include "platform/vb/Error.h"

namespace qtviews {

namespace {

std::vector<VistaFormulario*>& Registro() {
  static std::vector<VistaFormulario*> vistas;
  return vistas;
}

// An error that escaped an event: shown, and the program goes on.
void MuestraErrorDeEvento(long numero, const std::string& descripcion) {
  ui::MsgBox(std::string("Ocurrió un error:") + "\r\n" + descripcion, ui::Botones::OK,
             ui::Icono::Exclamacion, "Error " + std::to_string(numero));
}

}  // namespace

const std::vector<VistaFormulario*>& VistaFormulario::Abiertas() { return Registro(); }

void VistaFormulario::SincronizaAbiertas() {
  for (VistaFormulario* vista : Registro()) vista->Sincroniza();
}

VistaFormulario::VistaFormulario(ui::Formulario& formulario, QWidget* padre)
    : QDialog(padre), formulario_(formulario) {
  setFont(FuenteDeFormulario(formulario_.FontName, formulario_.FontSize));
  setFixedSize(Pixeles(formulario_.ScaleWidth), Pixeles(formulario_.ScaleHeight));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  CreaControles();
  OrdenaTabulacion();
  formulario_.alRefrescar = [this] {
    Sincroniza();
    repaint();
  };
  formulario_.alDescargar = [this] { done(QDialog::Accepted); };
  Sincroniza();
  NombraCamposPorSuEtiqueta();
  Registro().push_back(this);
}

VistaFormulario::~VistaFormulario() {
  std::erase(Registro(), this);
  formulario_.alRefrescar = nullptr;
  formulario_.alDescargar = nullptr;
  enlaces_.clear();  // the bindings unhook the labels before the widgets go
}

void VistaFormulario::CreaControles() {
  const Despachador despachador = [this](const std::function<void()>& accion) { Despacha(accion); };
  for (ui::Control* control : formulario_.Controles()) {
    QWidget* padre = this;
    if (control->Container) {
      const auto contenedor = porControl_.find(control->Container);
      if (contenedor == porControl_.end())
        vb::Raise(vb::err::InvalidProcedureCall,
                  control->NombreCompleto() + " is registered before its frame");
      padre = contenedor->second->Widget();
    }
    enlaces_.push_back(CreaEnlace(*control, padre, despachador));
    porControl_[control] = enlaces_.back().get();
  }
}

void VistaFormulario::OrdenaTabulacion() {
  std::vector<Enlace*> enfocables;
  for (const auto& enlace : enlaces_)
    if (enlace->TomaFoco() && enlace->Control().TabStop) enfocables.push_back(enlace.get());
  std::stable_sort(enfocables.begin(), enfocables.end(), [](const Enlace* a, const Enlace* b) {
    return a->Control().TabIndex < b->Control().TabIndex;
  });
  for (Enlace* enlace : enfocables) ordenDeTabulacion_.push_back(enlace->Widget());
  for (std::size_t i = 1; i < ordenDeTabulacion_.size(); ++i)
    QWidget::setTabOrder(ordenDeTabulacion_[i - 1], ordenDeTabulacion_[i]);
}

// A text or list box is named, for screen readers and for the label's shortcut, by the
// label just left of it on the same row of the same frame.
void VistaFormulario::NombraCamposPorSuEtiqueta() {
  for (QLabel* etiqueta : findChildren<QLabel*>()) {
    const QRect e = etiqueta->geometry();
    QWidget* campo = nullptr;
    for (QWidget* otro : etiqueta->parentWidget()->findChildren<QWidget*>(
             QString(), Qt::FindDirectChildrenOnly)) {
      if (!qobject_cast<QLineEdit*>(otro) && !qobject_cast<QComboBox*>(otro)) continue;
      const QRect o = otro->geometry();
      const bool mismaFila = o.top() < e.bottom() && e.top() < o.bottom();
      if (mismaFila && o.left() >= e.right() - 4 && (!campo || o.left() < campo->x())) campo = otro;
    }
    if (!campo || etiqueta->text().isEmpty()) continue;
    etiqueta->setBuddy(campo);
    campo->setAccessibleName(etiqueta->text().trimmed());
  }
}

void VistaFormulario::Sincroniza() {
  const QString titulo = TextoParaMostrar(formulario_.Caption);
  if (windowTitle() != titulo) setWindowTitle(titulo);
  if (formulario_.BackColor) {
    QPalette paleta = palette();
    if (paleta.color(QPalette::Window) != ColorDe(*formulario_.BackColor)) {
      paleta.setColor(QPalette::Window, ColorDe(*formulario_.BackColor));
      setPalette(paleta);
      setAutoFillBackground(true);
    }
  }
  for (const auto& enlace : enlaces_) enlace->Sincroniza();
}

QWidget* VistaFormulario::Widget(const ui::Control& control) const {
  const auto encontrado = porControl_.find(&control);
  return encontrado == porControl_.end() ? nullptr : encontrado->second->Widget();
}

void VistaFormulario::Despacha(const std::function<void()>& accion) {
  try {
    accion();
  } catch (const vb::Error& error) {
    MuestraErrorDeEvento(error.Number(), error.Description());
  } catch (const std::exception& error) {
    MuestraErrorDeEvento(0, error.what());
  }
  Sincroniza();
}

void VistaFormulario::closeEvent(QCloseEvent* evento) {
  if (!formulario_.Cargado()) return evento->accept();
  bool cerrada = false;
  Despacha([&] { cerrada = ui::usuario::CierraVentana(formulario_); });
  if (cerrada) evento->accept();
  else evento->ignore();
}

void VistaFormulario::reject() {
  if (!formulario_.Cargado()) return QDialog::reject();
  Despacha([&] { ui::usuario::CierraVentana(formulario_); });
}

void VistaFormulario::keyPressEvent(QKeyEvent* evento) {
  if (!evento->matches(QKeySequence::Cancel)) return QDialog::keyPressEvent(evento);
  for (ui::Control* control : formulario_.Controles()) {
    auto* boton = dynamic_cast<ui::CommandButton*>(control);
    if (!boton || !boton->Cancel || !ui::usuario::Alcanzable(*boton)) continue;
    Despacha([&] { ui::usuario::HaceClic(*boton); });
    break;
  }
  evento->accept();
}

void VistaFormulario::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  // The focus starts on the first control of the tab order that can take it.
  for (QWidget* widget : ordenDeTabulacion_) {
    if (widget->isVisibleTo(this) && widget->isEnabled()) {
      widget->setFocus(Qt::TabFocusReason);
      break;
    }
  }
}

}  // namespace qtviews
