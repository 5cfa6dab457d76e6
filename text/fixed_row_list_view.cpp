#include "text/fixed_row_list_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace capter {
namespace {

constexpr int kTextMargin = 3;

}  // namespace

FixedRowListView::FixedRowListView(QWidget* parent) : QAbstractItemView(parent) {
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
}

int FixedRowListView::Rows() const {
  return model() ? model()->rowCount(rootIndex()) : 0;
}

int FixedRowListView::RowHeight() const {
  return fontMetrics().height() + 1;
}

QRect FixedRowListView::visualRect(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  return QRect(-horizontalOffset(), index.row() * RowHeight() - verticalOffset(),
               std::max(viewport()->width() + horizontalOffset(), textWidth_), RowHeight());
}

void FixedRowListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid()) return;
  const int top = index.row() * RowHeight();
  const int height = viewport()->height();
  QScrollBar* bar = verticalScrollBar();
  switch (hint) {
    case PositionAtTop:
      bar->setValue(top);
      break;
    case PositionAtBottom:
      bar->setValue(top + RowHeight() - height);
      break;
    case PositionAtCenter:
      bar->setValue(top - (height - RowHeight()) / 2);
      break;
    case EnsureVisible:
      if (top < bar->value()) {
        bar->setValue(top);
      } else if (top + RowHeight() > bar->value() + height) {
        bar->setValue(top + RowHeight() - height);
      }
      break;
  }
}

QModelIndex FixedRowListView::indexAt(const QPoint& point) const {
  const int row = (point.y() + verticalOffset()) / RowHeight();
  if (point.y() + verticalOffset() < 0 || row >= Rows()) return {};
  return model()->index(row, 0, rootIndex());
}

void FixedRowListView::setModel(QAbstractItemModel* model) {
  if (this->model()) disconnect(this->model(), &QAbstractItemModel::rowsRemoved, this, nullptr);
  QAbstractItemView::setModel(model);
  if (model) {
    // Removed rows shorten the scroll range at once.
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { doItemsLayout(); });
  }
}

void FixedRowListView::doItemsLayout() {
  updateGeometries();
  viewport()->update();
}

void FixedRowListView::reset() {
  // Rows are measured as they are shown, never all at once.
  textWidth_ = 0;
  QAbstractItemView::reset();
  updateGeometries();
}

bool FixedRowListView::Widen(const QString& text) {
  const int width = fontMetrics().horizontalAdvance(text) + 2 * kTextMargin;
  if (width <= textWidth_) return false;
  textWidth_ = width;
  return true;
}

void FixedRowListView::rowsInserted(const QModelIndex& parent, int start, int end) {
  QAbstractItemView::rowsInserted(parent, start, end);
  if (parent != rootIndex()) return;
  for (int row = start; row <= end; ++row) {
    Widen(model()->index(row, 0, rootIndex()).data().toString());
  }
  updateGeometries();
  viewport()->update();
}

QModelIndex FixedRowListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const int rows = Rows();
  if (rows == 0) return {};
  const int page = std::max(1, viewport()->height() / RowHeight());
  const int current = currentIndex().isValid() ? currentIndex().row() : 0;
  int row = current;
  switch (action) {
    case MoveUp:
    case MovePrevious:
      row = current - 1;
      break;
    case MoveDown:
    case MoveNext:
      row = current + 1;
      break;
    case MovePageUp:
      row = current - page;
      break;
    case MovePageDown:
      row = current + page;
      break;
    case MoveHome:
      row = 0;
      break;
    case MoveEnd:
      row = rows - 1;
      break;
    default:
      break;
  }
  return model()->index(std::clamp(row, 0, rows - 1), 0, rootIndex());
}

int FixedRowListView::horizontalOffset() const {
  return horizontalScrollBar()->value();
}

int FixedRowListView::verticalOffset() const {
  return verticalScrollBar()->value();
}

bool FixedRowListView::isIndexHidden(const QModelIndex&) const {
  return false;
}

void FixedRowListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
  const int rows = Rows();
  if (rows == 0) return;
  const QRect r = rect.normalized();
  const int first = std::clamp((r.top() + verticalOffset()) / RowHeight(), 0, rows - 1);
  const int last = std::clamp((r.bottom() + verticalOffset()) / RowHeight(), 0, rows - 1);
  const QItemSelection selection(model()->index(first, 0, rootIndex()),
                                 model()->index(last, 0, rootIndex()));
  selectionModel()->select(selection, flags);
}

QRegion FixedRowListView::visualRegionForSelection(const QItemSelection& selection) const {
  QRegion region;
  for (const QItemSelectionRange& range : selection) {
    region += visualRect(range.topLeft()).united(visualRect(range.bottomRight()));
  }
  return region;
}

void FixedRowListView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int rows = Rows();
  const int height = RowHeight();
  const QRect area = event->rect();
  const int first = std::max(0, (area.top() + verticalOffset()) / height);
  const int last = std::min(rows - 1, (area.bottom() + verticalOffset()) / height);
  const QPalette& colours = palette();
  bool widened = false;
  for (int row = first; row <= last; ++row) {
    const QModelIndex index = model()->index(row, 0, rootIndex());
    const QString text = index.data().toString();
    widened = Widen(text) || widened;
    const QRect rect = visualRect(index);
    const bool selected = selectionModel() && selectionModel()->isSelected(index);
    if (selected) painter.fillRect(rect, colours.brush(QPalette::Highlight));
    painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(rect.adjusted(kTextMargin, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    if (index == currentIndex() && hasFocus()) {
      painter.setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
      painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
  }
  // A wider row than any before extends the horizontal scroll range.
  if (widened)
    QMetaObject::invokeMethod(
        this, [this] { updateGeometries(); }, Qt::QueuedConnection);
}

void FixedRowListView::updateGeometries() {
  const int height = viewport()->height();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setSingleStep(RowHeight());
  vertical->setPageStep(height);
  vertical->setRange(0, std::max(0, Rows() * RowHeight() - height));
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setSingleStep(fontMetrics().averageCharWidth());
  horizontal->setPageStep(viewport()->width());
  horizontal->setRange(0, std::max(0, textWidth_ - viewport()->width()));
  QAbstractItemView::updateGeometries();
}

}  // namespace capter
