// The recognition aids on small hand-made pictures, each against the same
// picture with the aid off.
#include <gtest/gtest.h>

#include "ocr/matcher.h"
#include "ocr/recogniser.h"
#include "ocr/segmentation.h"
#include "ocr/text_colour.h"
#include "ocr/touching_split.h"
#include "stream/palette_greys.h"
#include "tests/ocr/allocation_counter.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/teach_line.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

const Colour kText = kPaletteGreys[3];

OcrSettings Aids(bool on) {
  OcrSettings settings;
  SetRecognitionAids(settings, on);
  return settings;
}

// Segments `art` ('#' text) and teaches each box of its first line as the
// matching character of `texts`.
void TeachArt(const std::vector<std::string>& art, const std::string& texts,
              CharacterMatrix& matrix) {
  TeachLineBoxes(PictureFromArt(art), Aids(false), texts, matrix);
}

// An E and an H apart, and the same two letters touching.
const std::vector<std::string> kApart = {
    "###...#.#", "#.....#.#", "###...###", "#.....#.#", "###...#.#",
};
const std::vector<std::string> kTouching = {
    "####.#", "#..#.#", "######", "#..#.#", "####.#",
};

TEST(TouchingLetters, AnUnknownBoxReadsAsTwoKnownEntriesSideBySide) {
  CharacterMatrix matrix;
  TeachArt(kApart, "EH", matrix);
  Picture24 picture = PictureFromArt(kTouching);
  LineTable table;
  Segmenter().Segment(picture, kText, Aids(false), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 1u);
  const CharBox& box = table.lines[0].boxes[0];
  const Glyph glyph = ExtractGlyph(picture, box, MarkOf(0));
  EXPECT_EQ(MatchGlyph(glyph, box, matrix, Aids(true)), 0u);
  const SplitReading split =
      ReadTouchingCharacters(picture, table.lines[0], box, MarkOf(0), matrix, Aids(true));
  EXPECT_EQ(split.parts, 2);
  EXPECT_EQ(split.text, "EH");
  // An empty matrix has nothing to cut into.
  EXPECT_EQ(
      ReadTouchingCharacters(picture, table.lines[0], box, MarkOf(0), CharacterMatrix{}, Aids(true))
          .parts,
      0);
}

TEST(TouchingLetters, NoCutIsTakenWhenAPartMatchesNothing) {
  CharacterMatrix matrix;
  TeachArt({"###", "#..", "###", "#..", "###"}, "E", matrix);
  Picture24 picture = PictureFromArt(kTouching);
  LineTable table;
  Segmenter().Segment(picture, kText, Aids(false), table);
  const CharBox& box = table.lines[0].boxes[0];
  EXPECT_EQ(
      ReadTouchingCharacters(picture, table.lines[0], box, MarkOf(0), matrix, Aids(true)).parts, 0);
}

TEST(BestMatch, TheMostSimilarEntryWinsOverTheFirstPassingOne) {
  CharacterMatrix matrix;
  ScriptedMessageBoxes boxes;
  Picture24 near = PictureFromArt({".##.", "###.", "#..#", ".##."});
  Picture24 exact = PictureFromArt({".##.", "#..#", "#..#", ".##."});
  const CharBox box{0, 0, 4, 4, 0, 0};
  matrix.Add(MatrixEntry{ExtractGlyph(near, box, kText), "first"}, boxes);
  matrix.Add(MatrixEntry{ExtractGlyph(exact, box, kText), "exact"}, boxes);
  const Glyph o = ExtractGlyph(exact, box, kText);
  OcrSettings settings = Aids(false);
  settings.Sensibility = 850;
  EXPECT_EQ(MatchGlyph(o, box, matrix, settings), 1u);
  settings.BestMatch = true;
  EXPECT_EQ(MatchGlyph(o, box, matrix, settings), 2u);
  // On a tie the lower number wins.
  matrix.Add(MatrixEntry{ExtractGlyph(exact, box, kText), "again"}, boxes);
  EXPECT_EQ(MatchGlyph(o, box, matrix, settings), 2u);
}

// A line `height` rows high of boxes 3 wide separated by `gaps`.
TextLine LineOf(int height, const std::vector<int>& gaps) {
  TextLine line;
  line.top = 0;
  line.bottom = height - 1;
  int x = 0;
  for (size_t j = 0; j <= gaps.size(); ++j) {
    line.boxes.push_back(
        CharBox{static_cast<uint16_t>(x), 0, 3, static_cast<uint16_t>(height), 0, 0});
    if (j < gaps.size()) x += 3 + gaps[j];
  }
  return line;
}

