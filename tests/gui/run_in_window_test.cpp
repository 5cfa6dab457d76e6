// Runs driven through the real windows: the job dialog lists a corpus title,
// Start hands the job to the main window's timer, Pause is pressed while a
// file is being read, and the result is compared with an uninterrupted
// export of the command-line tool.
#include <QPushButton>
#include <QTimer>
#include <sstream>

#include "app/preview_area.h"
#include "app/qt_text.h"
#include "cli/export_command.h"
#include "export/bitmap_adjustment_dialog.h"
#include "export/progression_controller.h"
#include "stream/extraction_run.h"
#include "tests/gui/click_on_show.h"
#include "tests/gui/program_fixture.h"
#include "tests/support/corpus.h"
#include "ui_job_dialog.h"
#include "ui_main_window.h"

namespace capter::testing {
namespace {

class RunInWindowTest : public ProgramFixture {
 protected:
  // Lists the title's folder, checks its files in reading order, picks
  // `action` (radio item) and stream 1, and answers the save dialog with
  // `prefix`. The bitmap adjustment a show-only run asks first is
  // accepted, and the progression controller is told not to stop.
  TForm6& PrepareJob(const CorpusCase& title, int action, const std::string& prefix = "") {
    adjustmentOk_ = std::make_unique<ClickOnShow>(windows_->Adjustment(), "BitBtn1");
    noStop_ = std::make_unique<ClickOnShow>(windows_->Progression(), "ButtonNoStop");
    TForm6& job = windows_->Job();
    job.SetFileChoosers({.open = {}, .save = [prefix](const std::string&, const std::string&) {
                           return std::optional<std::string>(prefix);
                         }});
    job.ListFolder(std::filesystem::path(title.vobFiles.front()).parent_path().string());
    job.CheckFiles(title.vobFiles);
    job.Controls().RadioGroupAction->SetItemIndex(action);
    job.Controls().CheckBoxPictTiming->setChecked(false);
    return job;
  }

  // Presses Pause (as a queued click, handled at the reader's next event
  // processing) when the run has counted `unit` units.
  void PauseAtUnit(uint32_t unit) {
    TForm1& main = windows_->Main();
    QObject::connect(&main, &TForm1::UnitsCounted, &main, [this, unit](uint32_t inRun) {
      if (inRun != unit || pausedOnce_) return;
      pausedOnce_ = true;
      QMetaObject::invokeMethod(windows_->Main().Controls().ButtonPause, "click",
                                Qt::QueuedConnection);
    });
  }

  // Waits for the pause, checks it held in the middle of a file, continues
  // and waits for the end of the run.
  void PauseContinueAndFinish() {
    ExtractionRun& run = windows_->Main().Session().Run();
    ASSERT_TRUE(WaitFor([&] { return run.State() == RunState::Paused; }));
    EXPECT_GT(run.Job().reader.resumeSector, 0);
    // The title bar tells a held run from a running one.
    EXPECT_TRUE(QApplication::applicationDisplayName().startsWith("Capter - "));
    EXPECT_TRUE(QApplication::applicationDisplayName().endsWith(QChar(0x23F8)));
    QPushButton* pause = windows_->Main().Controls().ButtonPause;
    EXPECT_TRUE(pause->isEnabled());
    EXPECT_EQ(pause->text(), "&Continue >");
    pause->click();
    EXPECT_EQ(pause->text(), "&Pause ||");
    ASSERT_TRUE(WaitFor([&] { return run.State() == RunState::Idle; }));
    EXPECT_EQ(QApplication::applicationDisplayName(), "Capter - 100%");
  }

