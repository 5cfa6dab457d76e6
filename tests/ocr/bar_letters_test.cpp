// Plain bars read as I or l, decided from their neighbours in the line.
#include "ocr/bar_letters.h"

#include <gtest/gtest.h>

#include "ocr/matcher.h"
#include "ocr/recogniser.h"
#include "ocr/segmentation.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

const Colour kText = kPaletteGreys[3];

Glyph GlyphOf(const std::vector<std::string>& art) {
  Picture24 picture = PictureFromArt(art);
  LineTable table;
  Segmenter().Segment(picture, kText, OcrSettings{}, table);
  EXPECT_EQ(table.count, 1);
  EXPECT_EQ(table.lines[0].boxes.size(), 1u);
  return ExtractGlyph(picture, table.lines[0].boxes[0], MarkOf(0));
}

TEST(PlainBar, OneStraightRunOnEveryRow) {
  EXPECT_TRUE(IsPlainBar(GlyphOf({"##", "##", "##", "##", "##", "##"})));
  // A column of antialias steps on either edge is still a bar.
  EXPECT_TRUE(IsPlainBar(GlyphOf({".##", "###", "##.", "##.", "###", ".##"})));
  // Serifs, a foot, a slant, a dot above or a hole are not.
  EXPECT_FALSE(IsPlainBar(GlyphOf({"######", "..##..", "..##..", "..##..", "..##..", "######"})));
  EXPECT_FALSE(IsPlainBar(GlyphOf({"##..", "##..", "##..", "##..", "##..", "####"})));
  EXPECT_FALSE(IsPlainBar(GlyphOf({"..##", "..##", ".##.", ".##.", "##..", "##.."})));
  EXPECT_FALSE(IsPlainBar(GlyphOf({"##", "..", "##", "##", "##", "##"})));
  EXPECT_FALSE(IsPlainBar(GlyphOf({"###", "###", "#.#", "###", "###", "###"})));
  // A dash is flat, not a bar.
  EXPECT_FALSE(IsPlainBar(GlyphOf({"######", "######"})));
}