std::string Spaces(const TextLine& line, const OcrSettings& settings) {
  std::string out;
  for (size_t j = 0; j + 1 < line.boxes.size(); ++j) {
    out += SpaceAfter(line, j, settings) ? '_' : '.';
  }
  return out;
}

TEST(AutomaticSpaces, EachLineTakesItsThresholdFromItsOwnGaps) {
  const TextLine large = LineOf(20, {3, 3, 9, 3});
  const TextLine small = LineOf(10, {1, 1, 4, 1});
  const TextLine oneWord = LineOf(20, {1, 2, 1, 2});
  // The fixed width finds the large line's word gap and misses the small one's.
  EXPECT_EQ(Spaces(large, Aids(false)), ".._.");
  EXPECT_EQ(Spaces(small, Aids(false)), "....");
  EXPECT_EQ(Spaces(large, Aids(true)), ".._.");
  EXPECT_EQ(Spaces(small, Aids(true)), ".._.");
  EXPECT_EQ(Spaces(oneWord, Aids(true)), "....");
}

TEST(AutomaticSpaces, SlantedBoxesNeedLessGap) {
  TextLine line = LineOf(20, {-1, -1, 5, -1});
  for (CharBox& box : line.boxes) box.Italic = 1;
  EXPECT_EQ(Spaces(line, Aids(true)), ".._.");
}

// Segments `picture` with every aid and gives the spaces of its first line.
std::string SegmentedSpaces(Picture24 picture) {
  LineTable table;
  Segmenter().Segment(picture, kText, Aids(true), table);
  EXPECT_EQ(table.count, 1);
  return Spaces(table.lines[0], Aids(true));
}

TEST(AutomaticSpaces, AnOverhangDoesNotCloseAWordGapNorAKernOpenOne) {
  // "aTob fc de g" in blocks, 9 rows: letters 3 x 5, a T whose bar
  // overhangs the next letter, an f whose hook reaches 2 columns short of
  // the next word's first letter (8 apart below it), and a plain word gap
  // of 8.
  Picture24 picture(54, 9);
  picture.Fill(kPaletteGreys[0]);
  for (int left : {0, 10, 14, 28, 33, 44, 49}) DrawBlock(picture, left, 4, 3, 5);
  DrawBlock(picture, 5, 0, 7, 1);   // the T's bar
  DrawBlock(picture, 8, 0, 1, 9);   // its stem
  DrawBlock(picture, 19, 0, 1, 9);  // the f's stem
  DrawBlock(picture, 19, 0, 7, 1);  // its hook
  DrawBlock(picture, 25, 1, 1, 1);
  EXPECT_EQ(SegmentedSpaces(picture), "...._._.");
}

TEST(AutomaticSpaces, OutlinedSmallTextKeepsLetterGapsOfHalfItsHeight) {
  // Letter gaps up to half the height (a quote after "!"), words at 11.
  const TextLine line = LineOf(16, {5, 6, 5, 11, 5, 7, 5, 8, 12, 5});
  EXPECT_EQ(Spaces(line, Aids(true)), "..._...._.");
}

TEST(AutomaticSpaces, AnOverlapCountsAsNoGapHoweverDeep) {
  // A letter cut into two overlapping boxes must not make the letter gaps
  // of 3 look like word gaps.
  const TextLine line = LineOf(25, {3, 3, 2, 9, 1, 2, 2, 1, 3, -13, 3});
  EXPECT_EQ(Spaces(line, Aids(true)), "..._.......");
}

TEST(AutomaticSpaces, TheBarOfATAfterAWordGapStillOpensIt) {
  // Letters of 3 x 5 blocks 4 apart, words 10 apart; the last but one word
  // starts with a "t" (stem 15 rows, its bar on the letters' top row
  // reaching two columns left of it) after an "e" whose top row is a column
  // short of its right side: a box gap of 6, an ink gap of 7 on the bar's
  // row and 8 below it.
  Picture24 picture(128, 15);
  picture.Fill(kPaletteGreys[0]);
  for (int left : {0, 7, 14, 27, 34, 41, 54, 61, 68, 81, 88, 105, 112, 125}) {
    DrawBlock(picture, left, 10, 3, 5);
  }
  picture.FillRect(Rect{90, 10, 90, 10}, kPaletteGreys[0]);  // the "e"
  DrawBlock(picture, 97, 10, 4, 1);                          // the "t": bar
  DrawBlock(picture, 99, 0, 1, 15);                          // stem
  EXPECT_EQ(SegmentedSpaces(picture), ".._.._.._._.._");
}

