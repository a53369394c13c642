// The icon tests build pixmaps, which need an application object; these tests never need a
// screen, so they run offscreen even where no display is set (test discovery included).
#include <gtest/gtest.h>
#include <QGuiApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