  bool pausedOnce_ = false;
  std::unique_ptr<ClickOnShow> adjustmentOk_;
  std::unique_ptr<ClickOnShow> noStop_;
};

TEST_F(RunInWindowTest, SupRunPausedMidFileWritesTheSameFilesAsAnUninterruptedExport) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  Start();
  const std::string windowPrefix = Folder() + "window";
  TForm6& job = PrepareJob(title, 2, windowPrefix);
  ASSERT_EQ(job.CheckedFiles(), title.vobFiles);
  PauseAtUnit(5);
  job.Controls().BitBtnStart->click();
  PauseContinueAndFinish();

  const std::string cliPrefix = Folder() + "cli";
  std::vector<std::string> args = {"--stream", "1", "--sup", cliPrefix};
  args.insert(args.end(), title.vobFiles.begin(), title.vobFiles.end());
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(cli::RunExportCommand(args, out, err), 0) << err.str();

  const uint32_t units = windows_->Main().Session().Run().Reader().UnitsInRun();
  EXPECT_EQ(units, 18u);
  EXPECT_EQ(windows_->Main().Controls().LabelTotalNbSup->text(), "18");
  for (uint32_t n = 1; n <= units + 1; ++n) {
    char number[8];
    std::snprintf(number, sizeof number, "%06u", n);
    const std::string fromWindow = ReadFile(windowPrefix + number + ".sup");
    EXPECT_EQ(fromWindow, ReadFile(cliPrefix + number + ".sup")) << n;
    EXPECT_EQ(fromWindow.empty(), n > units) << n;
  }
  EXPECT_EQ(windows_->Main().Controls().ProgressBar1->value(), 100);
  EXPECT_TRUE(boxes_.asked.empty());
}

TEST_F(RunInWindowTest, ShowOnlyRunShowsEveryUnitInThePreviewAcrossAPause) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  Start();
  TForm6& job = PrepareJob(title, 3);
  PauseAtUnit(11);
  job.Controls().BitBtnStart->click();
  PauseContinueAndFinish();
  TForm1& main = windows_->Main();
  EXPECT_EQ(main.Session().Run().Reader().UnitsInRun(), 18u);
  EXPECT_EQ(main.Controls().LabelVobNum->text(), "3");
  EXPECT_EQ(main.Controls().LabelVobNb->text(), "3");
  EXPECT_FALSE(main.Controls().ImagePreview->Picture().isNull());
  EXPECT_NE(main.Controls().LabelWidth->text(), "0");
  EXPECT_FALSE(main.Controls().ButtonPause->isEnabled());
  EXPECT_TRUE(main.Controls().OpenVob1->isEnabled());
}

// During a read the labels and the preview are drawn from the latest values
// only; when the run has ended they show its last unit and the reader's
// final state, not a value from the last draw inside the read.
TEST_F(RunInWindowTest, ShowOnlyRunEndsShowingTheLastUnitAndTheReadersFinalState) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  Start();
  TForm6& job = PrepareJob(title, 3);
  job.Controls().BitBtnStart->click();
  TForm1& main = windows_->Main();
  ExtractionRun& run = main.Session().Run();
  ASSERT_TRUE(WaitFor([&] { return run.State() == RunState::Idle; }));
  const Ui::TForm1& u = main.Controls();
  const PalettedPicture& last = main.Session().Dispatch().Rendition();
  EXPECT_EQ(u.ImagePreview->Picture(), ToImage(last));
  EXPECT_EQ(u.LabelWidth->text(), QString::number(last.Width()));
  EXPECT_EQ(u.LabelHeight->text(), QString::number(last.Height()));
  EXPECT_EQ(u.LabelNbSup->text(), QString::number(run.Reader().UnitsInFile()));
  const VobReader& reader = run.Reader();
  EXPECT_EQ(u.LabelTime->text(), ToQt(ToText(reader.Navigation().TotalTime())));
  // The pack time is the one at the last navigation pack: later packs of
  // the file only move the reader's own clock on.
  const QString packTime = u.LabelTime7->text();
  EXPECT_NE(packTime, "00:00:00,000");
  EXPECT_LE(packTime, ToQt(ToText(reader.Presentation().LatestPackTime())));
  EXPECT_EQ(u.LabelChapters->text(), QString::number(reader.Navigation().CellCounter()));
  EXPECT_EQ(u.LabelFPS->text(), ToQt(reader.Navigation().Mode().label));
  EXPECT_EQ(u.LabelTimeElapsed->text(), ToQt(ToShortText(run.Job().elapsed)));
  EXPECT_TRUE(u.LabelPos->text().endsWith("(100%)"));
}

