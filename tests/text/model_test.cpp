// The text window's model: when entries are rendered, what the list holds,
// the unsaved-text flag, the file name, and the prompt that guards Clear.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/scripted_message_boxes.h"
#include "tests/text/text_test_support.h"
#include "text/subtitle_text_model.h"

namespace capter {
namespace {

using testing::Entry;
using testing::Tc;

struct RecordingListener : TextWindowListener {
  void ListCleared() override { lines = 0; }
  void LinesAppended(size_t first, size_t count) override {
    EXPECT_EQ(first, lines);
    lines += count;
  }
  void LinesRemoved(size_t count) override { lines -= count; }
  void SelectLastLine(bool onlyIfShown) override { (onlyIfShown ? autoScrolls : selects)++; }
  void SubtitleIndexChanged(uint16_t index) override { label = index; }
  void FileNameChanged(const std::string& c, const std::string& p) override {
    caption = c;
    proposed = p;
  }
  size_t lines = 0;
  int autoScrolls = 0;
  int selects = 0;
  uint16_t label = 0;
  std::string caption, proposed;
};

class Model : public ::testing::Test {
 protected:
  Model() : model_(table_, boxes_) {
    model_.SetClock([] { return std::string("now"); });
    model_.SetListener(&listener_);
  }

  SubtitleTable table_;
  testing::ScriptedMessageBoxes boxes_;
  RecordingListener listener_;
  SubtitleTextModel model_;
};

TEST_F(Model, StartsAsANewFileInTheOwnFormat) {
  EXPECT_FALSE(model_.TextModified());
  EXPECT_EQ(model_.CurrentFileName(), "New File");
  EXPECT_EQ(model_.Caption(), "Subtitles - New File -");
  EXPECT_EQ(model_.ProposedFileName(), "New File.cpt");
  EXPECT_EQ(model_.OutputFormat(), OutputFormatCode::Capter);
  EXPECT_FALSE(model_.SplitEnabled());
}

TEST_F(Model, AddSubtitleAppendsAndListsAtOnce) {
  EXPECT_TRUE(model_.AddSubtitle({}, true, Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {}));
  EXPECT_EQ(table_.Count(), 0);
  EXPECT_TRUE(model_.Lines().empty());
  EXPECT_FALSE(model_.TextModified());

  model_.AddSubtitle({"Hello", "world"}, true, Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), Rect{1, 2, 3, 4});
  ASSERT_EQ(table_.Count(), 1);
  EXPECT_EQ(table_.At(1), Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"Hello", "world"}, {1, 2, 3, 4}));
  EXPECT_EQ(model_.Lines(),
            (TextLines{"1", "00:00:01,000 --> 00:00:02,000", "Hello", "world", ""}));
  EXPECT_EQ(listener_.lines, 5u);
  EXPECT_EQ(listener_.autoScrolls, 1);
  EXPECT_EQ(listener_.label, 1);
  EXPECT_TRUE(model_.TextModified());

  // Without show now the entry is only stored; without auto scroll the list
  // is not scrolled.
  model_.AddSubtitle({"Later"}, false, Tc(0, 0, 3, 0), Tc(0, 0, 4, 0), {});
  EXPECT_EQ(table_.Count(), 2);
  EXPECT_EQ(model_.Lines().size(), 5u);
  model_.SetAutoScrollDown(false);
  model_.ListSubtitle(2, true);
  EXPECT_EQ(listener_.autoScrolls, 1);
}

TEST_F(Model, AddSubtitleRefusesWhatTheTableCannotHold) {
  std::vector<std::string> twelve(12, "x");
  model_.AddSubtitle(twelve, false, {}, {}, {});
  EXPECT_EQ(table_.At(1).lineCount, 10);
  while (!table_.Full()) table_.Append(Entry({}, {}, {"y"}));
  EXPECT_FALSE(model_.AddSubtitle({"z"}, true, {}, {}, {}));
  EXPECT_EQ(table_.Count(), kMaxSubtitles);
  EXPECT_TRUE(model_.Lines().empty());
}

TEST_F(Model, SplitRangeIncludesItsStartAndExcludesItsStop) {
  table_.Append(Entry(Tc(0, 0, 5, 0), Tc(0, 0, 8, 0), {"at start"}));
  table_.Append(Entry(Tc(0, 0, 10, 0), Tc(0, 0, 11, 0), {"at stop"}));
  model_.SetSplit(SplitRange{true, Tc(0, 0, 5, 0), Tc(0, 0, 10, 0)});
  model_.ListSubtitle(1, false);
  EXPECT_EQ(model_.Lines(), (TextLines{"1", "00:00:00,000 --> 00:00:03,000", "at start", ""}));
  model_.SetTextModified(false);
  model_.ListSubtitle(2, false);
  EXPECT_EQ(model_.Lines().size(), 4u);
  EXPECT_EQ(listener_.label, 2);
  EXPECT_TRUE(model_.TextModified());
  // The table itself is never changed by rendering.
  EXPECT_EQ(table_.At(1).start, Tc(0, 0, 5, 0));
}

