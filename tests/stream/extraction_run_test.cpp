#include "stream/extraction_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "tests/stream/vob_builder.h"
#include "tests/support/corpus.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter {
namespace {

using testing::ScriptedMessageBoxes;

class FakeClock : public MillisecondClock {
 public:
  int64_t Now() override { return now += 7; }
  int64_t now = 1000;
};

class RecordingDisplay : public RunDisplay {
 public:
  void ShowPauseButton(bool enabled, bool paused) override {
    pauseEnabled = enabled;
    pauseShowsContinue = paused;
  }
  void ShowProgress(const RunProgress& progress) override { lastProgress = progress; }
  void ShowUnitCounts(uint32_t inFile, uint32_t inRun) override {
    unitsInFile = inFile;
    unitsInRun = inRun;
  }
  bool pauseEnabled = false;
  bool pauseShowsContinue = false;
  RunProgress lastProgress;
  uint32_t unitsInFile = 0;
  uint32_t unitsInRun = 0;
};

struct SeenUnit {
  uint32_t pts;
  int32_t sector;
  size_t size;
  friend bool operator==(const SeenUnit&, const SeenUnit&) = default;
};

// Records every unit; `onUnit` may act on the run from inside the dispatch,
// as a dialog opened there would.
class RecordingDispatcher : public UnitDispatcher {
 public:
  void Dispatch(const CollectedUnit& unit) override {
    seen.push_back({unit.pts, unit.sector, unit.bytes.size()});
    if (onUnit) onUnit(seen.size());
  }
  std::vector<SeenUnit> seen;
  std::function<void(size_t)> onUnit;
};

class ExtractionRunTest : public ::testing::Test {
 protected:
  ExtractionRunTest() : run_(boxes_, clock_, display_) { run_.SetDispatcher(&dispatcher_); }

  JobRequest SplitTitle() {
    const testing::CorpusCase c = testing::FindCorpusCase("p05_ntsc_split3");
    JobRequest request;
    request.files = c.vobFiles;
    return request;
  }

  std::vector<SeenUnit> Uninterrupted(const JobRequest& request) {
    ScriptedMessageBoxes boxes;
    FakeClock clock;
    RunDisplay display;
    RecordingDispatcher dispatcher;
    ExtractionRun run(boxes, clock, display);
    run.SetDispatcher(&dispatcher);
    run.Start(request);
    run.RunToEnd();
    return dispatcher.seen;
  }

  ScriptedMessageBoxes boxes_;
  FakeClock clock_;
  RecordingDisplay display_;
  RecordingDispatcher dispatcher_;
  ExtractionRun run_;
};

TEST_F(ExtractionRunTest, RunIsIdleAndPausedUntilTheFirstStart) {
  EXPECT_EQ(run_.State(), RunState::Paused);
  EXPECT_FALSE(run_.Tick());
  run_.Start(SplitTitle());
  EXPECT_EQ(run_.State(), RunState::BetweenFiles);
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Idle);
  EXPECT_EQ(dispatcher_.seen.size(), 18u);
  EXPECT_EQ(run_.Job().currentFile, 4);
  EXPECT_FALSE(display_.pauseEnabled);
  EXPECT_EQ(display_.lastProgress.percent, 100);
}

TEST_F(ExtractionRunTest, PauseAndContinueInsideAFileReadEachSectorOnce) {
  const JobRequest request = SplitTitle();
  const std::vector<SeenUnit> expected = Uninterrupted(request);
  // Pause after the 3rd and the 9th unit, both in the middle of a file.
  dispatcher_.onUnit = [&](size_t n) {
    if (n == 3 || n == 9) run_.PauseClick();
  };
  run_.Start(request);
  int pauses = 0;
  while (run_.State() != RunState::Idle) {
    run_.RunToEnd();
    if (run_.State() == RunState::Paused) {
      ++pauses;
      EXPECT_GT(run_.Job().reader.resumeSector, 0);
      EXPECT_TRUE(display_.pauseEnabled);
      EXPECT_TRUE(display_.pauseShowsContinue);
      run_.PauseClick();
    }
  }
  EXPECT_EQ(pauses, 2);
  EXPECT_EQ(dispatcher_.seen, expected);
}

