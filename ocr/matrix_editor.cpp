#include "ocr/matrix_editor.h"

#include <QKeyEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>

#include "app/qt_message_boxes.h"
#include "app/qt_text.h"
#include "ui_matrix_editor.h"

namespace capter {

namespace {
constexpr int kNumberRole = Qt::UserRole;
}  // namespace

TForm5::TForm5(CharacterMatrix& matrix, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::Form5>()),
      matrix_(matrix) {
  ui_->setupUi(this);
  ui_->RadioGroupSort->SetItemIndex(0);
  ui_->ListBoxCharacters->installEventFilter(this);
  connect(ui_->ListBoxCharacters, &QListWidget::currentRowChanged, this,
          &TForm5::ListBoxCharactersClick);
  connect(ui_->RadioGroupSort, &RadioGroup::ItemIndexChanged, this, &TForm5::RadioGroupSortClick);
  connect(ui_->ButtonModify, &QPushButton::clicked, this, &TForm5::ButtonModifyClick);
  connect(ui_->ButtonDelete, &QPushButton::clicked, this, &TForm5::ButtonDeleteClick);
  connect(ui_->ButtonOK, &QPushButton::clicked, this, &QDialog::close);
  connect(ui_->EditText, &QLineEdit::textChanged, this, &TForm5::EditTextChange);
  connect(ui_->MemoDescription, &QPlainTextEdit::textChanged, this, &TForm5::MemoDescriptionChange);
  Refill();
}

TForm5::~TForm5() = default;

size_t TForm5::SelectedEntry() const {
  const int row = ui_->ListBoxCharacters->currentRow();
  return row < 0 ? 0 : order_[static_cast<size_t>(row)];
}

void TForm5::FillList() {
  const auto order = static_cast<MatrixOrder>(std::max(0, ui_->RadioGroupSort->ItemIndex()));
  order_ = MatrixListOrder(matrix_, order);
  const QSignalBlocker quiet(ui_->ListBoxCharacters);
  ui_->ListBoxCharacters->clear();
  for (size_t number : order_) {
    auto* item = new QListWidgetItem(ToQt(MatrixListLine(matrix_.Entry(number).text, number)));
    item->setData(kNumberRole, static_cast<qulonglong>(number));
    ui_->ListBoxCharacters->addItem(item);  // owned by the list
  }
  listedFile_ = matrix_.FileName();
}

void TForm5::Refill() {
  FillList();
  Select(0);
  {
    const QSignalBlocker quiet(ui_->MemoDescription);
    ui_->MemoDescription->setPlainText(ToQt(matrix_.Comment()));
  }
  setWindowTitle(ToQt(MatrixEditorTitle(matrix_.FileName())));
}

void TForm5::AddLine(size_t number) {
  if (number == 0 || number > matrix_.Count()) return;
  if (ui_->RadioGroupSort->ItemIndex() == static_cast<int>(MatrixOrder::Index)) {
    order_.push_back(number);
    auto* item = new QListWidgetItem(ToQt(MatrixListLine(matrix_.Entry(number).text, number)));
    item->setData(kNumberRole, static_cast<qulonglong>(number));
    ui_->ListBoxCharacters->addItem(item);  // owned by the list
  } else {
    FillList();  // a sorted list takes the line at its place
  }
  SelectEntry(number);
}

void TForm5::SelectEntry(size_t number) {
  const auto at = std::find(order_.begin(), order_.end(), number);
  if (at != order_.end()) Select(static_cast<size_t>(at - order_.begin()));
}

void TForm5::CatchUp() {
  if (matrix_.Count() < order_.size() || matrix_.FileName() != listedFile_) {
    Refill();
    return;
  }
  if (matrix_.Count() == order_.size()) return;
  if (ui_->RadioGroupSort->ItemIndex() == static_cast<int>(MatrixOrder::Index)) {
    const size_t listed = order_.size();
    for (size_t number = listed + 1; number <= matrix_.Count(); ++number) AddLine(number);
  } else {
    AddLine(matrix_.Count());  // the sorted list is filled anew with every new entry
  }
}

void TForm5::Select(size_t position) {
  if (position >= order_.size()) {
    ShowSelected();
    return;
  }
  ui_->ListBoxCharacters->setCurrentRow(static_cast<int>(position));
  ShowSelected();
}

void TForm5::ShowSelected() {
  const size_t number = SelectedEntry();
  if (number == 0 || number > matrix_.Count()) return;
  const MatrixEntry& entry = matrix_.Entry(number);
  Picture24 twice;
  DrawGlyphTwice(entry.glyph, twice);
  const QImage image(twice.Bits(), twice.Width(), twice.Height(), twice.Stride(),
                     QImage::Format_BGR888);
  ui_->ImageGlyph->setPixmap(QPixmap::fromImage(image.copy()));
  ui_->LabelIndexValue->setText(QString::number(number));
  ui_->LabelTopValue->setText(QString::number(entry.glyph.TopOffset));
  ui_->LabelWidthValue->setText(QString::number(entry.glyph.Width));
  ui_->LabelHeightValue->setText(QString::number(entry.glyph.Height));
  ui_->EditText->setText(ToQt(entry.text));
}

void TForm5::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (mainWindow_ != nullptr) {
    // Beside the main window, but kept whole on its screen: on a narrow
    // screen it covers the main window's right edge instead.
    QPoint place = mainWindow_->frameGeometry().topRight() + QPoint(1, 0);
    if (const QScreen* screen = mainWindow_->screen()) {
      const QRect room = screen->availableGeometry();
      const int rightmost = room.right() + 1 - frameGeometry().width();
      place.setX(std::max(room.left(), std::min(place.x(), rightmost)));
    }
    move(place);
  }
  CatchUp();
  ui_->ListBoxCharacters->setFocus(Qt::OtherFocusReason);
  ShowSelected();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ui_->ListBoxCharacters || event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Delete) {
    ButtonDeleteClick();
    return true;
  }
  const std::string typed = FromQt(key->text());
  if (typed.size() == 1 && static_cast<unsigned char>(typed[0]) >= 0x20 &&
      (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
    // A typed character selects by the entry's text, not by the line's
    // opening quote; one that begins no text leaves the selection alone.
    if (const auto position = FirstLineStartingWith(matrix_, order_, typed[0])) Select(*position);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm5::ListBoxCharactersClick() {
  ShowSelected();
}

void TForm5::RadioGroupSortClick(int index) {
  if (index < 0) return;
  FillList();
  Select(0);
}

void TForm5::ButtonModifyClick() {
  const size_t number = SelectedEntry();
  if (number == 0) return;
  std::string text = FromQt(ui_->EditText->text());
  if (text.size() > CharacterMatrix::kMaxEntryText) text.resize(CharacterMatrix::kMaxEntryText);
  matrix_.SetText(number, text);
  Refill();
  SelectEntry(number);
  ui_->ListBoxCharacters->setFocus(Qt::OtherFocusReason);
}

void TForm5::ButtonDeleteClick() {
  const size_t number = SelectedEntry();
  if (number == 0 || order_.empty()) return;
  const std::string question = DeleteCharacterQuestion(matrix_.Entry(number).text);
  if (WindowBoxes().Ask(MessageKind::Confirmation, ButtonSet::YesNo, question) != Answer::Yes) {
    return;
  }
  const auto position = static_cast<size_t>(ui_->ListBoxCharacters->currentRow());
  matrix_.Delete(number);
  Refill();
  if (const auto next = PositionAfterDelete(position, order_.size())) Select(*next);
}

void TForm5::EditTextChange(const QString& text) {
  ui_->LabelNbChar->setText("Nb Char : " + QString::number(text.size()));
}

void TForm5::MemoDescriptionChange() {
  std::string comment = FromQt(ui_->MemoDescription->toPlainText());
  if (comment.size() > CharacterMatrix::kMaxComment) {
    comment.resize(CharacterMatrix::kMaxComment);
    const QSignalBlocker quiet(ui_->MemoDescription);
    ui_->MemoDescription->setPlainText(ToQt(comment));
    ui_->MemoDescription->moveCursor(QTextCursor::End);
  }
  matrix_.SetComment(comment);
}

}  // namespace capter
