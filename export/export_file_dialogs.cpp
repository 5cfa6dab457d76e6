#include "export/export_file_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>

#include "app/qt_text.h"
#include "base/file_filter.h"

namespace capter {
namespace {

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, ToQt(request.title), ToQt(request.folder));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setNameFilter(ToQt(QtFileFilter(request.filter)));
  dialog.setDefaultSuffix(ToQt(request.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return FromQt(dialog.selectedFiles().front());
}

}  // namespace

std::optional<std::string> QtExportDialogs::SaveFileName(QWidget* parent,
                                                         const FileDialogRequest& request) {
  return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtExportDialogs::OpenFileName(QWidget* parent,
                                                         const FileDialogRequest& request) {
  return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<Colour> QtExportDialogs::ChooseColour(QWidget* parent, Colour initial) {
  const QColor chosen =
      QColorDialog::getColor(QColor(RedOf(initial), GreenOf(initial), BlueOf(initial)), parent);
  if (!chosen.isValid()) return std::nullopt;
  return MakeColour(static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
                    static_cast<uint8_t>(chosen.blue()));
}

}  // namespace capter