TEST(AutomaticSpaces, AColonIsAMarkBetweenDigits) {
  // "00:40 00 00 0": digits of 3 x 12 blocks 3 apart, words 8 apart. The
  // "4" reaches left only on the row between the colon's dots, so its ink
  // gap to the colon is 2 wider than the box gap of 5; a colon is no
  // letter, so that does not widen the gap into a word gap.
  Picture24 picture(73, 12);
  picture.Fill(kPaletteGreys[0]);
  for (int left : {0, 6, 25, 36, 42, 53, 59, 70}) DrawBlock(picture, left, 0, 3, 12);
  DrawBlock(picture, 12, 3, 2, 2);  // the colon's dots
  DrawBlock(picture, 12, 8, 2, 2);
  DrawBlock(picture, 19, 6, 2, 1);  // the "4": its arm, then its stem
  DrawBlock(picture, 21, 0, 1, 12);
  EXPECT_EQ(SegmentedSpaces(picture), "...._._._");
}

TEST(AutomaticSpaces, NoSpaceBeforeAQuoteMarkEndingTheLine) {
  // "ab cd." then a closing quote 6 columns after the full stop, between
  // letter gaps of 2 to 4 and word gaps of 8; the same gap before a letter
  // stays a space, and so does the quote with a fixed space width.
  TextLine line;
  line.top = 0;
  line.bottom = 19;
  const auto add = [&line](int left, int top, int width, int height) {
    line.boxes.push_back(CharBox{static_cast<uint16_t>(left), static_cast<uint16_t>(top),
                                 static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                                 static_cast<uint8_t>(top), 0});
  };
  for (int left : {0, 12, 30, 42}) add(left, 4, 10, 16);
  add(56, 17, 3, 3);  // the full stop, 4 after the "d"
  add(65, 1, 7, 6);   // the quote
  EXPECT_EQ(Spaces(line, Aids(true)), "._...");
  line.boxes.back().Height = 19;  // a letter instead
  EXPECT_EQ(Spaces(line, Aids(true)), "._.._");
  line.boxes.back().Height = 6;
  OcrSettings fixed = Aids(false);
  fixed.SpaceWidth = 6;
  EXPECT_EQ(Spaces(line, fixed), "._.._");
}

TEST(SmallMarks, AHyphenIsKeptAndASpeckIsNot) {
  const std::vector<std::string> art = {
      "##..........##", "##..........##", "##...####...##",
      "##..........##", "##..........##", "##..#.......##",
  };
  Picture24 off = PictureFromArt(art), on = PictureFromArt(art);
  LineTable table;
  Segmenter().Segment(off, kText, Aids(false), table);
  EXPECT_EQ(table.lines[0].boxes.size(), 2u);
  Segmenter().Segment(on, kText, Aids(true), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 3u);  // the lone pixel is still dropped
  EXPECT_EQ(table.lines[0].boxes[1].Width, 4);
  EXPECT_EQ(table.lines[0].boxes[1].Height, 1);
}

TEST(TextColourDetection, LayersFindTheFillWhereCountsDoNot) {
  const Picture24 picture = OutlineHeavyPicture();
  EXPECT_NE(DetectTextColour(picture, kPaletteGreys)[1], 3);
  TextColourState state;
  state.LayeredDetection = true;
  const std::array<uint8_t, 4> order = DetectTextColour(picture, kPaletteGreys, state);
  EXPECT_EQ(order[0], 0);
  EXPECT_EQ(order[1], 3);
}

TEST(TextColourDetection, TheAntialiasIsProposedAsTextAndTheOutlineIsNot) {
  const Picture24 picture = OutlineHeavyPicture();
  EXPECT_EQ(ProposeExtraTextIndices(picture, kPaletteGreys, 3), 1u << 2);
  DetectedTextColourChooser chooser;
  TextColourState state;
  state.LayeredDetection = true;
  state.ProposeExtraIndices = true;
  EXPECT_EQ(chooser.ChooseTextColour(picture, state), 3);
  EXPECT_EQ(state.ExtraTextIndices, 1u << 2);
}

