#include "ocr/ocr_settings_dialog.h"

#include <QCheckBox>
#include <QScreen>
#include <QSignalBlocker>

#include "app/configuration.h"
#include "app/numeric_edit.h"
#include "app/qt_message_boxes.h"
#include "ocr/ocr_settings_fields.h"
#include "ui_ocr_settings_dialog.h"

namespace capter {

TForm4::TForm4(OcrSettings& settings, std::string configurationPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::Form4>()),
      settings_(settings),
      configurationPath_(std::move(configurationPath)) {
  ui_->setupUi(this);
  setModal(true);
  for (size_t i = 0; i < kOcrFields.size(); ++i) {
    NumericEdit* field = Field(i);
    const OcrFieldInfo& info = kOcrFields[i];
    // Bounds never exclude the current value, so the value moves in first.
    field->SetValue(std::clamp<int64_t>(0, info.min, info.max));
    field->SetValMax(info.max);
    field->SetValMin(info.min);
  }
  connect(ui_->ButtonOK, &QPushButton::clicked, this, &TForm4::ButtonOKClick);
  connect(ui_->ButtonCancel, &QPushButton::clicked, this, &TForm4::ButtonCancelClick);
  connect(ui_->ButtonReloadDefault, &QPushButton::clicked, this, &TForm4::ButtonReloadDefaultClick);
  connect(ui_->ButtonSaveValues, &QPushButton::clicked, this, &TForm4::ButtonSaveValuesClick);
  connect(ui_->TrackBarSensibility, &QSlider::valueChanged, this,
          &TForm4::TrackBarSensibilityChange);
  connect(ui_->Word_uSensibility, &QLineEdit::textChanged, this, &TForm4::Word_uSensibilityChange);
  LoadFields();
}

TForm4::~TForm4() = default;

NumericEdit* TForm4::Field(size_t index) const {
  return findChild<NumericEdit*>(kOcrFields[index].name);
}

QCheckBox* TForm4::Aid(const OcrAidInfo& info) const {
  return findChild<QCheckBox*>(info.name);
}

void TForm4::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  LoadFields();
  ui_->ButtonCancel->setEnabled(true);
}

void TForm4::LoadFields() {
  for (size_t i = 0; i < kOcrFields.size(); ++i) {
    Field(i)->SetValue(OcrFieldValue(settings_, kOcrFields[i].field));
  }
  ui_->CheckBoxDetachedChar->setChecked(settings_.CheckDetachedChar);
  for (const OcrAidInfo& info : kOcrAids) Aid(info)->setChecked(settings_.*info.aid);
}

void TForm4::StoreFields() {
  for (size_t i = 0; i < kOcrFields.size(); ++i) {
    StoreOcrField(settings_, kOcrFields[i].field, Field(i)->Value());
  }
  settings_.CheckDetachedChar = ui_->CheckBoxDetachedChar->isChecked();
  for (const OcrAidInfo& info : kOcrAids) settings_.*info.aid = Aid(info)->isChecked();
}

void TForm4::ButtonOKClick() {
  StoreFields();
  accept();
}

void TForm4::ButtonCancelClick() {
  LoadFields();
  QDialog::reject();
}

void TForm4::reject() {
  // No close box: Escape counts as Cancel only while there is something to
  // undo.
  if (ui_->ButtonCancel->isEnabled()) ButtonCancelClick();
}

void TForm4::ButtonReloadDefaultClick() {
  LoadOcrDefaults(settings_);
  LoadFields();
  ui_->ButtonCancel->setEnabled(false);
}

void TForm4::ButtonSaveValuesClick() {
  StoreFields();
  const FileResult saved = SaveOcrSettings(configurationPath_, settings_);
  if (!saved.ok) {
    WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok, saved.error);
    return;
  }
  ui_->ButtonCancel->setEnabled(false);
}

void TForm4::TrackBarSensibilityChange(int value) {
  if (ui_->Word_uSensibility->Value() != value) ui_->Word_uSensibility->SetValue(value);
}

void TForm4::Word_uSensibilityChange() {
  const QSignalBlocker quiet(ui_->TrackBarSensibility);
  ui_->TrackBarSensibility->setValue(static_cast<int>(ui_->Word_uSensibility->Value()));
}

}  // namespace capter
