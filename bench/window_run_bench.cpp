// How the desktop program's run keeps the window answering and how fast it
// reads: a show-only run of a ~1 GiB title through the real windows (preview
// background off), timed beside `capter-cli info` on the same file in the
// same process, and the longest time between two moments the window handled
// its events (measured by a zero-interval timer, which fires only then).
//
//   window_run_bench [BIG.vob] [SOURCE.vob]
//
// The big file is made by repeating SOURCE.vob (default: the corpus's
// dialogue title) up to 1 GiB unless it exists; it is read once first so
// both runs read from the page cache. Figures, not a test.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/program_windows.h"
#include "app/qt_message_boxes.h"
#include "cli/info_command.h"
#include "export/bitmap_adjustment_dialog.h"
#include "export/progression_controller.h"
#include "ui_job_dialog.h"
#include "ui_main_window.h"

namespace {

namespace fs = std::filesystem;

void MakeBigFile(const std::string& big, const std::string& source) {
  if (fs::exists(big) && fs::file_size(big) >= (1u << 30)) return;
  std::ifstream in(source, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::ofstream out(big, std::ios::binary);
  for (uint64_t size = 0; size < (1u << 30); size += bytes.size()) out << bytes;
}

void ReadOnce(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buffer(1 << 20);
  while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
  }
}

class NoBoxes : public capter::MessageBoxes {
 public:
  capter::Answer Ask(capter::MessageKind, capter::ButtonSet, const std::string&) override {
    return capter::Answer::Ok;
  }
};

// The run's display without a window: records the largest distance, in
// sectors, between two calls that hand control to the user.
class GapDisplay : public capter::RunDisplay {
 public:
  void ShowProgress(const capter::RunProgress& progress) override {
    position_ = progress.positionKiB;
  }
  void ProcessPendingEvents() override {
    if (position_ >= last_) longest = std::max(longest, (position_ - last_) / 2);
    last_ = position_;
  }
  uint32_t longest = 0;

 private:
  uint32_t position_ = 0;
  uint32_t last_ = 0;
};

class StillClock : public capter::MillisecondClock {
 public:
  int64_t Now() override { return 0; }
};

// A show-only run of the same file without any window: the engine's own
// speed, and the longest stretch of sectors read without handing control on.
void HeadlessShowOnly(const std::string& big) {
  NoBoxes boxes;
  StillClock clock;
  GapDisplay display;
  capter::RunSession session({.boxes = boxes, .clock = clock, .display = display});
  capter::JobRequest request;
  request.files = {big};
  request.action = capter::RunAction::ShowOnly;
  QElapsedTimer timer;
  timer.start();
  session.Execute(request, capter::kZeroTimeCode);
  const double seconds = static_cast<double>(timer.elapsed()) / 1000;
  std::cout << "headless show-only run: " << seconds << " s, "
            << static_cast<double>(fs::file_size(big)) / 1e6 / seconds << " MB/s; "
            << "longest stretch between event-processing calls: " << display.longest
            << " sectors\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::string big = argc > 1 ? argv[1] : "/tmp/capter_cli_big.vob";
  const std::string source =
      argc > 2 ? argv[2]
               : std::string(CAPTER_CORPUS_DIR) + "/p07_pal_dialogue_serif/VIDEO_TS/VTS_01_1.VOB";
  MakeBigFile(big, source);
  ReadOnce(big);
  const double megabytes = static_cast<double>(fs::file_size(big)) / 1e6;

  QElapsedTimer clock;
  clock.start();
  std::ostringstream out;
  std::ostringstream err;
  capter::cli::RunInfoCommand({big}, out, err);
  const double infoSeconds = static_cast<double>(clock.elapsed()) / 1000;

  HeadlessShowOnly(big);

  NoBoxes boxes;
  capter::SetWindowBoxes(&boxes);
  const fs::path folder = fs::temp_directory_path() / "capter_window_bench";
  fs::create_directories(folder);
  capter::ProgramWindows windows(folder.string() + "/");
  capter::TForm1& main = windows.Main();
  main.show();
  QApplication::processEvents();
  main.Controls().RadioGroupPreviewBack->SetItemIndex(capter::kBackNone);
  capter::TForm6& job = windows.Job();
  job.ListFolder(fs::path(big).parent_path().string());
  job.CheckFiles({big});
  job.Controls().RadioGroupAction->SetItemIndex(3);

  // Fires whenever the window handles its events.
  // The first tick comes from the window's 500 ms timer; the reading time
  // is counted from the first event handling inside the read.
  capter::ExtractionRun& run = main.Session().Run();
  qint64 longestGap = 0;
  qint64 last = -1;
  qint64 opened = -1;
  qint64 lastReading = -1;  // the last event handling inside the read
  uint32_t lastKiB = 0;
  uint32_t longestSectors = 0;
  QTimer probe;
  probe.setInterval(0);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    // The run is measured without a person: the adjustment is taken as it
    // stands and the progression controller told not to stop.
    for (auto [window, button] :
         {std::pair<QWidget*, const char*>{&windows.Adjustment(), "BitBtn1"},
          {&windows.Progression(), "ButtonNoStop"}}) {
      if (window->isVisible()) window->findChild<QPushButton*>(button)->click();
    }
    const qint64 now = clock.nsecsElapsed();
    if (run.State() == capter::RunState::Reading) {
      if (opened < 0) opened = now;
      lastReading = now;
    }
    if (opened >= 0 && last >= opened) longestGap = std::max(longestGap, now - last);
    last = now;
    const uint32_t kib = main.LastPositionKiB();
    if (opened >= 0 && kib >= lastKiB)
      longestSectors = std::max(longestSectors, (kib - lastKiB) / 2);
    lastKiB = kib;
  });
  job.Controls().BitBtnStart->click();
  clock.restart();
  probe.start();
  while (run.State() != capter::RunState::Idle) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  }
  probe.stop();
  // From the first to the last event handling inside the read: the time the
  // file took to read, without the wait for the window's next timer tick.
  const double windowSeconds = static_cast<double>(lastReading - opened) / 1e9;
  std::cout << "file: " << big << " (" << megabytes << " MB)\n"
            << "capter-cli info: " << infoSeconds << " s, " << megabytes / infoSeconds << " MB/s\n"
            << "window show-only run (preview background off, units " << run.Reader().UnitsInRun()
            << "): " << windowSeconds << " s, " << megabytes / windowSeconds << " MB/s\n"
            << "window / info time: " << windowSeconds / infoSeconds << "\n"
            << "longest gap between event handling: " << static_cast<double>(longestGap) / 1e6
            << " ms; " << longestSectors << " sectors read between two\n";
  fs::remove_all(folder);
  capter::SetWindowBoxes(nullptr);
  return 0;
}
