// The file dialogs of the subtitle text window: which file to save the text
// to and which own-format file to open. The desktop program asks with Qt's
// file dialogs; tests put chosen names in their place.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace capter {

struct FileDialogRequest {
  std::string filter;            // "Name|*.ext|..."
  std::string defaultExtension;  // without the dot; empty: none
  std::string folder;            // starting folder
  std::string proposedName;      // file name proposed by a save dialog
};

class TextFileDialogs {
 public:
  virtual ~TextFileDialogs() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
};

// Qt's modal file dialogs over `parent`. The save dialog does not ask about
// replacing a file: the text window asks that itself.
class QtTextFileDialogs : public TextFileDialogs {
 public:
  explicit QtTextFileDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
  std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace capter
