#include "app/up_down_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace capter {

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);  // owned by this widget
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addStretch();
  const auto arrow = [this, column](Qt::ArrowType type) {
    auto* button = new QToolButton(this);  // owned by this widget
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    column->addWidget(button);
    return button;
  };
  connect(arrow(Qt::UpArrow), &QToolButton::clicked, this, &UpDownArrows::Up);
  connect(arrow(Qt::DownArrow), &QToolButton::clicked, this, &UpDownArrows::Down);
  column->addStretch();
}

}  // namespace capter
