// Whole runs through the program's own windows, as a user drives them: the
// job dialog starts the run, the main window's timer reads it, and each
// dialog the run opens (teaching, text colour, bitmap adjustment,
// progression controller) is the program's window, answered by a person.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "export/bitmap_adjustment_dialog.h"
#include "export/progression_controller.h"
#include "ocr/new_character_dialog.h"
#include "ocr/text_colour_dialog.h"
#include "tests/gui/click_on_show.h"
#include "tests/gui/ocr/labelled_title.h"
#include "tests/gui/ocr/teaching_run.h"
#include "tests/gui/program_fixture.h"
#include "tests/gui/text_window_support.h"
#include "text/subtitles_window.h"
#include "ui_job_dialog.h"
#include "ui_main_window.h"

namespace capter::testing {
namespace {

namespace fs = std::filesystem;

// Reacts to each showing of `window` (from the window's own event loop).
class OnShow : public QObject {
 public:
  OnShow(QWidget& window, std::function<void()> reaction)
      : window_(window), reaction_(std::move(reaction)) {
    window_.installEventFilter(this);
  }
  ~OnShow() override { window_.removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      QTimer::singleShot(0, this, reaction_);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
  std::function<void()> reaction_;
};

class ProgramRunTest : public ProgramFixture {
 protected:
  // Lists the title's folder, checks its files, picks `action` and the
  // first stream, answers the BMP/SUP name dialog with `prefix` and starts.
  void StartJob(const CorpusCase& title, int action, const std::string& prefix = "",
                bool timingEntries = false) {
    TForm6& job = windows_->Job();
    job.SetFileChoosers({.open = {}, .save = [prefix](const std::string&, const std::string&) {
                           return std::optional<std::string>(prefix);
                         }});
    job.ListFolder(fs::path(title.vobFiles.front()).parent_path().string());
    job.CheckFiles(title.vobFiles);
    job.Controls().RadioGroupAction->SetItemIndex(action);
    job.Controls().CheckBoxPictTiming->setChecked(timingEntries);
    job.Controls().BitBtnStart->click();
  }

  bool WaitForRunEnd() {
    const ExtractionRun& run = windows_->Main().Session().Run();
    return WaitFor([&] { return run.State() == RunState::Idle; });
  }

