// The common dialogs every window uses (save and open a file, choose a
// colour) behind one interface, so tests can answer them. Save dialogs
// never ask about replacing a file: the commands that need that question
// ask it themselves, with the program's own text.
#pragma once

#include <optional>
#include <string>

#include "stream/picture.h"

class QWidget;

namespace capter {

struct FileDialogRequest {
  std::string title;             // cp1252; empty: the toolkit's default
  std::string filter;            // "Name|*.ext|All|*.*"
  std::string defaultExtension;  // without the dot; empty: none
  std::string folder;            // initial folder; empty: the current one
  std::string proposedName;      // the file name a save dialog proposes
};

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> SaveFileName(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> OpenFileName(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
  // The chosen colour, or nothing when the user cancelled.
  virtual std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) = 0;
};

// Qt's modal file and colour dialogs.
class QtCommonDialogs : public CommonDialogs {
 public:
  std::optional<std::string> SaveFileName(QWidget* parent,
                                          const FileDialogRequest& request) override;
  std::optional<std::string> OpenFileName(QWidget* parent,
                                          const FileDialogRequest& request) override;
  std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) override;
};

// The dialogs the windows use: Qt's unless replaced.
CommonDialogs& WindowDialogs();
// Replaces them (nullptr: back to Qt's). The caller keeps ownership.
void SetWindowDialogs(CommonDialogs* dialogs);

}  // namespace capter
