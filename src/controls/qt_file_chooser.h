#pragma once

#include "view/file_chooser.h"

class QWidget;

namespace torvane {

// The file chooser of the station's windows: Qt's file dialogs.
class QtFileChooser : public FileChooser {
 public:
  explicit QtFileChooser(QWidget* parent) : parent_(parent) {}

  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

 private:
  std::optional<std::string> Run(const FileDialogRequest& request, bool save);

  QWidget* parent_;
};

}  // namespace torvane
