#pragma once
// User-interface services for tests: message boxes are answered from a script and
// recorded; a box that the script does not expect fails the test.
#include <deque>
#include <string>
#include <vector>

#include "platform/ui/Services.h"

namespace prueba {

struct Caja {
  std::string prompt;
  ui::Botones botones;
  ui::Icono icono;
  std::string titulo;
};

class ScriptedUi : public ui::Services {
 public:
  ScriptedUi();  // installs itself
  ~ScriptedUi() override;

  // Answers the next box with `respuesta`.
  void Responde(ui::Respuesta respuesta) { respuestas_.push_back(respuesta); }

  ui::Respuesta MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                       const std::string& titulo) override;
  void MousePointer(ui::Puntero puntero) override { puntero_ = puntero; }
  ui::Puntero MousePointer() const override { return puntero_; }
  void DoEvents() override { ++yields; }

  std::vector<Caja> cajas;  // every box shown, in order
  int yields = 0;

 private:
  std::deque<ui::Respuesta> respuestas_;
  ui::Puntero puntero_ = ui::Puntero::Default;
};

// Accepts every box without a script, as a user who reads and goes on, so that a run
// shows whatever it has to say and the test reads it in `cajas`: OK to plain boxes,
// Cancel to the synchronisation's Retry/Cancel.
class UiQueAcepta : public ScriptedUi {
 public:
  ui::Respuesta MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                       const std::string& titulo) override;
};

}  // namespace prueba
