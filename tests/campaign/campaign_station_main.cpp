// The station program as the kill campaign runs it: the real main window,
// offscreen, in the working directory given, with an operator who answers every
// message box (its text appended to messages.txt, a line "--" after each) and
// switches continuous mode on whenever it is off.
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/station_app.h"
#include "production/production_messages.h"
#include "support/message_box_answerer.h"
#include "view/control_ids.h"

namespace {

bool MessageBoxOpen() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMessageBox*>(window) != nullptr && window->isVisible()) return true;
  }
  return false;
}

void SwitchContinuousModeOn() {
  if (MessageBoxOpen()) return;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    auto* button = window->findChild<QAbstractButton*>(QString::number(torvane::ids::kContButton));
    if (button != nullptr && button->isEnabled() && button->text() == torvane::text::kContOn) {
      button->click();
    }
  }
}

}  // namespace

// campaign_station WORKING_DIRECTORY
int main(int argc, char** argv) {
  if (argc != 2 || chdir(argv[1]) != 0) {
    std::fprintf(stderr, "usage: %s WORKING_DIRECTORY\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  torvane::StationApp app(argc, argv);
  std::FILE* messages = std::fopen("messages.txt", "a");
  if (messages == nullptr) return 3;
  torvane::test::MessageBoxAnswerer answerer(
      QMessageBox::Ok, [messages](const torvane::test::MessageBoxAnswerer::Seen& seen) {
        std::fprintf(messages, "%s\n--\n", seen.text.c_str());
        std::fflush(messages);
      });
  QTimer operatorHand;
  QObject::connect(&operatorHand, &QTimer::timeout, &SwitchContinuousModeOn);
  operatorHand.start(50);
  const int status = app.Run();
  std::fclose(messages);
  return status;
}
