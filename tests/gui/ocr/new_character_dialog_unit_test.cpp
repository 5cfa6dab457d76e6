// The teaching dialog on one question: the edit field's limit and count,
// the answers of its buttons, closing it, the wake-up timer and the watch
// timer of "Change Text Color".
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ocr/new_character_dialog.h"
#include "ocr/teaching_image.h"

namespace capter::testing {
namespace {

// One line with one marked 4 x 6 character at (10, 5) of a 40 x 20 picture.
struct OneCharacter {
  Picture24 bitmap{40, 20};
  LineTable table;
  Glyph glyph;
  OneCharacter() {
    bitmap.Fill(kPaletteGreys[0]);
    CharBox box{.Left = 10, .Top = 5, .Width = 4, .Height = 6, .TopOffset = 0, .Italic = 0};
    bitmap.FillRect(Rect{10, 5, 13, 10}, kMarkA);
    table.count = 1;
    table.lines[0].top = 5;
    table.lines[0].bottom = 10;
    table.lines[0].boxes.push_back(box);
    glyph.Width = 4;
    glyph.Height = 6;
  }
  std::string proposal;
  TimeCode start;
  TeachRequest Request() const {
    return TeachRequest{glyph, bitmap, table, 0, 0, 7, proposal, Rect{}, start};
  }
};

// Asks the question and lets `act` answer once the dialog is shown.
TeachAnswer Ask(TForm2& dialog, const OneCharacter& c, std::function<void()> act) {
  QTimer::singleShot(0, &dialog, std::move(act));
  return dialog.Teach(c.Request());
}

QLineEdit* Edit(TForm2& d) {
  return d.findChild<QLineEdit*>("EditCharacter");
}
void Click(TForm2& d, const char* name) {
  QTest::mouseClick(d.findChild<QPushButton*>(name), Qt::LeftButton);
}

TEST(TeachingDialog, ShowsTheSymbolIndexAndTheFramedCharacterAtTwiceItsSize) {
  OneCharacter c;
  TForm2 dialog;
  Ask(dialog, c, [&] {
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelSymbolIndex")->text(), "Symbol index : 7");
    EXPECT_EQ(dialog.findChild<QLabel*>("ImageCharacter")->pixmap().size(), QSize(300, 100));
    EXPECT_EQ(dialog.focusWidget(), Edit(dialog));
    // The 4 x 6 box sits at xoff 73; its frame one pixel outside it.
    const QImage& image = dialog.TeachingImage();
    const int yoff = (50 - 7) / 2;
    EXPECT_EQ(image.pixelColor(72, yoff - 1), QColor(255, 51, 51));
    EXPECT_EQ(image.pixelColor(77, yoff + 6), QColor(255, 51, 51));
    EXPECT_NE(image.pixelColor(73, yoff), QColor(255, 51, 51));
    Click(dialog, "ButtonOK");
  });
}

// The whole-line form: the line cut from the picture with every unknown box
// framed, the reading to edit, room for a long line, then back to a
// character's form for the next question.
TEST(TeachingDialog, AWholeLineShowsTheLineAndTakesItsWholeText) {
  OneCharacter c;
  c.table.lines[0].boxes.push_back(
      CharBox{.Left = 20, .Top = 5, .Width = 4, .Height = 6, .TopOffset = 0, .Italic = 0});
  c.bitmap.FillRect(Rect{20, 5, 23, 10}, kMarkB);
  TeachRequest request = c.Request();
  request.wholeLine = true;
  request.reading = "a";
  request.unknownIndices = {1};
  TForm2 dialog;
  const std::string line(40, 'w');
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelQuestion")->text(),
              "Type the text of the whole line");
    EXPECT_EQ(Edit(dialog)->text(), "a");
    // Columns 9..24 and rows 4..11, framed around the second box only.
    const QImage& image = dialog.TeachingImage();
    EXPECT_EQ(image.size(), QSize(16, 8));
    EXPECT_EQ(image.pixelColor(10, 0), QColor(255, 51, 51));
    EXPECT_EQ(image.pixelColor(15, 7), QColor(255, 51, 51));
    EXPECT_NE(image.pixelColor(0, 0), QColor(255, 51, 51));
    // Shown in whole pixels, twice as large.
    EXPECT_EQ(dialog.findChild<QLabel*>("ImageCharacter")->pixmap().size(), QSize(32, 16));
    QTest::keyClicks(Edit(dialog), QString::fromStdString(line));
    QTest::keyClick(Edit(dialog), Qt::Key_Return);
  });
  const TeachAnswer answer = dialog.Teach(request);
  EXPECT_EQ(answer.status, TeachStatus::Ok);
  EXPECT_EQ(answer.text, line);
  const TeachAnswer character = Ask(dialog, c, [&] {
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelQuestion")->text(),
              "What is (are) this (these) character(s) ?");
    EXPECT_EQ(Edit(dialog)->maxLength(), 20);
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(character.status, TeachStatus::Ok);
}

