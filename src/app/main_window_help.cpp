#include <QAbstractButton>
#include <QAction>
#include <QShortcut>

#include "app/main_window.h"
#include "res/station_strings.h"
#include "view/control_ids.h"

namespace torvane {

namespace {

struct ToolTip {
  int controlId;
  const char* text;
};

constexpr ToolTip kToolTips[] = {
    {ids::kOneButton, "Program the transponder on the antenna with the next carrier ID"},
    {ids::kContButton, "Program every transponder put on the antenna, until Cont Off"},
    {ids::kNextField, "The carrier ID written next; type one and press Enter to change it"},
    {ids::kMaxField, "The last carrier ID of the work order; type one and press Enter"},
    {ids::kNextSpin, "One carrier ID up or down"},
    {ids::kMaxSpin, "One up or down"},
    {ids::kConfigModeButton, "Config mode: production with the configuration set in use"},
    {ids::kManualModeButton, "Manual mode: read, write and lock pages by hand"},
    {ids::kHexButton, "Show the pages as hexadecimal bytes"},
    {ids::kAsciiButton, "Show the pages as characters"},
    {ids::kReadButton, "Read the selected pages from the transponder"},
    {ids::kWriteButton, "Write the selected pages to the transponder"},
    {ids::kLockButton, "Lock the selected pages: they can never be written again"},
    {ids::kDefaultContentButton, "Put the default content into every page field"},
    {ids::kReadCarrierIdButton, "Read the carrier ID from the transponder"},
    {ids::kWriteCarrierIdButton, "Write the carrier ID to the transponder"},
    {ids::kReadUidButton, "Read the transponder's unique ID"},
    {ids::kTiButton, "Transponders of the TI Multipage type"},
    {ids::kQuorviButton, "Transponders of the Quorvi Multipage type"},
    {ids::kLogCheck, "Record every manual operation in the log file"},
    {ids::kLogOpenButton, "Choose the log file of manual operations"},
    {ids::kTerminalSend, "Send the command line to the reader"},
};

constexpr const char* kHelpCaption = "Torvane help";
constexpr const char* kHelpText =
    "Keys\r\n"
    "F1\tthis help\r\n"
    "Alt+letter\tthe menus (Alt+F File, Alt+I Interface, Alt+C Config, Alt+T Terminal)\r\n"
    "Enter\tin \"next\" or \"max\": takes the typed value (so does leaving the field);\r\n"
    "\telsewhere: moves to \"One\"\r\n"
    "Space\tpresses the button that has the focus, such as \"One\"\r\n"
    "Escape\tends the station when no run is on (not while \"Exit\" is greyed)\r\n"
    "\r\n"
    "Production: put a transponder on the antenna and press \"One\", or \"Cont On\" to "
    "program each one put on the antenna. The panel at the right says READY, BUSY, PASS, "
    "FAIL, WAITING or DISCONNECTED; \"History\" lists this station's last results.\r\n"
    "\r\n"
    "More in README.md: in the Torvane source folder, or /usr/share/doc/torvane where the "
    "package is installed.";

}  // namespace

void MainWindow::ApplyHelp() {
  for (const ToolTip& tip : kToolTips) {
    if (QWidget* control = Control<QWidget>(tip.controlId)) control->setToolTip(tip.text);
  }
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { OnHelp(); });
}

void MainWindow::OnHelp() {
  ShowMessage(kHelpText, kHelpCaption, MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace torvane
