// Placeholder until the main window exists.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("Quenlow: the game window is not built yet."));
  label.resize(640, 550);
  label.show();
  return app.exec();
}
