// A colour swatch: a framed panel filled with one colour that reports
// clicks. Panels keep their texts when a language file is applied.
#pragma once

#include <QFrame>
#include <QLabel>

#include "stream/picture.h"

namespace capter {

class ColourSwatch : public QFrame {
  Q_OBJECT

 public:
  explicit ColourSwatch(QWidget* parent = nullptr);

  Colour Value() const { return colour_; }
  void SetValue(Colour colour);

 signals:
  void Clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Colour colour_ = 0;
};

// A text panel: a framed label that is not a label for language files.
class TextPanel : public QFrame {
  Q_OBJECT

 public:
  explicit TextPanel(QWidget* parent = nullptr);
  void SetText(const QString& text);
  QString Text() const;

 private:
  QLabel* text_;
};

}  // namespace capter
