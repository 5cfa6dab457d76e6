#include "app/common_dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>

#include "app/qt_colour.h"
#include "app/qt_text.h"
#include "base/file_filter.h"

namespace capter {
namespace {

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, ToQt(request.title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!request.filter.empty()) {
    dialog.setNameFilters(ToQt(QtFileFilter(request.filter)).split(";;"));
  }
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(ToQt(request.defaultExtension));
  if (!request.folder.empty()) dialog.setDirectory(PathToQt(request.folder));
  if (!request.proposedName.empty()) dialog.selectFile(PathToQt(request.proposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQt(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

CommonDialogs* replacement = nullptr;

}  // namespace

std::optional<std::string> QtCommonDialogs::SaveFileName(QWidget* parent,
                                                         const FileDialogRequest& request) {
  return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtCommonDialogs::OpenFileName(QWidget* parent,
                                                         const FileDialogRequest& request) {
  return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<Colour> QtCommonDialogs::ChooseColour(QWidget* parent, Colour initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

CommonDialogs& WindowDialogs() {
  static QtCommonDialogs dialogs;
  return replacement ? *replacement : dialogs;
}

void SetWindowDialogs(CommonDialogs* dialogs) {
  replacement = dialogs;
}

}  // namespace capter
