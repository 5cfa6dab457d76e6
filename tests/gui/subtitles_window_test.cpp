// The Subtitles window: the list follows the model row by row, the
// selection and scroll rules, the caption, placement, and the questions
// that guard unsaved text on Clear, Open, quit and Save As.
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <fstream>
#include <iterator>

#include "tests/gui/text_window_support.h"
#include "tests/text/text_test_support.h"
#include "text/output_format_dialog.h"
#include "text/own_format_reader.h"

namespace capter {
namespace {

using testing::Entry;
using testing::SampleTable;
using testing::Tc;

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Add(SubtitleTextModel& model, const SubtitleRecord& r) {
  model.AddSubtitle(std::vector<std::string>(r.lines.begin(), r.lines.begin() + r.lineCount), true,
                    r.start, r.stop, r.area);
}

class SubtitlesWindow : public testing::TextWindowTest {};

TEST_F(SubtitlesWindow, StartsAsANewFileWithTheDocumentedControls) {
  EXPECT_EQ(window_->objectName(), "Form3");
  EXPECT_EQ(window_->windowTitle(), "Subtitles - New File -");
  EXPECT_EQ(window_->findChild<QLabel*>("LabelNbSubTitle")->text(), "0");
  EXPECT_TRUE(window_->findChild<QCheckBox*>("CheckBoxScrollDown")->isChecked());
  EXPECT_TRUE(QFontInfo(List()->font()).fixedPitch());
  EXPECT_EQ(List()->font().pixelSize(), 13);
  for (const char* name : {"Saveas1", "OpenCapterFormat1", "Clear1", "PostOCRCorrection1",
                           "TimeCorrection1", "SetOutputFormat1", "Splitoutputfile1"}) {
    EXPECT_NE(window_->findChild<QAction*>(name), nullptr) << name;
  }
  EXPECT_EQ(window_->findChild<QToolButton*>("CoolButtonSaveAs")->toolTip(), "Save As");
}

TEST_F(SubtitlesWindow, ARunAppendsRowsWithoutResettingTheList) {
  QSignalSpy resets(List()->model(), &QAbstractItemModel::modelReset);
  QSignalSpy inserts(List()->model(), &QAbstractItemModel::rowsInserted);
  const SubtitleTable sample = SampleTable();
  for (uint16_t i = 1; i <= sample.Count(); ++i) Add(model_, sample.At(i));
  EXPECT_EQ(resets.count(), 0);
  EXPECT_EQ(inserts.count(), sample.Count());
  EXPECT_EQ(Rows(), model_.Lines());
  EXPECT_EQ(window_->findChild<QLabel*>("LabelNbSubTitle")->text(), "4");

  // A stop time that arrives late: the last entry's rows are replaced, and
  // the list ends as a full refresh renders it.
  model_.RemoveLastListed();
  table_.Last().stop = Tc(0, 1, 9, 0);
  model_.ListSubtitle(table_.Count(), true);
  const std::vector<std::string> patched = Rows();
  model_.RefreshList();
  EXPECT_EQ(patched, Rows());
  EXPECT_EQ(resets.count(), 1);
}

TEST_F(SubtitlesWindow, AutoScrollSelectsTheLastLineOnlyWhenShownAndTicked) {
  Add(model_, Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"hidden"}));
  EXPECT_EQ(SelectedRow(), -1);
  window_->show();
  Add(model_, Entry(Tc(0, 0, 3, 0), Tc(0, 0, 4, 0), {"shown"}));
  EXPECT_EQ(SelectedRow(), static_cast<int>(model_.Lines().size()) - 1);

  window_->findChild<QCheckBox*>("CheckBoxScrollDown")->setChecked(false);
  EXPECT_FALSE(configuration_.shell.AutoScrollDown);
  window_->UpDown1Click(true);
  Add(model_, Entry(Tc(0, 0, 5, 0), Tc(0, 0, 6, 0), {"unticked"}));
  EXPECT_EQ(SelectedRow(), 0);
  window_->UpDown1Click(false);
  EXPECT_EQ(SelectedRow(), static_cast<int>(model_.Lines().size()) - 1);
}

