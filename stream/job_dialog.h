// The job dialog, TForm6 ("What To Do ?"): the folder's VOB files with their
// order and checks, the sub-picture stream (named from the IFO file), the
// action, the character matrix file and the "Last TimeCode" at which the
// files' timeline begins. Start turns the choices into the run's job; the
// main window's timer then runs it. Windows built elsewhere (text window,
// matrix commands, bitmap adjustment dialog) are reached through signals.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/program_settings.h"
#include "app/run_session.h"
#include "stream/ifo_languages.h"
#include "stream/vob_folder.h"

namespace Ui {
class TForm6;
}

namespace capter {

class TForm6 : public QDialog {
  Q_OBJECT

 public:
  // The file dialogs (tests answer them from a script).
  struct FileChoosers {
    // title, initial folder, filter in the program's form, filter shown first
    std::function<std::optional<std::string>(const std::string&, const std::string&,
                                             const std::string&, int)>
        open;
    // title, initial folder
    std::function<std::optional<std::string>(const std::string&, const std::string&)> save;
  };

  TForm6(RunSession& session, RunDisplay& display, QWidget* parent = nullptr);
  ~TForm6() override;

  Ui::TForm6& Controls() { return *ui_; }
  void SetFileChoosers(FileChoosers choosers) { choosers_ = std::move(choosers); }

  // Settings kept in the configuration: the dialogs' folders, the action
  // and the timing-entries check box.
  void TakeSettings(const ProgramSettings& settings);
  void PutSettings(ProgramSettings& settings) const;

  // Lists the VOB files of `folder` (Open Dir's second half).
  void ListFolder(const std::string& folder);
  // Reads the stream names of an IFO file and lists its folder. False when
  // the file is too short (reported).
  bool OpenIfo(const std::string& path);
  // Checks the listed files named in `paths`, in that order (moved to the
  // top of the list): the program's command-line files.
  void CheckFiles(const std::vector<std::string>& paths);
  // Moves the selected file up or down (Ctrl+Up/Down, the arrows).
  void MoveSelected(bool up);
  // The files a Start would read, in list order.
  std::vector<std::string> CheckedFiles() const;

  void ButtonOpenDirClick();
  void ButtonOpenIfoClick();
  void ButtonResetTCClick();
  void BitBtnStartClick();

 public slots:
  // The matrix file field: "New File" or the file's name without folder.
  void ShowMatrixFile(const QString& name);
  // The same for the session's current matrix (a matrix found by a search).
  void ShowMatrixOfSession();

 signals:
  void ShowTextWindowRequested();  // the run writes subtitle entries
  void ViewTextRequested();        // Button1: the dialog closed, show the text
  void OpenMatrixRequested();      // ButtonOpenCharMatrixFile
  void NewMatrixRequested();       // ButtonNewMatrix
  void BitmapAdjustmentDue();      // BMP and show-only runs: the dialog asks first

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RebuildStreamList();
  void ShowTime(const TimeCode& time);
  void TimeFieldChanged();
  void ActionChanged();
  bool PrepareAction(RunAction action, bool timing, std::string& outputPath);
  std::optional<std::string> ChooseOpen(const std::string& title, int filterIndex);

  std::unique_ptr<Ui::TForm6> ui_;
  RunSession& session_;
  RunDisplay& display_;
  FileChoosers choosers_;
  StreamNames streamNames_;
  VobListing listing_;
  std::string openDialogVob_;
  std::string saveDialogBmpSup_;
  bool settingTime_ = false;
};

}  // namespace capter