// Closing while a file is being read waits for the read to return, leaves
// the run paused at a consistent point and then saves the settings.
TEST_F(RunInWindowTest, CloseDuringAReadPausesTheRunAndThenSavesTheSettings) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  Start();
  TForm1& main = windows_->Main();
  bool closed = false;
  QObject::connect(&main, &TForm1::Closed, &main, [&] { closed = true; });
  bool closeAsked = false;
  QObject::connect(&main, &TForm1::UnitsCounted, &main, [&](uint32_t inRun) {
    if (inRun != 3 || closeAsked) return;
    closeAsked = true;
    EXPECT_FALSE(main.close());  // from inside the read: refused for now
    EXPECT_FALSE(main.Session().Run().Allows(RunCommand::CloseProgram));
  });
  PrepareJob(title, 3).Controls().BitBtnStart->click();
  ASSERT_TRUE(WaitFor([&] { return closed; }));
  EXPECT_FALSE(main.isVisible());
  EXPECT_EQ(main.Session().Run().State(), RunState::Paused);
  EXPECT_GT(main.Session().Run().Job().reader.resumeSector, 0);
  EXPECT_LT(main.Session().Run().Reader().UnitsInRun(), 18u);
  EXPECT_TRUE(std::filesystem::exists(Folder() + "Capter.ini"));
}

TEST_F(RunInWindowTest, StartWithoutACheckedFileWarnsAndStartsNothing) {
  Start();
  TForm6& job = windows_->Job();
  job.ListFolder(Folder());  // no VOB files here
  EXPECT_EQ(job.Controls().CheckListBoxVob->count(), 0);
  job.Controls().BitBtnStart->click();
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "No VOB selected !!");
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(windows_->Main().Session().Run().State(), RunState::Paused);
}

// The toolbar opens the job dialog while a file is being read (its modal
// loop runs inside the reader); Start there pauses the read, waits for it to
// return and then runs the new job from its first file.
TEST_F(RunInWindowTest, StartFromTheJobDialogDuringAReadRunsTheNewJobAfterTheRead) {
  const CorpusCase first = FindCorpusCase("p05_ntsc_split3");
  const CorpusCase second = FindCorpusCase("p01_pal_text_dejavu");
  Start();
  TForm1& main = windows_->Main();
  TForm6& job = PrepareJob(first, 3);
  bool reopened = false;
  QObject::connect(&main, &TForm1::UnitsCounted, &main, [&](uint32_t inRun) {
    if (inRun != 3 || reopened) return;
    reopened = true;
    EXPECT_FALSE(main.Controls().OpenVob1->isEnabled());
    QTimer::singleShot(0, &job, [&] {
      job.ListFolder(std::filesystem::path(second.vobFiles.front()).parent_path().string());
      job.CheckFiles(second.vobFiles);
      job.Controls().BitBtnStart->click();
    });
    main.Controls().CoolButtonOpenVob->click();  // modal, inside the read
  });
  job.Controls().BitBtnStart->click();
  ExtractionRun& run = main.Session().Run();
  ASSERT_TRUE(WaitFor([&] { return reopened && run.State() == RunState::Idle; }));
  EXPECT_EQ(run.Job().files, second.vobFiles);
  EXPECT_EQ(run.Reader().UnitsInRun(), 15u);
  EXPECT_TRUE(main.Controls().OpenVob1->isEnabled());
}

}  // namespace
}  // namespace capter::testing
