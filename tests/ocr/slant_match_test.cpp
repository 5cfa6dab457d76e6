// Reading letters in the other slant, on block letters drawn upright or
// leaning: each letter is a small grid of cells, a cell `unit` pixels square.
#include <gtest/gtest.h>

#include "ocr/matcher.h"
#include "ocr/recogniser.h"
#include "ocr/segmentation.h"
#include "ocr/slant_match.h"
#include "tests/ocr/allocation_counter.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/teach_line.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

const Colour kText = kPaletteGreys[3];

using Cells = std::vector<std::string>;
const Cells kE = {"###", "#..", "###", "#..", "###"};
const Cells kH = {"#.#", "#.#", "###", "#.#", "#.#"};
const Cells kO = {"###", "#.#", "#.#", "#.#", "###"};
const Cells kU = {"#.#", "#.#", "#.#", "#.#", "###"};  // an "O" open at the top

// The letters side by side on one line, each leaning by `lean` columns per
// row up (the last by `lastLean` when given), drawn as text art.
Picture24 Draw(const std::vector<const Cells*>& letters, float lean, float lastLean = -1,
               int unit = 3) {
  const int rows = 5 * unit;
  const int slack = static_cast<int>(std::max(lean, lastLean) * static_cast<float>(rows)) + 1;
  std::vector<std::string> art(rows + 4, std::string(2 + letters.size() * (5 * unit + slack), '.'));
  int x = 2;
  for (size_t i = 0; i < letters.size(); ++i) {
    const Cells* cells = letters[i];
    const float l = i + 1 == letters.size() && lastLean >= 0 ? lastLean : lean;
    for (int y = 0; y < rows; ++y) {
      const int shift = static_cast<int>(l * static_cast<float>(rows - 1 - y) + 0.5f);
      for (int px = 0; px < 3 * unit; ++px) {
        if ((*cells)[y / unit][px / unit] == '#') art[2 + y][x + shift + px] = '#';
      }
    }
    x += 5 * unit + slack;
  }
  return PictureFromArt(art, kText);
}

// Teaches every box of the drawn line as the matching character of `texts`.
void Teach(const std::vector<const Cells*>& letters, float lean, const std::string& texts,
           CharacterMatrix& matrix) {
  TeachLineBoxes(Draw(letters, lean), SettingsWithoutAids(), texts, matrix);
}

// Reads the drawn line at its own size first, then in the other slant.
class LineReader : public BoxByBoxReader<SlantReader> {
 public:
  std::string Read(const std::vector<const Cells*>& letters, float lean,
                   const CharacterMatrix& matrix, float lastLean = -1) {
    return BoxByBoxReader::Read(Draw(letters, lean, lastLean), SettingsWithoutAids(), matrix);
  }
};

TEST(Leaning, ALeanIsUndoneAndTheInkCropped) {
  const GlyphRows stem = RowsOf({"..##", "..##", "..##", "..##", "..##"});
  GlyphRows leaning{}, back{};
  // Cropped to its ink: the two empty columns on the left go.
  EXPECT_EQ(LeanRows(stem, 4, 5, 0.5f, leaning), 4);
  EXPECT_EQ(leaning[4], 0b11u);  // the bottom row stays leftmost
  EXPECT_EQ(leaning[0], GlyphRow{0b11} << 2);
  EXPECT_EQ(LeanRows(leaning, 4, 5, -0.5f, back), 2);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(back[y], 0b11u) << y;
  GlyphRows block{};
  for (int y = 0; y < 30; ++y) block[y] = (GlyphRow{1} << 40) - 1;
  EXPECT_EQ(LeanRows(block, 40, 30, 0.5f, leaning), 0);  // past 45 columns
  EXPECT_EQ(LeanRows(GlyphRows{}, 4, 5, 0.5f, leaning), 0);
}

