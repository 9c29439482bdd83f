#pragma once

#include <QDialog>
#include <string>

#include "platform/port_access.h"

class QTextBrowser;

namespace torvane {

// The port information window of "Interface" > "Device Manager": every serial
// port present, which USB adapter it is, and whether this user may open it.
// It only shows; it changes nothing.
class PortInfoDialog : public QDialog {
 public:
  // `root` is "/" for this system; `user` is whose access is shown.
  PortInfoDialog(std::string root, UserIdentity user, QWidget* parent = nullptr);

  // Looks at the ports again.
  void Refresh();

  QString shownText() const;

 private:
  std::string root_;
  UserIdentity user_;
  QTextBrowser* view_;
};

}  // namespace torvane
