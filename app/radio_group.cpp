#include "app/radio_group.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace capter {

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), buttons_(new QButtonGroup(this)), column_(new QVBoxLayout(this)) {
  connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit ItemIndexChanged(id);
  });
}

QStringList RadioGroup::Items() const {
  QStringList items;
  for (QAbstractButton* button : buttons_->buttons()) items << button->text();
  return items;
}

void RadioGroup::SetItems(const QStringList& items) {
  for (QAbstractButton* button : buttons_->buttons()) {
    buttons_->removeButton(button);
    delete button;  // a child of this group
  }
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);  // owned by the group box
    buttons_->addButton(button, i);
    column_->addWidget(button);
  }
}

int RadioGroup::Count() const {
  return static_cast<int>(buttons_->buttons().size());
}

void RadioGroup::SetItem(int index, const QString& caption) {
  if (QAbstractButton* button = buttons_->button(index)) button->setText(caption);
}

int RadioGroup::ItemIndex() const {
  return buttons_->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = buttons_->checkedButton()) {
    buttons_->setExclusive(false);
    checked->setChecked(false);
    buttons_->setExclusive(true);
    emit ItemIndexChanged(-1);
  }
}

}  // namespace capter
