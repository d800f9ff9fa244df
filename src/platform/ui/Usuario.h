#pragma once
// What the user does to a form's controls, as the view reports it: each action sets
// what the user changed and fires the control's event. Tests drive forms the same way.
// Acting on a control that the user cannot reach (hidden or disabled, itself or its
// frame) raises an error, since no user could do it.
#include <string>

#include "platform/ui/Controles.h"
#include "platform/ui/Formulario.h"
#include "platform/ui/ListasDeArchivos.h"

namespace ui::usuario {

// True when the control and every frame around it are visible and enabled.
bool Alcanzable(const Control& control);

void HaceClic(CommandButton& boton);
void Marca(CheckBox& casilla, int valor);
// Chooses the option and clears the others of its container.
void Elige(OptionButton& opcion);
void Escribe(TextBox& caja, const std::string& texto);
void EligeElemento(ComboBox& lista, int indice);
void EligeUnidad(DriveListBox& unidades, const std::string& unidad);
// Opens a folder of the folder list (raises as DirListBox::Path does).
void AbreCarpeta(DirListBox& carpetas, const std::string& carpeta);
// The window's close box; false when the form refused to close.
bool CierraVentana(Formulario& formulario);

}  // namespace ui::usuario
