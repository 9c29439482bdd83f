#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "ledger/station_history.h"
#include "ledger/station_ledger.h"
#include "view/file_chooser.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace torvane {

// This station's last transponder results from the ledger, newest first, for
// whoever asks what happened to them: filtered by set and state, copied or
// exported as CSV.
class HistoryWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr std::size_t kLimit = 1000;

  HistoryWindow(StationLedger& ledger, const std::map<std::string, std::string>& reasons,
                FileChooser& chooser, QWidget* parent = nullptr);

  const std::vector<HistoryEntry>& shown() const { return shown_; }
  // Reads the ledger again with the filters chosen.
  void Refresh();
  void CopyToClipboard();
  void Export();

 private:
  void FillSetFilter();

  StationLedger& ledger_;
  const std::map<std::string, std::string>& reasons_;
  FileChooser& chooser_;
  QComboBox* setFilter_;
  QComboBox* stateFilter_;
  QTableWidget* table_;
  QLabel* status_;
  std::vector<HistoryEntry> shown_;
};

}  // namespace torvane
