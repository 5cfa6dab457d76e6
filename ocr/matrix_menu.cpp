#include "ocr/matrix_menu.h"

#include <filesystem>

#include "app/common_dialogs.h"
#include "app/qt_message_boxes.h"
#include "app/qt_text.h"
#include "ocr/matrix_editor.h"

namespace capter {

namespace {

constexpr const char* kMatrixFilter = "Capter Charater Matrix (*.sum)|*.sum";
constexpr const char* kNewFile = "New File";

}  // namespace

std::optional<std::string> QtMatrixFilePicker::PickToOpen(const std::string& folder) {
  return WindowDialogs().OpenFileName(parent_,
                                      {.title = "Open a previously created Character Matrix File",
                                       .filter = kMatrixFilter,
                                       .defaultExtension = {},
                                       .folder = folder,
                                       .proposedName = {}});
}

// The command asks itself before replacing a file.
std::optional<std::string> QtMatrixFilePicker::PickToSave(const std::string& folder) {
  return WindowDialogs().SaveFileName(parent_, {.title = "Save current Character Matrix File",
                                                .filter = kMatrixFilter,
                                                .defaultExtension = "sum",
                                                .folder = folder,
                                                .proposedName = {}});
}

MatrixMenu::MatrixMenu(CharacterMatrix& matrix, std::string& openFolder, std::string& saveFolder,
                       QWidget* window)
    : QObject(window),
      matrix_(matrix),
      openFolder_(openFolder),
      saveFolder_(saveFolder),
      qtPicker_(window),
      picker_(&qtPicker_) {}

MatrixMenu::~MatrixMenu() = default;

void MatrixMenu::SetPicker(MatrixFilePicker* picker) {
  picker_ = picker != nullptr ? picker : &qtPicker_;
}

void MatrixMenu::Follow(const std::string& chosen) {
  const std::string folder = std::filesystem::path(chosen).parent_path().string();
  openFolder_ = folder;
  saveFolder_ = folder;
}

std::optional<std::string> MatrixMenu::ChooseMatrixToOpen() {
  std::optional<std::string> path = picker_->PickToOpen(openFolder_);
  if (path) Follow(*path);
  return path;
}

std::optional<std::string> MatrixMenu::ChooseMatrixToSave() {
  std::optional<std::string> path = picker_->PickToSave(saveFolder_);
  if (path) Follow(*path);
  return path;
}

bool MatrixMenu::ConfirmClose() {
  return ConfirmDiscard(matrix_, WindowBoxes(), *this);
}

void MatrixMenu::NewMatrixClick() {
  if (!NewMatrixCommand(matrix_, WindowBoxes(), *this)) return;
  if (editor_ != nullptr) editor_->Refill();
  emit MatrixFileShown(kNewFile);
}

void MatrixMenu::OpenMatrixClick() {
  if (!OpenMatrixCommand(matrix_, WindowBoxes(), *this)) return;
  Replaced();
}

void MatrixMenu::SaveMatrixClick() {
  if (SaveMatrixCommand(matrix_, WindowBoxes(), *this)) Saved();
}

void MatrixMenu::SaveMatrixAsClick() {
  if (SaveMatrixAsCommand(matrix_, WindowBoxes(), *this)) Saved();
}

void MatrixMenu::EditViewMatrixClick() {
  if (editor_ == nullptr) return;
  editor_->show();
  editor_->raise();
  editor_->activateWindow();
}

void MatrixMenu::Saved() {
  if (editor_ != nullptr) editor_->CatchUp();  // the title follows a new name
  if (!matrix_.FileName().empty()) emit MatrixFileShown(ToQt(FileNameOnly(matrix_.FileName())));
}

void MatrixMenu::Replaced() {
  if (editor_ != nullptr) editor_->Refill();
  emit MatrixFileShown(ToQt(FileNameOnly(matrix_.FileName())));
}

}  // namespace capter
