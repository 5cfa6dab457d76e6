// Reading letters at sizes never taught, on block letters drawn at a few
// sizes: each letter is a small grid of cells, a cell `unit` pixels square.
#include <gtest/gtest.h>

#include "ocr/matcher.h"
#include "ocr/recogniser.h"
#include "ocr/scaled_match.h"
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
const Cells kT = {"###", ".#.", ".#.", ".#.", ".#."};
const Cells kO = {"###", "#.#", "#.#", "#.#", "###"};
const Cells kSmallO = {"###", "#.#", "#.#", "###"};  // an "o": one cell lower
const Cells kL = {"#", "#", "#", "#", "#"};
const Cells kDot = {"#"};

// A ring of one-pixel stroke, `width` x `height` cells: thin strokes keep
// their width at every size, as hinted type does.
Cells Ring(size_t width, size_t height) {
  Cells ring(height, "#" + std::string(width - 2, '.') + "#");
  ring.front() = ring.back() = std::string(width, '#');
  return ring;
}

struct Letter {
  const Cells* cells;
  int unit;           // pixels per cell
  int top = 0;        // cells below the line's top
  float lean = 0.0f;  // columns to the right per row up
};

// The letters side by side, two units apart, on one line.
Picture24 Draw(const std::vector<Letter>& letters) {
  int width = 2, height = 2;
  for (const Letter& l : letters) {
    width += static_cast<int>((*l.cells)[0].size()) * l.unit + 2 * l.unit +
             static_cast<int>(l.lean * static_cast<float>(l.cells->size()) * l.unit);
    height = std::max(height, 2 + (l.top + static_cast<int>(l.cells->size())) * l.unit + 2);
  }
  Picture24 picture(width, height);
  picture.Fill(kPaletteGreys[0]);
  int x = 2;
  for (const Letter& l : letters) {
    const int rows = static_cast<int>(l.cells->size()) * l.unit;
    for (int y = 0; y < rows; ++y) {
      const int shift = static_cast<int>(l.lean * static_cast<float>(rows - 1 - y) + 0.5f);
      for (int px = 0; px < static_cast<int>((*l.cells)[0].size()) * l.unit; ++px) {
        if ((*l.cells)[y / l.unit][px / l.unit] != '#') continue;
        picture.SetPixel(x + shift + px, 2 + l.top * l.unit + y, kText);
      }
    }
    x += static_cast<int>((*l.cells)[0].size()) * l.unit + 2 * l.unit +
         static_cast<int>(l.lean * static_cast<float>(rows));
  }
  return picture;
}

OcrSettings OnlyOtherSizes(bool on) {
  OcrSettings settings = SettingsWithoutAids();
  settings.OtherSizes = on;
  return settings;
}

// Teaches every box of the drawn line as the matching character of `texts`.
void Teach(const std::vector<Letter>& letters, const std::string& texts, CharacterMatrix& matrix) {
  TeachLineBoxes(Draw(letters), SettingsWithoutAids(), texts, matrix);
}

// Reads the drawn line at its own size first, then at other sizes.
class LineReader : public BoxByBoxReader<OtherSizeReader> {
 public:
  std::string Read(const std::vector<Letter>& letters, const CharacterMatrix& matrix) {
    return BoxByBoxReader::Read(Draw(letters), OnlyOtherSizes(true), matrix);
  }
};

TEST(Resampling, BlocksGrowAndShrinkByWholeCells) {
  GlyphRows cells{}, doubled{}, back{};
  cells[0] = 0b01;  // a diagonal pair in a 2 x 2 glyph
  cells[1] = 0b10;
  ResampleRows(cells, 2, 2, 4, 4, doubled);
  EXPECT_EQ(doubled[0], 0b0011u);
  EXPECT_EQ(doubled[1], 0b0011u);
  EXPECT_EQ(doubled[2], 0b1100u);
  EXPECT_EQ(doubled[3], 0b1100u);
  ResampleRows(doubled, 4, 4, 2, 2, back);
  EXPECT_EQ(back, cells);
  // A pixel is set from half its area covered: a one-pixel stroke halved
  // still shows, a lone pixel of four does not.
  GlyphRows stroke{}, halved{};
  stroke[0] = 0b1000;
  stroke[1] = 0b1000;
  ResampleRows(stroke, 4, 2, 2, 1, halved);
  EXPECT_EQ(halved[0], 0b10u);
  stroke[1] = 0;
  ResampleRows(stroke, 4, 2, 2, 1, halved);
  EXPECT_EQ(halved[0], 0u);
}

