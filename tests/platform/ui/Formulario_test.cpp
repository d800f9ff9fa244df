// The form model: its life (load, modal showing, refusable close), the user's actions
// on its controls, and the locking of its inputs during long work.
#include "platform/ui/Formulario.h"

#include <gtest/gtest.h>

#include "platform/ui/Controles.h"
#include "platform/ui/Label.h"
#include "platform/ui/Usuario.h"
#include "platform/vb/Error.h"

namespace {

namespace usuario = ui::usuario;

class FormaDePrueba : public ui::Formulario {
 public:
  FormaDePrueba() {
    Agrega(marco, "marco");
    Agrega(opcionA, "opt", 0, &marco);
    Agrega(opcionB, "opt", 1, &marco);
    Agrega(suelta, "suelta");
    Agrega(caja, "caja");
    Agrega(casilla, "casilla");
    Agrega(lista, "lista");
    Agrega(boton, "boton");
    Agrega(etiqueta, "etiqueta");
    caja.alCambiar = [this] { cambios.push_back(caja.Text); };
    casilla.alHacerClic = [this] { ++clics; };
    opcionA.alHacerClic = [this] { ++clics; };
    lista.alHacerClic = [this] { ++clics; };
    boton.alHacerClic = [this] { ++clics; };
  }
  void Form_Load() override { ++cargas; }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    modos.push_back(UnloadMode);
    if (rehusa) Cancel = 1;
  }

  ui::Frame marco;
  ui::OptionButton opcionA, opcionB, suelta;
  ui::TextBox caja;
  ui::CheckBox casilla;
  ui::ComboBox lista;
  ui::CommandButton boton;
  ui::Label etiqueta;
  int cargas = 0;
  int clics = 0;
  bool rehusa = false;
  std::vector<std::string> cambios;
  std::vector<int> modos;
};

class PresentadorDePrueba : public ui::Presentador {
 public:
  PresentadorDePrueba() { ui::InstalaPresentador(this); }
  ~PresentadorDePrueba() override { ui::InstalaPresentador(nullptr); }
  void MuestraModal(ui::Formulario& formulario) override {
    ++mostradas;
    if (usuario) usuario(formulario);
  }
  std::function<void(ui::Formulario&)> usuario;
  int mostradas = 0;
};

TEST(Formulario, LoadRunsFormLoadOnceAndUnloadAsksTheForm) {
  FormaDePrueba forma;
  forma.Load();
  forma.Load();
  EXPECT_EQ(forma.cargas, 1);

  forma.rehusa = true;
  EXPECT_FALSE(usuario::CierraVentana(forma));
  EXPECT_TRUE(forma.Cargado());

  forma.rehusa = false;
  bool descargada = false;
  forma.alDescargar = [&] { descargada = true; };
  EXPECT_TRUE(forma.Unload());
  EXPECT_FALSE(forma.Cargado());
  EXPECT_TRUE(descargada);
  EXPECT_EQ(forma.modos, (std::vector<int>{ui::vbFormControlMenu, ui::vbFormCode}));
}

TEST(Formulario, ShowLoadsAndShowsThroughThePresenter) {
  FormaDePrueba forma;
  EXPECT_THROW(forma.Show(ui::vbModal), vb::Error) << "no presenter installed";

  PresentadorDePrueba presentador;
  presentador.usuario = [](ui::Formulario& f) { f.Unload(); };
  forma.Show(ui::vbModal);
  EXPECT_EQ(forma.cargas, 1);
  EXPECT_EQ(presentador.mostradas, 1);
  EXPECT_FALSE(forma.Cargado());
  EXPECT_THROW(forma.Show(ui::vbModeless), vb::Error);
}

TEST(Usuario, ChoosingAnOptionClearsOnlyTheOthersOfItsContainer) {
  FormaDePrueba forma;
  forma.suelta.Value = true;
  usuario::Elige(forma.opcionB);
  usuario::Elige(forma.opcionA);
  EXPECT_TRUE(forma.opcionA.Value);
  EXPECT_FALSE(forma.opcionB.Value);
  EXPECT_TRUE(forma.suelta.Value) << "an option on the form is not in the frame's group";
  EXPECT_EQ(forma.clics, 1);
}

