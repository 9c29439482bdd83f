#include "app/termination_notifier.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <csignal>

namespace torvane {

namespace {

std::atomic<int> writeEnd{-1};
struct sigaction previousTerm;
struct sigaction previousInt;

void OnSignal(int /*signal*/) {
  int fd = writeEnd.load();
  if (fd < 0) return;
  char byte = 1;
  // Nothing can be done about a full pipe: a byte is already waiting then.
  [[maybe_unused]] ssize_t written = write(fd, &byte, 1);
}

}  // namespace

TerminationNotifier::TerminationNotifier(QObject* parent) : QObject(parent) {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationNotifier::Drain);
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, &previousTerm);
  sigaction(SIGINT, &action, &previousInt);
}

TerminationNotifier::~TerminationNotifier() {
  if (pipe_[0] < 0) return;
  sigaction(SIGTERM, &previousTerm, nullptr);
  sigaction(SIGINT, &previousInt, nullptr);
  writeEnd = -1;
  close(pipe_[0]);
  close(pipe_[1]);
}

void TerminationNotifier::Drain() {
  char bytes[16];
  while (read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  emit TerminationRequested();
}

}  // namespace torvane
