// Drives the real game on an X display with a seeded random stream of input: presses on tiles,
// on the margins, beside the window and on the leaderboard, function keys F2 to F9, pauses and
// resumes, and an answer to every modal box that opens. It ends by quitting through the menu.
//
//   storm_driver --pid <game pid> --seconds <n> [--seed <n>] [--names <file>]
//   storm_driver --one-pair --pid <game pid>
//
// The second form only presses two equal tiles on an edge of an easy board and leaves; the
// scripted games use it to score one pair.
// Every name typed into the record box goes as one line into the names file, so that the
// caller can check the score file against what was typed. Exit status: 0 when the game closed
// after the quit, 1 when the game died or never showed its window, 2 on a usage error.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBoardWidth = 640;
constexpr int kBoardHeight = 550;

struct Field {
  int cols, rows, originX, originY;
};
// The playing fields of easy, normal and hard; every cell is 40 x 50 pixels.
constexpr Field kFields[] = {{12, 7, 80, 100}, {13, 8, 60, 80}, {14, 9, 40, 60}};
constexpr int kCellW = 40;
constexpr int kCellH = 50;

struct TopWindow {
  Window id;
  std::string title;
  int x, y, width, height;
  bool overrideRedirect;
};

class Storm {
 public:
  Storm(Display* display, pid_t game, unsigned seed, std::ofstream* names)
      : display_(display),
        root_(DefaultRootWindow(display)),
        game_(game),
        random_(seed),
        names_(names) {
    netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
    utf8_ = XInternAtom(display_, "UTF8_STRING", False);
    wmProtocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    wmDelete_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  }

  // A game that has ended but is not yet reaped by its parent counts as gone.
  // How many boxes of each title the storm answered.
  const std::map<std::string, int>& Answered() const { return answered_; }

  bool GameAlive() const {
    std::ifstream stat("/proc/" + std::to_string(game_) + "/stat");
    std::string pid, command, state;
    if (!(stat >> pid >> command >> state)) return false;
    return state != "Z" && state != "X";
  }

