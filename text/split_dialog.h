// The "Split Text File" dialog, TForm17: the time range of the table that
// is rendered and saved, shown as a bar against the length of the whole
// table. OK stores the range in the text model and renders the list again;
// a ticked range that stops before it starts is refused.
#pragma once

#include <QDialog>
#include <memory>

#include "text/subtitle_text_model.h"

namespace Ui {
class Form17;
}

namespace capter {

class TForm17 : public QDialog {
  Q_OBJECT

 public:
  TForm17(SubtitleTextModel& model, QWidget* parent);
  ~TForm17() override;

  // Loads the model's range and runs the dialog modally.
  void Execute();
  // What showing the dialog does: the length of the table is taken and the
  // fields show the model's range.
  void FormShow();
  void BitBtn1Click();

  TimeCode StartFields() const;
  TimeCode StopFields() const;

  // The dialog has no cancel button and no close box.
  void reject() override {}

 private:
  void CheckBoxSplitClick();
  void DrawBar(const TimeCode& start, const TimeCode& stop);
  void SetStartFields(const TimeCode& t);
  void SetStopFields(const TimeCode& t);

  std::unique_ptr<Ui::Form17> ui_;
  SubtitleTextModel& model_;
  TimeCode last_;
};

}  // namespace capter
