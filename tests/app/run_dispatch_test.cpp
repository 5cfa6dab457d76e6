// The dispatch by action driven by a real run over corpus titles: the
// teaching pause, skipped BMP pictures, write failures and the show-only
// hold.
#include "app/run_dispatch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "ocr/character_matrix.h"
#include "tests/support/corpus.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter {
namespace {

using testing::ScriptedMessageBoxes;

class FakeClock : public MillisecondClock {
 public:
  int64_t Now() override { return now += 3; }
  int64_t now = 0;
};

// Answers every question with a one-letter text, without teaching it, and
// asks for a pause whenever `pause` says so.
class PausingTeacher : public CharacterTeacher {
 public:
  explicit PausingTeacher(std::function<bool()> pause) : pause_(std::move(pause)) {}
  TeachAnswer Teach(const TeachRequest&) override {
    TeachAnswer answer;
    answer.status = pause_() ? TeachStatus::Pause : TeachStatus::MatrixFound;
    answer.text = "x";
    return answer;
  }

 private:
  std::function<bool()> pause_;
};

class RunDispatchTest : public ::testing::Test {
 protected:
  RunDispatchTest()
      : run_(boxes_, clock_, display_),
        text_(table_, boxes_),
        dispatch_(DispatchParts{.run = run_, .text = text_, .boxes = boxes_}) {
    run_.SetDispatcher(&dispatch_);
  }

  JobRequest Title(const std::string& name, RunAction action) {
    JobRequest request;
    request.files = testing::FindCorpusCase(name).vobFiles;
    request.action = action;
    return request;
  }

  // Runs to the end, pressing Continue whenever the run pauses; returns
  // the number of pauses.
  int RunContinuing() {
    int pauses = 0;
    for (run_.RunToEnd(); run_.State() == RunState::Paused; run_.RunToEnd()) {
      ++pauses;
      run_.PauseClick();
    }
    return pauses;
  }

  ScriptedMessageBoxes boxes_;
  FakeClock clock_;
  RunDisplay display_;
  ExtractionRun run_;
  SubtitleTable table_;
  SubtitleTextModel text_;
  RunDispatch dispatch_;
};

TEST_F(RunDispatchTest, TeachingPauseReadsTheSubPictureAgainAndListsItOnce) {
  const testing::CorpusCase c = testing::FindCorpusCase("p05_ntsc_split3");
  const std::vector<testing::ExpectedSubtitle> exact =
      testing::ReadExpectedSubtitles(c.streams[0].exactFile);
  CharacterMatrix matrix;
  OcrSettings settings;
  TextColourState colour;
  DetectedTextColourChooser chooser;
  // Pauses at the first question of subtitles 1, 7 and 13; the last two
  // begin in one file of the title and end in the next.
  std::vector<std::string> pauseAt = {ToText(exact[0].start), ToText(exact[6].start),
                                      ToText(exact[12].start)};
  PausingTeacher teacher([&] {
    const auto found =
        std::find(pauseAt.begin(), pauseAt.end(), ToText(dispatch_.CurrentTimes().start));
    if (found == pauseAt.end()) return false;
    pauseAt.erase(found);
    return true;
  });
  Recogniser recogniser({matrix, settings, colour, chooser, teacher, dispatch_, boxes_});
  dispatch_.SetRecogniser(&recogniser);
  run_.Start(Title(c.name, RunAction::Recognise));
  EXPECT_EQ(RunContinuing(), 3);
  ASSERT_EQ(table_.Count(), exact.size());
  for (uint16_t i = 1; i <= table_.Count(); ++i) {
    EXPECT_EQ(ToText(table_.At(i).start), ToText(exact[i - 1].start)) << i;
    EXPECT_EQ(ToText(table_.At(i).stop), ToText(exact[i - 1].stop)) << i;
    EXPECT_EQ(table_.At(i).lineCount, exact[i - 1].lines.size()) << i;
  }
  EXPECT_EQ(run_.Reader().UnitsInRun(), exact.size());
  EXPECT_TRUE(matrix.Empty());
}

class SkipEvenPictures : public BitmapAdjustment {
 public:
  bool Due() const override { return true; }
  bool Adjust(const Picture24&, const Rect&) override { return ++shown % 2 == 1; }
  int shown = 0;
};

TEST_F(RunDispatchTest, SkippedBmpPicturesGetNeitherFileNorTimingEntry) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("capter_dispatch_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  SkipEvenPictures adjustment;
  RunDispatch dispatch(
      DispatchParts{.run = run_, .text = text_, .boxes = boxes_, .adjustment = &adjustment});
  run_.SetDispatcher(&dispatch);
  JobRequest request = Title("p04_pal_five_streams", RunAction::SaveBmp);
  request.addTimingEntries = true;
  request.outputPath = (dir / "pic").string();
  run_.Start(request);
  run_.RunToEnd();
  EXPECT_EQ(adjustment.shown, 7);
  // Files keep the unit's number, so the names show which were skipped.
  ASSERT_EQ(table_.Count(), 4);
  EXPECT_EQ(table_.At(2).lines[0], "pic000003.bmp");
  EXPECT_TRUE(fs::exists(dir / "pic000007.bmp"));
  EXPECT_FALSE(fs::exists(dir / "pic000002.bmp"));
  EXPECT_TRUE(boxes_.asked.empty());
  fs::remove_all(dir);
}

TEST_F(RunDispatchTest, FirstWriteFailurePausesTheRunWithOneMessage) {
  JobRequest request = Title("p04_pal_five_streams", RunAction::SaveSup);
  request.outputPath = "/nonexistent/folder/unit";
  run_.Start(request);
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Paused);
  EXPECT_EQ(dispatch_.WriteFailures(), 1u);
  run_.PauseClick();
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Idle);
  EXPECT_EQ(dispatch_.WriteFailures(), 7u);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Error);
}