TEST_F(SubtitlesWindow, TakesTheSettingsOfAConfigurationReadAfterItWasCreated) {
  configuration_.shell.AutoScrollDown = false;
  configuration_.shell.OpenDialogCapterText = "/films";
  configuration_.output.philipsFrameRate = kFrameRateNtsc;
  window_->ApplyConfiguration();
  EXPECT_FALSE(window_->findChild<QCheckBox*>("CheckBoxScrollDown")->isChecked());
  EXPECT_FALSE(model_.AutoScrollDown());
  EXPECT_EQ(model_.Options().settings.philipsFrameRate, kFrameRateNtsc);
  window_->OpenCapterFormat1Click();
  EXPECT_EQ(files_.openRequests.at(0).folder, "/films");
  EXPECT_EQ(configuration_.shell.OpenDialogCapterText, "/films");
}

TEST_F(SubtitlesWindow, UpDownOnAnEmptyListSelectsNothing) {
  window_->UpDown1Click(true);
  window_->UpDown1Click(false);
  EXPECT_EQ(SelectedRow(), -1);
}

TEST_F(SubtitlesWindow, ClearAsksAboutUnsavedTextAndLeavesTheHeader) {
  model_.SetOutputFormat(OutputFormatCode::SubViewer2);
  Add(model_, Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"one"}));
  const std::vector<std::string> before = Rows();
  boxes_ = testing::ScriptedMessageBoxes({Answer::No, Answer::Yes});
  window_->Clear1Click();
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(table_.Count(), 1);
  window_->Clear1Click();
  ASSERT_EQ(boxes_.asked.size(), 2u);
  EXPECT_EQ(boxes_.asked[0].text, "Text NOT Saved !\rDo you really want to clear all text ?");
  EXPECT_EQ(table_.Count(), 0);
  EXPECT_EQ(Rows().size(), 15u);  // the SubViewer 2 header only
  EXPECT_EQ(window_->findChild<QLabel*>("LabelNbSubTitle")->text(), "0");
}

TEST_F(SubtitlesWindow, QuittingWithUnsavedTextAsksAndShowsTheWindowOnNo) {
  EXPECT_TRUE(window_->ConfirmQuit());
  Add(model_, Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"one"}));
  boxes_ = testing::ScriptedMessageBoxes({Answer::No, Answer::Yes});
  EXPECT_FALSE(window_->ConfirmQuit());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(window_->ConfirmQuit());
  EXPECT_EQ(boxes_.asked[0].text, "Text NOT Saved !\rDo you really want to quit ?");
}

TEST_F(SubtitlesWindow, SaveAsAsksForANameOnlyWithText) {
  window_->Saveas1Click();
  EXPECT_TRUE(files_.saveRequests.empty());

  configuration_.shell.SaveDialogText = dir_.string();
  window_.reset();
  window_ = std::make_unique<TForm3>(model_, configuration_, nullptr);
  window_->SetFileDialogs(&files_);
  Add(model_, Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"one"}));
  window_->Saveas1Click();  // cancelled
  ASSERT_EQ(files_.saveRequests.size(), 1u);
  EXPECT_EQ(files_.saveRequests[0].filter,
            "Capter File (*.cpt)|*.cpt|Text File (*.txt)|*.txt|All|*.*");
  EXPECT_EQ(files_.saveRequests[0].defaultExtension, "cpt");
  EXPECT_EQ(files_.saveRequests[0].folder, dir_.string());
  EXPECT_EQ(files_.saveRequests[0].proposedName, "New File.cpt");
  EXPECT_TRUE(model_.TextModified());

  std::filesystem::create_directories(dir_ / "sub");
  files_.save = PathOf("sub/film.cpt");
  window_->Saveas1Click();
  EXPECT_EQ(FileBytes(PathOf("sub/film.cpt")),
            testing::Crlf({"1", "00:00:01,000 --> 00:00:02,000", "one", ""}));
  EXPECT_FALSE(model_.TextModified());
  EXPECT_EQ(window_->windowTitle(), "Subtitles - film -");
  EXPECT_EQ(configuration_.shell.SaveDialogText, PathOf("sub"));

  // A file name outside ASCII reads in the caption as it reads on disk.
  files_.save = PathOf("sub/\xC3\xA9t\xC3\xA9.cpt");
  Add(model_, Entry(Tc(0, 0, 3, 0), Tc(0, 0, 4, 0), {"two"}));
  window_->Saveas1Click();
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("Subtitles - \u00e9t\u00e9 -"));
}

