#pragma once

#include <QDialog>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "controls/message_map.h"
#include "controls/station_timer_table.h"
#include "res/control_template.h"
#include "view/operator_messages.h"

namespace torvane {

// A modal dialog built from its template in the station's dialog font: the
// controls under their ids, the labels and fields in the station's colours,
// window timers by station id, and the registered messages of its fields.
class DialogWindow : public QDialog, public MessageTarget {
 public:
  DialogWindow(int templateId, const std::vector<ControlTemplate>& controls, QWidget* parent);
  // QDialog's destructor hides the window, and the focus leaving a field can
  // still fire its signals: none may reach the handlers of a window half gone.
  ~DialogWindow() override;

  void SetFieldColour(int controlId, std::uint32_t background);
  // Gives the control the focus; with selectAll its whole text is selected.
  void FocusControl(int controlId, bool selectAll);
  void SetButtonImage(int controlId, bool set);
  // A disabled field shows it by its text colour.
  void EnableControl(int controlId, bool enabled);
  void RepaintWindow();
  // False when the field's text has a character beyond Latin-1.
  bool HoldsOnlyByteCharacters(int controlId) const;
  // A message box over the dialog.
  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons);

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
