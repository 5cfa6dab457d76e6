// Every window of the program, created once at start in the documented
// order and kept until the end: the main window first, then the dialogs.
// Windows built elsewhere have marked slots here; each slot is filled by
// creating the window at its place in the order, connecting the main
// window's and the job dialog's signals to it, and, for the run's dialogs,
// handing it to RunCompanions (SetAdjustment, SetProgression, SetTeacher,
// SetColourChooser).
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

class ProgramWindows {
 public:
  explicit ProgramWindows(std::string programDirectory);
  ~ProgramWindows();

  TForm1& Main() { return *form1_; }
  TForm6& Job() { return *form6_; }
  TForm12& About() { return *form12_; }
  RunCompanions& Companions() { return companions_; }

  // The windows in the order language files list them: Form1, Form2,
  // Form3, Form4, Form5, Form6, Form9, Form10, Form11, Form12, Form13,
  // Form14, Form17, Form18 (windows not built are left out).
  QList<QWidget*> TranslatedWindows() const;

  // "capter FILE...": lists the folder of the files, reads the stream names
  // of an IFO file among them, checks the VOB files in the given order and
  // shows the job dialog.
  void OpenFiles(const std::vector<std::string>& files);

  // Shows the job dialog (modal).
  void ShowJobDialog();

 private:
  void Connect();

  RunCompanions companions_;
  std::unique_ptr<TForm1> form1_;  // the main window; the others are its children
  // SLOT TForm2 "New Character(s)" (ocr/): companions_.SetTeacher.
  // SLOT TForm3 "Subtitles" (text/): TForm1::ToggleTextWindowRequested,
  //      ShowTextWindowRequested; TForm6::ShowTextWindowRequested, ViewTextRequested.
  // SLOT TForm4 "OCR Advanced Setup" (ocr/): TForm1::OcrAdvancedSetupRequested.
  // SLOT TForm5 "View/Edit Character Matrix" (ocr/): TForm1::EditMatrixRequested;
  //      the matrix commands: TForm1::Open/Save/SaveAs/NewMatrixRequested,
  //      TForm6::OpenMatrixRequested, NewMatrixRequested, TForm1::SetMatrixCloseCheck.
  QPointer<TForm6> form6_;
  // SLOT TForm9 "Font color selection" (ocr/): companions_.SetColourChooser.
  // SLOT TForm10 "Post OCR Correction" (text/).
  // SLOT TForm11 "Progression Controller" (export/): companions_.SetProgression.
  QPointer<TForm12> form12_;
  // SLOT TForm13 "Output Format" (text/).
  // SLOT TForm17 "Split Text File" (text/).
  // SLOT TForm18 "Bitmap adjustment" (export/): companions_.SetAdjustment,
  //      TForm6::BitmapAdjustmentDue.
  // SLOT TForm14 "Time correction" (text/).
};

}  // namespace capter
