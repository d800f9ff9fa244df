#include "platform/qt/Enlaces.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeView>
#include <optional>

#include "platform/qt/Aspecto.h"
#include "platform/ui/Controles.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListasDeArchivos.h"
#include "platform/ui/Usuario.h"
#include "platform/vb/Error.h"

namespace qtviews {

namespace {

QStringList Elementos(const std::vector<std::string>& lista) {
  QStringList elementos;
  for (const std::string& elemento : lista) elementos << QString::fromStdString(elemento);
  return elementos;
}

void LlenaLista(QComboBox& combo, const std::vector<std::string>& lista) {
  const QStringList elementos = Elementos(lista);
  QStringList actuales;
  for (int i = 0; i < combo.count(); ++i) actuales << combo.itemText(i);
  if (actuales == elementos) return;
  combo.clear();
  combo.addItems(elementos);
}

template <class C, class W>
class EnlaceDe : public Enlace {
 public:
  EnlaceDe(C& control, QWidget* padre, Despachador despachador)
      : control_(control), widget_(new W(padre)), despacha_(std::move(despachador)) {
    widget_->setObjectName(QString::fromStdString(control.NombreCompleto()));
  }
  QWidget* Widget() const override { return widget_; }
  const ui::Control& Control() const override { return control_; }

 protected:
  // Geometry, visibility, enabled state, tool tip and background colour.
  void SincronizaComun() {
    const QRect lugar(Pixeles(control_.Left), Pixeles(control_.Top), Pixeles(control_.Width),
                      Pixeles(control_.Height));
    if (widget_->geometry() != lugar) widget_->setGeometry(lugar);
    if (widget_->isHidden() == control_.Visible) widget_->setVisible(control_.Visible);
    if (widget_->isEnabledTo(widget_->parentWidget()) != control_.Enabled)
      widget_->setEnabled(control_.Enabled);
    const QString ayuda = TextoParaMostrar(control_.ToolTipText);
    if (widget_->toolTip() != ayuda) widget_->setToolTip(ayuda);
    if (control_.BackColor != fondoAplicado_) {
      fondoAplicado_ = control_.BackColor;
      QPalette paleta = widget_->palette();
      if (fondoAplicado_) paleta.setColor(widget_->backgroundRole(), ColorDe(*fondoAplicado_));
      widget_->setPalette(paleta);
      widget_->setAutoFillBackground(fondoAplicado_.has_value());
    }
  }
  // Runs what the user did through the view's dispatcher.
  void Despacha(const std::function<void()>& accion) { despacha_(accion); }

  C& control_;
  W* widget_;

 private:
  Despachador despacha_;
  std::optional<ui::Color> fondoAplicado_;
};

class EnlaceLabel : public EnlaceDe<ui::Label, QLabel> {
 public:
  EnlaceLabel(ui::Label& label, QWidget* padre, Despachador d) : EnlaceDe(label, padre, std::move(d)) {
    widget_->setTextFormat(Qt::PlainText);
    widget_->setWordWrap(true);
    widget_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control_.alRefrescar = [this](const std::string& caption) {
      Muestra(caption);
      widget_->repaint();
    };
  }
  ~EnlaceLabel() override { control_.alRefrescar = nullptr; }
  void Sincroniza() override {
    SincronizaComun();
    Muestra(control_.Caption);
  }
  bool TomaFoco() const override { return false; }

