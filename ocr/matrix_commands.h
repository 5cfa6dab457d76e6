// The commands that create, open and save the current matrix, with their
// questions. File choosing goes through MatrixFileDialogs (the desktop
// program's open/save dialogs); what the windows show afterwards (the matrix
// editor, the job dialog's file field) is refreshed by the caller when a
// command returns true.
#pragma once

#include <optional>
#include <string>

#include "base/message_box.h"
#include "ocr/character_matrix.h"

namespace capter {

class MatrixFileDialogs {
 public:
  virtual ~MatrixFileDialogs() = default;
  // A "*.sum" file to open, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseMatrixToOpen() = 0;
  // A path to save to (default extension "sum"), or nothing.
  virtual std::optional<std::string> ChooseMatrixToSave() = 0;
};

// Saves to the matrix's file when it names an existing file, otherwise as
// SaveMatrixAs. An empty matrix is not saved (warning). True when written.
bool SaveMatrixCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs);

// Asks for a file name (and whether to replace an existing file) and saves.
bool SaveMatrixAsCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs);

// Whether the current matrix may be replaced: a modified matrix asks to be
// saved first. Cancel, or a save that did not happen, keeps it.
bool ConfirmDiscard(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs);

// ConfirmDiscard, then an empty matrix.
bool NewMatrixCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs);

// ConfirmDiscard, then the chosen file is loaded (all or nothing).
bool OpenMatrixCommand(CharacterMatrix& matrix, MessageBoxes& boxes, MatrixFileDialogs& dialogs);

// A path without its folder.
std::string FileNameOnly(const std::string& path);

}  // namespace capter