  // The viewable top-level windows of the screen, with their titles.
  std::vector<TopWindow> TopWindows() {
    std::vector<TopWindow> result;
    Window rootBack = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, root_, &rootBack, &parent, &children, &count)) return result;
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes attributes;
      if (!XGetWindowAttributes(display_, children[i], &attributes)) continue;
      if (attributes.map_state != IsViewable || attributes.c_class != InputOutput) continue;
      result.push_back({children[i], Title(children[i]), attributes.x, attributes.y,
                        attributes.width, attributes.height, attributes.override_redirect != 0});
    }
    if (children != nullptr) XFree(children);
    return result;
  }

  std::optional<TopWindow> Find(const std::string& title) {
    for (const TopWindow& w : TopWindows())
      if (!w.overrideRedirect && w.title == title) return w;
    return std::nullopt;
  }

  // Everything on the screen that is neither the game's window nor the leaderboard: the modal
  // boxes, and pop-up menus.
  std::vector<TopWindow> Boxes() {
    std::vector<TopWindow> boxes;
    for (const TopWindow& w : TopWindows())
      if (w.title != "Quenlow" && w.title != "排行榜") boxes.push_back(w);
    return boxes;
  }

  // One step of the storm.
  void Step() {
    const std::vector<TopWindow> boxes = Boxes();
    if (!boxes.empty()) {
      Answer(boxes.back());
      return;
    }
    const std::optional<TopWindow> main = Find("Quenlow");
    if (!main) return;
    if (const std::optional<TopWindow> board = Find("排行榜"); board && Uniform(0, 9) < 3) {
      LeaderboardAction(*board);
      return;
    }
    const int roll = Uniform(0, 999);
    if (roll < 500) {
      ClickPair(*main);
    } else if (roll < 720) {
      // Anywhere on the board picture: tiles, empty cells, the ring, the margins; not where
      // the leaderboard lies over it, or its reset button would be pressed all the time.
      const int x = main->x + Uniform(0, kBoardWidth - 1);
      const int y = BoardTop(*main) + Uniform(0, kBoardHeight - 1);
      if (!UnderLeaderboard(x, y)) ClickAt(x, y, RandomButton());
    } else if (roll < 740) {
      // A double click on a cell.
      Focus(main->id);
      const Field& f = kFields[difficulty_ - 1];
      const int x = main->x + f.originX + kCellW * Uniform(0, f.cols - 1) + kCellW / 2;
      const int y = BoardTop(*main) + f.originY + kCellH * Uniform(0, f.rows - 1) + kCellH / 2;
      if (UnderLeaderboard(x, y)) return;
      ClickAt(x, y, 1);
      ClickAt(x, y, 1);
    } else if (roll < 760) {
      // Beside the window, on the bare screen.
      ClickAt(main->x + kBoardWidth + Uniform(5, 300), Uniform(0, 1000), RandomButton());
    } else if (roll < 766) {
      // Rarely, so that most games run until the time is up.
      NewGame(*main);
    } else if (roll < 786) {
      PauseEpisode(*main);
    } else if (roll < 796) {
      // The leaderboard through the menu: game menu, up to its last item, Enter.
      if (!FocusOn(main->id)) return;
      Key(XK_g, true);
      Pause(60);
      Key(XK_Up);
      Key(XK_Return);
    } else if (roll < 900) {
      ClickPair(*main);
    } else {
      // F5 has no command; F6, F7, F8 act on the board.
      static constexpr KeySym kKeys[] = {XK_F5, XK_F6, XK_F7, XK_F7, XK_F8};
      if (!FocusOn(main->id)) return;
      Key(kKeys[Uniform(0, 4)]);
    }
  }

  // Presses two equal tiles on one edge of the easy field, which the ring round the field
  // always joins. False when no edge holds such a pair.
  bool RemoveEdgePair() {
    const std::optional<TopWindow> main = Find("Quenlow");
    if (!main || !FocusOn(main->id)) return false;
    const Field& f = kFields[0];
    XImage* image = XGetImage(display_, main->id, 0, main->height - kBoardHeight, kBoardWidth,
                              kBoardHeight, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    std::vector<std::vector<std::pair<int, int>>> edges(4);
    for (int c = 0; c < f.cols; ++c) {
      edges[0].push_back({c, 0});
      edges[1].push_back({c, f.rows - 1});
    }
    for (int r = 0; r < f.rows; ++r) {
      edges[2].push_back({0, r});
      edges[3].push_back({f.cols - 1, r});
    }
    std::optional<std::pair<std::pair<int, int>, std::pair<int, int>>> found;
    for (const auto& edge : edges) {
      std::map<unsigned long long, std::pair<int, int>> seen;
      for (const auto& cell : edge) {
        const unsigned long long hash = CellHash(image, f, cell.first, cell.second);
        if (auto it = seen.find(hash); it != seen.end() && !found) found = {{it->second, cell}};
        seen.emplace(hash, cell);
      }
    }
    XDestroyImage(image);
    if (!found) return false;
    for (const auto& [col, row] : {found->first, found->second}) {
      ClickAt(main->x + f.originX + col * kCellW + kCellW / 2,
              BoardTop(*main) + f.originY + row * kCellH + kCellH / 2, 1);
    }
    return true;
  }

  // Closes every box, then quits through the menu with Alt+X. True when the game has gone.
  bool Quit(int seconds) {
    const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < end) {
      if (!GameAlive()) return true;
      const std::vector<TopWindow> boxes = Boxes();
      if (!boxes.empty()) {
        // Escape closes every box the game opens; a name box is cancelled.
        if (FocusOn(boxes.back().id)) Key(XK_Escape);
        Pause(150);
        continue;
      }
      if (const std::optional<TopWindow> main = Find("Quenlow"); main && FocusOn(main->id)) {
        Key(XK_x, true);
      }
      for (int i = 0; i < 20 && GameAlive(); ++i) Pause(100);
    }
    return !GameAlive();
  }

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  unsigned RandomButton() { return Uniform(0, 9) < 8 ? 1 : 3; }

  void Pause(int ms) {
    XFlush(display_);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }

  std::string Title(Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display_, w, netWmName_, 0, 1024, False, utf8_, &type, &format, &items,
                           &after, &data) == Success &&
        data != nullptr && type == utf8_) {
      title.assign(reinterpret_cast<char*>(data), items);
    } else {
      char* name = nullptr;
      if (XFetchName(display_, w, &name) && name != nullptr) {
        title = name;
        XFree(name);
      }
    }
    if (data != nullptr) XFree(data);
    return title;
  }

  static int BoardTop(const TopWindow& main) { return main.y + main.height - kBoardHeight; }

  void Focus(Window w) {
    XSetInputFocus(display_, w, RevertToPointerRoot, CurrentTime);
    XFlush(display_);
  }

  bool UnderLeaderboard(int x, int y) {
    const std::optional<TopWindow> board = Find("排行榜");
    return board && x >= board->x && x < board->x + board->width && y >= board->y &&
           y < board->y + board->height;
  }

  // Gives the window the keyboard and checks that it took it: keys meant for a box that is
  // just closing must not land in whatever window holds the keyboard instead.
  bool FocusOn(Window w) {
    XSetInputFocus(display_, w, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus == w;
  }

  void ClickAt(int x, int y, unsigned button) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    Pause(Uniform(5, 30));
  }

  void Key(KeySym sym, bool alt = false, bool shift = false) {
    const KeyCode code = XKeysymToKeycode(display_, sym);
    if (code == 0) return;
    const KeyCode altCode = XKeysymToKeycode(display_, XK_Alt_L);
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    if (alt) XTestFakeKeyEvent(display_, altCode, True, CurrentTime);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    if (alt) XTestFakeKeyEvent(display_, altCode, False, CurrentTime);
    Pause(Uniform(5, 20));
  }

  void Type(const std::string& text) {
    for (char c : text) {
      if (c >= 'A' && c <= 'Z') {
        Key(XK_a + (c - 'A'), false, true);
      } else if (c >= 'a' && c <= 'z') {
        Key(XK_a + (c - 'a'));
      } else if (c >= '0' && c <= '9') {
        Key(XK_0 + (c - '0'));
      } else if (c == ' ') {
        Key(XK_space);
      }
    }
  }

  void Close(Window w) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w;
    event.xclient.message_type = wmProtocols_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(wmDelete_);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, w, False, NoEventMask, &event);
    Pause(20);
  }

  std::string RandomName() {
    static const char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
    // Now and then longer than the box takes, to see the rest cut off.
    const int length = Uniform(0, 19) == 0 ? 300 : Uniform(0, 12);
    std::string name;
    for (int i = 0; i < length; ++i) name += kLetters[Uniform(0, sizeof kLetters - 2)];
    return name;
  }

  void Answer(const TopWindow& box) {
    ++answered_[box.overrideRedirect ? "(pop-up menu)"
                : box.title.empty()  ? "(untitled)"
                                     : box.title];
    if (box.overrideRedirect) {
      // A pop-up menu: take it away again.
      Key(XK_Escape);
      return;
    }
    if (!FocusOn(box.id)) return;
    Pause(20);
    const int roll = Uniform(0, 9);
    if (box.title == "破纪录") {
      if (roll < 6) {
        const std::string name = RandomName();
        if (names_ != nullptr) *names_ << name << std::endl;
        Type(name);
        Key(roll < 5 ? XK_Return : XK_Escape);
      } else if (roll < 8) {
        Key(XK_Escape);
      } else {
        Close(box.id);
      }
    } else if (box.title == "Information") {
      static constexpr KeySym kAnswers[] = {XK_Return, XK_Escape, XK_y, XK_n};
      if (roll < 8) {
        Key(kAnswers[Uniform(0, 3)], roll >= 4);
      } else {
        Close(box.id);
      }
    } else if (box.title == "关于") {
      Key(XK_Escape);
    } else {
      // The message and error boxes: OK by Enter, Escape or space, or closed.
      static constexpr KeySym kAnswers[] = {XK_Return, XK_Escape, XK_space};
      if (roll < 8) {
        Key(kAnswers[Uniform(0, 2)]);
      } else if (roll < 9) {
        ClickAt(box.x + Uniform(0, box.width - 1), box.y + Uniform(0, box.height - 1), 1);
      } else {
        Close(box.id);
      }
    }
    Pause(30);
  }

  // A hash of the picture of a cell, taken inside its frame; `lit` tells whether any of it
  // is not black (an empty cell is black all over).
  static unsigned long long CellHash(XImage* image, const Field& f, int col, int row,
                                     bool* lit = nullptr) {
    const int left = f.originX + col * kCellW;
    const int top = f.originY + row * kCellH;
    unsigned long long hash = 1469598103934665603ull;
    for (int y = top + 4; y < top + kCellH - 4; y += 2) {
      for (int x = left + 4; x < left + kCellW - 4; x += 2) {
        const unsigned long pixel = XGetPixel(image, x, y);
        if (lit != nullptr && (pixel & 0xFFFFFF) != 0) *lit = true;
        hash = (hash ^ pixel) * 1099511628211ull;
      }
    }
    return hash;
  }

  // Finds two cells that show the same picture and presses them one after the other.
  void ClickPair(const TopWindow& main) {
    const Field& f = kFields[difficulty_ - 1];
    XImage* image = XGetImage(display_, main.id, 0, main.height - kBoardHeight, kBoardWidth,
                              kBoardHeight, AllPlanes, ZPixmap);
    if (image == nullptr) return;
    std::map<unsigned long long, std::vector<std::pair<int, int>>> groups;
    for (int col = 0; col < f.cols; ++col) {
      for (int row = 0; row < f.rows; ++row) {
        bool lit = false;
        const unsigned long long hash = CellHash(image, f, col, row, &lit);
        if (lit) groups[hash].push_back({col, row});
      }
    }
    XDestroyImage(image);
    std::vector<const std::vector<std::pair<int, int>>*> pairs;
    for (const auto& [hash, cells] : groups)
      if (cells.size() >= 2) pairs.push_back(&cells);
    if (pairs.empty()) return;
    const auto& cells = *pairs[Uniform(0, static_cast<int>(pairs.size()) - 1)];
    const int a = Uniform(0, static_cast<int>(cells.size()) - 1);
    int b = Uniform(0, static_cast<int>(cells.size()) - 2);
    if (b >= a) ++b;
    Focus(main.id);
    for (const auto& [col, row] : {cells[a], cells[b]}) {
      const int x = main.x + f.originX + col * kCellW + Uniform(1, kCellW - 1);
      const int y = BoardTop(main) + f.originY + row * kCellH + Uniform(1, kCellH - 1);
      if (!UnderLeaderboard(x, y)) ClickAt(x, y, RandomButton());
    }
  }

  void NewGame(const TopWindow& main) {
    const int difficulty = Uniform(1, 3);
    if (!FocusOn(main.id)) return;
    difficulty_ = difficulty;
    static constexpr KeySym kKeys[] = {XK_F2, XK_F3, XK_F4};
    Key(kKeys[difficulty - 1]);
  }

  // F9, some presses that the pause must swallow, and mostly F9 again.
  void PauseEpisode(const TopWindow& main) {
    if (!FocusOn(main.id)) return;
    Key(XK_F9);
    for (int i = Uniform(0, 5); i > 0; --i) {
      const int x = main.x + Uniform(0, kBoardWidth - 1);
      const int y = BoardTop(main) + Uniform(0, kBoardHeight - 1);
      if (!UnderLeaderboard(x, y)) ClickAt(x, y, 1);
    }
    if (Uniform(0, 4) > 0 && FocusOn(main.id)) Key(XK_F9);
  }

  // A player mostly closes the leaderboard again; now and then wipes the records.
  void LeaderboardAction(const TopWindow& board) {
    const int roll = Uniform(0, 999);
    if (roll < 500) {
      ClickAt(board.x + 136 + 40, board.y + 96 + 12, 1);  // 确定
    } else if (roll < 700) {
      Close(board.id);
    } else if (roll < 703) {
      ClickAt(board.x + 24 + 44, board.y + 96 + 12, 1);  // 重新计分
    } else if (roll < 900) {
      // The function keys reach the game from the leaderboard too.
      if (!FocusOn(board.id)) return;
      static constexpr KeySym kKeys[] = {XK_F6, XK_F7, XK_F8};
      Key(kKeys[Uniform(0, 2)]);
    } else {
      // On the labels, above the buttons.
      ClickAt(board.x + Uniform(0, board.width - 1), board.y + Uniform(0, 90), RandomButton());
    }
  }

  Display* display_;
  Window root_;
  pid_t game_;
  std::mt19937 random_;
  std::ofstream* names_;
  Atom netWmName_, utf8_, wmProtocols_, wmDelete_;
  int difficulty_ = 1;
  std::map<std::string, int> answered_;
};

