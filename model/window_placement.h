#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QtGlobal>

// Where a window layout read from the settings goes on the screens there are now: a layout
// saved on another monitor, or holding sizes no screen has, still opens whole on a screen.
namespace placement {

// The layout's position and size, as stored: the frame's top-left corner and the size inside
// the frame, any 32-bit values.
struct Stored {
    qint32 left = 0;
    qint32 top = 0;
    qint32 width = 0;
    qint32 height = 0;
};

// The window's place: the frame's top-left corner and the size inside the frame. `screens` are
// the screens' available areas (without task bars), the first the primary one; `frame` is what
// the frame adds to the inside size (title bar and borders). The window goes on the screen
// holding the middle of its title bar, else on the one it overlaps most, else on the primary
// one; it is no larger than that screen (nor smaller than `minimum`), and lies whole on it, so
// its title bar can always be reached.
QRect fitWindow(const Stored& wanted, const QList<QRect>& screens, QSize minimum, QSize frame);

// A splitter's first part within the room the splitter has: at least `minFirst`, and leaving
// `minSecond` to the second part when the room allows.
int fitSplit(qint32 wanted, int room, int minFirst, int minSecond);

} // namespace placement
