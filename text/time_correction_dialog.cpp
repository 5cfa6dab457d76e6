#include "text/time_correction_dialog.h"

#include <QApplication>
#include <algorithm>

#include "app/numeric_edit.h"
#include "text/text_window_actions.h"
#include "ui_time_correction_dialog.h"

namespace capter {
namespace {

void SetRange(NumericEdit* field, int64_t max, int64_t value) {
  field->SetValMax(max);
  field->SetValue(value);
}

constexpr int kFixedTimeItem = 0;

}  // namespace

int64_t FieldValue(const NumericEdit& field) {
  return std::clamp(field.Value(), field.ValMin(), field.ValMax());
}

TForm14::TForm14(SubtitleTextModel& model, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Form14>()), model_(model) {
  ui_->setupUi(this);
  ui_->RadioGroupTime->SetItems({"Fixed Time", "Subtitle Length Prop. Time"});
  ui_->RadioGroupTime->SetItemIndex(1);
  for (const char* suffix : {"", "S"}) {
    const QString s = QString::fromLatin1(suffix);
    SetRange(findChild<NumericEdit*>("Word_uHour" + s), 24, 0);
    SetRange(findChild<NumericEdit*>("Word_uMin" + s), 59, 0);
    SetRange(findChild<NumericEdit*>("Word_uSec" + s), 59, 0);
    SetRange(findChild<NumericEdit*>("Word_uMSec" + s), 999, 0);
  }
  const TimeCorrection defaults;
  SetRange(ui_->Word_uFixedDuration, 65535, defaults.fixedDuration);
  SetRange(ui_->Word_uOffsetDuration, 9999, defaults.offsetDuration);
  SetRange(ui_->Word_uMsPerChar, 99, defaults.msPerCharacter);
  SetRange(ui_->Word_uMinInterval, 9999, defaults.minimumInterval);

  connect(ui_->BitBtnModifyTC, &QPushButton::clicked, this, &TForm14::BitBtnModifyTCClick);
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->RadioGroupTime, &RadioGroup::ItemIndexChanged, this, &TForm14::RadioGroupTimeClick);
  connect(ui_->ButtonResetOffset, &QPushButton::clicked, this, [this] {
    for (NumericEdit* f : {ui_->Word_uHour, ui_->Word_uMin, ui_->Word_uSec, ui_->Word_uMSec}) {
      f->SetValue(0);
    }
  });
  connect(ui_->ButtonResetStretch, &QPushButton::clicked, this, [this] {
    for (NumericEdit* f : {ui_->Word_uHourS, ui_->Word_uMinS, ui_->Word_uSecS, ui_->Word_uMSecS}) {
      f->SetValue(0);
    }
  });
  RadioGroupTimeClick();
}

TForm14::~TForm14() = default;

bool TForm14::Execute() {
  FormShow();
  return exec() == QDialog::Accepted;
}

void TForm14::FormShow() {
  ui_->ButtonResetOffset->click();
  ui_->ButtonResetStretch->click();
  ui_->CheckBoxSubDuration->setChecked(false);
}

void TForm14::RadioGroupTimeClick() {
  const bool fixed = ui_->RadioGroupTime->ItemIndex() == kFixedTimeItem;
  ui_->PanelFixedTime->setVisible(fixed);
  ui_->PanelProportionalTime->setVisible(!fixed);
}

TimeCorrection TForm14::Correction() const {
  const auto time = [](const NumericEdit* h, const NumericEdit* m, const NumericEdit* s,
                       const NumericEdit* ms) {
    return TimeCode{static_cast<uint8_t>(FieldValue(*h)), static_cast<uint8_t>(FieldValue(*m)),
                    static_cast<uint8_t>(FieldValue(*s)), static_cast<uint16_t>(FieldValue(*ms))};
  };
  TimeCorrection c;
  c.offset = time(ui_->Word_uHour, ui_->Word_uMin, ui_->Word_uSec, ui_->Word_uMSec);
  c.minusOffset = ui_->CheckBoxMinusOffset->isChecked();
  c.stretch = time(ui_->Word_uHourS, ui_->Word_uMinS, ui_->Word_uSecS, ui_->Word_uMSecS);
  c.minusStretch = ui_->CheckBoxMinusStretch->isChecked();
  c.modifyDurations = ui_->CheckBoxSubDuration->isChecked();
  c.method = ui_->RadioGroupTime->ItemIndex() == kFixedTimeItem
                 ? DurationMethod::FixedTime
                 : DurationMethod::LengthProportional;
  c.fixedDuration = static_cast<uint16_t>(FieldValue(*ui_->Word_uFixedDuration));
  c.offsetDuration = static_cast<uint16_t>(FieldValue(*ui_->Word_uOffsetDuration));
  c.msPerCharacter = static_cast<uint16_t>(FieldValue(*ui_->Word_uMsPerChar));
  c.minimumInterval = static_cast<uint16_t>(FieldValue(*ui_->Word_uMinInterval));
  return c;
}

void TForm14::BitBtnModifyTCClick() {
  const TimeCorrection correction = Correction();
  accept();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CorrectTimesAndRefresh(model_, correction);
  QApplication::restoreOverrideCursor();
}

}  // namespace capter
