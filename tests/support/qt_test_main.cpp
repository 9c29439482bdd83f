#include <gtest/gtest.h>

#include <QApplication>

// The window tests run inside one application object, offscreen unless the
// caller chose a platform (test discovery runs without a display too).
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
