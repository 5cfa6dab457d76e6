// The split rule and the bar that shows the chosen range.
#include <gtest/gtest.h>

#include "tests/text/text_test_support.h"
#include "text/split_range.h"

namespace capter {
namespace {

using testing::Entry;
using testing::Tc;

TEST(SplitRule, ClipsAndShiftsEntriesInside) {
  const SplitRange range{true, Tc(0, 5, 0, 0), Tc(0, 10, 2, 0)};
  SubtitleRecord r = Entry(Tc(0, 10, 0, 0), Tc(0, 10, 3, 0), {"x"});
  ASSERT_TRUE(ApplySplit(range, r));
  EXPECT_EQ(r.start, Tc(0, 5, 0, 0));
  EXPECT_EQ(r.stop, Tc(0, 5, 2, 0));

  SubtitleRecord atStop = Entry(Tc(0, 10, 2, 0), Tc(0, 10, 3, 0), {"x"});
  EXPECT_FALSE(ApplySplit(range, atStop));
  SubtitleRecord before = Entry(Tc(0, 4, 59, 999), Tc(0, 5, 3, 0), {"x"});
  EXPECT_FALSE(ApplySplit(range, before));

  // A stop not known yet does not become negative.
  SubtitleRecord open = Entry(Tc(0, 6, 0, 0), kZeroTimeCode, {"x"});
  ASSERT_TRUE(ApplySplit(range, open));
  EXPECT_EQ(open.stop, kZeroTimeCode);

  // Without split nothing changes; an empty range holds nothing.
  SubtitleRecord same = r;
  EXPECT_TRUE(ApplySplit(SplitRange{false, Tc(1, 0, 0, 0), {}}, same));
  EXPECT_EQ(same, r);
  EXPECT_FALSE(ApplySplit(SplitRange{true, Tc(0, 5, 0, 0), Tc(0, 5, 0, 0)}, r));
}

TEST(SplitRule, StopBeforeStartIsRefusedOnlyWhenTicked) {
  EXPECT_FALSE(SplitRangeAcceptable(true, Tc(0, 1, 0, 0), Tc(0, 0, 59, 0)));
  EXPECT_TRUE(SplitRangeAcceptable(false, Tc(0, 1, 0, 0), Tc(0, 0, 59, 0)));
  EXPECT_TRUE(SplitRangeAcceptable(true, Tc(0, 1, 0, 0), Tc(0, 1, 0, 0)));
}

TEST(SplitBar, ScalesTheRangeToTheBar) {
  // 100 s on a 400-pixel bar at x = 10: 25 s .. 50 s.
  EXPECT_EQ(ComputeSplitBar(Tc(0, 0, 25, 0), Tc(0, 0, 50, 999), Tc(0, 1, 40, 0), 10, 400),
            (SplitBar{110, 100}));
  // A start beyond the end is a zero-width mark at the right end.
  EXPECT_EQ(ComputeSplitBar(Tc(0, 5, 0, 0), Tc(0, 6, 0, 0), Tc(0, 1, 40, 0), 10, 400),
            (SplitBar{410, 0}));
  // An empty table counts as one second.
  EXPECT_EQ(ComputeSplitBar({}, {}, {}, 0, 300), (SplitBar{0, 300}));
  EXPECT_EQ(CentredLeft(110, 41), 90);
}

}  // namespace
}  // namespace capter
