// The confirmed dialogs' actions and the prompts about unsaved or hidden text.
#include <gtest/gtest.h>

#include "tests/support/scripted_message_boxes.h"
#include "tests/text/text_test_support.h"
#include "text/text_window_actions.h"

namespace capter {
namespace {

using testing::Tc;

class WindowActions : public ::testing::Test {
 protected:
  WindowActions() : model_(table_, boxes_) { table_ = testing::SampleTable(); }
  SubtitleTable table_;
  testing::ScriptedMessageBoxes boxes_;
  SubtitleTextModel model_;
};

TEST_F(WindowActions, ConvertingToIAuthorAlwaysStoresExtended) {
  OutputFormatSettings settings;
  settings.extended = false;
  settings.sonicDropFrame = true;
  ConvertToFormat(model_, settings, OutputFormatCode::IAuthor);
  EXPECT_TRUE(model_.Options().settings.extended);
  EXPECT_TRUE(model_.Options().settings.sonicDropFrame);
  EXPECT_EQ(model_.ProposedFileName(), "New File.txt");
  EXPECT_EQ(model_.Lines()[1], "00:00:01,000 --> 00:00:03,200  X1:160 X2:559 Y1:420 Y2:475");
  EXPECT_TRUE(model_.TextModified());
}

TEST_F(WindowActions, SplitRangeStoppingBeforeItStartsIsRefusedWhenTicked) {
  boxes_ = testing::ScriptedMessageBoxes({Answer::Ok});
  EXPECT_FALSE(AcceptSplitRange(model_, SplitRange{true, Tc(0, 0, 20, 0), Tc(0, 0, 10, 0)}));
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "The Stop time is smaller than the Start time !");
  EXPECT_FALSE(model_.SplitEnabled());

  const SplitRange unticked{false, Tc(0, 0, 20, 0), Tc(0, 0, 10, 0)};
  EXPECT_TRUE(AcceptSplitRange(model_, unticked));
  EXPECT_EQ(model_.Split(), unticked);

  // Equal start and stop: accepted, and nothing is rendered.
  EXPECT_TRUE(AcceptSplitRange(model_, SplitRange{true, Tc(0, 0, 10, 0), Tc(0, 0, 10, 0)}));
  EXPECT_TRUE(model_.Lines().empty());
  EXPECT_EQ(LastSubtitleTime(table_), Tc(0, 1, 2, 345));
  EXPECT_EQ(LastSubtitleTime(SubtitleTable{}), kZeroTimeCode);
}

TEST_F(WindowActions, CorrectionsRefreshTheList) {
  TimeCorrection shift;
  shift.offset = Tc(0, 0, 1, 0);
  CorrectTimesAndRefresh(model_, shift);
  EXPECT_EQ(model_.Lines()[1], "00:00:02,000 --> 00:00:04,200");

  table_.At(1).lines[0] = "''lt''";
  CorrectTextAndRefresh(model_, PostOcrCorrection{true, true, CorrectionLanguage::English});
  EXPECT_EQ(model_.Lines()[2], "\"It\"");
}

TEST_F(WindowActions, PromptsAboutExistingAndUnsavedText) {
  boxes_ = testing::ScriptedMessageBoxes({Answer::Cancel, Answer::No, Answer::Ok});
  EXPECT_FALSE(ConfirmAddToEnd(model_));
  EXPECT_EQ(boxes_.asked[0].text, "Subtitles text file isn't empty.\rAdd to the end of file ?");
  EXPECT_EQ(boxes_.asked[0].buttons, ButtonSet::OkCancel);

  EXPECT_TRUE(ConfirmQuitWithUnsavedText(model_));  // nothing rendered yet
  model_.RefreshList();
  EXPECT_FALSE(ConfirmQuitWithUnsavedText(model_));
  EXPECT_EQ(boxes_.asked[1].text, "Text NOT Saved !\rDo you really want to quit ?");

  WarnIfSplitEnabled(model_);
  EXPECT_EQ(boxes_.asked.size(), 2u);
  model_.SetSplitEnabled(true);
  WarnIfSplitEnabled(model_);
  EXPECT_EQ(boxes_.asked[2].text,
            "Warning: Split Output File function is enabled\r"
            "The new Subtitles might NOT appear until you disable it !");
}

}  // namespace
}  // namespace capter
