#include "ocr/text_colour.h"

#include <gtest/gtest.h>

#include "stream/palette_greys.h"
#include "tests/ocr/ocr_test_support.h"

namespace capter::testing {
namespace {

// A picture one row high made of runs of (grey index, pixel count).
Picture24 CountedPicture(const std::vector<std::pair<int, int>>& runs) {
  int width = 0;
  for (const auto& run : runs) width += run.second;
  Picture24 picture(width, 1);
  int x = 0;
  for (const auto& [index, count] : runs) {
    for (int i = 0; i < count; ++i) picture.SetPixel(x++, 0, kPaletteGreys[index]);
  }
  return picture;
}

TEST(DetectTextColour, OrdersByCountAndKeepsTheFirstMetIndexOutOfSecondPlace) {
  // The outline (1) is met first and outnumbers the text body (2).
  const Picture24 picture = CountedPicture({{0, 10}, {1, 6}, {2, 4}, {0, 20}});
  const auto order = DetectTextColour(picture, kPaletteGreys);
  EXPECT_EQ(order, (std::array<uint8_t, 4>{0, 2, 1, 3}));
  EXPECT_EQ(ProposeTextColour(picture, kPaletteGreys), 2);
}

TEST(DetectTextColour, ATwoColourPictureProposesAnUnusedIndex) {
  // Index 3 is met first and is second by count, so the third place (the
  // lowest index with no pixel) is proposed; the user must correct it.
  const Picture24 picture = CountedPicture({{3, 5}, {0, 20}});
  EXPECT_EQ(DetectTextColour(picture, kPaletteGreys), (std::array<uint8_t, 4>{0, 1, 3, 2}));
}

TEST(DetectTextColour, EqualCountsKeepIndexOrder) {
  const Picture24 picture = CountedPicture({{0, 9}, {2, 3}, {1, 3}, {3, 1}});
  // 2 is met first; 1 and 2 tie, 1 stays ahead and is proposed.
  EXPECT_EQ(DetectTextColour(picture, kPaletteGreys), (std::array<uint8_t, 4>{0, 1, 2, 3}));
}

TEST(DetectTextColour, PixelsOfNoGreyAreNotCounted) {
  Picture24 picture = CountedPicture({{0, 2}, {1, 3}, {2, 1}, {0, 4}});
  for (int x = 6; x < 10; ++x) picture.SetPixel(x, 0, MakeColour(1, 2, 3));
  // Counted as background they would put index 0 first.
  EXPECT_EQ(DetectTextColour(picture, kPaletteGreys), (std::array<uint8_t, 4>{1, 0, 2, 3}));
}

TEST(DetectTextColour, APictureWithoutPixelsProposesNothing) {
  EXPECT_EQ(ProposeTextColour(Picture24(), kPaletteGreys), std::nullopt);
}

TEST(TextColourPreview, SelectedGreyBecomesWhiteAndEverythingElseBlack) {
  const Picture24 picture = PictureFromArt({"#o.", ".#o"});
  Picture24 preview;
  RecolourTextPreview(picture, kPaletteGreys, 3, preview);
  const Colour white = MakeColour(255, 255, 255), black = MakeColour(0, 0, 0);
  EXPECT_EQ(preview.Pixel(0, 0), white);
  EXPECT_EQ(preview.Pixel(1, 0), black);
  EXPECT_EQ(preview.Pixel(2, 0), black);
  EXPECT_EQ(preview.Pixel(1, 1), white);

  // Extra text greys show light grey; the body stays white.
  RecolourTextPreview(picture, kPaletteGreys, 3, preview, 1u << 1 | 1u << 3);
  EXPECT_EQ(preview.Pixel(0, 0), white);
  EXPECT_EQ(preview.Pixel(1, 0), MakeColour(170, 170, 170));
  EXPECT_EQ(preview.Pixel(2, 0), black);

  TextColourState state;
  EXPECT_FALSE(state.Chosen());
  EXPECT_EQ(state.TextColour, white);
  SelectTextColour(state, 1, kPaletteGreys);
  EXPECT_EQ(state.TextColour, kPaletteGreys[1]);
  EXPECT_FALSE(state.Chosen());
}

}  // namespace
}  // namespace capter::testing
