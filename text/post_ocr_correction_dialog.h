// The "Post OCR Correction" dialog, TForm10: merges doubled quote characters
// and decides every I and l from its neighbours by the chosen language's
// rules, over every line of the table, then renders the list again.
#pragma once

#include <QDialog>
#include <memory>

#include "text/post_ocr_correction.h"
#include "text/subtitle_text_model.h"

namespace Ui {
class Form10;
}

namespace capter {

class TForm10 : public QDialog {
  Q_OBJECT

 public:
  TForm10(SubtitleTextModel& model, QWidget* parent);
  ~TForm10() override;

  // Runs the dialog modally, centred on the screen; true after "Correct !".
  bool Execute();
  void BitBtnCorrectClick();

  // The rules the controls choose.
  PostOcrCorrection Choice() const;

 private:
  void CheckBoxCorrectIlClick();

  std::unique_ptr<Ui::Form10> ui_;
  SubtitleTextModel& model_;
};

}  // namespace capter
