#pragma once
// A form: its caption, colour, font and size, the controls it registers, and its life
// (load, modal showing, the close request that it may refuse, unload). A presenter
// installed by the program (the Qt views) or by a test shows forms modally.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Control.h"

namespace ui {

enum ModoDeMostrar { vbModeless = 0, vbModal = 1 };
// Who asks a form to close: the window's close box, or the form's own code.
enum ModoDeDescarga { vbFormControlMenu = 0, vbFormCode = 1 };

class Formulario {
 public:
  Formulario() = default;
  Formulario(const Formulario&) = delete;
  Formulario& operator=(const Formulario&) = delete;
  virtual ~Formulario() = default;

  std::string Caption;
  std::optional<Color> BackColor;
  std::string FontName = "Calibri";
  double FontSize = 12;
  long ScaleWidth = 0;   // client area, twips
  long ScaleHeight = 0;

  // Events.
  virtual void Form_Load() {}
  // Setting Cancel to a value other than 0 refuses the close.
  virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {
    (void)Cancel;
    (void)UnloadMode;
  }

  // Loads the form (its Form_Load runs) unless it is loaded already.
  void Load();
  bool Cargado() const { return cargado_; }
  // Loads the form and shows it modally through the installed presenter; returns when
  // the form has been unloaded. Only modal showing exists.
  void Show(int modo = vbModal);
  // Asks the form to close; false when Form_QueryUnload refused.
  bool Unload(int modo = vbFormCode);
  // Repaints the form at once through its view (a no-op without one).
  void Refresh();

  // The registered controls, in registration order.
  const std::vector<Control*>& Controles() const { return controles_; }

  // Disables every input control (all but labels and frames) and keeps their states;
  // DesbloqueaEntradas puts the kept states back. Used while long work runs.
  void BloqueaEntradas();
  void DesbloqueaEntradas();
  bool EntradasBloqueadas() const { return bloqueadas_; }

  // Set by the view that shows the form.
  std::function<void()> alRefrescar;
  std::function<void()> alDescargar;

 protected:
  // Registers a control of the form; `contenedor` is the frame that holds it.
  void Agrega(Control& control, std::string nombre, int indice = -1, Control* contenedor = nullptr);

 private:
  std::vector<Control*> controles_;
  std::map<Control*, bool> enabledGuardado_;
  bool cargado_ = false;
  bool bloqueadas_ = false;
};

// Shows forms modally: the program installs the Qt presenter, tests a scripted one.
class Presentador {
 public:
  virtual ~Presentador() = default;
  virtual void MuestraModal(Formulario& formulario) = 0;
};

// Installs `presentador` (not owned); nullptr removes it.
void InstalaPresentador(Presentador* presentador);

}  // namespace ui
