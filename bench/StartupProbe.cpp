// Starts a program and reports, from the X server's own events, how long it took until a
// top-level window of the given title was mapped (viewable: no window manager runs under the
// virtual server, so mapping is showing), then its resident memory two seconds after start.
//
//   startup_probe <title> <program> [arguments...]
//
// Prints "startup_ms <ms>" and "rss_kb <kB>" and ends the program.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

std::string WindowTitle(Display* display, Window window) {
  // _NET_WM_NAME first (UTF-8, what Qt sets), then the old WM_NAME.
  const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, rest = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                         &rest, &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
    if (!title.empty()) return title;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <title> <program> [arguments...]\n", argv[0]);
    return 2;
  }
  const std::string wanted = argv[1];
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display\n");
    return 2;
  }
  // Every top-level window that is mapped is reported to us from here on.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[2], argv + 2);
    std::perror("execv");
    _exit(127);
  }

  bool shown = false;
  while (!shown) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && WindowTitle(display, event.xmap.window) == wanted) {
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - start;
      std::printf("startup_ms %.1f\n", took.count());
      shown = true;
    }
    if (waitpid(child, nullptr, WNOHANG) == child) {
      std::fprintf(stderr, "the program ended before it showed a window\n");
      return 1;
    }
  }

  std::this_thread::sleep_until(start + std::chrono::seconds(2));
  std::printf("rss_kb %ld\n", ResidentKb(child));
  std::fflush(stdout);
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  return 0;
}
