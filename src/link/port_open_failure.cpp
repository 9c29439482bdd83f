#include "link/port_open_failure.h"

namespace torvane {

std::string PortOpenFailureText(const std::string& portName, const std::string& reason,
                                const PortAccess& access) {
  std::string text = portName + " could not be opened!";
  if (!reason.empty()) text += "\n\n" + reason + ".";
  if (const std::string hint = access.Hint(); !hint.empty()) text += "\n\n" + hint;
  return text;
}

}  // namespace torvane
