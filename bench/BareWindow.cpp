// The yardstick of the whole-program figures: the least a Qt 6 Widgets program of the game's
// shape can be, a fixed 640 x 550 window with a menu bar of one menu. QUENLOW_BARE_MENU
// retitles the menu (UTF-8): a Chinese title shows what the Chinese font alone costs.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare"));
  auto* client = new QWidget(&window);
  client->setFixedSize(640, 550);
  window.setCentralWidget(client);
  const QByteArray title = qgetenv("QUENLOW_BARE_MENU");
  window.menuBar()
      ->addMenu(title.isEmpty() ? QStringLiteral("&Game") : QString::fromUtf8(title))
      ->addAction(QStringLiteral("&Quit"), &app, &QApplication::quit);
  window.show();
  return app.exec();
}