TEST(Leaning, HolesAreClosedBowlsOfMoreThanAPixel) {
  EXPECT_EQ(HolesOf(RowsOf({"####", "#..#", "#..#", "####"}), 4, 4), 1);
  EXPECT_EQ(HolesOf(RowsOf({"#..#", "#..#", "#..#", "####"}), 4, 4), 0);
  EXPECT_EQ(HolesOf(RowsOf({"###", "#.#", "###", "#.#", "###"}), 3, 5), 0);  // two of a pixel
  EXPECT_EQ(HolesOf(RowsOf({"####", "#..#", "####", "#..#", "####"}), 4, 5), 2);
  // A stroke joined only at a corner, as a lean leaves it, still closes.
  EXPECT_EQ(HolesOf(RowsOf({".###", "#..#", "#..#", "###."}), 4, 4), 1);
}

// The pieces of a mark drawn as text art.
int Pieces(const std::vector<std::string>& art, MarkPieces& pieces) {
  return SmallMarkPieces(RowsOf(art), static_cast<int>(art[0].size()), static_cast<int>(art.size()),
                         pieces);
}

TEST(SmallMarkReading, DotsAndTicksAreComparedByTheirPieces) {
  MarkPieces upright, italic, other;
  // A colon: two square dots upright, two slanted dots further apart
  // sideways when italic.
  const std::vector<std::string> colon = {"###", "###", "###", "...", "...", "...",
                                          "...", "...", "###", "###", "###"};
  const std::vector<std::string> leaning = {"...###", "...###", "...###", "......",
                                            "......", "......", "......", "......",
                                            ".###..", "###...", "###..."};
  ASSERT_EQ(Pieces(colon, upright), 2);
  ASSERT_EQ(Pieces(leaning, italic), 2);
  EXPECT_EQ(upright[1].top, 8);
  EXPECT_EQ(italic[0].left, 3);
  EXPECT_TRUE(SameSmallMark(italic, 2, upright, 2));
  // Two dots side by side are not a colon, however alike the dots.
  const int sideBySide = Pieces({"###....###", "###....###", "###....###"}, other);
  EXPECT_FALSE(SameSmallMark(other, sideBySide, upright, 2));
  // Dots further apart sideways than an italic lean moves them are not.
  const int apart =
      Pieces({"......###", "......###", "......###", ".........", ".........", ".........",
              ".........", ".........", "###......", "###......", "###......"},
             other);
  EXPECT_EQ(apart, 2);
  EXPECT_FALSE(SameSmallMark(other, apart, upright, 2));

  // A slanted full stop is the mirror of an upright one: they are one
  // mark, compared by size and ink; a comma a row taller is not.
  MarkPieces stop, slanted, comma;
  ASSERT_EQ(Pieces({"##.", "###", "##."}, stop), 1);
  ASSERT_EQ(Pieces({".##", "###", ".##"}, slanted), 1);
  EXPECT_TRUE(SameSmallMark(slanted, 1, stop, 1));
  ASSERT_EQ(Pieces({"###", "###", ".##", ".##", "##."}, comma), 1);
  EXPECT_FALSE(SameSmallMark(comma, 1, stop, 1));

  // A letter, or a mark of a piece too tall or too many pieces, is no
  // small mark.
  std::vector<std::string> stem(8, "##");
  EXPECT_EQ(Pieces(stem, other), 0);
  EXPECT_EQ(Pieces({"#.#.#.#"}, other), 0);
  EXPECT_EQ(Pieces({"...."}, other), 0);
}

TEST(SmallMarkReading, ASlantedFullStopReadsAsTheUprightOneOfOneText) {
  // A full stop taught upright reads in its slanted form on an italic
  // line, where its pixels do not pass.
  const Cells stop = {"...", "...", "...", "...", ".#."};
  CharacterMatrix matrix;
  Teach({&kE, &kH, &stop}, 0.0f, "EH.", matrix);
  LineReader reader;
  EXPECT_EQ(reader.Read({&kH, &kE, &kH, &stop}, 0.25f, matrix), "HEH.");
  // Taught as two texts, the mark says nothing.
  Teach({&kE, &stop}, 0.0f, "E,", matrix);
  EXPECT_EQ(reader.Read({&kH, &kE, &kH, &stop}, 0.25f, matrix), "HEH?");
}

