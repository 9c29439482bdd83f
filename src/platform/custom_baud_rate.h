#pragma once

#include <cstdint>

#include "platform/result.h"

namespace torvane {

// glibc's termios only knows the standard rates; any other rate the kernel
// accepts goes through the termios2 interface, which these two confine to one
// file because its header clashes with <termios.h>.
Status SetCustomBaudRate(int fd, std::uint32_t baudRate);
Result<std::uint32_t> ReadCustomBaudRate(int fd);

}  // namespace torvane