TEST(Resampling, AKeptDrawingIsTheResampledOneUnderAnyKeyAndAfterAnyEviction) {
  // Far more drawings than the cache has slots, asked for twice in
  // different orders: every answer is what resampling gives, whether it
  // was kept, made afresh or made again after its slot was taken.
  const auto drawing = [](size_t i) {
    GlyphRows rows{};
    for (int y = 0; y < 12; ++y) rows[y] = (0x9e3779b97f4a7c15u * (i + 1) >> (y * 3)) & 0x3ff;
    return rows;
  };
  GridCache cache;
  for (int round = 0; round < 2; ++round) {
    for (size_t k = 0; k < 6000; ++k) {
      const size_t i = round == 0 ? k : (k * 7919) % 6000;
      const int toWidth = 6 + static_cast<int>(i % 9), toHeight = 8 + static_cast<int>(i % 5);
      GlyphRows want{};
      ResampleRows(drawing(i), 10, 12, toWidth, toHeight, want);
      ASSERT_EQ(cache.Onto(i % 700, drawing(i), 10, 12, toWidth, toHeight, 1, 2), want) << i;
    }
  }
  // One key, one size, another drawing: not the one kept before.
  GlyphRows want{};
  ResampleRows(drawing(1), 10, 12, 7, 9, want);
  cache.Onto(5, drawing(0), 10, 12, 7, 9, 1, 2);
  EXPECT_EQ(cache.Onto(5, drawing(1), 10, 12, 7, 9, 1, 2), want);
}

TEST(Resampling, SlantIsMeasuredAndShearedFromTheBottomRow) {
  GlyphRows bar{};
  for (int y = 0; y < 10; ++y) bar[y] = 0b11;  // an upright stem
  EXPECT_FLOAT_EQ(SlantOf(bar, 2, 10), 0.0f);
  GlyphRows leaning{};
  EXPECT_EQ(ShearRows(bar, 2, 10, 0.5f, leaning), 7);  // 4.5 columns rounded up
  EXPECT_EQ(leaning[9], 0b11u);                        // the bottom row stays
  EXPECT_EQ(leaning[0], GlyphRow{0b11} << 5);
  EXPECT_NEAR(SlantOf(leaning, 7, 10), 0.5f, 0.05f);
  EXPECT_EQ(ShearRows(bar, 2, 10, -0.5f, leaning), 0);  // leaning left is not sheared
  EXPECT_EQ(ShearRows(bar, 40, 10, 1.0f, leaning), 0);  // wider than a glyph
}

TEST(OtherSizes, AnEntryScalesOnlyWhenItsShapeAndPlaceScaleAlike) {
  const EntrySize n{6, 13, 14};  // an oblique "n" of a test title
  EXPECT_NEAR(OtherSizeFactor(n, CharBox{0, 0, 10, 11, 5, 0}), 21.0f / 27, 0.001f);
  EXPECT_EQ(OtherSizeFactor(n, CharBox{0, 0, 10, 14, 6, 0}), 0.0f);   // the "r" beside it
  EXPECT_EQ(OtherSizeFactor(n, CharBox{0, 0, 10, 11, 0, 0}), 0.0f);   // at the line's top
  EXPECT_EQ(OtherSizeFactor(n, CharBox{0, 0, 5, 5, 2, 0}), 0.0f);     // too low to judge
  EXPECT_EQ(OtherSizeFactor(n, CharBox{0, 0, 40, 42, 18, 0}), 0.0f);  // three times the size
}

TEST(OtherSizes, ASmallBoxMayMissAsManyPixelsAsALargeOne) {
  const int small = OtherSizeSimilarity(CharBox{0, 0, 12, 16, 0, 0});
  const int large = OtherSizeSimilarity(CharBox{0, 0, 30, 40, 0, 0});
  EXPECT_LT(small, large);
  EXPECT_LT(large, kOtherSizeSimilarity);
  // Two misses take about as much of either score.
  EXPECT_NEAR((kOtherSizeSimilarity - small) * 12 * 16, (kOtherSizeSimilarity - large) * 30 * 40,
              1200);
  // A thin stem or an empty box reads no more loosely than by the margin.
  const int least = kOtherSizeSimilarity - kOtherSizeMargin;
  EXPECT_EQ(OtherSizeSimilarity(CharBox{0, 0, 1, 14, 0, 0}), least);
  EXPECT_EQ(OtherSizeSimilarity(CharBox{}), least);
}