TEST_F(SubtitlesWindow, SaveAsKeepsAnExistingFileWhenReplacingIsDeclined) {
  files_.save = PathOf("old.cpt");
  std::ofstream(PathOf("old.cpt"), std::ios::binary) << "old";
  Add(model_, Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"one"}));
  boxes_ = testing::ScriptedMessageBoxes({Answer::No});
  window_->Saveas1Click();
  EXPECT_EQ(FileBytes(PathOf("old.cpt")), "old");
  EXPECT_EQ(boxes_.asked.at(0).text, "File old.cpt already exists ! Replace file ?");
  EXPECT_TRUE(model_.TextModified());
  EXPECT_EQ(window_->windowTitle(), "Subtitles - New File -");
}

TEST_F(SubtitlesWindow, OpenAsksAboutUnsavedTextBeforeTheFileDialog) {
  Add(model_, Entry(Tc(0, 0, 1, 0), Tc(0, 0, 2, 0), {"one"}));
  boxes_ = testing::ScriptedMessageBoxes({Answer::No});
  window_->OpenCapterFormat1Click();
  EXPECT_TRUE(files_.openRequests.empty());
  EXPECT_EQ(boxes_.asked.at(0).text, "Text NOT Saved !\rDo you really want to open another file ?");
  EXPECT_TRUE(model_.TextModified());

  // Yes, then the dialog is cancelled or names no file: the text was not
  // replaced and stays unsaved, so quitting still asks.
  boxes_ = testing::ScriptedMessageBoxes({Answer::Yes, Answer::Yes});
  window_->OpenCapterFormat1Click();
  ASSERT_EQ(files_.openRequests.size(), 1u);
  EXPECT_EQ(files_.openRequests[0].filter, "Capter Text File (*.cpt)|*.cpt|All (*.*)|*.*");
  EXPECT_TRUE(model_.TextModified());
  files_.open = PathOf("missing.cpt");
  window_->OpenCapterFormat1Click();
  EXPECT_TRUE(model_.TextModified());
  EXPECT_EQ(table_.Count(), 1);
  EXPECT_EQ(boxes_.asked.size(), 2u);  // asked again each time
}

TEST_F(SubtitlesWindow, ReopeningSetsTheOffsetAndExtendedOption) {
  std::ofstream(PathOf("film.cpt"), std::ios::binary) << testing::Crlf(
      {"101", "00:00:01,000 --> 00:00:02,000  X1:010 X2:100 Y1:400 Y2:450", "Hello", "", "102",
       "00:00:03,000 --> 00:00:04,000  X1:010 X2:100 Y1:400 Y2:450", "world", ""});
  model_.SetSplitEnabled(true);
  files_.open = PathOf("film.cpt");
  window_->OpenCapterFormat1Click();
  EXPECT_EQ(table_.Count(), 2);
  EXPECT_FALSE(model_.SplitEnabled());
  EXPECT_FALSE(model_.TextModified());
  EXPECT_EQ(window_->windowTitle(), "Subtitles - film -");
  EXPECT_EQ(Rows().front(), "101");
  EXPECT_TRUE(configuration_.output.extended);
  EXPECT_EQ(configuration_.shell.OpenDialogCapterText, dir_.string());

  TForm13& dialog = window_->OutputFormatDialog();
  dialog.FormShow();
  EXPECT_EQ(dialog.findChild<QSpinBox*>("SpinEditCapterOffset")->value(), 100);
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("CheckBoxCptExtended")->isChecked());
}

TEST_F(SubtitlesWindow, TakesTheMainWindowsWidthAndBottomEdgeWhenShown) {
  QWidget main;
  main.setGeometry(100, 50, 700, 500);
  main.show();
  TForm3 window(model_, configuration_, &main);
  window.resize(300, 200);
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(window.frameGeometry().left(), main.frameGeometry().left());
  EXPECT_EQ(window.frameGeometry().width(), main.frameGeometry().width());
  EXPECT_EQ(window.frameGeometry().bottom(), main.frameGeometry().bottom());
}

}  // namespace
}  // namespace capter
