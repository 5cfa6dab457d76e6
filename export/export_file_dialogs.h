// The common dialogs of the export windows (save and open a file, choose a
// colour) behind one interface, so that tests can answer them.
#pragma once

#include <optional>
#include <string>

#include "stream/picture.h"

class QWidget;

namespace capter {

struct FileDialogRequest {
  std::string title;             // cp1252
  std::string filter;            // "Name|*.ext|All|*.*"
  std::string defaultExtension;  // "bmp", without the dot
  std::string folder;            // initial folder; empty: the current one
};

class ExportDialogs {
 public:
  virtual ~ExportDialogs() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> SaveFileName(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> OpenFileName(QWidget* parent,
                                                  const FileDialogRequest& request) = 0;
  // The chosen colour, or nothing when the user cancelled.
  virtual std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) = 0;
};

// Qt's file and colour dialogs.
class QtExportDialogs : public ExportDialogs {
 public:
  std::optional<std::string> SaveFileName(QWidget* parent,
                                          const FileDialogRequest& request) override;
  std::optional<std::string> OpenFileName(QWidget* parent,
                                          const FileDialogRequest& request) override;
  std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) override;
};

}  // namespace capter
