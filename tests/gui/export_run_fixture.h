// A run session whose BMP and show-only runs go through the real bitmap
// adjustment window and progression controller, over a corpus title.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <filesystem>
#include <string>

#include "app/qt_message_boxes.h"
#include "app/run_session.h"
#include "export/bitmap_adjustment_dialog.h"
#include "export/progression_controller.h"
#include "tests/export/temp_folder.h"
#include "tests/gui/export_window_driver.h"
#include "tests/support/corpus.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {

class StepClock : public MillisecondClock {
 public:
  int64_t Now() override { return now += 3; }
  int64_t now = 0;
};

inline constexpr char kTitle[] = "p01_pal_text_dejavu";

class ExportRunTest : public TempFolderTest {
 protected:
  ExportRunTest()
      : session_(SessionFrontEnd{.boxes = boxes_,
                                 .clock = clock_,
                                 .display = display_,
                                 .preview = &preview_,
                                 .adjustment = &adjustment_,
                                 .progression = &progression_}) {
    adjustment_.Attach(session_);
    adjustment_.SetPreview(&preview_);
    adjustment_.SetDialogs(&dialogs_);
    progression_.Attach(session_);
    progression_.SetAdjustment(&adjustment_);
    progression_.SetDialogs(&dialogs_);
    session_.Text().SetClock([] { return std::string("08/12/2026 13:00:00"); });
    SetWindowBoxes(&boxes_);
  }
  ~ExportRunTest() override { SetWindowBoxes(nullptr); }

  JobRequest Job(RunAction action, const std::string& prefix = "", bool timing = false) {
    return JobRequest{.files = FindCorpusCase(kTitle).vobFiles,
                      .streamIndex = 0,
                      .action = action,
                      .addTimingEntries = timing,
                      .outputPath = prefix};
  }

  // What the job dialog's Start does for a BMP or show-only run, then the
  // whole run.
  bool Run(const JobRequest& request) {
    adjustment_.SetAskAgain(true);
    return session_.Execute(request, kZeroTimeCode);
  }

  template <typename T>
  T* In(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QPushButton* Button(QWidget& window, const char* name) { return In<QPushButton>(window, name); }
  QComboBox* Combo(const char* name) { return In<QComboBox>(adjustment_, name); }

  // A user's choice in a drop-down list.
  static void Choose(QComboBox* combo, int row) {
    combo->setCurrentIndex(row);
    emit combo->activated(row);
  }
  static void ClickSwatch(QWidget* swatch) {
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3),
                        swatch->mapToGlobal(QPointF(3, 3)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(swatch, &release);
  }

  std::vector<std::string> FilesIn(const std::filesystem::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScriptedMessageBoxes boxes_;
  StepClock clock_;
  RunDisplay display_;
  RecordingPreview preview_;
  ScriptedExportDialogs dialogs_;
  TForm18 adjustment_;
  TForm11 progression_;
  RunSession session_;
};

}  // namespace capter::testing
