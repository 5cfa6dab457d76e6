// Drives the export windows inside a real run: answers each modal showing
// of a window from the event loop the window runs, records what the preview
// was asked to show, and answers the file and colour dialogs from a script.
#pragma once

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/common_dialogs.h"
#include "app/run_dispatch.h"

namespace capter::testing {

// Calls `action(showing)` (1-based) shortly after each showing of `window`,
// from inside the window's own modal loop.
class OnEveryShow : public QObject {
 public:
  OnEveryShow(QWidget& window, std::function<void(int)> action)
      : window_(window), action_(std::move(action)) {
    window_.installEventFilter(this);
  }
  ~OnEveryShow() override { window_.removeEventFilter(this); }
  int Count() const { return count_; }
  // What later showings do.
  void SetAction(std::function<void(int)> action) { action_ = std::move(action); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      const int showing = ++count_;
      QTimer::singleShot(0, this, [this, showing] { action_(showing); });
    }
    return false;
  }

 private:
  QWidget& window_;
  std::function<void(int)> action_;
  int count_ = 0;
};

class RecordingPreview : public PicturePreview {
 public:
  void ShowPicture(const Picture24&, const Rect& area) override {
    ++shown;
    lastArea = area;
  }
  void ShowPicture(const PalettedPicture& picture, const Rect& area) override {
    ++shown;
    last = picture;
    lastArea = area;
  }
  int shown = 0;
  PalettedPicture last;
  Rect lastArea;
};

class ScriptedExportDialogs : public CommonDialogs {
 public:
  std::optional<std::string> SaveFileName(QWidget*, const FileDialogRequest& request) override {
    return Next(request);
  }
  std::optional<std::string> OpenFileName(QWidget*, const FileDialogRequest& request) override {
    return Next(request);
  }
  std::optional<Colour> ChooseColour(QWidget*, Colour) override {
    if (colours.empty()) return std::nullopt;
    const Colour c = colours.front();
    colours.pop_front();
    return c;
  }

  std::deque<std::optional<std::string>> paths;  // nothing: cancelled
  std::deque<Colour> colours;
  std::vector<FileDialogRequest> asked;

 private:
  std::optional<std::string> Next(const FileDialogRequest& request) {
    asked.push_back(request);
    if (paths.empty()) return std::nullopt;
    std::optional<std::string> path = paths.front();
    paths.pop_front();
    return path;
  }
};

}  // namespace capter::testing
