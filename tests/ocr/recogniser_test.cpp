#include "ocr/recogniser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ocr/matcher.h"
#include "ocr/matrix_search.h"
#include "ocr/teaching_image.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/two_line_recognition.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

namespace fs = std::filesystem;

using RecogniserTest = TwoLineRecognition;

TEST_F(RecogniserTest, EveryUnknownShapeIsTaughtOnceAndTheLinesGoToTheSink) {
  ScriptedTeacher teacher({Taught("a"), Taught("b")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  ASSERT_EQ(teacher.asked.size(), 2u);
  EXPECT_EQ(teacher.asked[0].symbolNumber, 1u);
  EXPECT_EQ(teacher.asked[1].symbolNumber, 2u);
  EXPECT_EQ(teacher.asked[1].index, 1u);
  EXPECT_EQ(matrix_.Count(), 2u);
  EXPECT_TRUE(matrix_.Modified());
  ASSERT_EQ(sink_.records.size(), 1u);
  const SinkRecord& record = sink_.records[0];
  EXPECT_EQ(record.lines, (std::vector<std::string>{"ab a", "ba"}));
  EXPECT_TRUE(record.render);
  EXPECT_EQ(record.area, kTwoLinesArea);
  EXPECT_EQ(record.start, kTwoLinesStart);
  EXPECT_EQ(record.stop, kTwoLinesStop);

  ScriptedTeacher silent;  // the trained matrix asks nothing
  EXPECT_EQ(Recognise(silent), RecognitionOutcome::Added);
  EXPECT_TRUE(silent.asked.empty());
  EXPECT_EQ(chooser_.asked, 1);  // the colour choice holds for the run
}

TEST_F(RecogniserTest, AnEmptyAnswerTeachesAShapeThatAddsNothingButItsSpace) {
  ScriptedTeacher teacher({Taught(""), Taught("b")});
  Recognise(teacher);
  EXPECT_EQ(matrix_.Count(), 2u);
  EXPECT_EQ(lines_, (std::vector<std::string>{"b ", "b"}));
}

TEST_F(RecogniserTest, SkippingALineDropsItAndReadsTheNext) {
  ScriptedTeacher teacher({{TeachStatus::SkipLine, "", false}, Taught("b"), Taught("a")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  EXPECT_EQ(lines_, (std::vector<std::string>{"ba"}));
  EXPECT_EQ(teacher.asked[1].line, 1);
  EXPECT_EQ(teacher.asked[1].index, 0u);
}

TEST_F(RecogniserTest, ASubPictureWithEveryLineSkippedHandsNothingOn) {
  ScriptedTeacher teacher({}, {TeachStatus::SkipLine, "", false});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::NoText);
  EXPECT_TRUE(sink_.records.empty());
}

TEST_F(RecogniserTest, SkippingOrPausingAbandonsTheSubPicture) {
  ScriptedTeacher skip({Taught("a"), {TeachStatus::SkipSubPicture, "", false}});
  EXPECT_EQ(Recognise(skip), RecognitionOutcome::SubPictureSkipped);
  EXPECT_TRUE(sink_.records.empty());
  EXPECT_EQ(matrix_.Count(), 1u);  // what was taught stays taught

  // Pausing, then reading the same picture again from its first character.
  ScriptedTeacher pause({{TeachStatus::Pause, "", false}});
  EXPECT_EQ(Recognise(pause), RecognitionOutcome::Paused);
  EXPECT_TRUE(colour_.Chosen());
  ScriptedTeacher again({Taught("b")});
  EXPECT_EQ(Recognise(again), RecognitionOutcome::Added);
  EXPECT_EQ(sink_.records.size(), 1u);
}

TEST_F(RecogniserTest, AskingForANewTextColourAsksTheChooserAgain) {
  ScriptedTeacher change({{TeachStatus::Pause, "", true}});
  EXPECT_EQ(Recognise(change), RecognitionOutcome::Paused);
  EXPECT_FALSE(colour_.Chosen());
  ScriptedTeacher teacher({Taught("a"), Taught("b")});
  Recognise(teacher);
  EXPECT_EQ(chooser_.asked, 2);
}

TEST_F(RecogniserTest, SkippingTheColourChoiceDropsThePictureAndAsksAgainNextTime) {
  chooser_ = ScriptedColourChooser({std::nullopt, 3});
  ScriptedTeacher teacher({Taught("a"), Taught("b")});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::ColourSkipped);
  EXPECT_TRUE(teacher.asked.empty());
  EXPECT_FALSE(colour_.Chosen());
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  EXPECT_EQ(colour_.TextColourIndex, 3);
  EXPECT_EQ(colour_.TextColour, kPaletteGreys[3]);
}

TEST_F(RecogniserTest, AFoundMatrixGivesTheTextAndAddsNothing) {
  const TeachAnswer found{TeachStatus::MatrixFound, "a", false};
  ScriptedTeacher teacher({found, Taught("b"), found, found});
  EXPECT_EQ(Recognise(teacher), RecognitionOutcome::Added);
  EXPECT_EQ(matrix_.Count(), 1u);
  EXPECT_EQ(matrix_.Entry(1).text, "b");
  EXPECT_EQ(lines_, (std::vector<std::string>{"ab a", "ba"}));
  EXPECT_EQ(teacher.asked.size(), 4u);  // the unadded shape is asked again
}

TEST_F(RecogniserTest, AnswersAreCutTo20Characters) {
  ScriptedTeacher teacher({Taught(std::string(25, 'x')), Taught("b")});
  Recognise(teacher);
  EXPECT_EQ(matrix_.Entry(1).text, std::string(20, 'x'));
}

class MatrixSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = (fs::temp_directory_path() /
               ("capter_search_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
                  .string() +
              "/";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    glyph_.Width = glyph_.Height = 4;
    for (int i = 0; i < 4; ++i) glyph_.SetPixel(i, i, true);
    box_ = CharBox{0, 0, 4, 4, 0, 0};
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Saves a matrix holding `glyph` (or a different shape) as `name`.
  void SaveMatrix(const std::string& name, bool withGlyph, const std::string& text) {
    CharacterMatrix m;
    Glyph other;
    other.Width = other.Height = 9;
    m.Add(MatrixEntry{other, "other"}, boxes_);
    if (withGlyph) m.Add(MatrixEntry{glyph_, text}, boxes_);
    m.SetFileName(folder_ + name);
    ASSERT_TRUE(m.Save(boxes_));
  }

  std::string folder_;
  Glyph glyph_;
  CharBox box_;
  ScriptedMessageBoxes boxes_;
};

TEST_F(MatrixSearchTest, TheFirstAcceptedFileReplacesTheCurrentMatrix) {
  SaveMatrix("a.sum", false, "");
  SaveMatrix("b.sum", true, "refused");
  SaveMatrix("c.sum", true, "taken");
  SaveMatrix("d.sum", true, "never tried");
  CharacterMatrix current;
  current.Add(MatrixEntry{glyph_, "old"}, boxes_);
  ScriptedMessageBoxes boxes({Answer::No, Answer::Yes});
  std::string text;
  ASSERT_TRUE(
      SearchMatchingMatrix(folder_, glyph_, box_, SettingsWithoutAids(), current, boxes, text));
  EXPECT_EQ(text, "taken");
  EXPECT_EQ(current.FileName(), folder_ + "c.sum");
  EXPECT_EQ(current.Count(), 2u);
  EXPECT_FALSE(current.Modified());  // replaced without asking to save
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(boxes.asked[0].buttons, ButtonSet::YesNo);
  EXPECT_EQ(boxes.asked[1].text,
            "File \"c.sum\" contain character \"taken\" \r"
            "it seem to match with the current one.\r\r"
            "Do you want to open this Char Matrix File ?");
}

TEST_F(MatrixSearchTest, UnreadableFilesAreSkippedAndNothingFoundIsReported) {
  SaveMatrix("a.sum", false, "");
  std::ofstream(folder_ + "broken.sum") << "not a matrix at all, but long enough to be read";
  CharacterMatrix current;
  current.Add(MatrixEntry{glyph_, "old"}, boxes_);
  ScriptedMessageBoxes boxes;
  std::string text = "unchanged";
  EXPECT_FALSE(
      SearchMatchingMatrix(folder_, glyph_, box_, SettingsWithoutAids(), current, boxes, text));
  EXPECT_EQ(text, "unchanged");
  EXPECT_EQ(current.Entry(1).text, "old");
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text,
            "This is NOT a valid Char Matrix File !\r" + folder_ + "broken.sum");
  EXPECT_EQ(boxes.asked[1].kind, MessageKind::Information);
  EXPECT_EQ(boxes.asked[1].text,
            "Can't find any matching Char Matrix File.\r"
            "Be sure to place all matrix file in " +
                folder_ +
                "\r\rYou should try again on the next character, if still not found then you "
                "must create a new Matrix.");
}

TEST_F(MatrixSearchTest, AMissingFolderFindsNothing) {
  CharacterMatrix current;
  ScriptedMessageBoxes boxes;
  std::string text;
  EXPECT_FALSE(SearchMatchingMatrix(folder_ + "missing/", glyph_, box_, SettingsWithoutAids(),
                                    current, boxes, text));
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].kind, MessageKind::Information);
  EXPECT_EQ(MatrixSearchFolder("/opt/capter/"), "/opt/capter/ChMatrix/");
}

}  // namespace
}  // namespace capter::testing