TEST(OtherSizes, LettersTaughtAtOneSizeReadAtOneAndAHalf) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}, {&kH, 2}, {&kT, 2}}, "EHT", matrix);
  LineReader reader;
  EXPECT_EQ(reader.Read({{&kT, 3}, {&kH, 3}, {&kE, 3}}, matrix), "THE");
  // Reading again allocates nothing once the reader has seen such a line.
  reader.readerAllocations = 0;
  EXPECT_EQ(reader.Read({{&kH, 3}, {&kE, 3}}, matrix), "HE");
  EXPECT_EQ(reader.readerAllocations, 0u);
}

TEST(OtherSizes, AReaderKeepsNoDrawingOfAnEntryTheMatrixHasSinceChanged) {
  // The reader keeps entries resampled across lines; entry 1 is an "E" in
  // one matrix and an "O" of the very same size in the other.
  CharacterMatrix withE, withO;
  Teach({{&kE, 2}, {&kH, 2}, {&kT, 2}}, "EHT", withE);
  Teach({{&kO, 2}, {&kH, 2}, {&kT, 2}}, "OHT", withO);
  ASSERT_EQ(withE.Size(1).width, withO.Size(1).width);
  ASSERT_EQ(withE.Size(1).height, withO.Size(1).height);
  LineReader reader;
  EXPECT_EQ(reader.Read({{&kT, 3}, {&kH, 3}, {&kE, 3}}, withE), "THE");
  EXPECT_EQ(reader.Read({{&kT, 3}, {&kH, 3}, {&kE, 3}}, withO), "TH?");
  EXPECT_EQ(reader.Read({{&kT, 3}, {&kH, 3}, {&kO, 3}}, withO), "THO");
  EXPECT_EQ(reader.Read({{&kT, 3}, {&kH, 3}, {&kO, 3}}, withE), "TH?");
}

TEST(OtherSizes, ThinStrokesTaughtSmallReadWhenTheBoxIsBroughtDownToTheEntry) {
  // Blown up, the small ring's stroke doubles and misses the large ring's
  // inner rows; halved, the large ring is the small one.
  const Cells small = Ring(8, 8), large = Ring(16, 16);
  CharacterMatrix matrix;
  Teach({{&small, 1}}, "0", matrix);
  LineReader reader;
  EXPECT_EQ(reader.Read({{&large, 1}}, matrix), "0");
}

TEST(OtherSizes, AnEntryWithinTheToleranceOfMatchingIsAlsoComparedResampled) {
  // A pixel wider and taller: unscaled, the ring's sides and foot miss
  // by a row; resampled they meet.
  const Cells taught = Ring(8, 10), read = Ring(9, 11);
  CharacterMatrix matrix;
  Teach({{&taught, 1}}, "0", matrix);
  LineReader reader;
  EXPECT_EQ(reader.Read({{&read, 1}}, matrix), "0");
}

TEST(OtherSizes, ABoxWiderAndLowerThanANearEntryIsAnotherLetter) {
  // A serif capital I against an l a column narrower and a row taller.
  const Cells capitalI = {"#######", "..###..", "..###..", "..###..", "..###..", "..###..",
                          "..###..", "..###..", "..###..", "..###..", "..###..", "..###..",
                          "..###..", "..###..", "..###..", "..###..", "..###..", "#######"};
  Cells smallL(19, "..##..");
  smallL.front() = "####..";
  smallL.back() = "######";
  CharacterMatrix matrix;
  Teach({{&smallL, 1}}, "l", matrix);
  LineReader reader;
  EXPECT_EQ(reader.Read({{&capitalI, 1}}, matrix), "?");
  const EntrySize l{0, 6, 19};
  EXPECT_GT(NearSizeSimilarity(l, CharBox{0, 0, 7, 18, 0, 0}),
            NearSizeSimilarity(l, CharBox{0, 0, 7, 20, 0, 0}));
}

