#pragma once
// The folder picker: a drive list and a folder list. It opens at the folder last
// accepted in this process (gDirElegido) and stores there the folder that the user
// accepts; cancelling or closing leaves it unchanged.
#include "platform/ui/Controles.h"
#include "platform/ui/Formulario.h"
#include "platform/ui/ListasDeArchivos.h"

class frmDirectorios : public ui::Formulario {
 public:
  frmDirectorios();

  ui::DriveListBox drvLista;
  ui::DirListBox dirLista;
  ui::CommandButton cmdAcepta;
  ui::CommandButton cmdCancel;

  void Form_Load() override;
  void drvLista_Change();
  void cmdAcepta_Click();
  void cmdCancel_Click();
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
};
