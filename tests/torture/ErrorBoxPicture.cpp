// Shows the game's error box with the text given on the command line, as the game would show
// it, until it is closed. The refused-save test compares the box that the game really opens
// with this one, pixel for pixel, to see that it carries exactly the expected text.

#include <QApplication>
#include <QMessageBox>

#include "ui/qt/Boxes.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QString());
  if (argc != 2) return 2;
  auto box = quenlow::MakeErrorBox(nullptr, QString::fromLocal8Bit(argv[1]));
  box->setWindowTitle(QStringLiteral("reference"));
  return box->exec() >= 0 ? 0 : 1;
}
