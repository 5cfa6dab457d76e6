#include "app/window_dragger.h"

#include <QMouseEvent>
#include <QWidget>

namespace capter {
namespace {

constexpr qint64 kDragStepLimitMs = 2000;

}  // namespace

WindowDragger::WindowDragger(QWidget* window) : QObject(window), window_(window) {}

void WindowDragger::AddHandle(QWidget* handle) {
  handle->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
  auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (mouse == nullptr) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() != Qt::LeftButton) break;
      pressPosition_ = mouse->position().toPoint();
      lastStep_.start();
      moved_ = false;
      return true;
    case QEvent::MouseMove:
      if (!(mouse->buttons() & Qt::LeftButton) || !lastStep_.isValid()) break;
      if (lastStep_.elapsed() < kDragStepLimitMs) {
        const QPoint offset = mouse->position().toPoint() - pressPosition_;
        if (!offset.isNull()) {
          window_->move(window_->pos() + offset);
          moved_ = true;
        }
      }
      lastStep_.start();
      return true;
    case QEvent::MouseButtonRelease:
      if (mouse->button() != Qt::LeftButton || !lastStep_.isValid()) break;
      lastStep_.invalidate();
      if (!moved_) emit ClickedWithoutDrag();
      return true;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace capter
