#include "controls/qt_file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace torvane {

std::optional<std::string> QtFileChooser::OpenFile(const FileDialogRequest& request) {
  return Run(request, false);
}

std::optional<std::string> QtFileChooser::SaveFile(const FileDialogRequest& request) {
  return Run(request, true);
}

std::optional<std::string> QtFileChooser::Run(const FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.filter.empty()) {
    dialog.setNameFilters({QString::fromStdString(request.filter), QStringLiteral("*")});
  }
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
  const QFileInfo start(QString::fromStdString(request.startFolder));
  if (start.isDir()) {
    dialog.setDirectory(start.absoluteFilePath());
  } else if (!request.startFolder.empty()) {
    dialog.setDirectory(start.absolutePath());
    dialog.selectFile(start.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace torvane
