// Reading a box of letters that were only ever taught apart: letters whose
// strokes share columns without touching, and a letter joined to its
// neighbour's accent.
#include "ocr/touching_split.h"

#include <gtest/gtest.h>

#include "ocr/matcher.h"
#include "ocr/recogniser.h"
#include "ocr/segmentation.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/teach_line.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

const Colour kText = kPaletteGreys[3];

OcrSettings Aids() {
  OcrSettings settings;
  SetRecognitionAids(settings, true);
  return settings;
}

// Segments `art` and teaches each box of its one line as the matching
// character of `texts`.
void TeachArt(const std::vector<std::string>& art, const std::string& texts,
              CharacterMatrix& matrix) {
  TeachLineBoxes(PictureFromArt(art), Aids(), texts, matrix);
}

// The reading of the one box `art` segments into.
SplitReading SplitArt(const std::vector<std::string>& art, const CharacterMatrix& matrix) {
  Picture24 picture = PictureFromArt(art);
  LineTable table;
  Segmenter().Segment(picture, kText, Aids(), table);
  EXPECT_EQ(table.count, 1);
  EXPECT_EQ(table.lines[0].boxes.size(), 1u);
  const CharBox& box = table.lines[0].boxes[0];
  EXPECT_EQ(MatchGlyph(ExtractGlyph(picture, box, MarkOf(0)), box, matrix, Aids()), 0u);
  return ReadTouchingCharacters(picture, table.lines[0], box, MarkOf(0), matrix, Aids());
}

// An "L" whose foot reaches three columns under the bar of a "7": every
// column cut gives one letter a piece of the other, but they do not touch.
// clang-format off
const std::vector<std::string> kLAnd7Apart = {
    "#..........######",
    "#...............#",
    "#...............#",
    "#...............#",
    "#...............#",
    "######..........#",
};
const std::vector<std::string> kLUnder7 = {
    "#..######",
    "#.......#",
    "#.......#",
    "#.......#",
    "#.......#",
    "######..#",
};
// clang-format on

TEST(TouchingSplit, LettersSharingColumnsWithoutTouchingEachKeepTheirWholeShape) {
  CharacterMatrix matrix;
  TeachArt(kLAnd7Apart, "L7", matrix);
  const SplitReading split = SplitArt(kLUnder7, matrix);
  EXPECT_EQ(split.text, "L7");
  EXPECT_EQ(split.similarity, 1000);
  ASSERT_EQ(split.parts, 2);
  // Each part's box is its own letter's, overlapping the other.
  EXPECT_EQ(split.part[0].box.Left, 0);
  EXPECT_EQ(split.part[0].box.Width, 6);
  EXPECT_EQ(split.part[1].box.Left, 3);
  EXPECT_EQ(split.part[1].box.Width, 6);
}

TEST(TouchingSplit, ABoxOfMorePiecesThanAreToldApartIsStillCutByColumns) {
  // Nine dots over a bar (ten pieces), then a block touching the bar.
  // clang-format off
  const std::vector<std::string> apart = {
      "#.#.#.#.#.#.#.#.#.........",
      "..........................",
      "#################...######",
      "#################...######",
  };
  const std::vector<std::string> touching = {
      "#.#.#.#.#.#.#.#.#......",
      ".......................",
      "#######################",
      "#######################",
  };
  // clang-format on
  CharacterMatrix matrix;
  TeachArt(apart, "EB", matrix);
  EXPECT_EQ(SplitArt(touching, matrix).text, "EB");
}

TEST(TouchingSplit, ANeighboursAccentOverALettersEdgeIsLeftOutOfItsReading) {
  // The left dot of an "i" with a diaeresis over the last column of a "u".
  CharacterMatrix matrix;
  TeachArt({"#....#", "#....#", "#....#", "######"}, "u", matrix);
  // clang-format off
  const SplitReading split = SplitArt({
      ".....##",
      ".....##",
      ".......",
      "#....#.",
      "#....#.",
      "#....#.",
      "######.",
  }, matrix);
  // clang-format on
  EXPECT_EQ(split.text, "u");
  ASSERT_EQ(split.parts, 1);
  EXPECT_EQ(split.part[0].box.Width, 6);
  EXPECT_EQ(split.part[0].box.Height, 4);
}