TEST(OtherSizes, AnOIsNotReadAsAScaledCapitalLowerInTheLine) {
  CharacterMatrix matrix;
  Teach({{&kL, 3}, {&kO, 3}}, "lO", matrix);
  Teach({{&kL, 2}}, "l", matrix);
  LineReader reader;
  // The same ring one cell below the line's top is another letter...
  EXPECT_EQ(reader.Read({{&kL, 2}, {&kSmallO, 2, 1}}, matrix), "l?");
  // ...while at the top of a smaller line it is the capital.
  EXPECT_EQ(reader.Read({{&kL, 2}, {&kO, 2}}, matrix), "lO");
}

TEST(OtherSizes, AFactorNoOtherBoxOfTheLineSharesIsDropped) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}, {&kH, 2}}, "EH", matrix);
  Teach({{&kT, 4}}, "T", matrix);
  LineReader reader;
  // E and H read at 3/2 of their size, T at 3/4 of its own: it stays unknown.
  EXPECT_EQ(reader.Read({{&kE, 3}, {&kH, 3}, {&kT, 3}}, matrix), "EH?");
  // Alone on its line, nothing contradicts it.
  EXPECT_EQ(reader.Read({{&kT, 3}}, matrix), "T");
}

TEST(OtherSizes, AShapeTaughtAsTwoTextsStaysUnknown) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}}, "E", matrix);
  Teach({{&kE, 4}}, "3", matrix);  // a shape drawn alike at another size
  LineReader reader;
  EXPECT_EQ(reader.Read({{&kE, 3}}, matrix), "?");
  EXPECT_EQ(reader.Read({{&kE, 2}}, matrix), "E");  // at its own size it is known
}

TEST(OtherSizes, AShapeLeftUnknownForItsRivalIsStillProposed) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}}, "E", matrix);
  Teach({{&kE, 4}}, "3", matrix);
  OcrSettings settings = OnlyOtherSizes(true);
  settings.Proposals = true;
  TextColourState colour;
  ScriptedColourChooser chooser({3});
  const TeachAnswer skip{TeachStatus::SkipLine, "", false};  // the matrix stays as it is
  ScriptedTeacher teacher({skip});
  CollectingSink sink;
  ScriptedMessageBoxes messages;
  Recogniser recogniser({matrix, settings, colour, chooser, teacher, sink, messages});
  Picture24 picture = Draw({{&kE, 3}});
  recogniser.RecogniseSubPicture(picture, Rect{0, 0, picture.Width() - 1, picture.Height() - 1},
                                 TimeCode{}, TimeCode{});
  // Both entries fit alike: the box is asked, with one of them proposed.
  ASSERT_EQ(teacher.asked.size(), 1u);
  EXPECT_TRUE(teacher.asked[0].proposal == "E" || teacher.asked[0].proposal == "3");
  // Without reading at other sizes nothing comes near enough to propose.
  settings.OtherSizes = false;
  ScriptedTeacher plain({skip});
  Recogniser without({matrix, settings, colour, chooser, plain, sink, messages});
  picture = Draw({{&kE, 3}});
  without.RecogniseSubPicture(picture, Rect{0, 0, picture.Width() - 1, picture.Height() - 1},
                              TimeCode{}, TimeCode{});
  ASSERT_EQ(plain.asked.size(), 1u);
  EXPECT_EQ(plain.asked[0].proposal, "");
}

// A "B" as hinted type draws it: a frame `width` x `height` of strokes
// `stroke` pixels thick with a bar from row `bar`, the right side open on
// row `gap` (none when negative).
Cells FramedB(size_t width, size_t height, size_t bar, int gap = -1, size_t stroke = 1) {
  const std::string side(stroke, '#');
  Cells b(height, side + std::string(width - 2 * stroke, '.') + side);
  for (size_t k = 0; k < stroke; ++k) {
    b[k] = b[height - 1 - k] = b[bar + k] = std::string(width, '#');
  }
  if (gap >= 0) b[static_cast<size_t>(gap)].replace(width - stroke, stroke, stroke, '.');
  return b;
}