 private:
  void Muestra(const std::string& caption) {
    const QString texto = TextoParaMostrar(caption);
    if (widget_->text() != texto) widget_->setText(texto);
  }
};

class EnlaceTextBox : public EnlaceDe<ui::TextBox, QLineEdit> {
 public:
  EnlaceTextBox(ui::TextBox& caja, QWidget* padre, Despachador d) : EnlaceDe(caja, padre, std::move(d)) {
    QObject::connect(widget_, &QLineEdit::textEdited, widget_, [this](const QString& texto) {
      Despacha([&] { ui::usuario::Escribe(control_, texto.toStdString()); });
    });
  }
  void Sincroniza() override {
    SincronizaComun();
    const int maximo = control_.MaxLength > 0 ? control_.MaxLength : 32767;
    if (widget_->maxLength() != maximo) widget_->setMaxLength(maximo);
    const auto eco = control_.PasswordChar ? QLineEdit::Password : QLineEdit::Normal;
    if (widget_->echoMode() != eco) {
      widget_->setEchoMode(eco);
      widget_->setStyleSheet(control_.PasswordChar
          ? QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(int(control_.PasswordChar))
          : QString());
    }
    const QString texto = QString::fromStdString(control_.Text);
    if (widget_->text() != texto) widget_->setText(texto);
  }
};

class EnlaceCheckBox : public EnlaceDe<ui::CheckBox, QCheckBox> {
 public:
  EnlaceCheckBox(ui::CheckBox& casilla, QWidget* padre, Despachador d)
      : EnlaceDe(casilla, padre, std::move(d)) {
    QObject::connect(widget_, &QCheckBox::clicked, widget_, [this](bool marcada) {
      Despacha([&] { ui::usuario::Marca(control_, marcada ? 1 : 0); });
    });
  }
  void Sincroniza() override {
    SincronizaComun();
    const QString texto = QString::fromStdString(control_.Caption);
    if (widget_->text() != texto) widget_->setText(texto);
    if (widget_->isChecked() != (control_.Value != 0)) widget_->setChecked(control_.Value != 0);
  }
};

class EnlaceOptionButton : public EnlaceDe<ui::OptionButton, QRadioButton> {
 public:
  EnlaceOptionButton(ui::OptionButton& opcion, QWidget* padre, Despachador d)
      : EnlaceDe(opcion, padre, std::move(d)) {
    QObject::connect(widget_, &QRadioButton::clicked, widget_,
                     [this] { Despacha([&] { ui::usuario::Elige(control_); }); });
  }
  void Sincroniza() override {
    SincronizaComun();
    const QString texto = QString::fromStdString(control_.Caption);
    if (widget_->text() != texto) widget_->setText(texto);
    if (widget_->isChecked() != control_.Value) {
      // An exclusive group refuses to clear its chosen button; the model decides here.
      widget_->setAutoExclusive(false);
      widget_->setChecked(control_.Value);
      widget_->setAutoExclusive(true);
    }
  }
};

class EnlaceCommandButton : public EnlaceDe<ui::CommandButton, QPushButton> {
 public:
  EnlaceCommandButton(ui::CommandButton& boton, QWidget* padre, Despachador d)
      : EnlaceDe(boton, padre, std::move(d)) {
    widget_->setAutoDefault(false);  // Enter in a text box must not press a button
    QObject::connect(widget_, &QPushButton::clicked, widget_,
                     [this] { Despacha([&] { ui::usuario::HaceClic(control_); }); });
  }
  void Sincroniza() override {
    SincronizaComun();
    const QString texto = QString::fromStdString(control_.Caption);
    if (widget_->text() != texto) widget_->setText(texto);
    // A button that shows only a picture is named by its tool tip for screen readers.
    const QString nombre = texto.isEmpty() ? widget_->toolTip() : texto;
    if (widget_->accessibleName() != nombre) widget_->setAccessibleName(nombre);
    if (control_.Picture != imagen_) {
      imagen_ = control_.Picture;
      widget_->setIcon(ImagenDe(imagen_));
      const int lado = std::max(16, std::min(widget_->width(), widget_->height()) - 16);
      widget_->setIconSize(QSize(lado, lado));
    }
  }

