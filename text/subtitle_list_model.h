// The text window's list as a Qt list model over the lines of the subtitle
// text model. Appending a subtitle during a run inserts only its own rows, so
// the view lays out nothing else; a refresh of the whole table is shown with
// one reset of the view once every line is rendered.
#pragma once

#include <QAbstractListModel>

#include "text/subtitle_text_model.h"

namespace capter {

class SubtitleListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  SubtitleListModel(const SubtitleTextModel& text, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The list changes the text model reports (see TextWindowListener).
  void ListCleared();
  void ListRefreshed();
  void LinesAppended(size_t first, size_t count);
  void LinesRemoved(size_t count);

  // True between the start and the end of a refresh.
  bool Refreshing() const { return refreshing_; }

 private:
  const SubtitleTextModel& text_;
  int rows_ = 0;  // the rows the view knows of
  bool refreshing_ = false;
};

}  // namespace capter
