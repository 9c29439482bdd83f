#pragma once

#include <QObject>

class QSocketNotifier;

namespace torvane {

// Turns SIGTERM and SIGINT into a signal on the user-interface thread: the
// handler only writes a byte to a pipe, which the event loop watches. One
// instance at a time; the previous handlers come back when it is destroyed.
class TerminationNotifier : public QObject {
  Q_OBJECT

 public:
  explicit TerminationNotifier(QObject* parent = nullptr);
  ~TerminationNotifier() override;

 signals:
  void TerminationRequested();

 private:
  void Drain();

  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace torvane
