#pragma once

#include <QDialog>

namespace torvane {

// The about box: the station's picture and an OK button.
class AboutDialog : public QDialog {
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace torvane
