#pragma once
// Where the game's windows stand on the desktop, counting the frame that the window manager
// draws round them. The frame is asked of the window manager before a window is mapped, so a
// window opens at its place and size at once instead of jumping there. Empty titles are kept
// empty as well: the X platform would put the program's name in their place.
//
// Only the X platform tells positions and frames; offscreen there is no frame, and on Wayland
// the compositor places the windows, so there every figure is the client figure.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace quenlow {

// The frame round the top-level window: left, top, right and bottom widths, all 0 where no
// window manager draws one. For a window not mapped yet the window manager is asked what it
// will draw.
QMargins WindowFrame(QWidget* window);

// The outer rectangle of a top-level window, frame included.
QRect OuterRect(QWidget* window);

// The window's frame stands with its top-left corner there, from its first showing.
void KeepOuterTopLeft(QWidget* window, QPoint outerTopLeft);

// Gives the window the outer size, frame included (the client gets what the frame leaves).
void SetOuterSize(QWidget* window, QSize outerSize);

// Moves the window so that the centre of its outer rectangle is the point given.
void CentreOuterOn(QWidget* window, QPoint centre);

// Centres the window's outer rectangle on its screen every time it is shown, at the size it
// takes while it is shown.
void KeepCentredOnScreen(QWidget* window);

// The window's title stays empty in every property a window manager reads, from its first
// showing on, while its title is empty.
void KeepEmptyTitle(QWidget* window);

}  // namespace quenlow
