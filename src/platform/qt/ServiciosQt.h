#pragma once
// The user-interface services on Qt: message boxes (QMessageBox), the hourglass pointer,
// DoEvents (the open views are brought up to date, then Qt's pending events run) and
// the modal showing of forms through their views. A QApplication must exist.
#include "platform/ui/Formulario.h"
#include "platform/ui/Services.h"

namespace qtviews {

class ServiciosQt : public ui::Services, public ui::Presentador {
 public:
  ServiciosQt();  // installs itself as the services and the presenter
  ~ServiciosQt() override;
  ServiciosQt(const ServiciosQt&) = delete;
  ServiciosQt& operator=(const ServiciosQt&) = delete;

  ui::Respuesta MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                       const std::string& titulo) override;
  void MousePointer(ui::Puntero puntero) override;
  ui::Puntero MousePointer() const override { return puntero_; }
  void DoEvents() override;
  void MuestraModal(ui::Formulario& formulario) override;

 private:
  ui::Puntero puntero_ = ui::Puntero::Default;
};

}  // namespace qtviews