 private:
  std::string imagen_;
};

class EnlaceComboBox : public EnlaceDe<ui::ComboBox, QComboBox> {
 public:
  EnlaceComboBox(ui::ComboBox& lista, QWidget* padre, Despachador d) : EnlaceDe(lista, padre, std::move(d)) {
    QObject::connect(widget_, &QComboBox::activated, widget_, [this](int indice) {
      Despacha([&] { ui::usuario::EligeElemento(control_, indice); });
    });
  }
  void Sincroniza() override {
    SincronizaComun();
    LlenaLista(*widget_, control_.List);
    if (widget_->currentIndex() != control_.ListIndex) widget_->setCurrentIndex(control_.ListIndex);
  }
};

class EnlaceFrame : public EnlaceDe<ui::Frame, QGroupBox> {
 public:
  using EnlaceDe::EnlaceDe;
  void Sincroniza() override {
    SincronizaComun();
    const QString titulo = QString::fromStdString(control_.Caption);
    if (widget_->title() != titulo) widget_->setTitle(titulo);
  }
  bool TomaFoco() const override { return false; }
};

class EnlaceDriveListBox : public EnlaceDe<ui::DriveListBox, QComboBox> {
 public:
  EnlaceDriveListBox(ui::DriveListBox& unidades, QWidget* padre, Despachador d)
      : EnlaceDe(unidades, padre, std::move(d)) {
    QObject::connect(widget_, &QComboBox::activated, widget_, [this](int indice) {
      Despacha([&] { ui::usuario::EligeUnidad(control_, widget_->itemText(indice).toStdString()); });
    });
  }
  void Sincroniza() override {
    SincronizaComun();
    LlenaLista(*widget_, control_.List);
    const int indice = widget_->findText(QString::fromStdString(control_.Drive));
    if (widget_->currentIndex() != indice) widget_->setCurrentIndex(indice);
  }
};

// The folder list: a tree of the folders of the drive that holds the open folder; the
// folder the user moves to in the tree is the one the list has open.
class EnlaceDirListBox : public EnlaceDe<ui::DirListBox, QTreeView> {
 public:
  EnlaceDirListBox(ui::DirListBox& carpetas, QWidget* padre, Despachador d)
      : EnlaceDe(carpetas, padre, std::move(d)), modelo_(new QFileSystemModel(widget_)) {
    modelo_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    modelo_->setRootPath(QStringLiteral("/"));
    widget_->setModel(modelo_);
    for (int columna = 1; columna < modelo_->columnCount(); ++columna) widget_->hideColumn(columna);
    widget_->setHeaderHidden(true);
    QObject::connect(widget_->selectionModel(), &QItemSelectionModel::currentChanged, widget_,
                     [this](const QModelIndex& actual) { AlMoverse(actual); });
    // Folders arrive and get sorted in the background: keep the open folder in view
    // until the user moves or scrolls.
    const auto sigue = [this] {
      if (siguiendo_) MuestraActual();
    };
    QObject::connect(modelo_, &QFileSystemModel::directoryLoaded, widget_, sigue);
    QObject::connect(modelo_, &QFileSystemModel::layoutChanged, widget_, sigue);
    QObject::connect(modelo_, &QFileSystemModel::rowsInserted, widget_, sigue);
    QObject::connect(widget_->verticalScrollBar(), &QScrollBar::actionTriggered, widget_,
                     [this](int) { siguiendo_ = false; });
  }
  void Sincroniza() override {
    SincronizaComun();
    if (control_.Path() == mostrada_) return;
    mostrada_ = control_.Path();
    if (CarpetaDelArbol() == mostrada_) return;  // the user moved there in the tree
    const std::string unidad = ui::UnidadDe(mostrada_, ui::PuntosDeMontaje());
    sincronizando_ = true;
    widget_->setRootIndex(unidad == "/" ? QModelIndex() : modelo_->index(QString::fromStdString(unidad)));
    widget_->setCurrentIndex(modelo_->index(QString::fromStdString(mostrada_)));
    sincronizando_ = false;
    siguiendo_ = true;
    MuestraActual();
  }

 private:
  void AlMoverse(const QModelIndex& actual) {
    if (sincronizando_ || !actual.isValid()) return;
    siguiendo_ = false;
    const std::string carpeta = modelo_->filePath(actual).toStdString();
    Despacha([&] { ui::usuario::AbreCarpeta(control_, carpeta); });
    if (CarpetaDelArbol() != control_.Path()) {
      // The folder could not be opened: the tree goes back to the open one.
      mostrada_.clear();
      Sincroniza();
    }
  }
  std::string CarpetaDelArbol() const { return modelo_->filePath(widget_->currentIndex()).toStdString(); }
  // Opens the branches down to the open folder and brings it into view.
  void MuestraActual() {
    if (widget_->currentIndex().isValid()) widget_->scrollTo(widget_->currentIndex());
  }

  QFileSystemModel* modelo_;
  std::string mostrada_;
  bool sincronizando_ = false;
  bool siguiendo_ = false;
};

template <class C, class E>
std::unique_ptr<Enlace> Si(ui::Control& control, QWidget* padre, Despachador& despachador) {
  if (auto* c = dynamic_cast<C*>(&control)) return std::make_unique<E>(*c, padre, despachador);
  return nullptr;
}

}  // namespace

std::unique_ptr<Enlace> CreaEnlace(ui::Control& control, QWidget* padre, Despachador despachador) {
  std::unique_ptr<Enlace> enlace;
  if (!enlace) enlace = Si<ui::Label, EnlaceLabel>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::TextBox, EnlaceTextBox>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::CheckBox, EnlaceCheckBox>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::OptionButton, EnlaceOptionButton>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::CommandButton, EnlaceCommandButton>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::ComboBox, EnlaceComboBox>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::Frame, EnlaceFrame>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::DriveListBox, EnlaceDriveListBox>(control, padre, despachador);
  if (!enlace) enlace = Si<ui::DirListBox, EnlaceDirListBox>(control, padre, despachador);
  if (!enlace)
    vb::Raise(vb::err::InvalidProcedureCall, "No view for the control " + control.NombreCompleto());
  enlace->Sincroniza();
  return enlace;
}

}  // namespace qtviews
