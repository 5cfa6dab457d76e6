// The time correction, split and post-recognition correction dialogs give
// the core's results for what their fields say, and follow their show and
// enable rules.
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/numeric_edit.h"
#include "app/radio_group.h"
#include "tests/gui/text_window_support.h"
#include "tests/text/text_test_support.h"
#include "text/post_ocr_correction_dialog.h"
#include "text/split_dialog.h"
#include "text/split_range.h"
#include "text/text_forms.h"
#include "text/time_correction_dialog.h"

namespace capter {
namespace {

using testing::Entry;
using testing::Tc;

class CorrectionDialogs : public testing::TextWindowTest {
 protected:
  template <typename T>
  static T* Control(QWidget& dialog, const char* name) {
    T* control = dialog.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  static void Set(QWidget& dialog, const char* name, int64_t value) {
    Control<NumericEdit>(dialog, name)->SetValue(value);
  }
  void Fill(std::initializer_list<SubtitleRecord> entries) {
    for (const SubtitleRecord& r : entries) table_.Append(r);
    model_.RefreshList();
  }
};

TEST_F(CorrectionDialogs, TimeCorrectionAppliesWhatItsFieldsSay) {
  Fill({Entry(Tc(0, 0, 1, 500), Tc(0, 0, 3, 0), {"Hello", "world"}),
        Entry(Tc(0, 0, 10, 0), Tc(0, 0, 12, 0), {"Second"}),
        Entry(Tc(0, 1, 40, 0), Tc(0, 1, 45, 0), {"Last"})});
  TForm14& dialog = window_->TimeCorrectionDialog();
  dialog.FormShow();
  Set(dialog, "Word_uSec", 2);
  Control<QCheckBox>(dialog, "CheckBoxMinusOffset")->setChecked(true);
  Set(dialog, "Word_uSecS", 10);
  Control<QCheckBox>(dialog, "CheckBoxSubDuration")->setChecked(true);
  Set(dialog, "Word_uMinInterval", 100);

  SubtitleTable expected = table_;
  testing::ScriptedMessageBoxes expectedBoxes({Answer::Yes});
  CorrectTimes(expected, dialog.Correction(), expectedBoxes);
  boxes_ = testing::ScriptedMessageBoxes({Answer::Yes});
  Control<QPushButton>(dialog, "BitBtnModifyTC")->click();

  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text,
            "Warning : Time Code 00:00:01,500 will be reduced to 00:00:00,000\r"
            "Do you want to continue ? ( No undo ! )");
  for (uint16_t i = 1; i <= 3; ++i) EXPECT_EQ(table_.At(i), expected.At(i)) << i;
  EXPECT_EQ(table_.At(1).start, Tc(0, 0, 0, 0));
  EXPECT_EQ(Rows()[1], "00:00:00,000 --> " + FullTime(table_.At(1).stop));
  EXPECT_TRUE(model_.TextModified());
}

TEST_F(CorrectionDialogs, TimeCorrectionShowResetsOnlyTheTimeGroups) {
  TForm14& dialog = window_->TimeCorrectionDialog();
  Set(dialog, "Word_uHour", 1);
  Set(dialog, "Word_uMSecS", 7);
  Control<QCheckBox>(dialog, "CheckBoxSubDuration")->setChecked(true);
  Set(dialog, "Word_uFixedDuration", 3000);
  Control<RadioGroup>(dialog, "RadioGroupTime")->SetItemIndex(0);
  dialog.FormShow();
  const TimeCorrection c = dialog.Correction();
  EXPECT_EQ(c.offset, kZeroTimeCode);
  EXPECT_EQ(c.stretch, kZeroTimeCode);
  EXPECT_FALSE(c.modifyDurations);
  EXPECT_EQ(c.fixedDuration, 3000);
  EXPECT_EQ(c.method, DurationMethod::FixedTime);
  EXPECT_FALSE(Control<QWidget>(dialog, "PanelProportionalTime")->isVisibleTo(&dialog));
  EXPECT_TRUE(Control<QWidget>(dialog, "PanelFixedTime")->isVisibleTo(&dialog));
}

TEST_F(CorrectionDialogs, TimeCorrectionOfAnEmptyTableChangesNothing) {
  TForm14& dialog = window_->TimeCorrectionDialog();
  dialog.FormShow();
  Set(dialog, "Word_uSec", 2);
  Control<QPushButton>(dialog, "BitBtnModifyTC")->click();
  EXPECT_TRUE(boxes_.asked.empty());
  EXPECT_FALSE(model_.TextModified());
}

TEST_F(CorrectionDialogs, SplitStoresTheRangeAndRendersOnlyItsEntries) {
  Fill({Entry(Tc(0, 4, 0, 0), Tc(0, 4, 2, 0), {"before"}),
        Entry(Tc(0, 10, 0, 0), Tc(0, 10, 3, 0), {"inside"})});
  TForm17& dialog = window_->SplitDialog();
  dialog.FormShow();
  Control<QCheckBox>(dialog, "CheckBoxSplit")->click();
  Set(dialog, "Word_uMin1", 5);
  Set(dialog, "Word_uMin2", 10);
  Set(dialog, "Word_uSec2", 2);
  Control<QPushButton>(dialog, "BitBtn1")->click();
  EXPECT_EQ(model_.Split(), (SplitRange{true, Tc(0, 5, 0, 0), Tc(0, 10, 2, 0)}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2", "00:05:00,000 --> 00:05:02,000", "inside", ""}));
}

TEST_F(CorrectionDialogs, SplitRefusesATickedRangeThatStopsBeforeItStarts) {
  Fill({Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"one"})});
  TForm17& dialog = window_->SplitDialog();
  dialog.show();
  dialog.FormShow();
  Control<QCheckBox>(dialog, "CheckBoxSplit")->click();
  Set(dialog, "Word_uSec1", 5);
  Control<QPushButton>(dialog, "BitBtn1")->click();
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "The Stop time is smaller than the Start time !");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(model_.SplitEnabled());

