// The matrix editor on a matrix it is given: list lines and orders, the
// first-letter selection, Modify, Delete with its question and renumbering,
// the comment memo, and lines added while a run teaches.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/qt_message_boxes.h"
#include "app/radio_group.h"
#include "ocr/matrix_editor.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

MatrixEntry EntryOf(const std::string& text, int width = 3, int height = 4) {
  MatrixEntry entry;
  entry.glyph.Width = static_cast<uint8_t>(width);
  entry.glyph.Height = static_cast<uint8_t>(height);
  entry.glyph.TopOffset = 2;
  entry.glyph.SetPixel(0, 0, true);
  entry.glyph.SetPixel(width - 1, height - 1, true);
  entry.text = text;
  return entry;
}

class MatrixEditorTest : public ::testing::Test {
 protected:
  MatrixEditorTest() { SetWindowBoxes(&boxes); }
  ~MatrixEditorTest() override { SetWindowBoxes(nullptr); }

  void Fill(const std::vector<std::string>& texts) {
    for (const std::string& t : texts) matrix.Add(EntryOf(t), boxes);
  }
  QListWidget* List(TForm5& editor) { return editor.findChild<QListWidget*>("ListBoxCharacters"); }
  QStringList Lines(TForm5& editor) {
    QStringList lines;
    for (int i = 0; i < List(editor)->count(); ++i) lines << List(editor)->item(i)->text();
    return lines;
  }
  void IndexOrder(TForm5& editor) {
    editor.findChild<RadioGroup*>("RadioGroupSort")->SetItemIndex(1);
  }

  ScriptedMessageBoxes boxes;
  CharacterMatrix matrix;
};

TEST_F(MatrixEditorTest, ListsQuotedTextsWithNumbersAlphabeticallyOrByIndex) {
  Fill({"b", "", "A", "a"});
  matrix.SetFileName("/some/folder/disc.sum");
  TForm5 editor(matrix);
  EXPECT_EQ(editor.windowTitle(), "View/Edit Character Matrix - disc.sum -");
  EXPECT_EQ(Lines(editor), (QStringList{"\"\"    2", "\"A\"    3", "\"a\"    4", "\"b\"    1"}));
  EXPECT_EQ(editor.SelectedEntry(), 2u);  // the first line is selected
  IndexOrder(editor);
  EXPECT_EQ(Lines(editor), (QStringList{"\"b\"    1", "\"\"    2", "\"A\"    3", "\"a\"    4"}));
}

TEST_F(MatrixEditorTest, ShowsTheSelectedGlyphAtTwiceItsSizeWithItsMeasures) {
  Fill({"x"});
  matrix.Add(EntryOf("wide", 20, 30), boxes);
  TForm5 editor(matrix);
  IndexOrder(editor);
  List(editor)->setCurrentRow(1);
  const QPixmap picture = editor.findChild<QLabel*>("ImageGlyph")->pixmap();
  EXPECT_EQ(picture.size(), QSize(40, 60));
  const QImage image = picture.toImage();
  EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));  // glyph (0, 0) as 2 x 2
  EXPECT_EQ(image.pixelColor(2, 0), QColor(Qt::black));
  EXPECT_EQ(editor.findChild<QLabel*>("LabelIndexValue")->text(), "2");
  EXPECT_EQ(editor.findChild<QLabel*>("LabelWidthValue")->text(), "20");
  EXPECT_EQ(editor.findChild<QLabel*>("LabelHeightValue")->text(), "30");
  EXPECT_EQ(editor.findChild<QLabel*>("LabelTopValue")->text(), "2");
  EXPECT_EQ(editor.findChild<QLineEdit*>("EditText")->text(), "wide");
  EXPECT_EQ(editor.findChild<QLabel*>("LabelNbChar")->text(), "Nb Char : 4");
}