  int ListRows() {
    return windows_->Subtitles()
        .findChild<QAbstractItemView*>("ListBoxSubtitle")
        ->model()
        ->rowCount();
  }
};

// A title taught by hand through the program: the colour question once,
// the teaching dialog for every line with unknown shapes (typed whole) and
// every shape the line's text leaves open, the subtitles listed in the
// text window while the run goes on, and Save As writing what the
// command-line tool writes with the same answers.
TEST_F(ProgramRunTest, TaughtTitleFillsTheTextWindowAndSavesTheCommandLineText) {
  const CorpusCase c = FindCorpusCase("p02_pal_image_latin1");
  const LabelledTitle labels(c, 0);
  ProgramWindows& windows = Start();
  const int fill = c.streams[0].pixelCodes[1];

  int colourQuestions = 0;
  bool textHiddenWhileColourAsked = false;
  OnShow colour(windows.TextColour(), [&] {
    ++colourQuestions;
    textHiddenWhileColourAsked = !windows.Subtitles().isVisible();
    auto* combo = windows.TextColour().findChild<QComboBox*>("ComboBoxColor");
    combo->setCurrentIndex(fill);
    QTest::mouseClick(windows.TextColour().findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
  });
  std::vector<QString> typed;
  int rowsSeenDuringRun = 0;
  OnShow teacher(windows.NewCharacter(), [&] {
    TForm2& dialog = windows.NewCharacter();
    const TeachRequest* request = dialog.CurrentRequest();
    if (request == nullptr) return;
    rowsSeenDuringRun = std::max(rowsSeenDuringRun, ListRows());
    const TimeCode start = windows.Main().Session().Dispatch().CurrentTimes().start;
    typed.push_back(request->wholeLine ? labels.LineAnswer(*request, start)
                                       : labels.Answer(*request, start));
    TeachingRun::TypeAndPressOk(dialog, typed.back());
  });

  StartJob(c, 0);
  EXPECT_TRUE(windows.Subtitles().isVisible());  // Start shows the text window
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(colourQuestions, 1);
  EXPECT_TRUE(textHiddenWhileColourAsked);
  EXPECT_TRUE(windows.Subtitles().isVisible());
  ASSERT_FALSE(typed.empty());
  // A typed line teaches several shapes at once.
  EXPECT_LT(2 * typed.size(), windows.Main().Session().Matrix().Count());
  EXPECT_GT(rowsSeenDuringRun, 0);  // listed as recognised, not at the end
  EXPECT_GE(ListRows(), rowsSeenDuringRun);

  ChosenFiles files;
  files.save = Folder() + "taught.txt";
  windows.Subtitles().SetFileDialogs(&files);
  windows.Subtitles().Saveas1Click();
  EXPECT_FALSE(windows.Main().Session().Text().TextModified());
  EXPECT_EQ(ReadFile(*files.save), CliText(c, 0, typed, fill, true));
  EXPECT_TRUE(boxes_.asked.empty());
  windows.Subtitles().SetFileDialogs(nullptr);
}

// Counts the paint events a widget receives while the run reads, past its
// first unit (whose dialog shows the window again), and no dialog is open:
// those the main window's event processing lets through.
class PaintsDuringRead : public QObject {
 public:
  PaintsDuringRead(QWidget& widget, const ExtractionRun& run) : widget_(widget), run_(run) {
    widget_.installEventFilter(this);
  }
  ~PaintsDuringRead() override { widget_.removeEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &widget_ && event->type() == QEvent::Paint && run_.Job().busy &&
        run_.Reader().UnitsInRun() > 1 && QApplication::activeModalWidget() == nullptr) {
      ++count;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& widget_;
  const ExtractionRun& run_;
};

// A BMP run with timing entries asks the bitmap adjustment on its first
// picture only (the job dialog sets it due), with the text window out of
// the way, writes one file per picture, and lists the entries in the text
// window, which paints while the file is being read.
TEST_F(ProgramRunTest, BmpRunAsksTheAdjustmentOnceAndWritesEveryPicture) {
  const CorpusCase c = FindCorpusCase("p05_ntsc_split3");
  ProgramWindows& windows = Start();
  int asked = 0;
  bool textHidden = false;
  OnShow adjustment(windows.Adjustment(), [&] {
    ++asked;
    textHidden = !windows.Subtitles().isVisible();
    QTest::mouseClick(windows.Adjustment().findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
  });
  auto* list = windows.Subtitles().findChild<QAbstractItemView*>("ListBoxSubtitle");
  PaintsDuringRead paints(*list->viewport(), windows.Main().Session().Run());
  const std::string prefix = Folder() + "pic";
  StartJob(c, 1, prefix, true);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(textHidden);
  EXPECT_FALSE(windows.Adjustment().AskAgain());
  const uint32_t units = windows.Main().Session().Run().Reader().UnitsInRun();
  EXPECT_EQ(units, 18u);
  EXPECT_TRUE(fs::exists(prefix + "000001.bmp"));
  EXPECT_TRUE(fs::exists(prefix + "000018.bmp"));
  EXPECT_FALSE(fs::exists(prefix + "000019.bmp"));
  EXPECT_EQ(windows.Main().Session().Table().Count(), units);
  EXPECT_TRUE(windows.Subtitles().isVisible());
  EXPECT_GT(paints.count, 0);
  EXPECT_TRUE(boxes_.asked.empty());
}

// A show-only run started from the job dialog stops at the progression
// controller after each picture: Next goes on to the next one, No Stop lets
// the rest run through.
TEST_F(ProgramRunTest, ShowOnlyRunHoldsEachPictureUntilNoStop) {
  const CorpusCase c = FindCorpusCase("p05_ntsc_split3");
  ProgramWindows& windows = Start();
  ClickOnShow adjustmentOk(windows.Adjustment(), "BitBtn1");
  int held = 0;
  std::vector<uint32_t> unitsWhenHeld;
  OnShow progression(windows.Progression(), [&] {
    ++held;
    unitsWhenHeld.push_back(windows.Main().Session().Run().Reader().UnitsInRun());
    QTest::mouseClick(
        windows.Progression().findChild<QPushButton*>(held == 1 ? "ButtonNext" : "ButtonNoStop"),
        Qt::LeftButton);
  });
  StartJob(c, 3);
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(adjustmentOk.shown, 1);
  EXPECT_EQ(held, 2);
  EXPECT_EQ(unitsWhenHeld, (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(windows.Main().Session().Run().Reader().UnitsInRun(), 18u);
  EXPECT_FALSE(windows.Main().Controls().ImagePreview->Picture().isNull());
}

}  // namespace
}  // namespace capter::testing
