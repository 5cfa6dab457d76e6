// TForm5, "View/Edit Character Matrix": lists the entries of the current
// matrix, shows the selected glyph at twice its size with its measures and
// text, changes an entry's text, deletes entries and edits the matrix
// comment. Not modal; it shows the matrix it is given and is kept up to
// date by Refill (a new, opened or found matrix) and AddLine (a taught
// character).
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "ocr/character_matrix.h"
#include "ocr/matrix_list.h"

namespace Ui {
class Form5;
}

namespace capter {

class TForm5 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm5(CharacterMatrix& matrix, QWidget* parent = nullptr);
  ~TForm5() override;

  // The window it opens beside (nullptr: where the window system puts it).
  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

  // Entry numbers in the list's order, and the selected one (0: none).
  const std::vector<size_t>& Order() const { return order_; }
  size_t SelectedEntry() const;

 public slots:
  // Lists every entry again, selects the first line, shows the comment and
  // sets the title.
  void Refill();
  // Lists entry `number`, selects it and shows it.
  void AddLine(size_t number);
  // Lists the entries added since the list was filled (a matrix that
  // shrank or was replaced is listed anew).
  void CatchUp();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ListBoxCharactersClick();
  void RadioGroupSortClick(int index);
  void ButtonModifyClick();
  void ButtonDeleteClick();
  void EditTextChange(const QString& text);
  void MemoDescriptionChange();
  void Select(size_t position);
  void SelectEntry(size_t number);
  void ShowSelected();
  void FillList();

  std::unique_ptr<Ui::Form5> ui_;
  CharacterMatrix& matrix_;
  QWidget* mainWindow_ = nullptr;
  std::vector<size_t> order_;
  std::string listedFile_;
};

}  // namespace capter
