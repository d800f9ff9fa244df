#pragma once
// The user-interface services that routines call outside the forms: message boxes,
// the mouse pointer and the yield to the window system. The program installs the Qt
// implementation; tests install a scripted one.
#include <string>

namespace ui {

enum class Botones { OK, OKCancel, RetryCancel, AbortRetryIgnore, YesNo };
enum class Icono { Ninguno, Informacion, Exclamacion, Critico };
enum class Respuesta { OK, Cancel, Retry, Abort, Ignore, Yes, No };
enum class Puntero { Default, Hourglass };

class Services {
 public:
  virtual ~Services() = default;
  virtual Respuesta MsgBox(const std::string& prompt, Botones botones, Icono icono,
                           const std::string& titulo) = 0;
  virtual void MousePointer(Puntero puntero) = 0;
  virtual Puntero MousePointer() const = 0;
  virtual void DoEvents() = 0;
};

// The installed services; raises a clear error when none is installed.
Services& Actual();
// Installs `services` (not owned); nullptr removes them.
void Instala(Services* services);

inline Respuesta MsgBox(const std::string& prompt, Botones botones = Botones::OK,
                        Icono icono = Icono::Ninguno, const std::string& titulo = {}) {
  return Actual().MsgBox(prompt, botones, icono, titulo);
}
inline void DoEvents() { Actual().DoEvents(); }
inline void MousePointer(Puntero puntero) { Actual().MousePointer(puntero); }

}  // namespace ui
