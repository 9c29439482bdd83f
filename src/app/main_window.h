#pragma once

#include <QDialog>
#include <QPointer>
#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "app/main_window_requests.h"
#include "app/station_production.h"
#include "app/station_state.h"
#include "config/configuration_applier.h"
#include "controls/message_map.h"
#include "controls/qt_file_chooser.h"
#include "controls/station_timer_table.h"
#include "link/protocol_file.h"
#include "link/serial_link.h"
#include "platform/stable_device_name.h"
#include "production/manual_log_operations.h"
#include "production/manual_operations.h"
#include "production/production_record_file.h"
#include "transponder/carrier_id_operations.h"
#include "transponder/page_editor.h"
#include "view/station_view.h"
#include "windows/terminal_pane.h"

class QAction;
class QMenuBar;

namespace torvane {

class PortInfoDialog;
class OutcomePanel;

// The station's main window. It owns the station state and the serial link,
// builds its controls from dialog template 102, routes commands to the
// operations and shows what they do through the StationView interface.
class MainWindow : public QDialog, public StationView, public MessageTarget {
  Q_OBJECT

 public:
  static constexpr int kCycleTimer = 3;
  static constexpr int kMessageTimer = 5;
  static constexpr std::chrono::milliseconds kCyclePeriod{10};
  static constexpr std::chrono::milliseconds kMessagePeriod{500};
  static constexpr int kAnswerUnitAtStart = 160;
  // Looks for a reader that went away, until it is back.
  static constexpr int kReconnectTimer = 9;
  static constexpr std::chrono::milliseconds kReconnectPeriod{500};

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // StationView
  void TakeFieldValues() override;
  void ShowFieldValues() override;
  void SetFieldColour(int controlId, std::uint32_t background) override;
  void SetFieldTextColour(int controlId, std::uint32_t text) override;
  void FocusControl(int controlId, bool selectAll = false) override;
  void SetButtonImage(int controlId, bool checked) override;
  void EnableControl(int controlId, bool enabled) override;
  void ShowControl(int controlId, bool shown) override;
  void SetControlText(int controlId, const std::string& text) override;
  void EnableMenuCommand(int commandId, bool enabled) override;
  void RepaintWindow() override;
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override;
  void WriteManualRecord(ManualRecordKind kind) override;

  const MessageMap& messageMap() const override { return messages_; }

  void SetTimer(int timerId, std::chrono::milliseconds period) override;
  void KillTimer(int timerId) override;
  bool timerRunning(int timerId) const { return timers_.Running(timerId); }

  // What timer 3 runs when a cycle was requested.
  void SetCycleRunner(std::function<void()> runner) { cycleRunner_ = std::move(runner); }

  StationState& state() { return state_; }
  // Sets the window up for its mode from the set in use.
  void ApplyConfiguration() { configurationApplier_.ApplyConfiguration(); }
  ConfigurationApplier& configurationApplier() { return configurationApplier_; }
  // The production cycle appends its records here.
  ProductionRecordFile& productionRecordFile() { return productionRecordFile_; }
  // Tests answer the file dialogs.
  void SetFileChooser(FileChooser& chooser) { fileChooser_ = &chooser; }
  SerialLink& link() { return link_; }
  DeferredRequests& requests() { return requests_; }

  // Ends the station as its close box does, also from inside a message box or a
  // dialog: those are closed first.
  void EndOnSignal();

  // Every way of ending the window passes here: the port is closed first.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // While a run greys "Exit", the close box asks before it ends the run.
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  // Start-up, run when the window is first shown.
  void Initialise();
  void LoadSetInUseAtStart();
  // Tells the operator when the set in use cannot be used for production.
  void ReportUnusableSet();
  // False when production records would be lost and the operator keeps the station.
  bool MayEndWithRecordsInMemory();
  // A continuous run is on: the window is not ended without a question.
  bool ExitGreyed() const;
  void OpenPortAtStart();
  // Opens the port with the serial settings; reports a failure under the caption.
  void OpenPort(const char* failureCaption);
  void ClosePort();

  // Building the window (main_window_layout.cpp).
  void BuildWindow();
  QMenuBar* BuildMenu();

