#include <QLineEdit>
#include <QVBoxLayout>

#include "app/numeric_edit.h"
#include "tests/gui/program_fixture.h"

namespace capter::testing {
namespace {

// A window with a numeric field and another field to move the focus to.
class NumericEditTest : public ProgramFixture {
 protected:
  NumericEditTest() : layout_(new QVBoxLayout(&window_)), other_(new QLineEdit(&window_)) {}

  template <typename Edit>
  Edit* Add(int64_t min, int64_t max) {
    auto* edit = new Edit(&window_);  // owned by the window
    edit->SetValMax(max);
    edit->SetValMin(min);
    layout_->addWidget(edit);
    layout_->addWidget(other_);
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    return edit;
  }

  // Types `text` into `edit` and tabs away.
  void TypeAndLeave(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->clear();
    QTest::keyClicks(edit, text);
    other_->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QApplication::processEvents();
  }

  QWidget window_;
  QVBoxLayout* layout_;
  QLineEdit* other_;
};

TEST_F(NumericEditTest, TooLargeAndEmptyValuesAreReportedCorrectedAndKeepTheFocus) {
  auto* minutes = Add<TWord_u>(0, 59);
  EXPECT_EQ(minutes->toolTip(), "Entier entre 0 et 59");
  TypeAndLeave(minutes, "75");
  EXPECT_EQ(minutes->text(), "59");
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "Valeur trop grande : Valeur maximum = 59");
  EXPECT_TRUE(minutes->hasFocus());

  TypeAndLeave(minutes, "");
  EXPECT_EQ(minutes->text(), "0");
  ASSERT_EQ(boxes_.asked.size(), 2u);
  EXPECT_EQ(boxes_.asked[1].text, "Valeur comprise entre 0 et 59 attendue.");

  TypeAndLeave(minutes, "42");
  EXPECT_EQ(boxes_.asked.size(), 2u);
  EXPECT_FALSE(minutes->hasFocus());
}

TEST_F(NumericEditTest, KeyFilterAndLengthFollowTheKindAndRange) {
  auto* offset = Add<TInteger_u>(-10, 45);
  EXPECT_EQ(offset->maxLength(), 3);
  TypeAndLeave(offset, "-1a2");
  EXPECT_EQ(offset->text(), "-10");  // "-12" is below the minimum
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "Valeur trop petite : Valeur minimum = -10");

  auto* word = Add<TWord_u>(0, 65535);
  TypeAndLeave(word, "-7x");
  EXPECT_EQ(word->text(), "7");
  word->SetErrorMsg(false);
  TypeAndLeave(word, "99999");
  EXPECT_EQ(word->text(), "65535");
  EXPECT_EQ(boxes_.asked.size(), 1u);  // silent with ErrorMsg off
}

}  // namespace
}  // namespace capter::testing
