// TForm11, "Progression Controller": holds a show-only run after each
// picture so that the user can look at it in the preview, save it as a BMP
// or SUP file, change the bitmap adjustment, and choose how the run goes on:
// the next picture, no more stops until the run is paused or started again,
// or a pause.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "app/common_dialogs.h"
#include "app/run_dispatch.h"
#include "export/adjustment_rules.h"

namespace Ui {
class TForm11;
}

namespace capter {

class RunSession;
class TForm18;

class TForm11 : public QDialog, public ProgressionControl {
  Q_OBJECT

 public:
  explicit TForm11(QWidget* parent = nullptr);
  ~TForm11() override;

  // The run it holds (Pause, the unit count in the save titles).
  void Attach(ExtractionRun& run) { run_ = &run; }
  void Attach(RunSession& session);
  // The bitmap adjustment window that "Change &Colors" opens.
  void SetAdjustment(TForm18* adjustment) { adjustment_ = adjustment; }
  // The subtitle text window, hidden while a picture is held.
  void SetTextWindow(QWidget* textWindow) { textWindow_ = textWindow; }
  // The main window's "Show Pict." check box, focused by "&Next >".
  void SetShowPictureBox(QWidget* box) { showPictureBox_ = box; }
  // File dialogs (nullptr: Qt's).
  void SetDialogs(CommonDialogs* dialogs);
  // Initial folder of the single-picture save dialog (configuration key
  // SaveDialogBmpSup); a save moves it to the chosen file's folder.
  const std::string& SaveFolder() const { return saveFolder_; }
  void SetSaveFolder(std::string folder) { saveFolder_ = std::move(folder); }

  // ProgressionControl.
  bool NoStop() const override { return noStop_; }
  void ClearNoStop() override { noStop_ = false; }
  void Hold(const PalettedPicture& rendition, const CollectedUnit& unit) override;

  // The picture a BMP save writes: the rendition shown in the preview.
  const PalettedPicture& Picture() const { return rendition_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ButtonPauseClick();
  void ButtonNextClick();
  void ButtonNoStopClick();
  void ButtonChangeColorClick();
  void SaveSinglePicture(SinglePictureKind kind);
  void ReportError(const std::string& error);

  std::unique_ptr<Ui::TForm11> ui_;
  ExtractionRun* run_ = nullptr;
  TForm18* adjustment_ = nullptr;
  QWidget* textWindow_ = nullptr;
  QWidget* showPictureBox_ = nullptr;
  CommonDialogs* dialogs_ = &WindowDialogs();
  std::string saveFolder_;
  bool noStop_ = false;

  PalettedPicture rendition_;
  std::vector<uint8_t> unitBytes_;
  TimeCode unitStart_;
  int64_t unitSector_ = 0;
};

}  // namespace capter