class CountingHold : public ProgressionControl {
 public:
  bool NoStop() const override { return noStop; }
  void ClearNoStop() override { noStop = false; }
  void Hold(const PalettedPicture&, const CollectedUnit&) override {
    ++holds;
    noStop = holds == 2;  // the user lets the rest run through
  }
  bool noStop = true;
  int holds = 0;
};

TEST_F(RunDispatchTest, ShowOnlyHoldsAfterEachPictureUntilToldNotTo) {
  CountingHold hold;
  RunDispatch dispatch(
      DispatchParts{.run = run_, .text = text_, .boxes = boxes_, .progression = &hold});
  run_.SetDispatcher(&dispatch);
  run_.Start(Title("p04_pal_five_streams", RunAction::ShowOnly));  // clears "no stop"
  run_.RunToEnd();
  EXPECT_EQ(hold.holds, 2);
  EXPECT_EQ(table_.Count(), 0);
  EXPECT_GT(dispatch.Rendition().Width(), 0);
}

// A preview that draws only now and then: it wants no picture between its
// draws and records the pictures it is given.
class RefreshingPreview : public PicturePreview {
 public:
  void ShowPicture(const Picture24&, const Rect&) override { ++shown; }
  void ShowPicture(const PalettedPicture& picture, const Rect&) override {
    if (shown++ == 0) first = picture;
    last = picture;
  }
  bool PictureWanted() override { return wanted; }
  void PictureKept() override { ++kept; }
  bool wanted = false;
  int shown = 0;
  int kept = 0;
  PalettedPicture first;
  PalettedPicture last;
};

bool SamePicture(const PalettedPicture& a, const PalettedPicture& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.palette != b.palette) return false;
  const size_t pixels = static_cast<size_t>(a.Width()) * static_cast<size_t>(a.Height());
  return pixels == 0 || std::equal(a.Row(0), a.Row(0) + pixels, b.Row(0));
}

TEST_F(RunDispatchTest, ShowOnlyRendersOnlyTheLatestUnitWhenThePreviewDraws) {
  RefreshingPreview eager;
  eager.wanted = true;
  RunDispatch everyUnit(
      DispatchParts{.run = run_, .text = text_, .boxes = boxes_, .preview = &eager});
  run_.SetDispatcher(&everyUnit);
  run_.Start(Title("p04_pal_five_streams", RunAction::ShowOnly));
  run_.RunToEnd();
  ASSERT_EQ(eager.shown, 7);
  EXPECT_EQ(eager.kept, 0);
  ASSERT_FALSE(SamePicture(eager.first, eager.last));

  RefreshingPreview lazy;
  RunDispatch latestOnly(
      DispatchParts{.run = run_, .text = text_, .boxes = boxes_, .preview = &lazy});
  run_.SetDispatcher(&latestOnly);
  run_.Start(Title("p04_pal_five_streams", RunAction::ShowOnly));
  run_.RunToEnd();
  EXPECT_EQ(lazy.shown, 0);
  EXPECT_EQ(lazy.kept, 7);
  EXPECT_EQ(latestOnly.Decoded().Width(), 0);  // nothing decoded yet
  // The reader has moved on and ended: the kept unit is its own copy.
  latestOnly.ShowKeptPicture();
  EXPECT_EQ(lazy.shown, 1);
  EXPECT_TRUE(SamePicture(lazy.last, eager.last));
  EXPECT_TRUE(SamePicture(latestOnly.Rendition(), eager.last));
  latestOnly.ShowKeptPicture();  // already shown
  EXPECT_EQ(lazy.shown, 1);
}

