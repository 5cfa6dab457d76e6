#include "ocr/text_colour_dialog.h"

#include <QCheckBox>
#include <QScreen>
#include <QSignalBlocker>

#include "ocr/preview_fit.h"
#include "ocr/text_colour.h"
#include "ui_text_colour_dialog.h"

namespace capter {

TForm9::TForm9(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::Form9>()) {
  ui_->setupUi(this);
  setModal(true);
  ui_->ComboBoxColor->setCurrentIndex(2);
  connect(ui_->ComboBoxColor, &QComboBox::currentIndexChanged, this, &TForm9::ComboBoxColorChange);
  connect(ui_->ButtonOK, &QPushButton::clicked, this, &TForm9::ButtonOKClick);
  connect(ui_->ButtonSkipPicture, &QPushButton::clicked, this, &TForm9::ButtonSkipPictureClick);
  connect(ui_->ButtonAutoDetect, &QPushButton::clicked, this, &TForm9::ButtonAutoDetectClick);
  for (uint8_t i = 0; i < 4; ++i) {
    connect(ExtraBox(i), &QCheckBox::toggled, this, [this, i](bool on) { ExtraColorClick(i, on); });
  }
}

TForm9::~TForm9() = default;

int TForm9::SelectedIndex() const {
  return ui_->ComboBoxColor->currentIndex();
}

std::optional<uint8_t> TForm9::ChooseTextColour(const Picture24& bitmap, TextColourState& state) {
  bitmap_ = &bitmap;
  state_ = &state;
  skipped_ = false;
  const bool textWindowShown = textWindow_ != nullptr && textWindow_->isVisible();
  if (textWindowShown) textWindow_->hide();
  ui_->GroupBoxExtraColors->setVisible(state.ProposeExtraIndices);
  if (preview_) preview_(bitmap);
  Detect();
  FitMainWindow();
  exec();
  // The text window comes back whatever the answer: after a skip the next
  // picture would otherwise find it hidden and never show it again.
  if (textWindowShown) textWindow_->show();
  bitmap_ = nullptr;
  state_ = nullptr;
  if (skipped_) return std::nullopt;
  return static_cast<uint8_t>(SelectedIndex());
}

void TForm9::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  ui_->ButtonOK->setFocus(Qt::OtherFocusReason);
}

void TForm9::reject() {
  // No close box: Escape does not answer for the user.
}

void TForm9::Detect() {
  if (bitmap_ == nullptr || bitmap_->Empty()) return;  // nothing to propose
  state_->Detection = DetectTextColour(*bitmap_, greys_, *state_);
  const int proposal = state_->Detection[1];
  if (proposal == SelectedIndex()) {
    ComboBoxColorChange(proposal);  // the preview is still drawn
  } else {
    ui_->ComboBoxColor->setCurrentIndex(proposal);
  }
}

void TForm9::ComboBoxColorChange(int index) {
  if (bitmap_ == nullptr || index < 0) return;
  SelectTextBody(*state_, *bitmap_, greys_, static_cast<uint8_t>(index));
  ShowExtraColors();
  ShowPreview();
}

void TForm9::ExtraColorClick(uint8_t index, bool on) {
  if (bitmap_ == nullptr) return;
  SetExtraTextIndex(*state_, static_cast<uint8_t>(SelectedIndex()), index, on);
  ShowPreview();
}

void TForm9::ShowExtraColors() {
  const int body = SelectedIndex();
  for (uint8_t i = 0; i < 4; ++i) {
    QCheckBox* box = ExtraBox(i);
    const QSignalBlocker quiet(box);
    box->setChecked(IsExtraTextIndex(*state_, i));
    box->setEnabled(i != body);
  }
}

void TForm9::ShowPreview() {
  RecolourTextPreview(*bitmap_, greys_, static_cast<uint8_t>(SelectedIndex()), recoloured_,
                      state_->ExtraTextIndices);
  if (preview_) preview_(recoloured_);
}

QCheckBox* TForm9::ExtraBox(uint8_t index) const {
  return findChild<QCheckBox*>("CheckBoxExtraColor" + QString::number(index));
}

void TForm9::FitMainWindow() {
  if (mainWindow_ == nullptr || bitmap_ == nullptr) return;
  const WindowSize fit = WindowSizeForPreview({mainWindow_->width(), mainWindow_->height()},
                                              bitmap_->Width(), bitmap_->Height());
  if (fit.width != mainWindow_->width() || fit.height != mainWindow_->height()) {
    mainWindow_->resize(fit.width, fit.height);
  }
}

void TForm9::ButtonOKClick() {
  skipped_ = false;
  accept();
}

void TForm9::ButtonSkipPictureClick() {
  skipped_ = true;
  accept();
}

void TForm9::ButtonAutoDetectClick() {
  Detect();
}

}  // namespace capter