TEST_F(MatrixEditorTest, DeleteAsksAndMovesTheLastEntryIntoTheDeletedNumber) {
  Fill({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
  TForm5 editor(matrix);
  IndexOrder(editor);
  List(editor)->setCurrentRow(2);  // entry 3
  boxes = ScriptedMessageBoxes({Answer::No});
  QTest::keyClick(List(editor), Qt::Key_Delete);
  EXPECT_EQ(matrix.Count(), 10u);  // No keeps it

  boxes = ScriptedMessageBoxes({Answer::Yes});
  QTest::mouseClick(editor.findChild<QPushButton*>("ButtonDelete"), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(boxes.asked[0].buttons, ButtonSet::YesNo);
  EXPECT_EQ(boxes.asked[0].text, "Delete character \"c\" ?");
  EXPECT_EQ(matrix.Count(), 9u);
  const QStringList lines = Lines(editor);
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[2], "\"j\"    3");
  // The same position stays selected and shown.
  EXPECT_EQ(editor.SelectedEntry(), 3u);
  EXPECT_EQ(editor.findChild<QLineEdit*>("EditText")->text(), "j");
  EXPECT_TRUE(matrix.Modified());
}

TEST_F(MatrixEditorTest, DeletingTheLastLineSelectsTheNewLastOne) {
  Fill({"a", "b"});
  TForm5 editor(matrix);
  IndexOrder(editor);
  List(editor)->setCurrentRow(1);
  boxes = ScriptedMessageBoxes({Answer::Yes, Answer::Yes});
  QTest::keyClick(List(editor), Qt::Key_Delete);
  EXPECT_EQ(editor.SelectedEntry(), 1u);
  QTest::keyClick(List(editor), Qt::Key_Delete);
  EXPECT_EQ(matrix.Count(), 0u);
  EXPECT_EQ(editor.SelectedEntry(), 0u);
  QTest::keyClick(List(editor), Qt::Key_Delete);  // an empty list asks nothing
  EXPECT_EQ(boxes.asked.size(), 2u);
}

TEST_F(MatrixEditorTest, TypedFirstLetterSelectsByTheEntryText) {
  Fill({"b", "Apple", "c", "ant"});
  TForm5 editor(matrix);
  IndexOrder(editor);
  QTest::keyClicks(List(editor), "a");
  EXPECT_EQ(editor.SelectedEntry(), 2u);  // the first text beginning with a or A
  QTest::keyClicks(List(editor), "c");
  EXPECT_EQ(editor.SelectedEntry(), 3u);
  QTest::keyClicks(List(editor), "z");  // begins nothing: unchanged
  EXPECT_EQ(editor.SelectedEntry(), 3u);
}

TEST_F(MatrixEditorTest, ModifyChangesTheRightEntryAmongFiveDigitNumbers) {
  std::vector<std::string> texts;
  for (int i = 1; i <= 10005; ++i) texts.push_back(i == 10003 ? "q" : "x");
  Fill(texts);
  TForm5 editor(matrix);
  IndexOrder(editor);
  List(editor)->setCurrentRow(10002);
  EXPECT_EQ(editor.findChild<QLabel*>("LabelIndexValue")->text(), "10003");
  auto* edit = editor.findChild<QLineEdit*>("EditText");
  edit->setText("qu");
  QTest::mouseClick(editor.findChild<QPushButton*>("ButtonModify"), Qt::LeftButton);
  EXPECT_EQ(matrix.Entry(10003).text, "qu");
  EXPECT_EQ(matrix.Entry(10002).text, "x");
  EXPECT_EQ(editor.SelectedEntry(), 10003u);
  EXPECT_EQ(List(editor)->currentItem()->text(), "\"qu\"    10003");
}

TEST_F(MatrixEditorTest, TypingTheDescriptionSetsTheCommentButRefillingDoesNot) {
  Fill({"a"});
  matrix.SetComment("old");
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("capter_editor_" + std::to_string(::getpid()) + ".sum"))
                               .string();
  matrix.SetFileName(path);
  ASSERT_TRUE(matrix.Save(boxes));  // a saved matrix is unmodified
  TForm5 editor(matrix);
  editor.Refill();
  EXPECT_FALSE(matrix.Modified());
  auto* memo = editor.findChild<QPlainTextEdit*>("MemoDescription");
  EXPECT_EQ(memo->toPlainText(), "old");
  memo->setPlainText(QString(300, 'c'));
  EXPECT_EQ(matrix.Comment(), std::string(255, 'c'));
  EXPECT_EQ(memo->toPlainText().size(), 255);
  EXPECT_TRUE(matrix.Modified());
  std::filesystem::remove(path);
}

TEST_F(MatrixEditorTest, CatchUpListsTaughtEntriesAndRefillsAReplacedMatrix) {
  Fill({"a"});
  TForm5 editor(matrix);
  IndexOrder(editor);
  matrix.Add(EntryOf("b"), boxes);
  matrix.Add(EntryOf("c"), boxes);
  editor.CatchUp();
  EXPECT_EQ(Lines(editor), (QStringList{"\"a\"    1", "\"b\"    2", "\"c\"    3"}));
  EXPECT_EQ(editor.SelectedEntry(), 3u);  // the newest is selected

  // In alphabetical order a new line takes its sorted place.
  editor.findChild<RadioGroup*>("RadioGroupSort")->SetItemIndex(0);
  matrix.Add(EntryOf("B"), boxes);
  editor.CatchUp();
  EXPECT_EQ(Lines(editor), (QStringList{"\"a\"    1", "\"b\"    2", "\"B\"    4", "\"c\"    3"}));
  EXPECT_EQ(editor.SelectedEntry(), 4u);

  CharacterMatrix other;
  other.Add(EntryOf("z"), boxes);
  other.SetFileName("/f/other.sum");
  matrix.Swap(other);
  editor.CatchUp();
  EXPECT_EQ(Lines(editor), (QStringList{"\"z\"    1"}));
  EXPECT_EQ(editor.windowTitle(), "View/Edit Character Matrix - other.sum -");
}

}  // namespace
}  // namespace capter::testing