TEST_F(RunDispatchTest, ShowOnlyWithoutAPreviewDecodesNothingButHeldUnitsAreRendered) {
  run_.Start(Title("p04_pal_five_streams", RunAction::ShowOnly));
  run_.RunToEnd();
  EXPECT_EQ(run_.Reader().UnitsInRun(), 7u);
  EXPECT_EQ(dispatch_.Decoded().Width(), 0);
  EXPECT_EQ(dispatch_.Rendition().Width(), 0);
  EXPECT_GT(dispatch_.CurrentArea().Width(), 1);

  // Held units are rendered at once, for the controller and the preview,
  // even by a preview that draws only now and then.
  CountingHold hold;
  RefreshingPreview lazy;
  RunDispatch dispatch(DispatchParts{
      .run = run_, .text = text_, .boxes = boxes_, .preview = &lazy, .progression = &hold});
  run_.SetDispatcher(&dispatch);
  run_.Start(Title("p04_pal_five_streams", RunAction::ShowOnly));
  run_.RunToEnd();
  EXPECT_EQ(hold.holds, 2);
  EXPECT_EQ(lazy.shown, 2);
  EXPECT_EQ(lazy.kept, 5);
}

// A full subtitle list: the user hears of it once, and nothing more is
// added (here timing entries of a BMP run).
TEST_F(RunDispatchTest, AFullSubtitleListIsReportedOnceAndLeftAsItIs) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("capter_full_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  while (!table_.Full()) text_.AddSubtitle({"old"}, false, {}, {}, {});
  JobRequest request = Title("p04_pal_five_streams", RunAction::SaveBmp);
  request.addTimingEntries = true;
  request.outputPath = (dir / "pic").string();
  run_.Start(request);
  run_.RunToEnd();
  EXPECT_EQ(run_.State(), RunState::Idle);
  EXPECT_EQ(table_.Count(), kMaxSubtitles);
  EXPECT_EQ(table_.Last().lines[0], "old");
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(boxes_.asked[0].text, TableFullWarning());
  fs::remove_all(dir);
}

TEST_F(RunDispatchTest, LinesOfOnlySpacesAreNotListed) {
  dispatch_.AddSubtitle({"   ", "a b", " "}, false, {}, {}, {});
  dispatch_.AddSubtitle({"  "}, false, {}, {}, {});
  ASSERT_EQ(table_.Count(), 1);
  EXPECT_EQ(table_.At(1).lineCount, 1);
  EXPECT_EQ(table_.At(1).lines[0], "a b");
}

// Every job chooses its text colour again: a second disc may use another
// palette code for its text.
TEST_F(RunDispatchTest, EveryJobChoosesItsTextColourAgain) {
  struct CountingChooser : DetectedTextColourChooser {
    std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap,
                                            TextColourState& state) override {
      ++asked;
      return DetectedTextColourChooser::ChooseTextColour(bitmap, state);
    }
    int asked = 0;
  } chooser;
  CharacterMatrix matrix;
  OcrSettings settings;
  TextColourState colour;
  PausingTeacher teacher([] { return false; });
  RunDispatch dispatch(
      DispatchParts{.run = run_, .text = text_, .boxes = boxes_, .colour = &colour});
  Recogniser recogniser({matrix, settings, colour, chooser, teacher, dispatch, boxes_});
  dispatch.SetRecogniser(&recogniser);
  run_.SetDispatcher(&dispatch);
  for (const char* title : {"p04_pal_five_streams", "p02_pal_image_latin1"}) {
    run_.Start(Title(title, RunAction::Recognise));
    run_.RunToEnd();
  }
  EXPECT_EQ(chooser.asked, 2);
  EXPECT_TRUE(colour.Chosen());
}

}  // namespace
}  // namespace capter
