// A radio group: a framed caption over a column of radio buttons built from
// its items, with the index of the checked one (-1: none). Language files
// address its caption and its items by index.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QVBoxLayout;

namespace capter {

class RadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(QStringList items READ Items WRITE SetItems)
  Q_PROPERTY(int itemIndex READ ItemIndex WRITE SetItemIndex NOTIFY ItemIndexChanged)

 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  QStringList Items() const;
  void SetItems(const QStringList& items);
  // The setter name Designer forms call for the items property.
  void setItems(const QStringList& items) { SetItems(items); }
  int Count() const;
  // Replaces the caption of item `index` (nothing for an index not there).
  void SetItem(int index, const QString& caption);
  int ItemIndex() const;
  void SetItemIndex(int index);

 signals:
  void ItemIndexChanged(int index);

 private:
  QButtonGroup* buttons_;
  QVBoxLayout* column_;
};

}  // namespace capter