// Letters of the test pictures, 8 rows high: a sans-serif bar, a serif
// capital I, an "a" (a block of the lower half), an apostrophe, a full
// stop.
// clang-format off
const std::vector<std::string> kBar = {"##", "##", "##", "##", "##", "##", "##", "##"};
const std::vector<std::string> kSerifI = {
    "######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "######"};
const std::vector<std::string> kA = {
    "...", "...", "...", "...", "###", "###", "###", "###"};
const std::vector<std::string> kApostrophe = {
    "#", "#", "#", ".", ".", ".", ".", "."};
const std::vector<std::string> kFullStop = {
    "...", "...", "...", "...", "...", "...", "###", "###"};
// clang-format on

// One line of letters side by side, `gaps` empty columns after each.
Picture24 LineOfLetters(const std::vector<const std::vector<std::string>*>& letters,
                        const std::vector<int>& gaps) {
  std::vector<std::string> art(8, ".");
  for (size_t i = 0; i < letters.size(); ++i) {
    for (size_t r = 0; r < art.size(); ++r) {
      art[r] += (*letters[i])[r] + std::string(static_cast<size_t>(gaps[i]), '.');
    }
  }
  return PictureFromArt(art);
}

class BarLettersTest : public ::testing::Test {
 protected:
  void Teach(const std::vector<std::string>& art, const std::string& text) {
    matrix_.Add(MatrixEntry{GlyphOf(art), text}, boxes_);
  }

  // The lines read from `pictures` (one sub-picture each, every shape known).
  std::vector<std::string> Read(std::vector<Picture24> pictures) {
    ScriptedColourChooser chooser{{3}};
    ScriptedTeacher teacher;
    CollectingSink sink;
    Recogniser recogniser({matrix_, settings_, colour_, chooser, teacher, sink, boxes_});
    std::vector<std::string> lines;
    for (Picture24& picture : pictures) {
      recogniser.RecogniseSubPicture(picture, Rect{0, 0, picture.Width() - 1, 0}, TimeCode{},
                                     TimeCode{});
      lines.insert(lines.end(), recogniser.Lines().begin(), recogniser.Lines().end());
    }
    EXPECT_TRUE(teacher.asked.empty());
    return lines;
  }

  CharacterMatrix matrix_;
  OcrSettings settings_;
  TextColourState colour_;
  ScriptedMessageBoxes boxes_;
};

TEST_F(BarLettersTest, ABarStartingASubtitleIsACapitalAndInsideAWordASmallL) {
  Teach(kBar, "l");
  Teach(kA, "a");
  // "l aa" and "aal" read with the bar taught as "l"; the same with it
  // taught as "I".
  const auto read = [this] {
    return Read(
        {LineOfLetters({&kBar, &kA, &kA}, {8, 1, 1}), LineOfLetters({&kA, &kA, &kBar}, {1, 1, 1})});
  };
  EXPECT_EQ(read(), (std::vector<std::string>{"I aa", "aal"}));
  matrix_.SetText(1, "I");
  EXPECT_EQ(read(), (std::vector<std::string>{"I aa", "aal"}));
  // Without the aid the matched entry stands.
  settings_.IAndLByContext = false;
  EXPECT_EQ(read(), (std::vector<std::string>{"I aa", "aaI"}));
  matrix_.SetText(1, "l");
  EXPECT_EQ(read(), (std::vector<std::string>{"l aa", "aal"}));
}

TEST_F(BarLettersTest, ASerifCapitalKeepsItsReadingAndABarBeforeAnApostropheToo) {
  Teach(kSerifI, "I");
  Teach(kA, "a");
  Teach(kBar, "I");
  Teach(kApostrophe, "'");
  // "aaI" with a serif I; "aa I'a" with a bar, where English reads "I'm"
  // and French "l'ami": only a rule that holds everywhere could change it.
  EXPECT_EQ(Read({LineOfLetters({&kA, &kA, &kSerifI}, {1, 1, 1}),
                  LineOfLetters({&kA, &kA, &kBar, &kApostrophe, &kA}, {1, 8, 1, 1, 1})}),
            (std::vector<std::string>{"aaI", "aa I'a"}));
}

TEST_F(BarLettersTest, ABarSplitOffATouchingLetterIsDecidedToo) {
  Teach(kA, "a");
  Teach(kBar, "I");
  // "aa" then an "a" touching a bar: read as a split "aI" inside a word.
  std::vector<std::string> touching = kA;
  for (size_t r = 0; r < touching.size(); ++r) touching[r] += kBar[r];
  EXPECT_EQ(Read({LineOfLetters({&kA, &touching}, {1, 1})}), (std::vector<std::string>{"aal"}));
}

TEST_F(BarLettersTest, TheLineBeforeIsTheContextOfALineStartingWithABar) {
  Teach(kA, "a");
  Teach(kBar, "l");
  Teach(kFullStop, ".");
  // After a line ending in a full stop a bar starting the line is a
  // capital; after one ending in a letter it is a small l.
  const auto twoLines = [](const std::vector<const std::vector<std::string>*>& first) {
    const Picture24 top = LineOfLetters(first, std::vector<int>(first.size(), 1));
    const Picture24 bottom = LineOfLetters({&kBar, &kA}, {1, 1});
    Picture24 both(std::max(top.Width(), bottom.Width()), 28);
    both.Fill(kPaletteGreys[0]);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < top.Width(); ++x) both.SetPixel(x, y, top.Pixel(x, y));
      for (int x = 0; x < bottom.Width(); ++x) both.SetPixel(x, y + 20, bottom.Pixel(x, y));
    }
    return both;
  };
  EXPECT_EQ(Read({twoLines({&kA, &kFullStop})}), (std::vector<std::string>{"a.", "Ia"}));
  EXPECT_EQ(Read({twoLines({&kA, &kA})}), (std::vector<std::string>{"aa", "la"}));
}

}  // namespace
}  // namespace capter::testing
