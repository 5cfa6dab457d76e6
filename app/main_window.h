// The main window, TForm1: the program's frame. It owns the run session and
// shows the run (Timer1 drives it; status labels, progress bar, Pause /
// Continue), the preview of the current sub-picture with its options panel,
// and the menus. It runs the start-up sequence on its first showing and the
// close sequence with its questions. Windows built elsewhere are reached
// through the signals below.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "app/program_settings.h"
#include "app/run_companions.h"
#include "app/run_session.h"

namespace Ui {
class TForm1;
}
class QActionGroup;

namespace capter {

class TForm1 : public QMainWindow, public RunDisplay, public PicturePreview {
  Q_OBJECT

 public:
  // The session asks the run's dialogs through `companions`; settings and
  // language files live in `programDirectory`.
  TForm1(RunCompanions& companions, std::string programDirectory, QWidget* parent = nullptr);
  ~TForm1() override;

  RunSession& Session() { return *session_; }
  ProgramSettings& Settings() { return settings_; }
  const std::string& ProgramFolder() const { return programDirectory_; }
  Ui::TForm1& Controls() { return *ui_; }
  // The position the run reported last (KiB into the job).
  uint32_t LastPositionKiB() const { return lastPositionKiB_; }

  // The windows a language file translates, in their documented order
  // (nullptr for a window not built); given by the window set.
  void SetTranslatedWindows(std::function<QList<QWidget*>()> windows);
  // The matrix's unsaved-changes check at close (false keeps the program
  // open).
  void SetMatrixCloseCheck(std::function<bool()> check) { matrixCloseCheck_ = std::move(check); }
  // The background picture's open dialog (title, folder); tests answer it.
  using ImageChooser =
      std::function<std::optional<std::string>(const std::string&, const std::string&)>;
  void SetImageChooser(ImageChooser chooser) { imageChooser_ = std::move(chooser); }

  // Applies language `name` (from the menu, or at start-up).
  void LoadLanguage(const std::string& name);
  // The preview: zoom and background from the settings.
  void ApplyZoom(uint16_t zoom);
  void DrawBackground();

  // Run commands.
  void Timer1Timer();
  void ButtonPauseClick();

  // RunDisplay.
  void ShowFile(const std::string& name, int number, int count) override;
  void ShowProgress(const RunProgress& progress) override;
  void ShowElapsed(const std::string& hhmmss) override;
  void ShowRemaining(const std::string& hhmmss) override;
  void ShowUnitCounts(uint32_t inFile, uint32_t inRun) override;
  void ShowPauseButton(bool enabled, bool paused) override;
  void ShowOpenVobEnabled(bool enabled) override;
  void ShowNavigation(const VobReader& reader) override;
  void ProcessPendingEvents() override;

  // PicturePreview.
  void ShowPicture(const Picture24& picture, const Rect& area) override;
  void ShowPicture(const PalettedPicture& picture, const Rect& area) override;
  bool PictureWanted() override;
  void PictureKept() override;

 signals:
  void OpenJobRequested();            // OpenVob1, CoolButtonOpenVob
  void ToggleTextWindowRequested();   // CoolButtonShowSubtitleText
  void ShowTextWindowRequested();     // unsaved text kept the program open
  void EditMatrixRequested();         // EditCharMatrix1
  void OpenMatrixRequested();         // OpenCharacterMatrix1
  void SaveMatrixRequested();         // SaveCharacterMatrix1
  void SaveMatrixAsRequested();       // SaveCharacterMatrixAs1
  void NewMatrixRequested();          // NewCharaterMatrix1
  void OcrAdvancedSetupRequested();   // OCRAdvancedSetup1
  void AboutRequested();              // About1
  void UnitsCounted(uint32_t inRun);  // after every unit (tests, benchmarks)
  void SettingsLoaded();              // start-up read Settings(): windows take theirs
  void SavingSettings();              // close: windows put theirs into Settings()
  void Closed();                      // the close sequence ended: the program ends

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ConnectMenus();
  void ConnectPreviewOptions();
  void StartUp();
  void ShowSettingNotes(const std::vector<std::string>& notes);
  void ListLanguages();
  void ApplySettingsToPreviewPanel();
  void PreviewOptionChanged();
  void ChooseColour(bool border);
  void LoadBackgroundImageClick();
  void PlacePicture();
  template <typename Picture>
  void QueuePicture(const Picture& picture, const Rect& area);
  void ScheduleDisplay();
  void FlushDisplay();
  void ShowRunTitle();
  bool ConfirmClose();
  void FinishClose();

  std::unique_ptr<Ui::TForm1> ui_;
  RunCompanions& companions_;
  std::string programDirectory_;
  CurrentWindowBoxes boxes_;
  SteadyMillisecondClock clock_;
  std::unique_ptr<RunSession> session_;
  ProgramSettings settings_;
  QTimer timer1_;
  QTimer displayTimer_;
  // What the labels and the preview show next (see ScheduleDisplay). The
  // run's values are kept as they come; texts and the preview's image are
  // made from them only when drawn.
  struct ShownState {
    std::string position = "0/0 MB (0%)";
    int percent = 0;
    uint32_t unitsInFile = 0;
    uint32_t unitsInRun = 0;
    std::string elapsed;
    bool elapsedChanged = false;
    std::string remaining;
    bool remainingChanged = false;
    TimeCode totalTime;
    TimeCode packTime;
    int chapters = 0;
    std::string frameRate;
    bool navigationChanged = false;
    std::variant<std::monostate, Picture24, PalettedPicture> picture;
    Rect area;
    bool pictureChanged = false;
  } shown_;
  QActionGroup* languages_;
  std::function<QList<QWidget*>()> translatedWindows_;
  std::function<bool()> matrixCloseCheck_;
  ImageChooser imageChooser_;
  Rect pictureRect_;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  std::string runTitle_;
  uint32_t lastPositionKiB_ = 0;
  bool startedUp_ = false;
  bool optionsReady_ = false;
  bool flushing_ = false;
  bool closing_ = false;
  bool closed_ = false;
};

}  // namespace capter
