// The "Time correction" dialog, TForm14: an offset for every time, a stretch
// of the whole file, durations from the text length, and a minimum gap
// between subtitles. "&Correct Time" changes the table in place and renders
// it again.
#pragma once

#include <QDialog>
#include <memory>

#include "text/subtitle_text_model.h"
#include "text/time_correction.h"

namespace Ui {
class Form14;
}

namespace capter {

class NumericEdit;

class TForm14 : public QDialog {
  Q_OBJECT

 public:
  TForm14(SubtitleTextModel& model, QWidget* parent);
  ~TForm14() override;

  // Resets the time groups and runs the dialog modally; true after a
  // correction.
  bool Execute();
  // What showing the dialog does: both time groups go to zero and the
  // duration box is unticked; the other fields keep their values.
  void FormShow();
  void BitBtnModifyTCClick();

  // The corrections the fields describe.
  TimeCorrection Correction() const;

 private:
  void RadioGroupTimeClick();

  std::unique_ptr<Ui::Form14> ui_;
  SubtitleTextModel& model_;
};

// The value of a numeric field, held to its bounds.
int64_t FieldValue(const NumericEdit& field);

}  // namespace capter
