#include "ocr/wake_up_timer.h"

#include <gtest/gtest.h>

#include <vector>

namespace capter {
namespace {

TEST(WakeUpTimer, FlashesTwelveTimesAndBeepsThriceAfterTheIdleWaitThenWaitsAgain) {
  WakeUpTimer timer;
  timer.Restart();
  EXPECT_EQ(timer.PeriodMs(), 10000);

  const WakeUpTimer::Step first = timer.Tick();  // the ten seconds are over
  EXPECT_EQ(first.periodMs, 150);
  EXPECT_FALSE(first.red);
  int reds = 0;
  int beeps = 0;
  std::vector<int> beepTicks;
  for (int tick = 1; tick <= 24; ++tick) {
    const WakeUpTimer::Step step = timer.Tick();
    EXPECT_EQ(step.periodMs, 150);
    reds += step.red ? 1 : 0;
    if (step.beep) beepTicks.push_back(tick);
    beeps += step.beep ? 1 : 0;
  }
  EXPECT_EQ(reds, 12);
  EXPECT_EQ(beepTicks, (std::vector<int>{7, 15, 23}));
  EXPECT_EQ(beeps, 3);

  const WakeUpTimer::Step rest = timer.Tick();  // tick count 25
  EXPECT_EQ(rest.periodMs, 10000);
  EXPECT_FALSE(rest.red);
  EXPECT_EQ(timer.Count(), 0);
}

TEST(WakeUpTimer, RestartInTheMiddleOfTheFlashingGivesTheNormalColourAndTheLongWait) {
  WakeUpTimer timer;
  timer.Tick();
  timer.Tick();
  ASSERT_TRUE(timer.Red());
  timer.Restart();
  EXPECT_FALSE(timer.Red());
  EXPECT_EQ(timer.PeriodMs(), 10000);
}

}  // namespace
}  // namespace capter