TEST(OtherSizes, ALetterWhoseBarSitsARowOffAtAnotherSizeReadsByShape) {
  // Taught at 12 rows, its one-pixel bar on row 5 (rows 7 and 8 blown
  // up); drawn at 18 rows with strokes of two pixels, the bar on rows 8
  // and 9: a row off either way.
  const Cells taught = FramedB(8, 12, 5), read = FramedB(12, 18, 8, -1, 2);
  CharacterMatrix matrix;
  Teach({{&taught, 1}}, "B", matrix);
  // Pixel by pixel the bar misses a whole row either way.
  GlyphRows up{}, down{};
  ResampleRows(RowsOf(taught), 8, 12, 12, 18, up);
  ResampleRows(RowsOf(read), 12, 18, 8, 12, down);
  const int needed = OtherSizeSimilarity(CharBox{0, 0, 12, 18, 0, 0});
  EXPECT_LT(RowsSimilarity(RowsOf(read), 12, 18, up, 12, 18, 0), needed);
  EXPECT_LT(RowsSimilarity(down, 8, 12, RowsOf(taught), 8, 12, 0), needed);
  LineReader reader;
  EXPECT_EQ(reader.Read({{&read, 1}}, matrix), "B");
  // Comparing by shape allocates nothing once the reader has done so.
  reader.readerAllocations = 0;
  EXPECT_EQ(reader.Read({{&read, 1}}, matrix), "B");
  EXPECT_EQ(reader.readerAllocations, 0u);
}

TEST(OtherSizes, AShapeWithinAPixelIsNotReadWithAnotherHoleCountOrWithoutAMargin) {
  const Cells taught = FramedB(8, 12, 5);
  CharacterMatrix matrix;
  Teach({{&taught, 1}}, "B", matrix);
  LineReader reader;
  // The lower bowl open by one pixel lies within a pixel of the closed
  // one, but encloses one hole, not two.
  const Cells open = FramedB(12, 18, 8, 13, 2);
  EXPECT_EQ(reader.Read({{&open, 1}}, matrix), "?");
  // A second text whose bar sits a row lower lies as close: neither leads.
  const Cells other = FramedB(8, 12, 6);
  Teach({{&other, 1}}, "R", matrix);
  const Cells read = FramedB(12, 18, 8, -1, 2);
  EXPECT_EQ(reader.Read({{&read, 1}}, matrix), "?");
}

TEST(OtherSizes, AFullStopReadsByTheFactorOfItsLineWhereItsBottomComesTo) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}, {&kDot, 2, 4}}, "E.", matrix);  // a 2 x 2 dot on the baseline
  LineReader reader;
  // At one and a half times the size, beside an E that reads so.
  EXPECT_EQ(reader.Read({{&kE, 3}, {&kDot, 3, 4}}, matrix), "E.");
  // A dot in mid-line is not a full stop, and a dot alone has no factor.
  EXPECT_EQ(reader.Read({{&kE, 3}, {&kDot, 3, 2}}, matrix), "E?");
  EXPECT_EQ(reader.Read({{&kDot, 3}}, matrix), "?");
  GlyphRows square{};
  square[0] = square[1] = square[2] = square[3] = 0b1111;
  EXPECT_TRUE(IsDot(square, 4, 4));
  EXPECT_FALSE(IsDot(square, 4, 8));  // tall enough to compare by its shape
  EXPECT_TRUE(IsDot(square, 1, 2));   // small type's full stop
  EXPECT_FALSE(IsDot(square, 1, 1));  // a lone pixel is a speck
  square[1] = square[2] = 0b1001;     // a ring
  EXPECT_FALSE(IsDot(square, 4, 4));
}

TEST(OtherSizes, MarksOfSmallTypeReadByTheirDotsAtTheLinesFactor) {
  // A full stop of small type is a pixel wide and two high; a colon, two
  // dots of two pixels square.
  const Cells tallDot = {"#", "#"};
  const Cells colon = {"##", "##", "..", "..", "..", "..", "##", "##"};
  OcrSettings settings = OnlyOtherSizes(true);
  settings.KeepSmallMarks = true;
  CharacterMatrix matrix;
  TeachLineBoxes(Draw({{&kE, 2}, {&tallDot, 1, 8}, {&colon, 1, 2}}), settings, "E.:", matrix);
  BoxByBoxReader<OtherSizeReader> reader;
  // Twice as large, the full stop is four pixels square; the colon's dots
  // three, further apart than twice their gap (too narrow a colon to be
  // the entry resampled).
  Cells largeColon(18, "...");
  largeColon[0] = largeColon[1] = largeColon[2] = "###";
  largeColon[15] = largeColon[16] = largeColon[17] = "###";
  EXPECT_EQ(reader.Read(Draw({{&kE, 4}, {&kDot, 4, 4}, {&largeColon, 1, 4}}), settings, matrix),
            "E.:");
}

