#pragma once

#include <QColor>
#include <QPalette>
#include <QPixmap>

class QWidget;

// Texts and pictures that stay readable on the fixed colours the program paints (title bars,
// colour states, the user's colours), whatever the desktop's theme: the colour logic is in
// model/contrast.h, these apply it to widgets.
namespace readable {

// Black or white, whichever stands out more on the background.
QColor textOn(const QColor& background);
// The wanted colour, darkened or lightened just enough to be read on the background.
QColor accent(const QColor& wanted, const QColor& background, double minimum = 4.5);
// Paints a widget on a fixed colour (its window and base) with the text colour that colour
// calls for; disabled text is a softer shade of the same.
void paintOn(QWidget* w, const QColor& background);
// A text colour of a widget (WindowText or Text) in a hue of its own (a red warning, a link),
// adjusted to the background it is shown on.
void setAccent(QWidget* w, QPalette::ColorRole textRole, const QColor& wanted);
// The background a widget's text of that role stands on: its base for Text, otherwise the
// window colour of the nearest widget that paints its own background (or of the window).
QColor backgroundBehind(const QWidget* w, QPalette::ColorRole textRole);
// The selection colour of a window and its controls darkened or lightened until the selected
// text reads on it (desktop themes often pair a light blue with white text).
void mendSelection(QWidget* window);
// A picture as shown on a background: on a dark one, its shape gets a light outline so that
// dark drawings stay visible.
QPixmap pictureOn(const QPixmap& picture, const QColor& background);

} // namespace readable
