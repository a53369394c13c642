#include "ui/qt/CloseOnTerminate.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <utility>

namespace quenlow {
namespace {

// The signal handler may only write to a pipe; the window's thread reads it.
int wakeUp[2] = {-1, -1};

void OnTerminate(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wakeUp[1], &byte, 1);
}

}  // namespace

void CloseOnTerminate(std::function<void()> closeGame) {
  if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [closeGame = std::move(closeGame)] {
    char byte = 0;
    while (::read(wakeUp[0], &byte, 1) == 1) {
    }
    if (QApplication::activeModalWidget() != nullptr) {
      std::signal(SIGTERM, SIG_DFL);
      std::raise(SIGTERM);
      return;
    }
    closeGame();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace quenlow
