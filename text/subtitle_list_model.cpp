#include "text/subtitle_list_model.h"

#include "app/qt_text.h"

namespace capter {

SubtitleListModel::SubtitleListModel(const SubtitleTextModel& text, QObject* parent)
    : QAbstractListModel(parent), text_(text), rows_(static_cast<int>(text.Lines().size())) {}

int SubtitleListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QVariant SubtitleListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const auto row = static_cast<size_t>(index.row());
  if (row >= text_.Lines().size()) return {};
  return ToQt(text_.Lines()[row]);
}

void SubtitleListModel::ListCleared() {
  if (refreshing_) return;
  // The view sees nothing of the refresh until ListRefreshed.
  refreshing_ = true;
  beginResetModel();
}

void SubtitleListModel::ListRefreshed() {
  if (!refreshing_) return;
  rows_ = static_cast<int>(text_.Lines().size());
  refreshing_ = false;
  endResetModel();
}

void SubtitleListModel::LinesAppended(size_t first, size_t count) {
  if (refreshing_ || count == 0) return;
  // The text model has appended already; the rows are announced now.
  beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + count - 1));
  rows_ += static_cast<int>(count);
  endInsertRows();
}

void SubtitleListModel::LinesRemoved(size_t count) {
  if (refreshing_ || count == 0) return;
  const int n = static_cast<int>(count);
  beginRemoveRows(QModelIndex(), rows_ - n, rows_ - 1);
  rows_ -= n;
  endRemoveRows();
}

}  // namespace capter
