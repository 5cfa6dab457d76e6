#include "text/split_dialog.h"

#include "app/numeric_edit.h"
#include "app/qt_text.h"
#include "text/split_range.h"
#include "text/text_forms.h"
#include "text/text_window_actions.h"
#include "text/time_correction_dialog.h"
#include "ui_split_dialog.h"

namespace capter {
namespace {

struct TimeFields {
  NumericEdit* hours;
  NumericEdit* minutes;
  NumericEdit* seconds;
  NumericEdit* milliseconds;
};

TimeCode Read(const TimeFields& f) {
  return TimeCode{static_cast<uint8_t>(FieldValue(*f.hours)),
                  static_cast<uint8_t>(FieldValue(*f.minutes)),
                  static_cast<uint8_t>(FieldValue(*f.seconds)),
                  static_cast<uint16_t>(FieldValue(*f.milliseconds))};
}

void Write(const TimeFields& f, const TimeCode& t) {
  f.hours->SetValue(t.hours);
  f.minutes->SetValue(t.minutes);
  f.seconds->SetValue(t.seconds);
  f.milliseconds->SetValue(t.milliseconds);
}

void SetBounds(const TimeFields& f) {
  f.hours->SetValMax(24);
  f.minutes->SetValMax(59);
  f.seconds->SetValMax(59);
  f.milliseconds->SetValMax(999);
}

}  // namespace

TForm17::TForm17(SubtitleTextModel& model, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Form17>()), model_(model) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  for (const TimeFields& f :
       {TimeFields{ui_->Word_uHour1, ui_->Word_uMin1, ui_->Word_uSec1, ui_->Word_uMSec1},
        TimeFields{ui_->Word_uHour2, ui_->Word_uMin2, ui_->Word_uSec2, ui_->Word_uMSec2}}) {
    SetBounds(f);
    for (NumericEdit* edit : {f.hours, f.minutes, f.seconds, f.milliseconds}) {
      connect(edit, &QLineEdit::textChanged, this,
              [this] { DrawBar(StartFields(), StopFields()); });
    }
  }
  connect(ui_->CheckBoxSplit, &QCheckBox::clicked, this, &TForm17::CheckBoxSplitClick);
  connect(ui_->ButtonResetStartSplit, &QPushButton::clicked, this,
          [this] { SetStartFields(kZeroTimeCode); });
  connect(ui_->ButtonEndOfFile, &QPushButton::clicked, this, [this] { SetStopFields(last_); });
  connect(ui_->SpeedButtonCopyStopToStart, &QToolButton::clicked, this,
          [this] { SetStartFields(StopFields()); });
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &TForm17::BitBtn1Click);
  FormShow();
}

TForm17::~TForm17() = default;

void TForm17::Execute() {
  FormShow();
  exec();
}

void TForm17::FormShow() {
  last_ = LastSubtitleTime(model_.Table());
  ui_->CheckBoxSplit->setChecked(model_.SplitEnabled());
  SetStartFields(model_.SplitStart());
  SetStopFields(model_.SplitStop());
  CheckBoxSplitClick();
}

TimeCode TForm17::StartFields() const {
  return Read({ui_->Word_uHour1, ui_->Word_uMin1, ui_->Word_uSec1, ui_->Word_uMSec1});
}

TimeCode TForm17::StopFields() const {
  return Read({ui_->Word_uHour2, ui_->Word_uMin2, ui_->Word_uSec2, ui_->Word_uMSec2});
}

void TForm17::SetStartFields(const TimeCode& t) {
  Write({ui_->Word_uHour1, ui_->Word_uMin1, ui_->Word_uSec1, ui_->Word_uMSec1}, t);
}

void TForm17::SetStopFields(const TimeCode& t) {
  Write({ui_->Word_uHour2, ui_->Word_uMin2, ui_->Word_uSec2, ui_->Word_uMSec2}, t);
}

void TForm17::CheckBoxSplitClick() {
  const bool on = ui_->CheckBoxSplit->isChecked();
  ui_->PanelStartSplit->setEnabled(on);
  ui_->PanelStopSplit->setEnabled(on);
  ui_->SpeedButtonCopyStopToStart->setEnabled(on);
  if (on) {
    DrawBar(StartFields(), StopFields());
  } else {
    DrawBar(kZeroTimeCode, last_);
  }
}

void TForm17::DrawBar(const TimeCode& start, const TimeCode& stop) {
  const QRect full = ui_->ShapeFullFile->geometry();
  const SplitBar bar = ComputeSplitBar(start, stop, last_, full.left(), full.width());
  ui_->ShapeSplitFill->setGeometry(static_cast<int>(bar.left), full.top(),
                                   static_cast<int>(bar.width), full.height());
  const auto place = [](QWidget* label, int64_t left) {
    label->move(static_cast<int>(left), label->y());
  };
  place(ui_->LabelBarStart, bar.left);
  place(ui_->LabelBarStop, bar.Right());
  ui_->LabelEndOfFile->setText(ToQt(FullTime(last_)));
  ui_->LabelStartSplit->setText(ToQt(FullTime(start)));
  ui_->LabelStopSplit->setText(ToQt(FullTime(stop)));
  place(ui_->LabelStartSplit, CentredLeft(bar.left, ui_->LabelStartSplit->width()));
  place(ui_->LabelStopSplit, CentredLeft(bar.Right(), ui_->LabelStopSplit->width()));
}

void TForm17::BitBtn1Click() {
  const SplitRange range{ui_->CheckBoxSplit->isChecked(), StartFields(), StopFields()};
  if (AcceptSplitRange(model_, range)) accept();
}

}  // namespace capter
