#pragma once

#include <functional>
#include <map>

class QWidget;

namespace torvane {

// A window's table of handlers for registered window messages. A sender calls
// Send synchronously: it returns once the handler has run.
class MessageMap {
 public:
  // wParam is the sender's control id, lParam the sender itself.
  using Handler = std::function<long(int wParam, QWidget* lParam)>;

  void On(unsigned message, Handler handler);
  // False when the window has no handler for the message.
  bool Send(unsigned message, int wParam, QWidget* lParam, long* result = nullptr) const;

 private:
  std::map<unsigned, Handler> handlers_;
};

// Implemented by every window that receives registered messages from its controls.
class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  virtual const MessageMap& messageMap() const = 0;
};

}  // namespace torvane
