// Shows the Subtitles window filled by a real recognition run over a corpus
// title, for looking at it under a display server: the run pauses part-way
// (the window as a run fills it), finishes, and then each of the window's
// dialogs is shown in turn. Every phase is announced on stdout and held for
// the given number of seconds.
//
//   text_window_demo [case] [seconds per phase]
#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/configuration.h"
#include "app/qt_message_boxes.h"
#include "app/run_session.h"
#include "ocr/text_colour_chooser.h"
#include "tests/ocr/truth_teacher.h"
#include "tests/support/corpus.h"
#include "text/output_format_dialog.h"
#include "text/post_ocr_correction_dialog.h"
#include "text/split_dialog.h"
#include "text/subtitles_window.h"
#include "text/time_correction_dialog.h"

namespace {

using namespace capter;

// Answers Yes until `real` is set, then asks with Qt's message boxes.
class DemoBoxes : public MessageBoxes {
 public:
  Answer Ask(MessageKind kind, ButtonSet buttons, const std::string& text) override {
    std::printf("question: %s\n", text.c_str());
    std::fflush(stdout);
    return real ? qt_.Ask(kind, buttons, text) : Answer::Yes;
  }
  bool real = false;

 private:
  QtMessageBoxes qt_;
};

class ChosenFile : public CommonDialogs {
 public:
  explicit ChosenFile(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> SaveFileName(QWidget*, const FileDialogRequest&) override {
    return path_;
  }
  std::optional<std::string> OpenFileName(QWidget*, const FileDialogRequest&) override {
    return path_;
  }
  std::optional<Colour> ChooseColour(QWidget*, Colour) override { return std::nullopt; }

 private:
  std::string path_;
};

class EventDisplay : public RunDisplay {
 public:
  void ProcessPendingEvents() override { QApplication::processEvents(); }
};

// Teaches from the title's known text; asks for a pause once, at the first
// question of subtitle `pauseAt`.
class RunTeacher : public CharacterTeacher {
 public:
  RunTeacher(RunDispatch& dispatch, std::vector<testing::ExpectedSubtitle> exact, size_t pauseAt)
      : dispatch_(dispatch), exact_(std::move(exact)), pauseAt_(pauseAt) {}

  TeachAnswer Teach(const TeachRequest& request) override {
    const std::string start = ToText(dispatch_.CurrentTimes().start);
    const auto found = std::find_if(exact_.begin(), exact_.end(),
                                    [&](const auto& e) { return ToText(e.start) == start; });
    if (found == exact_.end()) return {TeachStatus::SkipSubPicture, {}, false};
    if (!paused_ && static_cast<size_t>(found - exact_.begin()) + 1 >= pauseAt_) {
      paused_ = true;
      return {TeachStatus::Pause, {}, false};
    }
    truth_.SetExpected(found->lines);
    return truth_.Teach(request);
  }

 private:
  RunDispatch& dispatch_;
  std::vector<testing::ExpectedSubtitle> exact_;
  size_t pauseAt_;
  bool paused_ = false;
  testing::TruthTeacher truth_;
};

void Hold(const char* phase, int seconds) {
  std::printf("phase: %s\n", phase);
  std::fflush(stdout);
  for (int i = 0; i < seconds * 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(50);
  }
}

void ShowDialog(QDialog& dialog, const char* phase, int seconds) {
  dialog.show();
  Hold(phase, seconds);
  dialog.hide();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::string name = argc > 1 ? argv[1] : "p07_pal_dialogue_serif";
  const int seconds = argc > 2 ? std::stoi(argv[2]) : 3;
  const testing::CorpusCase title = testing::FindCorpusCase(name);

  DemoBoxes boxes;
  SteadyMillisecondClock clock;
  EventDisplay display;
  RunSession session({.boxes = boxes, .clock = clock, .display = display});
  RunTeacher teacher(session.Dispatch(), testing::ReadExpectedSubtitles(title.streams[0].exactFile),
                     30);
  DetectedTextColourChooser chooser;
  session.UseRecognition(teacher, chooser);

  QWidget main;  // stands in for the main window
  main.setWindowTitle("Capter");
  main.setGeometry(40, 40, 820, 700);
  main.show();
  Configuration configuration = DefaultConfiguration("/tmp/");
  TForm3 window(session.Text(), configuration, &main);
  window.resize(820, 330);
  window.show();
  Hold("start", 1);

  JobRequest request;
  request.files = title.vobFiles;
  session.StartJob(request, kZeroTimeCode);
  session.Run().RunToEnd();
  Hold("paused", seconds);
  session.Run().PauseClick();
  session.Run().RunToEnd();
  Hold("finished", seconds);

  TForm13& formats = window.OutputFormatDialog();
  formats.FormShow();
  formats.show();
  for (const auto& [tab, phase] :
       {std::pair{0, "form13"}, std::pair{2, "form13_subviewer2"}, std::pair{3, "form13_iauthor"},
        std::pair{4, "form13_philips"}}) {
    formats.findChild<QTabWidget*>("PageControlCapter")->setCurrentIndex(tab);
    Hold(phase, seconds);
  }
  formats.hide();
  window.TimeCorrectionDialog().FormShow();
  ShowDialog(window.TimeCorrectionDialog(), "form14", seconds);
  window.SplitDialog().FormShow();
  ShowDialog(window.SplitDialog(), "form17", seconds);
  ShowDialog(window.CorrectionDialog(), "form10", seconds);

  // Reopening a damaged file of the own format: the reader's question in a
  // real message box, answered by whoever looks at the screen.
  const std::string damaged = "/tmp/capter_demo_damaged.cpt";
  std::ofstream(damaged, std::ios::binary)
      << "1\r\n00:00:01,000 --> 00:00:02,000\r\nFirst\r\n\r\n"
         "two\r\n00:00:03,000 --> 00:00:04,000\r\nSecond\r\n\r\n";
  ChosenFile chosen(damaged);
  window.SetFileDialogs(&chosen);
  session.Text().SetTextModified(false);
  boxes.real = true;
  std::printf("phase: reader_prompt\n");
  std::fflush(stdout);
  window.OpenCapterFormat1Click();
  Hold("reopened", seconds);
  Hold("end", 1);
  return 0;
}
