#include "text/text_file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "app/qt_text.h"
#include "base/file_filter.h"

namespace capter {
namespace {

// Paths are bytes of the file system's encoding; texts are Windows-1252.
QString PathToQt(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathFromQt(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

std::optional<std::string> Run(QWidget* parent, const FileDialogRequest& request,
                               QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setNameFilters(ToQt(QtFileFilter(request.filter)).split(";;"));
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(ToQt(request.defaultExtension));
  if (!request.folder.empty()) dialog.setDirectory(PathToQt(request.folder));
  if (!request.proposedName.empty()) dialog.selectFile(PathToQt(request.proposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQt(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

}  // namespace

std::optional<std::string> QtTextFileDialogs::SaveFileName(const FileDialogRequest& request) {
  return Run(parent_, request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtTextFileDialogs::OpenFileName(const FileDialogRequest& request) {
  return Run(parent_, request, QFileDialog::AcceptOpen);
}

}  // namespace capter
