#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace prueba {

ScriptedUi::ScriptedUi() { ui::Instala(this); }

ScriptedUi::~ScriptedUi() {
  ui::Instala(nullptr);
  EXPECT_TRUE(respuestas_.empty()) << respuestas_.size() << " scripted answer(s) never used";
}

ui::Respuesta ScriptedUi::MsgBox(const std::string& prompt, ui::Botones botones, ui::Icono icono,
                                 const std::string& titulo) {
  cajas.push_back({prompt, botones, icono, titulo});
  if (!respuestas_.empty()) {
    const ui::Respuesta r = respuestas_.front();
    respuestas_.pop_front();
    return r;
  }
  ADD_FAILURE() << "unexpected message box \"" << prompt << "\" (" << titulo << ")";
  return ui::Respuesta::Cancel;
}

ui::Respuesta UiQueAcepta::MsgBox(const std::string& prompt, ui::Botones botones,
                                 ui::Icono icono, const std::string& titulo) {
  cajas.push_back({prompt, botones, icono, titulo});
  return botones == ui::Botones::RetryCancel ? ui::Respuesta::Cancel : ui::Respuesta::OK;
}

}  // namespace prueba
