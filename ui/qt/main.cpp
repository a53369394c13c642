#include <QApplication>
#include <memory>

#include "ui/qt/MainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The plain message boxes carry the application's title, and the game's is empty.
  QApplication::setApplicationDisplayName(QString());
  // The main window loads the records and makes the hidden leaderboard.
  auto mainForm = std::make_unique<quenlow::TMainForm>();
  mainForm->show();
  return app.exec();
}
