#include "windows/configuration_dialog.h"

#include <QComboBox>
#include <utility>

#include "config/file_name_display.h"
#include "config/flag_boxes.h"
#include "controls/window_messages.h"
#include "res/config_dialog_template.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"
#include "windows/field_exchange.h"
#include "windows/pages_dialog.h"

namespace torvane {

namespace {

namespace dlg = ids::configuration_dialog;

constexpr int kLayoutFieldNumber = 22;
constexpr int kByteFieldNumber = 23;
constexpr int kWorkOrderFieldNumber = 25;

}  // namespace

ConfigurationDialog::ConfigurationDialog(ConfigDialogState state, QWidget* parent)
    : DialogViewWindow(dlg::kTemplate, ConfigDialogTemplate(), parent),
      state_(std::move(state)),
      editor_(*this, *this, state_),
      qtChooser_(this),
      chooser_(&qtChooser_) {
  setWindowTitle(QStringLiteral("Config"));
  // The two lists offer their entries only.
  Control<QComboBox>(dlg::kCounterPage)->setEditable(false);
  Control<QComboBox>(dlg::kAlignment)->setEditable(false);
  ConnectCommands();
}

void ConfigurationDialog::ConnectCommands() {
  for (unsigned message : {WindowMessages::EditComplete(kWorkOrderFieldNumber),
                           WindowMessages::EditTab(kWorkOrderFieldNumber)}) {
    OnFieldMessage(message, [this](int controlId) { editor_.OnWorkOrderNext(controlId); });
  }
  OnFieldMessage(WindowMessages::EditComplete(kLayoutFieldNumber),
                 [this](int) { editor_.OnLayoutEnter(); });
  OnFieldMessage(WindowMessages::EditTab(kLayoutFieldNumber),
                 [this](int controlId) { editor_.OnLayoutTab(controlId); });
  for (unsigned message : {WindowMessages::EditComplete(kByteFieldNumber),
                           WindowMessages::EditTab(kByteFieldNumber)}) {
    OnFieldMessage(message, [this](int controlId) { editor_.OnByteEntry(controlId); });
  }

  ConnectDataSource(dlg::kSourceDecimalCounter, DataSource::DecimalCounter);
  ConnectDataSource(dlg::kSourceCsv, DataSource::Csv);
  ConnectDataSource(dlg::kSourceCsvComplete, DataSource::CsvComplete);
  ConnectDataSource(dlg::kSourceFixData, DataSource::FixData);
  ConnectButton(dlg::kSave, [this] { editor_.OnSave(); });
  ConnectButton(dlg::kDelete, [this] { editor_.OnDelete(); });
  ConnectButton(dlg::kSourceOpen, [this] { editor_.OnSourceOpen(); });
  ConnectButton(dlg::kLogOpen, [this] { editor_.OnLogOpen(); });
  ConnectButton(dlg::kTypeTi, [this] { editor_.OnTransponderType(true); });
  ConnectButton(dlg::kTypeQuorvi, [this] { editor_.OnTransponderType(false); });
  ConnectButton(dlg::kFill, [this] { editor_.OnFill(); });
  ConnectButton(dlg::kLockCarrierId, [this] { editor_.OnLockCarrierId(); });
  ConnectButton(dlg::kLockPage[0], [this] { editor_.OnLockPage(1); });
  ConnectButton(dlg::kLockPage[1], [this] { editor_.OnLockPage(2); });
  for (int control : dlg::kFixByte) ConnectButton(control, [this] { editor_.OnFlagButton(); });
  for (int control : {dlg::kEditPage[0], dlg::kEditPage[1], dlg::kWritePages3To17}) {
    ConnectButton(control, [this] { editor_.OnFlagButton(); });
  }
  ConnectButton(dlg::kLog, [this] { editor_.OnLog(); });
  ConnectButton(dlg::kPagesEdit, [this] { editor_.OnPagesEdit(); });
  ConnectButton(ids::kOk, [this] {
    const bool pickPending = timerRunning(kNameTimer);
    KillTimer(kNameTimer);
    if (editor_.OnOk(pickPending)) accept();
  });
  ConnectButton(ids::kCancel, [this] { reject(); });

  connect(Control<QComboBox>(dlg::kName), &QComboBox::activated, this,
          [this] { SetTimer(kNameTimer, kTimerPeriod); });
  connect(Control<QComboBox>(dlg::kCounterPage), &QComboBox::activated, this, [this] {
    editor_.OnListPicked();
    SetTimer(kCounterPageTimer, kTimerPeriod);
  });
  connect(Control<QComboBox>(dlg::kAlignment), &QComboBox::activated, this,
          [this] { editor_.OnListPicked(); });
}

void ConfigurationDialog::ConnectDataSource(int controlId, DataSource source) {
  ConnectButton(controlId, [this, source] { editor_.OnDataSource(source); });
}

void ConfigurationDialog::showEvent(QShowEvent* event) {
  DialogViewWindow::showEvent(event);
  if (opened_) return;
  opened_ = true;
  state_.saved = false;
  ShowNameList();
  editor_.OnLoad();
  EnableControl(ids::kOk, true);
}

void ConfigurationDialog::OnTimer(int timerId) {
  KillTimer(timerId);
  if (timerId == kNameTimer) {
    TakeFieldValues();
    editor_.OnLoad();
  } else if (timerId == kCounterPageTimer) {
    editor_.OnCounterPageTimer();
  }
}

std::optional<std::string> ConfigurationDialog::ChooseFile(const FileRequest& request) {
  const FileDialogRequest question{request.filter, request.defaultExtension, request.start};
  return request.kind == FileRequest::Kind::Open ? chooser_->OpenFile(question)
                                                 : chooser_->SaveFile(question);
}

bool ConfigurationDialog::RunPagesDialog(PagesDialogState& pages) {
  PagesDialog dialog(pages, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  pages = dialog.state();
  return true;
}

void ConfigurationDialog::TakeFieldValues() {
  Exchange(true);
}

void ConfigurationDialog::ShowFieldValues() {
  ShowNameList();
  Exchange(false);
}

void ConfigurationDialog::ShowNameList() {
  auto* names = Control<QComboBox>(dlg::kName);
  QStringList list;
  for (const std::string& name : state_.setList) list.append(QString::fromStdString(name));
  QStringList shown;
  for (int i = 0; i < names->count(); ++i) shown.append(names->itemText(i));
  if (shown == list) return;
  const QString typed = names->currentText();
  names->clear();
  names->addItems(list);
  names->setEditText(typed);
}

void ConfigurationDialog::Exchange(bool take) {
  const FieldExchange exchange(*this, take);
  ConfigurationSet& set = state_.set;
  exchange.Text(dlg::kName, state_.name);
  exchange.Text(dlg::kOperatorBadge, set.operatorBadge);
  exchange.Text(dlg::kPartNumber, set.partNumber);
  exchange.Text(dlg::kWorkOrderNumber, set.workOrderNumber);
  exchange.Text(dlg::kQuantity, set.quantity);
  exchange.Label(dlg::kSourceFileName, ShownFileName(set.sourceFile));
  exchange.Text(dlg::kOffset, set.carrierIdOffset);
  exchange.Text(dlg::kLength, set.carrierIdLength);
  exchange.Text(dlg::kCarrierId, set.carrierId);
  exchange.Text(dlg::kMemoryPage, set.memoryPage);
  for (int byte = 0; byte < kCarrierIdAreaBytes; ++byte) {
    exchange.Bytes(dlg::kHexByte[byte], set.byteHex[byte]);
    exchange.Bytes(dlg::kAsciiByte[byte], set.byteAscii[byte]);
  }
  exchange.Text(dlg::kCounterPage, set.counterPage);
  exchange.Text(dlg::kAlignment, set.alignment);
  exchange.Label(dlg::kLogFileName, ShownFileName(set.logFile));
  ForEachFlagBox(set, [&](int controlId, bool& flag) { exchange.Check(controlId, flag); });
}

}  // namespace torvane
