// Time correction: offset with its question, stretch with even rounding,
// durations from the text length, and the minimum interval.
#include <gtest/gtest.h>

#include "tests/support/scripted_message_boxes.h"
#include "tests/text/text_test_support.h"
#include "text/time_correction.h"

namespace capter {
namespace {

using testing::Entry;
using testing::Tc;

class TimeCorrectionTest : public ::testing::Test {
 protected:
  void Add(TimeCode start, TimeCode stop, std::vector<std::string> lines = {"x"}) {
    table_.Append(Entry(start, stop, std::move(lines)));
  }
  SubtitleTable table_;
  testing::ScriptedMessageBoxes boxes_;
};

TEST_F(TimeCorrectionTest, OffsetShiftsStartAndStop) {
  Add(Tc(0, 0, 1, 0), Tc(0, 0, 3, 0));
  TimeCorrection c;
  c.offset = Tc(0, 0, 1, 0);
  CorrectTimes(table_, c, boxes_);
  EXPECT_EQ(table_.At(1).start, Tc(0, 0, 2, 0));
  EXPECT_EQ(table_.At(1).stop, Tc(0, 0, 4, 0));
  EXPECT_TRUE(boxes_.asked.empty());
}

TEST_F(TimeCorrectionTest, MinusOffsetAsksBeforeReachingZero) {
  Add(Tc(0, 0, 1, 500), Tc(0, 0, 3, 0));
  Add(Tc(0, 0, 2, 0), Tc(0, 0, 2, 500));
  Add(Tc(0, 0, 9, 0), Tc(0, 0, 10, 0));
  TimeCorrection c;
  c.offset = Tc(0, 0, 2, 0);
  c.minusOffset = true;
  boxes_ = testing::ScriptedMessageBoxes({Answer::Yes, Answer::Yes});
  CorrectTimes(table_, c, boxes_);
  ASSERT_EQ(boxes_.asked.size(), 2u);
  EXPECT_EQ(boxes_.asked[0].text,
            "Warning : Time Code 00:00:01,500 will be reduced to 00:00:00,000\r"
            "Do you want to continue ? ( No undo ! )");
  EXPECT_EQ(boxes_.asked[0].buttons, ButtonSet::YesNo);
  // Exactly zero also asks.
  EXPECT_NE(boxes_.asked[1].text.find("00:00:02,000"), std::string::npos);
  EXPECT_EQ(table_.At(1).start, kZeroTimeCode);
  EXPECT_EQ(table_.At(1).stop, Tc(0, 0, 1, 0));
  EXPECT_EQ(table_.At(2).stop, Tc(0, 0, 0, 500));
  EXPECT_EQ(table_.At(3).start, Tc(0, 0, 7, 0));
}

TEST_F(TimeCorrectionTest, NoEndsTheOffsetButNotTheLaterSteps) {
  Add(Tc(0, 0, 5, 0), Tc(0, 0, 6, 0));
  Add(Tc(0, 0, 1, 0), Tc(0, 0, 1, 900));
  Add(Tc(0, 0, 2, 200), Tc(0, 0, 3, 0));
  TimeCorrection c;
  c.offset = Tc(0, 0, 2, 0);
  c.minusOffset = true;
  c.minimumInterval = 500;
  boxes_ = testing::ScriptedMessageBoxes({Answer::No});
  CorrectTimes(table_, c, boxes_);
  EXPECT_EQ(table_.At(1).start, Tc(0, 0, 3, 0));
  EXPECT_EQ(table_.At(2).start, Tc(0, 0, 1, 0));
  EXPECT_EQ(table_.At(3).start, Tc(0, 0, 2, 200));
  EXPECT_EQ(table_.At(1).stop, Tc(0, 0, 4, 0));
  EXPECT_EQ(table_.At(2).stop, Tc(0, 0, 1, 700));  // the minimum interval still ran
}

TEST_F(TimeCorrectionTest, StretchScalesFromZeroWithEvenRounding) {
  Add(Tc(0, 0, 1, 1), Tc(0, 0, 1, 3));
  Add(Tc(0, 1, 40, 0), Tc(0, 1, 41, 0));
  TimeCorrection c;
  c.stretch = Tc(0, 0, 50, 0);
  CorrectTimes(table_, c, boxes_);
  EXPECT_EQ(table_.At(1).start, Tc(0, 0, 1, 502));  // 1501.5 -> 1502
  EXPECT_EQ(table_.At(1).stop, Tc(0, 0, 1, 504));   // 1504.5 -> 1504
  EXPECT_EQ(table_.At(2).start, Tc(0, 2, 30, 0));
  EXPECT_EQ(table_.At(2).stop, Tc(0, 2, 31, 500));
}

TEST_F(TimeCorrectionTest, MinusStretch) {
  Add(Tc(0, 0, 4, 0), Tc(0, 0, 6, 0));
  Add(Tc(0, 0, 10, 0), Tc(0, 0, 12, 0));
  TimeCorrection c;
  c.stretch = Tc(0, 0, 11, 0);
  c.minusStretch = true;
  boxes_ = testing::ScriptedMessageBoxes({Answer::Ok});
  CorrectTimes(table_, c, boxes_);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text,
            "You can't make a minus time Stretch with a time\rthat is larger than the total file "
            "time !");
  EXPECT_EQ(table_.At(2).start, Tc(0, 0, 10, 0));

