#include "ocr/matcher.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>

#include "tests/ocr/allocation_counter.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

Glyph GlyphOf(const std::vector<std::string>& art, uint8_t topOffset = 0) {
  Glyph glyph;
  glyph.Height = static_cast<uint8_t>(art.size());
  glyph.Width = static_cast<uint8_t>(art[0].size());
  glyph.TopOffset = topOffset;
  for (int y = 0; y < glyph.Height; ++y) {
    for (int x = 0; x < glyph.Width; ++x) glyph.SetPixel(x, y, art[y][x] == '#');
  }
  return glyph;
}

CharBox BoxOf(const Glyph& glyph) {
  return CharBox{0, 0, glyph.Width, glyph.Height, glyph.TopOffset, 0};
}

class Matrix {
 public:
  size_t Add(const Glyph& glyph, const std::string& text) {
    matrix.Add(MatrixEntry{glyph, text}, boxes_);
    return matrix.Count();
  }
  int Similarity(const Glyph& glyph, const CharBox& box, size_t number) const {
    GlyphRows rows;
    glyph.FillRows(rows);
    return GlyphSimilarity(rows, box, matrix, number, INT_MIN);
  }
  CharacterMatrix matrix;

 private:
  ScriptedMessageBoxes boxes_;
};

// The score as the rule states it, pixel by pixel, to check the
// bit-parallel matcher against.
int ReferenceSimilarity(const Glyph& g, const CharBox& box, const Glyph& e) {
  const int minW = std::min<int>(box.Width, e.Width), maxW = std::max<int>(box.Width, e.Width);
  const int minH = std::min<int>(box.Height, e.Height), maxH = std::max<int>(box.Height, e.Height);
  int score = ((maxW - minW) * minH + (maxH - minH) * maxW) * 4 / 5;
  int penalty = 1;
  for (int y = 0; y < minH; ++y) {
    for (int x = 0; x < minW; ++x) {
      const bool p = g.Pixel(x, y);
      if (p == e.Pixel(x, y)) {
        ++score;
        penalty = 1;
      } else if ((x > 0 && p == e.Pixel(x - 1, y)) || (x < minW - 1 && p == e.Pixel(x + 1, y))) {
        ++score;
      } else {
        score -= penalty;
        if (penalty < 16) penalty *= 2;
      }
    }
  }
  return score * 1000 / (maxW * maxH);
}

TEST(GlyphSimilarity, IdenticalGlyphsScore1000AndASidewaysPixelStillDoes) {
  Matrix m;
  const Glyph shape = GlyphOf({"..#..", ".#.#.", "#####", "#...#"});
  m.Add(shape, "A");
  EXPECT_EQ(m.Similarity(shape, BoxOf(shape), 1), 1000);
  const Glyph moved = GlyphOf({".#...", ".#.#.", "#####", "#...#"});
  EXPECT_EQ(m.Similarity(moved, BoxOf(moved), 1), 1000);
}

TEST(GlyphSimilarity, MissesCostADoublingPenaltyThatExactHitsReset) {
  Matrix m;
  m.Add(GlyphOf({"#######"}), "full");
  const Glyph empty = GlyphOf({"......."});
  // Penalties 1, 2, 4, 8, 16, 16, 16.
  EXPECT_EQ(m.Similarity(empty, BoxOf(empty), 1), -63 * 1000 / 7);

  m.Add(GlyphOf({"####"}), "four");
  const Glyph one = GlyphOf({"..#."});
  // Misses of 1 and 2, a hit resets, then a miss of 1 again.
  EXPECT_EQ(m.Similarity(one, BoxOf(one), 2), -3 * 1000 / 4);

  // The penalty carries from row to row; the quotient truncates toward zero.
  m.Add(GlyphOf({"#", "#", "#"}), "bar");
  const Glyph none = GlyphOf({".", ".", "."});
  EXPECT_EQ(m.Similarity(none, BoxOf(none), 3), -2333);
}

TEST(GlyphSimilarity, SizeDifferencesEarnFourFifthsCredit) {
  Matrix m;
  const Glyph block = GlyphOf({"####", "####", "####"});
  m.Add(block, "block");
  CharBox wider = BoxOf(block);
  wider.Width = 5;
  // Area only the box covers: 1 x 3 columns at 4/5 -> 2; 12 hits.
  EXPECT_EQ(m.Similarity(block, wider, 1), (12 + 2) * 1000 / 15);
}

TEST(GlyphSimilarity, AgreesWithThePixelByPixelRule) {
  std::mt19937 random(7);
  Matrix m;
  std::vector<Glyph> entries;
  for (int i = 0; i < 40; ++i) {
    Glyph e;
    e.Width = static_cast<uint8_t>(1 + random() % 45);
    e.Height = static_cast<uint8_t>(1 + random() % 45);
    for (int y = 0; y < e.Height; ++y) {
      for (int x = 0; x < e.Width; ++x) e.SetPixel(x, y, random() % 3 == 0);
    }
    entries.push_back(e);
    m.Add(e, "e");
  }
  for (int trial = 0; trial < 400; ++trial) {
    const size_t n = 1 + random() % entries.size();
    Glyph g = entries[n - 1];
    for (int flips = random() % 30; flips > 0; --flips) {
      const int x = random() % g.Width, y = random() % g.Height;
      g.SetPixel(x, y, !g.Pixel(x, y));
    }
    CharBox box = BoxOf(g);
    box.Width = static_cast<uint16_t>(std::max(1, box.Width + static_cast<int>(random() % 5) - 2));
    box.Height =
        static_cast<uint16_t>(std::max(1, box.Height + static_cast<int>(random() % 5) - 2));
    const int expected = ReferenceSimilarity(g, box, entries[n - 1]);
    ASSERT_EQ(m.Similarity(g, box, n), expected) << trial;
    // Stopping early never changes whether a threshold is reached.
    GlyphRows rows;
    g.FillRows(rows);
    const int threshold = static_cast<int>(random() % 1100) - 50;
    EXPECT_EQ(GlyphSimilarity(rows, box, m.matrix, n, threshold) >= threshold,
              expected >= threshold);
  }
}

