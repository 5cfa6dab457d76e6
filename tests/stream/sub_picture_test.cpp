// Control sequences, display size, subtitle times, closing the previous
// subtitle and the worth-recognising test.
#include "stream/sub_picture.h"

#include <gtest/gtest.h>

#include "tests/stream/vob_builder.h"

namespace capter::testing {
namespace {

constexpr uint8_t kStartCommand = 0x01;
const TimeCode kUnitStart = ParseTimeCode("00:01:00,000");

// A unit of one empty line per field, displayed at the given area.
Bytes AreaUnit(int x1, int y1, int x2, int y2, std::optional<uint16_t> stop) {
  return MakeUnit(x1, y1, x2, y2, {0x00, 0x00}, {0x00, 0x00}, stop);
}

// Appends a sequence at the end of `unit` and links the chain's last
// sequence (at `previous`) to it; returns its offset.
size_t AppendSequence(Bytes& unit, size_t previous, uint16_t delay, const Bytes& commands) {
  const size_t at = unit.size();
  unit.insert(unit.end(), {static_cast<uint8_t>(delay >> 8), static_cast<uint8_t>(delay),
                           static_cast<uint8_t>(at >> 8), static_cast<uint8_t>(at)});
  unit.insert(unit.end(), commands.begin(), commands.end());
  unit[previous + 2] = static_cast<uint8_t>(at >> 8);
  unit[previous + 3] = static_cast<uint8_t>(at);
  unit[0] = static_cast<uint8_t>(unit.size() >> 8);
  unit[1] = static_cast<uint8_t>(unit.size());
  return at;
}

size_t ControlOffset(const Bytes& unit) {
  return size_t{unit[2]} << 8 | unit[3];
}

TEST(SubPicture, CommonTwoSequenceUnit) {
  const Bytes unit = AreaUnit(100, 400, 299, 449, 0x0190);
  SubPicture sp;
  sp.Parse(unit, kUnitStart, 7);
  ASSERT_EQ(sp.Count(), 2);
  EXPECT_EQ(sp.First().area, (Rect{100, 400, 299, 449}));
  EXPECT_EQ(sp.First().colour, 0x0123);
  EXPECT_EQ(sp.First().topLineOffset, 4);
  EXPECT_EQ(sp.First().bottomLineOffset, 6);
  EXPECT_EQ(sp.DisplayWidth(), 200);
  EXPECT_EQ(sp.DisplayHeight(), 50);
  // The stop sequence only changes the mode and inherits the rest.
  EXPECT_EQ(sp.Last().mode, DisplayMode::Hide);
  EXPECT_EQ(sp.Last().area, sp.First().area);
  EXPECT_EQ(sp.Last().contrast, 0xFFF0);
  const SubtitleTimes times = ComputeSubtitleTimes(sp);
  EXPECT_EQ(ToText(times.start), "00:01:00,000");
  EXPECT_EQ(ToText(times.stop), "00:01:04,551");
  EXPECT_TRUE(WorthRecognising(sp));
}

TEST(SubPicture, DelaysConvertInStepsOf1024Over90) {
  EXPECT_EQ(DelayToMilliseconds(1), 11);
  EXPECT_EQ(DelayToMilliseconds(90), 1024);
  EXPECT_EQ(DelayToMilliseconds(0xFFFF), 745642);
}

TEST(SubPicture, OneSequenceHasNoStopAndTheNextStartClosesIt) {
  SubPicture sp;
  sp.Parse(AreaUnit(0, 0, 9, 9, std::nullopt), kUnitStart);
  EXPECT_EQ(sp.Count(), 1);
  EXPECT_TRUE(IsZero(ComputeSubtitleTimes(sp).stop));
  EXPECT_TRUE(WorthRecognising(sp));

  struct Listing : SubtitleListing {
    void RemoveLastListed() override { calls += "R"; }
    void ListSubtitle(uint16_t index, bool scroll) override {
      calls += "L" + std::to_string(index) + (scroll ? "s" : "");
    }
    std::string calls;
  } listing;
  SubtitleTable table;
  SubtitleRecord open;
  open.start = kUnitStart;
  table.Append(open);
  table.Append(open);
  EXPECT_TRUE(ClosePreviousSubtitle(table, ParseTimeCode("00:01:03,000"), &listing));
  EXPECT_EQ(ToText(table.At(2).stop), "00:01:03,000");
  EXPECT_TRUE(IsZero(table.At(1).stop));
  EXPECT_EQ(listing.calls, "RL2s");
  // Already closed: nothing more happens.
  EXPECT_FALSE(ClosePreviousSubtitle(table, ParseTimeCode("00:01:09,000"), &listing));
  EXPECT_EQ(listing.calls, "RL2s");
  SubtitleTable empty;
  EXPECT_FALSE(ClosePreviousSubtitle(empty, kUnitStart, nullptr));
}

TEST(SubPicture, UnitsShownFor200MsOrLessAreNotWorthRecognising) {
  // Delays whose difference in milliseconds is exactly `shown`.
  const auto findPair = [](int shown, uint16_t& first, uint16_t& last) {
    for (first = 1; first < 1000; ++first) {
      for (last = first; last < first + 40; ++last) {
        if (DelayToMilliseconds(last) - DelayToMilliseconds(first) == shown) return true;
      }
    }
    return false;
  };
  // Delays step by 11.38 ms, so differences of exactly 200 or 201 ms cannot
  // occur: the nearest are 194 and 204.
  for (const int shown : {194, 204}) {
    uint16_t first = 0, last = 0;
    ASSERT_TRUE(findPair(shown, first, last));
    Bytes unit = AreaUnit(0, 0, 9, 9, last);
    unit[ControlOffset(unit)] = static_cast<uint8_t>(first >> 8);
    unit[ControlOffset(unit) + 1] = static_cast<uint8_t>(first);
    SubPicture sp;
    sp.Parse(unit, kUnitStart);
    EXPECT_EQ(WorthRecognising(sp), shown > 200) << shown;
  }
}

TEST(SubPicture, StopOnlyFirstSequenceIsNotWorthRecognisingButHasAStart) {
  Bytes unit = AreaUnit(0, 0, 9, 9, std::nullopt);
  unit[ControlOffset(unit) + 4] = 0x02;  // the start command becomes a stop
  SubPicture sp;
  sp.Parse(unit, kUnitStart);
  EXPECT_FALSE(WorthRecognising(sp));
  EXPECT_EQ(ToText(ComputeSubtitleTimes(sp).start), "00:01:00,000");
}

TEST(SubPicture, DisplaySizeIsClampedToTheScreen) {
  SubPicture sp;
  sp.Parse(AreaUnit(0, 0, 719, 575, 10));
  EXPECT_EQ(sp.DisplayWidth(), 720);
  EXPECT_EQ(sp.DisplayHeight(), 576);
  sp.Parse(AreaUnit(300, 20, 200, 20, 10));
  EXPECT_EQ(sp.DisplayWidth(), 720);
  EXPECT_EQ(sp.DisplayHeight(), 1);
  sp.Parse(AreaUnit(0, 0, 4095, 4095, 10));
  EXPECT_EQ(sp.DisplayWidth(), 720);
  EXPECT_EQ(sp.DisplayHeight(), 576);
}

TEST(SubPicture, UnitWithoutAreaCommandIsOneByOne) {
  // size, control offset 4; one sequence: delay 0, next 4, start, end.
  const Bytes unit = {0, 10, 0, 4, 0, 0, 0, 4, 0x01, 0xFF};
  SubPicture sp;
  sp.Parse(unit);
  EXPECT_EQ(sp.Count(), 1);
  EXPECT_EQ(sp.First().area, Rect{});
  EXPECT_EQ(sp.DisplayWidth(), 1);
  EXPECT_EQ(sp.DisplayHeight(), 1);
}

TEST(SubPicture, ChainsEndOnBackwardLinksAndAt4096Entries) {
  Bytes unit = AreaUnit(0, 0, 9, 9, std::nullopt);
  size_t last = ControlOffset(unit);
  for (int i = 0; i < 5000; ++i) last = AppendSequence(unit, last, 0, {0xFF});
  SubPicture sp;
  sp.Parse(unit);
  EXPECT_EQ(sp.Count(), kMaxDisplayControls);

  Bytes loop = AreaUnit(0, 0, 9, 9, 10);
  const size_t stop = ControlOffset(loop) + 24;
  loop[stop + 2] = 0;  // the stop sequence links back to offset 4
  loop[stop + 3] = 4;
  sp.Parse(loop);
  EXPECT_EQ(sp.Count(), 2);
}

TEST(SubPicture, OnlyCollectedBytesAreRead) {
  Bytes unit = AreaUnit(10, 20, 109, 69, 0x0190);
  // The size word claims far more than was collected, and the stop
  // sequence's link points past the end.
  unit[0] = 0xFF;
  unit[1] = 0xFF;
  const size_t stop = ControlOffset(unit) + 24;
  unit[stop + 2] = 0x80;
  SubPicture sp;
  sp.Parse(unit);
  ASSERT_EQ(sp.Count(), 3);
  EXPECT_EQ(sp.Control(2).mode, DisplayMode::Hide);
  // The sequence beyond the bytes reads as zeros: delay 0, defaults, and it
  // ends the chain.
  EXPECT_EQ(sp.Control(3).delay, 0);
  EXPECT_EQ(sp.Control(3).next, 0);
  EXPECT_EQ(sp.Control(3).mode, DisplayMode::Show);
  // An area command cut off by the end of the bytes reads zeros for the rest.
  const Bytes cut = {0, 0xFF, 0, 4, 0, 0, 0, 4, 0x05, 0x12, 0x34};
  sp.Parse(cut);
  EXPECT_EQ(sp.First().area, (Rect{0x123, 0, 0x400, 0}));
  sp.Parse({});
  EXPECT_EQ(sp.Count(), 1);
}

// A hostile unit: the largest size, 4096 sequences with growing links and
// no end byte. Each sequence's commands are read only up to the next one,
// so the whole chain costs about one pass over the unit.
TEST(SubPicture, ALongChainWithoutEndBytesIsReadInOnePass) {
  Bytes unit(65535, kStartCommand);
  unit[0] = 0xFF;
  unit[1] = 0xFF;
  unit[2] = 0;
  unit[3] = 4;
  constexpr size_t kStep = 16;
  for (size_t at = 4, i = 0; i < kMaxDisplayControls; ++i, at += kStep) {
    unit[at] = 0;
    unit[at + 1] = static_cast<uint8_t>(i);
    unit[at + 2] = static_cast<uint8_t>((at + kStep) >> 8);
    unit[at + 3] = static_cast<uint8_t>(at + kStep);
  }
  SubPicture sp;
  sp.Parse(unit);
  EXPECT_EQ(sp.Count(), kMaxDisplayControls);
  EXPECT_EQ(sp.Control(kMaxDisplayControls).delay, DelayToMilliseconds(255));
  EXPECT_LE(sp.ScannedBytes(), unit.size());
}

}  // namespace
}  // namespace capter::testing