// A front end closing during a read (from an event handled at a progress
// point) must wait until the read has returned; the run is paused, not
// ended, so the resume position stays consistent.
TEST_F(ExtractionRunTest, CloseDuringAReadWaitsForTheReadAndKeepsTheResumePoint) {
  const JobRequest request = SplitTitle();
  bool allowedInside = true;
  bool menuInside = true;
  bool pauseInside = false;
  dispatcher_.onUnit = [&](size_t n) {
    if (n != 4) return;
    allowedInside = run_.Allows(RunCommand::CloseProgram);
    menuInside = run_.Allows(RunCommand::OpenJobMenu) || run_.Allows(RunCommand::ChangeMatrix);
    pauseInside = run_.Allows(RunCommand::PauseContinue) && run_.Allows(RunCommand::OpenJob);
    run_.RequestClose();
    EXPECT_FALSE(run_.ReadReturnedForClose());
    EXPECT_FALSE(run_.Allows(RunCommand::PauseContinue));
  };
  run_.Start(request);
  run_.RunToEnd();
  EXPECT_FALSE(allowedInside);
  EXPECT_FALSE(menuInside);
  EXPECT_TRUE(pauseInside);
  EXPECT_TRUE(run_.ReadReturnedForClose());
  EXPECT_TRUE(run_.Allows(RunCommand::CloseProgram));
  EXPECT_EQ(run_.State(), RunState::Paused);
  EXPECT_GT(run_.Job().reader.resumeSector, 0);
  EXPECT_EQ(dispatcher_.seen.size(), 4u);
  // A job dialog Start after the close request cannot begin another read.
  EXPECT_FALSE(run_.Allows(RunCommand::OpenJob));
  EXPECT_FALSE(run_.Tick());
}

// The reader hands control to the user at least every 512 sectors, also
// through a long stretch without any unit and across the files of a job.
TEST_F(ExtractionRunTest, EventsAreProcessedAtLeastEvery512Sectors) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("capter_gaps_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::vector<testing::Sector> sectors;
  for (uint32_t i = 0; i < 1500; ++i) sectors.push_back(testing::VideoPack(i * 300));
  const testing::Bytes unit = testing::MakeUnit(0, 0, 3, 1, {0x00, 0x00}, {0x00, 0x00}, 100);
  testing::Append(sectors, testing::UnitPacks(900, 90000, unit));
  JobRequest request;
  request.files = {testing::WriteSectors((dir / "a.vob").string(), sectors),
                   testing::WriteSectors((dir / "b.vob").string(), sectors)};

  class GapDisplay : public RunDisplay {
   public:
    void ShowProgress(const RunProgress& progress) override { position = progress.positionKiB; }
    void ProcessPendingEvents() override {
      longest = std::max(longest, (position - last) / 2);
      last = position;
      ++calls;
    }
    uint32_t position = 0, last = 0, longest = 0, calls = 0;
  } display;
  ExtractionRun run(boxes_, clock_, display);
  run.SetDispatcher(&dispatcher_);
  run.Start(request);
  run.RunToEnd();
  EXPECT_EQ(dispatcher_.seen.size(), 2u);
  EXPECT_LE(display.longest, 512u);
  EXPECT_GE(display.calls, 2u * 1500 / 512);
  fs::remove_all(dir);
}

// A minute spent in a dialog opened from the dispatch (the progression
// controller) counts as reading time unless the measurement restarts when
// the dialog lets the run go on.
TEST_F(ExtractionRunTest, RestartingTheElapsedMeasurementLeavesAHeldMinuteOut) {
  for (const bool restart : {false, true}) {
    FakeClock clock;
    RunDisplay display;
    RecordingDispatcher dispatcher;
    ExtractionRun run(boxes_, clock, display);
    run.SetDispatcher(&dispatcher);
    dispatcher.onUnit = [&](size_t n) {
      if (n != 2) return;
      clock.now += 60000;
      if (restart) run.RestartElapsedMeasurement();
    };
    run.Start(SplitTitle());
    run.RunToEnd();
    ASSERT_EQ(dispatcher.seen.size(), 18u);
    EXPECT_EQ(run.Job().elapsed.minutes, restart ? 0 : 1) << restart;
  }
}

