// Comparing two drawings of one shape whose strokes sit a pixel apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ocr/scaled_match.h"
#include "ocr/shape_distance.h"
#include "tests/ocr/ocr_test_support.h"

namespace capter::testing {
namespace {

// An "E" of one-pixel strokes, 6 x 9, its middle bar on row `bar`.
GlyphRows EWithBarAt(int bar) {
  std::vector<std::string> e(9, "#.....");
  e[0] = e[8] = e[static_cast<size_t>(bar)] = "######";
  return RowsOf(e);
}

TEST(ShapeDistance, StrokesAPixelOffCostNothingStrokesFurtherCostByDistance) {
  EXPECT_EQ(ShapeCloseness(EWithBarAt(4), EWithBarAt(4), 6, 9), 1000);
  EXPECT_EQ(ShapeCloseness(EWithBarAt(4), EWithBarAt(5), 6, 9), 1000);
  // Two rows off, the bar's six pixels each way lie one pixel too far.
  const int twoOff = ShapeCloseness(EWithBarAt(3), EWithBarAt(5), 6, 9);
  EXPECT_LT(twoOff, 1000);
  EXPECT_EQ(twoOff, ShapeCloseness(EWithBarAt(5), EWithBarAt(3), 6, 9));  // both ways alike
  // Without its bar the shape is further still: the bar costs up to three
  // per pixel where the stem's neighbours do not reach it.
  const GlyphRows c = RowsOf(
      {"######", "#.....", "#.....", "#.....", "#.....", "#.....", "#.....", "#.....", "######"});
  EXPECT_LT(ShapeCloseness(EWithBarAt(4), c, 6, 9), twoOff);
  EXPECT_EQ(ShapeCloseness(EWithBarAt(4), GlyphRows{}, 6, 9), 0);  // nothing to compare
}

TEST(ShapeDistance, InkIsGrownWithinTheGridAndAComparisonStopsBelowItsFloor) {
  GlyphRows dot{}, grown{};
  dot[0] = 0b1;  // the corner pixel
  GrowInk(dot, 3, 3, grown);
  EXPECT_EQ(grown[0], 0b11u);
  EXPECT_EQ(grown[1], 0b11u);
  EXPECT_EQ(grown[2], 0u);
  dot[0] = 0b100;  // the last column grows no further right
  GrowInk(dot, 3, 3, grown);
  EXPECT_EQ(grown[0], 0b110u);
  // Stopped early, the value is only known to lie below the floor.
  const GlyphRows far = RowsOf(
      {".....#", ".....#", ".....#", ".....#", ".....#", ".....#", ".....#", ".....#", ".....#"});
  const int whole = ShapeCloseness(EWithBarAt(4), far, 6, 9);
  EXPECT_LT(ShapeCloseness(EWithBarAt(4), far, 6, 9, 990), 990);
  EXPECT_LT(whole, 990);
}

TEST(ShapeDistance, AThinStrokeBroughtDownToTheSmallerGridDoesNotVanish) {
  // A ring of one-pixel strokes, 15 x 21, against one of 10 x 14: halved
  // by a factor of 1.5, half-covered pixels would drop a side.
  std::vector<std::string> large(21, "#.............#"), small(14, "#........#");
  large.front() = large.back() = std::string(15, '#');
  small.front() = small.back() = std::string(10, '#');
  const EntrySize size{0, 10, 14};
  EXPECT_EQ(OtherSizeCloseness(RowsOf(large), CharBox{0, 0, 15, 21, 0, 0}, RowsOf(small), size),
            1000);
  EXPECT_EQ(OtherSizeCloseness(RowsOf(large), CharBox{0, 0, 46, 21, 0, 0}, RowsOf(small), size),
            0);  // a box wider than a glyph is not compared
}

}  // namespace
}  // namespace capter::testing