TEST(TouchingSplit, TheDotsOfASlantedColonAreNeitherTwoFullStopsNorOne) {
  CharacterMatrix matrix;
  TeachArt({"###", "###", "###"}, ".", matrix);
  // clang-format off
  EXPECT_EQ(SplitArt({
      "..###",
      "..###",
      "..###",
      ".....",
      "###..",
      "###..",
      "###..",
  }, matrix).parts, 0);
  // clang-format on
}

TEST(TouchingSplit, ABoxThatMatchesAnEntryIsNeverSplit) {
  CharacterMatrix matrix;
  TeachArt(kLAnd7Apart, "L7", matrix);
  TeachArt(kLUnder7, "X", matrix);
  const OcrSettings settings = Aids();
  TextColourState colour;
  ScriptedColourChooser chooser{{3}};
  ScriptedTeacher teacher;
  CollectingSink sink;
  ScriptedMessageBoxes boxes;
  Recogniser recogniser({matrix, settings, colour, chooser, teacher, sink, boxes});
  Picture24 picture = PictureFromArt(kLUnder7);
  EXPECT_EQ(recogniser.RecogniseSubPicture(picture, Rect{0, 0, 8, 5}, {}, {}),
            RecognitionOutcome::Added);
  EXPECT_EQ(recogniser.Lines(), std::vector<std::string>{"X"});
  EXPECT_TRUE(teacher.asked.empty());
}

// An upright "L" and an "H" leaning by a quarter column per row, apart;
// then both upright and touching at the foot.
// clang-format off
const std::vector<std::string> kLAndItalicH = {
    "#..........##..##",
    "#..........##..##",
    "#.........##..##.",
    "#.........######.",
    "#.........##..##.",
    "#.........##..##.",
    "#........##..##..",
    "#####....##..##..",
};
const std::vector<std::string> kLTouchingUprightH = {
    "#....##..##",
    "#....##..##",
    "#....##..##",
    "#....######",
    "#....##..##",
    "#....##..##",
    "#....##..##",
    "#######..##",
};
// clang-format on

TEST(TouchingSplit, OnePartMayReadAsAnEntryOfTheOtherSlant) {
  CharacterMatrix matrix;
  TeachArt(kLAndItalicH, "LH", matrix);
  Picture24 picture = PictureFromArt(kLTouchingUprightH);
  LineTable table;
  Segmenter().Segment(picture, kText, Aids(), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 1u);
  const CharBox& box = table.lines[0].boxes[0];
  // The "H" is known only leaning: the split reads it only through the
  // reader of the other slant.
  EXPECT_EQ(ReadTouchingCharacters(picture, table.lines[0], box, MarkOf(0), matrix, Aids()).parts,
            0);
  SlantReader slants;
  slants.StartLine();
  const SplitReading split =
      ReadTouchingCharacters(picture, table.lines[0], box, MarkOf(0), matrix, Aids(), &slants);
  EXPECT_EQ(split.text, "LH");
  EXPECT_EQ(split.parts, 2);
}

// Both letters known only leaning: a cut would have to guess at both.
// clang-format off
const std::vector<std::string> kItalicLAndH = {
    "..##.........##..##",
    "..##.........##..##",
    ".##.........##..##.",
    ".##.........######.",
    ".##.........##..##.",
    ".##.........##..##.",
    "##.........##..##..",
    "#####......##..##..",
};
const std::vector<std::string> kUprightLTouchingH = {
    "##...##..##",
    "##...##..##",
    "##...##..##",
    "##...######",
    "##...##..##",
    "##...##..##",
    "##...##..##",
    "#######..##",
};
// clang-format on

TEST(TouchingSplit, TwoPartsAreNotBothReadInTheOtherSlant) {
  CharacterMatrix matrix;
  TeachArt(kItalicLAndH, "LH", matrix);
  Picture24 picture = PictureFromArt(kUprightLTouchingH);
  LineTable table;
  Segmenter().Segment(picture, kText, Aids(), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 1u);
  SlantReader slants;
  slants.StartLine();
  EXPECT_EQ(ReadTouchingCharacters(picture, table.lines[0], table.lines[0].boxes[0], MarkOf(0),
                                   matrix, Aids(), &slants)
                .parts,
            0);
}

}  // namespace
}  // namespace capter::testing