TEST_F(ExtractionRunTest, PauseFromTeachingBringsTheSameUnitBackWithTheSameCounts) {
  const JobRequest request = SplitTitle();
  std::vector<SeenUnit> expected = Uninterrupted(request);
  expected.insert(expected.begin() + 5, expected[4]);
  uint32_t countsBefore = 0;
  dispatcher_.onUnit = [&](size_t n) {
    if (n == 5) {
      countsBefore = display_.unitsInRun;
      run_.PauseFromTeaching();
    }
  };
  run_.Start(request);
  run_.RunToEnd();
  ASSERT_EQ(run_.State(), RunState::Paused);
  EXPECT_EQ(run_.Reader().UnitsInRun(), countsBefore - 1);
  run_.PauseClick();
  run_.RunToEnd();
  EXPECT_EQ(dispatcher_.seen, expected);
  EXPECT_EQ(run_.Reader().UnitsInRun(), 18u);
}

// Every unit, including the two that begin in one file of the title and end
// in the next, comes back exactly once after a teaching pause.
TEST_F(ExtractionRunTest, PauseFromTeachingBringsBackEveryUnitOfASplitTitle) {
  const JobRequest request = SplitTitle();
  const std::vector<SeenUnit> uninterrupted = Uninterrupted(request);
  ASSERT_EQ(uninterrupted.size(), 18u);
  for (size_t pauseAt = 1; pauseAt <= uninterrupted.size(); ++pauseAt) {
    SCOPED_TRACE("teaching pause at unit " + std::to_string(pauseAt));
    ScriptedMessageBoxes boxes;
    FakeClock clock;
    RunDisplay display;
    RecordingDispatcher dispatcher;
    ExtractionRun run(boxes, clock, display);
    run.SetDispatcher(&dispatcher);
    dispatcher.onUnit = [&](size_t n) {
      if (n == pauseAt) run.PauseFromTeaching();
    };
    run.Start(request);
    run.RunToEnd();
    ASSERT_EQ(run.State(), RunState::Paused);
    run.PauseClick();
    run.RunToEnd();
    std::vector<SeenUnit> expected = uninterrupted;
    expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(pauseAt), expected[pauseAt - 1]);
    EXPECT_EQ(dispatcher.seen, expected);
    EXPECT_EQ(run.Reader().UnitsInRun(), 18u);
    EXPECT_EQ(run.State(), RunState::Idle);
  }
}

TEST_F(ExtractionRunTest, StartDuringAReadBeginsOnlyAfterTheReadReturned) {
  JobRequest request = SplitTitle();
  JobRequest second = request;
  second.files = {request.files[2]};
  second.streamIndex = 0;
  dispatcher_.onUnit = [&](size_t n) {
    if (n == 2) run_.Start(second);
  };
  run_.Start(request);
  EXPECT_TRUE(run_.Tick());
  // The interrupted read ended at its next pause point; the new job waits
  // for the next tick, from its own first file.
  EXPECT_EQ(run_.State(), RunState::BetweenFiles);
  EXPECT_EQ(run_.Job().files, second.files);
  EXPECT_EQ(run_.Job().currentFile, 1);
  EXPECT_EQ(run_.Job().reader.resumeSector, 0);
  dispatcher_.onUnit = nullptr;
  const size_t before = dispatcher_.seen.size();
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Idle);
  EXPECT_GT(dispatcher_.seen.size(), before);
}

TEST_F(ExtractionRunTest, PauseTooLateForAPausePointKeepsContinueReachable) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("capter_run_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::vector<testing::Sector> sectors = {testing::NavigationPack(0, 0, 0, 0, 0x40)};
  const testing::Bytes unit = testing::MakeUnit(0, 0, 3, 1, {0x00, 0x00}, {0x00, 0x00}, 100);
  testing::Append(sectors, testing::UnitPacks(900, 90000, unit));
  JobRequest request;
  request.files = {testing::WriteSectors((dir / "a.vob").string(), sectors),
                   testing::WriteSectors((dir / "b.vob").string(), sectors)};
  dispatcher_.onUnit = [&](size_t n) {
    if (n == 1) run_.PauseClick();
  };
  run_.Start(request);
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Paused);
  EXPECT_EQ(run_.Job().currentFile, 2);
  EXPECT_TRUE(display_.pauseEnabled);
  run_.PauseClick();
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Idle);
  EXPECT_EQ(dispatcher_.seen.size(), 2u);
  fs::remove_all(dir);
}