namespace capter::testing {
namespace {

TEST(TeachingImage, CentresTheCharacterOnItsLineAndFramesIt) {
  Picture24 bitmap(400, 30);
  bitmap.Fill(kPaletteGreys[0]);
  LineTable table;
  table.count = 1;
  table.lines[0].top = 5;
  table.lines[0].boxes = {CharBox{10, 5, 4, 10, 0, 0}, CharBox{20, 8, 6, 7, 3, 0}};
  DrawBlock(bitmap, 20, 8, 6, 7, kMarkB);
  const Glyph glyph;
  Picture24 image;
  ComposeTeachingImage(TeachRequest{glyph, bitmap, table, 0, 1, 1}, image);
  ASSERT_EQ(image.Width(), 150);
  ASSERT_EQ(image.Height(), 50);
  // xoff = (150 - 6) / 2 = 72; rows = 5 + 10 - 5 + 1 = 11, yoff = 19.
  EXPECT_EQ(image.Pixel(72, 19 + 3), kMarkB);
  EXPECT_EQ(image.Pixel(77, 19 + 9), kMarkB);
  EXPECT_EQ(image.Pixel(71, 21), kTeachingFrame);
  EXPECT_EQ(image.Pixel(78, 29), kTeachingFrame);
  EXPECT_EQ(image.Pixel(72, 20), kPaletteGreys[0]);

  // A box wider than the image is shown from its left edge.
  table.lines[0].boxes[1] = CharBox{20, 8, 200, 7, 3, 0};
  ComposeTeachingImage(TeachRequest{glyph, bitmap, table, 0, 1, 1}, image);
  EXPECT_EQ(image.Pixel(0, 22), kMarkB);
  EXPECT_EQ(image.Pixel(0, 21), kTeachingFrame);
  EXPECT_EQ(image.Pixel(0, 20), kPaletteGreys[0]);
}

}  // namespace
}  // namespace capter::testing
