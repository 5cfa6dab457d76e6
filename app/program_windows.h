// Every window of the program, created once at start in the documented
// order and kept until the end: the main window first, then the dialogs.
// Each window is connected to the main window's and the job dialog's
// signals, and the dialogs a run opens from inside its dispatch are handed
// to RunCompanions.
#pragma once

#include <QList>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/run_companions.h"
#include "stream/job_dialog.h"

namespace capter {

class MatrixMenu;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm9;
class TForm11;
class TForm18;

class ProgramWindows {
 public:
  explicit ProgramWindows(std::string programDirectory);
  ~ProgramWindows();

  TForm1& Main() { return *form1_; }
  TForm2& NewCharacter() { return *form2_; }
  TForm3& Subtitles() { return *form3_; }
  TForm4& OcrSetup() { return *form4_; }
  TForm5& MatrixEditor() { return *form5_; }
  TForm6& Job() { return *form6_; }
  TForm9& TextColour() { return *form9_; }
  TForm11& Progression() { return *form11_; }
  TForm12& About() { return *form12_; }
  TForm18& Adjustment() { return *form18_; }
  MatrixMenu& Matrix() { return *matrixMenu_; }
  RunCompanions& Companions() { return companions_; }

  // The windows in the order language files list them: Form1, Form2,
  // Form3, Form4, Form5, Form6, Form9, Form10, Form11, Form12, Form13,
  // Form14, Form17, Form18.
  QList<QWidget*> TranslatedWindows() const;

  // "capter FILE...": lists the folder of the files, reads the stream names
  // of an IFO file among them, checks the VOB files in the given order and
  // shows the job dialog.
  void OpenFiles(const std::vector<std::string>& files);

  // Shows the job dialog (modal).
  void ShowJobDialog();
  // The text window: shown, or hidden when it is shown (the main window's
  // tool button).
  void ShowTextWindow();
  void ToggleTextWindow();

 private:
  void CreateWindows(const std::string& programDirectory);
  void Connect();
  void ConnectMatrixCommands();
  void ConnectRunDialogs();
  void ConnectSettings();

  RunCompanions companions_;
  // The main window; the others are its children (their pointers are
  // valid while it lives).
  std::unique_ptr<TForm1> form1_;
  TForm2* form2_ = nullptr;
  TForm3* form3_ = nullptr;  // creates Form13, Form14, Form17 and Form10 itself
  TForm4* form4_ = nullptr;
  TForm5* form5_ = nullptr;
  QPointer<TForm6> form6_;
  TForm9* form9_ = nullptr;
  TForm11* form11_ = nullptr;
  QPointer<TForm12> form12_;
  TForm18* form18_ = nullptr;
  MatrixMenu* matrixMenu_ = nullptr;
  // The progression controller's save folder as the configuration gave it:
  // a save there since replaces the job dialog's folder at close.
  std::string loadedBmpSupFolder_;
};

}  // namespace capter
