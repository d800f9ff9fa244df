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

  // The views that exist now, oldest first.
  static const std::vector<VistaFormulario*>& Abiertas();
  // Brings every open view up to date (DoEvents, and before a message box opens).
  static void SincronizaAbiertas();

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void reject() override;  // the same as the close box
  // Escape presses the form's cancel button, if it has one; it never closes a form itself.
  void keyPressEvent(QKeyEvent* evento) override;
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
