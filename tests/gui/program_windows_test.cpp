// The window set of the program: every window exists from the start in the
// order language files address them, the main window's and the job
// dialog's commands reach the windows that answer them, and settings the
// configuration file held out of range are reported once.
#include <QAction>
#include <fstream>

#include "ocr/matrix_editor.h"
#include "tests/gui/program_fixture.h"
#include "text/subtitles_window.h"
#include "ui_job_dialog.h"
#include "ui_main_window.h"

namespace capter::testing {
namespace {

using ProgramWindowsTest = ProgramFixture;

TEST_F(ProgramWindowsTest, EveryWindowIsTranslatedInTheLanguageFileOrder) {
  const QList<QWidget*> windows = Start().TranslatedWindows();
  QStringList names;
  for (const QWidget* window : windows) names << window->objectName();
  EXPECT_EQ(names.join(' ').toStdString(),
            "Form1 Form2 Form3 Form4 Form5 Form6 Form9 Form10 Form11 Form12 Form13 Form14 Form17 "
            "Form18");
  // All but the main window are its children and end with it.
  for (const QObject* window : windows.mid(1)) {
    const QObject* owner = window->parent();
    while (owner != nullptr && owner != windows[0]) owner = owner->parent();
    EXPECT_EQ(owner, windows[0]) << window->objectName().toStdString();
  }
}

TEST_F(ProgramWindowsTest, OutOfRangeSettingsAreReportedOnceAfterStartUp) {
  std::ofstream(Folder() + "Capter.ini") << "[OCR SETTING]\nMinLineHeight=99\nSpaceWidth=x\n";
  ProgramWindows& windows = Start();
  QApplication::processEvents();
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Warning);
  EXPECT_NE(boxes_.asked[0].text.find("MinLineHeight"), std::string::npos);
  EXPECT_NE(boxes_.asked[0].text.find("SpaceWidth"), std::string::npos);
  EXPECT_EQ(windows.Main().Session().Ocr().MinLineHeight, 45);
  windows.Main().hide();
  windows.Main().show();
  QApplication::processEvents();
  EXPECT_EQ(boxes_.asked.size(), 1u);
}

// The text window follows the main window's tool button, and the matrix
// commands of both the menu and the job dialog act on the session's matrix,
// which may keep the program open at close.
TEST_F(ProgramWindowsTest, TextWindowAndMatrixCommandsReachTheirWindows) {
  ProgramWindows& windows = Start();
  TForm1& main = windows.Main();
  main.Controls().CoolButtonShowSubtitleText->click();
  EXPECT_TRUE(windows.Subtitles().isVisible());
  main.Controls().CoolButtonShowSubtitleText->click();
  EXPECT_FALSE(windows.Subtitles().isVisible());

  main.Controls().EditCharMatrix1->trigger();
  EXPECT_TRUE(windows.MatrixEditor().isVisible());

  CharacterMatrix& matrix = main.Session().Matrix();
  matrix.SetComment("changed");
  boxes_ = ScriptedMessageBoxes({Answer::Cancel});
  EXPECT_FALSE(main.close());  // the matrix question keeps the program open
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_TRUE(main.isVisible());

  // The job dialog's "New" discards after No and shows the new file's name.
  boxes_ = ScriptedMessageBoxes({Answer::No});
  windows.Job().Controls().EditCharMatrixFile->setText("old.sum");
  windows.Job().Controls().ButtonNewMatrix->click();
  EXPECT_FALSE(matrix.Modified());
  EXPECT_EQ(windows.Job().Controls().EditCharMatrixFile->text(), "New File");
}

}  // namespace
}  // namespace capter::testing
