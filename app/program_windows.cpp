#include "app/program_windows.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QTimer>

#include "app/qt_text.h"
#include "export/bitmap_adjustment_dialog.h"
#include "export/progression_controller.h"
#include "ocr/matrix_editor.h"
#include "ocr/matrix_menu.h"
#include "ocr/new_character_dialog.h"
#include "ocr/ocr_settings_dialog.h"
#include "ocr/text_colour_dialog.h"
#include "text/output_format_dialog.h"
#include "text/post_ocr_correction_dialog.h"
#include "text/split_dialog.h"
#include "text/subtitles_window.h"
#include "text/time_correction_dialog.h"
#include "ui_main_window.h"

namespace capter {
namespace {

bool IsIfo(const std::string& path) {
  return QFileInfo(ToQt(path)).suffix().compare("ifo", Qt::CaseInsensitive) == 0;
}

}  // namespace

ProgramWindows::ProgramWindows(std::string programDirectory)
    : form1_(std::make_unique<TForm1>(companions_, programDirectory)) {
  CreateWindows(programDirectory);
  Connect();
}

ProgramWindows::~ProgramWindows() {
  // The run's questions go nowhere once their windows are gone.
  companions_.SetAdjustment(nullptr);
  companions_.SetProgression(nullptr);
  companions_.SetTeacher(nullptr);
  companions_.SetColourChooser(nullptr);
}

void ProgramWindows::CreateWindows(const std::string& programDirectory) {
  // The documented creation order; every window is owned by the main window.
  TForm1* main = form1_.get();
  RunSession& session = main->Session();
  Configuration& configuration = main->Settings().configuration;
  form2_ = new TForm2(main);
  form3_ = new TForm3(session.Text(), configuration, main, main);
  form4_ = new TForm4(session.Ocr(), ConfigurationPath(programDirectory), main);
  form5_ = new TForm5(session.Matrix(), main);
  form6_ = new TForm6(session, *main, main);
  form9_ = new TForm9(main);
  form11_ = new TForm11(main);
  form12_ = new TForm12(main);
  form18_ = new TForm18(main);
  matrixMenu_ = new MatrixMenu(session.Matrix(), configuration.shell.OpenDialogCharMatrix,
                               configuration.shell.SaveDialogCharMatrix, main);
}

void ProgramWindows::Connect() {
  TForm1* main = form1_.get();
  main->SetTranslatedWindows([this] { return TranslatedWindows(); });
  QObject::connect(main, &TForm1::OpenJobRequested, main, [this] { ShowJobDialog(); });
  QObject::connect(main, &TForm1::AboutRequested, main, [this] { form12_->exec(); });
  QObject::connect(main, &TForm1::OcrAdvancedSetupRequested, main, [this] { form4_->exec(); });
  QObject::connect(main, &TForm1::ToggleTextWindowRequested, main, [this] { ToggleTextWindow(); });
  QObject::connect(main, &TForm1::ShowTextWindowRequested, main, [this] { ShowTextWindow(); });
  QObject::connect(form6_, &TForm6::ShowTextWindowRequested, main, [this] { ShowTextWindow(); });
  QObject::connect(form6_, &TForm6::ViewTextRequested, main, [this] { ShowTextWindow(); });
  ConnectMatrixCommands();
  ConnectRunDialogs();
  ConnectSettings();
}

void ProgramWindows::ConnectMatrixCommands() {
  TForm1* main = form1_.get();
  MatrixMenu* menu = matrixMenu_;
  form5_->SetMainWindow(main);
  menu->SetEditor(form5_);
  QObject::connect(main, &TForm1::NewMatrixRequested, menu, &MatrixMenu::NewMatrixClick);
  QObject::connect(main, &TForm1::OpenMatrixRequested, menu, &MatrixMenu::OpenMatrixClick);
  QObject::connect(main, &TForm1::SaveMatrixRequested, menu, &MatrixMenu::SaveMatrixClick);
  QObject::connect(main, &TForm1::SaveMatrixAsRequested, menu, &MatrixMenu::SaveMatrixAsClick);
  QObject::connect(main, &TForm1::EditMatrixRequested, menu, &MatrixMenu::EditViewMatrixClick);
  QObject::connect(form6_, &TForm6::NewMatrixRequested, menu, &MatrixMenu::NewMatrixClick);
  QObject::connect(form6_, &TForm6::OpenMatrixRequested, menu, &MatrixMenu::OpenMatrixClick);
  QObject::connect(menu, &MatrixMenu::MatrixFileShown, form6_, &TForm6::ShowMatrixFile);
  main->SetMatrixCloseCheck([this] { return matrixMenu_->ConfirmClose(); });
  // A taught character or a matrix found by the search shows in the editor.
  QObject::connect(form2_, &TForm2::CharacterTaught, form5_, &TForm5::CatchUp);
  QObject::connect(form2_, &TForm2::MatrixReplaced, form5_, &TForm5::Refill);
  QObject::connect(form2_, &TForm2::MatrixReplaced, form6_, &TForm6::ShowMatrixOfSession);
}

void ProgramWindows::ConnectRunDialogs() {
  TForm1* main = form1_.get();
  RunSession& session = main->Session();
  form2_->SetMatrixSearch(&session.Matrix(), &session.Ocr(), main->ProgramFolder() + "ChMatrix/");
  form2_->SetRunControl([&session] { return session.Run().Job().busy; },
                        [main] { main->ButtonPauseClick(); });
  form9_->SetMainWindow(main);
  form9_->SetTextWindow(form3_);
  form9_->SetPreview([main, &session](const Picture24& picture) {
    main->ShowPicture(picture, session.Dispatch().CurrentArea());
  });
  // Recognition shows the picture it reads, cropped to its text, when "Show
  // Pict." is checked.
  if (Recogniser* recogniser = session.Recognition()) {
    recogniser->SetPreview([main, &session](const Picture24& picture) {
      if (main->Controls().CheckBoxShowSubPict->isChecked()) {
        main->ShowPicture(picture, session.Dispatch().CurrentArea());
      }
    });
  }
  form18_->Attach(session);
  form18_->SetPreview(main);
  form18_->SetTextWindow(form3_);
  form18_->SetProgramDirectory(main->ProgramFolder());
  form11_->Attach(session);
  form11_->SetAdjustment(form18_);
  form11_->SetTextWindow(form3_);
  form11_->SetShowPictureBox(main->Controls().CheckBoxShowSubPict);
  QObject::connect(form6_, &TForm6::BitmapAdjustmentDue, form18_,
                   [this] { form18_->SetAskAgain(true); });
  companions_.SetTeacher(form2_);
  companions_.SetColourChooser(form9_);
  companions_.SetAdjustment(form18_);
  companions_.SetProgression(form11_);
}

void ProgramWindows::ConnectSettings() {
  TForm1* main = form1_.get();
  QObject::connect(main, &TForm1::SettingsLoaded, main, [this] {
    ProgramSettings& settings = form1_->Settings();
    form6_->TakeSettings(settings);
    form3_->ApplyConfiguration();
    loadedBmpSupFolder_ = settings.configuration.shell.SaveDialogBmpSup;
    form11_->SetSaveFolder(loadedBmpSupFolder_);
  });
  QObject::connect(main, &TForm1::SavingSettings, main, [this] {
    ProgramSettings& settings = form1_->Settings();
    form6_->PutSettings(settings);
    if (form11_->SaveFolder() != loadedBmpSupFolder_) {
      settings.configuration.shell.SaveDialogBmpSup = form11_->SaveFolder();
    }
  });
}

QList<QWidget*> ProgramWindows::TranslatedWindows() const {
  QList<QWidget*> windows;
  const auto add = [&windows](QWidget* window) {
    if (window != nullptr) windows << window;
  };
  add(form1_.get());
  add(form2_);
  add(form3_);
  add(form4_);
  add(form5_);
  add(form6_);
  add(form9_);
  if (form3_ != nullptr) add(&form3_->CorrectionDialog());
  add(form11_);
  add(form12_);
  if (form3_ != nullptr) {
    add(&form3_->OutputFormatDialog());
    add(&form3_->TimeCorrectionDialog());
    add(&form3_->SplitDialog());
  }
  add(form18_);
  return windows;
}

void ProgramWindows::ShowJobDialog() {
  form6_->exec();
}

void ProgramWindows::ShowTextWindow() {
  form3_->show();
  form3_->raise();
}

void ProgramWindows::ToggleTextWindow() {
  if (form3_->isVisible()) {
    form3_->hide();
  } else {
    ShowTextWindow();
  }
}

void ProgramWindows::OpenFiles(const std::vector<std::string>& files) {
  if (files.empty()) return;
  std::vector<std::string> vobs;
  std::string ifo;
  for (const std::string& file : files) {
    if (IsIfo(file)) {
      ifo = file;
    } else {
      vobs.push_back(file);
    }
  }
  if (!ifo.empty()) {
    form6_->OpenIfo(ifo);
  } else {
    form6_->ListFolder(FromQt(QFileInfo(ToQt(vobs.front())).absolutePath()));
  }
  form6_->CheckFiles(vobs);
  ShowJobDialog();
}

}  // namespace capter