TEST(OtherSizes, TicksOfSmallTypeReadWhereTheySitAtTheLinesFactor) {
  // A comma hangs below the baseline, an apostrophe of the same shape sits
  // at the top: only where they sit tells them apart.
  const Cells tick = {".#", ".#", "##", "#."};
  OcrSettings settings = OnlyOtherSizes(true);
  settings.KeepSmallMarks = true;
  CharacterMatrix matrix;
  TeachLineBoxes(Draw({{&kE, 2}, {&tick, 1, 8}, {&tick, 1, 0}}), settings, "E,'", matrix);
  BoxByBoxReader<OtherSizeReader> reader;
  // Twice as large and drawn anew, not blown up from the small one.
  const Cells large = {"..##", "..##", "..##", "..##", ".##.", ".##.", "##..", "#..."};
  EXPECT_EQ(reader.Read(Draw({{&kE, 4}, {&large, 1, 16}, {&large, 1, 0}}), settings, matrix),
            "E,'");
  // In mid-line it is neither; alone it has no factor.
  EXPECT_EQ(reader.Read(Draw({{&kE, 4}, {&large, 1, 7}}), settings, matrix), "E?");
  EXPECT_EQ(reader.Read(Draw({{&large, 1}}), settings, matrix), "?");
  // Taught only as a comma, the tick at the top stays unknown.
  CharacterMatrix commaOnly;
  TeachLineBoxes(Draw({{&kE, 2}, {&tick, 1, 8}}), settings, "E,", commaOnly);
  EXPECT_EQ(reader.Read(Draw({{&kE, 4}, {&large, 1, 16}, {&large, 1, 0}}), settings, commaOnly),
            "E,?");
}

TEST(OtherSizes, UprightLettersReadOnALineThatLeans) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}, {&kH, 2}, {&kO, 2}}, "EHO", matrix);
  LineReader reader;
  EXPECT_EQ(reader.Read({{&kH, 2, 0, 0.2f}, {&kE, 2, 0, 0.2f}, {&kO, 2, 0, 0.2f}}, matrix), "HEO");
  // One leaning letter among upright ones does not make the line slanted.
  EXPECT_EQ(reader.Read({{&kH, 2}, {&kE, 2}, {&kO, 2, 0, 0.2f}}, matrix), "HE?");
}

// Reads as recognition does: at other sizes, then in the other slant, then
// set upright at other sizes.
struct EveryOtherReading {
  void StartLine() {
    sizes.StartLine();
    slants.StartLine();
  }
  size_t Read(const Picture24& bitmap, const TextLine& line, size_t index,
              const CharacterMatrix& matrix, const OcrSettings& settings) {
    size_t k = sizes.Read(bitmap, line, index, matrix, settings);
    if (k == 0) k = slants.Read(bitmap, line, index, matrix, settings);
    if (k == 0) k = sizes.ReadUpright(bitmap, line, index, matrix, settings);
    return k;
  }
  OtherSizeReader sizes;
  SlantReader slants;
};

class SlantedLineReader : public BoxByBoxReader<EveryOtherReading> {
 public:
  std::string Read(const std::vector<Letter>& letters, const CharacterMatrix& matrix) {
    return BoxByBoxReader::Read(Draw(letters), OnlyOtherSizes(true), matrix);
  }
};

std::vector<Letter> Leaning(const std::vector<const Cells*>& cells, int unit, float lean) {
  std::vector<Letter> letters;
  for (const Cells* c : cells) letters.push_back({c, unit, 0, lean});
  return letters;
}

TEST(UprightAtOtherSizes, UprightLettersReadInASlantedLineOfAnotherSize) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}, {&kH, 2}, {&kO, 2}}, "EHO", matrix);
  // Neither a change of size nor a lean alone brings them together.
  LineReader sizesOnly;
  EXPECT_EQ(sizesOnly.Read(Leaning({&kH, &kE, &kO}, 3, 0.25f), matrix), "???");
  SlantedLineReader reader;
  EXPECT_EQ(reader.Read(Leaning({&kH, &kE, &kO}, 3, 0.25f), matrix), "HEO");
  // Reading again allocates nothing once the reader has seen such a line.
  reader.readerAllocations = 0;
  EXPECT_EQ(reader.Read(Leaning({&kO, &kH, &kE}, 3, 0.25f), matrix), "OHE");
  EXPECT_EQ(reader.readerAllocations, 0u);
}

