#include "app/numeric_edit.h"

#include <QKeyEvent>
#include <QTimer>

#include "app/qt_message_boxes.h"
#include "app/qt_text.h"

namespace capter {

NumericEdit::NumericEdit(NumericRange range, QWidget* parent)
    : QLineEdit("0", parent), range_(range) {
  setMaxLength(range.allowMinus ? 11 : 5);
}

int64_t NumericEdit::Value() const {
  return NumericValue(FromQt(text()), range_);
}

void NumericEdit::SetValue(int64_t value) {
  setText(QString::number(std::clamp(value, range_.min, range_.max)));
}

void NumericEdit::SetValMin(int64_t value) {
  SetNumericMin(range_, value, Value());
  BoundsChanged(false);
}

void NumericEdit::SetValMax(int64_t value) {
  SetNumericMax(range_, value, Value());
  BoundsChanged(true);
}

void NumericEdit::BoundsChanged(bool maxChanged) {
  setToolTip(ToQt(NumericHint(range_)));
  if (maxChanged || range_.allowMinus) setMaxLength(NumericMaxLength(range_));
}

bool NumericEdit::CheckValue() {
  const NumericCheck check = CheckNumericText(FromQt(text()), range_);
  if (check.ok) return true;
  if (errorMsg_) WindowBoxes().Ask(MessageKind::Warning, ButtonSet::Ok, check.message);
  SetValue(check.value);
  return false;
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.size() == 1 && typed[0].isPrint() && !NumericKeyAccepted(typed[0].unicode(), range_)) {
    return;  // discarded
  }
  QLineEdit::keyPressEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A window closing or a modal box taking the focus is no reason to check.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
    return;
  }
  if (!CheckValue()) QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

}  // namespace capter