  c.stretch = Tc(0, 0, 10, 0);
  CorrectTimes(table_, c, boxes_);
  for (uint16_t i = 1; i <= 2; ++i) {
    EXPECT_EQ(table_.At(i).start, kZeroTimeCode);
    EXPECT_EQ(table_.At(i).stop, kZeroTimeCode);
  }
  // With every start at zero there is no length to stretch.
  c.minusStretch = false;
  CorrectTimes(table_, c, boxes_);
  EXPECT_EQ(table_.At(2).stop, kZeroTimeCode);
}

TEST_F(TimeCorrectionTest, DurationsFromTheTextLength) {
  Add(Tc(0, 0, 10, 0), Tc(0, 0, 10, 100), {"Hello", "world"});
  Add(Tc(0, 0, 20, 0), Tc(0, 0, 20, 100), {"Hello", "world"});
  Add(Tc(0, 0, 20, 500), Tc(0, 0, 20, 600), {std::string(2000, 'a')});
  TimeCorrection c;
  c.modifyDurations = true;
  CorrectTimes(table_, c, boxes_);
  EXPECT_EQ(table_.At(1).stop, Tc(0, 0, 11, 0));
  EXPECT_EQ(table_.At(2).stop, Tc(0, 0, 20, 500));  // next start
  EXPECT_EQ(table_.At(3).stop, Tc(0, 1, 26, 35));   // own start + 65535

  c.method = DurationMethod::FixedTime;
  c.fixedDuration = 3000;
  CorrectTimes(table_, c, boxes_);
  EXPECT_EQ(table_.At(1).stop, Tc(0, 0, 13, 0));
}

TEST_F(TimeCorrectionTest, MinimumIntervalMovesOnlyCloseStops) {
  Add(Tc(0, 0, 1, 0), Tc(0, 0, 1, 960));
  Add(Tc(0, 0, 2, 0), Tc(0, 0, 3, 500));  // overlaps the next
  Add(Tc(0, 0, 3, 0), Tc(0, 0, 3, 990));  // last
  TimeCorrection c;
  c.minimumInterval = 100;
  CorrectTimes(table_, c, boxes_);
  EXPECT_EQ(table_.At(1).stop, Tc(0, 0, 1, 900));
  EXPECT_EQ(table_.At(2).stop, Tc(0, 0, 3, 500));
  EXPECT_EQ(table_.At(3).stop, Tc(0, 0, 3, 990));
}

TEST_F(TimeCorrectionTest, EmptyTableChangesNothing) {
  TimeCorrection c;
  c.offset = Tc(0, 0, 1, 0);
  c.minusOffset = true;
  CorrectTimes(table_, c, boxes_);
  EXPECT_TRUE(boxes_.asked.empty());
  EXPECT_EQ(table_.Count(), 0);
}

}  // namespace
}  // namespace capter
