#include "updater/frmDirectorios.h"

#include <filesystem>
#include <string>
#include <vector>

#include "frame/modPrincipal.h"
#include "platform/vb/Error.h"
#include "platform/win/Sistema.h"

namespace {

// Where the picker may open, best first: the stored folder and the folders above it
// (it may have gone since), then the program's current folder, then the root.
std::vector<std::string> CarpetasIniciales(const std::string& guardada) {
  std::vector<std::string> carpetas;
  if (!guardada.empty()) {
    for (std::filesystem::path carpeta = win::RutaLocal(guardada); !carpeta.empty();
         carpeta = carpeta.parent_path()) {
      carpetas.push_back(carpeta.string());
      if (carpeta == carpeta.parent_path()) break;
    }
  }
  std::error_code ec;
  carpetas.push_back(std::filesystem::current_path(ec).string());
  carpetas.push_back("/");
  return carpetas;
}

}  // namespace

frmDirectorios::frmDirectorios() {
  Caption = "Directorio de Datos";
  ScaleWidth = ui::Twips(520);
  ScaleHeight = ui::Twips(380);
  Agrega(drvLista, "drvLista");
  drvLista.Move(ui::Twips(12), ui::Twips(12), ui::Twips(360), ui::Twips(30));
  drvLista.TabIndex = 1;
  Agrega(dirLista, "dirLista");
  dirLista.Move(ui::Twips(12), ui::Twips(50), ui::Twips(360), ui::Twips(318));
  dirLista.TabIndex = 0;
  Agrega(cmdAcepta, "cmdAcepta");
  cmdAcepta.Caption = "&Aceptar";
  cmdAcepta.Move(ui::Twips(388), ui::Twips(12), ui::Twips(120), ui::Twips(34));
  cmdAcepta.TabIndex = 2;
  Agrega(cmdCancel, "cmdCancel");
  cmdCancel.Caption = "&Cancelar";
  cmdCancel.Move(ui::Twips(388), ui::Twips(54), ui::Twips(120), ui::Twips(34));
  cmdCancel.TabIndex = 3;
  cmdCancel.Cancel = true;

  drvLista.alCambiar = [this] { drvLista_Change(); };
  cmdAcepta.alHacerClic = [this] { cmdAcepta_Click(); };
  cmdCancel.alHacerClic = [this] { cmdCancel_Click(); };
}

void frmDirectorios::Form_Load() {
  for (const std::string& carpeta : CarpetasIniciales(gDirElegido)) {
    try {
      dirLista.Path(carpeta);
      break;
    } catch (const vb::Error&) {
      // Gone or unreadable: try the next one.
    }
  }
  drvLista.Drive = ui::UnidadDe(dirLista.Path(), drvLista.List);
}

void frmDirectorios::drvLista_Change() {
  try {
    dirLista.Path(drvLista.Drive);
  } catch (const vb::Error&) {
    // A drive that cannot be read leaves the folder list where it was.
  }
  drvLista.Refresh();
}

void frmDirectorios::cmdAcepta_Click() {
  gDirElegido = dirLista.Path();
  Unload();
}

void frmDirectorios::cmdCancel_Click() { Unload(); }

void frmDirectorios::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {
  // Nothing to release: every showing builds the picker afresh, and closing by the
  // close box leaves the stored folder as it was, like cancelling.
}
