#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures, compiled in from resources/pictures and resources/cursors.
namespace pictures {

// The window icon.
QIcon windowIcon();
// The shopping trolley (32 x 32): start-up and About box, cart panel, printed list.
QPixmap trolley();
// A toolbar glyph (16 x 16) by button name without its prefix: "new", "ouvre", "sauve", ...
QIcon toolbarIcon(const QString& name);
// The drag cursors "CURSOR_1" to "CURSOR_3" (number 1 to 3); the hot spot is the arrow's tip.
QPixmap dragCursorPicture(int number);
QCursor dragCursor(int number);

} // namespace pictures
