#include <QKeyEvent>

#include "stream/extraction_run.h"
#include "tests/gui/program_fixture.h"
#include "tests/support/corpus.h"
#include "ui_job_dialog.h"

namespace capter::testing {
namespace {

class JobDialogTest : public ProgramFixture {
 protected:
  static QStringList Items(const QListWidget& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
    return items;
  }
};

TEST_F(JobDialogTest, ListsTheFolderAndReordersWithCtrlArrowsAndTheUpDownArrows) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  Start();
  TForm6& job = windows_->Job();
  job.ListFolder(std::filesystem::path(title.vobFiles.front()).parent_path().string());
  Ui::TForm6& u = job.Controls();
  ASSERT_EQ(u.CheckListBoxVob->count(), 3);
  EXPECT_EQ(u.CheckListBoxVob->item(0)->text(), "VTS_01_1.VOB  [_____674 Kb]");
  EXPECT_TRUE(u.LabelVobPath->text().endsWith("VIDEO_TS/"));
  for (int i = 0; i < 3; ++i) u.CheckListBoxVob->item(i)->setCheckState(Qt::Checked);

  // 1, 2, 3 -> 3, 1, 2: the third moved up twice, once by key, once by arrow.
  u.CheckListBoxVob->setCurrentRow(2);
  QKeyEvent ctrlUp(QEvent::KeyPress, Qt::Key_Up, Qt::ControlModifier);
  QApplication::sendEvent(u.CheckListBoxVob, &ctrlUp);
  emit u.UpDownFilePose->Up();
  emit u.UpDownFilePose->Up();  // already first: nothing moves
  EXPECT_EQ(u.CheckListBoxVob->currentRow(), 0);
  const std::vector<std::string> order = {title.vobFiles[2], title.vobFiles[0], title.vobFiles[1]};
  EXPECT_EQ(job.CheckedFiles(), order);

  job.SetFileChoosers({.open = {}, .save = {}});
  u.RadioGroupAction->SetItemIndex(3);
  u.BitBtnStart->click();
  const ExtractionJob& started = windows_->Main().Session().Run().Job();
  EXPECT_EQ(started.files, order);
  EXPECT_EQ(started.action, RunAction::ShowOnly);
}

TEST_F(JobDialogTest, OpenIfoNamesTheStreamsAndTheChosenStreamGivesItsSubStreamId) {
  const CorpusCase title = FindCorpusCase("p04_pal_five_streams");
  Start();
  TForm6& job = windows_->Job();
  ASSERT_TRUE(job.OpenIfo(title.ifoFile));
  Ui::TForm6& u = job.Controls();
  ASSERT_EQ(u.ComboBoxLanguage->count(), 32);
  EXPECT_EQ(u.ComboBoxLanguage->itemText(0), "1  - English");
  EXPECT_EQ(u.ComboBoxLanguage->itemText(1), "2  - French");
  EXPECT_EQ(u.ComboBoxLanguage->itemText(3), "4  - eo");
  EXPECT_EQ(u.ComboBoxLanguage->itemText(4), "5  - ");
  EXPECT_EQ(u.ComboBoxLanguage->itemText(9), "10 - ");
  EXPECT_EQ(u.CheckListBoxVob->count(), 1);  // the IFO's folder is listed

  u.CheckListBoxVob->item(0)->setCheckState(Qt::Checked);
  u.ComboBoxLanguage->setCurrentIndex(1);
  u.RadioGroupAction->SetItemIndex(3);
  u.BitBtnStart->click();
  EXPECT_EQ(windows_->Main().Session().Run().Job().reader.streamId, 0x21);
}

TEST_F(JobDialogTest, ProgramArgumentsListTheFolderCheckTheFilesInOrderAndReadTheIfo) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  Start();
  TForm6& job = windows_->Job();
  // Shown modally by OpenFiles: answer it with Cancel once it is up.
  QTimer::singleShot(0, &job, [&] { job.Controls().BitBtnCancel->click(); });
  windows_->OpenFiles({title.vobFiles[1], title.ifoFile, title.vobFiles[0]});
  std::vector<std::string> checked;
  for (const std::string& file : job.CheckedFiles()) {
    checked.push_back(std::filesystem::canonical(file).string());
  }
  EXPECT_EQ(checked, (std::vector<std::string>{std::filesystem::canonical(title.vobFiles[1]),
                                               std::filesystem::canonical(title.vobFiles[0])}));
  EXPECT_EQ(job.Controls().CheckListBoxVob->item(2)->checkState(), Qt::Unchecked);
  EXPECT_EQ(job.Controls().ComboBoxLanguage->itemText(0), "1  - English");
}

TEST_F(JobDialogTest, TimingCheckBoxOnlyForImageRunsAndAChangedTimeFieldReanchors) {
  Start();
  TForm6& job = windows_->Job();
  Ui::TForm6& u = job.Controls();
  for (int action = 0; action < 4; ++action) {
    u.RadioGroupAction->SetItemIndex(action);
    EXPECT_EQ(u.CheckBoxPictTiming->isEnabled(), action == 1 || action == 2) << action;
  }
  PresentationClock& clock = windows_->Main().Session().Run().Reader().Presentation();
  clock.TakeReference(0);  // anchors: no re-anchoring pending
  ASSERT_FALSE(clock.ReanchorPending());
  u.Word_uMin->setText("41");
  EXPECT_TRUE(clock.ReanchorPending());
  EXPECT_EQ(clock.LastTimeCode(), (TimeCode{0, 41, 0, 0}));
  u.ButtonResetTC->click();
  EXPECT_EQ(u.Word_uMin->text(), "0");
  EXPECT_EQ(clock.LastTimeCode(), kZeroTimeCode);
}

TEST_F(JobDialogTest, AnIfoTooShortForTheStreamListIsReportedAndKeepsTheNames) {
  Start();
  std::ofstream(Folder() + "VTS_01_0.IFO", std::ios::binary) << std::string(700, '\0');
  TForm6& job = windows_->Job();
  EXPECT_FALSE(job.OpenIfo(Folder() + "VTS_01_0.IFO"));
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "Can't open file " + Folder() + "VTS_01_0.IFO");
  EXPECT_EQ(job.Controls().ComboBoxLanguage->count(), 32);
  EXPECT_EQ(job.Controls().ComboBoxLanguage->itemText(0), "1  - ");
}

}  // namespace
}  // namespace capter::testing
