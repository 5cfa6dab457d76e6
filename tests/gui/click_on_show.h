// A person who answers a modal window the same way every time it appears:
// once the window is shown, its button `buttonName` is clicked (from the
// window's own event loop).
#pragma once

#include <QEvent>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace capter::testing {

class ClickOnShow : public QObject {
 public:
  ClickOnShow(QWidget& window, QString buttonName)
      : window_(window), buttonName_(std::move(buttonName)) {
    window_.installEventFilter(this);
  }
  ~ClickOnShow() override { window_.removeEventFilter(this); }

  int shown = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      ++shown;
      if (auto* button = window_.findChild<QPushButton*>(buttonName_)) {
        QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
  QString buttonName_;
};

}  // namespace capter::testing
