// The "Subtitles" window, TForm3: the subtitle table rendered as the lines
// of the file being composed, in the current output format, as a run
// produces them. From here the text is saved, an own-format file reopened,
// everything cleared, and the format, split, time correction and
// post-recognition correction dialogs are opened. The window shows the
// SubtitleTextModel and forwards the user's commands to it.
#pragma once

#include <QMainWindow>
#include <memory>

#include "app/common_dialogs.h"
#include "app/configuration.h"
#include "text/subtitle_text_model.h"

namespace Ui {
class Form3;
}

namespace capter {

class SubtitleListModel;
class TForm10;
class TForm13;
class TForm14;
class TForm17;

class TForm3 : public QMainWindow, public TextWindowListener {
  Q_OBJECT

 public:
  // `model` is the session's text model, `configuration` keeps the dialog
  // folders, the scroll check box and the output format settings, and
  // `mainWindow` (may be null) is the window this one is placed under.
  TForm3(SubtitleTextModel& model, Configuration& configuration, QWidget* mainWindow,
         QWidget* parent = nullptr);
  ~TForm3() override;

  SubtitleTextModel& Model() { return model_; }

  // Takes the remembered settings from the configuration (done at creation;
  // call again once the configuration file has been read).
  void ApplyConfiguration();

  // The question before the program closes with unsaved text: true when it
  // may close; otherwise this window is shown.
  bool ConfirmQuit();

  // Tests and the desktop program choose how file names are asked.
  void SetFileDialogs(CommonDialogs* dialogs);

  TForm13& OutputFormatDialog() { return *form13_; }
  TForm14& TimeCorrectionDialog() { return *form14_; }
  TForm17& SplitDialog() { return *form17_; }
  TForm10& CorrectionDialog() { return *form10_; }

  // The user's commands (menus and tool buttons).
  void Saveas1Click();
  void OpenCapterFormat1Click();
  void Clear1Click();
  void PostOCRCorrection1Click();
  void TimeCorrection1Click();
  void SetOutputFormat1Click();
  void Splitoutputfile1Click();
  // UpDown1: up selects the first line, down the last.
  void UpDown1Click(bool up);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // TextWindowListener
  void ListCleared() override;
  void ListRefreshed() override;
  void LinesAppended(size_t first, size_t count) override;
  void LinesRemoved(size_t count) override;
  void SelectLastLine(bool onlyIfShown) override;
  void SubtitleIndexChanged(uint16_t index) override;
  void FileNameChanged(const std::string& caption, const std::string& proposedName) override;

  void Connect();
  void SelectRow(int row);
  // The settings the model changed (folders, Extended) go back to the
  // configuration.
  void KeepSettings();
  void PlaceUnderMainWindow();

  std::unique_ptr<Ui::Form3> ui_;
  SubtitleTextModel& model_;
  Configuration& configuration_;
  QWidget* mainWindow_;
  SubtitleListModel* list_;  // owned by this window
  CommonDialogs* dialogs_ = &WindowDialogs();
  TForm13* form13_;
  TForm14* form14_;
  TForm17* form17_;
  TForm10* form10_;
};

}  // namespace capter
