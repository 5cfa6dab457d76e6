// The dialogs' whole-number fields: TWord_u (16-bit unsigned) and
// TInteger_u (32-bit signed). They take only digit keys, describe their
// range in their hint, and check their text when they lose the focus: a
// wrong value is reported with a warning, replaced by the nearest bound, and
// the focus goes back to the field. The rules are in numeric_value.h.
#pragma once

#include <QLineEdit>

#include "app/numeric_value.h"

namespace capter {

class NumericEdit : public QLineEdit {
  Q_OBJECT

 public:
  NumericEdit(NumericRange range, QWidget* parent);

  bool ErrorMsg() const { return errorMsg_; }
  void SetErrorMsg(bool on) { errorMsg_ = on; }
  // Reading the value parses the text (not a number: the minimum).
  int64_t Value() const;
  // The value is limited to the bounds and shown as text.
  void SetValue(int64_t value);
  int64_t ValMin() const { return range_.min; }
  int64_t ValMax() const { return range_.max; }
  void SetValMin(int64_t value);
  void SetValMax(int64_t value);

  // The focus-loss check; false when the text was corrected.
  bool CheckValue();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void BoundsChanged(bool maxChanged);

  NumericRange range_;
  bool errorMsg_ = true;
};

class TWord_u : public NumericEdit {
  Q_OBJECT

 public:
  explicit TWord_u(QWidget* parent = nullptr) : NumericEdit(kWordRange, parent) {}
};

class TInteger_u : public NumericEdit {
  Q_OBJECT

 public:
  explicit TInteger_u(QWidget* parent = nullptr) : NumericEdit(kIntegerRange, parent) {}
};

}  // namespace capter