// A unit that ends its file leaves no pause point after it, and one at the
// very first sector has nothing before it to resume from.
TEST_F(ExtractionRunTest, PauseFromTeachingBringsBackAUnitThatEndsItsFile) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("capter_teach_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const testing::Bytes unit = testing::MakeUnit(0, 0, 3, 1, {0x00, 0x00}, {0x00, 0x00}, 100);
  std::vector<testing::Sector> navigationFirst = {testing::NavigationPack(0, 0, 0, 0, 0x40)};
  testing::Append(navigationFirst, testing::UnitPacks(900, 90000, unit));
  const std::vector<testing::Sector> unitFirst = testing::UnitPacks(900, 180000, unit);
  JobRequest request;
  request.files = {testing::WriteSectors((dir / "a.vob").string(), navigationFirst),
                   testing::WriteSectors((dir / "b.vob").string(), unitFirst)};
  dispatcher_.onUnit = [&](size_t n) {
    if (n == 1 || n == 3) run_.PauseFromTeaching();
  };
  run_.Start(request);
  for (int pause = 0; pause < 2; ++pause) {
    run_.RunToEnd();
    ASSERT_EQ(run_.State(), RunState::Paused);
    EXPECT_EQ(run_.Job().currentFile, pause + 1);
    run_.PauseClick();
  }
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Idle);
  ASSERT_EQ(dispatcher_.seen.size(), 4u);
  EXPECT_EQ(dispatcher_.seen[0], dispatcher_.seen[1]);
  EXPECT_EQ(dispatcher_.seen[2], dispatcher_.seen[3]);
  EXPECT_EQ(dispatcher_.seen[2].sector, 0);
  EXPECT_EQ(run_.Reader().UnitsInRun(), 2u);
  fs::remove_all(dir);
}

// Two units of the stream with no other pack between them: the second one
// completes before the read returns to the pause, yet the paused first one
// is read again, and the second is handled once, after it.
TEST_F(ExtractionRunTest, PauseFromTeachingBringsBackAUnitFollowedDirectlyByAnother) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("capter_pair_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const testing::Bytes unit = testing::MakeUnit(0, 0, 3, 1, {0x00, 0x00}, {0x00, 0x00}, 100);
  std::vector<testing::Sector> sectors = {testing::NavigationPack(0, 0, 0, 0, 0x40)};
  testing::Append(sectors, testing::UnitPacks(900, 90000, unit));
  testing::Append(sectors, testing::UnitPacks(900, 180000, unit));
  sectors.push_back(testing::VideoPack(900));
  testing::Append(sectors, testing::UnitPacks(900, 270000, unit));
  JobRequest request;
  request.files = {testing::WriteSectors((dir / "a.vob").string(), sectors)};
  dispatcher_.onUnit = [&](size_t n) {
    if (n == 1) run_.PauseFromTeaching();
  };
  run_.Start(request);
  run_.RunToEnd();
  ASSERT_EQ(run_.State(), RunState::Paused);
  run_.PauseClick();
  run_.RunToEnd();
  std::vector<uint32_t> order;
  for (const SeenUnit& seen : dispatcher_.seen) order.push_back(seen.pts / 90000);
  EXPECT_EQ(order, (std::vector<uint32_t>{1, 1, 2, 3}));
  EXPECT_EQ(run_.Reader().UnitsInRun(), 3u);
  fs::remove_all(dir);
}

TEST_F(ExtractionRunTest, VanishedFileIsReportedAndPassedOver) {
  JobRequest request = SplitTitle();
  request.files.insert(request.files.begin() + 1, "/nonexistent/VTS_01_9.VOB");
  run_.Start(request);
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Idle);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_NE(boxes_.asked[0].text.find("VTS_01_9.VOB"), std::string::npos);
}

TEST(RunProgress, PercentagePositionAndTitle) {
  const RunProgress p = ComputeProgress(1500000, 3 * 1048576, "Capter main window");
  EXPECT_EQ(p.percent, 47);
  EXPECT_EQ(p.position, "1464/3072 MB (47%)");
  EXPECT_EQ(p.title, "Capter - 47%");
  EXPECT_EQ(ComputeProgress(10, 0, "Capter").percent, 0);
  // Far past 40 GiB the percentage does not wrap.
  EXPECT_EQ(ComputeProgress(90000000, 100000000, "Capter").percent, 90);
}

TEST(RunProgress, RateIsSmoothedOnlyCloseToThePreviousOne) {
  EXPECT_EQ(SmoothedRate(0, 400), 400);     // first estimate of a file
  EXPECT_EQ(SmoothedRate(500, 400), 466);   // (400 + 1000) div 3
  EXPECT_EQ(SmoothedRate(1000, 400), 400);  // a jump is taken as it is
}

}  // namespace
}  // namespace capter
