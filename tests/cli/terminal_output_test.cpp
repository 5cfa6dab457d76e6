// The terminal side of the tool: the progress line and typed answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/terminal_progress.h"
#include "cli/terminal_teacher.h"

namespace capter::testing {
namespace {

class FakeClock : public MillisecondClock {
 public:
  int64_t Now() override { return now; }
  int64_t now = 1000;
};

TEST(TerminalProgress, LineShowsPercentRateUnitsAndTimes) {
  RunProgress progress = ComputeProgress(20 * 1024, 40 * 1024, "Capter");
  EXPECT_EQ(cli::ProgressLine(progress, 2000, 7, "00:00:02", "00:00:02"),
            " 50%    10.0 MB/s      7 sub-pictures  elapsed 00:00:02  remaining 00:00:02");
  // No time gone yet: no rate rather than a division by zero.
  EXPECT_EQ(cli::ProgressLine(progress, 0, 0, "00:00:00", "--:--:--").substr(0, 18),
            " 50%     0.0 MB/s ");
}

TEST(TerminalProgress, DrawsInPlaceAtMostFiveTimesASecondAndOnlyWhenEnabled) {
  FakeClock clock;
  std::ostringstream silent, shown;
  cli::TerminalProgress off(silent, clock, false);
  cli::TerminalProgress on(shown, clock, true);
  for (int step = 0; step <= 10; ++step) {
    clock.now += 50;
    const RunProgress progress = ComputeProgress(step * 1024, 10 * 1024, "Capter");
    off.ShowProgress(progress);
    on.ShowProgress(progress);
  }
  on.Clear();
  off.Clear();
  EXPECT_EQ(silent.str(), "");
  const std::string text = shown.str();
  // Drawn at 0 ms, then every 200 ms, and at 100% whatever the time.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4 + 1);
  EXPECT_NE(text.find("100%"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 4), "\r\x1b[K");
}

// A short run's first estimate comes from almost no data ("00:01:04" at
// 24% of a 0.7 s run); it is shown only after some seconds.
TEST(TerminalProgress, RemainingTimeWaitsUntilItMeansSomething) {
  FakeClock clock;
  std::ostringstream shown;
  cli::TerminalProgress progress(shown, clock, true);
  clock.now += 700;
  progress.ShowRemaining("00:01:04");
  progress.ShowProgress(ComputeProgress(24, 100, "Capter"));
  EXPECT_NE(shown.str().find("remaining --:--:--"), std::string::npos) << shown.str();
  clock.now += cli::kMeaningfulEstimateMs;
  progress.ShowRemaining("00:00:09");
  progress.ShowProgress(ComputeProgress(90, 100, "Capter"));
  EXPECT_NE(shown.str().find("remaining 00:00:09"), std::string::npos) << shown.str();
}

TEST(TypedAnswer, Utf8BecomesWindows1252AndOtherBytesStay) {
  EXPECT_EQ(cli::AnswerText("Ab1"), "Ab1");
  EXPECT_EQ(cli::AnswerText("\xC3\xA9"), "\xE9");              // é
  EXPECT_EQ(cli::AnswerText("\xE2\x82\xAC"), "\x80");          // the euro sign
  EXPECT_EQ(cli::AnswerText("\xC2\xAB\xC2\xBB"), "\xAB\xBB");  // « »
  EXPECT_EQ(cli::AnswerText("\xE9"), "\xE9");                  // already Windows-1252
  EXPECT_EQ(cli::AnswerText("\xC3"), "\xC3");                  // cut short: taken as is
  EXPECT_EQ(cli::AnswerText("\xE4\xF6\xFC"), "\xE4\xF6\xFC");  // äöü in Windows-1252
  EXPECT_EQ(cli::AnswerText(""), "");
}

}  // namespace
}  // namespace capter::testing

namespace capter::testing {
namespace {

TEST(UnknownLine, ProposalsAddTheScreenBoxAndTheQuotedProposal) {
  Glyph glyph;
  Picture24 bitmap(4, 4);
  LineTable table;
  table.count = 1;
  table.lines[0].boxes.push_back(CharBox{0, 0, 2, 3, 0, 0});
  TeachRequest request{glyph, bitmap, table, 0, 0, 1};
  request.screenBox = Rect{100, 400, 101, 402};
  const TimeCode start = ParseTimeCode("00:00:01,500");
  const std::string plain = "unknown: start=00:00:01,500 line=1/1 char=1/1";
  EXPECT_EQ(cli::UnknownLine(request, start), plain);
  EXPECT_EQ(cli::UnknownLine(request, start, true), plain + " box=100,400,101,402");
  request.proposal = "\"\xE9\\";  // a quote, é and a backslash
  EXPECT_EQ(cli::UnknownLine(request, start, true),
            plain + " box=100,400,101,402 suggest=\"\\\"\xC3\xA9\\\\\"");
}

}  // namespace
}  // namespace capter::testing
