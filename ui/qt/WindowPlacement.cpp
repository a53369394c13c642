#include "ui/qt/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#ifdef QUENLOW_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace quenlow {

namespace {

// What Qt itself knows of the frame: nothing before the window is mapped.
QMargins ToolkitFrame(QWidget* window) {
  const QRect inner = window->geometry();
  const QRect outer = window->frameGeometry();
  return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                  outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

#ifdef QUENLOW_WITH_XCB

// Qt's own connection, so that our requests reach the server in order with Qt's; none
// unless the program runs on the X platform.
xcb_connection_t* XConnection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const auto cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// The first 32-bit values of a property, empty when the window has no such property.
std::vector<uint32_t> ReadCardinals(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t property, xcb_atom_t type, uint32_t count) {
  std::vector<uint32_t> values;
  const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, count);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (reply != nullptr && reply->type == type && reply->format == 32) {
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    const int length = xcb_get_property_value_length(reply) / 4;
    values.assign(data, data + length);
  }
  std::free(reply);
  return values;
}

std::optional<QMargins> FrameExtents(xcb_connection_t* connection, xcb_window_t window) {
  const std::vector<uint32_t> extents = ReadCardinals(
      connection, window, Atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 4);
  if (extents.size() != 4) return std::nullopt;
  // Left, right, top, bottom.
  return QMargins(static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                  static_cast<int>(extents[1]), static_cast<int>(extents[3]));
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
  xcb_get_geometry_reply_t* reply =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  const xcb_window_t root = reply != nullptr ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
  std::free(reply);
  return root;
}

// A window manager that follows the desktop conventions names a window of its own on the root
// window, and names it again on that window while it runs.
bool WindowManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
  const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
  const std::vector<uint32_t> named = ReadCardinals(connection, root, check, XCB_ATOM_WINDOW, 1);
  if (named.size() != 1) return false;
  const std::vector<uint32_t> again =
      ReadCardinals(connection, named[0], check, XCB_ATOM_WINDOW, 1);
  return again.size() == 1 && again[0] == named[0];
}

// Asks the window manager to write down the frame it will draw round a window not mapped yet;
// it answers with the same property it keeps on mapped windows.
void RequestFrameExtents(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window) {
  xcb_client_message_event_t message;
  std::memset(&message, 0, sizeof message);
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
}

std::optional<QMargins> XFrame(QWidget* window) {
  xcb_connection_t* connection = XConnection();
  if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) return std::nullopt;
  const auto id = static_cast<xcb_window_t>(window->winId());
  if (std::optional<QMargins> known = FrameExtents(connection, id)) return known;
  const xcb_window_t root = RootOf(connection, id);
  if (root == XCB_WINDOW_NONE || !WindowManagerRuns(connection, root)) return QMargins();
  RequestFrameExtents(connection, root, id);
  // The answer comes within a few round trips; a window manager that never gives one leaves
  // the window framed as Qt learns it once mapped.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (std::optional<QMargins> told = FrameExtents(connection, id)) return told;
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
  return std::nullopt;
}

void BlankNetTitle(QWidget* window) {
  xcb_connection_t* connection = XConnection();
  if (connection == nullptr || !window->testAttribute(Qt::WA_WState_Created)) return;
  // Qt writes the program's name here when a title is empty; the old-style title it leaves
  // empty, and the window manager shows whichever of the two it finds first.
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                      Atom(connection, "_NET_WM_NAME"), Atom(connection, "UTF8_STRING"), 8, 0, "");
  xcb_flush(connection);
}

#else

std::optional<QMargins> XFrame(QWidget*) {
  return std::nullopt;
}
void BlankNetTitle(QWidget*) {}

#endif

// Runs actions after the window has handled its own show event (where a message box takes its
// final size) and before the window is mapped.
class AfterShow : public QObject {
 public:
  using Action = std::function<void(QWidget*)>;

  static void Add(QWidget* window, Action action, bool everyShowing) {
    // No meta-object of its own, so it is found by its C++ type.
    AfterShow* actions = nullptr;
    for (QObject* child : window->children()) {
      if ((actions = dynamic_cast<AfterShow*>(child)) != nullptr) break;
    }
    if (actions == nullptr) {
      actions = new AfterShow(window);
      window->installEventFilter(actions);
    }
    actions->actions_.push_back({std::move(action), everyShowing, false});
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show || event->spontaneous() || watched != parent()) return false;
    QPointer<QWidget> window = static_cast<QWidget*>(watched);
    static_cast<QObject*>(window.data())->event(event);
    for (Entry& entry : actions_) {
      if (window.isNull()) break;
      if (entry.done && !entry.everyShowing) continue;
      entry.done = true;
      entry.action(window);
    }
    return true;  // already handled above
  }

 private:
  struct Entry {
    Action action;
    bool everyShowing;
    bool done;
  };
  explicit AfterShow(QWidget* window) : QObject(window) {}

  std::vector<Entry> actions_;
};

}  // namespace

QMargins WindowFrame(QWidget* window) {
  QWidget* top = window->window();
  if (std::optional<QMargins> frame = XFrame(top)) return *frame;
  return ToolkitFrame(top);
}

QRect OuterRect(QWidget* window) {
  QWidget* top = window->window();
  return top->geometry().marginsAdded(WindowFrame(top));
}

void KeepOuterTopLeft(QWidget* window, QPoint outerTopLeft) {
  // Before the first showing nothing is known of a frame.
  window->move(outerTopLeft);
  AfterShow::Add(
      window,
      [outerTopLeft](QWidget* shown) {
        const QMargins frame = WindowFrame(shown);
        shown->setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), shown->size()));
      },
      false);
}

void SetOuterSize(QWidget* window, QSize outerSize) {
  const QMargins frame = WindowFrame(window);
  window->resize(outerSize.shrunkBy(frame));
}

void CentreOuterOn(QWidget* window, QPoint centre) {
  const QMargins frame = WindowFrame(window);
  QRect outer = QRect(QPoint(), window->size()).marginsAdded(frame);
  outer.moveCenter(centre);
  window->setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window->size()));
}

void KeepCentredOnScreen(QWidget* window) {
  AfterShow::Add(
      window,
      [](QWidget* shown) {
        QScreen* screen = shown->screen() ? shown->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) CentreOuterOn(shown, screen->availableGeometry().center());
      },
      true);
}

void KeepEmptyTitle(QWidget* window) {
  AfterShow::Add(
      window,
      [](QWidget* shown) {
        if (shown->windowTitle().isEmpty()) BlankNetTitle(shown);
      },
      true);
}

}  // namespace quenlow
