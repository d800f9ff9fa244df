#pragma once
// One binding per control of a form: it creates the control's widget, copies the
// model's state onto it (Sincroniza) and turns what the user does into the model's
// user actions (ui/Usuario.h), run through the view's dispatcher.
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/ui/Control.h"

namespace qtviews {

// Runs a user action, reports an error that escapes it, and brings the view up to date.
using Despachador = std::function<void(const std::function<void()>&)>;

class Enlace {
 public:
  virtual ~Enlace() = default;
  virtual QWidget* Widget() const = 0;
  virtual const ui::Control& Control() const = 0;
  // Copies the model's state onto the widget; widgets the user is editing are left
  // alone where they already agree with the model.
  virtual void Sincroniza() = 0;
  // True for controls that take the focus (not labels and frames).
  virtual bool TomaFoco() const { return true; }
};

// The binding of `control`, its widget created as a child of `padre`.
std::unique_ptr<Enlace> CreaEnlace(ui::Control& control, QWidget* padre, Despachador despachador);

}  // namespace qtviews