TEST(UprightAtOtherSizes, ALetterThatOnlyResemblesAnEntryOnceSetUprightAndScaledNeedsMore) {
  CharacterMatrix matrix;
  Teach({{&kE, 2}, {&kH, 2}, {&kO, 2}}, "EHO", matrix);
  SlantedLineReader reader;
  // No other box of the line reads at its factor: letters never taught
  // beside it.
  const Cells corner = {"##.", "#..", "#..", "#..", "#.."};
  EXPECT_EQ(reader.Read(Leaning({&kH, &corner, &kT}, 3, 0.25f), matrix), "???");
  // A ring open by a pixel lies as close to a closed one, but encloses no
  // hole.
  const Cells small = Ring(8, 12), closed = Ring(12, 18);
  Cells open = closed;
  open[0][6] = '.';
  Teach({{&small, 1}}, "0", matrix);
  const auto line = [](const Cells* ring) {
    return std::vector<Letter>{{&kE, 3, 0, 0.25f}, {&kH, 3, 0, 0.25f}, {ring, 1, 0, 0.25f}};
  };
  EXPECT_EQ(reader.Read(line(&closed), matrix), "EH0");
  EXPECT_EQ(reader.Read(line(&open), matrix), "EH?");
  // The H was also taught twice as large as another text: the two lead
  // each other by nothing, whatever their factors.
  Teach({{&kH, 4}}, "K", matrix);
  EXPECT_EQ(reader.Read(Leaning({&kE, &kH, &kO}, 3, 0.25f), matrix), "E?O");
}

// Reads a drawn line as recognition does once nothing else reads a box:
// every other reading first, then as touching letters set upright at
// another size; '?' for a box nothing reads. Counts what the reader
// allocates.
class TouchingLineReader {
 public:
  std::string Read(const std::vector<Letter>& letters, const CharacterMatrix& matrix) {
    picture_ = Draw(letters);
    const OcrSettings settings = OnlyOtherSizes(true);
    Segmenter().Segment(picture_, kText, settings, table_);
    EXPECT_EQ(table_.count, 1);
    const TextLine& line = table_.lines[0];
    reader_.StartLine();
    std::string text;
    for (size_t j = 0; j < line.boxes.size(); ++j) {
      size_t k = MatchGlyph(ExtractGlyph(picture_, line.boxes[j], MarkOf(j)), line.boxes[j], matrix,
                            settings);
      const size_t before = AllocationCount();
      if (k == 0) k = reader_.Read(picture_, line, j, matrix, settings);
      const SplitReading split =
          k == 0 ? reader_.sizes.ReadUprightTouching(picture_, line, j, matrix, settings)
                 : SplitReading{};
      allocations += AllocationCount() - before;
      text += k != 0 ? matrix.Entry(k).text : split.parts != 0 ? split.text : "?";
    }
    return text;
  }

  size_t allocations = 0;

 private:
  Picture24 picture_;
  LineTable table_;
  EveryOtherReading reader_;
};

std::string ReadTouching(const std::vector<Letter>& letters, const CharacterMatrix& matrix) {
  return TouchingLineReader().Read(letters, matrix);
}

// Letters drawn touching: each row of the first, then of the second.
Cells Touching(const Cells& a, const Cells& b) {
  Cells joined = a;
  for (size_t y = 0; y < joined.size(); ++y) joined[y] += b[y];
  return joined;
}

TEST(TouchingAtOtherSizes, TouchingLettersInASlantedLineOfAnotherSizeReadWhole) {
  CharacterMatrix matrix;
  Teach({{&kE, 4}, {&kH, 4}, {&kO, 4}}, "EHO", matrix);
  const Cells he = Touching(kH, kE);
  // Nothing else reads the pair: neither a split at its own size nor an
  // entry set upright.
  SlantedLineReader single;
  EXPECT_EQ(single.Read(Leaning({&kO, &he, &kE}, 6, 0.2f), matrix), "O?E");
  TouchingLineReader reader;
  EXPECT_EQ(reader.Read(Leaning({&kO, &he, &kE}, 6, 0.2f), matrix), "OHEE");
  // Reading again allocates nothing once the reader has seen such a line.
  reader.allocations = 0;
  EXPECT_EQ(reader.Read(Leaning({&kE, &he, &kO}, 6, 0.2f), matrix), "EHEO");
  EXPECT_EQ(reader.allocations, 0u);
  // The factor must be one another box of the line reads at.
  EXPECT_EQ(ReadTouching(Leaning({&he}, 6, 0.2f), matrix), "?");
  // Upright lines are not read so.
  EXPECT_EQ(ReadTouching(Leaning({&kO, &he, &kE}, 6, 0.0f), matrix), "O?E");
}

