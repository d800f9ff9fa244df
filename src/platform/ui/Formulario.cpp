#include "platform/ui/Formulario.h"

#include "platform/ui/Controles.h"
#include "platform/ui/Label.h"
#include "platform/vb/Error.h"

namespace ui {

namespace {
Presentador* presentadorInstalado = nullptr;

bool EsEntrada(const Control* control) {
  return dynamic_cast<const Label*>(control) == nullptr &&
         dynamic_cast<const Frame*>(control) == nullptr;
}
}  // namespace

void InstalaPresentador(Presentador* presentador) { presentadorInstalado = presentador; }

void Formulario::Agrega(Control& control, std::string nombre, int indice, Control* contenedor) {
  control.Name = std::move(nombre);
  control.Index = indice;
  control.Parent = this;
  control.Container = dynamic_cast<Frame*>(contenedor);
  if (contenedor && !control.Container)
    vb::Raise(vb::err::InvalidProcedureCall, control.NombreCompleto() + ": a container must be a frame");
  controles_.push_back(&control);
}

void Formulario::Load() {
  if (cargado_) return;
  cargado_ = true;
  Form_Load();
}

void Formulario::Show(int modo) {
  if (modo != vbModal)
    vb::Raise(vb::err::InvalidProcedureCall, "Forms are shown modally only");
  if (!presentadorInstalado)
    vb::Raise(vb::err::ObjectRequired, "No presenter is installed to show the form \"" + Caption + "\"");
  Load();
  if (cargado_) presentadorInstalado->MuestraModal(*this);
}

bool Formulario::Unload(int modo) {
  if (!cargado_) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, modo);
  if (cancel != 0) return false;
  cargado_ = false;
  if (alDescargar) alDescargar();
  return true;
}

void Formulario::Refresh() {
  if (alRefrescar) alRefrescar();
}

void Formulario::BloqueaEntradas() {
  if (bloqueadas_) return;
  bloqueadas_ = true;
  for (Control* control : controles_) {
    if (!EsEntrada(control)) continue;
    enabledGuardado_[control] = control->Enabled;
    control->Enabled = false;
  }
}

void Formulario::DesbloqueaEntradas() {
  for (auto& [control, enabled] : enabledGuardado_) control->Enabled = enabled;
  enabledGuardado_.clear();
  bloqueadas_ = false;
}

}  // namespace ui