TEST(WholeGlyphs, AStrokeOfAntialiasJoinsTheHalvesOfALetter) {
  // An "o" whose thin top and bottom are antialias: fill alone is two halves.
  Picture24 picture = PictureFromArt({"##..##", "##..##", "##..##", "##..##", "##..##"});
  picture.FillRect(Rect{2, 0, 3, 0}, kPaletteGreys[2]);
  picture.FillRect(Rect{2, 4, 3, 4}, kPaletteGreys[2]);
  Picture24 copy = picture;
  LineTable table;
  Segmenter().Segment(copy, kText, Aids(false), table);
  EXPECT_EQ(table.lines[0].boxes.size(), 2u);
  TextGreys greys(kText);
  greys.Add(kPaletteGreys[2]);
  Segmenter().Segment(picture, greys, Aids(false), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 1u);
  EXPECT_EQ(table.lines[0].boxes[0].Width, 6);
  // The glyph keeps the fill only: the antialias joins, it is not drawn.
  const Glyph glyph = ExtractGlyph(picture, table.lines[0].boxes[0], MarkOf(0));
  EXPECT_TRUE(glyph.Pixel(0, 0));
  EXPECT_FALSE(glyph.Pixel(2, 0));
  EXPECT_EQ(picture.Pixel(2, 0), kPaletteGreys[2]);
}

}  // namespace
}  // namespace capter::testing

namespace capter::testing {
namespace {

TEST(SmallMarks, TheTwoTicksOfADoubleQuoteAreOneCharacter) {
  // A tall letter, then a double quote: two ticks 2 x 4, 2 columns apart.
  std::vector<std::string> art(12, "##............");
  for (int y = 0; y < 4; ++y) art[y] = "##....##..##..";
  Picture24 off = PictureFromArt(art), on = PictureFromArt(art);
  LineTable table;
  Segmenter().Segment(off, kText, Aids(false), table);
  EXPECT_EQ(table.lines[0].boxes.size(), 3u);
  Segmenter().Segment(on, kText, Aids(true), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 2u);
  EXPECT_EQ(table.lines[0].boxes[1].Width, 6);
  EXPECT_EQ(ExtractGlyph(on, table.lines[0].boxes[1], MarkOf(1)).Pixel(5, 3), true);
}

}  // namespace
}  // namespace capter::testing

namespace capter::testing {
namespace {

TEST(TextColourDetection, LayersFindTheFillAboveADropShadow) {
  // Fill blocks with a shadow two pixels down and right: the first pixel
  // met is fill, which the count rule takes for an outline.
  Picture24 picture(24, 14);
  picture.Fill(kPaletteGreys[0]);
  for (int left : {2, 12}) picture.FillRect(Rect{left + 2, 4, left + 9, 11}, kPaletteGreys[1]);
  for (int left : {2, 12}) picture.FillRect(Rect{left, 2, left + 7, 9}, kPaletteGreys[3]);
  EXPECT_NE(DetectTextColour(picture, kPaletteGreys)[1], 3);
  EXPECT_EQ(DetectTextColourByLayers(picture, kPaletteGreys)[1], 3);
  EXPECT_EQ(ProposeExtraTextIndices(picture, kPaletteGreys, 3), 0u);  // the shadow is not text
}

TEST(TextColourDetection, LayersFindTheFillInItsAntialiasAboveAThickDropShadow) {
  // Bars of fill three pixels wide in a ring of antialias, a shadow three
  // pixels down and right: the thin ring touches the background most, and
  // the shadow touches the ring and the background less, in proportion,
  // than the thin fill touches the ring.
  Picture24 picture(40, 22);
  picture.Fill(kPaletteGreys[0]);
  const int lefts[] = {2, 12, 22};
  for (int left : lefts) picture.FillRect(Rect{left + 3, 5, left + 7, 19}, kPaletteGreys[1]);
  for (int left : lefts) picture.FillRect(Rect{left, 2, left + 4, 16}, kPaletteGreys[2]);
  for (int left : lefts) picture.FillRect(Rect{left + 1, 3, left + 3, 15}, kPaletteGreys[3]);
  EXPECT_EQ(DetectTextColourByLayers(picture, kPaletteGreys)[1], 3);
}

// Answers from a list and keeps every request's proposal and screen box.
class RecordingTeacher : public CharacterTeacher {
 public:
  explicit RecordingTeacher(std::vector<std::string> answers) : answers_(std::move(answers)) {}
  TeachAnswer Teach(const TeachRequest& request) override {
    proposals.push_back(request.proposal);
    boxes.push_back(request.screenBox);
    TeachAnswer answer;
    answer.status = TeachStatus::Ok;
    answer.text = answers_.at(proposals.size() - 1);
    return answer;
  }
  std::vector<std::string> proposals;
  std::vector<Rect> boxes;

