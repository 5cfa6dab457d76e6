#include "app/colour_swatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace capter {

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  setMinimumSize(24, 18);
  setCursor(Qt::PointingHandCursor);
  SetValue(0);
}

void ColourSwatch::SetValue(Colour colour) {
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  setPalette(p);
}

void ColourSwatch::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Clicked();
  QFrame::mousePressEvent(event);
}

TextPanel::TextPanel(QWidget* parent) : QFrame(parent), text_(new QLabel(this)) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  auto* layout = new QHBoxLayout(this);  // owned by the panel
  layout->setContentsMargins(4, 1, 4, 1);
  text_->setAlignment(Qt::AlignCenter);
  layout->addWidget(text_);
}

void TextPanel::SetText(const QString& text) {
  text_->setText(text);
}

QString TextPanel::Text() const {
  return text_->text();
}

}  // namespace capter