  // Unticked, the same range is stored and has no effect.
  Control<QCheckBox>(dialog, "CheckBoxSplit")->click();
  Control<QPushButton>(dialog, "BitBtn1")->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(model_.SplitStart(), Tc(0, 0, 5, 0));
  EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(CorrectionDialogs, SplitBarFollowsTheFieldsAndTheLengthOfTheTable) {
  Fill({Entry(Tc(0, 0, 1, 0), Tc(0, 1, 40, 0), {"one"})});
  TForm17& dialog = window_->SplitDialog();
  dialog.FormShow();
  const QRect full = Control<QFrame>(dialog, "ShapeFullFile")->geometry();
  auto* fill = Control<QFrame>(dialog, "ShapeSplitFill");
  EXPECT_EQ(fill->geometry().left(), full.left());  // unticked: the whole file
  EXPECT_EQ(fill->width(), full.width());
  EXPECT_EQ(Control<QLabel>(dialog, "LabelEndOfFile")->text(), "00:01:40,000");

  Control<QCheckBox>(dialog, "CheckBoxSplit")->click();
  Set(dialog, "Word_uSec1", 25);
  Control<QPushButton>(dialog, "ButtonEndOfFile")->click();
  const SplitBar bar =
      ComputeSplitBar(Tc(0, 0, 25, 0), Tc(0, 1, 40, 0), Tc(0, 1, 40, 0), full.left(), full.width());
  EXPECT_EQ(fill->geometry().left(), bar.left);
  EXPECT_EQ(fill->width(), bar.width);
  auto* stopLabel = Control<QLabel>(dialog, "LabelStopSplit");
  EXPECT_EQ(stopLabel->text(), "00:01:40,000");
  EXPECT_EQ(stopLabel->x(), CentredLeft(bar.Right(), stopLabel->width()));
  Control<QAbstractButton>(dialog, "SpeedButtonCopyStopToStart")->click();
  EXPECT_EQ(dialog.StartFields(), Tc(0, 1, 40, 0));
}

TEST_F(CorrectionDialogs, PostOcrCorrectionEnablesTheLanguageWithTheIlBox) {
  TForm10& dialog = window_->CorrectionDialog();
  auto* language = Control<RadioGroup>(dialog, "RadioGroupCorrectIlLanguage");
  EXPECT_FALSE(language->isEnabled());
  Control<QCheckBox>(dialog, "CheckBoxCorrectIl")->click();
  EXPECT_TRUE(language->isEnabled());
}

TEST_F(CorrectionDialogs, PostOcrCorrectionRewritesTheTableAsTheCoreDoes) {
  Fill({Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"He said,", "lch bin ''da''"})});
  TForm10& dialog = window_->CorrectionDialog();
  Control<QCheckBox>(dialog, "CheckBoxCorrectIl")->click();
  Control<RadioGroup>(dialog, "RadioGroupCorrectIlLanguage")->SetItemIndex(2);
  SubtitleTable expected = table_;
  ApplyPostOcrCorrection(expected, dialog.Choice());
  Control<QPushButton>(dialog, "BitBtnCorrect")->click();
  EXPECT_EQ(table_.At(1), expected.At(1));
  EXPECT_EQ(table_.At(1).lines[1], "Ich bin \"da\"");
  EXPECT_EQ(Rows()[3], "Ich bin \"da\"");
}

TEST_F(CorrectionDialogs, TheWindowOpensEachDialogModally) {
  const std::vector<std::pair<const char*, void (TForm3::*)()>> commands = {
      {"Form13", &TForm3::SetOutputFormat1Click},
      {"Form14", &TForm3::TimeCorrection1Click},
      {"Form10", &TForm3::PostOCRCorrection1Click},
      {"Form17", &TForm3::Splitoutputfile1Click}};
  for (const auto& [name, command] : commands) {
    QString shown;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      shown = modal->objectName();
      // The split dialog closes only with OK.
      if (auto* ok = modal->findChild<QPushButton*>("BitBtn1"); ok && shown == "Form17") {
        ok->click();
      } else {
        static_cast<QDialog*>(modal)->done(QDialog::Rejected);
      }
    });
    (window_.get()->*command)();
    EXPECT_EQ(shown, name);
  }
}

}  // namespace
}  // namespace capter
