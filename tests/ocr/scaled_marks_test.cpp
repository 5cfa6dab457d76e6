// Full stops and colons compared by their dots at another size.
#include <gtest/gtest.h>

#include "ocr/scaled_marks.h"
#include "tests/ocr/ocr_test_support.h"

namespace capter::testing {
namespace {

MarkPieces Dots(std::initializer_list<GlyphPiece> dots) {
  MarkPieces pieces{};
  size_t i = 0;
  for (const GlyphPiece& d : dots) pieces[i++] = d;
  return pieces;
}

GlyphPiece Solid(int left, int top, int width, int height) {
  return {left, top, width, height, width * height};
}

TEST(ScaledMarks, ADotOfSmallTypeScalesByOneOfItsPixelsEachWay) {
  // A full stop one pixel wide and two high on small type's baseline (row
  // 12), four pixels square on a line 2.24 times as large.
  const MarkPieces small = Dots({Solid(0, 0, 1, 2)});
  const MarkPieces large = Dots({Solid(0, 0, 4, 4)});
  EXPECT_TRUE(DotsScale(large, 1, 23, small, 1, 10, 2.24f));
  // At a factor no larger the rounding is a pixel, and 1 x 2 is no 4 x 4.
  EXPECT_FALSE(DotsScale(large, 1, 23, small, 1, 10, 1.2f));
  // Ending mid-line, it is no full stop.
  EXPECT_FALSE(DotsScale(large, 1, 13, small, 1, 10, 2.24f));
  // Grown from a large dot, the small one keeps the tolerance of a pixel.
  EXPECT_TRUE(DotsScale(small, 1, 10, large, 1, 23, 1 / 2.24f));
  EXPECT_FALSE(DotsScale(large, 1, 8, large, 1, 23, 1 / 2.24f));
}

TEST(ScaledMarks, AColonScalesDotByDotAndOnlyAsAColon) {
  const MarkPieces small = Dots({Solid(0, 0, 2, 2), Solid(0, 6, 2, 2)});   // 2 x 8 at row 4
  const MarkPieces large = Dots({Solid(0, 0, 3, 3), Solid(0, 15, 3, 3)});  // 3 x 18 at row 8
  EXPECT_TRUE(DotsScale(large, 2, 8, small, 2, 4, 2.12f));
  // A full stop is not a colon, nor a colon whose upper dot sits low.
  EXPECT_FALSE(DotsScale(Dots({Solid(0, 0, 3, 3)}), 1, 23, small, 2, 4, 2.12f));
  const MarkPieces low = Dots({Solid(0, 0, 3, 3), Solid(0, 9, 3, 3)});
  EXPECT_FALSE(DotsScale(low, 2, 14, small, 2, 4, 2.12f));
}

TEST(ScaledMarks, OnlySolidDotsAreComparedSo) {
  EXPECT_TRUE(AllSolidDots(Dots({Solid(0, 0, 1, 2), Solid(0, 5, 2, 2)}), 2));
  // A tick (a comma's tail), a ring, a lone pixel, nothing.
  EXPECT_FALSE(AllSolidDots(Dots({Solid(0, 0, 1, 3)}), 1));
  EXPECT_FALSE(AllSolidDots(Dots({{0, 0, 4, 4, 12}}), 1));
  EXPECT_FALSE(AllSolidDots(Dots({Solid(0, 0, 1, 1)}), 1));
  EXPECT_FALSE(AllSolidDots(Dots({}), 0));
  MarkPieces pieces{};
  EXPECT_FALSE(DotsScale(pieces, 0, 0, pieces, 0, 0, 1.0f));
}

TEST(ScaledMarks, OnlyOnePieceThatIsNoDotIsATick) {
  EXPECT_TRUE(OneTick(RowsOf({".#", ".#", "##", "#."}), 2, 4));  // a comma
  EXPECT_TRUE(OneTick(RowsOf({".#", "#."}), 2, 2));              // joined at a corner
  EXPECT_FALSE(OneTick(RowsOf({"##", "##"}), 2, 2));             // a full stop
  EXPECT_FALSE(OneTick(RowsOf({"#", ".", "#"}), 1, 3));          // two dots
  EXPECT_FALSE(OneTick(RowsOf({"#"}), 1, 1));                    // a speck
  EXPECT_FALSE(OneTick(RowsOf({}), 3, 3));
  EXPECT_FALSE(OneTick(RowsOf({"#"}), 0, 1));
}

TEST(ScaledMarks, ATickScalesWithItsShapeSizeAndPlace) {
  // A comma 2 x 4 hanging from row 10 of small type; 4 x 8 from row 20 on
  // a line twice as large, drawn anew rather than blown up.
  const GlyphRows small = RowsOf({".#", ".#", "##", "#."});
  const GlyphRows large = RowsOf({"..##", "..##", "..##", "..##", ".##.", ".##.", "##..", "#..."});
  const MarkDrawing entry{&small, 2, 4, 10};
  EXPECT_TRUE(TickScales({&large, 4, 8, 20}, entry, 2.0f));
  EXPECT_TRUE(TickScales({&large, 4, 8, 21}, entry, 2.0f));  // a row off
  // At the top of the line, or at another factor, it is no such comma.
  EXPECT_FALSE(TickScales({&large, 4, 8, 1}, entry, 2.0f));
  EXPECT_FALSE(TickScales({&large, 4, 8, 20}, entry, 1.2f));
  // Mirrored, it lies beyond a pixel of the entry's ink.
  const GlyphRows mirrored =
      RowsOf({"##..", "##..", "##..", "##..", ".##.", ".##.", "..##", "...#"});
  EXPECT_FALSE(TickScales({&mirrored, 4, 8, 20}, entry, 2.0f));
  EXPECT_FALSE(TickScales({nullptr, 4, 8, 20}, entry, 2.0f));
}

}  // namespace
}  // namespace capter::testing
