#include "windows/port_info_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <utility>

#include "platform/port_discovery.h"

namespace torvane {

namespace {

constexpr char kCaption[] = "Serial Ports";
constexpr QSize kStartSize{640, 440};

QString Escaped(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped();
}

QString Row(const QString& label, const QString& value) {
  return "<tr><td width=110>" + label + "</td><td>" + value + "</td></tr>";
}

QString UsbDevice(const UsbDeviceInfo& usb) {
  QString names = Escaped(usb.manufacturer);
  if (!usb.product.empty()) names += (names.isEmpty() ? "" : " ") + Escaped(usb.product);
  const QString ids = Escaped(usb.vendorId + ":" + usb.productId);
  return names.isEmpty() ? ids : names + " (" + ids + ")";
}

QString AccessText(const PortAccess& access) {
  if (!access.nodeFound) return "cannot be checked: " + Escaped(access.error);
  if (access.mayOpen) return "this user may open it";
  QString text = "<b>this user may not open it</b>";
  if (const std::string hint = access.Hint(); !hint.empty()) text += "<br>" + Escaped(hint);
  return text;
}

QString PortBlock(const PortInfo& port) {
  QString rows;
  if (port.onUsb) {
    QString byId = "none: the name may change when the adapter is plugged in again";
    if (!port.byIdPaths.empty()) {
      byId.clear();
      for (const std::string& path : port.byIdPaths) {
        byId += (byId.isEmpty() ? "" : "<br>") + Escaped(path);
      }
    }
    rows += Row("Stable name:", byId);
  }
  rows += Row("Driver:", port.driver.empty() ? QString("unknown") : Escaped(port.driver));
  if (port.onUsb) {
    rows += Row("USB device:", UsbDevice(port.usb));
    if (!port.usb.serialNumber.empty()) {
      rows += Row("Serial number:", Escaped(port.usb.serialNumber));
    }
  }
  rows += Row("Access:", AccessText(port.access));
  return "<h3>" + Escaped(port.devicePath) + "</h3><table>" + rows + "</table>";
}

}  // namespace

PortInfoDialog::PortInfoDialog(std::string root, UserIdentity user, QWidget* parent)
    : QDialog(parent), root_(std::move(root)), user_(std::move(user)) {
  setWindowTitle(kCaption);
  resize(kStartSize);
  auto* layout = new QVBoxLayout(this);
  auto* introduction = new QLabel(
      "The serial ports present on this system. Choose a port in \"Interface\" > "
      "\"Settings\"; a stable name stays the same when its USB adapter is plugged in again.",
      this);
  introduction->setWordWrap(true);
  layout->addWidget(introduction);
  view_ = new QTextBrowser(this);
  view_->setObjectName("ports");
  layout->addWidget(view_);
  auto* buttons = new QHBoxLayout;
  auto* refresh = new QPushButton("Refresh", this);
  refresh->setObjectName("refresh");
  auto* close = new QPushButton("Close", this);
  close->setObjectName("close");
  close->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(refresh);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(refresh, &QPushButton::clicked, this, &PortInfoDialog::Refresh);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  Refresh();
}

void PortInfoDialog::Refresh() {
  const std::vector<PortInfo> ports = DiscoverPorts(root_, user_);
  QString html;
  for (const PortInfo& port : ports) html += PortBlock(port);
  if (ports.empty()) html = "<p>No serial port was found on this system.</p>";
  view_->setHtml(html);
}

QString PortInfoDialog::shownText() const {
  return view_->toPlainText();
}

}  // namespace torvane