TEST(Usuario, TypingFiresChangeOnlyWhenTheTextChangesAndKeepsTheMaximum) {
  FormaDePrueba forma;
  forma.caja.MaxLength = 4;
  usuario::Escribe(forma.caja, "Año2025");
  usuario::Escribe(forma.caja, "Año2");
  EXPECT_EQ(forma.caja.Text, "Año2") << "four characters, not four bytes";
  EXPECT_EQ(forma.cambios, (std::vector<std::string>{"Año2"}));
}

TEST(Usuario, ChoosingAnItemSetsTheListIndex) {
  FormaDePrueba forma;
  forma.lista.AddItem("uno");
  forma.lista.AddItem("dos");
  usuario::EligeElemento(forma.lista, 1);
  EXPECT_EQ(forma.lista.Text(), "dos");
  EXPECT_THROW(usuario::EligeElemento(forma.lista, 2), vb::Error);
  forma.lista.Clear();
  EXPECT_EQ(forma.lista.ListIndex, -1);
  EXPECT_EQ(forma.lista.Text(), "");
}

TEST(Usuario, ControlsOutOfReachRefuseTheUser) {
  struct Caso {
    const char* que;
    std::function<void(FormaDePrueba&)> prepara;
    std::function<void(FormaDePrueba&)> actua;
  };
  const Caso casos[] = {
      {"hidden button", [](FormaDePrueba& f) { f.boton.Visible = false; },
       [](FormaDePrueba& f) { usuario::HaceClic(f.boton); }},
      {"disabled box", [](FormaDePrueba& f) { f.caja.Enabled = false; },
       [](FormaDePrueba& f) { usuario::Escribe(f.caja, "x"); }},
      {"option in a disabled frame", [](FormaDePrueba& f) { f.marco.Enabled = false; },
       [](FormaDePrueba& f) { usuario::Elige(f.opcionA); }},
      {"option in a hidden frame", [](FormaDePrueba& f) { f.marco.Visible = false; },
       [](FormaDePrueba& f) { usuario::Elige(f.opcionA); }},
      {"disabled check box", [](FormaDePrueba& f) { f.casilla.Enabled = false; },
       [](FormaDePrueba& f) { usuario::Marca(f.casilla, 1); }},
  };
  for (const Caso& caso : casos) {
    FormaDePrueba forma;
    caso.prepara(forma);
    EXPECT_THROW(caso.actua(forma), vb::Error) << caso.que;
    EXPECT_EQ(forma.clics, 0) << caso.que;
    EXPECT_TRUE(forma.cambios.empty()) << caso.que;
  }
}

TEST(Formulario, LockingInputsDisablesThemAndPutsBackTheirOwnStates) {
  FormaDePrueba forma;
  forma.caja.Enabled = false;
  forma.BloqueaEntradas();
  EXPECT_TRUE(forma.EntradasBloqueadas());
  for (ui::Control* control : {static_cast<ui::Control*>(&forma.opcionA), static_cast<ui::Control*>(&forma.boton),
                               static_cast<ui::Control*>(&forma.lista), static_cast<ui::Control*>(&forma.casilla)})
    EXPECT_FALSE(control->Enabled) << control->NombreCompleto();
  EXPECT_TRUE(forma.etiqueta.Enabled) << "labels show progress and stay as they are";
  EXPECT_TRUE(forma.marco.Enabled);

  forma.BloqueaEntradas();  // a second lock keeps the first states
  forma.DesbloqueaEntradas();
  EXPECT_FALSE(forma.EntradasBloqueadas());
  EXPECT_TRUE(forma.boton.Enabled);
  EXPECT_TRUE(forma.opcionA.Enabled);
  EXPECT_FALSE(forma.caja.Enabled) << "a box disabled before the lock stays disabled";
}

}  // namespace
