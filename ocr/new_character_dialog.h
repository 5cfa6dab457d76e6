// TForm2, "New Character(s)": the modal question recognition asks for every
// character shape the matrix does not know. It shows the character framed
// in its line at twice its size with the subtitle's start time, takes its
// text (at most 20 characters; a proposed text stands ready, selected), or
// steers the run: skip the line or the sub-picture, pause, ask for a new
// text colour, or find a matrix file that already knows the shape. After
// ten idle seconds it flashes and beeps.
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "ocr/character_matrix.h"
#include "ocr/character_teacher.h"
#include "ocr/ocr_settings.h"
#include "ocr/wake_up_timer.h"
#include "stream/picture.h"

namespace Ui {
class Form2;
}

namespace capter {

class TForm2 : public QDialog, public CharacterTeacher {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  // What the matrix search works on: the current matrix (replaced by a
  // found one), the recognition limits, and the folder searched.
  void SetMatrixSearch(CharacterMatrix* matrix, const OcrSettings* settings,
                       std::string searchFolder);
  // "&Change Text Color" continues the paused run once it has left its read
  // loop: `reading` tells whether it is still inside, `pauseCommand` is the
  // main window's Pause / Continue.
  void SetRunControl(std::function<bool()> reading, std::function<void()> pauseCommand);

  TeachAnswer Teach(const TeachRequest& request) override;

  // The question being asked (nullptr while the dialog is closed).
  const TeachRequest* CurrentRequest() const { return request_; }
  // The 150 x 50 composition shown at twice its size.
  const QImage& TeachingImage() const { return image_; }
  const WakeUpTimer& WakeUp() const { return wakeUp_; }

 signals:
  // A search found a matrix file and made it the current matrix.
  void MatrixReplaced();
  // The dialog answered OK: the shape is about to become entry
  // `number` (emitted once the event loop runs again, after the add).
  void CharacterTaught(qulonglong number);

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void ButtonOKClick();
  void ButtonSkipLineClick();
  void ButtonSkipSubPictureClick();
  void ButtonPauseClick();
  void ButtonChangeTextColorClick();
  void ButtonSearchMatrixClick();
  void EditCharacterChange(const QString& text);
  void TimerWakeUpTimer();
  void TimerWatchTimer();
  void Answer(TeachStatus status);
  void ShowRequest(const TeachRequest& request);
  void SetRed(bool red);
  // The picture and question of a whole-line request, or back to those of
  // a character.
  void ShowForm(const TeachRequest& request);

  std::unique_ptr<Ui::Form2> ui_;
  QTimer* timerWakeUp_;
  QTimer* timerWatch_;
  WakeUpTimer wakeUp_;
  Picture24 composed_;
  QImage image_;
  const TeachRequest* request_ = nullptr;
  bool lineForm_ = false;
  QString characterQuestion_;   // the question shown for a character
  int characterEditWidth_ = 0;  // and the width of its field
  // Copies for the matrix search.
  Glyph glyph_;
  CharBox box_;
  TeachAnswer answer_;
  CharacterMatrix* matrix_ = nullptr;
  const OcrSettings* settings_ = nullptr;
  std::string searchFolder_;
  std::function<bool()> reading_;
  std::function<void()> pauseCommand_;
};

}  // namespace capter
