#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // The build lists the tests without the test environment; no display is needed either way.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // As the game does: the plain boxes take the application's empty title.
  QApplication::setApplicationDisplayName(QString());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
