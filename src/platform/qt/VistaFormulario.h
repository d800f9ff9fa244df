#pragma once
// The Qt view of a form: a dialog whose widgets are built from the form's registered
// controls and kept in step with them. User actions go to the form's events; the
// form's Refresh and its labels' Refresh repaint at once; closing the window asks the
// form, which may refuse.
#include <QDialog>
#include <map>
#include <memory>
#include <vector>

#include "platform/qt/Enlaces.h"
#include "platform/ui/Formulario.h"

namespace qtviews {

class VistaFormulario : public QDialog {
 public:
  explicit VistaFormulario(ui::Formulario& formulario, QWidget* padre = nullptr);
  ~VistaFormulario() override;

  // Copies the form's state onto the window and every widget.
  void Sincroniza();
  // The widget of a control of the form.
  QWidget* Widget(const ui::Control& control) const;
  ui::Formulario& Formulario() const { return formulario_; }

  // The views that exist now, oldest first (DoEvents brings them up to date).
  static const std::vector<VistaFormulario*>& Abiertas();

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void reject() override;  // Esc: the same as the close box
  void showEvent(QShowEvent* evento) override;

 private:
  void CreaControles();
  void OrdenaTabulacion();
  void NombraCamposPorSuEtiqueta();
  void Despacha(const std::function<void()>& accion);

  ui::Formulario& formulario_;
  std::vector<std::unique_ptr<Enlace>> enlaces_;
  std::map<const ui::Control*, Enlace*> porControl_;
  std::vector<QWidget*> ordenDeTabulacion_;
};

}  // namespace qtviews
