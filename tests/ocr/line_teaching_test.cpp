// Recognition asking a whole line at once.
#include <gtest/gtest.h>

#include "ocr/recogniser.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/two_line_recognition.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

class LineTeachingTest : public TwoLineRecognition {
 protected:
  LineTeachingTest() {
    settings_.TeachWholeLines = true;
    settings_.SpaceWidth = 5;
  }
};

TEST_F(LineTeachingTest, ALineIsAskedOnceAndItsTextTeachesEveryShapeOnce) {
  ScriptedTeacher teacher({Taught("ab a")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  // The second line is read with what the first one taught.
  ASSERT_EQ(teacher.asked.size(), 1u);
  EXPECT_TRUE(teacher.asked[0].wholeLine);
  EXPECT_EQ(teacher.asked[0].line, 0);
  EXPECT_EQ(teacher.asked[0].index, 0u);
  EXPECT_EQ(teacher.asked[0].reading, "");
  EXPECT_EQ(teacher.asked[0].unknownBoxes, 3u);
  // The second "a" has the shape the first one just taught.
  ASSERT_EQ(matrix_.Count(), 2u);
  EXPECT_EQ(matrix_.Entry(1).text, "a");
  EXPECT_EQ(matrix_.Entry(2).text, "b");
  EXPECT_EQ(lines_, (std::vector<std::string>{"ab a", "ba"}));
}

TEST_F(LineTeachingTest, TheReadingShowsTheKnownCharactersAndOnlyUnknownBoxesAreCounted) {
  ScriptedTeacher first({Taught("a"), Taught("")});  // "a" per box, then the b as nothing
  settings_.TeachWholeLines = false;
  Recognise(first);
  matrix_.Delete(2);  // b unknown again
  settings_.TeachWholeLines = true;
  ScriptedTeacher teacher({Taught("ab a"), Taught("b")});
  Recognise(teacher);
  ASSERT_GE(teacher.asked.size(), 1u);
  EXPECT_TRUE(teacher.asked[0].wholeLine);
  EXPECT_EQ(teacher.asked[0].reading, "a a");
  EXPECT_EQ(teacher.asked[0].unknownBoxes, 1u);
  EXPECT_EQ(teacher.asked[0].index, 1u);
  EXPECT_EQ(teacher.asked.size(), 1u);
  EXPECT_EQ(lines_, (std::vector<std::string>{"ab a", "ba"}));
}

TEST(LineReading, PlainBarsAreShownAsTheFinishedLineReadsThem) {
  // "a", two bars taught as capitals, "a", then an unknown "b": the bars
  // between small letters are shown as the doubled l they will read as.
  const std::vector<std::string> art = {
      "...................", ".###.##.##.###.##..", ".###.##.##.###.###.", ".###.##.##.###.###.",
      ".###.##.##.###.###.", ".###.##.##.###.###.", "..................."};
  CharacterMatrix matrix;
  OcrSettings settings = SettingsWithoutAids();
  settings.SpaceWidth = 5;
  TextColourState colour;
  ScriptedColourChooser chooser({3, 3});
  CollectingSink sink;
  ScriptedMessageBoxes boxes;
  ScriptedTeacher first({Taught("a"), Taught("I"), Taught("b")});
  Picture24 picture = PictureFromArt(art);
  Recogniser({matrix, settings, colour, chooser, first, sink, boxes})
      .RecogniseSubPicture(picture, kTwoLinesArea, TimeCode{}, TimeCode{});
  ASSERT_EQ(matrix.Count(), 3u);
  matrix.Delete(3);  // the "b" unknown again
  for (bool context : {false, true}) {
    SCOPED_TRACE(context);
    settings.TeachWholeLines = true;
    settings.IAndLByContext = context;
    ScriptedTeacher teacher({Taught("")}, Taught("b"));
    picture = PictureFromArt(art);
    Recogniser({matrix, settings, colour, chooser, teacher, sink, boxes})
        .RecogniseSubPicture(picture, kTwoLinesArea, TimeCode{}, TimeCode{});
    ASSERT_GE(teacher.asked.size(), 1u);
    EXPECT_TRUE(teacher.asked[0].wholeLine);
    EXPECT_EQ(teacher.asked[0].reading, context ? "alla" : "aIIa");
    matrix.Delete(3);
  }
}

TEST_F(LineTeachingTest, AnAnswerThatSettlesNothingAsksBoxByBox) {
  // Empty, or more characters than the boxes can hold.
  for (const char* answer : {"", "abcdefgh"}) {
    matrix_.New();
    ScriptedTeacher teacher({Taught(answer), Taught("a"), Taught("b")});
    EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
    ASSERT_EQ(teacher.asked.size(), 3u) << answer;
    EXPECT_TRUE(teacher.asked[0].wholeLine);
    EXPECT_FALSE(teacher.asked[1].wholeLine);
    EXPECT_EQ(teacher.asked[1].index, 0u);
    EXPECT_EQ(teacher.asked[2].index, 1u);
    EXPECT_EQ(lines_, (std::vector<std::string>{"ab a", "ba"})) << answer;
  }
}

TEST_F(LineTeachingTest, SkipAndPauseKeepTheirMeaningForAWholeLine) {
  ScriptedTeacher skipLine({{TeachStatus::SkipLine, "", false}, Taught("ba")});
  EXPECT_EQ(Recognise(skipLine), RecognitionOutcome::Added);
  EXPECT_EQ(lines_, (std::vector<std::string>{"ba"}));
  matrix_.New();
  ScriptedTeacher skip({{TeachStatus::SkipSubPicture, "", false}});
  EXPECT_EQ(Recognise(skip), RecognitionOutcome::SubPictureSkipped);
  ScriptedTeacher pause({{TeachStatus::Pause, "", true}});
  EXPECT_EQ(Recognise(pause), RecognitionOutcome::Paused);
  EXPECT_FALSE(colour_.Chosen());
  EXPECT_EQ(matrix_.Count(), 0u);
}

TEST_F(LineTeachingTest, WithTheAidOffEveryBoxIsAskedOnItsOwn) {
  settings_.TeachWholeLines = false;
  ScriptedTeacher teacher({Taught("a"), Taught("b")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  ASSERT_EQ(teacher.asked.size(), 2u);
  EXPECT_FALSE(teacher.asked[0].wholeLine);
  EXPECT_FALSE(teacher.asked[1].wholeLine);
  EXPECT_EQ(lines_, (std::vector<std::string>{"ab a", "ba"}));
}

}  // namespace
}  // namespace capter::testing
