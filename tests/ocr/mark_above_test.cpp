// Letters with a mark above (the dot of an "i"), drawn as pixel art upright
// or leaning: they read only as entries of their own kind, and in the other
// slant from their upright entries.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ocr/mark_above.h"
#include "tests/ocr/art_line.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/teach_line.h"

namespace capter::testing {
namespace {

// A serif stem with its dot three rows above it; the italic one is drawn
// with a gap of two rows, one row lower, as italic type draws it.
const Art kI = {".###.", ".###.", ".###.", ".....", ".....", ".....", "####.", ".###.",
                ".###.", ".###.", ".###.", ".###.", ".###.", ".###.", "#####"};
const Art kItalicI = {".###.", ".###.", ".###.", ".....", ".....", "####.", ".###.",
                      ".###.", ".###.", ".###.", ".###.", ".###.", ".###.", "#####"};
const Art kL = {"####.", ".###.", ".###.", ".###.", ".###.", ".###.", ".###.", ".###.",
                ".###.", ".###.", ".###.", ".###.", ".###.", ".###.", "#####"};

MarkAbove MarkOfArt(const Art& art) {
  return MarkAboveOf(RowsOf(art), static_cast<int>(art[0].size()), static_cast<int>(art.size()));
}

TEST(MarkAbove, ADotOrAnAccentIsAMarkTheTopOfABrokenLetterIsNot) {
  EXPECT_EQ(MarkOfArt(kI).markRows, 3);
  EXPECT_EQ(MarkOfArt(kI).bodyTop, 6);
  EXPECT_EQ(MarkOfArt(kItalicI).bodyTop, 5);
  EXPECT_EQ(MarkOfArt(kL).markRows, 0);
  // A letter broken in two halves, a mark alone, a mark too tall to be a
  // dot (eight rows, however tall the letter).
  EXPECT_EQ(MarkOfArt({"###", "###", "...", "###", "###"}).markRows, 0);
  EXPECT_EQ(MarkOfArt({"###", "###", "###"}).markRows, 0);
  Art tall(8, "###");
  tall.push_back("...");
  tall.insert(tall.end(), 30, "###");
  EXPECT_EQ(MarkOfArt(tall).markRows, 0);
  tall.erase(tall.begin());
  EXPECT_EQ(MarkOfArt(tall).markRows, 7);
}

TEST(MarkAbove, MarkedLettersAreComparedByBodyAndByTheLayoutOfTheirMarks) {
  const auto similarity = [](const Art& box, const Art& entry) {
    return MarkedSimilarity(RowsOf(box), static_cast<int>(box[0].size()),
                            static_cast<int>(box.size()), MarkOfArt(box), RowsOf(entry),
                            static_cast<int>(entry[0].size()), static_cast<int>(entry.size()), 2, 2,
                            900);
  };
  // A gap a row lower leaves the bodies alike.
  EXPECT_EQ(similarity(kItalicI, kI), 1000);
  // A dot two columns off the body's middle, a dot two rows taller, two dots
  // (a diaeresis), a gap two rows lower: other letters.
  Art off = kI, taller = kI, two = kI, lower = kItalicI;
  for (int y = 0; y < 3; ++y) off[y] = "...###.";
  for (std::string& row : off) row.resize(7, '.');
  taller.insert(taller.begin(), 2, ".###.");
  for (int y = 0; y < 3; ++y) two[y] = "##.##";
  lower.erase(lower.begin() + 3);
  EXPECT_EQ(similarity(off, kI), 0);
  EXPECT_EQ(similarity(taller, kI), 0);
  EXPECT_EQ(similarity(two, kI), 0);
  EXPECT_EQ(similarity(lower, kI), 0);
  EXPECT_EQ(similarity(kL, kI), 0);
  // A size past the glyph's 45 rows (a damaged file) compares only the rows
  // that exist.
  Art deep = kI;
  deep.resize(45, ".###.");
  EXPECT_LT(MarkedSimilarity(RowsOf(deep), 5, 200, MarkOfArt(deep), RowsOf(kI), 5, 15, 2, 200, 0),
            1000);
}

TEST(MarkAbove, AnItalicDottedStemReadsFromTheUprightOneAndNotAsAStem) {
  CharacterMatrix matrix;
  TeachLineBoxes(DrawArtLine({&kBlockH, &kBlockE, &kI}, 0.0f), SettingsWithoutAids(), "HEi",
                 matrix);
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kBlockE, &kItalicI, &kBlockH}, 0.25f, matrix), "HEiH");
  // An italic stem taught as well is nearer in size and slant: the dot
  // still decides.
  CharacterMatrix withL = matrix;
  TeachLineBoxes(DrawArtLine({&kL}, 0.25f), SettingsWithoutAids(), "l", withL);
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kBlockE, &kItalicI, &kBlockH}, 0.25f, withL), "HEiH");
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kBlockE, &kL, &kBlockH}, 0.25f, withL), "HElH");
}

TEST(MarkAbove, AnUndottedStemIsNotReadAsADottedEntryNorTheReverse) {
  CharacterMatrix matrix;
  TeachLineBoxes(DrawArtLine({&kBlockH, &kBlockE, &kI}, 0.0f), SettingsWithoutAids(), "HEi",
                 matrix);
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kBlockE, &kL, &kBlockH}, 0.25f, matrix), "HE?H");
  CharacterMatrix stems;
  TeachLineBoxes(DrawArtLine({&kBlockH, &kBlockE, &kL}, 0.0f), SettingsWithoutAids(), "HEl", stems);
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kBlockE, &kItalicI, &kBlockH}, 0.25f, stems), "HE?H");
}

TEST(MarkAbove, AtAnotherSizeAStemReadsOnlyAsAStemOfItsKind) {
  // Stems of two columns on a foot: the neighbour's forgiveness of the
  // score covers a gap of one row across them, so only the dot tells the
  // letters apart.
  Art dotted(15, ".##."), plain(15, ".##.");
  dotted[1] = "....";
  dotted.back() = plain.back() = "####";
  // Each pixel drawn as two by two.
  const auto twice = [](const Art& art) {
    Art doubled;
    for (const std::string& row : art) {
      std::string wide;
      for (const char c : row) wide += std::string(2, c);
      doubled.insert(doubled.end(), 2, wide);
    }
    return doubled;
  };
  const Art tallDotted = twice(dotted), tallPlain = twice(plain);
  for (const auto& [taught, read, same, text] : {std::tuple{&tallPlain, &dotted, &plain, "l"},
                                                 std::tuple{&tallDotted, &plain, &dotted, "i"}}) {
    SCOPED_TRACE(text);
    CharacterMatrix matrix;
    TeachLineBoxes(DrawArtLine({taught}, 0.0f), SettingsWithoutAids(), text, matrix);
    EXPECT_EQ(RecogniseArtLine({read}, 0.0f, matrix), "?");
    EXPECT_EQ(RecogniseArtLine({same}, 0.0f, matrix), text);
  }
}

}  // namespace
}  // namespace capter::testing