  // Wiring (main_window_commands.cpp).
  void ConnectCommands();
  void ConnectButton(int controlId, std::function<void()> handler);
  void ConnectMenu(int command, std::function<void()> handler);
  void OnExit();
  void OnAbout();
  // This station's last results from the ledger.
  void OnHistory();
  // Tooltips on the controls, and F1 for a box of keys and where to read more
  // (main_window_help.cpp).
  void ApplyHelp();
  void OnHelp();
  // Menu "Config": the configuration dialog, and its set taken over after "OK".
  void OnConfigMenu();
  void OnOk();

  // The "Interface" menu (main_window_interface.cpp).
  void OnInterfaceSettings();
  void OnDeviceManager();

  // The record files (main_window_records.cpp).
  void ConnectRecordCommands();
  void OnLastCarrierId();
  // Leaves the record file's failure of the cycle to the next 500 ms tick.
  void DeferRecordFileFailure();
  // False when the entry could not be written; the operator has been told.
  bool AppendProtocolEntry();

  // Colours and images of the controls at start-up (main_window_colours.cpp).
  void ApplyStartColours();
  void ApplyStartImages();

  // Production (main_window_production.cpp).
  void ConnectProductionCommands();
  void ConnectSpin(int spinId, std::function<void(SpinDirection)> handler);
  void OnOne();
  void RunCycle();
  void OnContinuousTimer();
  void OnContinuousButton();
  // Fields a cycle turns green start white, so a failure never shows an old success.
  void ResetResultFields();
  // The counters, the state of the run and the reader and the next step on the
  // outcome panel.
  void ShowProductionState();
  void PlaceOutcomePanel();
  // What the operator does next; what keeps the reader away (empty when nothing).
  std::string NextStep() const;
  std::string ReaderTrouble() const;

  // A reader that hangs up or vanishes (main_window_reader.cpp).
  void WatchReader();
  void OnReaderGone();
  void OnReconnectTimer();
  // Remembers which device was opened, to know it when it comes back.
  void NoteOpenedDevice();
  void ReportSourceFailure(const Status& status);

  // Timer ticks (main_window_timers.cpp).
  void OnCycleTimer();
  // A dialog or message box of the station is open over the main window.
  bool ModalWindowOpen() const;
  void OnMessageTimer();

  template <class T>
  T* Control(int controlId) const {
    auto it = controls_.find(controlId);
    return it == controls_.end() ? nullptr : dynamic_cast<T*>(it->second);
  }

  StationState state_;
  SerialLink link_;
  DeferredRequests requests_;
  PageEditor pageEditor_;
  ManualOperations manualOperations_;
  ConfigurationApplier configurationApplier_;
  TerminalPane terminalPane_;
  QtFileChooser qtFileChooser_{this};
  FileChooser* fileChooser_ = &qtFileChooser_;
  ManualLogOperations manualLogOperations_;
  ProductionRecordFile productionRecordFile_{state_.workingDirectory};
  ProtocolFile protocolFile_;
  StationProduction production_;
  // After production_, whose ledger guards its writes.
  CarrierIdOperations carrierIdOperations_;
  MessageMap messages_;
  std::map<int, QWidget*> controls_;
  std::map<int, QAction*> actions_;
  StationTimerTable timers_{*this};
  std::function<void()> cycleRunner_;
  QPointer<PortInfoDialog> portInfo_;
  OutcomePanel* outcomePanel_ = nullptr;
  // Time spent in message boxes, and the first line of the last one: a cycle's
  // duration leaves them out, its failure shows the line when it has no reason.
  std::chrono::steady_clock::duration messageTime_{};
  std::string lastMessageLine_;
  // What this run's failed cycles said, by carrier ID, for the history.
  std::map<std::string, std::string> cycleReasons_;
  bool readerAway_ = false;
  // The device the port was opened on: only it is opened again by itself.
  std::optional<DeviceIdentity> openedDevice_;
  // Another device at the path of a reader that went away; empty when none.
  std::string otherDeviceAt_;
  bool initialised_ = false;
  bool ended_ = false;  // the port was closed for the end
};

}  // namespace torvane