int Usage() {
  std::fprintf(stderr,
               "usage: storm_driver --pid <pid> --seconds <n> [--seed <n>] [--names <file>]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  pid_t game = 0;
  long seconds = -1;
  unsigned seed = std::random_device{}();
  std::string namesPath;
  bool onePair = false;
  if (argc >= 2 && std::string(argv[1]) == "--one-pair") {
    onePair = true;
    ++argv;
    --argc;
    seconds = 0;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--pid") {
      game = static_cast<pid_t>(std::atol(argv[i + 1]));
    } else if (option == "--seconds") {
      seconds = std::atol(argv[i + 1]);
    } else if (option == "--seed") {
      seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    } else if (option == "--names") {
      namesPath = argv[i + 1];
    } else {
      return Usage();
    }
  }
  if (game <= 0 || seconds < 0 || argc % 2 == 0) return Usage();
  if (!onePair) std::printf("storm seed %u for %ld s\n", seed, seconds);
  std::fflush(stdout);

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open the display\n");
    return 1;
  }
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
    std::fprintf(stderr, "the X server has no XTEST\n");
    return 1;
  }
  // Windows come and go under the storm; a request on one that has just gone is no fault.
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });

  std::optional<std::ofstream> names;
  if (!namesPath.empty()) names.emplace(namesPath, std::ios::app);
  Storm storm(display, game, seed, names ? &*names : nullptr);

  const Clock::time_point start = Clock::now();
  while (!storm.Find("Quenlow")) {
    if (!storm.GameAlive() || Clock::now() - start > std::chrono::seconds(60)) {
      std::fprintf(stderr, "the game's window never appeared\n");
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  if (onePair) {
    // Only the easy board's edge pair, for scripted games.
    if (!storm.RemoveEdgePair()) {
      std::fprintf(stderr, "no pair on an edge of the easy board\n");
      return 1;
    }
    XCloseDisplay(display);
    return 0;
  }

  long steps = 0;
  const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < end) {
    if (!storm.GameAlive()) {
      std::fprintf(stderr, "the game died after %ld steps\n", steps);
      return 1;
    }
    storm.Step();
    ++steps;
  }
  std::printf("%ld steps sent; boxes answered:", steps);
  for (const auto& [title, count] : storm.Answered()) std::printf(" %s %d", title.c_str(), count);
  std::printf("; quitting\n");
  std::fflush(stdout);
  if (!storm.Quit(60)) {
    std::fprintf(stderr, "the game did not close after Alt+X\n");
    return 1;
  }
  XCloseDisplay(display);
  return 0;
}
