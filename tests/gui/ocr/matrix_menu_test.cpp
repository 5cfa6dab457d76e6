// The matrix commands as the menu and the job dialog's buttons give them:
// questions, remembered folders, the editor refreshed and the file name the
// job dialog shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QSignalSpy>
#include <deque>
#include <filesystem>
#include <fstream>

#include "app/qt_message_boxes.h"
#include "ocr/matrix_editor.h"
#include "ocr/matrix_menu.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

namespace fs = std::filesystem;

class ScriptedPicker : public MatrixFilePicker {
 public:
  std::optional<std::string> PickToOpen(const std::string& folder) override {
    folders.push_back(folder);
    return Next();
  }
  std::optional<std::string> PickToSave(const std::string& folder) override {
    folders.push_back(folder);
    return Next();
  }
  std::deque<std::optional<std::string>> answers;
  std::vector<std::string> folders;

 private:
  std::optional<std::string> Next() {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

MatrixEntry Dot(const std::string& text) {
  MatrixEntry entry;
  entry.glyph.Width = entry.glyph.Height = 1;
  entry.glyph.SetPixel(0, 0, true);
  entry.text = text;
  return entry;
}

class MatrixMenuTest : public ::testing::Test {
 protected:
  MatrixMenuTest() : menu(matrix, openFolder, saveFolder), editor(matrix) {
    fs::remove_all(dir);
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    SetWindowBoxes(&boxes);
    menu.SetPicker(&picker);
    menu.SetEditor(&editor);
  }
  ~MatrixMenuTest() override {
    SetWindowBoxes(nullptr);
    fs::remove_all(dir);
  }
  std::string Path(const char* name) { return (dir / name).string(); }

  fs::path dir = fs::temp_directory_path() / ("capter_matrix_menu_" + std::to_string(::getpid()));
  std::string openFolder = "/start/open";
  std::string saveFolder = "/start/save";
  CharacterMatrix matrix;
  ScriptedMessageBoxes boxes;
  ScriptedPicker picker;
  MatrixMenu menu;
  TForm5 editor;
};

TEST_F(MatrixMenuTest, SavingAnEmptyMatrixWarnsWithoutAskingForAFile) {
  menu.SaveMatrixAsClick();
  menu.SaveMatrixClick();
  EXPECT_TRUE(picker.folders.empty());
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text, "The Character Matrix is Empty !");
  EXPECT_EQ(boxes.asked[0].kind, MessageKind::Warning);
}

TEST_F(MatrixMenuTest, SaveAsAsksBeforeReplacingAndBothDialogsFollowTheChosenFolder) {
  matrix.Add(Dot("."), boxes);
  QSignalSpy shown(&menu, &MatrixMenu::MatrixFileShown);
  const std::string target = Path("a/disc.sum");
  { std::ofstream(target) << "old"; }

  boxes = ScriptedMessageBoxes({Answer::No});
  picker.answers = {target};
  menu.SaveMatrixAsClick();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "File disc.sum already exists ! Replace ?");
  EXPECT_EQ(fs::file_size(target), 3u);  // No keeps the file
  EXPECT_TRUE(matrix.Modified());
  EXPECT_EQ(picker.folders, (std::vector<std::string>{"/start/save"}));
  EXPECT_EQ(openFolder, Path("a"));
  EXPECT_EQ(saveFolder, Path("a"));

  boxes = ScriptedMessageBoxes({Answer::Yes});
  picker.answers = {target};
  menu.SaveMatrixAsClick();
  EXPECT_EQ(fs::file_size(target), 280u + 277u);
  EXPECT_FALSE(matrix.Modified());
  ASSERT_EQ(shown.count(), 1);
  EXPECT_EQ(shown[0][0].toString(), "disc.sum");
  EXPECT_EQ(editor.windowTitle(), "View/Edit Character Matrix - disc.sum -");

  // Save writes to the existing file without asking for a name.
  matrix.Add(Dot(","), boxes);
  menu.SaveMatrixClick();
  EXPECT_EQ(picker.folders.size(), 2u);
  EXPECT_EQ(fs::file_size(target), 280u + 2 * 277u);
}

TEST_F(MatrixMenuTest, OpenAsksToSaveAModifiedMatrixAndCancelKeepsEverything) {
  matrix.Add(Dot("x"), boxes);
  boxes = ScriptedMessageBoxes({Answer::Cancel});
  menu.OpenMatrixClick();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].buttons, ButtonSet::YesNoCancel);
  EXPECT_EQ(boxes.asked[0].text, "Character Matrix  has been modified.\rDo you want to Save it ?");
  EXPECT_TRUE(picker.folders.empty());
  EXPECT_EQ(matrix.Count(), 1u);
}

TEST_F(MatrixMenuTest, OpenLoadsRefillsTheEditorAndShowsTheName) {
  CharacterMatrix stored;
  stored.Add(Dot("a"), boxes);
  stored.Add(Dot("b"), boxes);
  stored.SetFileName(Path("b/stored.sum"));
  ASSERT_TRUE(stored.Save(boxes));

  QSignalSpy shown(&menu, &MatrixMenu::MatrixFileShown);
  picker.answers = {Path("b/stored.sum")};
  menu.OpenMatrixClick();  // not modified: no question
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(matrix.Count(), 2u);
  EXPECT_EQ(editor.Order().size(), 2u);
  ASSERT_EQ(shown.count(), 1);
  EXPECT_EQ(shown[0][0].toString(), "stored.sum");
  EXPECT_EQ(picker.folders, (std::vector<std::string>{"/start/open"}));
  EXPECT_EQ(saveFolder, Path("b"));
}

TEST_F(MatrixMenuTest, NewAfterNoDiscardsAndShowsNewFile) {
  matrix.Add(Dot("x"), boxes);
  editor.Refill();
  QSignalSpy shown(&menu, &MatrixMenu::MatrixFileShown);
  boxes = ScriptedMessageBoxes({Answer::No});
  menu.NewMatrixClick();
  EXPECT_EQ(matrix.Count(), 0u);
  EXPECT_TRUE(editor.Order().empty());
  ASSERT_EQ(shown.count(), 1);
  EXPECT_EQ(shown[0][0].toString(), "New File");
}

TEST_F(MatrixMenuTest, ClosingKeepsTheWindowWhenTheSaveDoesNotHappen) {
  EXPECT_TRUE(menu.ConfirmClose());  // unmodified: no question
  matrix.Add(Dot("x"), boxes);
  boxes = ScriptedMessageBoxes({Answer::Cancel, Answer::Yes, Answer::No});
  EXPECT_FALSE(menu.ConfirmClose());
  picker.answers = {std::nullopt};  // Yes, then the save dialog is cancelled
  EXPECT_FALSE(menu.ConfirmClose());
  EXPECT_TRUE(menu.ConfirmClose());  // No
}

}  // namespace
}  // namespace capter::testing
