// Figures of the Subtitles window with a full table: the time per appended
// subtitle as a run fills the table (by blocks of 1000, so a growing cost
// would show), and the time of a full refresh in every output format.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/configuration.h"
#include "base/message_box.h"
#include "text/subtitles_window.h"
#include "text/text_window_actions.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietBoxes : public capter::MessageBoxes {
 public:
  capter::Answer Ask(capter::MessageKind, capter::ButtonSet, const std::string&) override {
    return capter::Answer::Yes;
  }
};

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

capter::TimeCode At(int ms) {
  return capter::FromMilliseconds(ms);
}

}  // namespace

int main(int argc, char* argv[]) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  QuietBoxes boxes;
  capter::SubtitleTable table;
  capter::SubtitleTextModel model(table, boxes);
  capter::Configuration configuration = capter::DefaultConfiguration("/tmp/");
  capter::TForm3 window(model, configuration, nullptr);
  window.resize(900, 400);
  window.show();
  QApplication::processEvents();

  // --no-scroll: the run with the auto-scroll box unticked.
  const bool scroll = !(argc > 1 && std::string(argv[1]) == "--no-scroll");
  model.SetAutoScrollDown(scroll);
  std::printf("appending with the window shown, auto scroll %s (us per subtitle)\n",
              scroll ? "on" : "off");
  const std::vector<std::string> lines = {"A subtitle line of ordinary length,",
                                          "and a second line below it."};
  for (int block = 0; block < capter::kMaxSubtitles / 1000; ++block) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < 1000; ++i) {
      const int n = block * 1000 + i;
      model.AddSubtitle(lines, true, At(n * 3000), At(n * 3000 + 2000),
                        capter::Rect{100, 450, 620, 520});
      QApplication::processEvents();  // as the run's progress hook does
    }
    std::printf("  entries %5d-%5d: %7.1f\n", block * 1000 + 1, block * 1000 + 1000,
                MillisecondsSince(start));
  }

  std::printf("refresh of %d entries (ms)\n", table.Count());
  const char* names[] = {"own", "SubViewer", "SubViewer 2", "IAuthor", "Philips", "Sonic"};
  for (int format = 0; format < capter::kOutputFormatCount; ++format) {
    const Clock::time_point start = Clock::now();
    capter::ConvertToFormat(model, model.Options().settings,
                            static_cast<capter::OutputFormatCode>(format));
    QApplication::processEvents();  // the view lays out and paints
    std::printf("  %-12s %7.1f  (%zu lines)\n", names[format], MillisecondsSince(start),
                model.Lines().size());
  }
  return 0;
}
