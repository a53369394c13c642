#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ui/qt/CloseOnTerminate.h"
#include "ui/qt/CommandLine.h"
#include "ui/qt/MainForm.h"

namespace {

// While the toolkit starts, its messages are held back: when no platform can be opened it
// prints several lines and aborts, and the player is to see one line and a plain exit instead.
struct HeldMessage {
  QtMsgType type;
  QString text;
};
std::vector<HeldMessage> heldMessages;

void HoldWhileStarting(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", quenlow::NoDisplayLine().c_str());
    std::fflush(stderr);
    std::_Exit(1);
  }
  heldMessages.push_back({type, text});
}

}  // namespace

int main(int argc, char** argv) {
  const quenlow::CommandLineAnswer answer = quenlow::ReadCommandLine(argc, argv);
  if (answer.done) {
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.err.c_str(), stderr);
    return answer.status;
  }
  // The compositor and the task bar match the window with the desktop entry by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(QUENLOW_APP_ID));
  const QtMessageHandler toolkitHandler = qInstallMessageHandler(HoldWhileStarting);
  QApplication app(argc, argv);
  qInstallMessageHandler(toolkitHandler);
  for (const HeldMessage& message : heldMessages) {
    qt_message_output(message.type, QMessageLogContext(), message.text);
  }
  heldMessages.clear();
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
  quenlow::CloseOnTerminate([&mainForm] { mainForm->close(); });
  return app.exec();
}
