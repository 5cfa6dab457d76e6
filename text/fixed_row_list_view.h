// A one-column list view whose rows all have the height of one line of its
// font. Every row's place follows from its number, so appending rows costs
// the same however long the list already is: the view neither measures nor
// lays out the rows it does not show. Selection, keys and scrolling are
// those of any item view.
#pragma once

#include <QAbstractItemView>

namespace capter {

class FixedRowListView : public QAbstractItemView {
  Q_OBJECT

 public:
  explicit FixedRowListView(QWidget* parent = nullptr);

  QRect visualRect(const QModelIndex& index) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& point) const override;
  void setModel(QAbstractItemModel* model) override;
  void doItemsLayout() override;
  void reset() override;

  int RowHeight() const;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex& index) const override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  void paintEvent(QPaintEvent* event) override;
  void updateGeometries() override;
  void rowsInserted(const QModelIndex& parent, int start, int end) override;

 private:
  int Rows() const;
  // Widens the text area to take `text`; true when it grew.
  bool Widen(const QString& text);

  int textWidth_ = 0;  // widest row shown or appended since the last reset
};

}  // namespace capter
