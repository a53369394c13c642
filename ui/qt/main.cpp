#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "ui/qt/MainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The plain message boxes carry the application's title, and the game's is empty.
  QApplication::setApplicationDisplayName(QString());
  // The main window loads the records and makes the hidden leaderboard.
  auto mainForm = std::make_unique<quenlow::TMainForm>();
  // Tests shorten the time bar's tick so that a game runs out within seconds; without the
  // variable the tick stays the game's three seconds.
  if (const char* tick = std::getenv("QUENLOW_TICK_MS")) {
    const int milliseconds = std::atoi(tick);
    if (milliseconds > 0) mainForm->SetTickPeriod(milliseconds);
  }
  mainForm->show();
  return app.exec();
}