TEST(MatchGlyph, AnEmptyMatrixMatchesNothing) {
  const CharacterMatrix matrix;
  const Glyph g = GlyphOf({"##"});
  EXPECT_EQ(MatchGlyph(g, BoxOf(g), matrix, SettingsWithoutAids()), 0u);
}

TEST(MatchGlyph, SizeAndPositionToleranceComeBeforeAnyPixel) {
  Matrix m;
  const Glyph entry = GlyphOf({"###", "###", "###", "###"}, 4);
  m.Add(entry, "e");
  const OcrSettings settings = SettingsWithoutAids();
  CharBox box = BoxOf(entry);
  box.Width = 3 + settings.MaxCharDiffWidth;  // pixels beyond the entry lower the score
  OcrSettings lenient = settings;
  lenient.Sensibility = 0;
  EXPECT_EQ(MatchGlyph(entry, box, m.matrix, lenient), 1u);
  box.Width = 3 + settings.MaxCharDiffWidth + 1;
  EXPECT_EQ(MatchGlyph(entry, box, m.matrix, lenient), 0u);

  Glyph lower = entry;
  lower.TopOffset = 4 + settings.MaxCharDiffTop + 1;
  EXPECT_EQ(MatchGlyph(lower, BoxOf(lower), m.matrix, lenient), 0u);
  lower.TopOffset = 0;
  EXPECT_EQ(MatchGlyph(lower, BoxOf(lower), m.matrix, lenient), 1u);
}

TEST(MatchGlyph, TheFirstPassingEntryWinsOverABetterOneLater) {
  Matrix m;
  const Glyph o = GlyphOf({".##.", "#..#", "#..#", ".##."});
  const Glyph nearlyO = GlyphOf({".##.", "###.", "#..#", ".##."});
  m.Add(nearlyO, "first");
  m.Add(o, "exact");
  OcrSettings settings = SettingsWithoutAids();
  settings.Sensibility = 850;  // the first scores 875
  ASSERT_LT(m.Similarity(o, BoxOf(o), 1), 1000);
  EXPECT_EQ(MatchGlyph(o, BoxOf(o), m.matrix, settings), 1u);
  settings.Sensibility = 1000;
  EXPECT_EQ(MatchGlyph(o, BoxOf(o), m.matrix, settings), 2u);
  // Deleting the first moves the last into its place: order changes.
  m.matrix.Delete(1);
  EXPECT_EQ(m.matrix.Entry(1).text, "exact");
}

TEST(MatchGlyph, ACharacterTallerThan45RowsKeepsItsMeasuredHeight) {
  Matrix m;
  Glyph tall;
  tall.Width = 4;
  tall.Height = 45;
  for (int y = 0; y < 45; ++y) tall.SetPixel(1, y, true);
  m.Add(tall, "|");
  CharBox box = BoxOf(tall);
  box.Height = 46;  // its glyph holds the top 45 rows
  // 180 hits and 4 columns x 1 row at four fifths credit, over 4 x 46.
  EXPECT_EQ(m.Similarity(tall, box, 1), (180 + 3) * 1000 / 184);
  EXPECT_EQ(MatchGlyph(tall, box, m.matrix, SettingsWithoutAids()), 1u);
  box.Height = 48;
  EXPECT_EQ(MatchGlyph(tall, box, m.matrix, SettingsWithoutAids()), 0u);
}

TEST(MatchGlyph, MatchingAllocatesNothing) {
  Matrix m;
  std::mt19937 random(3);
  for (int i = 0; i < 50; ++i) {
    Glyph e;
    e.Width = e.Height = 10;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) e.SetPixel(x, y, random() % 2 == 0);
    }
    m.Add(e, "x");
  }
  const Glyph g = m.matrix.Entry(50).glyph;
  const size_t before = AllocationCount();
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(MatchGlyph(g, BoxOf(g), m.matrix, SettingsWithoutAids()), 50u);
  EXPECT_EQ(AllocationCount(), before);
}

TEST(ExtractGlyph, TakesThePixelsOfOneMarkWithinTheBoxUpTo45) {
  Picture24 picture(60, 50);
  picture.Fill(MakeColour(0, 0, 0));
  DrawBlock(picture, 5, 2, 50, 48, kMarkA);
  picture.SetPixel(6, 3, kMarkB);
  picture.SetPixel(4, 3, kMarkA);  // outside the box
  const CharBox box{5, 2, 50, 48, 7, 0};
  const Glyph glyph = ExtractGlyph(picture, box, kMarkA);
  EXPECT_EQ(glyph.Width, 45);
  EXPECT_EQ(glyph.Height, 45);
  EXPECT_EQ(glyph.TopOffset, 7);
  EXPECT_TRUE(glyph.Pixel(0, 0));
  EXPECT_FALSE(glyph.Pixel(1, 1));
  EXPECT_TRUE(glyph.Pixel(44, 44));
}

}  // namespace
}  // namespace capter::testing
