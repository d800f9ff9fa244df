#pragma once
// The controls of the forms beside the label: text box, check box, option button,
// command button, drop-down list and frame. Events are hooks that the form sets to its
// handlers; the view (or a test, through Usuario.h) fires them as the user acts.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Control.h"

namespace ui {

class TextBox : public Control {
 public:
  std::string Text;
  int MaxLength = 0;       // 0: no limit
  char PasswordChar = 0;   // 0: the text shows as typed
  std::function<void()> alCambiar;
};

class CheckBox : public Control {
 public:
  std::string Caption;
  int Value = 0;  // 0 unticked, 1 ticked
  std::function<void()> alHacerClic;
};

// Option buttons of the same container form one group: choosing one clears the others.
class OptionButton : public Control {
 public:
  std::string Caption;
  bool Value = false;
  std::function<void()> alHacerClic;
};

class CommandButton : public Control {
 public:
  std::string Caption;
  std::string Picture;  // name of the picture of a picture button; empty for text buttons
  bool Cancel = false;  // Escape presses this button
  std::function<void()> alHacerClic;
};

// A drop-down list from which the user can only choose.
class ComboBox : public Control {
 public:
  std::vector<std::string> List;
  int ListIndex = -1;  // -1: nothing chosen

  void AddItem(const std::string& item) { List.push_back(item); }
  void Clear() {
    List.clear();
    ListIndex = -1;
  }
  int ListCount() const { return static_cast<int>(List.size()); }
  // The chosen item, or "" when nothing is chosen.
  std::string Text() const {
    return ListIndex >= 0 && ListIndex < ListCount() ? List[ListIndex] : std::string();
  }
  std::function<void()> alHacerClic;
};

// A frame groups controls; hiding or disabling it hides or disables what it holds.
class Frame : public Control {
 public:
  std::string Caption;  // empty: a frame without caption
};

}  // namespace ui