TEST(TeachingDialog, TakesAtMostTwentyCharactersAndCountsThem) {
  OneCharacter c;
  TForm2 dialog;
  const TeachAnswer answer = Ask(dialog, c, [&] {
    QTest::keyClicks(Edit(dialog), "abcdefghijklmnopqrstuv");
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelNbCharValue")->text(), "20");
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(answer.status, TeachStatus::Ok);
  EXPECT_EQ(answer.text, "abcdefghijklmnopqrst");
}

TEST(TeachingDialog, OpensEmptyAgainAndOkWithNothingTeachesNothing) {
  OneCharacter c;
  TForm2 dialog;
  Ask(dialog, c, [&] {
    QTest::keyClicks(Edit(dialog), "fi");
    Click(dialog, "ButtonOK");
  });
  const TeachAnswer answer = Ask(dialog, c, [&] {
    EXPECT_TRUE(Edit(dialog)->text().isEmpty());
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelNbCharValue")->text(), "0");
    QTest::keyClick(Edit(dialog), Qt::Key_Return);  // Enter is OK
  });
  EXPECT_EQ(answer.status, TeachStatus::Ok);
  EXPECT_EQ(answer.text, "");
}

TEST(TeachingDialog, AProposalStandsSelectedSoEnterAcceptsItAndTypingReplacesIt) {
  OneCharacter c;
  c.proposal = "fi";
  c.start = TimeCode{1, 2, 3, 45};
  TForm2 dialog;
  const TeachAnswer accepted = Ask(dialog, c, [&] {
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelStartTime")->text(), "Subtitle start : 01:02:03,045");
    EXPECT_EQ(Edit(dialog)->selectedText(), "fi");
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelNbCharValue")->text(), "2");
    QTest::keyClick(Edit(dialog), Qt::Key_Return);
  });
  EXPECT_EQ(accepted.status, TeachStatus::Ok);
  EXPECT_EQ(accepted.text, "fi");
  const TeachAnswer replaced = Ask(dialog, c, [&] {
    EXPECT_EQ(Edit(dialog)->selectedText(), "fi");  // selected again on the next question
    QTest::keyClicks(Edit(dialog), "h");
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(replaced.text, "h");
  c.proposal.clear();
  const TeachAnswer none = Ask(dialog, c, [&] {
    EXPECT_TRUE(Edit(dialog)->text().isEmpty());
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(none.text, "");
}

TEST(TeachingDialog, EachButtonGivesItsStatusAndClosingOtherwisePauses) {
  OneCharacter c;
  TForm2 dialog;
  const std::pair<const char*, TeachStatus> buttons[] = {
      {"ButtonSkipLine", TeachStatus::SkipLine},
      {"ButtonSkipSubPicture", TeachStatus::SkipSubPicture},
      {"ButtonPause", TeachStatus::Pause}};
  for (const auto& [name, status] : buttons) {
    const TeachAnswer answer = Ask(dialog, c, [&, name = name] { Click(dialog, name); });
    EXPECT_EQ(answer.status, status) << name;
    EXPECT_FALSE(answer.changeTextColour) << name;
  }
  const TeachAnswer escaped =
      Ask(dialog, c, [&] { QTest::keyClick(Edit(dialog), Qt::Key_Escape); });
  EXPECT_EQ(escaped.status, TeachStatus::Pause);
}

TEST(TeachingDialog, ChangeTextColorPausesThenContinuesOnceTheRunHasLeftItsReadLoop) {
  OneCharacter c;
  TForm2 dialog;
  bool reading = true;
  int pauseCommands = 0;
  dialog.SetRunControl([&] { return reading; }, [&] { ++pauseCommands; });
  const TeachAnswer answer = Ask(dialog, c, [&] { Click(dialog, "ButtonChangeTextColor"); });
  EXPECT_EQ(answer.status, TeachStatus::Pause);
  EXPECT_TRUE(answer.changeTextColour);

  auto* watch = dialog.findChild<QTimer*>("TimerWatch");
  ASSERT_TRUE(watch->isActive());
  EXPECT_EQ(watch->interval(), 500);
  QMetaObject::invokeMethod(watch, "timeout", Qt::DirectConnection);  // still reading
  EXPECT_EQ(pauseCommands, 0);
  reading = false;
  QMetaObject::invokeMethod(watch, "timeout", Qt::DirectConnection);
  EXPECT_EQ(pauseCommands, 1);  // Continue
  EXPECT_FALSE(watch->isActive());
}

TEST(TeachingDialog, WakeUpTimerWaitsTenSecondsAndTypingStartsTheWaitAgain) {
  OneCharacter c;
  TForm2 dialog;
  Ask(dialog, c, [&] {
    auto* wake = dialog.findChild<QTimer*>("TimerWakeUp");
    EXPECT_TRUE(wake->isActive());
    EXPECT_EQ(wake->interval(), 10000);
    QTest::qWait(50);
    const int before = wake->remainingTime();
    QTest::keyClicks(Edit(dialog), "a");
    EXPECT_GT(wake->remainingTime(), before);  // the ten seconds begin again

    // Ten idle seconds later the window flashes red.
    QMetaObject::invokeMethod(wake, "timeout", Qt::DirectConnection);
    QMetaObject::invokeMethod(wake, "timeout", Qt::DirectConnection);
    EXPECT_EQ(wake->interval(), 150);
    EXPECT_TRUE(dialog.WakeUp().Red());
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::red));
    Click(dialog, "ButtonOK");
  });
  EXPECT_FALSE(dialog.findChild<QTimer*>("TimerWakeUp")->isActive());
  EXPECT_NE(dialog.palette().color(QPalette::Window), QColor(Qt::red));
}

}  // namespace
}  // namespace capter::testing
