#pragma once

#include <string>

namespace torvane {

enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The one way station logic speaks to the operator: a modal message box, opened
// by whichever window the logic works for.
class OperatorMessages {
 public:
  virtual ~OperatorMessages() = default;
  virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                    MessageIcon icon, MessageButtons buttons) = 0;
};

}  // namespace torvane
