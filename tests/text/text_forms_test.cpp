// Number and time forms, frame times with drop frame, and the colour
// conversion of the authoring formats.
#include <gtest/gtest.h>

#include "tests/text/text_test_support.h"
#include "text/subviewer_format.h"
#include "text/text_forms.h"

namespace capter {
namespace {

using testing::Tc;

TEST(TextForms, NumberAndTimeForms) {
  EXPECT_EQ(ThreeDigitCut(7), "007");
  EXPECT_EQ(ThreeDigitCut(719), "719");
  EXPECT_EQ(ThreeDigitCut(1234), "123");
  EXPECT_EQ(FullTime(Tc(1, 2, 3, 45)), "01:02:03,045");
  EXPECT_EQ(SecondsTime(Tc(0, 0, 59, 999)), "00:00:59");
  EXPECT_EQ(HundredthsTime(Tc(0, 0, 1, 999)), "00:00:01.99");
  EXPECT_EQ(IAuthorTime(Tc(0, 1, 2, 345)), "62.44");
  EXPECT_EQ(IAuthorTime({}), "0.10");
  EXPECT_EQ(IAuthorTime(Tc(0, 0, 9, 995)), "10.09");
}

TEST(TextForms, FrameTimes) {
  EXPECT_EQ(FrameTime(Tc(0, 0, 0, 999), kFrameRatePal, false), "00:00:00:24");
  EXPECT_EQ(FrameTime(Tc(0, 0, 0, 999), kFrameRateNtsc, false), "00:00:00:29");
  EXPECT_EQ(FrameTime(Tc(0, 0, 0, 500), kFrameRatePal, false), "00:00:00:12");
  EXPECT_EQ(FrameTime(Tc(0, 0, 0, 500), kFrameRateNtsc, false), "00:00:00:15");
  EXPECT_EQ(FrameTime(Tc(0, 0, 0, 33), kFrameRateNtsc, false), "00:00:00:00");
}

TEST(TextForms, DropFrameSkipsTheFirstTwoFramesOfMostMinutes) {
  EXPECT_EQ(FrameTime(Tc(0, 1, 0, 0), kFrameRateNtsc, true), "00:01:00:02");
  EXPECT_EQ(FrameTime(Tc(0, 1, 0, 40), kFrameRateNtsc, true), "00:01:00:02");
  EXPECT_EQ(FrameTime(Tc(0, 1, 0, 70), kFrameRateNtsc, true), "00:01:00:02");
  EXPECT_EQ(FrameTime(Tc(0, 1, 0, 100), kFrameRateNtsc, true), "00:01:00:03");
  EXPECT_EQ(FrameTime(Tc(0, 10, 0, 0), kFrameRateNtsc, true), "00:10:00:00");
  EXPECT_EQ(FrameTime(Tc(0, 1, 1, 0), kFrameRateNtsc, true), "00:01:01:00");
  EXPECT_EQ(FrameTime(Tc(0, 1, 0, 0), kFrameRatePal, true), "00:01:00:00");
}

TEST(TextForms, StudioRangeColours) {
  EXPECT_EQ(ToYCrCb(0x000000), (YCrCb{16, 128, 128}));
  EXPECT_EQ(ToYCrCb(0xFFFFFF), (YCrCb{234, 128, 128}));
  EXPECT_EQ(ToYCrCb(0x808080), (YCrCb{125, 128, 128}));
  EXPECT_EQ(ToYCrCb(0x0000FF), (YCrCb{81, 239, 91}));
  EXPECT_EQ(ColourHex(0x0000FF), "0000FF");
}

TEST(TextForms, SubViewer2FontLineNamesTheLastStyleThatHolds) {
  FontDescription font;
  EXPECT_EQ(SubViewer2FontLine(font), "[COLF]&HFFFFFF,[STYLE]bd,[SIZE]18,[FONT]Arial");
  font.italic = true;
  font.colour = 0x0000FF;
  font.face = "Times New Roman";
  EXPECT_EQ(SubViewer2FontLine(font), "[COLF]&H0000FF,[STYLE]it,[SIZE]18,[FONT]Times New Roman");
  font = FontDescription{"Arial", 12, 0, false, false, true, true};
  EXPECT_EQ(SubViewer2FontLine(font), "[COLF]&H000000,[STYLE]ud,[SIZE]12,[FONT]Arial");
  font.underline = false;
  EXPECT_EQ(SubViewer2FontLine(font).substr(0, 24), "[COLF]&H000000,[STYLE]st");
}

TEST(SubViewerRounding, AboveHalfASecondRoundsUp) {
  SubViewerFields fields;
  auto start = [&](TimeCode t) {
    TextLines list;
    RenderSubViewer(1, testing::Entry(t, t, {"x"}), nullptr, fields, list);
    return list.front();
  };
  EXPECT_EQ(start(Tc(0, 0, 59, 501)), "[00:01:00]");
  EXPECT_EQ(start(Tc(0, 0, 59, 500)), "[00:00:59]");
  EXPECT_EQ(start(Tc(0, 59, 59, 900)), "[01:00:00]");
}

TEST(SubViewerGap, NoMarkerWhenThePreviousStopIsNotEarlier) {
  SubViewerFields fields;
  const SubtitleRecord entry = testing::Entry(Tc(0, 0, 10, 0), {}, {"a"});
  for (const TimeCode previous : {Tc(0, 0, 10, 0), Tc(0, 0, 10, 400), Tc(0, 0, 12, 0)}) {
    TextLines list;
    RenderSubViewer(2, entry, &previous, fields, list);
    EXPECT_EQ(list.size(), 2u);
  }
  TextLines list;
  const TimeCode earlier = Tc(0, 0, 8, 200);
  RenderSubViewer(2, testing::Entry(Tc(0, 0, 10, 700), {}, {"First line", "Second line"}), &earlier,
                  fields, list);
  EXPECT_EQ(list, (TextLines{"[00:00:08]", "", "[00:00:11]", "First line|Second line"}));
  // An entry without lines gives an empty text line.
  list.clear();
  RenderSubViewer(1, testing::Entry({}, {}, {}), nullptr, fields, list);
  EXPECT_EQ(list, (TextLines{"[00:00:00]", ""}));
}

}  // namespace
}  // namespace capter