 private:
  std::vector<std::string> answers_;
};

// "a", then "b": the same block with its top right corner cut away, close
// to "a" (833) but below Sensibility.
std::vector<std::string> Propose(bool proposals, std::vector<Rect>& boxes) {
  CharacterMatrix matrix;
  OcrSettings settings = Aids(false);
  settings.Proposals = proposals;
  TextColourState colour;
  ScriptedColourChooser chooser({3});
  RecordingTeacher teacher({"a", "b"});
  CollectingSink sink;
  ScriptedMessageBoxes messages;
  Recogniser recogniser({matrix, settings, colour, chooser, teacher, sink, messages});
  Picture24 picture = PictureFromArt(
      {"..........", ".###..##..", ".###..###.", ".###..###.", ".###..###.", ".........."});
  recogniser.RecogniseSubPicture(picture, Rect{100, 400, 109, 405}, TimeCode{}, TimeCode{});
  EXPECT_EQ(recogniser.Lines(), std::vector<std::string>{"ab"});
  boxes = teacher.boxes;
  return teacher.proposals;
}

TEST(Proposals, TheClosestEntryIsProposedWithTheBoxOnTheScreen) {
  std::vector<Rect> boxes;
  EXPECT_EQ(Propose(true, boxes), (std::vector<std::string>{"", "a"}));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], (Rect{101, 401, 103, 404}));
  EXPECT_EQ(boxes[1], (Rect{106, 401, 108, 404}));
  EXPECT_EQ(Propose(false, boxes), (std::vector<std::string>{"", ""}));
}

TEST(RecognitionAids, TheDefaultsAreEveryAidButWholeGlyphs) {
  OcrSettings recommended = Aids(false);
  SetRecommendedAids(recommended);
  EXPECT_EQ(OcrSettings{}, recommended);
  EXPECT_FALSE(OcrSettings{}.WholeGlyphs);
  OcrSettings changed = Aids(false);
  LoadOcrDefaults(changed);  // what "Reload Default Values" does
  EXPECT_EQ(changed, recommended);
}

TEST(ExtraTextGreys, TheChooserReproposesThemForEachBodyAndNeverMarksTheBody) {
  const Picture24 picture = OutlineHeavyPicture();
  TextColourState state;
  state.ProposeExtraIndices = true;
  SelectTextBody(state, picture, kPaletteGreys, 3);
  EXPECT_EQ(state.ExtraTextIndices, 1u << 2);  // the antialias around the fill
  EXPECT_EQ(state.TextColour, kPaletteGreys[3]);
  SetExtraTextIndex(state, 3, 1, true);  // the user adds the outline
  SetExtraTextIndex(state, 3, 3, true);  // the body cannot be an extra grey
  EXPECT_EQ(state.ExtraTextIndices, (1u << 1) | (1u << 2));
  EXPECT_TRUE(IsExtraTextIndex(state, 1));
  SetExtraTextIndex(state, 3, 2, false);
  EXPECT_EQ(state.ExtraTextIndices, 1u << 1);
  // Taking the antialias as the body drops it from the extra greys.
  SelectTextBody(state, picture, kPaletteGreys, 2);
  EXPECT_FALSE(IsExtraTextIndex(state, 2));
  // Without whole glyphs nothing is proposed, and what was ticked stays.
  state.ProposeExtraIndices = false;
  state.ExtraTextIndices = 1u << 1;
  SelectTextBody(state, picture, kPaletteGreys, 3);
  EXPECT_EQ(state.ExtraTextIndices, 1u << 1);
}

TEST(RecognitionAids, AReusedSegmenterStillAllocatesNothingOnceWarm) {
  Picture24 first = OutlineHeavyPicture(), again = OutlineHeavyPicture();
  TextGreys greys(kText);
  greys.Add(kPaletteGreys[2]);
  Segmenter segmenter;
  LineTable table;
  segmenter.Segment(first, greys, Aids(true), table);
  ASSERT_EQ(table.count, 1);
  const size_t before = AllocationCount();
  segmenter.Segment(again, greys, Aids(true), table);
  EXPECT_EQ(AllocationCount(), before);
  EXPECT_GT(LineSpaceThreshold(table.lines[0], Aids(true)), 0);
  EXPECT_EQ(AllocationCount(), before);
}

}  // namespace
}  // namespace capter::testing
