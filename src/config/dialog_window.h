#pragma once

#include <QDialog>
#include <chrono>
#include <functional>
#include <map>
#include <vector>

#include "config/dialog_view.h"
#include "controls/message_map.h"
#include "controls/station_timer_table.h"
#include "res/control_template.h"

namespace torvane {

// A modal dialog built from its template: the controls under their ids, the
// labels in the station's colours, window timers by station id, and the parts
// of the dialog view that every dialog shares.
class DialogWindow : public QDialog, public DialogView, public MessageTarget {
 public:
  DialogWindow(int templateId, const std::vector<ControlTemplate>& controls, QWidget* parent);

  void SetFieldColour(int controlId, std::uint32_t background) override;
  void FocusControl(int controlId, bool selectAll) override;
  void SetButtonImage(int controlId, bool set) override;
  void EnableControl(int controlId, bool enabled) override;
  void RepaintWindow() override;
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override;

  const MessageMap& messageMap() const override { return messages_; }

  QWidget* ControlWidget(int controlId) const;
  template <class T>
  T* Control(int controlId) const {
    return dynamic_cast<T*>(ControlWidget(controlId));
  }

  // Setting a running timer restarts it.
  void SetTimer(int timerId, std::chrono::milliseconds period);
  void KillTimer(int timerId);
  bool timerRunning(int timerId) const { return timers_.Running(timerId); }

 protected:
  void ConnectButton(int controlId, std::function<void()> handler);
  // A field's message. One that arrives while a handler runs (a field losing
  // the focus to the handler's message box) is dropped.
  void OnFieldMessage(unsigned message, std::function<void(int controlId)> handler);
  virtual void OnTimer(int /*timerId*/) {}

  void timerEvent(QTimerEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::map<int, QWidget*> controls_;
  StationTimerTable timers_{*this};
  MessageMap messages_;
  bool handlingField_ = false;
};

}  // namespace torvane
