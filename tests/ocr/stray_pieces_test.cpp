#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ocr/antialias_link.h"
#include "ocr/character_matrix.h"
#include "ocr/recogniser.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

// '#' fill, '+' antialias, 'o' outline, '.' background. A letter broken
// where its thin join is antialias (a 3-column part and a 2-column stem),
// then two letters touching through antialias; a speck in each corner keeps
// the background around them when the picture is cropped to its text.
// clang-format off
const std::vector<std::string> kBrokenThenTouching = {
    "#....................#",
    "......................",
    "..oooooooooooooooooo..",
    "..o###+##oo###+###oo..",
    "..o###o##oo###o#o#oo..",
    "..o###o##oo###o###oo..",
    "..o###o##oo###o###oo..",
    "..o###o##oo#o#o###oo..",
    "..oooooooooooooooooo..",
    "......................",
    "#....................#",
};
// clang-format on

Picture24 AntialiasPicture(const std::vector<std::string>& art) {
  Picture24 picture = PictureFromArt(art);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (art[y][x] == '+') picture.SetPixel(x, y, kPaletteGreys[2]);
    }
  }
  return picture;
}

TEST(AntialiasLink, AntialiasBesideAThirdCharacterTakesNoPart) {
  // Two marked stems ('A', 'B') with a run of antialias between them; then a
  // third character's pixel ('A' outside the left box) against that run.
  const auto marked = [](std::vector<std::string> art) {
    Picture24 picture = AntialiasPicture(art);
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (art[y][x] == 'A') picture.SetPixel(x, y, kMarkA);
        if (art[y][x] == 'B') picture.SetPixel(x, y, kMarkB);
      }
    }
    return picture;
  };
  const CharBox left{1, 0, 2, 5}, right{6, 0, 2, 5};
  const TextGreys antialias(kPaletteGreys[2]);
  std::vector<JoinPixel> link;
  const Picture24 open = marked({"oAAoooBB", "oAAoooBB", "oAA+++BB", "oAAoooBB", "oAAoooBB"});
  EXPECT_TRUE(FindAntialiasLink(open, antialias, left, kMarkA, right, kMarkB, link));
  EXPECT_EQ(link.size(), 3u);
  const Picture24 crowded = marked({"oAAoooBB", "oAAoAoBB", "oAA+++BB", "oAAoooBB", "oAAoooBB"});
  EXPECT_FALSE(FindAntialiasLink(crowded, antialias, left, kMarkA, right, kMarkB, link));
}

class StrayPieceRecognition : public ::testing::Test {
 protected:
  RecognitionOutcome Recognise(CharacterTeacher& teacher) {
    Recogniser recogniser({matrix_, settings_, colour_, chooser_, teacher, sink_, boxes_});
    Picture24 picture = AntialiasPicture(kBrokenThenTouching);
    const RecognitionOutcome outcome =
        recogniser.RecogniseSubPicture(picture, Rect{10, 20, 31, 30}, {}, {});
    lines_ = recogniser.Lines();
    boxCount_ = recogniser.Table().lines[0].boxes.size();
    return outcome;
  }

  CharacterMatrix matrix_;
  OcrSettings settings_ = SettingsWithoutAids();
  TextColourState colour_;
  ScriptedColourChooser chooser_{{3, 3}};
  CollectingSink sink_;
  ScriptedMessageBoxes boxes_;
  std::vector<std::string> lines_;
  size_t boxCount_ = 0;
};

TEST_F(StrayPieceRecognition, APieceTaughtAsNothingJoinsItsLetterThroughTheAntialias) {
  settings_.SplitTouching = true;
  // The person names the letter's larger part and leaves the stem empty:
  // the letter, joined, is taught with their answer and the line read again.
  ScriptedTeacher teacher({Taught("m"), Taught(""), Taught("a"), Taught("b")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  EXPECT_EQ(teacher.asked.size(), 4u);
  EXPECT_EQ(lines_, (std::vector<std::string>{"mab"}));
  EXPECT_EQ(matrix_.Count(), 5u);  // the two parts, the whole letter, a, b
  EXPECT_EQ(boxCount_, 3u);

  // Read again: the stem reads as nothing, so the letter reads whole; the
  // two letters touching through antialias, each read, stay apart.
  ScriptedTeacher silent;
  EXPECT_EQ(Recognise(silent), RecognitionOutcome::Added);
  EXPECT_TRUE(silent.asked.empty());
  EXPECT_EQ(lines_, (std::vector<std::string>{"mab"}));
  EXPECT_EQ(boxCount_, 3u);
  EXPECT_EQ(matrix_.Count(), 5u);
}

TEST_F(StrayPieceRecognition, WithoutTheAidThePiecesStayApart) {
  ScriptedTeacher teacher({Taught("m"), Taught(""), Taught("a"), Taught("b")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  EXPECT_EQ(lines_, (std::vector<std::string>{"mab"}));
  EXPECT_EQ(boxCount_, 4u);
  EXPECT_EQ(matrix_.Count(), 4u);
}

TEST_F(StrayPieceRecognition, AJoinedLetterIsAskedWhenItsPartWasReadNotNamed) {
  // Taught without the aid, the larger part reads "n" (as a real "n" of the
  // title would). With the aid the stem still reads as nothing and joins:
  // the whole letter is not guessed from a reading but asked.
  ScriptedTeacher before({Taught("n"), Taught(""), Taught("a"), Taught("b")});
  Recognise(before);
  settings_.SplitTouching = true;
  ScriptedTeacher teacher({Taught("m")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  EXPECT_EQ(teacher.asked.size(), 1u);
  EXPECT_EQ(lines_, (std::vector<std::string>{"mab"}));
}

}  // namespace
}  // namespace capter::testing
