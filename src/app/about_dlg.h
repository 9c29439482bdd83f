#pragma once

#include <QDialog>

namespace torvane {

// The about box: the station's picture and an OK button.
class CAboutDlg : public QDialog {
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace torvane
