#pragma once
// A label of a form: its caption, and Refresh, which repaints it at once through the
// view bound to it (a no-op when no view is bound).
#include <functional>
#include <string>

#include "platform/ui/Control.h"

namespace ui {

class Label : public Control {
 public:
  std::string Caption;
  void Refresh() {
    if (alRefrescar) alRefrescar(Caption);
  }
  // Set by the view that shows this label.
  std::function<void(const std::string&)> alRefrescar;
};

}  // namespace ui
