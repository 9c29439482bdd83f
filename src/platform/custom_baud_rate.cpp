#include "platform/custom_baud_rate.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

#include <cerrno>

// <sys/ioctl.h> would bring in the glibc termios types that clash with the
// kernel's, so the one function needed is declared here.
extern "C" int ioctl(int fd, unsigned long request, ...);

namespace torvane {

Status SetCustomBaudRate(int fd, std::uint32_t baudRate) {
  termios2 settings{};
  if (ioctl(fd, TCGETS2, &settings) != 0) return Status::Failure(SystemErrorText(errno));
  settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  settings.c_ispeed = baudRate;
  settings.c_ospeed = baudRate;
  if (ioctl(fd, TCSETS2, &settings) != 0) return Status::Failure(SystemErrorText(errno));
  return Status::Success();
}

Result<std::uint32_t> ReadCustomBaudRate(int fd) {
  termios2 settings{};
  if (ioctl(fd, TCGETS2, &settings) != 0) {
    return Result<std::uint32_t>::Failure(SystemErrorText(errno));
  }
  return Result<std::uint32_t>::Success(settings.c_ospeed);
}

}  // namespace torvane
