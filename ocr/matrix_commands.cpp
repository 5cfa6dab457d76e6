#include "ocr/matrix_commands.h"

#include <filesystem>
#include <system_error>

#include "base/message_ids.h"
#include "base/message_table.h"

namespace capter {

namespace {

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool RefuseEmpty(const CharacterMatrix& matrix, MessageBoxes& boxes) {
  if (!matrix.Empty()) return false;
  boxes.Ask(MessageKind::Warning, ButtonSet::Ok, Messages().GetMessage(kMsgMatrixEmpty));
  return true;
}

}  // namespace

std::string FileNameOnly(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

bool SaveMatrixAsCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs) {
  if (RefuseEmpty(matrix, boxes)) return false;
  const std::optional<std::string> path = dialogs.ChooseMatrixToSave();
  if (!path || path->empty()) return false;
  if (IsExistingFile(*path)) {
    const MessageTable& m = Messages();
    const std::string question = m.GetMessage(kMsgMatrixFilePrefix) + FileNameOnly(*path) +
                                 m.GetMessage(kMsgMatrixAlreadyExists);
    if (boxes.Ask(MessageKind::Warning, ButtonSet::YesNo, question) != Answer::Yes) return false;
  }
  // The file name changes only once the write has worked, so a failed save
  // leaves the matrix pointing at the file it came from.
  const std::string previous = matrix.FileName();
  matrix.SetFileName(*path);
  if (matrix.Save(boxes)) return true;
  matrix.SetFileName(previous);
  return false;
}

bool SaveMatrixCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs) {
  if (RefuseEmpty(matrix, boxes)) return false;
  if (IsExistingFile(matrix.FileName())) return matrix.Save(boxes);
  return SaveMatrixAsCommand(matrix, boxes, dialogs);
}

bool ConfirmDiscard(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs) {
  if (!matrix.Modified()) return true;
  const MessageTable& m = Messages();
  const std::string question =
      TwoLines(m.GetMessage(kMsgCharacterMatrix) + FileNameOnly(matrix.FileName()) +
                   m.GetMessage(kMsgHasBeenModified),
               m.GetMessage(kMsgSaveIt));
  switch (boxes.Ask(MessageKind::Warning, ButtonSet::YesNoCancel, question)) {
    case Answer::Yes:
      // An empty matrix holds nothing to lose (and is never saved), so it
      // may go. Otherwise discarding after a save that did not happen would
      // lose the training; the matrix is kept instead.
      if (matrix.Empty()) return true;
      return SaveMatrixCommand(matrix, boxes, dialogs);
    case Answer::No:
      return true;
    default:
      return false;
  }
}

bool NewMatrixCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs) {
  if (!ConfirmDiscard(matrix, boxes, dialogs)) return false;
  matrix.New();
  return true;
}

bool OpenMatrixCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs) {
  if (!ConfirmDiscard(matrix, boxes, dialogs)) return false;
  const std::optional<std::string> path = dialogs.ChooseMatrixToOpen();
  if (!path) return false;
  return matrix.Load(*path, boxes);
}

}  // namespace capter