TEST(TouchingAtOtherSizes, APairThatOnlyResemblesACompositeWithinTheMarginStaysUnknown) {
  CharacterMatrix matrix;
  Teach({{&kE, 4}, {&kH, 4}, {&kO, 4}}, "EHO", matrix);
  const Cells he = Touching(kH, kE);
  // The E's shape also taught as another text: "HE" and "H3" tie.
  Teach({{&kE, 4}}, "3", matrix);
  EXPECT_EQ(ReadTouching(Leaning({&kO, &he, &kO}, 6, 0.2f), matrix), "O?O");
}

TEST(TouchingAtOtherSizes, AnMIsNeverReadAsAnRTouchingAnN) {
  CharacterMatrix matrix;
  const Cells r = {"###", "#..", "#..", "#..", "#.."};
  const Cells n = {"###", "#.#", "#.#", "#.#", "#.#"};
  const Cells m = {"#####", "#.#.#", "#.#.#", "#.#.#", "#.#.#"};
  Teach({{&kE, 4}, {&kH, 4}, {&kO, 4}, {&r, 4}, {&n, 4}}, "EHOrn", matrix);
  // Drawn side by side, an "r" and an "n" come close to an "m": the box
  // stays unknown.
  EXPECT_EQ(ReadTouching(Leaning({&kO, &m, &kE}, 6, 0.2f), matrix), "O?E");
}

TEST(TouchingAtOtherSizes, RecognitionReadsThePairOnlyWithSplittingOn) {
  for (bool split : {false, true}) {
    SCOPED_TRACE(split);
    CharacterMatrix matrix;
    Teach({{&kE, 4}, {&kH, 4}, {&kO, 4}}, "EHO", matrix);
    OcrSettings settings = OnlyOtherSizes(true);
    settings.SplitTouching = split;
    TextColourState colour;
    ScriptedColourChooser chooser({3});
    ScriptedTeacher teacher({Taught("HE")});
    CollectingSink sink;
    ScriptedMessageBoxes messages;
    Recogniser recogniser({matrix, settings, colour, chooser, teacher, sink, messages});
    const Cells he = Touching(kH, kE);
    Picture24 picture = Draw(Leaning({&kO, &he, &kE}, 6, 0.2f));
    recogniser.RecogniseSubPicture(picture, Rect{0, 0, picture.Width() - 1, picture.Height() - 1},
                                   TimeCode{}, TimeCode{});
    if (split) {
      EXPECT_EQ(recogniser.Lines(), std::vector<std::string>{"O HE E"});
      EXPECT_TRUE(teacher.asked.empty());
    } else {
      ASSERT_FALSE(teacher.asked.empty());
      EXPECT_EQ(teacher.asked[0].index, 1u);
    }
  }
}

TEST(OtherSizes, WithTheAidOffTheTeacherIsAskedAndAnswersAreNotRepeated) {
  for (bool on : {false, true}) {
    SCOPED_TRACE(on);
    CharacterMatrix matrix;
    Teach({{&kE, 2}, {&kH, 2}}, "EH", matrix);
    const OcrSettings settings = OnlyOtherSizes(on);
    TextColourState colour;
    ScriptedColourChooser chooser({3});
    ScriptedTeacher teacher({Taught("H"), Taught("E")});
    CollectingSink sink;
    ScriptedMessageBoxes messages;
    Recogniser recogniser({matrix, settings, colour, chooser, teacher, sink, messages});
    Picture24 picture = Draw({{&kH, 3}, {&kE, 3}});
    recogniser.RecogniseSubPicture(picture, Rect{0, 0, picture.Width() - 1, picture.Height() - 1},
                                   TimeCode{}, TimeCode{});
    EXPECT_EQ(recogniser.Lines(), std::vector<std::string>{"HE"});
    EXPECT_EQ(teacher.asked.size(), on ? 0u : 2u);
    EXPECT_EQ(matrix.Count(), on ? 2u : 4u);
  }
}

}  // namespace
}  // namespace capter::testing
