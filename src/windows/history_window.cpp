#include "windows/history_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "platform/atomic_file.h"

namespace torvane {

namespace {

constexpr const char* kAll = "all";
constexpr LedgerState kStates[] = {LedgerState::Programmed, LedgerState::Written,
                                   LedgerState::Spent, LedgerState::Reserved};

QPushButton* AddButton(QHBoxLayout* row, const char* name, const char* text, const char* tip) {
  auto* button = new QPushButton(text);
  button->setObjectName(name);
  button->setToolTip(tip);
  row->addWidget(button);
  return button;
}

}  // namespace

HistoryWindow::HistoryWindow(StationLedger& ledger,
                             const std::map<std::string, std::string>& reasons,
                             FileChooser& chooser, QWidget* parent)
    : QDialog(parent), ledger_(ledger), reasons_(reasons), chooser_(chooser) {
  setObjectName("history");
  setWindowTitle("Torvane history");
  resize(760, 420);
  auto* layout = new QVBoxLayout(this);
  auto* filters = new QHBoxLayout;
  filters->addWidget(new QLabel("Set"));
  setFilter_ = new QComboBox;
  setFilter_->setObjectName("historySet");
  setFilter_->setMinimumContentsLength(16);
  filters->addWidget(setFilter_);
  filters->addWidget(new QLabel("State"));
  stateFilter_ = new QComboBox;
  stateFilter_->setObjectName("historyState");
  stateFilter_->addItem(kAll);
  for (LedgerState state : kStates) {
    stateFilter_->addItem(QString::fromStdString(std::string(LedgerStateName(state))));
  }
  filters->addWidget(stateFilter_);
  filters->addStretch();
  layout->addLayout(filters);

  table_ = new QTableWidget(0, 6);
  table_->setObjectName("historyTable");
  table_->setHorizontalHeaderLabels({"carrier ID", "UID", "state", "time", "set", "reason"});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  layout->addWidget(table_);

  auto* buttons = new QHBoxLayout;
  status_ = new QLabel;
  status_->setObjectName("historyStatus");
  buttons->addWidget(status_, 1);
  connect(AddButton(buttons, "historyCopy", "&Copy", "Copy the rows shown as CSV"),
          &QPushButton::clicked, this, [this] { CopyToClipboard(); });
  connect(AddButton(buttons, "historyExport", "&Export...", "Save the rows shown as a CSV file"),
          &QPushButton::clicked, this, [this] { Export(); });
  connect(AddButton(buttons, "historyClose", "Close", "Close the history"), &QPushButton::clicked,
          this, &QDialog::accept);
  layout->addLayout(buttons);

  FillSetFilter();
  connect(setFilter_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(stateFilter_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  Refresh();
}

void HistoryWindow::FillSetFilter() {
  setFilter_->addItem(kAll);
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) return;
  const auto entries = StationHistory(*store.value, ledger_.station(), {}, kLimit, reasons_);
  if (!entries.ok()) return;
  std::set<std::string> names;
  for (const HistoryEntry& entry : entries.value) names.insert(entry.setName);
  for (const std::string& name : names) setFilter_->addItem(QString::fromStdString(name));
}

void HistoryWindow::Refresh() {
  shown_.clear();
  table_->setRowCount(0);
  const Result<CarrierIdLedger*> store = ledger_.Store();
  if (!store.ok()) {
    status_->setText(QString::fromStdString("The ledger cannot be read: " + store.error));
    return;
  }
  HistoryFilter filter;
  if (setFilter_->currentIndex() > 0) filter.setName = setFilter_->currentText().toStdString();
  if (stateFilter_->currentIndex() > 0) filter.state = kStates[stateFilter_->currentIndex() - 1];
  auto entries = StationHistory(*store.value, ledger_.station(), filter, kLimit, reasons_);
  if (!entries.ok()) {
    status_->setText(QString::fromStdString("The ledger cannot be read: " + entries.error));
    return;
  }
  shown_ = std::move(entries.value);
  table_->setRowCount(static_cast<int>(shown_.size()));
  for (int row = 0; row < static_cast<int>(shown_.size()); ++row) {
    const HistoryEntry& entry = shown_[static_cast<std::size_t>(row)];
    int column = 0;
    for (const std::string* text :
         {&entry.carrierId, &entry.uid, &entry.state, &entry.time, &entry.setName, &entry.reason}) {
      table_->setItem(row, column++, new QTableWidgetItem(QString::fromStdString(*text)));
    }
  }
  table_->resizeColumnsToContents();
  status_->setText(QString::number(shown_.size()) + " of station " +
                   QString::fromStdString(ledger_.station()) + ", newest first");
}

void HistoryWindow::CopyToClipboard() {
  QApplication::clipboard()->setText(QString::fromStdString(HistoryCsv(shown_)));
  status_->setText(QString::number(shown_.size()) + " rows copied as CSV");
}

void HistoryWindow::Export() {
  const std::optional<std::string> path = chooser_.SaveFile({"*.csv", "csv", ""});
  if (!path) return;
  const Status written = WriteFileAtomically(*path, HistoryCsv(shown_));
  status_->setText(QString::fromStdString(written.ok() ? std::to_string(shown_.size()) +
                                                             " rows saved in " + *path
                                                       : "Not saved: " + written.error));
}

}  // namespace torvane