TEST_F(Model, RefreshWritesTheHeaderAndEveryEntry) {
  model_.SetOutputFormat(OutputFormatCode::SubViewer2);
  model_.RefreshList();
  EXPECT_EQ(model_.Lines().size(), 15u);
  EXPECT_EQ(model_.Lines().front(), "[INFORMATION]");
  EXPECT_FALSE(model_.TextModified());  // nothing was rendered
  EXPECT_EQ(listener_.selects, 1);

  table_ = testing::SampleTable();
  model_.SetOutputFormat(OutputFormatCode::Capter);
  model_.RefreshList();
  EXPECT_EQ(model_.Lines().size(), 4u + 5 + 6 + 4);
  EXPECT_EQ(listener_.lines, model_.Lines().size());
  EXPECT_TRUE(model_.TextModified());
  EXPECT_EQ(listener_.autoScrolls, 0);
}

TEST_F(Model, ClearAsksBeforeDroppingUnsavedText) {
  table_ = testing::SampleTable();
  model_.SetOutputFormat(OutputFormatCode::SubViewer);
  model_.RefreshList();
  model_.SetCurrentFileName("/films/first.sub");
  const TextLines before = model_.Lines();

  boxes_ = testing::ScriptedMessageBoxes({Answer::No});
  EXPECT_FALSE(model_.Clear());
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "Text NOT Saved !\rDo you really want to clear all text ?");
  EXPECT_EQ(boxes_.asked[0].buttons, ButtonSet::YesNo);
  EXPECT_EQ(table_.Count(), 4);
  EXPECT_EQ(model_.Lines(), before);
  EXPECT_EQ(model_.Caption(), "Subtitles - first -");
  EXPECT_TRUE(model_.TextModified());

  boxes_ = testing::ScriptedMessageBoxes({Answer::Yes});
  EXPECT_TRUE(model_.Clear());
  EXPECT_EQ(table_.Count(), 0);
  EXPECT_EQ(model_.Lines().size(), 16u);  // the SubViewer header only
  EXPECT_EQ(model_.Caption(), "Subtitles - New File -");
  EXPECT_EQ(model_.ProposedFileName(), "New File.sub");
  EXPECT_EQ(listener_.label, 0);
  EXPECT_FALSE(model_.TextModified());

  // Saved text is cleared without a question.
  EXPECT_TRUE(model_.Clear());
  EXPECT_EQ(boxes_.asked.size(), 1u);
}

TEST_F(Model, FileNameGivesCaptionAndProposedName) {
  const std::tuple<OutputFormatCode, const char*> cases[] = {
      {OutputFormatCode::Capter, "movie.part1.cpt"},
      {OutputFormatCode::SubViewer, "movie.part1.sub"},
      {OutputFormatCode::SubViewer2, "movie.part1.sub"},
      {OutputFormatCode::IAuthor, "movie.part1.txt"},
      {OutputFormatCode::Philips, "movie.part1.sub"},
      {OutputFormatCode::Sonic, "movie.part1.txt"}};
  for (const auto& [format, proposed] : cases) {
    model_.SetOutputFormat(format);
    model_.SetCurrentFileName("/home/me/subs/movie.part1.cpt");
    EXPECT_EQ(model_.CurrentFileName(), "/home/me/subs/movie.part1.cpt");
    EXPECT_EQ(model_.Caption(), "Subtitles - movie.part1 -");
    EXPECT_EQ(model_.ProposedFileName(), proposed);
    EXPECT_EQ(listener_.proposed, proposed);
  }
}

TEST_F(Model, RemoveLastListedLeavesHeaderAndEmptyListAlone) {
  model_.RemoveLastListed();  // empty list, empty table
  EXPECT_TRUE(model_.Lines().empty());
  model_.SetOutputFormat(OutputFormatCode::Philips);
  model_.RefreshList();
  table_.Append(Entry({}, {}, {"not listed"}));
  const size_t header = model_.Lines().size();
  model_.RemoveLastListed();  // the entry was never listed
  EXPECT_EQ(model_.Lines().size(), header);
}

// RemoveLastListed, a changed stop and ListSubtitle of the last entry give
// what a full refresh gives, in every format, with and without split.
class RemoveAndRelist : public Model,
                        public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(RemoveAndRelist, MatchesRefresh) {
  const auto [code, split] = GetParam();
  table_ = testing::SampleTable();
  model_.SetOutputFormat(static_cast<OutputFormatCode>(code));
  if (split) model_.SetSplit(SplitRange{true, Tc(0, 0, 5, 0), Tc(0, 5, 0, 0)});
  // The last entry is listed while its stop is not known yet.
  table_.Last().stop = kZeroTimeCode;
  model_.RefreshList();
  model_.RemoveLastListed();
  table_.Last().stop = Tc(0, 1, 3, 0);
  model_.ListSubtitle(table_.Count(), true);
  const TextLines relisted = model_.Lines();
  EXPECT_EQ(listener_.lines, relisted.size());
  model_.RefreshList();
  EXPECT_EQ(relisted, model_.Lines());
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, RemoveAndRelist,
                         ::testing::Combine(::testing::Range(0, kOutputFormatCount),
                                            ::testing::Bool()));

TEST_F(Model, RemoveLastListedRemovesNothingForAnEntryOutsideTheSplit) {
  table_ = testing::SampleTable();
  model_.SetSplit(SplitRange{true, Tc(0, 0, 0, 0), Tc(0, 0, 30, 0)});
  model_.RefreshList();
  const TextLines before = model_.Lines();
  model_.RemoveLastListed();
  EXPECT_EQ(model_.Lines(), before);
}

}  // namespace
}  // namespace capter
