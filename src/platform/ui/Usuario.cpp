#include "platform/ui/Usuario.h"

#include "platform/vb/Error.h"

namespace ui::usuario {

namespace {

void ExigeAlcanzable(const Control& control) {
  if (!Alcanzable(control))
    vb::Raise(vb::err::InvalidProcedureCall,
              "The control " + control.NombreCompleto() + " is hidden or disabled");
}

void Dispara(const std::function<void()>& evento) {
  if (evento) evento();
}

// The first `maximo` characters of a UTF-8 text.
std::string Recorta(const std::string& texto, long maximo) {
  long caracteres = 0;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const bool iniciaCaracter = (static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80;
    if (iniciaCaracter && caracteres++ == maximo) return texto.substr(0, i);
  }
  return texto;
}

}  // namespace

bool Alcanzable(const Control& control) {
  for (const Control* c = &control; c; c = c->Container)
    if (!c->Visible || !c->Enabled) return false;
  return true;
}

void HaceClic(CommandButton& boton) {
  ExigeAlcanzable(boton);
  Dispara(boton.alHacerClic);
}

void Marca(CheckBox& casilla, int valor) {
  ExigeAlcanzable(casilla);
  casilla.Value = valor;
  Dispara(casilla.alHacerClic);
}

void Elige(OptionButton& opcion) {
  ExigeAlcanzable(opcion);
  if (opcion.Parent) {
    for (Control* control : opcion.Parent->Controles()) {
      auto* otra = dynamic_cast<OptionButton*>(control);
      if (otra && otra->Container == opcion.Container) otra->Value = false;
    }
  }
  opcion.Value = true;
  Dispara(opcion.alHacerClic);
}

void Escribe(TextBox& caja, const std::string& texto) {
  ExigeAlcanzable(caja);
  const std::string escrito = caja.MaxLength > 0 ? Recorta(texto, caja.MaxLength) : texto;
  if (escrito == caja.Text) return;
  caja.Text = escrito;
  Dispara(caja.alCambiar);
}

void EligeElemento(ComboBox& lista, int indice) {
  ExigeAlcanzable(lista);
  if (indice < 0 || indice >= lista.ListCount())
    vb::Raise(vb::err::InvalidProcedureCall, "No item " + std::to_string(indice) + " in " + lista.NombreCompleto());
  lista.ListIndex = indice;
  Dispara(lista.alHacerClic);
}

void EligeUnidad(DriveListBox& unidades, const std::string& unidad) {
  ExigeAlcanzable(unidades);
  unidades.Drive = unidad;
  Dispara(unidades.alCambiar);
}

void AbreCarpeta(DirListBox& carpetas, const std::string& carpeta) {
  ExigeAlcanzable(carpetas);
  carpetas.Path(carpeta);
  Dispara(carpetas.alCambiar);
}

bool CierraVentana(Formulario& formulario) { return formulario.Unload(vbFormControlMenu); }

}  // namespace ui::usuario
