// Moves a window when the user drags one of its background panels or
// pictures with the left mouse button, as a caption bar would. A drag step
// moves the window by the mouse's offset from the press, but only while
// steps follow each other within two seconds; a click without movement is
// reported, so a caption-less window can close on it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>

class QWidget;

namespace capter {

class WindowDragger : public QObject {
  Q_OBJECT

 public:
  // Moves `window`; the dragger is a child of it.
  explicit WindowDragger(QWidget* window);

  // Dragging `handle` moves the window.
  void AddHandle(QWidget* handle);

 signals:
  void ClickedWithoutDrag();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  QPoint pressPosition_;
  QElapsedTimer lastStep_;
  bool moved_ = false;
};

}  // namespace capter
