// Plain bars on italic lines (an "l", an "I", the stem of an "i") read from
// their upright entries by their size and place, since a leaned bar lies
// within a pixel of any stem; only when the bar's text is the one that fits,
// or the I and l rules decide it from the line.
#include <gtest/gtest.h>

#include "ocr/character_matrix.h"
#include "tests/ocr/art_line.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/teach_line.h"

namespace capter::testing {
namespace {

// Upright bars as a sans-serif font draws them: "l" and "i" 16 rows tall,
// a capital "I" a row lower, and an "i" of 24 rows.
const Art kL(16, "##");
const Art kCapitalI(15, "##");
const Art kDotted = {"##", ".#", "..", "..", "##", "##", "##", "##",
                     "##", "##", "##", "##", "##", "##", "##", "##"};
// Their italic forms as antialiasing leaves them, the stem's steps not
// where a lean by the line's slant puts them: set upright so, they miss
// the upright bars by a pixel on row after row.
constexpr float kLSlant = 0.14f;
const Art kItalicL = {"...##", "...##", "...##", "...##", "...##", "..##.", "..##.", "..##.",
                      "..##.", "..##.", ".##..", ".##..", ".##..", ".##..", ".##..", "##..."};
constexpr float kISlant = 0.18f;
const Art kTallL(24, "##");
const Art kTallDotted = {"##", "##", "##", "..", "..", "..", "##", "##", "##", "##", "##", "##",
                         "##", "##", "##", "##", "##", "##", "##", "##", "##", "##", "##", "##"};
const Art kItalicTallDotted = {"....###", "....###", "....##.", ".......", ".......", ".......",
                               "....#..", "...###.", "...##..", "...##..", "..###..", "..###..",
                               "..###..", "..##...", "..##...", "..##...", ".###...", ".###...",
                               ".###...", ".##....", ".##....", "###....", "###....", "###...."};

// `art` drawn leaning by `lean` columns per row up, as DrawArtLine leans it.
Art Leaning(const Art& art, float lean) {
  const int rows = static_cast<int>(art.size());
  const int shift = static_cast<int>(lean * static_cast<float>(rows - 1) + 0.5f);
  Art out(art.size(), std::string(art[0].size() + static_cast<size_t>(shift), '.'));
  for (int y = 0; y < rows; ++y) {
    const int by = static_cast<int>(lean * static_cast<float>(rows - 1 - y) + 0.5f);
    out[static_cast<size_t>(y)].replace(static_cast<size_t>(by), art[0].size(),
                                        art[static_cast<size_t>(y)]);
  }
  return out;
}

// The block letters and `letters` (each a one-letter text) taught upright.
CharacterMatrix Upright(const std::vector<const Art*>& letters, const std::string& texts) {
  CharacterMatrix matrix;
  std::vector<const Art*> all = {&kBlockH, &kBlockE};
  all.insert(all.end(), letters.begin(), letters.end());
  TeachLineBoxes(DrawArtLine(all, 0.0f), SettingsWithoutAids(), "HE" + texts, matrix);
  return matrix;
}

// "H", the italic bar `bar` and "E" read on a line leaning by `slant`, with
// or without the I and l rules.
std::string ReadItalicBar(const Art& bar, float slant, CharacterMatrix matrix,
                          bool iAndLByContext = false) {
  const Art h = Leaning(kBlockH, slant), e = Leaning(kBlockE, slant);
  return RecogniseArtLine({&h, &bar, &e}, 0.0f, std::move(matrix), iAndLByContext);
}

TEST(SlantBar, AnItalicBarReadsAsTheOneUprightBarOfItsSizeAndMark) {
  EXPECT_EQ(ReadItalicBar(kItalicL, kLSlant, Upright({&kL, &kDotted}, "li")), "HlE");
  EXPECT_EQ(ReadItalicBar(kItalicTallDotted, kISlant, Upright({&kTallDotted}, "i")), "HiE");
  // A plain bar is no dotted stem, nor the reverse.
  EXPECT_EQ(ReadItalicBar(kItalicL, kLSlant, Upright({&kDotted}, "i")), "H?E");
  EXPECT_EQ(ReadItalicBar(kItalicTallDotted, kISlant, Upright({&kTallL}, "l")), "H?E");
}

TEST(SlantBar, ABarThatFitsTwoTextsIsLeftToTheIAndLRulesOrUnknown) {
  // "l" and "I" a row apart both fit: only the I and l rules decide, here a
  // capital between capitals.
  const CharacterMatrix iAndL = Upright({&kL, &kCapitalI}, "lI");
  EXPECT_EQ(ReadItalicBar(kItalicL, kLSlant, iAndL), "H?E");
  EXPECT_EQ(ReadItalicBar(kItalicL, kLSlant, iAndL, true), "HIE");
  // A third text of the same bar leaves it unknown whatever the rules.
  const CharacterMatrix three = Upright({&kL, &kCapitalI, &kL}, "lI|");
  EXPECT_EQ(ReadItalicBar(kItalicL, kLSlant, three, true), "H?E");
}

}  // namespace
}  // namespace capter::testing
