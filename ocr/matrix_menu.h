// The character matrix commands of the main menu and the job dialog: New,
// Open, Save, Save As and Edit/View, and the question a closing main window
// asks first. The rules are in matrix_commands.h; this class brings the
// file dialogs (starting in the remembered folders), refreshes the matrix
// editor and tells the job dialog which file name to show.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "ocr/character_matrix.h"
#include "ocr/matrix_commands.h"

class QWidget;

namespace capter {

class TForm5;

// The file dialogs the commands open; tests put scripted ones in their
// place.
class MatrixFilePicker {
 public:
  virtual ~MatrixFilePicker() = default;
  virtual std::optional<std::string> PickToOpen(const std::string& folder) = 0;
  virtual std::optional<std::string> PickToSave(const std::string& folder) = 0;
};

// Qt's open and save dialogs with the matrix titles, filter and default
// extension.
class QtMatrixFilePicker : public MatrixFilePicker {
 public:
  explicit QtMatrixFilePicker(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> PickToOpen(const std::string& folder) override;
  std::optional<std::string> PickToSave(const std::string& folder) override;

 private:
  QWidget* parent_;
};

class MatrixMenu : public QObject, private MatrixFileDialogs {
  Q_OBJECT

 public:
  // `openFolder` and `saveFolder` are where the two file dialogs start
  // (the configuration's remembered folders); both follow every chosen
  // file. `window` parents the file dialogs.
  MatrixMenu(CharacterMatrix& matrix, std::string& openFolder, std::string& saveFolder,
             QWidget* window = nullptr);
  ~MatrixMenu() override;

  void SetEditor(TForm5* editor) { editor_ = editor; }
  // nullptr: Qt's dialogs again. The caller keeps ownership.
  void SetPicker(MatrixFilePicker* picker);

  // Whether the main window may close: a modified matrix asks to be saved;
  // Cancel (or a save that did not happen) keeps the window open.
  bool ConfirmClose();

 public slots:
  void NewMatrixClick();
  void OpenMatrixClick();
  void SaveMatrixClick();
  void SaveMatrixAsClick();
  void EditViewMatrixClick();

 signals:
  // The job dialog's matrix file field: "New File" or the file name
  // without its folder.
  void MatrixFileShown(const QString& name);

 private:
  std::optional<std::string> ChooseMatrixToOpen() override;
  std::optional<std::string> ChooseMatrixToSave() override;
  void Follow(const std::string& chosen);
  void Saved();
  void Replaced();

  CharacterMatrix& matrix_;
  std::string& openFolder_;
  std::string& saveFolder_;
  QtMatrixFilePicker qtPicker_;
  MatrixFilePicker* picker_;
  TForm5* editor_ = nullptr;
};

}  // namespace capter