TEST(SlantRead, UprightLettersReadOnAnItalicLineAndBack) {
  CharacterMatrix upright;
  Teach({&kE, &kH, &kO}, 0.0f, "EHO", upright);
  LineReader reader;
  EXPECT_EQ(reader.Read({&kH, &kE, &kO, &kH}, 0.25f, upright), "HEOH");
  // Reading again allocates nothing once the reader has seen such a line.
  reader.readerAllocations = 0;
  EXPECT_EQ(reader.Read({&kO, &kE, &kH}, 0.25f, upright), "OEH");
  EXPECT_EQ(reader.readerAllocations, 0u);

  CharacterMatrix italic;
  Teach({&kE, &kH, &kO}, 0.25f, "EHO", italic);
  EXPECT_EQ(reader.Read({&kO, &kH, &kE}, 0.0f, italic), "OHE");
}

TEST(SlantRead, ALetterLeaningALittleMoreThanItsLineIsSetUpright) {
  CharacterMatrix upright;
  Teach({&kE, &kH, &kO}, 0.0f, "EHO", upright);
  LineReader reader;
  for (float own : {0.22f, 0.26f, 0.3f, 0.34f, 0.38f}) {
    SCOPED_TRACE(own);
    EXPECT_EQ(reader.Read({&kH, &kE, &kO, &kH, &kE}, 0.22f, upright, own), "HEOHE");
  }
}

TEST(SlantRead, AShapeThatOnlyResemblesAnEntryLeanedStaysUnknown) {
  CharacterMatrix matrix;
  Teach({&kE, &kH, &kU}, 0.0f, "EHU", matrix);
  LineReader reader;
  // A closed ring set upright comes within a pixel of the open one.
  EXPECT_EQ(reader.Read({&kH, &kE, &kO, &kU}, 0.25f, matrix), "HE?U");
  // Upright entries are not leaned for a letter that leans alone on an
  // upright line.
  CharacterMatrix upright;
  Teach({&kE, &kH, &kO}, 0.0f, "EHO", upright);
  EXPECT_EQ(reader.Read({&kE, &kE, &kH}, 0.0f, upright, 0.25f), "EE?");
}

TEST(SlantRead, ShapesTaughtAsTwoTextsStayUnknown) {
  CharacterMatrix matrix;
  Teach({&kE, &kH, &kO}, 0.0f, "EHO", matrix);
  Teach({&kO}, 0.0f, "0", matrix);
  LineReader reader;
  EXPECT_EQ(reader.Read({&kH, &kO, &kE}, 0.25f, matrix), "H?E");
}

TEST(SlantRead, RecognitionReadsTheOtherSlantOnlyWithOtherSizes) {
  for (bool on : {false, true}) {
    SCOPED_TRACE(on);
    CharacterMatrix matrix;
    Teach({&kE, &kH, &kO}, 0.0f, "EHO", matrix);
    OcrSettings settings = SettingsWithoutAids();
    settings.OtherSizes = on;
    TextColourState colour;
    ScriptedColourChooser chooser({3});
    ScriptedTeacher teacher({Taught("H"), Taught("E"), Taught("O")});
    CollectingSink sink;
    ScriptedMessageBoxes messages;
    Recogniser recogniser({matrix, settings, colour, chooser, teacher, sink, messages});
    Picture24 picture = Draw({&kH, &kE, &kO}, 0.25f);
    recogniser.RecogniseSubPicture(picture, Rect{0, 0, picture.Width() - 1, picture.Height() - 1},
                                   TimeCode{}, TimeCode{});
    EXPECT_EQ(recogniser.Lines(), std::vector<std::string>{"HEO"});
    EXPECT_EQ(teacher.asked.size(), on ? 0u : 3u);
  }
}

}  // namespace
}  // namespace capter::testing
