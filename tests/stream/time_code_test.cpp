#include "stream/time_code.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(TimeCode, MillisecondConversionsCarryIntoHoursWithoutWrapping) {
  EXPECT_EQ(ToText(FromMilliseconds(3599999)), "00:59:59,999");
  EXPECT_EQ(ToText(FromMilliseconds(3600000)), "01:00:00,000");
  const TimeCode hundred = FromMilliseconds(360000000);
  EXPECT_EQ(hundred.hours, 100);
  EXPECT_EQ(ToText(hundred), "100:00:00,000");
  EXPECT_EQ(ToMilliseconds(FromMilliseconds(45296789)), 45296789);
}

TEST(TimeCode, SumCarriesOneStepPerField) {
  const TimeCode a = ParseTimeCode("00:00:59,600");
  const TimeCode b = ParseTimeCode("00:00:00,500");
  EXPECT_EQ(ToText(Add(a, b)), "00:01:00,100");
  EXPECT_EQ(ToText(Add(ParseTimeCode("00:59:59,999"), ParseTimeCode("00:00:00,001"))),
            "01:00:00,000");
}

TEST(TimeCode, TextParsingUsesFixedColumnsAndRejectsNonNumbers) {
  EXPECT_EQ(ToText(ParseTimeCode("12:34:56,789")), "12:34:56,789");
  EXPECT_EQ(ParseTimeCode("12:3x:56,789"), kZeroTimeCode);
  EXPECT_EQ(ParseTimeCode(""), kZeroTimeCode);
  EXPECT_EQ(ParseTimeCode("12:34:56"), kZeroTimeCode);
  // The separators are not checked.
  EXPECT_EQ(ToText(ParseTimeCode("01.02.03.004")), "01:02:03,004");
}

TEST(TimeCode, ZeroPaddingNeverTruncates) {
  EXPECT_EQ(ZeroPadded(7, 3), "007");
  EXPECT_EQ(ZeroPadded(12345, 3), "12345");
  EXPECT_EQ(ToShortText(ParseTimeCode("01:02:03,045")), "01:02:03");
}

TEST(FrameTimeCode, FrameSumCarriesAtTheModesHighestFrame) {
  FrameRateMode pal, ntsc;
  pal.SetPal();
  ntsc.SetNtsc();
  const FrameTimeCode twenty{0, 0, 0, 20}, ten{0, 0, 0, 10};
  EXPECT_EQ(Add(twenty, ten, pal), (FrameTimeCode{0, 0, 1, 5}));
  EXPECT_EQ(Add(twenty, ten, ntsc), (FrameTimeCode{0, 0, 1, 0}));
}

TEST(FrameTimeCode, BcdCellTimeAndFrameConversion) {
  FrameRateMode pal, ntsc;
  pal.SetPal();
  ntsc.SetNtsc();
  const uint8_t bcd[4] = {0x01, 0x23, 0x45, 0x52};
  const FrameTimeCode f = FromBcd(bcd, pal);
  EXPECT_EQ(f, (FrameTimeCode{1, 23, 45, 12}));
  EXPECT_EQ(ToText(ToTimeCode(f, pal)), "01:23:45,480");
  EXPECT_EQ(ToText(f), "01:23:45:12");
  EXPECT_EQ(ToTimeCode(FrameTimeCode{0, 0, 0, 12}, ntsc).milliseconds, 400);
  EXPECT_EQ(ToTimeCode(FrameTimeCode{0, 0, 0, 1}, ntsc).milliseconds, 33);
  EXPECT_EQ(ToTimeCode(FrameTimeCode{0, 0, 0, 29}, ntsc).milliseconds, 966);
}

TEST(FrameTimeCode, ComparisonIsLexicographic) {
  EXPECT_TRUE(EarlierThan(FrameTimeCode{0, 0, 59, 24}, FrameTimeCode{0, 1, 0, 0}));
  EXPECT_FALSE(EarlierThan(FrameTimeCode{1, 0, 0, 0}, FrameTimeCode{0, 59, 59, 29}));
  EXPECT_FALSE(EarlierThan(FrameTimeCode{0, 0, 1, 3}, FrameTimeCode{0, 0, 1, 3}));
}

TEST(FrameRateMode, FlagByteSelectsTheModeAndUnknownKeepsTheRest) {
  FrameRateMode mode;
  EXPECT_FALSE(mode.Known());
  mode.SetFromFlagByte(0xC0);
  EXPECT_EQ(mode.label, "NTSC 30 Fps");
  mode.SetFromFlagByte(0xBF);
  EXPECT_EQ(mode.rateFactor, 2500);
  EXPECT_EQ(mode.label, "PAL 25 Fps");
  mode.SetUnknown();
  EXPECT_EQ(mode.rateFactor, 1);
  EXPECT_EQ(mode.flag, 0x40);
}

}  // namespace
}  // namespace capter
