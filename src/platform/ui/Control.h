#pragma once
// What every control of a form has: its place in the form's design (twips, relative to
// its container), the common properties that the forms' code reads and sets, and the
// form and frame it belongs to. A view renders controls; it never owns them.
#include <cstdint>
#include <optional>
#include <string>

namespace ui {

// A colour as the forms write it: &H00BBGGRR.
using Color = std::uint32_t;

// Forms are designed in pixels at 96 dpi and kept in twips (1440 per inch).
constexpr long kTwipsPorPixel = 15;
constexpr long Twips(long pixeles) { return pixeles * kTwipsPorPixel; }

class Formulario;
class Frame;

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  std::string Name;
  int Index = -1;  // position in its control array; -1 when not in one
  long Left = 0;
  long Top = 0;
  long Width = 0;
  long Height = 0;
  bool Visible = true;
  bool Enabled = true;
  std::string Tag;
  std::string ToolTipText;
  std::optional<Color> BackColor;  // empty: the control keeps its own colour
  int TabIndex = 0;
  bool TabStop = true;

  Formulario* Parent = nullptr;  // set when the form registers the control
  Frame* Container = nullptr;    // nullptr: placed on the form itself

  void Move(long left, long top, long width, long height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
  }
  // "optTipoBD(1)" for a member of a control array, else the name.
  std::string NombreCompleto() const {
    return Index < 0 ? Name : Name + "(" + std::to_string(Index) + ")";
  }
};

}  // namespace ui
