// Run-length decoding into the grey picture, and cropping to content.
#include "stream/sub_picture_decoder.h"

#include <gtest/gtest.h>

#include "stream/crop.h"
#include "tests/stream/vob_builder.h"

namespace capter::testing {
namespace {

constexpr Colour kBackground = kPaletteGreys[0];
constexpr Colour kGrey1 = kPaletteGreys[1];
constexpr Colour kGrey3 = kPaletteGreys[3];

DecodedBitmap Decode(const Bytes& unit) {
  SubPicture sp;
  sp.Parse(unit);
  DecodedBitmap picture;
  DecodeSubPicture(sp, picture);
  return picture;
}

// Pixel codes of a row as a string of digits (0..3 by grey).
std::string RowCodes(const DecodedBitmap& p, int y) {
  std::string codes;
  for (int x = 0; x < p.Width(); ++x) {
    const Colour c = p.Pixel(x, y);
    codes += static_cast<char>('0' + (c == kBackground ? 0 : RedOf(c) / 85));
  }
  return codes;
}

TEST(SubPictureDecoder, OnePixelThenEndOfLineAndTheNextLineAtTheFourthByte) {
  // Top field: two lines; the second starts at the fourth byte.
  const Bytes top = {0x50, 0x00, 0x00, 0xB0, 0x00, 0x00};
  const DecodedBitmap p = Decode(MakeUnit(0, 0, 5, 3, top, {0xF0, 0x00, 0x00}, 10));
  ASSERT_EQ(p.Width(), 6);
  ASSERT_EQ(p.Height(), 4);
  EXPECT_EQ(RowCodes(p, 0), "100000");
  EXPECT_EQ(RowCodes(p, 1), "333000");
  EXPECT_EQ(RowCodes(p, 2), "330000");
  EXPECT_EQ(RowCodes(p, 3), "000000");
  EXPECT_EQ(p.Pixel(0, 0), kGrey1);
}

TEST(SubPictureDecoder, TwelveBitCodeFillsARowOf63AndSkipsToTheByteBoundary) {
  const Bytes top = {0x0F, 0xD0, 0x0F, 0xF0};
  const DecodedBitmap p = Decode(MakeUnit(0, 0, 62, 2, top, {0x00, 0x00}, 10));
  EXPECT_EQ(RowCodes(p, 0), std::string(63, '1'));
  EXPECT_EQ(RowCodes(p, 2), std::string(63, '3'));
}

TEST(SubPictureDecoder, RunsAreCutAtTheLineEnd) {
  // 16-bit code: 255 pixels of code 3 on a 10-pixel line, then the next
  // line's 2 pixels of code 1.
  const Bytes top = {0x03, 0xFF, 0x91, 0x00};
  const DecodedBitmap p = Decode(MakeUnit(0, 0, 9, 2, top, {}, 10));
  EXPECT_EQ(RowCodes(p, 0), std::string(10, '3'));
  EXPECT_EQ(RowCodes(p, 2), "1100000000");
}

TEST(SubPictureDecoder, SixteenBitCodeWithASmallCountIsStillSixteenBits) {
  // 000000 00010000 01: 16 pixels of code 1 in the 16-bit form (eight
  // leading zero bits, yet the count is still the next eight bits); then
  // 01 00: 1 pixel of code 0; 10 10: 2 pixels of code 2; end of line.
  const Bytes top = {0x00, 0x41, 0x4A, 0x00, 0x00};
  const DecodedBitmap p = Decode(MakeUnit(0, 0, 19, 0, top, {}, 10));
  EXPECT_EQ(RowCodes(p, 0), std::string(16, '1') + "0220");
}

TEST(SubPictureDecoder, OneByOneArea) {
  const DecodedBitmap p = Decode(MakeUnit(5, 5, 5, 5, {0x70}, {}, 10));
  EXPECT_EQ(p.Width(), 1);
  EXPECT_EQ(p.Height(), 1);
  EXPECT_EQ(p.Pixel(0, 0), kGrey3);
}

TEST(SubPictureDecoder, LinesBeyondTheHeightAreNotWritten) {
  const Bytes top = {0x70, 0x70, 0x70, 0x70, 0x70};
  const DecodedBitmap p = Decode(MakeUnit(0, 0, 0, 2, top, {0x50, 0x50, 0x50}, 10));
  EXPECT_EQ(RowCodes(p, 0) + RowCodes(p, 1) + RowCodes(p, 2), "313");
}

TEST(SubPictureDecoder, FieldsRunningPastTheCollectedBytesStayBackground) {
  Bytes unit = MakeUnit(0, 0, 7, 3, {0xF0, 0x00}, {0xF0, 0x00}, 10);
  // Line offsets far past the unit: nothing is read, all background.
  const size_t lines = (size_t{unit[2]} << 8 | unit[3]) + 19;
  unit[lines] = 0x7F;
  unit[lines + 2] = 0x7F;
  DecodedBitmap p = Decode(unit);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(RowCodes(p, y), "00000000");

  // A bottom line offset past the unit: the top field is read up to the
  // last collected byte, the bottom field not at all.
  Bytes past = MakeUnit(0, 0, 7, 1, {0xF0, 0x00, 0x00}, {0xD0, 0x00, 0x00}, std::nullopt);
  past[(size_t{past[2]} << 8 | past[3]) + 19 + 2] = 0x7F;
  p = Decode(past);
  EXPECT_EQ(RowCodes(p, 0), "33300000");
  EXPECT_EQ(RowCodes(p, 1), "00000000");
}

TEST(SubPictureDecoder, ZeroLineOffsetsReadFromTheUnitStart) {
  // A unit without command 0x06: both fields start at byte 0, the size word.
  const Bytes unit = {0xD0, 0x10, 0x00, 0x04, 0,    0,    0,    4,
                      0x05, 0x00, 0x00, 0x03, 0x00, 0x00, 0x01, 0xFF};
  const DecodedBitmap p = Decode(unit);
  ASSERT_EQ(p.Width(), 4);
  ASSERT_EQ(p.Height(), 2);
  EXPECT_EQ(RowCodes(p, 0), "1110");
  EXPECT_EQ(RowCodes(p, 1), "1110");
}

TEST(CropToContent, AllBackgroundIsLeftAlone) {
  DecodedBitmap p(8, 4);
  p.Fill(kBackground);
  Rect area{1, 2, 3, 4};
  EXPECT_FALSE(CropToContent(p, CropMode::NonBackground, kGrey3, area));
  EXPECT_EQ(area, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(p.Width(), 8);
}

TEST(CropToContent, SinglePixelGivesOneByOne) {
  DecodedBitmap p(20, 20);
  p.Fill(kBackground);
  p.SetPixel(5, 7, kGrey1);
  Rect area;
  EXPECT_TRUE(CropToContent(p, CropMode::NonBackground, kGrey3, area));
  EXPECT_EQ(area, (Rect{5, 7, 5, 7}));
  EXPECT_EQ(p.Width(), 1);
  EXPECT_EQ(p.Height(), 1);
  EXPECT_EQ(p.Pixel(0, 0), kGrey1);
}

TEST(CropToContent, TextModeKeepsOnlyTheTextColour) {
  DecodedBitmap p(30, 10);
  p.Fill(kBackground);
  p.FillRect(Rect{2, 1, 27, 8}, kGrey1);  // outline
  p.FillRect(Rect{4, 3, 12, 6}, kGrey3);  // text
  p.SetPixel(20, 2, kGrey3);
  Rect area;
  EXPECT_TRUE(CropToContent(p, CropMode::Text, kGrey3, area));
  EXPECT_EQ(area, (Rect{4, 2, 20, 6}));
  EXPECT_EQ(p.Pixel(0, 1), kGrey3);
  EXPECT_EQ(p.Pixel(16, 0), kGrey3);
  EXPECT_EQ(p.Pixel(0, 0), kGrey1);

  DecodedBitmap q(30, 10);
  q.Fill(kBackground);
  q.FillRect(Rect{2, 1, 27, 8}, kGrey1);
  EXPECT_TRUE(CropToContent(q, CropMode::NonBackground, kGrey3, area));
  EXPECT_EQ(area, (Rect{2, 1, 27, 8}));
}

}  // namespace
}  // namespace capter::testing
