#include "stream/picture.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(Picture24, RowsAreFourByteAlignedAndPixelsRoundTrip) {
  Picture24 p(5, 3);
  EXPECT_EQ(p.Stride(), 16);
  p.Fill(MakeColour(1, 2, 3));
  p.SetPixel(4, 2, 0x00AABBCC);
  EXPECT_EQ(p.Pixel(4, 2), 0x00AABBCCu);
  EXPECT_EQ(p.Pixel(0, 0), MakeColour(1, 2, 3));
  EXPECT_EQ(p.Row(2)[12], 0xAA);  // blue byte first
}

TEST(Picture24, FloodFillStaysInsideTheFourConnectedRegion) {
  Picture24 p(4, 4);
  p.Fill(0);
  // A diagonal pair is not 4-connected.
  p.SetPixel(1, 1, 0xFFFFFF);
  p.SetPixel(2, 2, 0xFFFFFF);
  p.SetPixel(1, 2, 0xFFFFFF);
  p.SetPixel(3, 0, 0xFFFFFF);
  EXPECT_EQ(p.FloodFill4(1, 1, 0xFE0000), 3);
  EXPECT_EQ(p.Pixel(2, 2), 0xFE0000u);
  EXPECT_EQ(p.Pixel(3, 0), 0xFFFFFFu);
  EXPECT_EQ(p.FloodFill4(9, 9, 1), 0);
}

TEST(Picture24, CropMovesTheRectangleToTheCorner) {
  Picture24 p(6, 5);
  p.Fill(0);
  p.SetPixel(2, 1, 0x111111);
  p.SetPixel(4, 3, 0x222222);
  p.CropTo(Rect{2, 1, 4, 3});
  ASSERT_EQ(p.Width(), 3);
  ASSERT_EQ(p.Height(), 3);
  EXPECT_EQ(p.Pixel(0, 0), 0x111111u);
  EXPECT_EQ(p.Pixel(2, 2), 0x222222u);
  EXPECT_EQ(p.Pixel(1, 1), 0u);
}

TEST(Picture24, CopyRectIsClippedOnBothSides) {
  Picture24 src(3, 3), dst(4, 4);
  src.Fill(0x010101);
  dst.Fill(0);
  dst.CopyRect(src, Rect{0, 0, 2, 2}, 2, -1);
  EXPECT_EQ(dst.Pixel(2, 0), 0x010101u);
  EXPECT_EQ(dst.Pixel(3, 1), 0x010101u);
  EXPECT_EQ(dst.Pixel(3, 2), 0u);
  EXPECT_EQ(dst.Pixel(1, 0), 0u);
}

}  // namespace
}  // namespace capter
